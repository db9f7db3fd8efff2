#include "core/settings/settings_table.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "core/common/number_text.h"
#include "core/cut_position/cut_offset.h"
#include "core/settings/window_content.h"

namespace Q6 {

namespace {

QString entryName(const QString& text) {
  QString out;
  bool gap = false;
  for (const QChar c : text) {
    if (c.isLetterOrNumber()) {
      if (gap && !out.isEmpty()) {
        out += u'-';
      }
      gap = false;
      out += c.toLower();
    } else {
      gap = true;
    }
  }
  return out;
}

// A number of millimetres as typed for the cut adjuster: "3.5", "-2.25mm", "12 mm".
std::optional<float> cutMillimetres(const QString& text) {
  QString number = text.trimmed();
  if (number.endsWith(QStringLiteral("mm"), Qt::CaseInsensitive)) {
    number.chop(2);
    number = number.trimmed();
  }
  const std::string latin = number.toLatin1().toStdString();
  if (number.isEmpty() || !isWholeNumber(latin)) {
    return std::nullopt;
  }
  return static_cast<float>(leadingNumber(latin));
}

// Values of the computed fields, from the list position.
std::string charSetValue(int position) {
  if (position < 1 || position > kCharSetEntries) {
    return {};
  }
  return "000" + hexUpper(static_cast<std::uint64_t>(position - 1));
}

std::string codePageValue(int position) {
  std::string code = GetCodePageHex(position);
  if (code.empty()) {
    return {};
  }
  code.insert(0, 2 - code.size(), '0');
  return code + "00";
}

std::string densityValue(int position) {
  const std::string digit = GetDensityHex(position);
  return digit.empty() ? std::string() : "000" + digit;
}

SwitchStep clear(const char* mask) {
  return {SwitchStep::Clear, mask};
}
SwitchStep set(const char* mask) {
  return {SwitchStep::Set, mask};
}

ListEntries fixed(const QStringList& (*entries)()) {
  return {entries, nullptr};
}
ListEntries perModel(QStringList ModelProfile::*entries) {
  return {nullptr, entries};
}

}  // namespace

std::string GetCodePageHex(int index) {
  if (index < 1 || index > kCodePageEntries) {
    return {};
  }
  const int n = index - 1;
  int code = n + 39;
  if (n <= 21) {
    code = n;
  } else if (n <= 24) {
    code = n + 10;
  } else if (n == 41) {
    code = 0xFF;
  }
  return hexUpper(static_cast<std::uint64_t>(code));
}

std::string GetDensityHex(int index) {
  if (index < 1 || index > kDensityEntries) {
    return {};
  }
  // The list runs darkest first, but "Normal" is 4 on the printer, not 0.
  const int digit = index < 4 ? 4 - index : index;
  return hexUpper(static_cast<std::uint64_t>(digit));
}

const std::vector<SettingRow>& settingsTable() {
  using K = SettingKind;
  using S = Selection;
  using P = ModelProfile;
  using namespace Lists;
  // clang-format off
  static const std::vector<SettingRow> rows{
      {"form-feed", "comFF", QT_TRANSLATE_NOOP("Q6::Settings", "Action on form feed (<FF>) instruction"),
       K::List, &S::comFF, fixed(comFF), false,
       "0", {{clear("000C")}, {set("000C")}, {clear("0008"), set("0004")}}, kPresetFF},
      // "Off" clears bit 0 alone: the alternative-ID bit stays as the printer has it.
      {"device-id", "comDeviceID", QT_TRANSLATE_NOOP("Q6::Settings", "Device ID"),
       K::List, &S::comDeviceID, fixed(comDeviceID), false,
       "C", {{clear("0001")}, {clear("0004"), set("0001")}, {set("0005")}}, kPresetDeviceID},
      {"top-search", "comTopSearch", QT_TRANSLATE_NOOP("Q6::Settings", "Top Search"),
       K::List, &S::comTopSearch, fixed(comTopSearch), false,
       "1", {{clear("0600")}, {clear("0400"), set("0200")}, {set("0600")}}, kPresetTopSearch},
      {"near-end-sensor", "comNESensor", QT_TRANSLATE_NOOP("Q6::Settings", "Near End Paper Sensor"),
       K::List, &S::comNESensor, fixed(comNESensor), false,
       "A", {{clear("0100")}, {set("0100")}}},
      {"cr-code", "comCRcode", QT_TRANSLATE_NOOP("Q6::Settings", "<CR> Code"),
       K::List, &S::comCRcode, fixed(comCRcode), false,
       "3", {{clear("0002")}, {set("0002")}}},
      {"char-set", "comCharSet", QT_TRANSLATE_NOOP("Q6::Settings", "International Character Set"),
       K::List, &S::comCharSet, fixed(comCharSet), false,
       "1", {}, kPresetCharSet, "000F", charSetValue},
      {"code-page", "comCPage", QT_TRANSLATE_NOOP("Q6::Settings", "Code Page"),
       K::List, &S::comCPage, fixed(comCPage), false,
       "3", {}, kPresetCPage, "FF00", codePageValue},
      {"zero-style", "comZStyle", QT_TRANSLATE_NOOP("Q6::Settings", "Zero Style"),
       K::List, &S::comZStyle, fixed(comZStyle), false,
       "1", {{clear("0010")}, {set("0010")}}, kPresetZStyle},
      {"line-spacing", "comLFeed", QT_TRANSLATE_NOOP("Q6::Settings", "Line Spacing"),
       K::List, &S::comLFeed, fixed(comLFeed), false,
       "3", {{clear("0001")}, {set("0001")}}, kPresetLFeed},
      {"density", "comDensity", QT_TRANSLATE_NOOP("Q6::Settings", "Default Print Density"),
       K::List, &S::comDensity, fixed(comDensity), false,
       "2", {}, kPresetDensity, "0007", densityValue},
      // The positions stand for the model's fastest, middle and slowest speed, so the values are
      // the same for both models; position 4 exists on the QLX500 only.
      {"speed", "comSpeed", QT_TRANSLATE_NOOP("Q6::Settings", "Print Speed"),
       K::List, &S::comSpeed, perModel(&P::speedEntries), false,
       "2", {{clear("0030")}, {clear("0030"), set("0010")}, {clear("0030"), set("0020")},
             {clear("0030"), set("0030")}}, kPresetSpeed},
      {"black-mark", "comBMark", QT_TRANSLATE_NOOP("Q6::Settings", "Start Position Detect"),
       K::List, &S::comBMark, fixed(comBMark), false,
       "1", {{clear("0100")}, {set("0100")}}, kPresetBMark},
      // The value is the quarter millimetres of txtCutOffset, sent while chk_AdjustCutPos is on.
      {"cut-offset", "txtCutOffset", QT_TRANSLATE_NOOP("Q6::Settings", "Cut Position Adjustment"),
       K::CutOffset, nullptr, {}, false,
       "2", {}, kPresetCutField, "FF00"},
      {"char-spacing", "comCSpacing", QT_TRANSLATE_NOOP("Q6::Settings", "Character Spacing"),
       K::List, &S::comCSpacing, fixed(comCSpacing), false,
       "3", {{clear("0010")}, {set("0010")}}},
      // 82 mm is value 2, 80 mm value 0, 58 mm value 1.
      {"paper-width", "comPWidth", QT_TRANSLATE_NOOP("Q6::Settings", "Paper Width"),
       K::List, &S::comPWidth, perModel(&P::paperWidthEntries), true,
       "4", {{clear("0007"), set("0002")}, {clear("0007")}, {clear("0007"), set("0001")}}},
      {"escpos-columns", "comESCPOSColumns", QT_TRANSLATE_NOOP("Q6::Settings", "ESC/POS Print Columns"),
       K::List, &S::comESCPOSColumns, fixed(comESCPOSColumns), true,
       "4", {{clear("0010")}, {set("0010")}}},
      {"escpos-font", "cmbBigFont", QT_TRANSLATE_NOOP("Q6::Settings", "ESC/POS Font Size"),
       K::List, &S::cmbBigFont, fixed(cmbBigFont), false,
       "1", {{clear("0080")}, {set("0080")}}},
      {"escpos-spacing", "cmbEPSpacing", QT_TRANSLATE_NOOP("Q6::Settings", "ESC/POS Default Character Spacing"),
       K::List, &S::cmbEPSpacing, fixed(cmbEPSpacing), false,
       "3", {{clear("00C0")}, {clear("00C0"), set("0040")}, {clear("00C0"), set("0080")},
             {set("00C0")}}},
      // Both enabling entries clear the whole count field first, so that a count stored earlier
      // cannot combine bitwise with the new one.
      {"context-cut", "comContextCut", QT_TRANSLATE_NOOP("Q6::Settings", "Contextual Auto Cut"),
       K::List, &S::comContextCut, fixed(comContextCut), true,
       "F", {{clear("F800")}, {clear("F000"), set("#800")}, {clear("F900"), set("#000")}}},
      // Sent by context-cut, in place of its '#'.
      {"context-cut-feeds", "txtContFeeds", QT_TRANSLATE_NOOP("Q6::Settings", "No. of Line Feeds"),
       K::FeedCount, nullptr, {}, true,
       nullptr, {}},
  };
  // clang-format on
  return rows;
}

const SettingRow* findSetting(const QString& name) {
  for (const SettingRow& row : settingsTable()) {
    if (name.compare(QLatin1String(row.name), Qt::CaseInsensitive) == 0) {
      return &row;
    }
  }
  return nullptr;
}

std::optional<int> modelFromName(const QString& name) {
  for (int model : {kModelQLX600, kModelQLX500}) {
    if (name.compare(modelName(model), Qt::CaseInsensitive) == 0 ||
        name.compare(Lists::cmbModel().at(model), Qt::CaseInsensitive) == 0) {
      return model;
    }
  }
  return std::nullopt;
}

QString modelName(int model) {
  return model == kModelQLX600 ? QStringLiteral("QLX600") : QStringLiteral("QLX500");
}

bool settingAvailable(const SettingRow& row, int model) {
  const ModelProfile* profile = modelProfile(model);
  return profile && (!row.qlx500Only || profile->extendedGroups);
}

QStringList settingEntries(const SettingRow& row, int model) {
  if (row.kind != SettingKind::List || !settingAvailable(row, model)) {
    return {};
  }
  const ListEntries& entries = row.listEntries;
  return entries.fixed ? entries.fixed() : modelProfile(model)->*(entries.perModel);
}

QStringList entryNames(const QStringList& entries) {
  QStringList names;
  for (const QString& entry : entries) {
    const QString base = entryName(entry);
    QString name = base;
    for (int n = 2; names.contains(name); ++n) {
      name = base + u'-' + QString::number(n);
    }
    names << name;
  }
  return names;
}

Result<int> findEntry(const SettingRow& row, int model, const QString& entry) {
  const QStringList entries = settingEntries(row, model);
  const QStringList names = entryNames(entries);
  const QString wanted = entry.trimmed().toLower();
  for (int i = 0; i < names.size(); ++i) {
    if (names[i] == wanted) {
      return i;
    }
  }
  for (int i = 0; i < entries.size(); ++i) {
    if (entries[i].compare(entry, Qt::CaseInsensitive) == 0) {
      return i;
    }
  }
  QStringList matches;
  int found = -1;
  for (int i = 0; i < names.size(); ++i) {
    if (!wanted.isEmpty() && names[i].startsWith(wanted + u'-')) {
      matches << names[i];
      found = i;
    }
  }
  if (matches.size() == 1) {
    return found;
  }
  if (matches.size() > 1) {
    return Refused{QStringLiteral("\"%1\" could be any of these entries of %2: %3.")
                       .arg(entry, QLatin1String(row.name), matches.join(QStringLiteral(", ")))};
  }
  return Refused{
      QStringLiteral("%1 has no entry \"%2\" on the %3; its entries are: %4.")
          .arg(QLatin1String(row.name), entry, modelName(model), names.join(QStringLiteral(", ")))};
}

Result<> applyChoice(Selection& s, int model, const QString& name, const QString& entry) {
  const SettingRow* row = findSetting(name);
  if (!row) {
    return Refused{
        QStringLiteral("There is no setting \"%1\" (see --help for the settings).").arg(name)};
  }
  if (!settingAvailable(*row, model)) {
    return Refused{QStringLiteral("The %1 has no setting %2.").arg(modelName(model), name)};
  }
  switch (row->kind) {
    case SettingKind::List: {
      const Result<int> position = findEntry(*row, model, entry);
      if (!position) {
        return Refused{position.error()};
      }
      s.*(row->position) = *position;
      return {};
    }
    case SettingKind::CutOffset: {
      const QString word = entry.trimmed().toLower();
      if (word == u"off" || word == u"no-change") {
        s.chk_AdjustCutPos = false;
        return {};
      }
      const std::optional<float> mm = cutMillimetres(entry);
      // The adjuster would pull a value beyond its limits back to the nearest one; a script that
      // asks for such a value has a typo, so it is refused instead of quietly changed.
      if (!mm || std::isnan(*mm) || std::fabs(snapCutOffset(*mm) - *mm) > 0.125f) {
        return Refused{
            QStringLiteral(
                "cut-offset \"%1\" is not a number of millimetres from -10 to 31.75 (or off).")
                .arg(entry)};
      }
      s.chk_AdjustCutPos = true;
      s.txtCutOffset = cutOffsetText(snapCutOffset(*mm));
      return {};
    }
    case SettingKind::FeedCount: {
      const std::string latin = entry.trimmed().toLatin1().toStdString();
      const bool number = !latin.empty() && isWholeNumber(latin);
      const std::int64_t count = number ? roundHalfEven(leadingNumber(latin)) : -1;
      if (count < 0 || count > kMaxContextCutFeeds) {
        return Refused{QStringLiteral("context-cut-feeds \"%1\" is not a number from 0 to %2.")
                           .arg(entry)
                           .arg(kMaxContextCutFeeds)};
      }
      s.txtContFeeds = latin;
      return {};
    }
  }
  return {};
}

}  // namespace Q6
