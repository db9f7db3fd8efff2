#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

#include "gui/common/message_box.h"
#include "gui/link/printer_link.h"
#include "support/core_support.h"

namespace Q6Test {

// Outside a MessageCapture, a message box would wait for a human that never comes: this guard
// fails the test with the box's text instead. The test main installs it.
void installUnexpectedMessageGuard();

// Captures every message box shown through the seam and answers with `answer`.
class MessageCapture {
 public:
  explicit MessageCapture(QMessageBox::StandardButton answer = QMessageBox::Ok);
  ~MessageCapture();
  std::vector<Q6::MessageRequest> shown;
  QMessageBox::StandardButton answer;
};

// The pseudo-language of the layout checks: every run of letters accented and 40% longer, names
// of placeholders (%1) and line ends kept, so a box that holds it holds any real translation.
QString pseudoText(const QString& text);
inline const QString kPseudoLanguage = QStringLiteral("pseudo");

// The windows speak `language` while the object lives: a shipped translation ("de", "pt_BR"), the
// pseudo-language, or English ("") as the texts stand. Build the windows after making it.
class Language {
 public:
  explicit Language(const QString& language);
  ~Language();
  Language(const Language&) = delete;
  Language& operator=(const Language&) = delete;
  bool loaded() const { return !language_.isEmpty() == static_cast<bool>(translator_); }

 private:
  QString language_;
  std::unique_ptr<QTranslator> translator_;
};

}  // namespace Q6Test
