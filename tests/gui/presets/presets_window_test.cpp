#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <memory>
#include <vector>

#include "core/presets/preset_file.h"
#include "gui/main_window/main_window.h"
#include "gui/presets/presets_window.h"
#include "support/test_support.h"

namespace {

const char* const kListNames[] = {"comFF",    "comDeviceID", "comDensity", "comSpeed",
                                  "comBMark", "comCharSet",  "comCPage",   "comZStyle",
                                  "comLFeed", "comTopSearch"};

QByteArray lines(std::initializer_list<const char*> text) {
  QByteArray out;
  for (const char* line : text) {
    out += line;
    out += "\r\n";
  }
  return out;
}

const QByteArray kWorkedExample = lines({"VQ6PREV3", "Sample description", "2", "OFF", "3", "OFF",
                                         "1", "0", "OFF", "0", "OFF", "2.5", "1"});

const QString kSpeedAdvice = QStringLiteral(
    "The 'Optimum' print speed option acheives the highest possible output quality to acheive "
    "good results even on unsensitive paper types.\r\nCombine the setting with 130% density for "
    "maximum quality (at 120mm/second)\r\nor 120% density for second highest quality (at "
    "140mm/second.");

// Everything a preset may move, to see that a refused file moved nothing.
struct Snapshot {
  std::vector<int> positions;
  bool cutOn = false;
  QString cutText;
  bool operator==(const Snapshot&) const = default;
};

class PresetsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    // The QLX500, whose speed list has the fifth entry that shows the advice.
    Orvanel::openSettingsStore()->setValue(QStringLiteral("Printer/Model"), model);
    main = std::make_unique<frmMain>();
    main->show();
  }

  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = folder.filePath(name);
    EXPECT_TRUE(Q6Test::writeFile(path, bytes)) << path.toStdString();
    return path;
  }

  // Opens the presets window the way the main window's button does, on the test folder.
  frmPresets* open() {
    main->comPresets_Click();
    frmPresets* w = main->presetsWindow();
    if (w != nullptr && w->presetsFolder() != folder.path()) {
      w->setPresetsFolder(folder.path());
    }
    return w;
  }

  QStringList listed(frmPresets* w) const {
    QStringList names;
    for (int i = 0; i < w->filePresets->count(); ++i) {
      names << w->filePresets->item(i)->text();
    }
    return names;
  }

  void select(frmPresets* w, const QString& name) {
    const QList<QListWidgetItem*> items = w->filePresets->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << name.toStdString();
    w->filePresets->setCurrentItem(items.first());
  }

  QComboBox* list(const char* name) const { return main->findChild<QComboBox*>(name); }

  Snapshot snapshot() const {
    Snapshot s;
    for (const char* name : kListNames) {
      s.positions.push_back(list(name)->currentIndex());
    }
    s.cutOn = main->chk_AdjustCutPos->isChecked();
    s.cutText = main->txtCutOffset->text();
    return s;
  }

  std::vector<int> positions() const { return snapshot().positions; }

  QString model = QStringLiteral("Vorla QLX500");
  Q6Test::TempConfig config;
  QTemporaryDir folder;
  std::unique_ptr<frmMain> main;
};

TEST_F(PresetsWindow, LayoutAndFirstOpening) {
  write("b.pre", kWorkedExample);
  write("A.pre", kWorkedExample);
  write("C.PRE", kWorkedExample);  // copied from a system that ignores case
  write("notes.txt", kWorkedExample);
  write("c.pre.bak", kWorkedExample);
  write(".hidden.pre", kWorkedExample);
  ASSERT_TRUE(QDir(folder.path()).mkdir("folder.pre"));

  Q6Test::MessageCapture messages;
  frmPresets* w = open();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Preset Settings"));
  EXPECT_EQ(w->size(), QSize(331, 193));
  EXPECT_EQ(w->minimumSize(), w->maximumSize());

  const struct {
    const char* name;
    QRect geometry;
    QString text;
  } controls[] = {
      {"filePresets", {0, 0, 153, 162}, {}},
      {"comPUse", {4, 168, 65, 21}, QStringLiteral("Use")},
      {"comPSave", {76, 168, 65, 21}, QStringLiteral("Save New")},
      {"comPCancel", {264, 168, 65, 21}, QStringLiteral("Cancel")},
      {"labPDesc", {152, 0, 177, 161}, {}},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.name);
    QWidget* control = w->findChild<QWidget*>(c.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), c.geometry);
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      EXPECT_EQ(button->text(), c.text);
    }
  }
  EXPECT_FALSE(w->comPSave->isVisible());
  EXPECT_TRUE(w->labPDesc->wordWrap());
  EXPECT_EQ(w->labPDesc->textFormat(), Qt::PlainText);  // a description is never markup

  EXPECT_EQ(listed(w), (QStringList{"A.pre", "b.pre", "C.PRE"}));
  EXPECT_TRUE(w->filePresets->selectedItems().isEmpty());
  EXPECT_TRUE(w->labPDesc->text().isEmpty());

  const Snapshot before = snapshot();
  w->comPUse->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(snapshot(), before);
}

