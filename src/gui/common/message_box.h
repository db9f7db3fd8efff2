#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>

class QWidget;

// Every message box of the program goes through here, so that a test can see what would be shown
// and answer it without a human. Without a handler a real modal QMessageBox is shown.
namespace Q6 {

// Title used by boxes that have no title of their own.
inline const QString kAppTitle = QStringLiteral("Q6Config");

struct MessageRequest {
  QString text;
  QString title = kAppTitle;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

// The box that showMessage shows, built but not shown: the text as plain text (never markup),
// wide enough that the lines written into it are not wrapped again.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageRequest& request);

// A message as the operator reads it: its translation, found whole or by the template of a message
// that carries a name; the text itself in English or when no translation is known.
QString shownMessage(const QString& text);

// Shows the box modally over parent, in the operator's language, and returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& request);

// The exclamation box with the application title used for every error the operator must see.
void showError(QWidget* parent, const QString& text);

// Test hook: while set, showMessage calls the handler instead of showing a box. Pass an empty
// function to restore real boxes.
void setMessageHandler(MessageHandler handler);

}  // namespace Q6
