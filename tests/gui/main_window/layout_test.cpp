#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>
#include <string>

#include "core/record/printer_record.h"
#include "gui/common/translation.h"
#include "gui/layout/layout_kit.h"
#include "gui/link/comm_settings_window.h"
#include "gui/presets/presets_window.h"
#include "gui/record/record_window.h"
#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Layout = MainWindowTest;
// Opens the communication window, whose search for printers runs beside it.
using LanguageLayout = MainWindowTest;

// English as the texts stand, every shipped language, and the pseudo-language that is 40% longer
// than the English.
QStringList everyLanguage() {
  return QStringList{QString()} + Q6::shippedLanguages() + QStringList{Q6Test::kPseudoLanguage};
}

// The smallest face a text may be drawn in, at 96 dpi.
constexpr double kSmallestReadablePoints = 7.0;

// Every text shown in `root` that is clipped or drawn smaller than is readable: labels in their
// box (word wrap considered), button and check box captions in the room the style leaves, every
// entry of a fixed list in its field, group box titles and tab captions. Some English entries are
// wider than their list already (the list shows them cut); `english` holds each entry's width in
// English, by list and position, and a translation may take as much.
using EntryWidths = QHash<QString, QList<int>>;
QStringList unreadableTexts(QWidget* root, EntryWidths& english, bool measuringEnglish) {
  QStringList problems;
  const auto note = [&problems](const QWidget* w, const QString& text, const QString& why) {
    problems << QStringLiteral("%1 \"%2\": %3").arg(w->objectName(), text, why);
  };
  const auto checkFace = [&](const QWidget* w, const QString& text) {
    if (w->font().pointSizeF() < kSmallestReadablePoints) {
      note(w, text, QStringLiteral("drawn at %1 pt").arg(w->font().pointSizeF()));
    }
  };
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(root)) {
      continue;
    }
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
      const int flags = static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
      const QRect text = l->fontMetrics().boundingRect(l->contentsRect(), flags, l->text());
      if (!l->contentsRect().contains(text)) {
        note(l, l->text(),
             QStringLiteral("needs %1x%2 in %3x%4")
                 .arg(text.width())
                 .arg(text.height())
                 .arg(l->contentsRect().width())
                 .arg(l->contentsRect().height()));
      }
      checkFace(l, l->text());
    } else if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty()) {
      QStyleOptionButton option;
      option.initFrom(b);
      option.text = b->text();
      const bool box = qobject_cast<QCheckBox*>(b) != nullptr;
      const QRect room = b->style()->subElementRect(
          box ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, b);
      const QString caption = QString(b->text()).remove(QLatin1Char('&'));
      const int width = b->fontMetrics().horizontalAdvance(caption);
      if (width > room.width() || b->fontMetrics().height() > room.height()) {
        note(b, caption, QStringLiteral("needs %1 of %2").arg(width).arg(room.width()));
      }
      checkFace(b, caption);
    } else if (auto* list = qobject_cast<QComboBox*>(w); list && !list->isEditable()) {
      QStyleOptionComboBox option;
      option.initFrom(list);
      const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                        QStyle::SC_ComboBoxEditField, list);
      QList<int>& englishWidths = english[list->objectName()];
      for (int i = 0; i < list->count(); ++i) {
        const int width = list->fontMetrics().horizontalAdvance(list->itemText(i));
        if (measuringEnglish) {
          englishWidths.resize(std::max<qsizetype>(englishWidths.size(), list->count()));
          englishWidths[i] = width;
        }
        if (width > std::max(field.width(), englishWidths.value(i))) {
          note(list, list->itemText(i),
               QStringLiteral("needs %1 of %2").arg(width).arg(field.width()));
        }
      }
    } else if (auto* group = qobject_cast<QGroupBox*>(w); group && !group->title().isEmpty()) {
      if (group->fontMetrics().horizontalAdvance(group->title()) > group->contentsRect().width()) {
        note(group, group->title(), QStringLiteral("wider than its box"));
      }
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
      // All captions stand in one row: nothing is elided as long as the row fits.
      if (tabs->tabBar()->sizeHint().width() > tabs->width()) {
        note(tabs, tabs->tabText(0),
             QStringLiteral("tab row needs %1 of %2")
                 .arg(tabs->tabBar()->sizeHint().width())
                 .arg(tabs->width()));
      }
    }
  }
  return problems;
}

