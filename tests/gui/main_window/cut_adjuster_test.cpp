#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "gui/cut_position/cut_diagram.h"
#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using CutAdjuster = MainWindowTest;

void leaveTextBox(QLineEdit* box) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(box, &out);
}

const struct Typed {
  const char* typed;
  const char* shown;
  float lineY;
} kTyped[] = {
    {"3.3", " 3.25mm", 23.75f},
    {"12mm", " 12mm", 32.5f},
    {"abc", " 0mm", 20.5f},
    {"", " 0mm", 20.5f},
    {"-20", "-10mm", 10.5f},
    {"40", " 31.75mm", 52.25f},
    {"31.5", " 31.5mm", 52.0f},
    {"31.6", " 31.5mm", 52.0f},
    {"31.7", " 31.75mm", 52.25f},
    {"0.2", " .25mm", 20.75f},
    {"-0.8", "-.75mm", 19.75f},
    {"1e9", " 1mm", 21.5f},
    {"1000000000", " 31.75mm", 52.25f},
    {"-1000000000", "-10mm", 10.5f},
    {"  7.5 mm", " 7.5mm", 28.0f},
    {"0.125", " 0mm", 20.5f},
    {"0.375", " .5mm", 21.0f},
    {"9000", " 31.75mm", 52.25f},
    {"-9000", "-10mm", 10.5f},
};

TEST_F(CutAdjuster, TypedTextIsSnappedWhenTheBoxLosesFocus) {
  frmMain& w = open();
  w.chk_AdjustCutPos->setChecked(true);
  for (const Typed& t : kTyped) {
    SCOPED_TRACE(t.typed);
    w.txtCutOffset->setText(QLatin1String(t.typed));
    leaveTextBox(w.txtCutOffset);
    EXPECT_EQ(w.txtCutOffset->text(), QLatin1String(t.shown));
    EXPECT_EQ(w.Picture1->lineY(), t.lineY);
  }
  EXPECT_TRUE(messages.shown.empty()) << "no input is refused";
}

