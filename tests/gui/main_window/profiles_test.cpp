#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Profiles = MainWindowTest;

QStringList entries(const QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) {
    out << list->itemText(i);
  }
  return out;
}

const QStringList kDensity{"No Change", "130% (Darkest)", "120%", "110%", "Normal", "90%", "80%",
                           "70%"};
const QStringList kSpeed600{"No Change", "150mm/second", "100mm/second", "50mm/second"};
const QStringList kSpeed500{"No Change", "180mm/second", "120mm/second", "75mm/second",
                            "Optimum Density"};
const QStringList kPaperWidth500{"No Change", "82mm (80mm print area)", "80mm (72mm print area)",
                                 "58mm (52.5mm print area)"};
const QStringList kPaperWidthBefore{"No Change", "Enabled", "Disabled"};

const char* const kFontSize600 =
    "This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful "
    "when the printer is used to replace a 180dpi printer. This feature requires Version 4.3 or "
    "later firmware.";
const char* const kFontSize500 =
    "This option selects an alternative (larger) font for use in ESC/POS mode. This may be useful "
    "when the printer is used to replace a 180dpi printer. This feature requires Version 3.2 or "
    "later firmware.";
// Two blanks before "and" and before "or later".
const char* const kSpacing600 =
    "Increasing the default character spacing can (in combination with the larger font) help "
    "simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable "
    "'Maximum ESC/POS Print Columns'. This feature requires version 4.3  or later firmware.";
const char* const kSpacing500 =
    "Increasing the default character spacing can (in combination with the larger font) help "
    "simulate the output of 180dpi printers. It is recommended to use 1 dot spacing  and enable "
    "'Maximum ESC/POS Print Columns'. This feature requires version 3.2  or later firmware.";

