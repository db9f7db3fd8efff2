// The presets the package ships: each one's description says what it applies, no more and no less,
// for both models, as the reader and the settings table (which q6config-cli shares) apply it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include "core/cut_position/cut_offset.h"
#include "core/presets/preset_file.h"
#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"
#include "support/core_support.h"

namespace {

// Setting name -> entry name ("black-mark" -> "on"), or for the cut "cut-offset" -> "2.5mm".
using Claims = QMap<QString, QString>;

QStringList shippedPresets() {
  return QDir(QStringLiteral(Q6CONFIG_SHIPPED_PRESETS))
      .entryList({QStringLiteral("*.pre")}, QDir::Files, QDir::Name);
}

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// "2.5" -> "2.5mm", as the command-line tool labels an offset.
QString offsetName(double mm) {
  return QString::fromStdString(Q6::cutOffsetText(static_cast<float>(mm))).trimmed();
}

// What the description says: every setting a preset can set whose caption it names, with the entry
// written after the caption ("start position detect on"), and a cut "cut 2.5mm after the mark" (or
// "before", a negative offset).
Claims claimsOf(const QString& description, int model, QStringList* problems) {
  Claims claims;
  const QString text = description.toLower();
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    if (row.kind != Q6::SettingKind::List || row.presetField == Q6::kNoPresetField) {
      continue;
    }
    const QString caption = QString::fromLatin1(row.caption).toLower();
    const qsizetype at = text.indexOf(caption);
    if (at < 0) {
      continue;
    }
    const QString after = text.mid(at + caption.size()).trimmed();
    const QStringList entries = Q6::settingEntries(row, model);
    const QStringList names = Q6::entryNames(entries);
    int best = -1;
    for (int i = 1; i < entries.size(); ++i) {
      if (after.startsWith(entries[i].toLower()) &&
          (best < 0 || entries[i].size() > entries[best].size())) {
        best = i;
      }
    }
    if (best < 0) {
      *problems << QStringLiteral("names \"%1\" without one of its entries").arg(row.caption);
      continue;
    }
    claims.insert(QString::fromLatin1(row.name), names[best]);
  }
  static const QRegularExpression cut(
      QStringLiteral("\\bcut (-?(?:[0-9]+(?:\\.[0-9]+)?|\\.[0-9]+)) ?mm (after|before) the mark"));
  const QRegularExpressionMatch m = cut.match(text);
  if (m.hasMatch()) {
    const double mm = m.captured(1).toDouble() * (m.captured(2) == u"before" ? -1 : 1);
    claims.insert(QStringLiteral("cut-offset"), offsetName(mm));
  } else if (text.contains(QStringLiteral("cut"))) {
    *problems << QStringLiteral("speaks of a cut without \"cut N mm after/before the mark\"");
  }
  return claims;
}

// What the reader and the settings table apply, as setting name -> entry name.
Claims appliedByTheReader(const QByteArray& bytes, int model) {
  Claims applied;
  const Q6::Result<Q6::PresetValues> check = Q6::checkPreset(bytes, Q6::presetListCounts(model));
  EXPECT_TRUE(check.ok()) << check.error().toStdString();
  Q6::Selection selection;
  if (check) {
    Q6::applyPreset(selection, *check);
  }
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    if (row.presetField == Q6::kNoPresetField) {
      continue;
    }
    if (row.kind == Q6::SettingKind::CutOffset) {
      if (selection.chk_AdjustCutPos) {
        applied.insert(QString::fromLatin1(row.name),
                       QString::fromStdString(selection.txtCutOffset).trimmed());
      }
      continue;
    }
    const int position = selection.*(row.position);
    if (position > 0) {
      applied.insert(QString::fromLatin1(row.name),
                     Q6::entryNames(Q6::settingEntries(row, model)).value(position));
    }
  }
  return applied;
}

std::string show(const Claims& claims) {
  QStringList out;
  for (auto it = claims.cbegin(); it != claims.cend(); ++it) {
    out << it.key() + u'=' + it.value();
  }
  return out.join(QStringLiteral(", ")).toStdString();
}

TEST(ShippedPresets, EachDescriptionSaysWhatThePresetApplies) {
  const QStringList names = shippedPresets();
  ASSERT_FALSE(names.isEmpty()) << Q6CONFIG_SHIPPED_PRESETS;
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    const QString path = QDir(QStringLiteral(Q6CONFIG_SHIPPED_PRESETS)).filePath(name);
    const QByteArray bytes = readAll(path);
    const std::optional<QString> description = Q6::presetDescription(bytes);
    ASSERT_TRUE(description.has_value());
    for (const auto& [model, modelName] :
         {std::pair{Q6::kModelQLX600, "QLX600"}, std::pair{Q6::kModelQLX500, "QLX500"}}) {
      SCOPED_TRACE(modelName);
      QStringList problems;
      const Claims claimed = claimsOf(*description, model, &problems);
      EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
      EXPECT_FALSE(claimed.isEmpty()) << "the description names nothing it sets";
      const Claims read = appliedByTheReader(bytes, model);
      EXPECT_EQ(show(read), show(claimed)) << "description: " << description->toStdString();
    }
  }
}

// The test's own reading of a description, on made-up ones: a wrong cut or an unnamed list fails.
TEST(ShippedPresets, TheDescriptionReaderCatchesAWrongCut) {
  QStringList problems;
  const QString black = QStringLiteral(
      "Tickets with black marks: start position detect on, cut 2.5mm after the mark");
  const Claims claims = claimsOf(black, Q6::kModelQLX600, &problems);
  EXPECT_TRUE(problems.isEmpty());
  EXPECT_EQ(show(claims), "black-mark=on, cut-offset=2.5mm");

  // The shipped file as it was: 2.5 stored, which is an offset of 3.5 mm.
  QByteArray before;
  for (const char* line : {"VQ6PREV3", "\"x\"", "OFF", "OFF", "OFF", "OFF", "1", "OFF", "OFF",
                           "OFF", "OFF", "2.5", "OFF"}) {
    before += QByteArray(line) + "\r\n";
  }
  EXPECT_EQ(show(appliedByTheReader(before, Q6::kModelQLX600)), "black-mark=on, cut-offset=3.5mm");

  EXPECT_EQ(show(claimsOf(QStringLiteral("cut .75mm before the mark, zero style slash"),
                          Q6::kModelQLX500, &problems)),
            "cut-offset=-.75mm, zero-style=slash");
  EXPECT_TRUE(problems.isEmpty());
  claimsOf(QStringLiteral("print density darker, cut near the mark"), Q6::kModelQLX600, &problems);
  EXPECT_EQ(problems.size(), 1) << problems.join('\n').toStdString();
}

}  // namespace
