#include "core/printer/commands.h"

namespace Q6 {

namespace {

Command switchFrame(char operation, QByteArrayView switchNumber, QByteArrayView mask) {
  Command frame;
  frame.reserve(7 + switchNumber.size() + mask.size());
  frame.append('\x1B');
  frame.append('\x1D');
  frame.append('#');
  frame.append(operation);
  frame.append(switchNumber);
  frame.append(mask);
  frame.append('\n');
  frame.append('\0');  // part of the command: appended as a byte, not as a terminator
  return frame;
}

bool isUpperHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

}  // namespace

Command SetSwitchBits(QByteArrayView switchNumber, QByteArrayView mask) {
  return switchFrame('+', switchNumber, mask);
}

Command ClearSwitchBits(QByteArrayView switchNumber, QByteArrayView mask) {
  return switchFrame('-', switchNumber, mask);
}

Command writeCommand() {
  return switchFrame('W', "0", "0000");
}

Command resetCommand() {
  return switchFrame('@', "0", "0000");
}

SwitchFrame parseSwitchFrame(const Command& c) {
  SwitchFrame frame;
  if (c.size() != 11 || c[0] != '\x1B' || c[1] != '\x1D' || c[2] != '#' || c[9] != '\n' ||
      c[10] != '\0') {
    return frame;
  }
  const char op = c[3];
  if (op != '+' && op != '-' && op != 'W' && op != '@') {
    return frame;
  }
  for (int i = 4; i < 9; ++i) {
    if (!isUpperHex(c[i])) {
      return frame;
    }
  }
  frame.valid = true;
  frame.operation = op;
  frame.switchNumber = c[4];
  frame.mask = c.mid(5, 4);
  return frame;
}

QString describeSwitchFrame(const Command& command) {
  const SwitchFrame frame = parseSwitchFrame(command);
  if (!frame.valid) {
    return {};
  }
  switch (frame.operation) {
    case '+':
      return QStringLiteral("switch %1, set bits %2")
          .arg(QChar::fromLatin1(frame.switchNumber), QString::fromLatin1(frame.mask));
    case '-':
      return QStringLiteral("switch %1, clear bits %2")
          .arg(QChar::fromLatin1(frame.switchNumber), QString::fromLatin1(frame.mask));
    case 'W':
      return QStringLiteral("write the switches (store the changes)");
    case '@':
      return QStringLiteral("reset every switch to its factory state");
    default:
      return {};
  }
}

QString hexText(const Command& command) {
  return QString::fromLatin1(command.toHex(' ').toUpper());
}

qsizetype byteCount(const CommandList& commands) {
  qsizetype total = 0;
  for (const Command& c : commands) {
    total += c.size();
  }
  return total;
}

}  // namespace Q6
