// How the record window words what it read, without a widget: each entry's row and whether the
// record can vouch for it, each setting's value as the window's lists name it, and which model's
// settings are listed.
#include <gtest/gtest.h>

#include <QDateTime>

#include <optional>

#include "core/settings/settings_table.h"
#include "gui/record/record_view.h"

namespace {

// What an entry carried is shown as the record holds it; how it ended decides whether the record
// can still vouch for what the printer holds (the window reads real entries in record_window_test).
TEST(RecordView, AnEntryThatMayHaveReachedThePrinterInPartIsMarked) {
  using Outcome = Q6::RecordOutcome;
  using Effect = Q6::RecordEffect;
  const struct {
    Outcome outcome;
    Effect effect;
    const char* outcomeText;
    bool uncertain;
  } rows[] = {
      {Outcome::Delivered, Effect::Settings, "delivered", false},
      {Outcome::Pending, Effect::Settings, "unfinished", true},
      {Outcome::Failed, Effect::Reset, "failed", true},
      {Outcome::Failed, Effect::None, "failed", false},
      {Outcome::NotSent, Effect::Settings, "not sent", false},
      {Outcome::Pending, Effect::None, "unfinished", false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.outcomeText + std::string(r.uncertain ? ", marked" : ""));
    Q6::RecordEntry e;
    e.time = QDateTime(QDate(2024, 5, 1), QTime(12, 3, 22), Qt::UTC);
    e.program = QStringLiteral("q6config 1.8.0");
    e.model = QStringLiteral("QLX600");
    e.action = QStringLiteral("Use Settings");
    e.effect = r.effect;
    e.settings = QStringList{QStringLiteral("form-feed=partial-cut"), QStringLiteral("density=3")};
    e.bytes = 55;
    e.sent = 11;
    e.outcome = r.outcome;
    const std::vector<Q6::RecordRow> shown = Q6::entryRows({e});
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_EQ(shown[0].cells.size(), Q6::kEntryColumns);
    EXPECT_EQ(shown[0].cells[Q6::kEntryWhen], e.time.toLocalTime().toString("yyyy-MM-dd HH:mm:ss"));
    EXPECT_EQ(shown[0].cells[Q6::kEntryWhat],
              QStringLiteral("Use Settings: form-feed=partial-cut density=3"));
    EXPECT_EQ(shown[0].cells[Q6::kEntryOutcome], QLatin1String(r.outcomeText));
    EXPECT_EQ(shown[0].cells[Q6::kEntryBytes], QStringLiteral("11 of 55"));
    EXPECT_EQ(shown[0].uncertain, r.uncertain);
    EXPECT_EQ(shown[0].tip, QStringLiteral("q6config 1.8.0, QLX600"));
  }
}

// Values read as the window's lists name them; what the record holds that no list of the model
// has is shown as the record wrote it, never dropped.
TEST(RecordView, EverySettingOfTheModelWithItsValueAndWhoSetIt) {
  const QDateTime since(QDate(2024, 5, 1), QTime(9, 0), Qt::UTC);
  Q6::PrinterState state;
  const auto known = [&](const char* value, qint64 entry) {
    return Q6::SettingState{Q6::SettingStatus::Known, QLatin1String(value), entry, since,
                            QStringLiteral("ana@desk-3")};
  };
  state.settings.insert("form-feed", known("partial-cut", 7));
  state.settings.insert("code-page", known("9999-no-such-page", 7));
  state.settings.insert("cut-offset", known("1.5", 8));
  state.settings.insert("context-cut", known("enabled-full-cut", 8));
  state.settings.insert(
      "char-set",
      Q6::SettingState{Q6::SettingStatus::Factory, {}, 3, since, QStringLiteral("bo@desk-1")});
  // Made unknown by an exchange cut short: when and by whom is still said.
  state.settings.insert(
      "zero-style",
      Q6::SettingState{Q6::SettingStatus::Unknown, {}, 9, since, QStringLiteral("bo@desk-1")});
  const QString sinceText = Q6::localTimeText(since);
  const struct {
    const char* model;
    const char* setting;
    const char* value;  // nullptr: the model has no such setting, and it is not listed
    bool uncertain;
    QString since;
    const char* by;
  } rows[] = {
      {"QLX600", "form-feed", "Partial Cut", false, sinceText, "ana@desk-3"},
      {"QLX600", "code-page", "9999-no-such-page", false, sinceText, "ana@desk-3"},
      {"QLX600", "cut-offset", "1.5 mm", false, sinceText, "ana@desk-3"},
      {"QLX600", "char-set", "factory", false, sinceText, "bo@desk-1"},
      {"QLX600", "zero-style", "unknown", true, sinceText, "bo@desk-1"},
      {"QLX600", "device-id", "unknown", true, QString(), ""},
      {"QLX600", "context-cut", nullptr, false, QString(), ""},
      {"QLX500", "context-cut", "Enabled - Full Cut", false, sinceText, "ana@desk-3"},
      {"QLX500", "device-id", "unknown", true, QString(), ""},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.model) + " " + r.setting);
    const std::vector<Q6::RecordRow> shown = Q6::stateRows(state, QLatin1String(r.model));
    const Q6::SettingRow* setting = Q6::findSetting(QLatin1String(r.setting));
    ASSERT_NE(setting, nullptr);
    std::size_t count = 0;
    for (const Q6::SettingRow& each : Q6::settingsTable()) {
      count += Q6::settingAvailable(each, *Q6::modelFromName(QLatin1String(r.model))) ? 1 : 0;
    }
    EXPECT_EQ(shown.size(), count);
    const auto found = std::find_if(shown.begin(), shown.end(), [&](const Q6::RecordRow& row) {
      return row.cells.value(Q6::kStateSetting) == QString::fromUtf8(setting->caption);
    });
    if (!r.value) {
      EXPECT_EQ(found, shown.end());
      continue;
    }
    ASSERT_NE(found, shown.end());
    ASSERT_EQ(found->cells.size(), Q6::kStateColumns);
    EXPECT_EQ(found->cells[Q6::kStateValue], QString::fromUtf8(r.value));
    EXPECT_EQ(found->cells[Q6::kStateSince], r.since);
    EXPECT_EQ(found->cells[Q6::kStateBy], QLatin1String(r.by));
    EXPECT_EQ(found->uncertain, r.uncertain);
    EXPECT_TRUE(found->tip.startsWith(QLatin1String(r.setting))) << found->tip.toStdString();
  }
}

// The settings listed are those of the model the printer was last set up as; a record that never
// says falls back to the window's model.
TEST(RecordView, TheModelListedIsTheOneTheRecordLastNames) {
  const struct {
    const char* name;
    QStringList models;  // newest first
    const char* expected;
  } rows[] = {
      {"the newest that names one", {"", "QLX600", "QLX500"}, "QLX600"},
      {"a maker's spelling", {"Vorla QLX600"}, "QLX600"},
      {"no entries", {}, "QLX500"},
      {"none names a model", {"", ""}, "QLX500"},
      {"an unknown name is no model", {"QLX900"}, "QLX500"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<Q6::RecordEntry> entries;
    for (const QString& model : r.models) {
      entries.emplace_back();
      entries.back().model = model;
    }
    EXPECT_EQ(Q6::recordModel(entries, QStringLiteral("QLX500")), QLatin1String(r.expected));
  }
}

}  // namespace
