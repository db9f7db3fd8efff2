// What a screen reader hears of the main window: each control's spoken name and description.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>
#include <vector>

#include "core/printer/diagnostic_table.h"
#include "gui/cut_position/cut_diagram.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/main_window_layout.h"

namespace {

QString withoutColon(QString text) {
  if (text.endsWith(QLatin1Char(':'))) {
    text.chop(1);
  }
  return text;
}

}  // namespace

// A screen reader announces each list by its title and reads its help text as the description;
// buttons carry their caption and the note beside them.
void frmMain::describeForScreenReaders() {
  // On Linux a list's own accessible name is its current entry; readers announce the title
  // through the label relation, which the buddy gives. Elsewhere the name is the title.
  for (const Q6::SettingPlace& where : Q6::settingPlaces()) {
    if (!where.list) {
      continue;
    }
    QLabel* title = this->*(where.title);
    title->setBuddy(this->*(where.list));
    (this->*(where.list))->setAccessibleName(title->text());
    (this->*(where.list))->setAccessibleDescription((this->*(where.help))->text());
  }
  Label38->setBuddy(cmbModel);
  cmbModel->setAccessibleName(withoutColon(Label38->text()));
  cmbModel->setAccessibleDescription(QStringLiteral("The printer model the lists are offered for"));

  std::vector<std::pair<QPushButton*, QLabel*>> buttons = {
      {comConfPort, Label19}, {comUse, Label22}, {comClearAll, Label17}, {comPresets, Label20}};
  for (const Q6::PrinterTest& test : Q6::printerTests()) {
    auto* b = findChild<QPushButton*>(QLatin1String(test.button));
    auto* note = findChild<QLabel*>(QLatin1String(test.note));
    if (b && note) {
      buttons.emplace_back(b, note);
    }
  }
  for (const auto& [b, note] : buttons) {
    b->setAccessibleName(b->text());
    b->setAccessibleDescription(withoutColon(note->text()));
  }

  chk_AdjustCutPos->setAccessibleName(chk_AdjustCutPos->text());
  chk_AdjustCutPos->setAccessibleDescription(Label26->text());
  Picture1->setAccessibleName(QStringLiteral("Cut position diagram"));
  Picture1->setAccessibleDescription(
      QStringLiteral("Click or drag on the ticket to move the cut position; the offset from the "
                     "black mark is shown in the box below."));
  txtCutOffset->setAccessibleName(QStringLiteral("Cut position offset in mm"));
  txtCutOffset->setAccessibleDescription(QStringLiteral(
      "Type the offset from the black mark in millimetres, then press Enter or leave the box."));
  txtContFeeds->setAccessibleName(labContFeeds->text());
  txtContFeeds->setAccessibleDescription(
      QStringLiteral("How many line feeds in a row make the printer cut by itself"));
}
