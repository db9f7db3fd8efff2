#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

#include "core/common/result.h"

// Files read and replaced whole: the settings file, presets and the tool's report. A reader never
// waits on a pipe or a device in a file's place, and a replaced file is never seen empty, cut short
// or half-written, whatever stops the writer.
namespace Q6 {

// Not an errno: the path names a pipe, device or socket, which is refused unread.
inline constexpr int kNotAnOrdinaryFile = -1;

struct WholeFile {
  // 0 when read; otherwise the system's error number (ENOENT: no file, EISDIR: a folder) or
  // kNotAnOrdinaryFile. Each caller words the refusal for its own reader.
  int error = 0;
  QByteArray bytes;
};

// The file at path (links followed), at most `limit` bytes of it. Opened without blocking, so that
// a pipe in the file's place is refused instead of waited on for ever.
WholeFile readWholeFile(const QString& path,
                        qsizetype limit = std::numeric_limits<qsizetype>::max());

// The system's words for an error number ("No space left on device").
QString systemReason(int error);

// Makes the folder and those above it: 0 when it is there, else the error number of the step that
// failed (EEXIST: something other than a folder stands there).
int makeFolder(const QString& folder);

// Writes every byte to fd, a write cut short by a signal resumed; refused with the system's reason.
Result<> writeAll(int fd, const QByteArray& bytes);

// Closes a descriptor on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor();
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// The file that follows the path's symbolic links, so that replacing a linked file replaces what an
// administrator linked it to, not the link. A missing file is no refusal (it is made, or reported
// when opened); a link loop or an unreadable link is refused with the system's reason.
Result<QString> followLinks(const QString& path);

// A new version of a file, written beside it and put in its place in one step. begin() makes the
// temporary file (mode of the file it replaces, or a new file's under the user's umask); write()
// and close() put every byte on the disk, every error checked; commit() renames it over the file
// and syncs the folder. Every refusal, and destruction before commit(), removes the temporary file
// and leaves the file byte for byte as it was.
class FileReplacement {
 public:
  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement() { discard(); }

  // target: the file to replace, its links already followed (see followLinks).
  Result<> begin(const QString& target);
  Result<> write(const QByteArray& bytes);
  // fsync and close, so that a late error (a full quota, NFS) is seen before the rename.
  Result<> close();
  // Closes first when still open.
  Result<> commit();
  void discard();

  // The temporary file, as the system names it (empty before begin() and after commit()).
  const QByteArray& temporaryPath() const { return temporary_; }
  // For changes a caller makes to the new file before it is closed (its time).
  int descriptor() const { return fd_; }

 private:
  Result<> failed(int error);

  QByteArray target_;
  QByteArray temporary_;
  int fd_ = -1;
};

}  // namespace Q6
