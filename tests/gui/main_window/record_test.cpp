#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <functional>
#include <tuple>

#include "core/record/outbox_store.h"
#include "core/record/printer_record.h"
#include "gui/record/record_window.h"

#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Q6Test::hex;

// The window's exchanges go into the record file named by Q6CONFIG_RECORD while it lives.
class WindowRecord : public MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(state.isValid());
    previous = qgetenv("Q6CONFIG_RECORD");
    qputenv("Q6CONFIG_RECORD", recordPath().toUtf8());
  }
  void TearDown() override { qputenv("Q6CONFIG_RECORD", previous); }
  QString recordPath() const { return state.path() + QStringLiteral("/record.sqlite3"); }
  QString printerName() const {
    return QStringLiteral("file:") + QFileInfo(printerPath()).canonicalFilePath();
  }

  QTemporaryDir state;
  QByteArray previous;
};

// Each of the window's exchanges is one entry: what was done, what it carried, the bytes and how
// it ended; and what the printer holds follows from them.
TEST_F(WindowRecord, EachExchangeIsOneEntryAndTheStateFollows) {
  useFileLink();
  frmMain& w = open();
  w.cmbModel->setCurrentIndex(1);
  const QString model = Q6::modelName(1);
  const struct {
    const char* name;
    std::function<void()> act;
    const char* action;
    Q6::RecordEffect effect;
    QStringList settings;
    const char* bytes;  // what the printer got, hex
    // form-feed and cut-offset afterwards: "factory", "unknown" or the entry
    const char* formFeed;
    const char* cutOffset;
  } rows[] = {
      {"Clear All Settings",
       [&] {
         messages.answer = QMessageBox::Yes;
         w.comClearAll->click();
       },
       "Clear All Settings",
       Q6::RecordEffect::Reset,
       {},
       "1B 1D 23 40 30 30 30 30 30 0A 00 1B 1D 23 57 30 30 30 30 30 0A 00",
       "factory",
       "factory"},
      {"Use Settings with one list changed",
       [&] {
         w.comFF->setCurrentIndex(3);  // "Partial Cut"
         w.comUse->click();
       },
       "Use Settings",
       Q6::RecordEffect::Settings,
       {QStringLiteral("form-feed=partial-cut")},
       "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 "
       "1B 1D 23 57 30 30 30 30 30 0A 00",
       "partial-cut",
       "factory"},
      {"a test button changes nothing",
       [&] { w.butLineFeed->click(); },
       "test line-feed",
       Q6::RecordEffect::None,
       {},
       "0D 0A",
       "partial-cut",
       "factory"},
      {"the self test changes nothing",
       [&] { w.Command4->click(); },
       "test self-test",
       Q6::RecordEffect::None,
       {},
       "1B 3F 0A 00",
       "partial-cut",
       "factory"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    clearPrinterBytes();
    messages.shown.clear();
    row.act();
    EXPECT_EQ(printerBytes(), hex(row.bytes));
    EXPECT_TRUE(messages.shown.empty() ||
                messages.shown.front().title == QStringLiteral("Reset - Are You Sure?"));

    auto record = Q6::PrinterRecord::open(recordPath());
    ASSERT_TRUE(record) << record.error().toStdString();
    const auto history = (*record)->history(printerName(), 1);
    ASSERT_TRUE(history) << history.error().toStdString();
    ASSERT_EQ(history->size(), 1u);
    const Q6::RecordEntry& entry = history->front();
    EXPECT_EQ(entry.action, QLatin1String(row.action));
    EXPECT_EQ(entry.effect, row.effect);
    EXPECT_EQ(entry.settings, row.settings);
    EXPECT_EQ(entry.model, model);
    EXPECT_EQ(entry.outcome, Q6::RecordOutcome::Delivered);
    EXPECT_EQ(entry.bytes, hex(row.bytes).size());
    EXPECT_EQ(entry.sent, hex(row.bytes).size());
    EXPECT_TRUE(entry.program.startsWith(QStringLiteral("q6config ")))
        << entry.program.toStdString();

    const auto states = (*record)->states({printerName()});
    ASSERT_TRUE(states) << states.error().toStdString();
    const auto shown = [](const Q6::SettingState& s) {
      return s.status == Q6::SettingStatus::Known     ? s.value
             : s.status == Q6::SettingStatus::Factory ? QStringLiteral("factory")
                                                      : QStringLiteral("unknown");
    };
    EXPECT_EQ(shown(states->front().of(QStringLiteral("form-feed"))), QLatin1String(row.formFeed));
    EXPECT_EQ(shown(states->front().of(QStringLiteral("cut-offset"))),
              QLatin1String(row.cutOffset));
  }
}

// A record that cannot be written never stops the exchange: the printer gets every byte, the
// operator is told once which file could not be updated and why, and the file stays as it was.
TEST_F(WindowRecord, ARecordThatCannotBeWrittenIsReportedOnceAndTheBytesStillGo) {
  const QByteArray notARecord = "these are the shop's notes, not a database\n";
  {
    QFile file(recordPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(notARecord);
  }
  useFileLink();
  frmMain& w = open();
  w.comFF->setCurrentIndex(3);
  w.comUse->click();
  EXPECT_EQ(printerBytes(), hex("1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 "
                                "1B 1D 23 57 30 30 30 30 30 0A 00"));
  ASSERT_EQ(messages.shown.size(), 1u);
  const QString text = messages.shown.front().text;
  EXPECT_TRUE(text.startsWith(QStringLiteral("Use Settings was sent, but the record at ") +
                              recordPath() +
                              QStringLiteral(" could not be updated: file is not a database")))
      << text.toStdString();
  EXPECT_EQ(messages.shown.front().icon, QMessageBox::Warning);
  QFile file(recordPath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), notARecord);
}

// With the shared record's server away, the window's exchange goes all the same and its entry,
// completed, waits in the outbox for the next exchange or run that reaches the server.
TEST_F(WindowRecord, WithTheSharedRecordAwayTheEntryWaitsInTheOutbox) {
  const QString away = QStringLiteral("postgresql:///q6?host=%1&port=5432").arg(state.path());
  qputenv("Q6CONFIG_RECORD", away.toUtf8());
  useFileLink();
  frmMain& w = open();
  w.comFF->setCurrentIndex(3);
  w.comUse->click();
  EXPECT_EQ(printerBytes(), hex("1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 "
                                "1B 1D 23 57 30 30 30 30 30 0A 00"));
  EXPECT_TRUE(messages.shown.empty());
  auto box = Q6::OutboxStore::open(Q6::outboxFileFor(away), away);
  ASSERT_TRUE(box.ok()) << box.error().toStdString();
  auto waiting = (*box)->oldest(10);
  ASSERT_TRUE(waiting.ok()) << waiting.error().toStdString();
  ASSERT_EQ(waiting->entries.size(), 1u);
  EXPECT_EQ(waiting->entries[0].action, QStringLiteral("Use Settings"));
  EXPECT_EQ(waiting->entries[0].printer, printerName());
  EXPECT_EQ(waiting->entries[0].outcome, Q6::RecordOutcome::Delivered);
  EXPECT_TRUE(waiting->completions.empty());
}

// A fleet run of sixteen jobs, a second q6config-cli and the window write the same record at once:
// every exchange of each is there afterwards, delivered, and the file is whole.
TEST_F(WindowRecord, AFleetRunASecondProgramAndTheWindowLoseNoEntry) {
  constexpr int kFleet = 64;
  constexpr int kSecond = 24;
  constexpr int kClicks = 20;
  const auto writeTargets = [&](const QString& name, int count) {
    QFile file(state.path() + u'/' + name);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < count; ++i) {
      file.write(QStringLiteral("file:%1/%2-%3.bin\n").arg(state.path(), name).arg(i).toUtf8());
    }
    return file.fileName();
  };
  QProcess fleet;
  fleet.start(QStringLiteral(Q6CONFIG_CLI_PATH),
              {QStringLiteral("test"), QStringLiteral("line-feed"), QStringLiteral("--targets"),
               writeTargets(QStringLiteral("fleet"), kFleet), QStringLiteral("--jobs"),
               QStringLiteral("16")});
  QProcess second;
  second.start(QStringLiteral(Q6CONFIG_CLI_PATH),
               {QStringLiteral("reset"), QStringLiteral("--yes"), QStringLiteral("--targets"),
                writeTargets(QStringLiteral("second"), kSecond), QStringLiteral("--jobs"),
                QStringLiteral("4")});
  useFileLink();
  frmMain& w = open();
  for (int i = 0; i < kClicks; ++i) {
    w.butLineFeed->click();
  }
  // The window's waits let the programs' ends be seen already; waitForFinished is for the rest.
  for (QProcess* program : {&fleet, &second}) {
    ASSERT_TRUE(program->state() == QProcess::NotRunning || program->waitForFinished(120000));
    ASSERT_EQ(program->exitStatus(), QProcess::NormalExit);
  }
  for (QProcess* program : {&fleet, &second}) {
    EXPECT_EQ(program->exitCode(), 0);
    // A record the program could not write is a warning on standard error.
    const QByteArray said = program->readAllStandardError();
    EXPECT_FALSE(said.contains("warning")) << said.toStdString();
  }
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
  EXPECT_EQ(printerBytes(), hex("0D 0A").repeated(kClicks));

  auto record = Q6::PrinterRecord::open(recordPath());
  ASSERT_TRUE(record) << record.error().toStdString();
  const auto delivered = [&](const QString& printer, const char* action) {
    const auto history = (*record)->history(printer, 0);
    EXPECT_TRUE(history) << history.error().toStdString();
    int count = 0;
    for (const Q6::RecordEntry& entry : *history) {
      count += entry.outcome == Q6::RecordOutcome::Delivered && entry.action == action ? 1 : 0;
    }
    return count;
  };
  EXPECT_EQ(delivered(printerName(), "test line-feed"), kClicks);
  for (const auto& [name, count, action] :
       {std::tuple{"fleet", kFleet, "test line-feed"}, std::tuple{"second", kSecond, "reset"}}) {
    int found = 0;
    for (int i = 0; i < count; ++i) {
      found += delivered(QStringLiteral("file:%1/%2-%3.bin")
                             .arg(QFileInfo(state.path()).canonicalFilePath(), QLatin1String(name))
                             .arg(i),
                         action);
    }
    EXPECT_EQ(found, count) << name;
  }
}

