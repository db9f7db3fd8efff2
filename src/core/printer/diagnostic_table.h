#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <span>

#include "core/printer/diagnostic_commands.h"

// The printer tests, once: the name a script gives each (`q6config-cli test NAME`), the window's
// button that sends the same with its caption, the note beside the button that a screen reader
// reads as its description, and what goes out. The tool's test list and help, and the window's
// test buttons and their descriptions, all follow this table.
namespace Q6 {

struct PrinterTest {
  const char* name;                   // "line-feed"
  const char* button;                 // the window's button (objectName), "butLineFeed"
  const char* caption;                // its caption, "Line Feed"
  const char* note;                   // the label beside the button (objectName), "Label41"
  std::optional<TestCommand> single;  // one command, or else the sheet
  CommandList (*sheet)();
};

// In the order the tool lists them.
std::span<const PrinterTest> printerTests();

// The test of that name, in any case; nullptr when there is none.
const PrinterTest* findPrinterTest(QStringView name);

// The test the window's button with that objectName sends; nullptr for any other button.
const PrinterTest* printerTestOfButton(const QString& button);

QStringList printerTestNames();

// What the test sends, in one exchange.
CommandList testCommands(const PrinterTest& test);

}  // namespace Q6