// Where the fixed boxes cannot hold a text 40% longer than the English even at the smallest face:
// the fixed-width lists (some English entries overflow them already), two-line help texts on full
// rows and the left-hand test buttons. A real translation must fit there all the same (it is
// checked like every other text); any other control must hold the pseudo-language too.
const QStringList kCannotHoldPseudo{
    QStringLiteral("comDeviceID"),   QStringLiteral("comCRcode"), QStringLiteral("comPWidth"),
    QStringLiteral("comContextCut"), QStringLiteral("comSpeed"),  QStringLiteral("comCPage"),
    QStringLiteral("cmbEPSpacing"),  QStringLiteral("Label30"),   QStringLiteral("Label36"),
    QStringLiteral("labPWidth"),     QStringLiteral("Label13"),   QStringLiteral("Label7"),
    QStringLiteral("butCDrawer1"),   QStringLiteral("Command8"),  QStringLiteral("Command9")};

QStringList outsidePseudoFindings(const QString& language, QStringList problems) {
  if (language == Q6Test::kPseudoLanguage) {
    problems.removeIf([](const QString& problem) {
      return kCannotHoldPseudo.contains(problem.section(u' ', 0, 0));
    });
  }
  return problems;
}

// With Q6CONFIG_SCREENSHOTS set, the layout check leaves a picture of each window in each
// language in that folder (scripts/screenshots.sh runs it on a real display).
void keepPicture(QWidget* window, const QString& language, const QString& name) {
  const QString folder = qEnvironmentVariable("Q6CONFIG_SCREENSHOTS");
  if (folder.isEmpty() || language == Q6Test::kPseudoLanguage) {
    return;
  }
  const QString in = folder + u'/' + (language.isEmpty() ? QStringLiteral("en") : language);
  QDir().mkpath(in);
  window->grab().save(in + u'/' + name + QStringLiteral(".png"));
}

// A record that holds each kind of entry the record window shows, for its texts and its picture:
// a reset, settings delivered, a test, and settings that failed on the way, so some are unknown.
struct RecordToShow {
  RecordToShow() {
    previous = qgetenv("Q6CONFIG_RECORD");
    qputenv("Q6CONFIG_RECORD", folder.filePath(QStringLiteral("record.sqlite3")).toUtf8());
    auto record = Q6::PrinterRecord::open(Q6::defaultRecordPath());
    EXPECT_TRUE(record) << record.error().toStdString();
    const QDateTime start(QDate(2025, 3, 14), QTime(9, 12, 5), Qt::UTC);
    int minute = 0;
    const auto add = [&](const char* action, Q6::RecordEffect effect, const QStringList& settings,
                         qint64 bytes, Q6::RecordOutcome outcome, qint64 sent, const char* why) {
      Q6::RecordEntry e = Q6::entryBegunNow(QStringLiteral("q6config 1.8.0"));
      e.time = start.addSecs(60 * minute++);
      e.user = QStringLiteral("tech");
      e.host = QStringLiteral("service-desk");
      e.printer = printer;
      e.model = QStringLiteral("QLX500");
      e.action = QLatin1String(action);
      e.effect = effect;
      e.settings = settings;
      e.bytes = bytes;
      const auto ids =
          record ? (*record)->begin({e})
                 : Q6::RecordResult<std::vector<qint64>>(Q6::Refused{QStringLiteral("no record")});
      EXPECT_TRUE(ids && (*record)->complete({{ids->front(), outcome, sent, QLatin1String(why)}}));
    };
    using Outcome = Q6::RecordOutcome;
    add("Clear All Settings", Q6::RecordEffect::Reset, {}, 22, Outcome::Delivered, 22, "");
    add("Use Settings", Q6::RecordEffect::Settings,
        {"form-feed=partial-cut", "code-page=1252-windows-latin-1"}, 55, Outcome::Delivered, 55,
        "");
    add("test line-feed", Q6::RecordEffect::None, {}, 2, Outcome::Delivered, 2, "");
    add("Use Settings", Q6::RecordEffect::Settings, {"char-spacing=15-dot"}, 33, Outcome::Failed,
        11, "The printer closed the connection.");
  }
  ~RecordToShow() { qputenv("Q6CONFIG_RECORD", previous); }
  QTemporaryDir folder;
  QByteArray previous;
  const QString printer = QStringLiteral("tcp://192.0.2.10:9100");
};

