#include "ansible/command_lines.h"

#include <QFileInfo>

namespace Q6Ansible {

QString resolvePreset(const QString& given, const QStringList& presetFolders) {
  if (given.contains(u'/') || QFileInfo::exists(given)) {
    return given;
  }
  for (const QString& folder : presetFolders) {
    for (const QString& name : {given, given + QStringLiteral(".pre")}) {
      const QString path = folder + u'/' + name;
      if (QFileInfo(path).isFile()) {
        return path;
      }
    }
  }
  return given;
}

std::vector<QStringList> cliCommandLines(const ModuleArguments& a) {
  // Every value rides with its option (--to=…): a target or path that starts with "--" stays a
  // value.
  const QString to = QStringLiteral("--to=") + a.target;
  QStringList link;
  if (a.timeoutMs) {
    link << QStringLiteral("--timeout=%1").arg(*a.timeoutMs);
  }
  QStringList record;
  if (!a.record.isEmpty()) {
    record << QStringLiteral("--record=") + a.record;
  }

  std::vector<QStringList> lines;
  if (a.reset) {
    QStringList reset{QStringLiteral("reset"), QStringLiteral("--yes")};
    if (!a.model.isEmpty()) {
      reset << QStringLiteral("--model=") + a.model;
    }
    // A reset has nothing to check: it always sends. Checking, the dry run still refuses a
    // target that could not be opened as written.
    if (a.checkMode) {
      lines.push_back(reset + link + QStringList{QStringLiteral("--dry-run"), to});
    } else {
      lines.push_back(reset + link + record + QStringList{QStringLiteral("--json=-"), to});
    }
  }
  if (!a.sets.isEmpty() || !a.preset.isEmpty()) {
    QStringList apply{QStringLiteral("apply"), QStringLiteral("--model=") + a.model};
    if (!a.preset.isEmpty()) {
      apply << QStringLiteral("--preset=") + a.preset;
    }
    for (const QString& set : a.sets) {
      apply << QStringLiteral("--set=") + set;
    }
    apply << QStringLiteral("--changes-only");
    // After a reset every setting counts as changed; checking, the reset has not happened, so
    // the check is told to count them all.
    if (a.force || (a.reset && a.checkMode)) {
      apply << QStringLiteral("--force");
    }
    if (a.checkMode) {
      apply << QStringLiteral("--check");
    }
    lines.push_back(apply + QStringList{QStringLiteral("--diff")} + link + record +
                    QStringList{QStringLiteral("--json=-"), to});
  }
  return lines;
}

}  // namespace Q6Ansible