// Switching back and forth must rebuild the lists, never add entries twice, and leave every
// model-dependent list at "No Change".
TEST_F(Profiles, SwitchingModelsRebuildsListsAndGroups) {
  frmMain& w = open();  // first run: QLX500
  const auto expectProfile = [&w](bool qlx500) {
    EXPECT_EQ(entries(w.comSpeed), qlx500 ? kSpeed500 : kSpeed600);
    EXPECT_EQ(entries(w.comDensity), kDensity);
    EXPECT_EQ(w.comSpeed->currentIndex(), 0);
    EXPECT_EQ(w.comDensity->currentIndex(), 0);
    EXPECT_EQ(w.comPWidth->currentIndex(), 0);
    EXPECT_EQ(w.comESCPOSColumns->currentIndex(), 0);
    EXPECT_EQ(w.comContextCut->currentIndex(), 0);
    // The paper-width entries come with the first QLX500 profile and then stay.
    EXPECT_EQ(entries(w.comPWidth), kPaperWidth500);
    for (QWidget* member : std::initializer_list<QWidget*>{
             w.comPWidth, w.labPWidth, w.labPWidthT, w.comESCPOSColumns, w.labESCPOSColumns,
             w.labESCPOSColumnsT, w.comContextCut, w.labContextCut, w.labContextCutT,
             w.txtContFeeds, w.labContFeeds}) {
      EXPECT_EQ(member->isHidden(), !qlx500) << member->objectName().toStdString();
    }
    EXPECT_FALSE(w.txtContFeeds->isEnabled());
    EXPECT_NE(w.labContFeeds->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(w.labEPFontSize->text(), QLatin1String(qlx500 ? kFontSize500 : kFontSize600));
    EXPECT_EQ(w.labEPSpacing->text(), QLatin1String(qlx500 ? kSpacing500 : kSpacing600));
    EXPECT_EQ(w.imgPrinter->pixmap().toImage(),
              (qlx500 ? w.imgQLX500 : w.imgQLX600)->pixmap().toImage());
  };
  expectProfile(true);
  for (int model : {0, 1, 0, 1}) {
    SCOPED_TRACE(model);
    // Disturb the lists the profile resets.
    w.comDensity->setCurrentIndex(3);
    w.comSpeed->setCurrentIndex(2);
    w.comPWidth->setCurrentIndex(1);
    w.comESCPOSColumns->setCurrentIndex(2);
    w.comContextCut->setCurrentIndex(2);
    ASSERT_TRUE(w.txtContFeeds->isEnabled());
    w.cmbModel->setCurrentIndex(model);
    expectProfile(model == 1);
  }
}

// Each reset list runs its reaction at its own step, and the two profiles reset the columns and
// the contextual cut in opposite orders.
TEST_F(Profiles, EachProfileResetsItsListsInItsOwnOrder) {
  frmMain& w = open();
  QStringList order;
  for (QComboBox* list :
       {w.comSpeed, w.comDensity, w.comPWidth, w.comESCPOSColumns, w.comContextCut}) {
    QObject::connect(list, &QComboBox::currentIndexChanged, &w,
                     [&order, list] { order << list->objectName(); });
  }
  const struct {
    int model;
    QStringList order;
  } cases[] = {
      {0, {"comSpeed", "comDensity", "comPWidth", "comContextCut", "comESCPOSColumns"}},
      {1, {"comSpeed", "comDensity", "comPWidth", "comESCPOSColumns", "comContextCut"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.model);
    w.comPWidth->setCurrentIndex(1);
    w.comESCPOSColumns->setCurrentIndex(1);
    w.comContextCut->setCurrentIndex(1);
    order.clear();
    w.cmbModel->setCurrentIndex(c.model);
    EXPECT_EQ(order, c.order);
  }
}

TEST_F(Profiles, QLX600StartKeepsThePaperWidthListItHadAndHidesIt) {
  writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=Vorla QLX600")});
  frmMain& w = open();
  EXPECT_EQ(entries(w.comPWidth), kPaperWidthBefore);
  EXPECT_EQ(w.comPWidth->currentIndex(), 0);
  EXPECT_TRUE(w.comPWidth->isHidden());
  EXPECT_EQ(entries(w.comSpeed), kSpeed600);
  EXPECT_TRUE(w.comESCPOSColumns->isHidden());
  EXPECT_TRUE(w.comContextCut->isHidden());
}

TEST_F(Profiles, ModelChangeKeepsTheListsItDoesNotOwn) {
  frmMain& w = open();
  w.comFF->setCurrentIndex(2);
  w.comCPage->setCurrentIndex(23);
  w.cmbBigFont->setCurrentIndex(2);
  w.comTopSearch->setCurrentIndex(3);
  w.txtContFeeds->setText(QStringLiteral("7"));
  w.cmbModel->setCurrentIndex(0);
  w.cmbModel->setCurrentIndex(1);
  EXPECT_EQ(w.comFF->currentIndex(), 2);
  EXPECT_EQ(w.comCPage->currentIndex(), 23);
  EXPECT_EQ(w.cmbBigFont->currentIndex(), 2);
  EXPECT_EQ(w.comTopSearch->currentIndex(), 3);
  EXPECT_EQ(w.txtContFeeds->text(), QStringLiteral("7"));
}

using Reactions = MainWindowTest;

const QString kAdvice = QStringLiteral(
    "The 'Optimum' print speed option acheives the highest possible output quality to acheive good "
    "results even on unsensitive paper types.\r\nCombine the setting with 130% density for maximum "
    "quality (at 120mm/second)\r\nor 120% density for second highest quality (at 140mm/second.");

TEST_F(Reactions, SpeedAdviceForOptimumDensityOnlyAndEachTimeItIsChosen) {
  frmMain& w = open();
  // The switch to QLX600 puts the speed list back at "No Change" without advice.
  const struct {
    int model;  // -1: keep
    int speed;
    int advicesSoFar;
  } steps[] = {
      {-1, 1, 0}, {-1, 2, 0}, {-1, 3, 0}, {-1, 4, 1}, {-1, 0, 1},
      {-1, 4, 2}, {0, -1, 2}, {-1, 3, 2}, {1, -1, 2}, {-1, 4, 3},
  };
  for (const auto& s : steps) {
    if (s.model >= 0) {
      w.cmbModel->setCurrentIndex(s.model);
      EXPECT_EQ(w.comSpeed->currentIndex(), 0);
    }
    if (s.speed >= 0) {
      w.comSpeed->setCurrentIndex(s.speed);
      EXPECT_EQ(w.comSpeed->currentIndex(), s.speed) << "the advice leaves the choice alone";
    }
    ASSERT_EQ(static_cast<int>(messages.shown.size()), s.advicesSoFar)
        << "model " << s.model << " speed " << s.speed;
  }
  for (const Q6::MessageRequest& r : messages.shown) {
    EXPECT_EQ(r.text, kAdvice);
    EXPECT_EQ(r.title, QStringLiteral("Information"));
    EXPECT_EQ(r.icon, QMessageBox::Information);
    EXPECT_EQ(r.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  }
  EXPECT_EQ(w.comDensity->currentIndex(), 0);
}

TEST_F(Reactions, LineFeedCountFollowsTheContextualCutAndKeepsItsText) {
  frmMain& w = open();
  const QColor black(0, 0, 0);
  const QColor grey = w.labContFeeds->palette().color(QPalette::WindowText);
  EXPECT_NE(grey, black);
  const struct {
    int position;
    bool enabled;
  } steps[] = {{2, true}, {1, false}, {3, true}, {0, false}, {3, true}, {2, true}, {1, false}};
  w.txtContFeeds->setText(QStringLiteral("9"));
  for (const auto& s : steps) {
    SCOPED_TRACE(s.position);
    w.comContextCut->setCurrentIndex(s.position);
    EXPECT_EQ(w.txtContFeeds->isEnabled(), s.enabled);
    EXPECT_EQ(w.labContFeeds->palette().color(QPalette::WindowText), s.enabled ? black : grey);
    EXPECT_EQ(w.txtContFeeds->text(), QStringLiteral("9"));
  }
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace MainWindowTests
