#include "gui/link/link_settings_panel.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

#include "gui/common/translation.h"
#include "gui/common/wheel_guard.h"
#include "gui/layout/layout_kit.h"
#include "gui/link/panel_fields.h"

namespace Orvanel {

using namespace PanelFields;

namespace {

constexpr int kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Every kind can stall on a printer that is offline, a device node or a pipe included.
bool usesTimeLimit(ConnectionKind kind) {
  return kind != ConnectionKind::NotSet;
}

// The kinds' pages are stacked in the order of the connection list (NotSet shows as Network).
int pageOf(ConnectionKind kind) {
  const auto* at = std::find_if(std::begin(kConnectionKinds), std::end(kConnectionKinds),
                                [kind](const auto& choice) { return choice.value == kind; });
  return at == std::end(kConnectionKinds) ? 0 : int(at - std::begin(kConnectionKinds));
}

int readNumber(const QString& text, bool belongsToKind, int shown) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (ok) {
    return value;
  }
  return belongsToKind ? 0 : shown;
}

}  // namespace

LinkSettingsPanel::LinkSettingsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LinkSettingsPanel"));
  auto* top = new QWidget(this);
  cmbConnection = newCombo(top, "cmbConnection");
  form(top)->addRow(tr("Connection:"), cmbConnection);

  // One page per kind, in the order of the connection list (Network first).
  stkKind = new QStackedWidget(this);
  stkKind->setObjectName(QStringLiteral("stkKind"));
  auto* network = addPage(stkKind);
  txtHost = lineEdit(network, "txtHost");
  txtHost->setPlaceholderText(tr("host name or IP address"));
  txtPort = lineEdit(network, "txtPort", 10);
  addRows(network, {{QT_TR_NOOP("Host:"), txtHost}, {QT_TR_NOOP("Port:"), txtPort}});

  auto* queue = addPage(stkKind);
  cmbQueue = typedCombo(queue, "cmbQueue");
  addRows(queue, {{QT_TR_NOOP("Printer queue:"), cmbQueue}});

  auto* file = addPage(stkKind);
  cmbPath = typedCombo(file, "cmbPath");
  butBrowse = new QPushButton(tr("Browse..."), file);
  butBrowse->setObjectName(QStringLiteral("butBrowse"));
  butBrowse->setAutoDefault(false);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(cmbPath, 1);
  pathRow->addWidget(butBrowse);
  // The field shares its row with "Browse...", so the form cannot tie the caption to it by itself;
  // an editable list is also announced through its text field, which gets the same name.
  auto* pathLabel = new QLabel(tr("Device or file:"), file);
  pathLabel->setObjectName(QStringLiteral("labPath"));
  pathLabel->setBuddy(cmbPath);
  cmbPath->setAccessibleName(QStringLiteral("Device or file"));
  cmbPath->lineEdit()->setAccessibleName(cmbPath->accessibleName());
  static_cast<QFormLayout*>(file->layout())->addRow(pathLabel, pathRow);

  auto* serial = addPage(stkKind);
  cmbSerialPort = typedCombo(serial, "cmbSerialPort");
  cmbBaud = typedCombo(serial, "cmbBaud");
  cmbBaud->setMinimumContentsLength(8);
  for (int rate : kBaudRates) {
    cmbBaud->addItem(QString::number(rate));
  }
  cmbDataBits = numberCombo(serial, "cmbDataBits", kDataBitsChoices);
  cmbParity = choiceCombo(serial, "cmbParity", kParities);
  cmbStopBits = numberCombo(serial, "cmbStopBits", kStopBitsChoices);
  cmbFlow = choiceCombo(serial, "cmbFlow", kFlowControls);
  addRows(serial, {{QT_TR_NOOP("Serial port:"), cmbSerialPort},
                   {QT_TR_NOOP("Baud rate:"), cmbBaud},
                   {QT_TR_NOOP("Data bits:"), cmbDataBits},
                   {QT_TR_NOOP("Parity:"), cmbParity},
                   {QT_TR_NOOP("Stop bits:"), cmbStopBits},
                   {QT_TR_NOOP("Flow control:"), cmbFlow}});

  timeoutRow_ = new QWidget(this);
  QSizePolicy keepPlace = timeoutRow_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  timeoutRow_->setSizePolicy(keepPlace);
  txtTimeout = lineEdit(timeoutRow_, "txtTimeout", 10);
  form(timeoutRow_)->addRow(tr("Time limit (ms):"), txtTimeout);

  // One label column for all forms, so the fields line up whichever kind is shown.
  const QList<QLabel*> labels = findChildren<QLabel*>();
  int labelWidth = 0;
  for (const QLabel* label : labels) {
    labelWidth = std::max(labelWidth, label->sizeHint().width());
  }
  for (QLabel* label : labels) {
    label->setMinimumWidth(labelWidth);
  }

  // Made after the label column is set, so that their wide labels do not widen it.
  test_ = new ConnectionTest(this);
  cmdTest = test_->cmdTest;
  labTestResult = test_->labTestResult;
  found_ = new FoundPrinters(this);
  found_->setOffered([this](ConnectionKind kind) { return offers(kind); });
  cmdFind = found_->cmdFind;
  labFindStatus = found_->labFindStatus;
  lstFound = found_->lstFound;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 4);
  layout->addWidget(top);
  layout->addWidget(stkKind);
  layout->addWidget(timeoutRow_);
  // Test and the found printers keep their place whichever kind is shown.
  layout->addStretch(1);
  layout->addWidget(test_);
  layout->addSpacing(4);
  layout->addWidget(found_);

  setOfferedKinds(true, true, true);
  connect(cmbConnection, &QComboBox::currentIndexChanged, this, &LinkSettingsPanel::kindChanged);
  connect(butBrowse, &QPushButton::clicked, this, &LinkSettingsPanel::browseForPath);
  connect(cmdTest, &QPushButton::clicked, this, &LinkSettingsPanel::testConnection);
  connect(test_, &ConnectionTest::finished, this, &LinkSettingsPanel::testFinished);
  connect(found_, &FoundPrinters::targetChosen, this, &LinkSettingsPanel::fillFrom);
  connect(found_, &FoundPrinters::chosenTargetRechecked, this, &LinkSettingsPanel::followHostCheck);
  connect(found_, &FoundPrinters::queuesFound, this, &LinkSettingsPanel::listQueues);
  connect(found_, &FoundPrinters::searchFinished, this, &LinkSettingsPanel::searchFinished);
  connect(found_, &FoundPrinters::hostNamesChecked, this, &LinkSettingsPanel::hostNamesChecked);
  // The lists of devices and ports are filled when settings are shown, and the queues when the
  // panel is shown (by the search), not here: asking twice for one opening would only slow it down.
  showFields(LinkSettings());
}

