// What the main window's setting lists say, read and reset through the window's table of places.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "core/settings/settings_table.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/main_window_layout.h"

void frmMain::resetSettingLists() {
  for (const Q6::SettingPlace& where : Q6::settingPlaces()) {
    if (where.list && where.list != &frmMain::comESCPOSColumns) {
      (this->*(where.list))->setCurrentIndex(0);
    }
  }
}

Q6::Selection frmMain::currentSelection() const {
  Q6::Selection s;
  for (const Q6::SettingRow& row : Q6::settingsTable()) {
    switch (row.kind) {
      case Q6::SettingKind::List:
        s.*(row.position) = Q6::settingList(*this, row.control)->currentIndex();
        break;
      case Q6::SettingKind::CutOffset:
        s.chk_AdjustCutPos = chk_AdjustCutPos->isChecked();
        s.txtCutOffset = txtCutOffset->text().toLatin1().toStdString();
        break;
      case Q6::SettingKind::FeedCount:
        s.txtContFeeds = txtContFeeds->text().toLatin1().toStdString();
        break;
    }
  }
  return s;
}
