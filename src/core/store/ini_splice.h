#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

// The settings file is provisioned by hand, so storing changes only the program's own lines and
// leaves every other byte (comments, other tools' keys, the order, CR LF line ends) as it stands.
// The program's lines are formatted here in the INI dialect QSettings reads, so that what a later
// start reads is exactly what was stored.
namespace Orvanel {

using StoredValues = std::vector<std::pair<QString, QVariant>>;

// The text after "key=" that QSettings reads back as value.toString(): numbers as digits, text with
// backslashes, quotes and control characters escaped, quoted when it holds ',', ';' or '=' or
// starts or ends with a blank (QSettings would read a list, a comment or lose the blank), and a
// leading '@' doubled. Non-ASCII text is written as UTF-8.
QByteArray iniValueText(const QVariant& value);

// `text` with each key of `values` set in `group`: a line that sets one of them there is replaced
// (every such line, as the reader takes the last one), keys the group lacks go after its last
// non-blank line, and a group the file lacks is added at the end. Every other line is kept byte for
// byte; the result ends with a line end.
QByteArray spliceIniValues(const QByteArray& text, const QString& group,
                           const StoredValues& values);

}  // namespace Orvanel
