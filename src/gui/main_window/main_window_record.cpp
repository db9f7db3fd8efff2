// The Main tab's way into the printer record: what this computer sent to the printer the window is
// set up for, and what that printer holds as far as the record knows. The reading and wording are
// the record window's (gui/record); here is only the button and which printer it asks about.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "core/link/printer_identity.h"
#include "core/settings/settings_table.h"
#include "gui/common/message_box.h"
#include "gui/layout/layout_kit.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/main_window_layout.h"
#include "gui/record/record_window.h"

using namespace Q6::Layout;

namespace {

// The four actions above stand 480 twips apart; this one takes the next place in their column.
constexpr int kRecordTop = 2940 + 4 * 480;
// Its note has one line of room, down to where the tab's texts end.
constexpr int kRecordNoteTop = kRecordTop + 120;

}  // namespace

void frmMain::buildRecordButton(QWidget* page) {
  const auto onPage = [](int left, int top, int width, int height) {
    return twipsRect(left, top - Q6::kTabRowTwips, width, height);
  };
  cmdRecord =
      button(page, "cmdRecord", tr("Record..."), onPage(360, kRecordTop, 2115, 435), Face::Bold975,
             tr("See the record of what this computer sent to the connected printer."));
  labRecord = label(page, "labRecord", tr("Show what your printer was sent and what it holds."),
                    onPage(2640, kRecordNoteTop, 5055, Q6::kPageBottomTwips - kRecordNoteTop));
  cmdRecord->setAccessibleName(cmdRecord->text());
  cmdRecord->setAccessibleDescription(labRecord->text());
  connect(cmdRecord, &QPushButton::clicked, this, &frmMain::cmdRecord_Click);
}

frmRecord* frmMain::recordWindow() const {
  return m_recordWindow;
}

void frmMain::cmdRecord_Click() {
  const Orvanel::LinkSettings& connection = scm_comms->settings();
  // The record keeps one history per printer; without a connection there is no printer to ask
  // about, and guessing one would show another printer's history.
  if (connection.kind == Orvanel::ConnectionKind::NotSet) {
    Q6::showMessage(this,
                    Q6::MessageRequest{tr("No printer connection is set up yet, so there "
                                          "is no printer to show the record of.\nPress "
                                          "Communication to set one up first."),
                                       Q6::kAppTitle, QMessageBox::Information, QMessageBox::Ok});
    return;
  }
  // Each opening reads the record as it is now, after whatever was sent meanwhile.
  delete m_recordWindow;
  m_recordWindow = new frmRecord(Q6::recordPrinterName(connection),
                                 Q6::modelName(cmbModel->currentIndex()), this);
  m_recordWindow->setAttribute(Qt::WA_DeleteOnClose);
  m_recordWindow->open();
}