// Every window in every language: each tab of the main window (with the model that shows the
// most), the communication window, the presets window and the record window. A translation that
// does not fit is made shorter; the windows do not grow.
TEST_F(LanguageLayout, EveryTextFitsInEveryLanguage) {
  EntryWidths english;
  for (const QString& language : everyLanguage()) {
    const bool measuringEnglish = language.isEmpty();
    SCOPED_TRACE(language.isEmpty() ? std::string("English") : language.toStdString());
    const Q6Test::Language speaking(language);
    ASSERT_TRUE(speaking.loaded());
    writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=Vorla QLX500")});
    frmMain& w = open();
    w.show();
    for (int tab = 0; tab < w.SSTab1->count(); ++tab) {
      w.SSTab1->setCurrentIndex(tab);
      SCOPED_TRACE("tab " + w.SSTab1->tabText(tab).toStdString());
      QWidget* page = w.SSTab1->widget(tab);
      EXPECT_EQ(outsidePseudoFindings(language, unreadableTexts(page, english, measuringEnglish)),
                QStringList());
      keepPicture(&w, language, QStringLiteral("main-%1").arg(tab));
    }
    EXPECT_EQ(outsidePseudoFindings(language, unreadableTexts(w.SSTab1, english, measuringEnglish)),
              QStringList());
    w.SSTab1->setCurrentIndex(0);

    {
      frmPort port(&w);
      port.show();
      EXPECT_EQ(outsidePseudoFindings(language, unreadableTexts(&port, english, measuringEnglish)),
                QStringList())
          << "frmPort";
      keepPicture(&port, language, QStringLiteral("communication"));
      port.hide();
    }
    {
      frmPresets presets(Q6::PresetTarget{&w, {}, {}});
      presets.setPresetsFolder(QStringLiteral(Q6CONFIG_SHIPPED_PRESETS));
      presets.show();
      EXPECT_EQ(
          outsidePseudoFindings(language, unreadableTexts(&presets, english, measuringEnglish)),
          QStringList())
          << "frmPresets";
      keepPicture(&presets, language, QStringLiteral("presets"));
      presets.hide();
    }
    {
      const RecordToShow filled;
      frmRecord record(filled.printer, QStringLiteral("QLX500"), &w);
      record.show();
      for (int tab = 0; tab < record.tabsRecord->count(); ++tab) {
        record.tabsRecord->setCurrentIndex(tab);
        EXPECT_EQ(
            outsidePseudoFindings(language, unreadableTexts(&record, english, measuringEnglish)),
            QStringList())
            << "frmRecord, tab " << tab;
        keepPicture(&record, language, QStringLiteral("record-%1").arg(tab));
      }
      record.hide();
    }
    window.reset();
  }
}

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
    showEveryTab(w);
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
    EXPECT_EQ(checked, 56);  // every label but the pictures carries a text
    QList<QAbstractButton*> buttons{w.chk_AdjustCutPos};
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
      buttons << b;
    }
    ASSERT_EQ(buttons.size(), 18);
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

// The fitting pass measures each text once and takes it from its memo when asked again; the
// memo's answers must be the ones measured afresh, or the window would shrink (or clip) texts that
// the checks above pass.
TEST_F(Layout, TextsMeasuredOnceInAPassMeasureAsMeasuredAfresh) {
  for (const char* model : {"Vorla QLX600", "Vorla QLX500"}) {
    SCOPED_TRACE(model);
    writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=") + QLatin1String(model)});
    frmMain& w = open();
    showEveryTab(w);
    std::vector<Q6::Layout::TextQuestion> questions;
    for (const QWidget* widget : w.findChildren<QWidget*>()) {
      if (const auto question = Q6::Layout::textQuestion(widget)) {
        questions.push_back(*question);
        // The same text a size smaller, and at twice the dpi: different questions, whose answers
        // must not be taken for each other's.
        Q6::Layout::TextQuestion smaller = *question;
        smaller.font.setPointSizeF(smaller.font.pointSizeF() - 0.25);
        Q6::Layout::TextQuestion sharper = *question;
        sharper.dpi *= 2;
        questions.insert(questions.end(), {smaller, sharper});
        EXPECT_GT(Q6::Layout::measure(sharper).height(), Q6::Layout::measure(*question).height());
      }
    }
    ASSERT_EQ(questions.size(), 3 * 74u);  // the 56 texts and 18 captions checked above
    Q6::Layout::TextSizes sizes;
    for (const Q6::Layout::TextQuestion& question : questions) {
      Q6::Layout::measure(question, &sizes);
    }
    for (const Q6::Layout::TextQuestion& question : questions) {
      SCOPED_TRACE(question.text.toStdString() + " " + std::to_string(question.font.pointSizeF()) +
                   " pt at " + std::to_string(question.dpi) + " dpi");
      EXPECT_EQ(Q6::Layout::measure(question, &sizes), Q6::Layout::measure(question));
    }
  }
}

