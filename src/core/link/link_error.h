#pragma once

#include <QString>

#include <stdexcept>

namespace Orvanel {

// The one error type of the printer link. Its text is meant for the operator: it names the target
// and the system's reason. It never crosses a Qt signal: the exchange runner catches it.
class LinkError : public std::runtime_error {
 public:
  explicit LinkError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

}  // namespace Orvanel
