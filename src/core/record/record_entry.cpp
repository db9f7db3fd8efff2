#include "core/record/record_entry.h"

#include <QCryptographicHash>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>

namespace Q6 {

namespace {

SettingState stateOf(SettingStatus status, const RecordEntry& entry, const QString& by,
                     const QString& value = {}) {
  return SettingState{status, value, entry.id, entry.time, by};
}

}  // namespace

QString recordEffectName(RecordEffect effect) {
  switch (effect) {
    case RecordEffect::None:
      return QStringLiteral("none");
    case RecordEffect::Settings:
      return QStringLiteral("settings");
    case RecordEffect::Reset:
      return QStringLiteral("reset");
  }
  return QStringLiteral("none");
}

QString recordOutcomeName(RecordOutcome outcome) {
  switch (outcome) {
    case RecordOutcome::Pending:
      return QStringLiteral("pending");
    case RecordOutcome::Delivered:
      return QStringLiteral("delivered");
    case RecordOutcome::Failed:
      return QStringLiteral("failed");
    case RecordOutcome::NotSent:
      return QStringLiteral("not-sent");
  }
  return QStringLiteral("pending");
}

RecordEffect recordEffectNamed(QStringView name) {
  for (RecordEffect effect : {RecordEffect::Settings, RecordEffect::Reset}) {
    if (name == recordEffectName(effect)) {
      return effect;
    }
  }
  return RecordEffect::None;
}

RecordOutcome recordOutcomeNamed(QStringView name) {
  for (RecordOutcome outcome :
       {RecordOutcome::Delivered, RecordOutcome::Failed, RecordOutcome::NotSent}) {
    if (name == recordOutcomeName(outcome)) {
      return outcome;
    }
  }
  return RecordOutcome::Pending;
}

namespace {

bool nameBefore(const std::pair<QString, SettingState>& item, const QString& name) {
  return item.first < name;
}

}  // namespace

const SettingState* SettingStates::find(const QString& name) const {
  const auto at = std::lower_bound(items_.cbegin(), items_.cend(), name, nameBefore);
  return at != items_.cend() && at->first == name ? &at->second : nullptr;
}

void SettingStates::insert(const QString& name, const SettingState& state) {
  const auto at = std::lower_bound(items_.begin(), items_.end(), name, nameBefore);
  if (at != items_.end() && at->first == name) {
    at->second = state;
  } else {
    items_.insert(at, {name, state});
  }
}

PrinterState stateFromEntries(const std::vector<RecordEntry>& oldestFirst) {
  return StateBuilder()(oldestFirst);
}

const std::vector<StateBuilder::Setting>& StateBuilder::split(const QStringList& settings) {
  if (settings.constData() == list_.constData() && settings.size() == list_.size() &&
      !split_.empty()) {
    return split_;
  }
  list_ = settings;
  split_.clear();
  split_.reserve(static_cast<size_t>(settings.size()));
  for (const QString& setting : settings) {
    const qsizetype equals = setting.indexOf(u'=');
    if (equals < 0) {
      split_.push_back({setting, {}, false});
    } else {
      split_.push_back({setting.left(equals), setting.mid(equals + 1), true});
    }
  }
  // In the order of their names, as a state keeps them: a printer's first settings are added at
  // the end of its list, never moved. A name given twice keeps its order, so the later still wins.
  std::stable_sort(split_.begin(), split_.end(),
                   [](const Setting& a, const Setting& b) { return a.name < b.name; });
  return split_;
}

const QString& StateBuilder::by(const RecordEntry& entry) {
  if (by_.isEmpty() || entry.user.constData() != user_.constData() ||
      entry.host.constData() != host_.constData()) {
    user_ = entry.user;
    host_ = entry.host;
    by_ = entry.user + u'@' + entry.host;
  }
  return by_;
}

PrinterState StateBuilder::operator()(const std::vector<RecordEntry>& oldestFirst) {
  PrinterState state;
  for (const RecordEntry& entry : oldestFirst) {
    if (entry.outcome == RecordOutcome::NotSent) {
      continue;
    }
    const bool delivered = entry.outcome == RecordOutcome::Delivered;
    switch (entry.effect) {
      case RecordEffect::None:
        break;
      case RecordEffect::Reset:
        state.base =
            stateOf(delivered ? SettingStatus::Factory : SettingStatus::Unknown, entry, by(entry));
        state.settings.clear();
        break;
      case RecordEffect::Settings: {
        const QString& who = by(entry);
        const std::vector<Setting>& settings = split(entry.settings);
        state.settings.reserve(state.settings.size() + static_cast<qsizetype>(settings.size()));
        for (const Setting& setting : settings) {
          // A setting written without its entry says only that it changed, not to what.
          state.settings.insert(setting.name,
                                delivered && setting.hasValue
                                    ? stateOf(SettingStatus::Known, entry, who, setting.value)
                                    : stateOf(SettingStatus::Unknown, entry, who));
        }
        break;
      }
    }
  }
  return state;
}

bool endsLookBack(const RecordEntry& entry) {
  return entry.effect == RecordEffect::Reset && entry.outcome != RecordOutcome::NotSent;
}

QString entryFault(const RecordEntry& entry) {
  if (entry.printer.isEmpty() || !entry.time.isValid()) {
    return QStringLiteral("an entry without a printer or a time (action \"%1\")").arg(entry.action);
  }
  for (const QString& setting : entry.settings) {
    if (setting.contains(u'\n')) {
      return QStringLiteral("the setting \"%1\": it spans lines").arg(setting);
    }
  }
  return {};
}

RecordEntry entryBegunNow(const QString& program) {
  RecordEntry entry;
  entry.time = QDateTime::currentDateTimeUtc();
  entry.user = recordUser();
  entry.host = recordHost();
  entry.program = program;
  return entry;
}

void noteBytes(RecordEntry& entry, const CommandList& commands) {
  QCryptographicHash sha(QCryptographicHash::Sha256);
  entry.bytes = 0;
  for (const Command& command : commands) {
    sha.addData(command);
    entry.bytes += command.size();
  }
  entry.sha256 = sha.result();
}

QString recordUser() {
  std::array<char, 4096> buffer{};
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_name && *found->pw_name) {
    return QString::fromLocal8Bit(found->pw_name);
  }
  const QString user = qEnvironmentVariable("USER");
  return user.isEmpty() ? QString::number(::geteuid()) : user;
}

QString recordHost() {
  std::array<char, HOST_NAME_MAX + 1> name{};
  if (::gethostname(name.data(), name.size() - 1) != 0) {
    return QStringLiteral("localhost");
  }
  return QString::fromLocal8Bit(name.data());
}

}  // namespace Q6
