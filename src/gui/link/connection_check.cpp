#include "gui/link/connection_check.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/discovery/link_probe.h"
#include "gui/common/background.h"

namespace Orvanel {

namespace {

constexpr int kResultLines = 3;

}  // namespace

ConnectionTest::ConnectionTest(QWidget* parent) : QWidget(parent) {
  cmdTest = new QPushButton(tr("Test"), this);
  cmdTest->setObjectName(QStringLiteral("cmdTest"));
  cmdTest->setAutoDefault(false);
  cmdTest->setToolTip(
      tr("Open the connection as filled in above and close it again, sending nothing."));
  labTestResult = new QLabel(this);
  labTestResult->setObjectName(QStringLiteral("labTestResult"));
  // A path or a server's message is shown as it is, never taken for markup.
  labTestResult->setTextFormat(Qt::PlainText);
  labTestResult->setWordWrap(true);
  labTestResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labTestResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
  labTestResult->setMinimumHeight(labTestResult->fontMetrics().lineSpacing() * kResultLines);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(cmdTest, 0, Qt::AlignTop);
  row->addWidget(labTestResult, 1);
}

void ConnectionTest::start(const LinkSettings& settings) {
  const int test = ++test_;
  testing_ = true;
  // While the button is disabled the focus waits on the result (a reader says "Testing..."),
  // not on the next button, where a second Space would start something else; it comes back after.
  focusParked_ = window()->focusWidget() == cmdTest;
  if (focusParked_) {
    labTestResult->setFocus(Qt::OtherFocusReason);
  }
  cmdTest->setEnabled(false);
  labTestResult->setStyleSheet(QString());
  labTestResult->setText(settings.timeoutMs > 0
                             ? tr("Testing (at most %1 ms)...").arg(settings.timeoutMs)
                             : tr("Testing..."));
  // The transport is made, used and destroyed on the test's own thread.
  Q6::runInBackground(
      this, [settings] { return probeLink(settings); },
      [this, test](const ProbeResult& result) {
        if (test != test_) {
          return;
        }
        testing_ = false;
        cmdTest->setEnabled(true);
        showResult(result.ok, result.text);
        if (focusParked_ && window()->focusWidget() == labTestResult) {
          cmdTest->setFocus(Qt::OtherFocusReason);
        }
        focusParked_ = false;
        emit finished();
      });
}

void ConnectionTest::clear() {
  ++test_;
  testing_ = false;
  cmdTest->setEnabled(true);
  showResult(true, QString());
}

void ConnectionTest::showResult(bool ok, const QString& text) {
  labTestResult->setStyleSheet(text.isEmpty() ? QString()
                               : ok           ? QStringLiteral("color: #006000;")
                                              : QStringLiteral("color: #a00000;"));
  labTestResult->setText(text);
  labTestResult->setToolTip(text);
  labTestResult->setProperty("ok", ok);  // what the colour says, for those who cannot see it
}

}  // namespace Orvanel
