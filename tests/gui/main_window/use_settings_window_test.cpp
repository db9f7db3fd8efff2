#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <string>
#include <vector>

#include "gui/main_window/main_window.h"
#include "support/entry_table.h"
#include "support/test_support.h"

// "Use Settings" and "Clear All Settings" pressed on the real main window, with the link writing
// into a file in a temporary folder: what the operator picks is what lands in the file.

using Q6Test::hex;

namespace {

constexpr int kQLX600 = 0;
constexpr int kQLX500 = 1;

class WindowToFile : public ::testing::Test {
 protected:
  void SetUp() override {
    outPath_ = config_.dir() + QStringLiteral("/out.bin");
    // The link settings must be on disk before the window loads them.
    config_.writeLink({QStringLiteral("Connection=File"), QStringLiteral("Path=") + outPath_});
    window_ = std::make_unique<frmMain>();
  }

  QComboBox* list(const char* name) {
    auto* box = window_->findChild<QComboBox*>(QString::fromLatin1(name));
    EXPECT_NE(box, nullptr) << name;
    return box;
  }
  void pick(const char* name, int index) {
    QComboBox* box = list(name);
    ASSERT_NE(box, nullptr);
    ASSERT_LT(index, box->count()) << name;
    box->setCurrentIndex(index);
  }
  QLineEdit* textBox(const char* name) {
    return window_->findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  void press(const char* name) {
    auto* button = window_->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }
  bool fileExists() const { return QFile::exists(outPath_); }
  QByteArray fileBytes() const {
    QFile file(outPath_);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void removeFile() { QFile::remove(outPath_); }

  Q6Test::TempConfig config_;
  QString outPath_;
  std::unique_ptr<frmMain> window_;
};

QByteArray frames(const std::vector<QByteArray>& commands) {
  QByteArray all = Q6Test::concat(commands);
  all += Q6Test::kWriteFrame;
  return all;
}

// The entry text the operator sees at that position; the table notes the speeds of both models
// as "QLX600 | QLX500" and the count used for the contextual cut in brackets.
QString shownItem(const Q6Test::EntryCase& c, int model) {
  QString item = QString::fromUtf8(c.item);
  const std::string control = c.control;
  if (control == "comSpeed") {
    item.remove(QStringLiteral(" (QLX500 only)"));
    const QStringList perModel = item.split(QStringLiteral(" | "));
    item = perModel.value(perModel.size() == 2 ? model : 0);
  } else if (control == "comContextCut") {
    item = item.section(QStringLiteral(" (count"), 0, 0);
  }
  return item;
}

TEST_F(WindowToFile, NothingChangedSendsTheWriteCommandAlone) {
  Q6Test::MessageCapture boxes;
  press("comUse");
  EXPECT_EQ(fileBytes(), Q6Test::kWriteFrame);
  EXPECT_TRUE(boxes.shown.empty());
}

// Each position of each list, pressed one at a time through the window, for both models. A list
// whose positions were shifted or cut short on the window fails here even if the map is right.
TEST_F(WindowToFile, EveryPositionOfEveryListReachesTheFile) {
  Q6Test::MessageCapture boxes;  // "Optimum Density" brings its advice
  for (int model : {kQLX600, kQLX500}) {
    pick("cmbModel", model);
    for (const Q6Test::EntryCase& c : Q6Test::kEveryEntry) {
      const std::string control = c.control;
      // The QLX600 has no paper width, print columns or contextual cut, and three speeds.
      if (model == kQLX600 &&
          (control == "comPWidth" || control == "comESCPOSColumns" || control == "comContextCut" ||
           (control == "comSpeed" && c.index == 4))) {
        continue;
      }
      SCOPED_TRACE("model " + std::to_string(model) + ", " + control + " " +
                   std::to_string(c.index) + " " + c.item);
      removeFile();
      pick(c.control, c.index);
      EXPECT_EQ(list(c.control)->currentText(), shownItem(c, model));
      press("comUse");
      EXPECT_EQ(fileBytes(), frames(c.commands));
      pick(c.control, 0);
    }
  }
  for (const Q6::MessageRequest& shown : boxes.shown) {
    EXPECT_EQ(shown.title, QStringLiteral("Information"));  // the speed advice, nothing else
  }
}

TEST_F(WindowToFile, SeveralSettingsGoOutInTheirFixedOrderWithTheTypedCutOffset) {
  Q6Test::MessageCapture boxes;
  pick("cmbModel", kQLX500);
  // Picked in an order unlike the one in which they go out.
  pick("comContextCut", 2);
  pick("comSpeed", 3);
  pick("comCPage", 23);
  auto* adjust = window_->findChild<QCheckBox*>(QStringLiteral("chk_AdjustCutPos"));
  ASSERT_NE(adjust, nullptr);
  adjust->click();
  ASSERT_TRUE(adjust->isChecked());
  // Typed but never left: the press still reads it snapped to the grid (3.3 -> 3.25 mm).
  textBox("txtCutOffset")->setText(QStringLiteral("3.3"));
  pick("comFF", 3);
  press("comUse");
  EXPECT_EQ(fileBytes(),
            Q6Test::concat({
                hex("1B 1D 23 2D 30 30 30 30 38 0A 00"),  // clear 0 0008
                hex("1B 1D 23 2B 30 30 30 30 34 0A 00"),  // set 0 0004
                hex("1B 1D 23 2D 33 46 46 30 30 0A 00"),  // clear 3 FF00
                hex("1B 1D 23 2B 33 32 30 30 30 0A 00"),  // set 3 2000
                hex("1B 1D 23 2D 32 30 30 33 30 0A 00"),  // clear 2 0030
                hex("1B 1D 23 2B 32 30 30 32 30 0A 00"),  // set 2 0020
                hex("1B 1D 23 2D 32 46 46 30 30 0A 00"),  // clear 2 FF00
                hex("1B 1D 23 2B 32 30 44 30 30 0A 00"),  // set 2 0D00 (13 quarter mm)
                hex("1B 1D 23 2D 46 46 30 30 30 0A 00"),  // clear F F000
                hex("1B 1D 23 2B 46 32 38 30 30 0A 00"),  // set F 2800
                Q6Test::kWriteFrame,                      // write
            }));
  EXPECT_EQ(textBox("txtCutOffset")->text(), QStringLiteral(" 3.25mm"));
  EXPECT_TRUE(boxes.shown.empty());

  // The handler keeps nothing: a second press sends the same batch again.
  const QByteArray once = fileBytes();
  press("comUse");
  EXPECT_EQ(fileBytes(), once + once);
}

TEST_F(WindowToFile, NegativeCutOffsetFromTheWindow) {
  Q6Test::MessageCapture boxes;
  window_->findChild<QCheckBox*>(QStringLiteral("chk_AdjustCutPos"))->click();
  textBox("txtCutOffset")->setText(QStringLiteral("-2.5"));
  press("comUse");
  EXPECT_EQ(fileBytes(),
            Q6Test::concat({hex("1B 1D 23 2D 32 46 46 30 30 0A 00"),
                            hex("1B 1D 23 2B 32 38 41 30 30 0A 00"), Q6Test::kWriteFrame}));
}

TEST_F(WindowToFile, CountOutOfRangeIsRefusedBeforeTheLinkOpens) {
  Q6Test::MessageCapture boxes;
  pick("cmbModel", kQLX500);
  pick("comFF", 2);
  pick("comContextCut", 3);
  textBox("txtContFeeds")->setText(QStringLiteral("16"));
  press("comUse");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
  EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Q6Config"));
  EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("0 to 15")));
  EXPECT_FALSE(fileExists());  // not even opened

