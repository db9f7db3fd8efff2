#include "gui/common/pictures_ahead.h"

#include <system_error>

namespace Q6 {

PicturesAhead::PicturesAhead(const QStringList& files) : files_(files) {
  std::vector<std::promise<QImage>> promises(static_cast<size_t>(files.size()));
  for (std::promise<QImage>& promise : promises) {
    images_.push_back(promise.get_future());
  }
  try {
    // QImage, unlike QPixmap, may be made on any thread.
    worker_ = std::thread([files, promises = std::move(promises)]() mutable {
      for (qsizetype i = 0; i < files.size(); ++i) {
        promises[static_cast<size_t>(i)].set_value(QImage(files[i]));
      }
    });
  } catch (const std::system_error&) {
    // No thread to be had: take() decodes each picture itself.
    images_.clear();
  }
}

PicturesAhead::~PicturesAhead() {
  if (worker_.joinable()) {
    worker_.join();
  }
}

QPixmap PicturesAhead::take(const QString& file) {
  const qsizetype at = files_.indexOf(file);
  if (at < 0 || static_cast<size_t>(at) >= images_.size() ||
      !images_[static_cast<size_t>(at)].valid()) {
    return QPixmap(file);
  }
  const QImage image = images_[static_cast<size_t>(at)].get();
  return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

}  // namespace Q6