TEST_F(PresetsWindow, MissingFolderGivesAnEmptyList) {
  frmPresets* w = open();
  w->setPresetsFolder(folder.filePath("nowhere"));
  EXPECT_EQ(w->filePresets->count(), 0);
  EXPECT_TRUE(w->isVisible());
}

// The folder the product really reads: "Presets" beside the program. The file has a name of its
// own and the folder is removed afterwards only if this test made it.
TEST_F(PresetsWindow, PresetsBesideTheProgramAreListed) {
  const QString presets = QCoreApplication::applicationDirPath() + QStringLiteral("/Presets");
  const bool made = !QDir(presets).exists();
  ASSERT_TRUE(QDir().mkpath(presets));
  const QString name =
      QStringLiteral("beside-the-program-%1.pre").arg(QCoreApplication::applicationPid());
  const QString path = presets + QLatin1Char('/') + name;
  struct Cleanup {
    QString path;
    QString folder;
    bool made;
    ~Cleanup() {
      QFile::remove(path);
      if (made) {
        QDir().rmdir(folder);
      }
    }
  } cleanup{path, presets, made};
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(kWorkedExample);
  file.close();

  main->comPresets_Click();  // as the button does: no folder given
  frmPresets* w = main->presetsWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(listed(w).contains(name)) << listed(w).join(' ').toStdString();
}

TEST_F(PresetsWindow, SelectionShowsTheDescriptionAndSurvivesCancel) {
  write("one.pre", kWorkedExample);
  write("two.pre", lines({"VQ6PREV4", "\"From later, with a comma\""}));
  frmPresets* w = open();

  select(w, "one.pre");
  EXPECT_EQ(w->labPDesc->text(), QStringLiteral("Sample description"));
  select(w, "two.pre");  // the version is not looked at here
  EXPECT_EQ(w->labPDesc->text(), QStringLiteral("From later, with a comma"));

  w->comPCancel->click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(main->isVisible());

  // A file added meanwhile is not seen: the folder is read once.
  write("three.pre", kWorkedExample);
  EXPECT_EQ(open(), w);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(main->isVisible());
  EXPECT_EQ(listed(w), (QStringList{"one.pre", "two.pre"}));
  ASSERT_EQ(w->filePresets->selectedItems().size(), 1);
  EXPECT_EQ(w->filePresets->selectedItems().first()->text(), QStringLiteral("two.pre"));
  EXPECT_EQ(w->labPDesc->text(), QStringLiteral("From later, with a comma"));
}

TEST_F(PresetsWindow, NotAPresetWarnsAndKeepsTheDescription) {
  write("good.pre", kWorkedExample);
  write("lower.pre", lines({"vq6prev3", "Lower"}));
  write("empty.pre", {});
  write("big.pre", "VQ6PREV3\r\nBig\r\n" + QByteArray(Q6::kPresetFileLimit, ' '));
  frmPresets* w = open();
  select(w, "good.pre");

  for (const char* name : {"lower.pre", "empty.pre", "big.pre"}) {
    SCOPED_TRACE(name);
    Q6Test::MessageCapture messages;
    select(w, name);
    ASSERT_EQ(messages.shown.size(), 1u);
    const Q6::MessageRequest& box = messages.shown[0];
    EXPECT_EQ(box.text, QStringLiteral("The preset '") + name +
                            QStringLiteral("' does not appear to be a preset file.\x0A  This may "
                                           "be a corrupt file or it may require a more revent "
                                           "version of the Vorla QLX600 Setup utility."));
    EXPECT_EQ(box.title, QStringLiteral("Incorrect Preset File"));
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(w->labPDesc->text(), QStringLiteral("Sample description"));
  }
}