// "Record..." opens the record of the printer the window is set up for, as it is at that moment;
// with no connection set up there is no printer to ask about, and the operator is told so.
TEST_F(WindowRecord, TheRecordButtonShowsTheRecordOfTheConnectedPrinter) {
  const struct {
    const char* name;
    bool connected;
    std::function<void(frmMain&)> before;
    const char* box;   // the message shown instead of the record; nullptr: the record opens
    const char* note;  // what the record window says above its tables; nullptr: nothing
    const char* newest;
  } rows[] = {
      {"no connection set up", false, [](frmMain&) {},
       "No printer connection is set up yet, so there is no printer to show the record of.\n"
       "Press Communication to set one up first.",
       nullptr, nullptr},
      {"nothing sent yet", true, [](frmMain&) {}, nullptr,
       "Nothing has been sent with this computer's record yet.", nullptr},
      {"after Use Settings", true,
       [](frmMain& w) {
         w.comFF->setCurrentIndex(3);  // "Partial Cut"
         w.comUse->click();
       },
       nullptr, nullptr, "Use Settings: form-feed=partial-cut"},
      {"after a test, opened again", true, [](frmMain& w) { w.butLineFeed->click(); }, nullptr,
       nullptr, "test line-feed"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.connected) {
      useFileLink();
    } else {
      writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=Vorla QLX500")});
    }
    frmMain& w = open();
    w.cmdRecord->click();  // a window opened before anything is sent is replaced below
    row.before(w);
    const bool existed = QFileInfo::exists(recordPath());
    messages.shown.clear();
    w.cmdRecord->click();
    if (row.box) {
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown.front().text, QString::fromUtf8(row.box));
      EXPECT_EQ(messages.shown.front().icon, QMessageBox::Information);
      EXPECT_EQ(w.recordWindow(), nullptr);
      continue;
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text.toStdString();
    frmRecord* shown = w.recordWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(w.findChildren<frmRecord*>().size(), 1);
    // The printer file need not be there yet: the record names it by its folder's real path.
    EXPECT_EQ(shown->labPrinter->text(), QStringLiteral("Printer: file:%1/printer.bin (QLX500)")
                                             .arg(QFileInfo(config.dir()).canonicalFilePath()));
    EXPECT_EQ(shown->labNote->text(), row.note ? QString::fromUtf8(row.note) : QString());
    if (row.newest) {
      ASSERT_GT(shown->tblEntries->rowCount(), 0);
      EXPECT_EQ(shown->tblEntries->item(0, Q6::kEntryWhat)->text(), QLatin1String(row.newest));
      EXPECT_EQ(shown->tblEntries->item(0, Q6::kEntryOutcome)->text(), QStringLiteral("delivered"));
    } else {
      EXPECT_EQ(shown->tblEntries->rowCount(), 0);
    }
    // Looking makes no record.
    EXPECT_EQ(QFileInfo::exists(recordPath()), existed);
    shown->close();
    window.reset();
  }
}

}  // namespace
}  // namespace MainWindowTests
