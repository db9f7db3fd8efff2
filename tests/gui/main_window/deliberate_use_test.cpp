#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Q6Test::hex;

// A printer setting changes only when the operator means to change it.
class DeliberateUse : public MainWindowTest {
 protected:
  frmMain& openActive() {
    frmMain& w = open();
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
  }

  // One notch of the wheel down, over the middle of the list.
  static void wheelDown(QWidget* list) {
    const QPointF at(list->width() / 2.0, list->height() / 2.0);
    QWheelEvent wheel(at, list->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list, &wheel);
  }
};

TEST_F(DeliberateUse, WheelChangesOnlyAFocusedList) {
  frmMain& w = openActive();
  w.SSTab1->setCurrentIndex(1);
  w.comDeviceID->setFocus();
  for (QComboBox* list : {w.comFF, w.comNESensor}) {
    SCOPED_TRACE(list->objectName().toStdString());
    wheelDown(list);
    EXPECT_EQ(list->currentIndex(), 0);
  }
  // The same notch over the focused list is a deliberate choice.
  ASSERT_TRUE(w.comDeviceID->hasFocus());
  wheelDown(w.comDeviceID);
  EXPECT_EQ(w.comDeviceID->currentIndex(), 1);
}

// The tab keys switch tabs wherever the focus is; the focused list keeps its setting.
TEST_F(DeliberateUse, TabKeysSwitchTabsFromAFocusedList) {
  const struct {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int from;
    int to;
  } cases[] = {
      {"Ctrl+PageDown", Qt::Key_PageDown, Qt::ControlModifier, 2, 3},
      {"Ctrl+PageUp", Qt::Key_PageUp, Qt::ControlModifier, 2, 1},
      {"Ctrl+Tab", Qt::Key_Tab, Qt::ControlModifier, 2, 3},
      {"Ctrl+Shift+Tab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 2, 1},
      {"Ctrl+Shift+Tab as Tab", Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 2, 1},
      {"Ctrl+Tab on the last tab", Qt::Key_Tab, Qt::ControlModifier, 6, 0},
      {"Ctrl+PageUp on the first tab", Qt::Key_PageUp, Qt::ControlModifier, 0, 6},
  };
  frmMain& w = openActive();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    w.SSTab1->setCurrentIndex(2);
    w.comDensity->setFocus();
    ASSERT_TRUE(w.comDensity->hasFocus());
    w.SSTab1->setCurrentIndex(c.from);
    QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
    EXPECT_EQ(w.SSTab1->currentIndex(), c.to);
    EXPECT_EQ(w.comDensity->currentIndex(), 0);
  }
}

TEST_F(DeliberateUse, EnterPressesTheFocusedButton) {
  useFileLink();
  frmMain& w = openActive();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    SCOPED_TRACE(key);
    clearPrinterBytes();
    w.Command4->setFocus();
    QTest::keyClick(w.Command4, key);
    EXPECT_EQ(printerBytes(), hex("1B 3F 0A 00"));  // the self test
  }
  EXPECT_TRUE(messages.shown.empty());
}

// The 43 code pages drop down as a scrolling list of about 16 entries, not over the whole screen.
TEST_F(DeliberateUse, LongListDropsDownAsAScrollingList) {
  frmMain& w = openActive();
  w.SSTab1->setCurrentIndex(4);
  QTest::mouseClick(w.comCPage, Qt::LeftButton);
  QAbstractItemView* view = w.comCPage->view();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
  const int row = view->sizeHintForRow(0);
  ASSERT_GT(row, 0);
  EXPECT_LE(view->height(), 17 * row);
  EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
  w.comCPage->hidePopup();
  EXPECT_EQ(w.comCPage->currentIndex(), 0);
}

}  // namespace
}  // namespace MainWindowTests
