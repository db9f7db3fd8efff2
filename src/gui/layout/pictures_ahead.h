#pragma once

#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <future>

namespace Q6::Layout {

// Decodes a window's pictures on a helper thread while the window's thread builds the window:
// the first picture a program reads costs it a search for image plugins as well as the decoding,
// and neither needs a widget. pixmap() waits for the helper; a picture not asked for ahead is read
// on the caller's thread.
class PicturesAhead {
 public:
  // Destroying it waits for the helper (the future std::async gives does that).
  explicit PicturesAhead(const QStringList& paths);
  PicturesAhead(const PicturesAhead&) = delete;
  PicturesAhead& operator=(const PicturesAhead&) = delete;

  QPixmap pixmap(const QString& path);

 private:
  std::future<QHash<QString, QImage>> m_decoding;
  QHash<QString, QImage> m_images;
  bool m_collected = false;
};

}  // namespace Q6::Layout
