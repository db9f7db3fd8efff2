#include "gui/common/message_box.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QScreen>

#include <algorithm>
#include <utility>

#include "core/presets/preset_file.h"
#include "gui/common/translation.h"

namespace Q6 {

namespace {
MessageHandler& handlerSlot() {
  static MessageHandler handler;
  return handler;
}

// The widest a text may be: the screen less the icon and the margins.
int widestLabel(const QWidget* parent) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
  constexpr int kIconAndMargins = 140;
  return std::max(200, screenWidth - kIconAndMargins);
}

// QMessageBox sizes itself when shown and on every layout request, and keeps to 500 to 800 pixels
// whatever its label asks for; this one takes the width its label needs.
class WrittenLinesBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    takeTheLabelsWidth();
  }
  bool event(QEvent* event) override {
    if (event->type() == QEvent::LayoutRequest && isVisible()) {
      // QMessageBox would size itself again here; the layout still does its part.
      const bool handled = QDialog::event(event);
      takeTheLabelsWidth();
      return handled;
    }
    return QMessageBox::event(event);
  }

 private:
  void takeTheLabelsWidth() {
    if (!layout()) {
      return;
    }
    const int needed = layout()->totalMinimumSize().width();
    if (width() < needed) {
      setFixedSize(needed, layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(needed)
                                                         : layout()->totalMinimumSize().height());
    }
  }
};
}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const MessageRequest& request) {
  auto box = std::make_unique<WrittenLinesBox>(request.icon, request.title, QString(),
                                               request.buttons, parent);
  // Link errors carry host names and paths as typed: they are shown as they are, never taken
  // for markup.
  box->setTextFormat(Qt::PlainText);
  QString text = request.text;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box->setText(text);
  if (request.defaultButton != QMessageBox::NoButton) {
    box->setDefaultButton(request.defaultButton);
  }
  // The texts are broken into lines by hand. QMessageBox would wrap them again at about 500
  // pixels, leaving ragged half lines, so the label gets the width of the longest written line.
  if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    int longest = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
      longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
    }
    label->setMinimumWidth(std::min(longest + 2, widestLabel(parent)));
  }
  return box;
}

QString shownMessage(const QString& text) {
  const QString whole = shown(kMessagesContext, text);
  if (whole != text) {
    return whole;
  }
  // Messages that carry a name are found by their template; the name stays as it was given.
  static const char* const templates[] = {kIncorrectPresetTemplate};
  for (const char* pattern : templates) {
    const QString english = QString::fromUtf8(pattern);
    const QString translated = QCoreApplication::translate(kMessagesContext, pattern);
    if (translated == english) {
      continue;
    }
    QString expression = QRegularExpression::escape(english);
    expression.replace(QStringLiteral("\\%1"), QStringLiteral("(.*)"));
    const QRegularExpressionMatch match =
        QRegularExpression(QRegularExpression::anchoredPattern(expression),
                           QRegularExpression::DotMatchesEverythingOption)
            .match(text);
    if (match.hasMatch()) {
      return translated.arg(match.captured(1));
    }
  }
  return text;
}

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageRequest& original) {
  MessageRequest request = original;
  request.title = shown(kMessagesContext, request.title);
  request.text = shownMessage(request.text);
  if (handlerSlot()) {
    return handlerSlot()(request);
  }
  const std::unique_ptr<QMessageBox> box = makeMessageBox(parent, request);
  return static_cast<QMessageBox::StandardButton>(box->exec());
}

void showError(QWidget* parent, const QString& text) {
  showMessage(parent, MessageRequest{text, kAppTitle, QMessageBox::Warning, QMessageBox::Ok,
                                     QMessageBox::Ok});
}

void setMessageHandler(MessageHandler handler) {
  handlerSlot() = std::move(handler);
}

}  // namespace Q6
