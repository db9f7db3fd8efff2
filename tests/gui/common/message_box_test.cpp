#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "core/settings/window_content.h"
#include "gui/common/message_box.h"
#include "gui/main_window/clear_all.h"
#include "gui/main_window/main_window_texts.h"

namespace {

struct BoxCase {
  const char* name;
  Q6::MessageRequest request;
  QStringList shownLines;  // the label's lines, each on one line of the box
};

// The boxes as the operator sees them: written lines stay whole, and text is never markup.
TEST(MessageBoxSeam, ShowsWrittenLinesWholeAndTextAsPlainText) {
  const BoxCase cases[] = {
      {"clear all question",
       Q6::clearAllQuestion(),
       {"WARNING:",
        "If your printer is currently configured for ticket or label printing (black mark detect)",
        "then resetting it will cause it to revert to 'receipt' mode. Using black marked paper",
        "stock then the printer is in receipt mode will cause errors."}},
      {"speed advice",
       {Q6::speedAdviceText(), Q6::speedAdviceTitle(), QMessageBox::Information},
       {"The 'Optimum' print speed option acheives the highest possible output quality to acheive "
        "good results even on unsensitive paper types.",
        "Combine the setting with 130% density for maximum quality (at 120mm/second)",
        "or 120% density for second highest quality (at 140mm/second."}},
      {"link error naming a host with markup in it",
       {QStringLiteral("Could not connect to the printer at <b>bold</b>:9100: Connection refused"),
        Q6::kAppTitle, QMessageBox::Warning},
       {"Could not connect to the printer at <b>bold</b>:9100: Connection refused"}},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<QMessageBox> box = Q6::makeMessageBox(nullptr, c.request);
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
    const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), c.shownLines.join(QLatin1Char('\n')));
    const QFontMetrics metrics = label->fontMetrics();
    // Only a line wider than the screen may be wrapped (the first of these boxes used to be broken
    // at about 500 pixels into six ragged lines).
    const int screenWidth = box->screen()->availableGeometry().width();
    int lines = 0;
    for (const QString& line : c.shownLines) {
      const int width = metrics.horizontalAdvance(line);
      const int parts = width > screenWidth - 140 ? 1 + width / (screenWidth - 140) : 1;
      if (parts == 1 && width > label->contentsRect().width()) {
        ADD_FAILURE() << "wrapped: " << line.toStdString();
      }
      lines += parts;
    }
    EXPECT_LT(label->height(), (lines + 1) * metrics.lineSpacing());
    EXPECT_LE(box->width(), screenWidth);
    // Nothing is cut off: the box is as wide as its label needs.
    const QRect room = label->contentsRect();
    const QRect text = metrics.boundingRect(room, Qt::TextWordWrap, label->text());
    EXPECT_TRUE(room.contains(text))
        << text.width() << "x" << text.height() << " in " << room.width() << "x" << room.height();
    box->hide();
  }
}

}  // namespace
