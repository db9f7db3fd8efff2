// The record window as the technician reads it: what q6config-cli and a run cut short left in the
// record, read back from the window's own widgets; and what it says when there is no record yet,
// when the record cannot be read, and when there is more than it shows. It never makes or changes
// a record.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include "core/link/printer_identity.h"
#include "core/record/printer_record.h"
#include "core/settings/settings_table.h"
#include "gui/record/record_window.h"
#include "support/test_support.h"

namespace {

class RecordWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previous = qgetenv("Q6CONFIG_RECORD");
    useRecord(dir.filePath(QStringLiteral("record.sqlite3")));
  }
  void TearDown() override { qputenv("Q6CONFIG_RECORD", previous); }

  // The window reads the record the programs use, which Q6CONFIG_RECORD names.
  void useRecord(const QString& path) {
    record = path;
    qputenv("Q6CONFIG_RECORD", path.toUtf8());
  }
  QString printerFile() const { return dir.filePath(QStringLiteral("printer.bin")); }
  QString printer() const {
    Orvanel::LinkSettings link;
    link.kind = Orvanel::ConnectionKind::File;
    link.path = printerFile();
    return Q6::recordPrinterName(link);
  }

  // q6config-cli with the record named on its command line, sending to the file printer.
  void cli(QStringList args) {
    args << QStringLiteral("--record") << record << QStringLiteral("--to")
         << QStringLiteral("file:") + printerFile();
    QProcess program;
    program.start(QStringLiteral(Q6CONFIG_CLI_PATH), args);
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(60000));
    ASSERT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  }

  // Entries begun straight in the record and never completed, as a run killed mid-way leaves them.
  void beginOnly(const std::vector<Q6::RecordEntry>& entries) {
    auto opened = Q6::PrinterRecord::open(record);
    ASSERT_TRUE(opened) << opened.error().toStdString();
    const auto ids = (*opened)->begin(entries);
    ASSERT_TRUE(ids) << ids.error().toStdString();
  }
  static Q6::RecordEntry entry(const QString& printer, const QString& action,
                               Q6::RecordEffect effect, const QStringList& settings = {}) {
    Q6::RecordEntry e = Q6::entryBegunNow(QStringLiteral("q6config 1.8.0"));
    e.printer = printer;
    e.model = QStringLiteral("QLX600");
    e.action = action;
    e.effect = effect;
    e.settings = settings;
    e.bytes = 33;
    return e;
  }

  QTemporaryDir dir;
  QString record;
  QByteArray previous;
};

QString cell(const QTableWidget* table, int row, int column) {
  const QTableWidgetItem* item = table->item(row, column);
  return item ? item->text() : QStringLiteral("<no cell>");
}