LinkSettingsPanel::~LinkSettingsPanel() = default;

void LinkSettingsPanel::setOfferedKinds(bool queue, bool network, bool file) {
  offerQueue_ = queue;
  offerNetwork_ = network;
  offerFile_ = file;
  listKinds(chosenKind());
}

ConnectionKind LinkSettingsPanel::chosenKind() const {
  const QVariant data = cmbConnection->currentData();
  return data.isValid() ? static_cast<ConnectionKind>(data.toInt()) : ConnectionKind::NotSet;
}

bool LinkSettingsPanel::offers(ConnectionKind kind) const {
  return (kind == ConnectionKind::Network && offerNetwork_) ||
         (kind == ConnectionKind::Queue && offerQueue_) ||
         (kind == ConnectionKind::File && offerFile_) || kind == ConnectionKind::Serial;
}

void LinkSettingsPanel::listKinds(ConnectionKind kind) {
  if (kind == ConnectionKind::NotSet && offerNetwork_) {
    kind = ConnectionKind::Network;
  }
  {
    const QSignalBlocker quiet(cmbConnection);
    cmbConnection->clear();
    for (const auto& choice : kConnectionKinds) {
      // Settings that use a kind this panel does not offer are shown as they are, not replaced.
      if (offers(choice.value) || choice.value == kind) {
        cmbConnection->addItem(Q6::shown(Q6::kLinkContext, QString::fromLatin1(choice.shown)),
                               static_cast<int>(choice.value));
      }
    }
    cmbConnection->setCurrentIndex(std::max(cmbConnection->findData(static_cast<int>(kind)), 0));
  }
  kindChanged();
}

void LinkSettingsPanel::kindChanged() {
  const ConnectionKind kind = chosenKind();
  stkKind->setCurrentIndex(pageOf(kind));
  timeoutRow_->setVisible(usesTimeLimit(kind));
  // Only the shown page counts for the layout, so the time limit sits right below its fields.
  for (int i = 0; i < stkKind->count(); ++i) {
    QWidget* page = stkKind->widget(i);
    const QSizePolicy::Policy policy =
        i == stkKind->currentIndex() ? QSizePolicy::Preferred : QSizePolicy::Ignored;
    page->setSizePolicy(policy, policy);
  }
  stkKind->updateGeometry();
}

QSize LinkSettingsPanel::sizeHint() const {
  // Room for the largest kind, so that the window keeps one size whichever kind is chosen.
  const QSize hint = QWidget::sizeHint();
  const QSize current = stkKind->currentWidget()->sizeHint();
  QSize largest = current;
  for (int i = 0; i < stkKind->count(); ++i) {
    largest = largest.expandedTo(stkKind->widget(i)->sizeHint());
  }
  return hint + (largest - current);
}

void LinkSettingsPanel::refreshLists() {
  const DiscoveryOptions& where = found_->discoveryOptions();
  Q6::Layout::refill(cmbPath, targetNames(findDeviceNodes(where.sysfsRoot, where.devRoot)));
  QStringList ports = targetNames(findSerialPorts());
  ports.sort();
  Q6::Layout::refill(cmbSerialPort, ports);
}

