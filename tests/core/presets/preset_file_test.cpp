#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/presets/preset_file.h"
#include "support/core_support.h"

using Q6::PresetListCounts;
using Q6::PresetRefusal;

namespace {

// Entries, "No Change" included, of comFF, comDeviceID, comDensity, comSpeed, comBMark, comCharSet,
// comCPage, comZStyle, comLFeed, comTopSearch.
constexpr PresetListCounts kQLX600 = {4, 4, 8, 4, 3, 17, 43, 3, 3, 4};
constexpr PresetListCounts kQLX500 = {4, 4, 8, 5, 3, 17, 43, 3, 3, 4};

using Lists = std::array<int, Q6::kPresetTopSearch>;

QByteArray lines(std::initializer_list<const char*> text, const char* end = "\r\n") {
  QByteArray out;
  for (const char* line : text) {
    out += line;
    out += end;
  }
  return out;
}

// The worked example: a version 3 file of thirteen lines.
const QByteArray kWorkedExample = lines({"VQ6PREV3", "Sample description", "2", "OFF", "3", "OFF",
                                         "1", "0", "OFF", "0", "OFF", "2.5", "1"});
const Lists kWorkedLists = {3, 0, 4, 0, 2, 1, 0, 1, 0};

struct Expect {
  PresetRefusal refusal = PresetRefusal::None;
  std::int64_t version = 0;
  std::optional<Lists> lists;
  std::optional<Q6::PresetCut> cut;
  std::optional<int> topSearch;
};

Expect accepted(std::int64_t version, std::optional<Lists> lists = std::nullopt,
                std::optional<Q6::PresetCut> cut = std::nullopt,
                std::optional<int> topSearch = std::nullopt) {
  return Expect{PresetRefusal::None, version, lists, cut, topSearch};
}

const Expect kCorrupt{PresetRefusal::Corrupt, 0, {}, {}, {}};
const Expect kLater{PresetRefusal::LaterVersion, 0, {}, {}, {}};

struct Case {
  const char* name;
  QByteArray data;
  Expect expect;
  PresetListCounts counts = kQLX600;
};

void checkCase(const Case& c) {
  SCOPED_TRACE(c.name);
  const Q6::Result<Q6::PresetValues> check = Q6::checkPreset(c.data, c.counts);
  ASSERT_EQ(check.ok(), c.expect.refusal == PresetRefusal::None);
  ASSERT_EQ(check.error(), Q6::presetRefusalText(c.expect.refusal));
  if (!check) {
    return;
  }
  EXPECT_EQ(check->version, c.expect.version);
  EXPECT_EQ(check->lists, c.expect.lists);
  ASSERT_EQ(check->cut.has_value(), c.expect.cut.has_value());
  if (c.expect.cut) {
    EXPECT_EQ(check->cut->on, c.expect.cut->on);
    if (c.expect.cut->on) {
      EXPECT_FLOAT_EQ(check->cut->offsetMm, c.expect.cut->offsetMm);
    }
  }
  EXPECT_EQ(check->topSearch, c.expect.topSearch);
}

// A version 3 file whose list fields are all "1" except the one under test, and the given cut.
QByteArray v3With(int listIndex, const char* value, const char* cut = "OFF") {
  std::vector<std::string> f = {"VQ6PREV3", "d", "1", "1", "1", "1", "1",
                                "1",        "1", "1", "1", cut, "1"};
  if (listIndex >= 0) {
    f[listIndex < Q6::kPresetTopSearch ? 2 + listIndex : 12] = value;
  }
  QByteArray out;
  for (const std::string& s : f) {
    out += QByteArray::fromStdString(s) + "\r\n";
  }
  return out;
}

Lists allTwo(int index = -1, int position = 2) {
  Lists l;
  l.fill(2);
  if (index >= 0) {
    l[index] = position;
  }
  return l;
}

TEST(PresetCheck, VersionsAndWhatEachCarries) {
  const Case cases[] = {
      {"worked example", kWorkedExample, accepted(3, kWorkedLists, {{true, 3.5f}}, 2)},
      {"version 1 stops after the line spacing",
       lines({"VQ6PREV1", "v1", "0", "1", "2", "0", "1", "15", "41", "1", "1"}),
       accepted(1, Lists{1, 2, 3, 1, 2, 16, 42, 2, 2})},
      {"version 2 ignores a thirteenth field",
       lines({"VQ6PREV2", "v2", "0", "0", "0", "0", "0", "0", "0", "0", "0", "5", "9"}),
       accepted(2, Lists{1, 1, 1, 1, 1, 1, 1, 1, 1}, {{true, 6.0f}})},
      {"version 3 all OFF",
       lines({"VQ6PREV3", "x", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF", "OFF",
              "OFF"}),
       accepted(3, Lists{}, {{false, 0.0f}}, 0)},
      {"magic alone is version 0", lines({"VQ6PREV"}), accepted(0)},
      {"version 0 with fields", lines({"VQ6PREV0", "d", "2"}), accepted(0)},
      {"negative version applies nothing", lines({"VQ6PREV-1", "d"}), accepted(-1)},
      {"version 0.5 rounds to 0", lines({"VQ6PREV0.5"}), accepted(0)},
      {"version 2.5 rounds to 2",
       lines({"VQ6PREV2.5", "d", "0", "0", "0", "0", "0", "0", "0", "0", "0", "OFF"}),
       accepted(2, Lists{1, 1, 1, 1, 1, 1, 1, 1, 1}, {{false, 0.0f}})},
      {"version 3.5 rounds to 4", kWorkedExample.sliced(0, 7) + "3.5" + kWorkedExample.sliced(8),
       kLater},
      {"version 4", lines({"VQ6PREV4", "from the future"}), kLater},
      {"version 4 even with valid fields",
       kWorkedExample.sliced(0, 7) + "4" + kWorkedExample.sliced(8), kLater},
      {"huge version",
       lines({"VQ6PREV999999999999999999999999999999999999999999999999999999999999"}), kLater},
      {"no exponent: version 1 of a one-line file", lines({"VQ6PREV1e1"}), kCorrupt},
      {"blank between magic and number", "VQ6PREV 3" + kWorkedExample.sliced(8),
       accepted(3, kWorkedLists, {{true, 3.5f}}, 2)},
      {"lower-case magic", "vq6prev3" + kWorkedExample.sliced(8), kCorrupt},
      {"magic cut short", lines({"VQ6PRE3"}), kCorrupt},
      {"empty file", QByteArray(), kCorrupt},
      {"only line ends", "\r\n\r\n\r\n", kCorrupt},
      {"binary junk", Q6Test::hex("00 FF 1B 40 22 2C 0D 80 0A 7F 22"), kCorrupt},
  };
  for (const Case& c : cases) {
    checkCase(c);
  }
}

TEST(PresetCheck, ListValues) {
  const Case cases[] = {
      {"off in lower case is the number 0", v3With(Q6::kPresetFF, "off"),
       accepted(3, allTwo(Q6::kPresetFF, 1), {{false, 0}}, 2)},
      {"-1 is No Change", v3With(Q6::kPresetDensity, "-1"),
       accepted(3, allTwo(Q6::kPresetDensity, 0), {{false, 0}}, 2)},
      {"-1.5 rounds to -2: below No Change", v3With(Q6::kPresetDensity, "-1.5"), kCorrupt},
      {"-2 is below the list", v3With(Q6::kPresetBMark, "-2"), kCorrupt},
      {"0.5 rounds to 0", v3With(Q6::kPresetZStyle, "0.5"),
       accepted(3, allTwo(Q6::kPresetZStyle, 1), {{false, 0}}, 2)},
      {"1.5 rounds to 2", v3With(Q6::kPresetFF, "1.5"),
       accepted(3, allTwo(Q6::kPresetFF, 3), {{false, 0}}, 2)},
      {"leading number only", v3With(Q6::kPresetFF, "2 cuts"),
       accepted(3, allTwo(Q6::kPresetFF, 3), {{false, 0}}, 2)},
      {"no number reads as 0", v3With(Q6::kPresetLFeed, "x"),
       accepted(3, allTwo(Q6::kPresetLFeed, 1), {{false, 0}}, 2)},
      {"empty field reads as 0", v3With(Q6::kPresetLFeed, ""),
       accepted(3, allTwo(Q6::kPresetLFeed, 1), {{false, 0}}, 2)},
      {"quoted OFF", v3With(Q6::kPresetCPage, "\"OFF\""),
       accepted(3, allTwo(Q6::kPresetCPage, 0), {{false, 0}}, 2)},
      {"OFF with trailing blanks", v3With(Q6::kPresetCPage, "OFF  "),
       accepted(3, allTwo(Q6::kPresetCPage, 0), {{false, 0}}, 2)},
      {"last form-feed entry", v3With(Q6::kPresetFF, "2"),
       accepted(3, allTwo(Q6::kPresetFF, 3), {{false, 0}}, 2)},
      {"one beyond the form-feed list", v3With(Q6::kPresetFF, "3"), kCorrupt},
      {"last code page", v3With(Q6::kPresetCPage, "41"),
       accepted(3, allTwo(Q6::kPresetCPage, 42), {{false, 0}}, 2)},
      {"one beyond the code pages", v3With(Q6::kPresetCPage, "42"), kCorrupt},
      {"one beyond the character sets", v3With(Q6::kPresetCharSet, "16"), kCorrupt},
      {"top search 3 is beyond", v3With(Q6::kPresetTopSearch, "3"), kCorrupt},
      {"huge number", v3With(Q6::kPresetDeviceID, "10000000000000000000000000000000000000000"),
       kCorrupt},
      {"huge negative number", v3With(Q6::kPresetDeviceID, "-9000000000000000000"), kCorrupt},
      {"optimum speed on the QLX600", v3With(Q6::kPresetSpeed, "3"), kCorrupt, kQLX600},
      {"optimum speed on the QLX500", v3With(Q6::kPresetSpeed, "3"),
       accepted(3, allTwo(Q6::kPresetSpeed, 4), {{false, 0}}, 2), kQLX500},
      // "OFF" is position 0, which a list without entries does not have (found by fuzzing).
      {"OFF in lists without entries",
       QByteArray::fromBase64("VlE2UFJFVjEQMdwzLwpPRkYNT0ZGDQpPRkYNCk9GRg1PRkYNCk9GRg1PRkYNT0ZGDQpP"
                              "RkYNT0ZGDQo1DWsNLTENLjE1DQoKCjINMQ0NMDANOQ0="),
       kCorrupt, PresetListCounts{}},
  };
  for (const Case& c : cases) {
    checkCase(c);
  }
}

TEST(PresetCheck, CutValues) {
  const Case cases[] = {
      {"OFF", v3With(-1, "", "OFF"), accepted(3, allTwo(), {{false, 0}}, 2)},
      {"0 is 1 mm", v3With(-1, "", "0"), accepted(3, allTwo(), {{true, 1.0f}}, 2)},
      {"-1 is 0 mm", v3With(-1, "", "-1"), accepted(3, allTwo(), {{true, 0.0f}}, 2)},
      {"-12 is -11 mm before the adjuster limits it", v3With(-1, "", "-12"),
       accepted(3, allTwo(), {{true, -11.0f}}, 2)},
      {"31 is 32 mm before the adjuster limits it", v3With(-1, "", "31"),
       accepted(3, allTwo(), {{true, 32.0f}}, 2)},
      {"2.5 is 3.5 mm", v3With(-1, "", "2.5"), accepted(3, allTwo(), {{true, 3.5f}}, 2)},
      {"trailing blanks dropped", v3With(-1, "", "  2.5  "),
       accepted(3, allTwo(), {{true, 3.5f}}, 2)},
      {"quoted number", v3With(-1, "", "\"-0.25\""), accepted(3, allTwo(), {{true, 0.75f}}, 2)},
      {"huge number stays finite",
       v3With(-1, "", "999999999999999999999999999999999999999999999999999999999999"),
       accepted(3, allTwo(), {{true, 1.0e6f}}, 2)},
      {"2x is not a number", v3With(-1, "", "2x"), kCorrupt},
      {"no exponent in a cut value", v3With(-1, "", "1e1"), kCorrupt},
      {"off in lower case", v3With(-1, "", "off"), kCorrupt},
      {"empty", v3With(-1, "", ""), kCorrupt},
      {"blanks only", v3With(-1, "", "   "), kCorrupt},
      {"number then text after a blank", v3With(-1, "", "2 mm"), kCorrupt},
  };
  for (const Case& c : cases) {
    checkCase(c);
  }
}

TEST(PresetCheck, FieldsAndLineEnds) {
  const QByteArray v1 = lines({"VQ6PREV1", "d", "0", "1", "2", "0", "1", "15", "41", "1", "1"});
  const Lists v1Lists = {1, 2, 3, 1, 2, 16, 42, 2, 2};
  const Case cases[] = {
      {"LF only",
       lines({"VQ6PREV3", "Sample description", "2", "OFF", "3", "OFF", "1", "0", "OFF", "0", "OFF",
              "2.5", "1"},
             "\n"),
       accepted(3, kWorkedLists, {{true, 3.5f}}, 2)},
      {"CR only",
       lines({"VQ6PREV3", "Sample description", "2", "OFF", "3", "OFF", "1", "0", "OFF", "0", "OFF",
              "2.5", "1"},
             "\r"),
       accepted(3, kWorkedLists, {{true, 3.5f}}, 2)},
      {"commas instead of lines", "VQ6PREV3,d,2,OFF,3,OFF,1,0,OFF,0,OFF,2.5,1",
       accepted(3, kWorkedLists, {{true, 3.5f}}, 2)},
      {"no line end after the last field", v1.chopped(2), accepted(1, v1Lists)},
      {"leading blanks everywhere",
       "  VQ6PREV1\r\n d\r\n 0\r\n\t1\r\n 2\r\n 0\r\n 1\r\n 15\r\n"
       " 41\r\n 1\r\n 1\r\n",
       accepted(1, v1Lists)},
      {"unquoted comma shifts the fields",
       lines({"VQ6PREV1", "Fast, 2", "0", "1", "2", "0", "1", "0", "1", "1"}),
       accepted(1, Lists{3, 1, 2, 3, 1, 2, 1, 2, 2})},
      {"quoted comma stays in the description",
       lines({"VQ6PREV1", "\"Fast, 2\"", "0", "1", "2", "0", "1", "15", "41", "1", "1"}),
       accepted(1, v1Lists)},
      {"text after a closing quote is dropped",
       lines({"VQ6PREV1", "\"Fast\" and dark", "0", "1", "2", "0", "1", "15", "41", "1", "1"}),
       accepted(1, v1Lists)},
      {"quoted description over two lines",
       lines({"VQ6PREV1", "\"Fast\r\nand dark\"", "0", "1", "2", "0", "1", "15", "41", "1", "1"}),
       accepted(1, v1Lists)},
      {"an empty line is an empty field",
       lines({"VQ6PREV1", "d", "", "1", "2", "0", "1", "15", "41", "1", "1"}),
       accepted(1, Lists{1, 2, 3, 1, 2, 16, 42, 2, 2})},
      {"version 1 one field short", v1.sliced(0, v1.size() - 3), kCorrupt},
      {"version 2 without its cut field", v1.sliced(0, 7) + "2" + v1.sliced(8), kCorrupt},
      {"version 3 without top search", kWorkedExample.sliced(0, kWorkedExample.size() - 3),
       kCorrupt},
      {"unterminated quote swallows the rest",
       lines({"VQ6PREV1", "\"Fast", "0", "1", "2", "0", "1", "15", "41", "1", "1"}), kCorrupt},
  };
  for (const Case& c : cases) {
    checkCase(c);
  }
}

TEST(PresetCheck, SizeLimit) {
  QByteArray atLimit = kWorkedExample;
  atLimit += QByteArray(Q6::kPresetFileLimit - atLimit.size(), ' ');
  ASSERT_EQ(atLimit.size(), 65536);
  checkCase({"exactly 64 KiB", atLimit, accepted(3, kWorkedLists, {{true, 3.5f}}, 2)});
  checkCase({"one byte over", atLimit + " ", kCorrupt});
  EXPECT_FALSE(Q6::presetDescription(atLimit + " "));
}

TEST(PresetDescription, ShownOrNotAPreset) {
  const struct {
    const char* name;
    QByteArray data;
    std::optional<QString> description;
  } cases[] = {
      {"worked example", kWorkedExample, QStringLiteral("Sample description")},
      {"unquoted comma ends it", lines({"VQ6PREV1", "Fast, dark", "0"}), QStringLiteral("Fast")},
      {"quoted comma kept", lines({"VQ6PREV1", "\"Fast, dark\"", "0"}),
       QStringLiteral("Fast, dark")},
      {"trailing blanks dropped", lines({"VQ6PREV1", "  Fast  ", "0"}), QStringLiteral("Fast")},
      {"quoted blanks kept", lines({"VQ6PREV1", "\"  Fast  \"", "0"}), QStringLiteral("  Fast  ")},
      {"later version still shows", lines({"VQ6PREV4", "Next"}), QStringLiteral("Next")},
      {"version not examined", lines({"VQ6PREVxyz", "Odd"}), QStringLiteral("Odd")},
      {"each byte one character", "VQ6PREV1\r\nCaf\xE9 \xB0\x80\r\n",
       QString::fromUtf16(u"Caf\u00E9 \u00B0\u0080")},
      {"LF only", "VQ6PREV1\nLF\n0\n", QStringLiteral("LF")},
      {"CR only", "VQ6PREV1\rCR\r0\r", QStringLiteral("CR")},
      {"magic alone", "VQ6PREV", QString()},
      {"empty description", "VQ6PREV3\r\n\r\n", QString()},
      {"lower-case magic", lines({"vq6prev3", "d"}), std::nullopt},
      {"empty file", QByteArray(), std::nullopt},
      {"binary junk", Q6Test::hex("FF FE 00 56 51 36"), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Q6::presetDescription(c.data), c.description);
  }
}

TEST(PresetFields, DelimitersQuotesAndLimit) {
  using F = std::vector<QByteArray>;
  const struct {
    const char* name;
    QByteArray data;
    int maxFields;
    F fields;
  } cases[] = {
      {"CR LF is one line end", "a\r\nb", 9, F{"a", "b"}},
      {"LF CR is two", "a\n\rb", 9, F{"a", "", "b"}},
      {"comma then line end", "a,\r\nb", 9, F{"a", "", "b"}},
      {"nothing after the last delimiter", "a\r\n", 9, F{"a"}},
      {"stops at maxFields", "a,b,c", 2, F{"a", "b"}},
      {"blank inside kept", " a b \t,c", 9, F{"a b", "c"}},
      {"quote runs to the next quote", "\"a,\r\nb\" x,c", 9, F{"a,\r\nb", "c"}},
      {"empty quotes", "\"\",c", 9, F{"", "c"}},
      {"unterminated quote", "\"ab,c", 9, F{"ab,c"}},
      {"NUL is data", QByteArray("a\0b,c", 5), 9, F{QByteArray("a\0b", 3), "c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Q6::presetFields(c.data, c.maxFields), c.fields);
  }
}

class PresetFileRead : public ::testing::Test {
 protected:
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    EXPECT_TRUE(Q6Test::writeFile(path, bytes)) << path.toStdString();
    return path;
  }
  QTemporaryDir dir;
};

TEST_F(PresetFileRead, RefusesWhatIsNotASmallOrdinaryFile) {
  EXPECT_EQ(Q6::readPresetFile(write("a.pre", kWorkedExample)).value_or("-"), kWorkedExample);
  EXPECT_EQ(Q6::readPresetFile(write("empty.pre", {})).value_or("-"), QByteArray());

  const QByteArray limit(Q6::kPresetFileLimit, 'x');
  EXPECT_EQ(Q6::readPresetFile(write("limit.pre", limit)).value_or("-"), limit);
  // A larger file is read one byte past the limit, no further, and the check refuses it.
  const Q6::Result<QByteArray> over = Q6::readPresetFile(write("over.pre", limit + "xyz"));
  ASSERT_TRUE(over);
  EXPECT_EQ(over->size(), Q6::kPresetFileLimit + 1);
  EXPECT_FALSE(Q6::checkPreset(*over, kQLX500));

  // The system's reason, for the tool to show.
  EXPECT_EQ(Q6::readPresetFile(dir.filePath("missing.pre")).error(), "No such file or directory");
  ASSERT_TRUE(QDir(dir.path()).mkdir("folder.pre"));
  EXPECT_EQ(Q6::readPresetFile(dir.filePath("folder.pre")).error(), "Is a directory");

  // Opening a pipe without a writer would block the window for good.
  const QString fifo = dir.filePath("pipe.pre");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_EQ(Q6::readPresetFile(fifo).error(), "it is not an ordinary file");

  const QString locked = write("locked.pre", kWorkedExample);
  QFile::setPermissions(locked, QFileDevice::Permissions());
  if (::geteuid() != 0) {  // root reads it anyway
    EXPECT_EQ(Q6::readPresetFile(locked).error(), "Permission denied");
  }
}

}  // namespace
