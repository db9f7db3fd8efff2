#pragma once

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <QStringList>

#include <future>
#include <thread>
#include <utility>
#include <vector>

namespace Q6 {

// Decodes pictures on a thread of its own while the window goes on building its controls, so that
// a window's start does not wait for its pictures one after the other. The pixmaps are made on the
// calling (GUI) thread, as Qt requires.
class PicturesAhead {
 public:
  // A file (resource path or file name) and, when valid, the size a label with scaled contents
  // shows it at: it is scaled to that too, smoothly, as the label would.
  struct Picture {
    QString file;
    QSize shownAt;
  };
  // Starts decoding the pictures, in their order.
  explicit PicturesAhead(const std::vector<Picture>& pictures);
  ~PicturesAhead();
  PicturesAhead(const PicturesAhead&) = delete;
  PicturesAhead& operator=(const PicturesAhead&) = delete;

  // The picture of a file, waiting for it if it is still being decoded; a file that was not
  // asked for is decoded here. A null pixmap when the file cannot be read, as QPixmap(file) gives.
  // `shown`, when given, gets the picture at the size asked for (null without one).
  QPixmap take(const QString& file, QPixmap* shown = nullptr);

 private:
  std::vector<Picture> pictures_;
  std::vector<std::future<std::pair<QImage, QImage>>> images_;  // the picture, and scaled
  std::thread worker_;
};

// A label with scaled contents that shows a picture scaled ahead (PicturesAhead) instead of
// scaling it when first painted; any other picture, or another size, it shows as QLabel does.
class ScaledAheadLabel : public QLabel {
 public:
  using QLabel::QLabel;
  // `scaled` is `picture` at the label's contents size.
  void addScaled(const QPixmap& picture, const QPixmap& scaled);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::pair<qint64, QPixmap>> scaled_;  // by the picture's cacheKey
};

}  // namespace Q6
