// Writes the shell completion of q6config-cli at build time: the commands, options and test names
// as the tool's own --help lists them, the setting names and the entries of each setting for each
// model from the settings table. The shell code itself is the template; this fills in its data.
// Usage: make_completions <q6config-cli> <template> <output>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <cstdio>

#include "core/settings/window_content.h"
#include "core/settings/settings_table.h"

namespace {

int fail(const QString& why) {
  std::fprintf(stderr, "make_completions: %s\n", qPrintable(why));
  return 1;
}

// The lines of one section of the help: from the line after `title` to the first empty line.
QStringList section(const QStringList& help, const QString& title) {
  QStringList lines;
  const qsizetype start = help.indexOf(title);
  for (qsizetype i = start + 1; start >= 0 && i < help.size() && !help[i].isEmpty(); ++i) {
    lines << help[i];
  }
  return lines;
}

QString words(QStringList list) {
  list.removeDuplicates();
  return list.join(u' ');
}

// What --set NAME= completes to for a setting on a model; empty when the model lacks it.
QStringList entriesFor(const Q6::SettingRow& row, int model) {
  if (!Q6::settingAvailable(row, model)) {
    return {};
  }
  switch (row.kind) {
    case Q6::SettingKind::CutOffset:
      return {QStringLiteral("off")};
    case Q6::SettingKind::FeedCount: {
      QStringList counts;
      for (int n = 0; n <= 15; ++n) {
        counts << QString::number(n);
      }
      return counts;
    }
    case Q6::SettingKind::List:
      break;
  }
  return Q6::entryNames(Q6::settingEntries(row, model));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 4) {
    return fail(QStringLiteral("usage: make_completions <q6config-cli> <template> <output>"));
  }
  QProcess cli;
  cli.start(args[1], {QStringLiteral("--help")});
  if (!cli.waitForFinished(60000) || cli.exitCode() != 0) {
    return fail(QStringLiteral("%1 --help did not answer").arg(args[1]));
  }
  const QString helpText = QString::fromLocal8Bit(cli.readAllStandardOutput());
  const QStringList help = helpText.split(u'\n');

  QStringList commands;
  static const QRegularExpression command(QStringLiteral("^  ([a-z][a-z-]*)( |$)"));
  for (const QString& line : section(help, QStringLiteral("Commands:"))) {
    const QRegularExpressionMatch m = command.match(line);
    // A command with words of its own ("record sync", "record copy") has a line for each.
    if (m.hasMatch() && !commands.contains(m.captured(1))) {
      commands << m.captured(1);
    }
  }
  QStringList options;
  static const QRegularExpression option(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*"));
  for (auto it = option.globalMatch(helpText); it.hasNext();) {
    options << it.next().captured(0);
  }
  options.sort();
  QStringList tests;
  for (const QString& line : section(help, QStringLiteral("Tests (test NAME):"))) {
    for (const QString& name : line.split(u',', Qt::SkipEmptyParts)) {
      tests << name.trimmed();
    }
  }
  if (commands.isEmpty() || options.isEmpty() || tests.isEmpty()) {
    return fail(QStringLiteral("the help of %1 lacks its commands, options or tests").arg(args[1]));
  }

  // Per model: the setting names it offers, and a case arm per setting with its entries.
  QString names[2];
  QString arms;
  for (const int model : {Q6::kModelQLX600, Q6::kModelQLX500}) {
    const QString modelName = Q6::modelName(model);
    QStringList offered;
    for (const Q6::SettingRow& row : Q6::settingsTable()) {
      const QStringList entries = entriesFor(row, model);
      if (entries.isEmpty()) {
        continue;
      }
      offered << QString::fromLatin1(row.name);
      arms += QStringLiteral("    %1:%2) echo \"%3\" ;;\n")
                  .arg(modelName, QString::fromLatin1(row.name), words(entries));
    }
    names[model == Q6::kModelQLX600 ? 0 : 1] = words(offered);
  }

  QFile in(args[2]);
  if (!in.open(QIODevice::ReadOnly)) {
    return fail(QStringLiteral("cannot read %1").arg(args[2]));
  }
  QString text = QString::fromUtf8(in.readAll());
  const std::pair<const char*, QString> fills[] = {
      {"@COMMANDS@", words(commands)}, {"@OPTIONS@", words(options)},   {"@TESTS@", words(tests)},
      {"@SETTINGS_QLX600@", names[0]}, {"@SETTINGS_QLX500@", names[1]}, {"@ENTRIES@\n", arms},
  };
  for (const auto& [mark, value] : fills) {
    if (!text.contains(QLatin1String(mark))) {
      return fail(QStringLiteral("the template lacks %1").arg(QLatin1String(mark)));
    }
    text.replace(QLatin1String(mark), value);
  }
  QFile out(args[3]);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text.toUtf8()) < 0) {
    return fail(QStringLiteral("cannot write %1").arg(args[3]));
  }
  return 0;
}
