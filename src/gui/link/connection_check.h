#pragma once

#include <QWidget>

#include "core/link/link_settings.h"

class QLabel;
class QPushButton;

namespace Orvanel {

// "Test" and what it found: the link opened as the fields stand and closed again, sending nothing,
// in the background, with the answer in labTestResult (its "ok" property says what the colour
// says). The button is pressed through the panel, which knows the fields.
class ConnectionTest : public QWidget {
  Q_OBJECT

 public:
  explicit ConnectionTest(QWidget* parent = nullptr);

  void start(const LinkSettings& settings);
  bool isTesting() const { return testing_; }
  // Forgets a test still running (its answer is dropped) and the last answer.
  void clear();

  QPushButton* cmdTest = nullptr;
  QLabel* labTestResult = nullptr;

 signals:
  void finished();

 private:
  void showResult(bool ok, const QString& text);

  int test_ = 0;  // which test an answer belongs to; older answers are dropped
  bool testing_ = false;
  bool focusParked_ = false;
};

}  // namespace Orvanel
