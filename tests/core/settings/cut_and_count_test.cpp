#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings/use_settings.h"
#include "support/core_support.h"

// The two values "Use Settings" computes from typed text: the cut offset byte on switch 2 and the
// contextual-cut line-feed count on switch F.

using Q6::Selection;
using Q6Test::hex;

namespace {

const QByteArray& kWrite = Q6Test::kWriteFrame;
const QByteArray kClearCutField = hex("1B 1D 23 2D 32 46 46 30 30 0A 00");  // clear 2 FF00
const QByteArray kSetCutMax = hex("1B 1D 23 2B 32 37 46 30 30 0A 00");      // set 2 7F00
const QByteArray kSetCutMin = hex("1B 1D 23 2B 32 41 38 30 30 0A 00");      // set 2 A800

struct CutCase {
  const char* text;
  QByteArray set;  // the set command that follows the clear of FF00
};

TEST(CutPositionByte, QuarterMillimetresWithTheSignInBitSeven) {
  const CutCase cases[] = {
      {" 0mm", hex("1B 1D 23 2B 32 30 30 30 30 0A 00")},      // 0000
      {" .25mm", hex("1B 1D 23 2B 32 30 31 30 30 0A 00")},    // 0100
      {" 5.5mm", hex("1B 1D 23 2B 32 31 36 30 30 0A 00")},    // 1600
      {" 31.75mm", hex("1B 1D 23 2B 32 37 46 30 30 0A 00")},  // 7F00
      {"-.75mm", hex("1B 1D 23 2B 32 38 33 30 30 0A 00")},    // 8300
      {"-2.5mm", hex("1B 1D 23 2B 32 38 41 30 30 0A 00")},    // 8A00
      {"-10mm", hex("1B 1D 23 2B 32 41 38 30 30 0A 00")},     // A800
      // An exact half step goes to the even neighbour: 0.5 -> 0, 1.5 -> 2, -0.5 -> 0, -1.5 -> -2.
      {" .125mm", hex("1B 1D 23 2B 32 30 30 30 30 0A 00")},  // 0000
      {" .375mm", hex("1B 1D 23 2B 32 30 32 30 30 0A 00")},  // 0200
      {"-.125mm", hex("1B 1D 23 2B 32 30 30 30 30 0A 00")},  // 0000, not a "negative zero" 80
      {"-.375mm", hex("1B 1D 23 2B 32 38 32 30 30 0A 00")},  // 8200
      // Text without a number counts as 0.
      {"", hex("1B 1D 23 2B 32 30 30 30 30 0A 00")},
      {"mm", hex("1B 1D 23 2B 32 30 30 30 30 0A 00")},
      // The adjuster snaps its text before "Use Settings" reads it; a text that somehow escaped
      // the snapping must still give a four-digit mask with the adjuster's limits, never a third
      // digit or a magnitude that runs into the sign bit: 7F00 is +31.75 mm, A800 is -10 mm.
      {" 32mm", kSetCutMax},
      {" 40mm", kSetCutMax},
      {" 500mm", kSetCutMax},
      {" 8191.75mm", kSetCutMax},
      {" 9000mm", kSetCutMax},
      {"1000000000", kSetCutMax},
      {"999999999999999999999999999999999999999999999999999999999999", kSetCutMax},
      {"-10.25mm", kSetCutMin},
      {"-31.75mm", kSetCutMin},
      {"-500mm", kSetCutMin},
      {"-999999999999999999999999999999999999999999999999999999999999", kSetCutMin},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(std::string("text \"") + c.text + "\"");
    Selection selection;
    selection.chk_AdjustCutPos = true;
    selection.txtCutOffset = c.text;
    const Q6::Result<Q6::CommandList> plan = Q6::buildUseSettings(selection);
    EXPECT_TRUE(plan.error().isEmpty());
    EXPECT_EQ(plan.value_or({}), (std::vector<QByteArray>{kClearCutField, c.set, kWrite}));
  }
}

TEST(CutPositionByte, UncheckedBoxSendsNothingWhateverTheText) {
  for (const char* text : {"-2.5mm", " 31.75mm", " 0mm", "junk"}) {
    Selection selection;
    selection.chk_AdjustCutPos = false;
    selection.txtCutOffset = text;
    EXPECT_EQ(Q6::buildUseSettings(selection).value_or({}), std::vector<QByteArray>{kWrite})
        << text;
  }
}

const QByteArray kClearFullCutCount = hex("1B 1D 23 2D 46 46 30 30 30 0A 00");     // clear F F000
const QByteArray kClearPartialCutCount = hex("1B 1D 23 2D 46 46 39 30 30 0A 00");  // clear F F900

struct CountCase {
  int entry;  // 2 "Enabled - Full Cut", 3 "Enabled - Partial Cut"
  const char* text;
  QByteArray set;
};

TEST(ContextCutCount, EnablingEntriesClearTheCountFieldThenSetTheCount) {
  const CountCase cases[] = {
      {2, "2", hex("1B 1D 23 2B 46 32 38 30 30 0A 00")},    // 2800
      {3, "2", hex("1B 1D 23 2B 46 32 30 30 30 0A 00")},    // 2000
      {2, "3", hex("1B 1D 23 2B 46 33 38 30 30 0A 00")},    // 3800
      {3, "3", hex("1B 1D 23 2B 46 33 30 30 30 0A 00")},    // 3000
      {2, "0", hex("1B 1D 23 2B 46 30 38 30 30 0A 00")},    // 0800
      {3, "0", hex("1B 1D 23 2B 46 30 30 30 30 0A 00")},    // 0000
      {2, "10", hex("1B 1D 23 2B 46 41 38 30 30 0A 00")},   // A800
      {3, "12", hex("1B 1D 23 2B 46 43 30 30 30 0A 00")},   // C000
      {2, "15", hex("1B 1D 23 2B 46 46 38 30 30 0A 00")},   // F800
      {3, "15", hex("1B 1D 23 2B 46 46 30 30 30 0A 00")},   // F000
      {2, "abc", hex("1B 1D 23 2B 46 30 38 30 30 0A 00")},  // no number: 0
      {3, "", hex("1B 1D 23 2B 46 30 30 30 30 0A 00")},     // empty: 0
      {2, " 7 feeds", hex("1B 1D 23 2B 46 37 38 30 30 0A 00")},
      {2, "2.5", hex("1B 1D 23 2B 46 32 38 30 30 0A 00")},   // half to even: 2
      {3, "3.5", hex("1B 1D 23 2B 46 34 30 30 30 0A 00")},   // half to even: 4
      {2, "1e1", hex("1B 1D 23 2B 46 31 38 30 30 0A 00")},   // no exponent: 1
      {2, "14.5", hex("1B 1D 23 2B 46 45 38 30 30 0A 00")},  // half to even: 14
      {3, "-0.4", hex("1B 1D 23 2B 46 30 30 30 30 0A 00")},  // rounds to 0
      {2, "+4", hex("1B 1D 23 2B 46 34 38 30 30 0A 00")},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(std::string("entry ") + std::to_string(c.entry) + ", text \"" + c.text + "\"");
    Selection selection;
    selection.comContextCut = c.entry;
    selection.txtContFeeds = c.text;
    const Q6::Result<Q6::CommandList> plan = Q6::buildUseSettings(selection);
    EXPECT_TRUE(plan.error().isEmpty()) << plan.error().toStdString();
    const QByteArray& clear = c.entry == 2 ? kClearFullCutCount : kClearPartialCutCount;
    EXPECT_EQ(plan.value_or({}), (std::vector<QByteArray>{clear, c.set, kWrite}));
  }
}

// A count outside the four-bit field would need a longer mask; the batch is refused whole, before
// anything could reach the printer.
TEST(ContextCutCount, CountOutsideZeroToFifteenIsRefusedWithNothingToSend) {
  const char* texts[] = {"16",
                         "15.5",
                         "-1",
                         "-0.6",
                         "255",
                         "1000000000",
                         "999999999999999999999999999999999999999999999999999999999999",
                         "-999999999999999999999999999999999999999999999999999999999999",
                         "99999999999999999999"};
  for (int entry : {2, 3}) {
    for (const char* text : texts) {
      SCOPED_TRACE(std::string("entry ") + std::to_string(entry) + ", text \"" + text + "\"");
      Selection selection;
      selection.comFF = 3;  // other changes are withheld as well
      selection.comCPage = 23;
      selection.comContextCut = entry;
      selection.txtContFeeds = text;
      const Q6::Result<Q6::CommandList> plan = Q6::buildUseSettings(selection);
      EXPECT_TRUE(plan.value_or({}).empty());
      EXPECT_TRUE(plan.error().contains(QStringLiteral("from 0 to 15")))
          << plan.error().toStdString();
      EXPECT_TRUE(plan.error().contains(QStringLiteral("line feeds")))
          << plan.error().toStdString();
    }
  }
}

TEST(ContextCutCount, RefusalQuotesTheTypedTextButNotAPageOfIt) {
  // Made with its count rather than given it afterwards: GCC 12 at -O3 takes the short string
  // assigned over the default "2" for a read of uninitialised bytes (-Wmaybe-uninitialized).
  Selection selection{.comContextCut = 2, .txtContFeeds = "16"};
  EXPECT_TRUE(Q6::buildUseSettings(selection).error().contains(QStringLiteral("\"16\"")));
  selection.txtContFeeds = "99" + std::string(5000, '9');
  EXPECT_LT(Q6::buildUseSettings(selection).error().size(), 300);
}

TEST(ContextCutCount, CountIsNotReadUnlessACutIsBeingEnabled) {
  for (const char* text :
       {"16", "-1", "999999999999999999999999999999999999999999999999999999999999"}) {
    Selection selection;
    selection.txtContFeeds = text;
    selection.comContextCut = 0;
    EXPECT_EQ(Q6::buildUseSettings(selection).value_or({}), std::vector<QByteArray>{kWrite})
        << text;
    selection.comContextCut = 1;
    EXPECT_EQ(Q6::buildUseSettings(selection).value_or({}),
              (std::vector<QByteArray>{hex("1B 1D 23 2D 46 46 38 30 30 0A 00"), kWrite}))
        << text;
  }
}

}  // namespace
