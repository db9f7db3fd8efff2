#pragma once

#include <QString>

#include <optional>
#include <utility>

// How the core says no. An operation that may refuse returns a Result: either its value, or the
// sentence for the operator that says what is wrong (never empty). The printer link's own
// operations keep raising LinkError, as outside code expects; the exchange runner turns that into
// a Result, so above the link one kind of answer is all there is to check.
namespace Q6 {

// A refusal on its way into a Result: `return Refused{text};`.
struct Refused {
  QString message;
};

template <typename T = void>
class [[nodiscard]] Result {
 public:
  Result(T value) : value_(std::move(value)) {}  // NOLINT: a value is a success
  Result(Refused refusal) : error_(std::move(refusal.message)) {}

  bool ok() const { return value_.has_value(); }
  explicit operator bool() const { return ok(); }
  // Empty when ok.
  const QString& error() const { return error_; }

  const T& value() const { return *value_; }
  T& value() { return *value_; }
  const T& operator*() const { return *value_; }
  T& operator*() { return *value_; }
  const T* operator->() const { return &*value_; }
  T value_or(T other) const { return value_ ? *value_ : std::move(other); }

 private:
  std::optional<T> value_;
  QString error_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;  // done
  Result(Refused refusal) : ok_(false), error_(std::move(refusal.message)) {}

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const QString& error() const { return error_; }

 private:
  bool ok_ = true;
  QString error_;
};

}  // namespace Q6
