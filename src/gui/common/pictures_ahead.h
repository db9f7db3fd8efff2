#pragma once

#include <QImage>
#include <QPixmap>
#include <QStringList>

#include <future>
#include <thread>
#include <vector>

namespace Q6 {

// Decodes pictures on a thread of its own while the window goes on building its controls, so that
// a window's start does not wait for its pictures one after the other. The pixmaps are made on the
// calling (GUI) thread, as Qt requires.
class PicturesAhead {
 public:
  // Starts decoding the files (resource paths or file names), in their order.
  explicit PicturesAhead(const QStringList& files);
  ~PicturesAhead();
  PicturesAhead(const PicturesAhead&) = delete;
  PicturesAhead& operator=(const PicturesAhead&) = delete;

  // The picture of a file, waiting for it if it is still being decoded; a file that was not
  // asked for is decoded here. A null pixmap when the file cannot be read, as QPixmap(file) gives.
  QPixmap take(const QString& file);

 private:
  QStringList files_;
  std::vector<std::future<QImage>> images_;
  std::thread worker_;
};

}  // namespace Q6