// Leaving the box for another control snaps the text; its own context menu or another window
// taking the focus for a while leaves the typing alone.
TEST_F(CutAdjuster, OnlyAFocusMoveToAnotherControlSnapsTheText) {
  frmMain& w = open();
  w.chk_AdjustCutPos->setChecked(true);
  const struct {
    Qt::FocusReason reason;
    const char* shown;
    float lineY;
  } cases[] = {
      {Qt::TabFocusReason, " 3.25mm", 23.75f},   {Qt::BacktabFocusReason, " 3.25mm", 23.75f},
      {Qt::MouseFocusReason, " 3.25mm", 23.75f}, {Qt::OtherFocusReason, " 3.25mm", 23.75f},
      {Qt::PopupFocusReason, "3.3", 20.5f},      {Qt::ActiveWindowFocusReason, "3.3", 20.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    w.AdjustCutPosition(0.0f);
    w.txtCutOffset->setText(QStringLiteral("3.3"));
    QFocusEvent out(QEvent::FocusOut, c.reason);
    QCoreApplication::sendEvent(w.txtCutOffset, &out);
    EXPECT_EQ(w.txtCutOffset->text(), QLatin1String(c.shown));
    EXPECT_EQ(w.Picture1->lineY(), c.lineY);
  }
}

// "Use Settings" must read the text form, not what was typed, even if the box never lost focus.
TEST_F(CutAdjuster, UseSettingsSnapsTheTypedTextBeforeReadingIt) {
  frmMain& w = open();
  w.chk_AdjustCutPos->setChecked(true);
  for (const Typed& t : kTyped) {
    SCOPED_TRACE(t.typed);
    w.txtCutOffset->setText(QLatin1String(t.typed));
    w.comUse->click();  // no link set up: refused with a message, but the text is snapped first
    EXPECT_EQ(w.txtCutOffset->text(), QLatin1String(t.shown));
    EXPECT_EQ(w.currentSelection().txtCutOffset, std::string(t.shown));
  }
}

// Press, moves and release in diagram units, as the diagram reports them.
TEST_F(CutAdjuster, PressDragAndReleaseOnTheDiagram) {
  const struct {
    const char* name;
    std::vector<std::pair<char, float>> events;  // 'd'own, 'm'ove, 'u'p
    float lineBeforeRelease;
    const char* shown;
    float lineY;
  } cases[] = {
      {"click at 30", {{'d', 30.0f}, {'u', 30.0f}}, 30.0f, " 9.5mm", 30.0f},
      {"release at 30.6", {{'d', 30.0f}, {'u', 30.6f}}, 30.0f, " 10mm", 30.5f},
      {"drag from 20 to 30.6",
       {{'d', 20.0f}, {'m', 25.0f}, {'m', 30.6f}, {'u', 30.6f}},
       30.6f,
       " 10mm",
       30.5f},
      {"press above the band", {{'d', 5.0f}, {'m', 30.0f}, {'u', 5.0f}}, 20.5f, "-10mm", 10.5f},
      {"drag below the diagram",
       {{'d', 40.0f}, {'m', 52.25f}, {'m', 70.0f}, {'u', 70.0f}},
       52.25f,
       " 31.75mm",
       52.25f},
      {"drag above the band", {{'d', 15.0f}, {'m', 10.4f}, {'u', -3.0f}}, 15.0f, "-10mm", 10.5f},
      {"band edges exactly",
       {{'d', 10.5f}, {'m', 52.25f}, {'u', 52.25f}},
       52.25f,
       " 31.75mm",
       52.25f},
      {"move without a press", {{'m', 40.0f}}, 20.5f, " 0mm", 20.5f},
      {"release without a press", {{'u', 23.0f}}, 20.5f, " 2.5mm", 23.0f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    frmMain& w = open();
    w.chk_AdjustCutPos->setChecked(true);
    for (const auto& [kind, y] : c.events) {
      if (kind == 'u') {
        EXPECT_EQ(w.Picture1->lineY(), c.lineBeforeRelease);
        emit w.Picture1->mouseUp(y);
      } else if (kind == 'd') {
        emit w.Picture1->mouseDown(y);
      } else {
        emit w.Picture1->mouseMove(y);
      }
    }
    if (c.events.back().first != 'u') {
      EXPECT_EQ(w.Picture1->lineY(), c.lineBeforeRelease);
    }
    EXPECT_EQ(w.txtCutOffset->text(), QLatin1String(c.shown));
    EXPECT_EQ(w.Picture1->lineY(), c.lineY);
    // The drag ends with the release: a later move leaves the line alone.
    emit w.Picture1->mouseMove(35.0f);
    EXPECT_EQ(w.Picture1->lineY(), c.lineY);
  }
}

TEST_F(CutAdjuster, RealClickOnTheDiagramSetsTheOffset) {
  frmMain& w = open();
  w.show();
  w.SSTab1->setCurrentIndex(3);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.chk_AdjustCutPos->setChecked(true);
  // Row 55 of 101 is diagram height 29.95: offset 9.45 snaps to 9.5.
  QTest::mouseClick(w.Picture1, Qt::LeftButton, {}, QPoint(60, 55));
  EXPECT_EQ(w.txtCutOffset->text(), QStringLiteral(" 9.5mm"));
  EXPECT_EQ(w.Picture1->lineY(), 30.0f);
}

TEST_F(CutAdjuster, SwitchingOffAndOnKeepsTheOffset) {
  frmMain& w = open();
  const QObject* line = w.findChild<QObject*>(QStringLiteral("Line1"));
  ASSERT_NE(line, nullptr);
  // Set while off, as a preset does: works, and leaves the check box alone.
  w.AdjustCutPosition(3.5f);
  EXPECT_FALSE(w.chk_AdjustCutPos->isChecked());
  for (bool on : {true, false, true, false}) {
    SCOPED_TRACE(on);
    w.chk_AdjustCutPos->setChecked(on);
    EXPECT_EQ(w.Picture1->isEnabled(), on);
    EXPECT_EQ(w.txtCutOffset->isEnabled(), on);
    EXPECT_EQ(w.Picture1->adjusterOn(), on);
    EXPECT_EQ(line->property("color").value<QColor>(),
              on ? QColor(255, 0, 0) : QColor(128, 128, 128));
    EXPECT_EQ(w.txtCutOffset->text(), QStringLiteral(" 3.5mm"));
    EXPECT_EQ(w.Picture1->lineY(), 24.0f);
    EXPECT_EQ(line->property("y1").toFloat(), 24.0f);
  }
}

}  // namespace
}  // namespace MainWindowTests
