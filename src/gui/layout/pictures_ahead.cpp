#include "gui/layout/pictures_ahead.h"

#include <system_error>

namespace Q6::Layout {

namespace {

QHash<QString, QImage> decode(const QStringList& paths) {
  QHash<QString, QImage> images;
  for (const QString& path : paths) {
    images.insert(path, QImage(path));
  }
  return images;
}

}  // namespace

PicturesAhead::PicturesAhead(const QStringList& paths) {
  try {
    m_decoding = std::async(std::launch::async, decode, paths);
  } catch (const std::system_error&) {
    m_images = decode(paths);  // no thread to be had
    m_collected = true;
  }
}

QPixmap PicturesAhead::pixmap(const QString& path) {
  if (!m_collected) {
    m_images = m_decoding.get();
    m_collected = true;
  }
  const auto decoded = m_images.constFind(path);
  return decoded != m_images.cend() ? QPixmap::fromImage(*decoded) : QPixmap(path);
}

}  // namespace Q6::Layout