int rowWith(const QTableWidget* table, const QString& first) {
  for (int row = 0; row < table->rowCount(); ++row) {
    if (cell(table, row, 0) == first) {
      return row;
    }
  }
  return -1;
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kWho = Q6::recordUser() + u'@' + Q6::recordHost();

// A reset, an apply and a test by the command-line tool, then a Use Settings that never finished:
// newest first, each with who, what, how it ended and its bytes; and every setting of the model
// the record last names, the one cut short marked unknown.
TEST_F(RecordWindow, ShowsTheEntriesAndSettingsTheToolAndACutShortRunLeft) {
  cli({QStringLiteral("reset"), QStringLiteral("--yes")});
  cli({QStringLiteral("apply"), QStringLiteral("--model"), QStringLiteral("QLX600"),
       QStringLiteral("--set"), QStringLiteral("form-feed=partial-cut"),
       QStringLiteral("code-page=1252")});
  cli({QStringLiteral("test"), QStringLiteral("line-feed")});
  beginOnly({entry(printer(), QStringLiteral("Use Settings"), Q6::RecordEffect::Settings,
                   {QStringLiteral("zero-style=slash")})});
  const QByteArray before = contents(record);

  // The window is set to the QLX500; the record says the printer was set up as a QLX600.
  frmRecord w(printer(), QStringLiteral("QLX500"));
  auto* labPrinter = w.findChild<QLabel*>(QStringLiteral("labPrinter"));
  auto* labRecordFile = w.findChild<QLabel*>(QStringLiteral("labRecordFile"));
  auto* labNote = w.findChild<QLabel*>(QStringLiteral("labNote"));
  auto* entries = w.findChild<QTableWidget*>(QStringLiteral("tblEntries"));
  auto* settings = w.findChild<QTableWidget*>(QStringLiteral("tblSettings"));
  ASSERT_TRUE(labPrinter && labRecordFile && labNote && entries && settings);
  EXPECT_EQ(labPrinter->text(), QStringLiteral("Printer: %1 (QLX600)").arg(printer()));
  EXPECT_EQ(labRecordFile->text(),
            QStringLiteral("Record: ") + QFileInfo(record).absoluteFilePath());
  EXPECT_TRUE(labNote->isHidden()) << labNote->text().toStdString();

  const struct {
    const char* what;
    const char* outcome;
    const char* bytes;
    bool marked;
  } sent[] = {
      {"Use Settings: zero-style=slash", "unfinished", "0 of 33", true},
      {"test line-feed", "delivered", "2 of 2", false},
      {"apply: form-feed=partial-cut code-page=1252-windows-latin-1", "delivered", "55 of 55",
       false},
      {"reset", "delivered", "22 of 22", false},
  };
  ASSERT_EQ(entries->rowCount(), static_cast<int>(std::size(sent)));
  ASSERT_EQ(entries->columnCount(), Q6::kEntryColumns);
  const QRegularExpression localTime(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"));
  for (int row = 0; row < entries->rowCount(); ++row) {
    SCOPED_TRACE(sent[row].what);
    EXPECT_EQ(cell(entries, row, Q6::kEntryWhat), QLatin1String(sent[row].what));
    EXPECT_EQ(cell(entries, row, Q6::kEntryOutcome), QLatin1String(sent[row].outcome));
    EXPECT_EQ(cell(entries, row, Q6::kEntryBytes), QLatin1String(sent[row].bytes));
    EXPECT_EQ(cell(entries, row, Q6::kEntryWho), kWho);
    EXPECT_EQ(cell(entries, row, Q6::kEntryReason), QString());
    EXPECT_TRUE(localTime.match(cell(entries, row, Q6::kEntryWhen)).hasMatch());
    if (row > 0) {
      EXPECT_LE(cell(entries, row, Q6::kEntryWhen), cell(entries, row - 1, Q6::kEntryWhen));
    }
    EXPECT_EQ(entries->item(row, Q6::kEntryOutcome)->font().bold(), sent[row].marked);
  }

  const struct {
    const char* setting;
    const char* value;
    bool marked;
    bool said;  // an entry said something about it: since when and by whom
  } held[] = {
      {"form-feed", "Partial Cut", false, true},
      {"code-page", "1252 (Windows Latin-1)", false, true},
      {"char-set", "factory", false, true},
      {"zero-style", "unknown", true, true},
  };
  for (const auto& h : held) {
    SCOPED_TRACE(h.setting);
    const int row = rowWith(settings, QString::fromUtf8(Q6::findSetting(h.setting)->caption));
    ASSERT_GE(row, 0);
    EXPECT_EQ(cell(settings, row, Q6::kStateValue), QLatin1String(h.value));
    EXPECT_EQ(settings->item(row, Q6::kStateValue)->font().bold(), h.marked);
    EXPECT_EQ(settings->item(row, Q6::kStateValue)->foreground().style() != Qt::NoBrush, h.marked);
    EXPECT_TRUE(localTime.match(cell(settings, row, Q6::kStateSince)).hasMatch());
    EXPECT_EQ(cell(settings, row, Q6::kStateBy), kWho);
  }
  // The QLX600's settings, not the window's model's: no contextual cut.
  EXPECT_EQ(rowWith(settings, QString::fromUtf8(Q6::findSetting("context-cut")->caption)), -1);
  int offered = 0;
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    offered += Q6::settingAvailable(row, *Q6::modelFromName(QStringLiteral("QLX600"))) ? 1 : 0;
  }
  EXPECT_EQ(settings->rowCount(), offered);
  EXPECT_EQ(contents(record), before);  // read, never written
}

// With nothing to show the window says why in its note, as text, not as an error box; a record
// that cannot be read is named with the reason, and nothing is made or changed.
TEST_F(RecordWindow, SaysWhyThereIsNothingToShowAndLeavesTheRecordAsItWas) {
  const QByteArray notes = "the shop's notes, not a database\n";
  const struct {
    const char* name;
    std::function<void(const QString& path)> prepare;
    std::function<QString(const QString& path)> note;
    int settingsRows;  // -1: every setting of the window's model, unknown
  } rows[] = {
      {"no record yet", [](const QString&) {},
       [](const QString&) {
         return QStringLiteral("Nothing has been sent with this computer's record yet.");
       },
       0},
      {"a file that is no record",
       [&](const QString& path) { ASSERT_TRUE(Q6Test::writeFile(path, notes)); },
       [](const QString& path) {
         return QStringLiteral("The record at %1 cannot be read: file is not a database").arg(path);
       },
       0},
      {"a folder where the record should be",
       [](const QString& path) { ASSERT_TRUE(QDir().mkpath(path)); },
       [](const QString& path) {
         return QStringLiteral("The record at %1 cannot be read: ").arg(path);
       },
       0},
      {"a record of other printers only",
       [this](const QString&) {
         beginOnly({entry(QStringLiteral("tcp://192.0.2.7:9100"), QStringLiteral("reset"),
                          Q6::RecordEffect::Reset)});
       },
       [](const QString&) {
         return QStringLiteral("The record holds nothing sent to this printer yet.");
       },
       -1},
  };
  int n = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    const QString folder = dir.filePath(QString::number(++n));
    ASSERT_TRUE(QDir().mkpath(folder));
    useRecord(folder + QStringLiteral("/record.sqlite3"));
    r.prepare(record);
    const bool existed = QFileInfo::exists(record);
    const QByteArray before = contents(record);
    Q6Test::MessageCapture boxes;

    frmRecord w(printer(), QStringLiteral("QLX500"));
    auto* labNote = w.findChild<QLabel*>(QStringLiteral("labNote"));
    auto* entries = w.findChild<QTableWidget*>(QStringLiteral("tblEntries"));
    auto* settings = w.findChild<QTableWidget*>(QStringLiteral("tblSettings"));
    ASSERT_TRUE(labNote && entries && settings);
    const QString note = r.note(record);
    if (note.endsWith(QStringLiteral(": "))) {  // the system's reason follows, in its own words
      EXPECT_TRUE(labNote->text().startsWith(note)) << labNote->text().toStdString();
      EXPECT_GT(labNote->text().size(), note.size());
    } else {
      EXPECT_EQ(labNote->text(), note);
    }
    EXPECT_FALSE(labNote->isHidden());
    EXPECT_EQ(entries->rowCount(), 0);
    if (r.settingsRows < 0) {
      ASSERT_GT(settings->rowCount(), 0);
      for (int row = 0; row < settings->rowCount(); ++row) {
        EXPECT_EQ(cell(settings, row, Q6::kStateValue), QStringLiteral("unknown"));
      }
    } else {
      EXPECT_EQ(settings->rowCount(), r.settingsRows);
    }
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(QFileInfo::exists(record), existed);
    EXPECT_EQ(contents(record), before);
    EXPECT_EQ(w.tabsRecord->isEnabled(), r.settingsRows != 0);
  }
}

