#pragma once

#include <QString>
#include <QStringList>

#include "core/link/link_settings.h"

// q6config-cli's command line as read.
namespace Q6Cli {

inline constexpr int kDefaultJobs = 16;
// The open-file limit is the real bound (fitJobsToFileLimit); this only stops a typo.
inline constexpr int kMaxJobs = 65536;

struct Options {
  QString command;
  bool dryRun = false;
  QString model;
  QString preset;
  QStringList sets;
  QStringList targets;
  QStringList targetFiles;
  QString testName;
  QString recordAction;  // record: sync or copy
  QString from;          // record copy --from FILE
  bool yes = false;
  int jobs = kDefaultJobs;
  int timeoutMs = Orvanel::kDefaultTimeoutMs;
  bool timeoutGiven = false;
  QString json;
  QString html;    // the page for people
  QString junit;   // the run as JUnit XML, for a build server
  QString record;  // empty: Q6::defaultRecordPath()
  bool noRecord = false;
  bool changesOnly = false;
  bool check = false;
  bool diff = false;
  bool force = false;
  int limit = 0;  // history: entries per printer, 0 for all
  bool help = false;
  bool version = false;
};

// False with error set (the message without the program's prefix) for an unknown option, a
// missing or bad value, or an argument out of place.
bool parseArguments(const QStringList& args, Options* options, QString* error);

// " Did you mean NAME?" for the one known word nearest to a slip of the keyboard; empty when none
// is near enough (about one edit in three letters) or two are equally near.
QString didYouMean(const QString& word, const QStringList& known);

}  // namespace Q6Cli
