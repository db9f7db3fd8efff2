#include "gui/link/comm_settings_window.h"

#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

#include "core/link/link_error.h"
#include "gui/common/dialog_keys.h"
#include "gui/common/message_box.h"
#include "gui/layout/layout_kit.h"
#include "gui/link/link_settings_panel.h"

namespace {

// The window as first drawn, in twips: panel 3825 x 1560 at the top left, "Use" at 60, 1620 and
// "Cancel" at 2880, 1620, both 912 x 312, client area 3840 x 1995.
using Q6::Layout::px;
constexpr int kMinPanelWidth = px(3825);
constexpr int kMinPanelHeight = px(1560);
constexpr int kButtonWidth = px(912);
constexpr int kButtonHeight = px(312);
constexpr int kButtonGap = px(1620 - 1560);  // panel bottom to buttons, buttons to window bottom
constexpr int kLeftMargin = px(60);          // "Use" from the left edge
constexpr int kRightMargin = px(3840 - 2880 - 912);  // "Cancel" from the right edge

}  // namespace

frmPort::frmPort(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("frmPort"));
  setWindowTitle(tr("Communication Settings"));
  scm_interface = new Orvanel::Quenlink(this);
  scm_interface->setObjectName(QStringLiteral("scm_interface"));
  Orvanel::LinkSettingsPanel* panel = scm_interface->settingsPanel();
  Command1 = new QPushButton(tr("Use"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command2 = new QPushButton(tr("Cancel"), this);
  Command2->setObjectName(QStringLiteral("Command2"));

  // Four connection kinds need more room than the original panel: the panel grows to fit every
  // field, and the buttons keep their places below it, "Use" on the left, "Cancel" on the right.
  const QSize panelSize =
      scm_interface->sizeHint().expandedTo(QSize(kMinPanelWidth, kMinPanelHeight));
  const QSize buttonSize = Command1->sizeHint()
                               .expandedTo(Command2->sizeHint())
                               .expandedTo(QSize(kButtonWidth, kButtonHeight));
  const int width = std::max(panelSize.width() + 1, kMinPanelWidth + 1);
  const int buttonTop = panelSize.height() + kButtonGap;
  scm_interface->setGeometry(0, 0, panelSize.width(), panelSize.height());
  Command1->setGeometry(QRect(QPoint(kLeftMargin, buttonTop), buttonSize));
  Command2->setGeometry(
      QRect(QPoint(width - kRightMargin - buttonSize.width(), buttonTop), buttonSize));
  setFixedSize(width, buttonTop + buttonSize.height() + kButtonGap);

  // Tab order as first designed: "Cancel", "Use", then the panel's fields from the top.
  setTabOrder(Command2, Command1);
  QWidget* previous = Command1;
  for (QWidget* field : panel->tabChain()) {
    setTabOrder(previous, field);
    previous = field;
  }

  connect(Command1, &QPushButton::clicked, this, &frmPort::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmPort::Command2_Click);
  // No default button, so Enter in a field stores nothing; Escape is "Cancel": nothing is stored.
  Q6::useDialogKeys(this, Command2);
}

void frmPort::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    Form_Load();
  }
  QDialog::showEvent(event);
}

void frmPort::Form_Load() {
  try {
    scm_interface->LoadLinkSettings(Orvanel::kLinkSettingsKey);
  } catch (const Orvanel::LinkError& error) {
    // The file cannot be read: the panel shows the defaults, and "Use" stores over the file once
    // whatever stands in its place has been fixed.
    Q6::showError(this, error.message());
  }
  // Focus starts where the tab order starts, on "Cancel": a stray key press stores nothing.
  Command2->setFocus();
}

void frmPort::Command1_Click() {
  try {
    scm_interface->SaveLinkSettings(Orvanel::kLinkSettingsKey);
  } catch (const Orvanel::LinkError& error) {
    // Nothing was stored; the operator fixes the value and tries again.
    Q6::showError(this, error.message());
    return;
  }
  accept();
}

void frmPort::Command2_Click() {
  reject();
}