// The window shows the newest entries up to its limit and says when the record holds more.
TEST_F(RecordWindow, ShowsTheNewestEntriesAndSaysWhenThereAreOlderOnes) {
  const struct {
    int written;
    int shown;
    bool older;
  } rows[] = {
      {Q6::kRecordWindowEntries, Q6::kRecordWindowEntries, false},
      {Q6::kRecordWindowEntries + 1, Q6::kRecordWindowEntries, true},
  };
  int n = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(r.written);
    useRecord(dir.filePath(QStringLiteral("%1.sqlite3").arg(++n)));
    std::vector<Q6::RecordEntry> written;
    const QDateTime start = QDateTime::currentDateTimeUtc().addDays(-1);
    for (int i = 1; i <= r.written; ++i) {
      written.push_back(entry(printer(), QStringLiteral("test %1").arg(i), Q6::RecordEffect::None));
      written.back().time = start.addSecs(i);
    }
    beginOnly(written);
    frmRecord w(printer(), QStringLiteral("QLX600"));
    auto* entries = w.findChild<QTableWidget*>(QStringLiteral("tblEntries"));
    auto* labNote = w.findChild<QLabel*>(QStringLiteral("labNote"));
    ASSERT_EQ(entries->rowCount(), r.shown);
    EXPECT_EQ(cell(entries, 0, Q6::kEntryWhat), QStringLiteral("test %1").arg(r.written));
    EXPECT_EQ(cell(entries, r.shown - 1, Q6::kEntryWhat),
              QStringLiteral("test %1").arg(r.written - r.shown + 1));
    EXPECT_EQ(labNote->isHidden(), !r.older);
    if (r.older) {
      EXPECT_TRUE(labNote->text().startsWith(
          QStringLiteral("The newest %1 entries are shown;").arg(r.shown)))
          << labNote->text().toStdString();
    }
  }
}

// Nothing in the window changes anything: Escape closes it wherever the focus is, Enter presses
// Close when Close has the focus and does nothing in a table.
TEST_F(RecordWindow, EscapeClosesAndEnterPressesOnlyTheFocusedButton) {
  const struct {
    const char* focus;
    Qt::Key key;
    bool closes;
  } cases[] = {
      {"cmdClose", Qt::Key_Escape, true},    {"tblEntries", Qt::Key_Escape, true},
      {"cmdClose", Qt::Key_Return, true},    {"tblEntries", Qt::Key_Return, false},
      {"tblSettings", Qt::Key_Enter, false},
  };
  beginOnly({entry(printer(), QStringLiteral("test line-feed"), Q6::RecordEffect::None)});
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.focus << " key " << c.key);
    frmRecord w(printer(), QStringLiteral("QLX600"));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto* target = w.findChild<QWidget*>(QLatin1String(c.focus));
    ASSERT_NE(target, nullptr);
    w.tabsRecord->setCurrentWidget(target == w.tblSettings ? target->parentWidget() : target);
    target->setFocus();
    QTest::keyClick(target, c.key);
    EXPECT_EQ(w.isVisible(), !c.closes);
  }
}

}  // namespace
