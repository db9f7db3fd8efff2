#include "core/printer/diagnostic_commands.h"

namespace Q6 {

namespace {
Command bytes(std::initializer_list<unsigned char> values) {
  Command out;
  out.reserve(static_cast<qsizetype>(values.size()));
  for (unsigned char v : values) {
    out.append(static_cast<char>(v));
  }
  return out;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";
}  // namespace

Command testCommand(TestCommand which) {
  switch (which) {
    case TestCommand::LineFeed:
      return bytes({0x0D, 0x0A});
    case TestCommand::FormFeed:
      return bytes({0x0C});
    case TestCommand::Feed5cm:
      return bytes({0x1B, 0x4A, 0xC8});
    case TestCommand::FullCut:
      return bytes({0x1B, 0x64, 0x30});
    case TestCommand::PartialCut:
      return bytes({0x1B, 0x64, 0x31});
    case TestCommand::FeedFullCut:
      return bytes({0x1B, 0x64, 0x32});
    case TestCommand::FeedPartialCut:
      return bytes({0x1B, 0x64, 0x33});
    case TestCommand::CashDrawer1:
      return bytes({0x1C});
    case TestCommand::CashDrawer2:
      return bytes({0x19});
    case TestCommand::SelfTest:
      return bytes({0x1B, 0x3F, 0x0A, 0x00});
  }
  return Command();
}

CommandList characterSetSheet() {
  const Command crlf = bytes({0x0D, 0x0A});
  CommandList sends;
  sends.reserve(258);
  sends.push_back(bytes({0x1B, 0x40}));
  sends.push_back(bytes({0x1B, 0x1D, 0x61, 0x31}));
  sends.push_back(bytes({0x1B, 0x45, 0x1B, 0x69, 0x31, 0x31}) + "Character Set" +
                  bytes({0x1B, 0x69, 0x30, 0x30}) + crlf + crlf);
  sends.push_back(Command("  0 1 2 3 4 5 6 7 8 9 A B C D E F") + crlf);
  for (int row = 2; row <= 15; ++row) {
    sends.push_back(bytes({0x1B, 0x45}) + kHexDigits[row] + bytes({0x1B, 0x46}));
    for (int code = 16 * row; code <= 16 * row + 15; ++code) {
      sends.push_back(bytes({0x20, static_cast<unsigned char>(code)}));
    }
    sends.push_back(crlf);
  }
  sends.push_back(bytes({0x1B, 0x61, 0x05}));
  sends.push_back(bytes({0x1B, 0x1D, 0x61, 0x30}));
  return sends;
}

CommandList ticketTest() {
  CommandList sends;
  for (char n = '1'; n <= '3'; ++n) {
    sends.push_back(Command("     Qlx500/600 Ticket Test\r\n"));
    sends.push_back(Command("     Ticket ") + n);
    sends.push_back(testCommand(TestCommand::FeedFullCut));
  }
  return sends;
}

}  // namespace Q6