// A text that does not fit its fixed box is drawn at the largest quarter point below its face
// that fits, never below 7 points; a text that fits again gets its face back. Boxes are set from
// what the text needs in the face, so the cases hold whatever face the desktop gives.
TEST(Fitting, LargestSizeThatFitsAndTheFaceBackWhenItFitsAgain) {
  enum class Expect { Face, Smaller, Smallest };
  const struct {
    const char* name;
    bool button;
    bool wrap;
    QString text;
    double widthShare;   // of the width the text needs in the face (one line)
    double heightShare;  // of the height it needs in a box 180 wide, for a wrapped label
    Expect expected;
  } cases[] = {
      {"fits", false, true, QStringLiteral("Version:"), 1.2, 2.0, Expect::Face},
      {"box exactly as tall as its line", false, true, QStringLiteral("Version:"), 1.2, 1.0,
       Expect::Face},
      {"help text a line too tall", false, true,
       QStringLiteral("Select the character spacing of the printers internal font. The default "
                      "is 12 dot."),
       0, 0.8, Expect::Smaller},
      {"one word wider than its box", false, true, QStringLiteral("Characterspacing"), 0.9, 2.0,
       Expect::Smaller},
      {"no size fits", false, true, QStringLiteral("Characterspacing"), 0.4, 2.0, Expect::Smallest},
      {"title on one line", false, false, QStringLiteral("Vorla QLX500/600 Setup Utility"), 0.9,
       2.0, Expect::Smaller},
      {"button caption", true, false, QStringLiteral("Print Character Set"), 0.9, 2.0,
       Expect::Smaller},
  };
  for (const auto& c : cases) {
    for (const bool memo : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (memo ? ", with a memo" : ""));
      QWidget page;
      page.setFont(Q6::Layout::windowFont());
      const QFontMetrics face(page.font());
      const int lineWidth = face.horizontalAdvance(c.text);
      const int wrappedHeight =
          face.boundingRect(QRect(0, 0, 180, 1000), Qt::TextWordWrap, c.text).height();
      QSize box(c.widthShare > 0 ? static_cast<int>(lineWidth * c.widthShare) : 180,
                static_cast<int>((c.wrap ? wrappedHeight : face.height()) * c.heightShare));
      QWidget* widget = nullptr;
      if (c.button) {
        box.rwidth() += 2 * Q6::Layout::kButtonTextMargin;
        widget = Q6::Layout::button(&page, "b", c.text, QRect(QPoint(0, 0), box));
      } else {
        QLabel* label = Q6::Layout::label(&page, "l", c.text, QRect(QPoint(0, 0), box));
        label->setWordWrap(c.wrap);
        widget = label;
      }
      const double design = widget->font().pointSizeF();
      // As the window does it, the page's texts measured earlier in the pass.
      Q6::Layout::TextSizes sizes;
      if (memo) {
        Q6::Layout::textFits(widget, &sizes);
      }
      Q6::Layout::fitText(widget, memo ? &sizes : nullptr);
      const double fitted = widget->font().pointSizeF();
      switch (c.expected) {
        case Expect::Face:
          EXPECT_EQ(fitted, design);
          EXPECT_TRUE(Q6::Layout::textFits(widget));
          break;
        case Expect::Smaller: {
          EXPECT_LT(fitted, design);
          EXPECT_GE(fitted, 7.0);
          EXPECT_TRUE(Q6::Layout::textFits(widget));
          QFont larger = widget->font();
          larger.setPointSizeF(fitted + 0.25);
          widget->setFont(larger);
          EXPECT_FALSE(Q6::Layout::textFits(widget)) << "a quarter point larger fits too";
          Q6::Layout::fitText(widget);  // starts again from the face
          EXPECT_EQ(widget->font().pointSizeF(), fitted);
          break;
        }
        case Expect::Smallest:
          EXPECT_EQ(fitted, 7.0);
          EXPECT_FALSE(Q6::Layout::textFits(widget));
          break;
      }
      // A profile's shorter text fits again: it is drawn in the face once more.
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(QStringLiteral("OK"));
      } else {
        static_cast<QPushButton*>(widget)->setText(QStringLiteral("OK"));
      }
      Q6::Layout::fitText(widget);
      EXPECT_EQ(widget->font().pointSizeF(), design);
    }
  }
}

}  // namespace
}  // namespace MainWindowTests
