#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace Q6 {

// A printer command: a length-counted byte string; NUL and 80-FF are data, never terminators.
using Command = QByteArray;
using CommandList = std::vector<Command>;

// Memory-switch frames: ESC GS '#', operation, switch digit, mask, LF, NUL. The switch number and
// mask are used exactly as given.
Command SetSwitchBits(QByteArrayView switchNumber, QByteArrayView mask);
Command ClearSwitchBits(QByteArrayView switchNumber, QByteArrayView mask);
Command writeCommand();  // ESC GS "#W00000" LF NUL
Command resetCommand();  // ESC GS "#@00000" LF NUL

// A memory-switch frame taken apart; `valid` is false for any other command.
struct SwitchFrame {
  bool valid = false;
  char operation = 0;  // '+', '-', 'W' or '@'
  char switchNumber = 0;
  QByteArray mask;
};
SwitchFrame parseSwitchFrame(const Command& command);

// "switch 0, clear bits 0008", "write the switches", "reset every switch"; empty for a command that
// is not a memory-switch frame.
QString describeSwitchFrame(const Command& command);

// Upper-case hex bytes separated by blanks: "1B 1D 23".
QString hexText(const Command& command);

// Total bytes of a list of commands.
qsizetype byteCount(const CommandList& commands);

}  // namespace Q6
