#include "core/printer/diagnostic_table.h"

#include <QtGlobal>

#include <array>

namespace Q6 {

namespace {

using T = TestCommand;

const std::array<PrinterTest, 12> kTests{{
    {"line-feed", "butLineFeed", QT_TRANSLATE_NOOP("Q6::Tests", "Line Feed"), "Label41",
     T::LineFeed, nullptr},
    {"form-feed", "butFormFeed", QT_TRANSLATE_NOOP("Q6::Tests", "Form Feed"), "Label41",
     T::FormFeed, nullptr},
    {"feed-5cm", "butfeedlength", QT_TRANSLATE_NOOP("Q6::Tests", "Feed 5cm"), "Label41", T::Feed5cm,
     nullptr},
    {"full-cut", "butFullCut", QT_TRANSLATE_NOOP("Q6::Tests", "Full Cut"), "Label42", T::FullCut,
     nullptr},
    {"partial-cut", "Command3", QT_TRANSLATE_NOOP("Q6::Tests", "Partial Cut"), "Label42",
     T::PartialCut, nullptr},
    {"feed-full-cut", "Command8", QT_TRANSLATE_NOOP("Q6::Tests", "Feed + Full Cut"), "Label42",
     T::FeedFullCut, nullptr},
    {"feed-partial-cut", "Command9", QT_TRANSLATE_NOOP("Q6::Tests", "Feed + Partial Cut"),
     "Label42", T::FeedPartialCut, nullptr},
    {"cash-drawer-1", "butCDrawer1", QT_TRANSLATE_NOOP("Q6::Tests", "Cash Drawer 1"), "Label40",
     T::CashDrawer1, nullptr},
    {"cash-drawer-2", "butCDrawer2", QT_TRANSLATE_NOOP("Q6::Tests", "Cash Drawer 2"), "Label40",
     T::CashDrawer2, nullptr},
    {"self-test", "Command4", QT_TRANSLATE_NOOP("Q6::Tests", "Print Self Test"), "Label21",
     T::SelfTest, nullptr},
    {"charset-sheet", "butPrintCharSet", QT_TRANSLATE_NOOP("Q6::Tests", "Character Set"), "Label43",
     std::nullopt, &characterSetSheet},
    {"ticket-test", "butTicketTest", QT_TRANSLATE_NOOP("Q6::Tests", "Print Ticket Test"), "Label32",
     std::nullopt, &ticketTest},
}};

}  // namespace

std::span<const PrinterTest> printerTests() {
  return kTests;
}

const PrinterTest* findPrinterTest(QStringView name) {
  for (const PrinterTest& test : kTests) {
    if (name.compare(QLatin1String(test.name), Qt::CaseInsensitive) == 0) {
      return &test;
    }
  }
  return nullptr;
}

const PrinterTest* printerTestOfButton(const QString& button) {
  for (const PrinterTest& test : kTests) {
    if (button == QLatin1String(test.button)) {
      return &test;
    }
  }
  return nullptr;
}

QStringList printerTestNames() {
  QStringList names;
  for (const PrinterTest& test : kTests) {
    names << QLatin1String(test.name);
  }
  return names;
}

CommandList testCommands(const PrinterTest& test) {
  return test.single ? CommandList{testCommand(*test.single)} : test.sheet();
}

}  // namespace Q6