  // Put right, the same press goes through, the count field cleared first.
  textBox("txtContFeeds")->setText(QStringLiteral("15"));
  press("comUse");
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(fileBytes(), Q6Test::concat({hex("1B 1D 23 2B 30 30 30 30 43 0A 00"),  // set 0 000C
                                         hex("1B 1D 23 2D 46 46 39 30 30 0A 00"),  // clear F F900
                                         hex("1B 1D 23 2B 46 46 30 30 30 0A 00"),  // set F F000
                                         Q6Test::kWriteFrame}));
}

TEST_F(WindowToFile, ClearAllAnsweredNoOpensNothing) {
  Q6Test::MessageCapture boxes(QMessageBox::No);
  press("comClearAll");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Reset - Are You Sure?"));
  EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Question);
  EXPECT_FALSE(fileExists());
}

TEST_F(WindowToFile, ClearAllAnsweredYesSendsResetThenWrite) {
  Q6Test::MessageCapture boxes(QMessageBox::Yes);
  pick("comFF", 3);  // the lists play no part in a reset
  press("comClearAll");
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(fileBytes(), hex("1B 1D 23 40 30 30 30 30 30 0A 00") + Q6Test::kWriteFrame);
  EXPECT_EQ(list("comFF")->currentIndex(), 3);
}

}  // namespace
