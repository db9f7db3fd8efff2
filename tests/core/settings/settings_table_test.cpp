// Script names for the window's settings: each --set choice gives the commands of the memory-switch
// map (written out as hex), and every refusal names what was wrong.
#include <gtest/gtest.h>

#include <vector>

#include "core/presets/preset_file.h"
#include "core/settings/settings_table.h"
#include "core/settings/use_settings.h"
#include "core/settings/window_content.h"
#include "support/core_support.h"

namespace {

using Q6Test::hex;

struct ChoiceRow {
  int model;
  const char* name;
  const char* entry;
  std::vector<const char*> frames;  // every command before the write command
};

void PrintTo(const ChoiceRow& r, std::ostream* os) {
  *os << r.name << "=" << r.entry;
}

class Choice : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(Choice, SendsTheMapsCommands) {
  const ChoiceRow& row = GetParam();
  Q6::Selection selection;
  ASSERT_EQ(Q6::applyChoice(selection, row.model, row.name, row.entry).error(), QString());
  Q6::CommandList expected;
  for (const char* frame : row.frames) {
    expected.push_back(hex(frame));
  }
  expected.push_back(Q6Test::kWriteFrame);
  EXPECT_EQ(Q6::buildUseSettings(selection).value_or({}), expected);
}

const int kQLX500 = Q6::kModelQLX500;
const int kQLX600 = Q6::kModelQLX600;

INSTANTIATE_TEST_SUITE_P(
    Entries, Choice,
    ::testing::Values(
        // comFF "Partial Cut", by script name and by the window's text.
        ChoiceRow{kQLX500,
                  "form-feed",
                  "partial-cut",
                  {"1B 1D 23 2D 30 30 30 30 38 0A 00", "1B 1D 23 2B 30 30 30 30 34 0A 00"}},
        ChoiceRow{kQLX600,
                  "Form-Feed",
                  "Partial Cut",
                  {"1B 1D 23 2D 30 30 30 30 38 0A 00", "1B 1D 23 2B 30 30 30 30 34 0A 00"}},
        // "Off" of the device ID clears bit 0 alone.
        ChoiceRow{kQLX500, "device-id", "off", {"1B 1D 23 2D 43 30 30 30 31 0A 00"}},
        // "1252 (Windows Latin-1)" by its first word: clear FF00, set 2000 on switch 3.
        ChoiceRow{kQLX500,
                  "code-page",
                  "1252",
                  {"1B 1D 23 2D 33 46 46 30 30 0A 00", "1B 1D 23 2B 33 32 30 30 30 0A 00"}},
        // The two 437 entries differ by a trailing blank; the second is code 03.
        ChoiceRow{kQLX500,
                  "code-page",
                  "437-usa-std-europe-2",
                  {"1B 1D 23 2D 33 46 46 30 30 0A 00", "1B 1D 23 2B 33 30 33 30 30 0A 00"}},
        ChoiceRow{kQLX500,
                  "code-page",
                  "437(USA,std. Europe) ",
                  {"1B 1D 23 2D 33 46 46 30 30 0A 00", "1B 1D 23 2B 33 30 31 30 30 0A 00"}},
        ChoiceRow{kQLX500,
                  "char-set",
                  "legal",
                  {"1B 1D 23 2D 31 30 30 30 46 0A 00", "1B 1D 23 2B 31 30 30 30 46 0A 00"}},
        ChoiceRow{kQLX600,
                  "density",
                  "normal",
                  {"1B 1D 23 2D 32 30 30 30 37 0A 00", "1B 1D 23 2B 32 30 30 30 34 0A 00"}},
        // Speed positions stand for the same values on both models.
        ChoiceRow{kQLX600,
                  "speed",
                  "50mm-second",
                  {"1B 1D 23 2D 32 30 30 33 30 0A 00", "1B 1D 23 2B 32 30 30 32 30 0A 00"}},
        ChoiceRow{kQLX500,
                  "speed",
                  "75mm-second",
                  {"1B 1D 23 2D 32 30 30 33 30 0A 00", "1B 1D 23 2B 32 30 30 32 30 0A 00"}},
        ChoiceRow{kQLX500,
                  "speed",
                  "optimum-density",
                  {"1B 1D 23 2D 32 30 30 33 30 0A 00", "1B 1D 23 2B 32 30 30 33 30 0A 00"}},
        ChoiceRow{kQLX500,
                  "paper-width",
                  "58mm-52-5mm-print-area",
                  {"1B 1D 23 2D 34 30 30 30 37 0A 00", "1B 1D 23 2B 34 30 30 30 31 0A 00"}},
        // The cut offset as the adjuster snaps it: -2.5 mm is 8A, 3.3 mm becomes 3.25 mm (0D).
        ChoiceRow{kQLX500,
                  "cut-offset",
                  "-2.5mm",
                  {"1B 1D 23 2D 32 46 46 30 30 0A 00", "1B 1D 23 2B 32 38 41 30 30 0A 00"}},
        ChoiceRow{kQLX600,
                  "cut-offset",
                  "3.3",
                  {"1B 1D 23 2D 32 46 46 30 30 0A 00", "1B 1D 23 2B 32 30 44 30 30 0A 00"}},
        ChoiceRow{kQLX600,
                  "cut-offset",
                  "-10",
                  {"1B 1D 23 2D 32 46 46 30 30 0A 00", "1B 1D 23 2B 32 41 38 30 30 0A 00"}},
        ChoiceRow{kQLX600, "cut-offset", "off", {}},
        // The count box keeps its "2" until a count is given.
        ChoiceRow{kQLX500,
                  "context-cut",
                  "enabled-full-cut",
                  {"1B 1D 23 2D 46 46 30 30 30 0A 00", "1B 1D 23 2B 46 32 38 30 30 0A 00"}},
        ChoiceRow{kQLX500, "form-feed", "no-change", {}}));

TEST(Choice, CountGoesWithTheContextualCut) {
  Q6::Selection s;
  ASSERT_EQ(Q6::applyChoice(s, kQLX500, "context-cut-feeds", "3").error(), QString());
  ASSERT_EQ(Q6::applyChoice(s, kQLX500, "context-cut", "enabled-partial-cut").error(), QString());
  const Q6::CommandList expected{hex("1B 1D 23 2D 46 46 39 30 30 0A 00"),
                                 hex("1B 1D 23 2B 46 33 30 30 30 0A 00"), Q6Test::kWriteFrame};
  EXPECT_EQ(Q6::buildUseSettings(s).value_or({}), expected);
}

struct RefusalRow {
  int model;
  const char* name;
  const char* entry;
  const char* named;  // the refusal must quote this
};

void PrintTo(const RefusalRow& r, std::ostream* os) {
  *os << r.name << "=" << r.entry;
}

class Refusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(Refusal, NamesWhatIsWrongAndChangesNothing) {
  const RefusalRow& row = GetParam();
  Q6::Selection s;
  const QString error = Q6::applyChoice(s, row.model, row.name, row.entry).error();
  EXPECT_TRUE(error.contains(QString::fromLatin1(row.named))) << error.toStdString();
  EXPECT_EQ(Q6::buildUseSettings(s).value_or({}),
            Q6::buildUseSettings(Q6::Selection()).value_or({}));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Refusal,
    ::testing::Values(RefusalRow{kQLX500, "formfeed", "full-cut", "formfeed"},
                      RefusalRow{kQLX500, "form-feed", "half-cut", "half-cut"},
                      // Two entries start with 437.
                      RefusalRow{kQLX500, "code-page", "437", "437-usa-std-europe-2"},
                      RefusalRow{kQLX600, "speed", "optimum-density", "optimum-density"},
                      RefusalRow{kQLX600, "paper-width", "82mm-80mm-print-area", "QLX600"},
                      RefusalRow{kQLX600, "context-cut", "disabled", "QLX600"},
                      RefusalRow{kQLX500, "cut-offset", "40", "40"},
                      RefusalRow{kQLX500, "cut-offset", "-10.2", "-10.2"},
                      RefusalRow{kQLX500, "cut-offset", "abc", "abc"},
                      RefusalRow{kQLX500, "cut-offset", "3.5cm", "3.5cm"},
                      RefusalRow{kQLX500, "context-cut-feeds", "16", "16"},
                      RefusalRow{kQLX500, "context-cut-feeds", "-1", "-1"},
                      RefusalRow{kQLX500, "context-cut-feeds", "two", "two"}));

TEST(PresetListSizes, PerModelAsTheWindowFillsItsLists) {
  // comFF, comDeviceID, comDensity, comSpeed, comBMark, comCharSet, comCPage, comZStyle,
  // comLFeed, comTopSearch, "No Change" included.
  EXPECT_EQ(Q6::presetListCounts(kQLX500), (Q6::PresetListCounts{4, 4, 8, 5, 3, 17, 43, 3, 3, 4}));
  EXPECT_EQ(Q6::presetListCounts(kQLX600), (Q6::PresetListCounts{4, 4, 8, 4, 3, 17, 43, 3, 3, 4}));
}

TEST(Models, NamesAndUnknownModels) {
  EXPECT_EQ(Q6::modelFromName("qlx500"), kQLX500);
  EXPECT_EQ(Q6::modelFromName("Vorla QLX600"), kQLX600);
  EXPECT_EQ(Q6::modelFromName("QLX700"), std::nullopt);
  EXPECT_EQ(Q6::modelFromName(""), std::nullopt);
}

TEST(EntryNames, EveryEntryOfEveryListHasItsOwnName) {
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    for (int model : {kQLX500, kQLX600}) {
      const QStringList names = Q6::entryNames(Q6::settingEntries(row, model));
      for (int i = 0; i < names.size(); ++i) {
        const Q6::Result<int> found = Q6::findEntry(row, model, names[i]);
        EXPECT_EQ(found.value_or(-1), i)
            << row.name << " " << names[i].toStdString() << " " << found.error().toStdString();
      }
    }
  }
}

}  // namespace
