#include "settings/settings_table.h"

#include <cmath>
#include <string>

#include "common/number_text.h"
#include "cut_position/cut_offset.h"
#include "main_window/window_content.h"

namespace Q6 {

namespace {

const QStringList kNoLists;

const QStringList& fixedEntries(const SettingRow& row) {
  const QString control = QString::fromLatin1(row.control);
  if (control == u"comFF") return Lists::comFF();
  if (control == u"comDeviceID") return Lists::comDeviceID();
  if (control == u"comTopSearch") return Lists::comTopSearch();
  if (control == u"comNESensor") return Lists::comNESensor();
  if (control == u"comCRcode") return Lists::comCRcode();
  if (control == u"comCharSet") return Lists::comCharSet();
  if (control == u"comCPage") return Lists::comCPage();
  if (control == u"comZStyle") return Lists::comZStyle();
  if (control == u"comLFeed") return Lists::comLFeed();
  if (control == u"comDensity") return Lists::comDensity();
  if (control == u"comBMark") return Lists::comBMark();
  if (control == u"comCSpacing") return Lists::comCSpacing();
  if (control == u"comESCPOSColumns") return Lists::comESCPOSColumns();
  if (control == u"cmbBigFont") return Lists::cmbBigFont();
  if (control == u"cmbEPSpacing") return Lists::cmbEPSpacing();
  if (control == u"comContextCut") return Lists::comContextCut();
  return kNoLists;
}

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

}  // namespace

const std::vector<SettingRow>& settingsTable() {
  using K = SettingKind;
  static const std::vector<SettingRow> rows{
      {"form-feed", "comFF", "Action on form feed (<FF>) instruction", K::List, &Selection::comFF,
       false},
      {"device-id", "comDeviceID", "Device ID", K::List, &Selection::comDeviceID, false},
      {"top-search", "comTopSearch", "Top Search", K::List, &Selection::comTopSearch, false},
      {"near-end-sensor", "comNESensor", "Near End Paper Sensor", K::List, &Selection::comNESensor,
       false},
      {"cr-code", "comCRcode", "<CR> Code", K::List, &Selection::comCRcode, false},
      {"char-set", "comCharSet", "International Character Set", K::List, &Selection::comCharSet,
       false},
      {"code-page", "comCPage", "Code Page", K::List, &Selection::comCPage, false},
      {"zero-style", "comZStyle", "Zero Style", K::List, &Selection::comZStyle, false},
      {"line-spacing", "comLFeed", "Line Spacing", K::List, &Selection::comLFeed, false},
      {"density", "comDensity", "Default Print Density", K::List, &Selection::comDensity, false},
      {"speed", "comSpeed", "Print Speed", K::List, &Selection::comSpeed, false},
      {"black-mark", "comBMark", "Start Position Detect", K::List, &Selection::comBMark, false},
      {"cut-offset", "txtCutOffset", "Cut Position Adjustment", K::CutOffset, nullptr, false},
      {"char-spacing", "comCSpacing", "Character Spacing", K::List, &Selection::comCSpacing, false},
      {"paper-width", "comPWidth", "Paper Width", K::List, &Selection::comPWidth, true},
      {"escpos-columns", "comESCPOSColumns", "ESC/POS Print Columns", K::List,
       &Selection::comESCPOSColumns, true},
      {"escpos-font", "cmbBigFont", "ESC/POS Font Size", K::List, &Selection::cmbBigFont, false},
      {"escpos-spacing", "cmbEPSpacing", "ESC/POS Default Character Spacing", K::List,
       &Selection::cmbEPSpacing, false},
      {"context-cut", "comContextCut", "Contextual Auto Cut", K::List, &Selection::comContextCut,
       true},
      {"context-cut-feeds", "txtContFeeds", "No. of Line Feeds", K::FeedCount, nullptr, true},
  };
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
  const ModelProfile* profile = modelProfile(model);
  const QString control = QString::fromLatin1(row.control);
  if (control == u"comSpeed") {
    return profile->speedEntries;
  }
  if (control == u"comPWidth") {
    return profile->paperWidthEntries;
  }
  return fixedEntries(row);
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

std::optional<int> findEntry(const SettingRow& row, int model, const QString& entry,
                             QString* error) {
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
    *error = QStringLiteral("\"%1\" could be any of these entries of %2: %3.")
                 .arg(entry, QLatin1String(row.name), matches.join(QStringLiteral(", ")));
  } else {
    *error = QStringLiteral("%1 has no entry \"%2\" on the %3; its entries are: %4.")
                 .arg(QLatin1String(row.name), entry, modelName(model),
                      names.join(QStringLiteral(", ")));
  }
  return std::nullopt;
}

PresetListCounts presetListCounts(int model) {
  const ModelProfile* profile = modelProfile(model);
  const auto n = [](const QStringList& l) { return static_cast<int>(l.size()); };
  return {n(Lists::comFF()),      n(Lists::comDeviceID()),
          n(Lists::comDensity()), profile ? n(profile->speedEntries) : 0,
          n(Lists::comBMark()),   n(Lists::comCharSet()),
          n(Lists::comCPage()),   n(Lists::comZStyle()),
          n(Lists::comLFeed()),   n(Lists::comTopSearch())};
}

void applyPreset(Selection& s, const PresetValues& values) {
  if (values.lists) {
    const auto& l = *values.lists;
    s.comFF = l[kPresetFF];
    s.comDeviceID = l[kPresetDeviceID];
    s.comDensity = l[kPresetDensity];
    s.comSpeed = l[kPresetSpeed];
    s.comBMark = l[kPresetBMark];
    s.comCharSet = l[kPresetCharSet];
    s.comCPage = l[kPresetCPage];
    s.comZStyle = l[kPresetZStyle];
    s.comLFeed = l[kPresetLFeed];
  }
  if (values.cut) {
    s.chk_AdjustCutPos = values.cut->on;
    if (values.cut->on) {
      s.txtCutOffset = cutOffsetText(snapCutOffset(values.cut->offsetMm));
    }
  }
  if (values.topSearch) {
    s.comTopSearch = *values.topSearch;
  }
}

QString applyChoice(Selection& s, int model, const QString& name, const QString& entry) {
  const SettingRow* row = findSetting(name);
  if (!row) {
    return QStringLiteral("There is no setting \"%1\" (see --help for the settings).").arg(name);
  }
  if (!settingAvailable(*row, model)) {
    return QStringLiteral("The %1 has no setting %2.").arg(modelName(model), name);
  }
  switch (row->kind) {
    case SettingKind::List: {
      QString error;
      const std::optional<int> position = findEntry(*row, model, entry, &error);
      if (!position) {
        return error;
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
        return QStringLiteral(
                   "cut-offset \"%1\" is not a number of millimetres from -10 to 31.75 (or off).")
            .arg(entry);
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
        return QStringLiteral("context-cut-feeds \"%1\" is not a number from 0 to %2.")
            .arg(entry)
            .arg(kMaxContextCutFeeds);
      }
      s.txtContFeeds = latin;
      return {};
    }
  }
  return {};
}

std::vector<CommandGroup> explainUseSettings(const Selection& s, int model) {
  std::vector<CommandGroup> groups;
  const auto commandsOf = [](const Selection& one) {
    CommandList commands = buildUseSettings(one).commands;
    if (!commands.empty()) {
      commands.pop_back();  // the write command, shown once at the end
    }
    return commands;
  };
  for (const SettingRow& row : settingsTable()) {
    Selection one;
    QString label;
    if (row.kind == SettingKind::List) {
      const int position = s.*(row.position);
      if (position == 0) {
        continue;
      }
      one.*(row.position) = position;
      const QStringList entries = settingEntries(row, model);
      const QStringList names = entryNames(entries);
      const bool known = position > 0 && position < entries.size();
      label = QStringLiteral("%1 = %2 (\"%3\")")
                  .arg(QLatin1String(row.name),
                       known ? names[position] : QStringLiteral("position %1").arg(position),
                       known ? entries[position] : QString());
      if (row.position == &Selection::comContextCut) {
        one.txtContFeeds = s.txtContFeeds;
        if (position == 2 || position == 3) {
          label += QStringLiteral(", context-cut-feeds = %1")
                       .arg(QString::fromLatin1(s.txtContFeeds).trimmed());
        }
      }
    } else if (row.kind == SettingKind::CutOffset) {
      if (!s.chk_AdjustCutPos) {
        continue;
      }
      one.chk_AdjustCutPos = true;
      one.txtCutOffset = s.txtCutOffset;
      label = QStringLiteral("cut-offset = %1 (\"%2\")")
                  .arg(QString::fromLatin1(s.txtCutOffset).trimmed(), QLatin1String(row.caption));
    } else {
      continue;  // the count goes out with context-cut
    }
    CommandList commands = commandsOf(one);
    if (!commands.empty()) {
      groups.push_back({label, std::move(commands)});
    }
  }
  groups.push_back({QStringLiteral("write"), {writeCommand()}});

  // The grouping must never show anything but what "Use Settings" sends; should the two ever
  // differ, the plain list is shown instead.
  CommandList joined;
  for (const CommandGroup& g : groups) {
    joined.insert(joined.end(), g.commands.begin(), g.commands.end());
  }
  const UseSettingsPlan plan = buildUseSettings(s);
  if (joined != plan.commands) {
    return {{QStringLiteral("Use Settings"), plan.commands}};
  }
  return groups;
}

}  // namespace Q6
