#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Layout = MainWindowTest;

TEST_F(Layout, FixedSizeWindowWithItsSevenTabsInOneRow) {
  frmMain& w = open();
  EXPECT_EQ(w.minimumSize(), QSize(525, 362));
  EXPECT_EQ(w.maximumSize(), QSize(525, 362));
  EXPECT_FALSE(w.windowIcon().isNull());
  auto* tabs = find<QTabWidget>(QStringLiteral("SSTab1"));
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 7);
  // All seven captions stand in one row, inside the window.
  tabs->show();
  w.show();
  EXPECT_LE(tabs->tabBar()->sizeHint().width(), w.width());
}

TEST_F(Layout, SettingListsStandInOneRightHandColumnClearOfTheTexts) {
  frmMain& w = open();
  const QList<QComboBox*> lists = w.findChildren<QComboBox*>();
  ASSERT_EQ(lists.size(), 19);  // eighteen settings and the model
  int column = -1;
  for (QComboBox* list : lists) {
    if (list == w.cmbModel) {
      continue;
    }
    SCOPED_TRACE(list->objectName().toStdString());
    if (column < 0) {
      column = list->x();
    }
    EXPECT_EQ(list->x(), column);
    EXPECT_EQ(list->width(), 141);
    EXPECT_LE(list->geometry().right(), w.SSTab1->widget(1)->width());
    for (QLabel* label : list->parentWidget()->findChildren<QLabel*>()) {
      if (label->geometry().intersects(list->geometry())) {
        ADD_FAILURE() << "overlaps " << label->objectName().toStdString();
      }
    }
  }
}

// Hidden, disabled and checked states are in the inventory snapshot; the link component's own
// switches are not controls.
TEST_F(Layout, TheLinkOffersQueueNetworkAndFile) {
  frmMain& w = open();
  EXPECT_TRUE(w.scm_comms->showspooler);
  EXPECT_TRUE(w.scm_comms->showtcpip);
  EXPECT_TRUE(w.scm_comms->showfile);
}

// The boxes are fixed; whatever face the desktop gives, every text must be readable in full, inside
// its tab, and no help text may run into the control under it. Measured with each control's own
// font, against the room the style leaves for the caption.
TEST_F(Layout, NoTextIsClippedOrRunsIntoAnotherControlWithEitherModel) {
  for (const char* model : {"Vorla QLX600", "Vorla QLX500"}) {
    SCOPED_TRACE(model);
    writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=") + QLatin1String(model)});
    frmMain& w = open();
    w.show();
    const QRect tab(QPoint(0, 0), w.SSTab1->currentWidget()->size());
    int checked = 0;
    for (QLabel* l : w.findChildren<QLabel*>()) {
      if (l->text().isEmpty()) {
        continue;
      }
      SCOPED_TRACE(l->objectName().toStdString());
      ++checked;
      EXPECT_TRUE(tab.contains(l->geometry()));
      const int flags = static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
      const QRect text = l->fontMetrics().boundingRect(l->contentsRect(), flags, l->text());
      EXPECT_TRUE(l->contentsRect().contains(text))
          << text.width() << "x" << text.height() << " in " << l->width() << "x" << l->height();
      if (l->font().bold() || l->isHidden()) {
        continue;  // a title's box reaches into its help text's; only help texts run on
      }
      for (QWidget* other : l->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool below = other->y() > l->y() && other->x() <= l->geometry().right() &&
                           other->geometry().right() >= l->x();
        if (below && !other->isHidden()) {
          EXPECT_GT(other->y(), l->y() + text.bottom()) << other->objectName().toStdString();
        }
      }
    }
    EXPECT_EQ(checked, 55);  // every label but the pictures carries a text
    QList<QAbstractButton*> buttons{w.chk_AdjustCutPos};
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
      buttons << b;
    }
    ASSERT_EQ(buttons.size(), 17);
    for (QAbstractButton* b : buttons) {
      SCOPED_TRACE(b->objectName().toStdString());
      EXPECT_TRUE(tab.contains(b->geometry()));
      QStyleOptionButton option;
      option.initFrom(b);
      option.text = b->text();
      const QRect room = b->style()->subElementRect(
          b == w.chk_AdjustCutPos ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents,
          &option, b);
      EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), room.width());
      EXPECT_LE(b->fontMetrics().height(), room.height());
    }
  }
}

}  // namespace
}  // namespace MainWindowTests