void LinkSettingsPanel::showSettings(const LinkSettings& settings) {
  shown_ = settings;
  refreshLists();
  showFields(settings);
  // A test still running belongs to the settings shown before; its answer is dropped.
  test_->clear();
}

void LinkSettingsPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) {
    findPrinters();
  }
}

void LinkSettingsPanel::findPrinters() {
  found_->findPrinters();
}

// Only the fields of the chosen printer's kind change; nothing is stored until "Use".
void LinkSettingsPanel::fillFrom(const FoundTarget& target) {
  LinkSettings s;
  target.fill(s);
  listKinds(s.kind);
  switch (s.kind) {
    case ConnectionKind::Network:
      txtHost->setText(s.host);
      txtPort->setText(QString::number(s.port));
      filledHost_ = s.host;
      break;
    case ConnectionKind::Queue:
      cmbQueue->setEditText(s.queue);
      break;
    case ConnectionKind::File:
      cmbPath->setEditText(s.path);
      break;
    case ConnectionKind::Serial:
      cmbSerialPort->setEditText(s.serialPort);
      break;
    case ConnectionKind::NotSet:
      break;
  }
}

// The host field follows the fresh answer, unless the operator has typed something else meanwhile.
void LinkSettingsPanel::followHostCheck(const FoundTarget& target) {
  const QString host = target.storedHost();
  if (txtHost->text() == filledHost_ && host != filledHost_) {
    txtHost->setText(host);
    filledHost_ = host;
  }
}

// The queue list takes the server's names; what the operator typed there stays.
void LinkSettingsPanel::listQueues(const QStringList& queues) {
  const QString typed = cmbQueue->currentText();
  const QSignalBlocker quiet(cmbQueue);
  Q6::Layout::refill(cmbQueue, queues);
  cmbQueue->setEditText(typed);
}

void LinkSettingsPanel::testConnection() {
  test_->start(editedSettings());
}

void LinkSettingsPanel::showFields(const LinkSettings& settings) {
  shown_ = settings;
  listKinds(settings.kind);
  txtHost->setText(settings.host);
  txtPort->setText(QString::number(settings.port));
  txtTimeout->setText(QString::number(settings.timeoutMs));
  cmbQueue->setEditText(settings.queue);
  cmbPath->setEditText(settings.path);
  cmbSerialPort->setEditText(settings.serialPort);
  cmbBaud->setCurrentIndex(-1);
  cmbBaud->setEditText(QString::number(settings.baudRate));
  selectValue(cmbDataBits, settings.dataBits, QString::number(settings.dataBits));
  selectValue(cmbParity, static_cast<int>(settings.parity), QString());
  selectValue(cmbStopBits, settings.stopBits, QString::number(settings.stopBits));
  selectValue(cmbFlow, static_cast<int>(settings.flowControl), QString());
}

LinkSettings LinkSettingsPanel::editedSettings() const {
  LinkSettings s = shown_;
  s.kind = chosenKind();
  s.host = txtHost->text().trimmed();
  s.port = readNumber(txtPort->text(), s.kind == ConnectionKind::Network, shown_.port);
  s.timeoutMs = readNumber(txtTimeout->text(), usesTimeLimit(s.kind), shown_.timeoutMs);
  s.queue = cmbQueue->currentText().trimmed();
  s.path = cmbPath->currentText();
  s.serialPort = cmbSerialPort->currentText().trimmed();
  s.baudRate =
      readNumber(cmbBaud->currentText(), s.kind == ConnectionKind::Serial, shown_.baudRate);
  s.dataBits = cmbDataBits->currentData().toInt();
  s.parity = static_cast<Parity>(cmbParity->currentData().toInt());
  s.stopBits = cmbStopBits->currentData().toInt();
  s.flowControl = static_cast<FlowControl>(cmbFlow->currentData().toInt());
  return s;
}

QList<QWidget*> LinkSettingsPanel::tabChain() const {
  return {cmbConnection, txtHost, txtPort,     cmbQueue,  cmbPath,     butBrowse,
          cmbSerialPort, cmbBaud, cmbDataBits, cmbParity, cmbStopBits, cmbFlow,
          txtTimeout,    cmdTest, cmdFind,     lstFound};
}

void LinkSettingsPanel::browseForPath() {
  const QString current = cmbPath->currentText().trimmed();
  const QString start = current.isEmpty() ? QDir::homePath() : QFileInfo(current).absolutePath();
  // A capture file may not exist yet, and an existing one is appended to, never replaced.
  const QString chosen =
      QFileDialog::getSaveFileName(this, tr("Printer device or capture file"), start, QString(),
                                   nullptr, QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) {
    cmbPath->setEditText(chosen);
  }
}

}  // namespace Orvanel