TEST_F(PresetsWindow, RefusedFilesChangeNothingAndKeepTheWindowOpen) {
  const QString corrupt = QStringLiteral("Corrupt preset file");
  const QString later = QStringLiteral(
      "This preset file is designed for a later version of the QLX600 Setup Utility!");
  const struct {
    const char* name;
    QByteArray data;
    QString message;
  } cases[] = {
      {"lower.pre", lines({"vq6prev3", "d", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
       corrupt},
      {"later.pre", lines({"VQ6PREV4", "d", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
       later},
      {"empty.pre", {}, corrupt},
      {"short.pre", lines({"VQ6PREV3", "d", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}),
       corrupt},
      // Every field before the bad one is valid: nothing may be applied before the whole check.
      {"beyond.pre",
       lines({"VQ6PREV3", "d", "2", "2", "2", "2", "1", "15", "41", "1", "1", "0", "3"}), corrupt},
      {"cut.pre", lines({"VQ6PREV2", "d", "2", "2", "2", "3", "1", "15", "41", "1", "1", "2x"}),
       corrupt},
      {"junk.pre", Q6Test::hex("00 FF 22 2C 0D 0A 80 7F"), corrupt},
  };
  for (const auto& c : cases) {
    write(c.name, c.data);
  }
  frmPresets* w = open();
  // Known starting values that every case would move.
  main->chk_AdjustCutPos->setChecked(true);
  main->AdjustCutPosition(-3.0f);
  const Snapshot before = snapshot();

  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Q6Test::MessageCapture messages;
    select(w, c.name);  // some of them also warn here
    messages.shown.clear();
    w->comPUse->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, c.message);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("Q6Config"));
    EXPECT_EQ(messages.shown[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(messages.shown[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(snapshot(), before);
  }

  w->comPCancel->click();
  EXPECT_TRUE(main->isVisible());
}

TEST_F(PresetsWindow, TitleBarCloseActsAsCancel) {
  write("one.pre", kWorkedExample);
  frmPresets* w = open();
  select(w, "one.pre");
  ASSERT_NE(w->windowHandle(), nullptr);

  // What the window system sends when the close button is pressed.
  QCloseEvent event;
  QCoreApplication::sendEvent(w->windowHandle(), &event);

  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(open(), w);
  EXPECT_EQ(w->labPDesc->text(), QStringLiteral("Sample description"));
}

TEST_F(PresetsWindow, WorkedExampleMovesTheListsAndTheAdjuster) {
  write("example.pre", kWorkedExample);
  frmPresets* w = open();
  select(w, "example.pre");
  Q6Test::MessageCapture messages;
  w->comPUse->click();

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(positions(), (std::vector<int>{3, 0, 4, 0, 2, 1, 0, 1, 0, 2}));
  EXPECT_EQ(list("comFF")->currentText(), QStringLiteral("Partial Cut"));
  EXPECT_EQ(list("comDensity")->currentText(), QStringLiteral("Normal"));
  EXPECT_EQ(list("comCharSet")->currentText(), QStringLiteral("USA"));
  EXPECT_EQ(list("comTopSearch")->currentText(), QStringLiteral("Reverse to 3mm"));
  EXPECT_TRUE(main->chk_AdjustCutPos->isChecked());
  EXPECT_TRUE(main->txtCutOffset->isEnabled());
  EXPECT_EQ(main->txtCutOffset->text(), QStringLiteral(" 3.5mm"));
}

TEST_F(PresetsWindow, CutValuesThroughTheAdjuster) {
  const struct {
    const char* cut;
    bool on;
    const char* text;
  } cases[] = {
      {"0", true, " 1mm"},      {"-1", true, " 0mm"},    {"-12", true, "-10mm"},
      {"31", true, " 31.75mm"}, {"2.5", true, " 3.5mm"}, {"-1.75", true, "-.75mm"},
      {"OFF", false, " 7mm"},  // the offset stays as it was
  };
  frmPresets* w = open();
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cut);
    const QString name = QStringLiteral("cut%1.pre").arg(n++);
    write(name, lines({"VQ6PREV2", "d", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF",
                       "OFF", c.cut}));
    w->setPresetsFolder(folder.path());
    main->chk_AdjustCutPos->setChecked(!c.on);
    main->AdjustCutPosition(7.0f);
    open();
    select(w, name);
    w->comPUse->click();
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->chk_AdjustCutPos->isChecked(), c.on);
    EXPECT_EQ(main->txtCutOffset->isEnabled(), c.on);
    EXPECT_EQ(main->txtCutOffset->text(), QString::fromLatin1(c.text));
  }
}

TEST_F(PresetsWindow, EachVersionTouchesOnlyItsFields) {
  const struct {
    const char* name;
    QByteArray data;
    std::vector<int> positions;
    bool cutOn;
    const char* cutText;
  } cases[] = {
      {"v0.pre",
       lines({"VQ6PREV", "d", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}),
       {1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
       false,
       " 5mm"},
      {"v1.pre",
       lines({"VQ6PREV1", "d", "off", "-1", "6", "3", "0", "15", "41", "1", "0"}),
       {1, 0, 7, 4, 1, 16, 42, 2, 1, 1},
       false,
       " 5mm"},
      {"v2.pre",
       lines({"VQ6PREV2", "d", "2", "2", "0", "2", "1", "0", "0", "0", "1", "1", "2"}),
       {3, 3, 1, 3, 2, 1, 1, 1, 2, 1},
       true,
       " 2mm"},
  };
  for (const auto& c : cases) {
    write(c.name, c.data);
  }
  frmPresets* w = open();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* name : kListNames) {
      list(name)->setCurrentIndex(1);
    }
    main->chk_AdjustCutPos->setChecked(false);
    main->AdjustCutPosition(5.0f);
    open();
    select(w, c.name);
    Q6Test::MessageCapture messages;
    w->comPUse->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(positions(), c.positions);
    EXPECT_EQ(main->chk_AdjustCutPos->isChecked(), c.cutOn);
    EXPECT_EQ(main->txtCutOffset->text(), QString::fromLatin1(c.cutText));
  }
}

TEST_F(PresetsWindow, SpeedAdviceAppearsWhileLoading) {
  write("optimum.pre",
        lines({"VQ6PREV3", "Optimum", "1", "0", "0", "3", "1", "0", "0", "0", "0", "OFF", "0"}));
  frmPresets* w = open();
  ASSERT_EQ(list("comSpeed")->count(), 5);
  select(w, "optimum.pre");

  // What had been applied when the advice came up: the lists before speed, none after.
  std::vector<Q6::MessageRequest> shown;
  std::vector<int> atAdvice;
  Q6::setMessageHandler([&](const Q6::MessageRequest& r) {
    shown.push_back(r);
    atAdvice = positions();
    return QMessageBox::Ok;
  });
  w->comPUse->click();
  Q6Test::installUnexpectedMessageGuard();

  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, kSpeedAdvice);
  EXPECT_EQ(shown[0].title, QStringLiteral("Information"));
  EXPECT_EQ(shown[0].icon, QMessageBox::Information);
  EXPECT_EQ(atAdvice, (std::vector<int>{2, 1, 1, 4, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(positions(), (std::vector<int>{2, 1, 1, 4, 2, 1, 1, 1, 1, 1}));
  EXPECT_TRUE(main->isVisible());
}

class PresetsWindowQLX600 : public PresetsWindow {
 protected:
  void SetUp() override {
    model = QStringLiteral("Vorla QLX600");
    PresetsWindow::SetUp();
  }
};

TEST_F(PresetsWindowQLX600, OptimumSpeedIsBeyondTheList) {
  write("optimum.pre",
        lines({"VQ6PREV3", "Optimum", "1", "0", "0", "3", "1", "0", "0", "0", "0", "OFF", "0"}));
  frmPresets* w = open();
  ASSERT_EQ(list("comSpeed")->count(), 4);
  select(w, "optimum.pre");
  const Snapshot before = snapshot();
  Q6Test::MessageCapture messages;
  w->comPUse->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, QStringLiteral("Corrupt preset file"));
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(w->isVisible());
}

// The window behaves as a dialog for the keyboard: Escape is "Cancel" wherever the focus is, Enter
// presses the focused button and applies nothing from the file list.
TEST_F(PresetsWindow, EscapeCancelsAndEnterPressesTheFocusedButton) {
  write("example.pre", kWorkedExample);
  const Snapshot before = snapshot();
  const std::vector<int> applied{3, 0, 4, 0, 2, 1, 0, 1, 0, 2};
  const struct {
    QPushButton* frmPresets::*button;  // nullptr: the file list
    Qt::Key key;
    bool leaves;
    bool applies;
  } cases[] = {
      {nullptr, Qt::Key_Escape, true, false},
      {&frmPresets::comPUse, Qt::Key_Escape, true, false},
      {nullptr, Qt::Key_Return, false, false},
      {&frmPresets::comPCancel, Qt::Key_Return, true, false},
      {&frmPresets::comPUse, Qt::Key_Enter, true, true},
  };
  Q6Test::MessageCapture messages;
  for (const auto& c : cases) {
    frmPresets* w = open();
    SCOPED_TRACE(::testing::Message()
                 << (c.button ? (w->*c.button)->text().toStdString() : "list") << " key " << c.key);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    select(w, "example.pre");
    QWidget* focus = c.button ? static_cast<QWidget*>(w->*c.button) : w->filePresets;
    focus->setFocus();
    QTest::keyClick(focus, c.key, c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_EQ(w->isVisible(), !c.leaves);
    EXPECT_EQ(main->isVisible(), c.leaves);
    EXPECT_EQ(snapshot().positions, c.applies ? applied : before.positions);
  }
  EXPECT_TRUE(messages.shown.empty());
}

// What a screen reader hears: a dialog, its file list by name.
TEST_F(PresetsWindow, TheWindowIsADialogWithANamedFileList) {
  frmPresets* w = open();
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(w);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->role(), QAccessible::Dialog);
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Preset Settings"));
  QAccessibleInterface* files = QAccessible::queryAccessibleInterface(w->filePresets);
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->role(), QAccessible::List);
  EXPECT_EQ(files->text(QAccessible::Name), QStringLiteral("Preset files"));
}

}  // namespace
