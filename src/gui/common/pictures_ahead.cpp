#include "gui/common/pictures_ahead.h"

#include <QPainter>
#include <QStyle>

#include <algorithm>
#include <system_error>

namespace Q6 {

namespace {

std::pair<QImage, QImage> decoded(const QString& file, QSize shownAt) {
  QImage image(file);
  QImage scaled;
  if (!image.isNull() && shownAt.isValid()) {
    // As QLabel scales a picture for scaled contents.
    scaled = image.scaled(shownAt, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  return {std::move(image), std::move(scaled)};
}

}  // namespace

PicturesAhead::PicturesAhead(const std::vector<Picture>& pictures) : pictures_(pictures) {
  std::vector<std::promise<std::pair<QImage, QImage>>> promises(pictures.size());
  for (auto& promise : promises) {
    images_.push_back(promise.get_future());
  }
  try {
    // QImage, unlike QPixmap, may be made on any thread.
    worker_ = std::thread([pictures, promises = std::move(promises)]() mutable {
      for (size_t i = 0; i < pictures.size(); ++i) {
        promises[i].set_value(decoded(pictures[i].file, pictures[i].shownAt));
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

QPixmap PicturesAhead::take(const QString& file, QPixmap* shown) {
  const auto asked = std::find_if(pictures_.begin(), pictures_.end(),
                                  [&](const Picture& p) { return p.file == file; });
  const auto at = static_cast<size_t>(asked - pictures_.begin());
  if (at >= images_.size() || !images_[at].valid()) {
    return QPixmap(file);
  }
  const auto [image, scaled] = images_[at].get();
  if (shown) {
    *shown = scaled.isNull() ? QPixmap() : QPixmap::fromImage(scaled);
  }
  return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void ScaledAheadLabel::addScaled(const QPixmap& picture, const QPixmap& scaled) {
  if (!picture.isNull() && !scaled.isNull()) {
    scaled_.emplace_back(picture.cacheKey(), scaled);
  }
}

void ScaledAheadLabel::paintEvent(QPaintEvent* event) {
  const QPixmap current = pixmap();
  QRect room = contentsRect();
  room.adjust(margin(), margin(), -margin(), -margin());
  const QPixmap* ahead = nullptr;
  for (const auto& [key, scaled] : scaled_) {
    if (key == current.cacheKey() && scaled.size() == room.size() && devicePixelRatio() == 1.0) {
      ahead = &scaled;
    }
  }
  if (!ahead || !hasScaledContents() || !isEnabled()) {
    QLabel::paintEvent(event);
    return;
  }
  // As QLabel paints a picture with scaled contents.
  QPainter painter(this);
  drawFrame(&painter);
  style()->drawItemPixmap(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()),
                          *ahead);
}

}  // namespace Q6
