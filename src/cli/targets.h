#pragma once

#include <QString>
#include <QStringList>

#include <optional>

#include "link/link_settings.h"

// Where the command-line tool sends: one printer per target text.
//   tcp://HOST[:PORT]        network printer (port 9100 unless given; [::1]:9100 for IPv6)
//   queue:NAME               CUPS queue, one raw job
//   file:PATH                capture file or device node such as /dev/usb/lp0
//   serial:PORT?baud=9600&data=8&parity=none&stop=1&flow=none   (every parameter optional)
//   stored                   the connection the window program stored for this user
namespace Q6Cli {

struct Target {
  QString text;  // as the operator wrote it; reports name the target by it
  Orvanel::LinkSettings settings;
};

// timeoutMs: the time limit of targets given by text; for `stored`, only when overrideStored.
// Nothing with error set (naming the target and what is wrong) when the text cannot be used.
std::optional<Target> parseTarget(const QString& text, int timeoutMs, bool overrideStored,
                                  QString* error);

// One target a line; blank lines and lines starting with '#' are skipped. "-" reads standard
// input. False with error set when the file cannot be read.
bool readTargetsFile(const QString& path, QStringList* targets, QString* error);

}  // namespace Q6Cli
