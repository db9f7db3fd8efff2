#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

#include "core/link/link_settings.h"

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

// A target text and where it was written: empty for the command line, "FILE line N" for a line of
// a targets file, so that a refusal can point at the line.
struct TargetLine {
  QString text;
  QString origin;
};

// timeoutMs: the time limit of targets given by text; for `stored`, only when overrideStored.
// Nothing with error set (naming the target and what is wrong) when the text cannot be used; a text
// with a control character (NUL, CR, escape, ...) is never used.
std::optional<Target> parseTarget(const QString& text, int timeoutMs, bool overrideStored,
                                  QString* error);

// The text of a target for the settings, in the form parseTarget reads back to the same settings
// (an IPv6 address in brackets, the port always given, the serial parameters that differ from a
// plain serial target's).
QString targetText(const Orvanel::LinkSettings& settings);

// One target a line, as UTF-8 text. Blank lines are skipped; '#' at the start of a line, or after a
// blank (space or tab), starts a comment that runs to the line end, so `list-targets` output reads
// back as it is. A line with a control character other than tab (NUL, a CR before the line end,
// escape, ...) or text that is not UTF-8 is refused naming its line. `source` names the file in
// origins and messages.
bool parseTargetsText(QByteArrayView data, const QString& source, std::vector<TargetLine>* targets,
                      QString* error);

// parseTargetsText over a file; "-" reads standard input. False with error set when the file
// cannot be read or a line is refused.
bool readTargetsFile(const QString& path, std::vector<TargetLine>* targets, QString* error);

// Where the first control character (C0, DEL, C1) of text is, or -1.
qsizetype firstControl(QStringView text);
// A character as an escape: \n, \x1b or \u202e.
QString escapeOf(char32_t c);

// The text with every control character (C0, DEL, C1, line and paragraph separators and the
// bidirectional overrides) shown as an escape such as \n, \x1b or \u202e, so that a name printed
// to a terminal or into a line-by-line report is always one line and changes nothing on the
// screen.
QString displayText(QStringView text);

}  // namespace Q6Cli
