#pragma once

#include <QString>

#include <stdexcept>

namespace Orvanel {

// What the operator does about a connection that is not set up, or not set up right. The core's
// message says what is wrong; each program adds where in it the operator puts that right, as the
// core knows neither the window's buttons nor the tool's options.
enum class LinkRemedy {
  None,
  SetUp,    // nothing set up yet: choose how this computer reaches the printer
  Correct,  // a setting cannot be used: correct it
  FixFile,  // the settings file cannot be read: fix or remove it
};

// The one error type of the printer link. Its text is meant for the operator: it names the target
// and the system's reason. It never crosses a Qt signal: the exchange runner catches it.
class LinkError : public std::runtime_error {
 public:
  explicit LinkError(const QString& message, LinkRemedy remedy = LinkRemedy::None)
      : std::runtime_error(message.toStdString()), message_(message), remedy_(remedy) {}
  const QString& message() const { return message_; }
  LinkRemedy remedy() const { return remedy_; }

 private:
  QString message_;
  LinkRemedy remedy_;
};

}  // namespace Orvanel
