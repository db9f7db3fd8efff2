#include <gtest/gtest.h>

#include "gui/main_window/clear_all.h"
#include "support/test_support.h"

using Q6Test::hex;

namespace {

TEST(ClearAll, QuestionIsTheWarningAsWorded) {
  const Q6::MessageRequest q = Q6::clearAllQuestion();
  EXPECT_EQ(q.title, QStringLiteral("Reset - Are You Sure?"));
  EXPECT_EQ(q.text,
            QStringLiteral(
                "WARNING:\r\n"
                "If your printer is currently configured for ticket or label printing (black "
                "mark detect)\r\n"
                "then resetting it will cause it to revert to 'receipt' mode. Using black marked "
                "paper\r\n"
                "stock then the printer is in receipt mode will cause errors."));
  EXPECT_FALSE(q.text.endsWith(QStringLiteral("\n")));
  EXPECT_EQ(q.icon, QMessageBox::Question);
  EXPECT_EQ(q.buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(q.defaultButton, QMessageBox::Yes);
}

}  // namespace
