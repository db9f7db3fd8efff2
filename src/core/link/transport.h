#pragma once

#include <QByteArray>

namespace Orvanel {

// One way of carrying bytes to the printer. Every failure is raised as LinkError.
class Transport {
 public:
  virtual ~Transport() = default;
  virtual void open() = 0;
  // Takes every byte in order; bytes go out exactly as given. A transport may hold small writes
  // back until close() (or until enough have gathered), so a failure can surface there.
  virtual void write(const QByteArray& data) = 0;
  // Hands over every byte still held, finishes the job and releases the connection.
  virtual void close() = 0;
};

}  // namespace Orvanel
