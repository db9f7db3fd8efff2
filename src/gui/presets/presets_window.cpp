#include "gui/presets/presets_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include <utility>

#include "gui/common/dialog_keys.h"
#include "gui/common/message_box.h"
#include "gui/layout/layout_kit.h"

using Q6::Layout::px;
using Q6::Layout::twipsRect;

namespace {

// A plain widget is told to screen readers as a "filler"; this window is a dialog.
QAccessibleInterface* presetsWindowAccessible(const QString& key, QObject* object) {
  if (key == QLatin1String("frmPresets") && object != nullptr && object->isWidgetType()) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Dialog);
  }
  return nullptr;
}

}  // namespace

frmPresets::frmPresets(Q6::PresetTarget target)
    : QWidget(nullptr, Qt::Dialog), target_(std::move(target)) {
  setObjectName(QStringLiteral("frmPresets"));
  static const bool roleKnown = (QAccessible::installFactory(presetsWindowAccessible), true);
  Q_UNUSED(roleKnown);
  setWindowTitle(tr("Preset Settings"));
  setFixedSize(px(4965), px(2895));

  filePresets = new QListWidget(this);
  filePresets->setObjectName(QStringLiteral("filePresets"));
  filePresets->setGeometry(twipsRect(0, 0, 2295, 2430));
  filePresets->setSelectionMode(QAbstractItemView::SingleSelection);
  filePresets->setAccessibleName(QStringLiteral("Preset files"));

  comPUse = new QPushButton(tr("Use"), this);
  comPUse->setObjectName(QStringLiteral("comPUse"));
  comPUse->setGeometry(twipsRect(60, 2520, 975, 315));

  comPSave = new QPushButton(tr("Save New"), this);
  comPSave->setObjectName(QStringLiteral("comPSave"));
  comPSave->setGeometry(twipsRect(1140, 2520, 975, 315));
  comPSave->hide();

  comPCancel = new QPushButton(tr("Cancel"), this);
  comPCancel->setObjectName(QStringLiteral("comPCancel"));
  comPCancel->setGeometry(twipsRect(3960, 2520, 975, 315));

  labPDesc = new QLabel(this);
  labPDesc->setObjectName(QStringLiteral("labPDesc"));
  labPDesc->setGeometry(twipsRect(2280, 0, 2655, 2415));
  labPDesc->setWordWrap(true);
  labPDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labPDesc->setContentsMargins(4, 2, 2, 2);  // keeps the text off the list's frame it touches
  // A description is whatever the file holds; it must never be taken for markup.
  labPDesc->setTextFormat(Qt::PlainText);

  // Escape leaves the window as "Cancel" does.
  Q6::useDialogKeys(this, comPCancel);

  setTabOrder(filePresets, comPUse);
  setTabOrder(comPUse, comPSave);
  setTabOrder(comPSave, comPCancel);

  // Selection, not the current row: the list makes its first row current on getting the focus,
  // and that must not count as the operator choosing a file.
  connect(filePresets, &QListWidget::itemSelectionChanged, this, &frmPresets::filePresets_Click);
  connect(comPUse, &QPushButton::clicked, this, &frmPresets::comPUse_Click);
  connect(comPCancel, &QPushButton::clicked, this, &frmPresets::comPCancel_Click);

  Form_Load();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void frmPresets::Form_Load() {
  // Read once: files added or removed later are seen at the next start.
  folder_ = Q6::presetsFolder();
  readFolder();
}

void frmPresets::setPresetsFolder(const QString& folder) {
  folder_ = folder;
  readFolder();
}

void frmPresets::readFolder() {
  filePresets->clear();
  filePresets->addItems(Q6::presetFilesIn(folder_));
}

QString frmPresets::selectedFileName() const {
  const QList<QListWidgetItem*> selected = filePresets->selectedItems();
  return selected.isEmpty() ? QString() : selected.first()->text();
}

void frmPresets::filePresets_Click() {
  const QString name = selectedFileName();
  if (name.isEmpty()) {
    return;
  }
  const Q6::Result<QByteArray> bytes = Q6::readPresetFile(QDir(folder_).filePath(name));
  const std::optional<QString> description = bytes ? Q6::presetDescription(*bytes) : std::nullopt;
  if (!description) {
    Q6::showMessage(this, {Q6::incorrectPresetText(name), Q6::kIncorrectPresetTitle,
                           QMessageBox::Warning, QMessageBox::Ok});
    return;
  }
  labPDesc->setText(*description);
}

void frmPresets::comPUse_Click() {
  const QString name = selectedFileName();
  if (name.isEmpty() || !target_.listCounts || !target_.apply) {
    return;
  }
  // The whole file is checked before the first control moves, so a refused file changes nothing.
  const Q6::Result<QByteArray> bytes = Q6::readPresetFile(QDir(folder_).filePath(name));
  const Q6::Result<Q6::PresetValues> check =
      bytes ? Q6::checkPreset(*bytes, target_.listCounts())
            : Q6::Refused{Q6::presetRefusalText(Q6::PresetRefusal::Corrupt)};
  if (!check) {
    Q6::showMessage(this, {check.error()});
    return;
  }

  // The target applies one control at a time in file order, each running its reaction.
  target_.apply(*check);
  comPCancel_Click();
}

void frmPresets::comPCancel_Click() {
  hide();
  if (target_.window != nullptr) {
    target_.window->show();
  }
}

void frmPresets::closeEvent(QCloseEvent* event) {
  // The title bar's close button leaves the window like "Cancel"; the window stays for the next
  // opening. A close from the program (the main window shutting down) just closes.
  if (event->spontaneous()) {
    event->ignore();
    comPCancel_Click();
    return;
  }
  QWidget::closeEvent(event);
}
