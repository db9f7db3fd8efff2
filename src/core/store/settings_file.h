#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <functional>

#include "core/common/result.h"

// The settings file on disk: read it, and replace it whole under a lock so that a full disk, a
// read-only folder, a kill or a second program storing at the same time never leaves it empty, cut
// short or mixed. Refusals carry the reason alone ("No space left on device", "it is a folder");
// the caller names the file.
namespace Orvanel {

struct SettingsFileText {
  bool exists = false;
  QByteArray text;
};

// How long a store waits for another program that holds the settings file's lock.
inline constexpr int kSettingsLockWaitMs = 2000;

// The file at `path`, following symbolic links; a missing file (or a link to one) is no file yet.
// A folder, a device or pipe, a link loop or a read error is refused with the reason.
Q6::Result<SettingsFileText> readSettingsFileAt(const QString& path);

// Lets `read` see `text` through a QSettings in INI format parsed from exactly these bytes, so that
// every check of one read looks at one version of the file. QSettings parses only files, and keeps
// what it parsed per path until the file's size or time changes; the text reaches it as an
// anonymous in-memory file with a time no earlier file of this process had, so it is always parsed
// afresh. Refused with the system's reason when no such file can be made.
Q6::Result<> readIniText(const QByteArray& text, const std::function<void(QSettings&)>& read);

// Under the lock file `path`.lock (the one QSettings takes): reads the file, asks `change` for the
// new content, writes it to a temporary file in the same folder (every write, the flush and fsync
// checked), lets `check` read that temporary file, renames it over the file (over a link's target
// when the file is a link) and syncs the folder. Any refusal or failure leaves the file byte for
// byte as it was and removes the temporary file. Content equal to the file's is not written.
Q6::Result<> rewriteSettingsFile(
    const QString& path, const std::function<QByteArray(const QByteArray& current)>& change,
    const std::function<Q6::Result<>(const QString& writtenPath)>& check);

}  // namespace Orvanel
