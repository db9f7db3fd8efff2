#include <gtest/gtest.h>

#include <QHash>

#include <vector>

#include "core/settings/use_settings.h"
#include "core/settings/window_content.h"
#include "support/core_support.h"

// Which parts of "Use Settings" a printer still needs, given the values it is known to hold, and
// how the settings a part carries are named in the record.

using Q6Test::hex;

namespace {

struct ChangedRow {
  const char* name;
  int model;
  QStringList sets;               // NAME=ENTRY, as --set takes them
  QHash<QString, QString> known;  // what the printer is known to hold
  QStringList carried;            // of the parts still to send, in order
  const char* hex;                // their commands, the write command included
};

void PrintTo(const ChangedRow& r, std::ostream* os) {
  *os << r.name;
}

class ChangedParts : public ::testing::TestWithParam<ChangedRow> {};

TEST_P(ChangedParts, AreTheOnesTheKnownValuesDoNotMatch) {
  const ChangedRow& row = GetParam();
  Q6::Selection selection;
  for (const QString& set : row.sets) {
    const Q6::Result<> chosen =
        Q6::applyChoice(selection, row.model, set.section(u'=', 0, 0), set.section(u'=', 1));
    ASSERT_TRUE(chosen.ok()) << chosen.error().toStdString();
  }
  const Q6::Result<Q6::UseSettingsPlan> plan = Q6::planUseSettings(selection);
  ASSERT_TRUE(plan.ok()) << plan.error().toStdString();
  const Q6::UseSettingsPlan parts = Q6::changedParts(*plan, selection, row.model, row.known);
  QStringList carried;
  QByteArray bytes;
  for (const Q6::SettingCommands& part : parts) {
    carried += Q6::carriedSettings(part, selection, row.model);
    for (const Q6::Command& c : part.commands) {
      bytes += c;
    }
  }
  EXPECT_EQ(carried, row.carried);
  EXPECT_EQ(bytes, hex(row.hex));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ChangedParts,
    ::testing::Values(
        // comFF "Partial Cut" and comCPage "1252 (Windows Latin-1)".
        ChangedRow{"NothingKnownSendsAll",
                   Q6::kModelQLX600,
                   {"form-feed=partial-cut", "code-page=1252"},
                   {},
                   {"form-feed=partial-cut", "code-page=1252-windows-latin-1"},
                   "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A 00 "
                   "1B 1D 23 2D 33 46 46 30 30 0A 00 1B 1D 23 2B 33 32 30 30 30 0A "
                   "00 " Q6TEST_WRITE_FRAME_HEX},
        ChangedRow{"AllKnownSendsNothingNotEvenTheWrite",
                   Q6::kModelQLX600,
                   {"form-feed=partial-cut", "code-page=1252"},
                   {{"form-feed", "partial-cut"}, {"code-page", "1252-windows-latin-1"}},
                   {},
                   ""},
        ChangedRow{"OneDiffersSendsItsPartThenTheWrite",
                   Q6::kModelQLX600,
                   {"form-feed=partial-cut", "code-page=1252"},
                   {{"form-feed", "full-cut"}, {"code-page", "1252-windows-latin-1"}},
                   {"form-feed=partial-cut"},
                   "1B 1D 23 2D 30 30 30 30 38 0A 00 1B 1D 23 2B 30 30 30 30 34 0A "
                   "00 " Q6TEST_WRITE_FRAME_HEX},
        // A value the record knows for a setting this run does not send changes nothing.
        ChangedRow{"KnownValuesOfOtherSettingsDoNotMatter",
                   Q6::kModelQLX600,
                   {"form-feed=full-cut"},
                   {{"code-page", "437"}, {"form-feed", "full-cut"}},
                   {},
                   ""},
        // Clear 2 FF00, set 2 8A00.
        ChangedRow{"CutOffsetIsAPlainNumber",
                   Q6::kModelQLX500,
                   {"cut-offset=-2.50"},
                   {{"cut-offset", "-2.25"}},
                   {"cut-offset=-2.5"},
                   "1B 1D 23 2D 32 46 46 30 30 0A 00 1B 1D 23 2B 32 38 41 30 30 0A "
                   "00 " Q6TEST_WRITE_FRAME_HEX},
        ChangedRow{"CutOffsetKnownEqual",
                   Q6::kModelQLX500,
                   {"cut-offset=-2.50"},
                   {{"cut-offset", "-2.5"}},
                   {},
                   ""},
        // Clear F F000, set F 5800: the count rides with the contextual cut, so a new count
        // alone sends the cut's part again.
        ChangedRow{"CountTravelsWithTheContextualCut",
                   Q6::kModelQLX500,
                   {"context-cut=enabled-full-cut", "context-cut-feeds=5"},
                   {{"context-cut", "enabled-full-cut"}, {"context-cut-feeds", "2"}},
                   {"context-cut=enabled-full-cut", "context-cut-feeds=5"},
                   "1B 1D 23 2D 46 46 30 30 30 0A 00 1B 1D 23 2B 46 35 38 30 30 0A "
                   "00 " Q6TEST_WRITE_FRAME_HEX}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
