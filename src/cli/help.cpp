// q6config-cli --help: the commands and their own options from the command table, the lists of
// tests and settings from their tables, so that the help, and the shell completions made from it,
// never fall behind what the tool takes.
#include "cli/help.h"

#include "cli/command.h"
#include "core/printer/diagnostic_table.h"
#include "core/settings/settings_table.h"
#include "core/settings/window_content.h"

namespace Q6Cli {

namespace {

QString wrapList(const QStringList& words, int indent, int width = 100) {
  QString out;
  int column = indent;
  for (int i = 0; i < words.size(); ++i) {
    const QString word = words[i] + (i + 1 < words.size() ? QStringLiteral(",") : QString());
    if (column > indent && column + 1 + word.size() > width) {
      out += u'\n' + QString(indent, u' ');
      column = indent;
    } else if (column > indent) {
      out += u' ';
      ++column;
    }
    out += word;
    column += static_cast<int>(word.size());
  }
  return out;
}

}  // namespace

QString helpText() {
  QString t = QStringLiteral(
      "Usage: q6config-cli COMMAND [OPTIONS]\n"
      "Sets up QLX500 and QLX600 printers from a script, many at once, with the same bytes the\n"
      "window program sends.\n"
      "\n"
      "Commands:\n");
  for (const Command* command : commands()) {
    t += QString::fromUtf8(command->usage);
  }
  t += QStringLiteral(
      "\n"
      "Options:\n"
      "  --to TARGET...       where to send; every argument up to the next option\n"
      "  --targets FILE       more targets, one a line (# comments; - reads standard input)\n"
      "  --jobs N             targets served at the same time (default 16)\n"
      "  --timeout MS         time limit of each step of a link (default 5000; `stored` keeps its\n"
      "                      own unless this is given)\n"
      "  --json FILE          write the whole report as JSON (- for standard output; the lines\n"
      "                      for people then go to standard error)\n"
      "  --html FILE          apply, reset, test, state: write a page for people, one file that\n"
      "                      needs nothing else: counts, then every printer, problems first\n"
      "  --junit FILE         apply, reset, test, state: write the run as JUnit XML, a test case\n"
      "                      per printer\n"
      "  --dry-run            as show: print the commands, open nothing\n"
      "  --record FILE        the record of what was sent to each printer (default\n"
      "                      $Q6CONFIG_RECORD, else ~/.local/state/q6config/record.sqlite3)\n"
      "  --no-record          send without writing the record\n");
  for (const Command* command : commands()) {
    t += QString::fromUtf8(command->ownOptions);
  }
  t += QStringLiteral(
      "  --help, --version\n"
      "\n"
      "Targets:\n"
      "  tcp://HOST[:PORT]    network printer, port 9100 unless given; [ADDRESS]:PORT for IPv6\n"
      "  queue:NAME           CUPS printer queue (one raw job)\n"
      "  file:PATH            capture file (appended to) or device node such as /dev/usb/lp0\n"
      "  serial:PORT?baud=9600&data=8&parity=none|even|odd&stop=1|2&flow=none|hardware|software\n"
      "  stored               the connection the window program stored for this user\n"
      "\n"
      "Exit status: 0 every target delivered, 1 some target failed, 2 bad usage or refused input\n"
      "(then nothing was sent anywhere). A printer --changes-only leaves unchanged counts as\n"
      "delivered; a record that cannot be written never changes the exit status.\n"
      "\n"
      "Tests (test NAME):\n  ");
  t += wrapList(Q6::printerTestNames(), 2) +
       QStringLiteral("\n\nSettings (--set NAME=ENTRY), entries per model:\n");
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    t += QStringLiteral("  %1  %2\n").arg(QLatin1String(row.name), QLatin1String(row.caption));
    switch (row.kind) {
      case Q6::SettingKind::CutOffset:
        t += QStringLiteral(
            "      both models: off, or millimetres from -10 to 31.75 (to the nearest 0.25)\n");
        continue;
      case Q6::SettingKind::FeedCount:
        t += QStringLiteral(
            "      QLX500: a number from 0 to 15 (default 2), used with context-cut's enabled "
            "entries\n");
        continue;
      case Q6::SettingKind::List:
        break;
    }
    const QStringList qlx600 = Q6::entryNames(Q6::settingEntries(row, Q6::kModelQLX600));
    const QStringList qlx500 = Q6::entryNames(Q6::settingEntries(row, Q6::kModelQLX500));
    if (qlx600 == qlx500) {
      t += QStringLiteral("      both models: ") + wrapList(qlx500, 19) + u'\n';
      continue;
    }
    if (!qlx600.isEmpty()) {
      t += QStringLiteral("      QLX600: ") + wrapList(qlx600, 14) + u'\n';
    }
    if (!qlx500.isEmpty()) {
      t += QStringLiteral("      QLX500: ") + wrapList(qlx500, 14) + u'\n';
    }
  }
  t += QStringLiteral(
      "An entry is named by the name above, by the window's text in quotes, or by the first word\n"
      "of a name when only one name starts with it (code-page=1252).\n");
  return t;
}

}  // namespace Q6Cli
