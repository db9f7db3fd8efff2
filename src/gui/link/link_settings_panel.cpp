#include "gui/link/link_settings_panel.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QShowEvent>
#include <QStackedWidget>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <optional>

#include "core/discovery/link_probe.h"

namespace Orvanel {

namespace {

// How long the search waits for the DNS-SD and print services; the window stays usable meanwhile.
constexpr int kFindTimeoutMs = 3000;
constexpr int kFoundListRows = 6;
constexpr int kTestResultLines = 3;
// How long choosing a network printer waits for this computer to resolve its .local name.
constexpr int kHostCheckMs = 1500;

constexpr int kBaudRates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Passing over a list with the wheel must not change how the printer is reached: the wheel turns a
// list only once the operator has put the focus there.
class DeliberateWheel : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Wheel) {
      auto* list = qobject_cast<QComboBox*>(watched);
      if (list && !list->hasFocus()) {
        event->ignore();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

QComboBox* newCombo(QWidget* parent) {
  static DeliberateWheel* guard = new DeliberateWheel(qApp);
  auto* combo = new QComboBox(parent);
  combo->setFocusPolicy(Qt::StrongFocus);
  combo->installEventFilter(guard);
  return combo;
}

QComboBox* typedCombo(QWidget* parent, const char* name) {
  auto* combo = newCombo(parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(18);
  return combo;
}

QComboBox* listCombo(QWidget* parent, const char* name,
                     std::initializer_list<std::pair<const char*, int>> entries) {
  auto* combo = newCombo(parent);
  combo->setObjectName(QString::fromLatin1(name));
  for (const auto& [text, value] : entries) {
    combo->addItem(QString::fromLatin1(text), value);
  }
  return combo;
}

QLineEdit* lineEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

// The name a screen reader gives a field; an editable list is also announced through its text
// field, which gets the same name.
void nameForReaders(QComboBox* combo, const QString& name) {
  combo->setAccessibleName(name);
  if (QLineEdit* edit = combo->lineEdit()) {
    edit->setAccessibleName(name);
  }
}

// The same printer in another answer of the search (what is checked about it may differ).
bool sameTarget(const FoundTarget& a, const FoundTarget& b) {
  return a.source == b.source && a.name == b.name && a.hostName == b.hostName &&
         a.address == b.address && a.port == b.port;
}

QFormLayout* form(QWidget* page) {
  auto* layout = new QFormLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  layout->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return layout;
}

// Selects the entry carrying value; a value the list does not offer (hand-written settings) is
// added, so that it is shown as it is and stored back unchanged.
void selectValue(QComboBox* combo, int value, const QString& text) {
  int index = combo->findData(value);
  if (index < 0) {
    combo->addItem(text, value);
    index = combo->count() - 1;
  }
  combo->setCurrentIndex(index);
}

// Refills an editable list with fresh suggestions; the text field is set afterwards.
void refill(QComboBox* combo, const QStringList& suggestions) {
  combo->clear();
  combo->addItems(suggestions);
  combo->setCurrentIndex(-1);
}

// Every kind can stall on a printer that is offline, a device node or a pipe included.
bool usesTimeLimit(ConnectionKind kind) {
  return kind != ConnectionKind::NotSet;
}

// Runs work on a thread of its own and hands its result to deliver on receiver's thread. The
// thread owns everything work uses; if receiver is gone by then, the result is dropped.
template <typename Result, typename Work, typename Deliver>
QThread* runInBackground(QObject* receiver, Work work, Deliver deliver) {
  auto result = std::make_shared<Result>();
  QThread* thread =
      QThread::create([result, work = std::move(work)]() mutable { *result = work(); });
  QObject::connect(thread, &QThread::finished, receiver,
                   [result, deliver = std::move(deliver)] { deliver(*result); });
  QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  thread->start();
  return thread;
}

struct FoundPart {
  QList<FoundTarget> targets;
  QString note;
};

int readNumber(const QString& text, bool belongsToKind, int shown) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (ok) {
    return value;
  }
  return belongsToKind ? 0 : shown;
}

}  // namespace

QStringList printerDeviceNodes() {
  QStringList nodes;
  for (const QString& folder : {QStringLiteral("/dev/usb"), QStringLiteral("/dev")}) {
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("lp*")}, QDir::System | QDir::Files, QDir::Name)) {
      nodes << dir.filePath(name);
    }
  }
  return nodes;
}

LinkSettingsPanel::LinkSettingsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LinkSettingsPanel"));

  cmbConnection = newCombo(this);
  cmbConnection->setObjectName(QStringLiteral("cmbConnection"));

  stkKind = new QStackedWidget(this);
  stkKind->setObjectName(QStringLiteral("stkKind"));

  // One page per kind, in the order of ConnectionKind (Network first).
  auto* network = new QWidget(stkKind);
  txtHost = lineEdit(network, "txtHost");
  txtHost->setPlaceholderText(QStringLiteral("host name or IP address"));
  txtPort = lineEdit(network, "txtPort");
  txtPort->setMaxLength(10);
  auto* networkForm = form(network);
  networkForm->addRow(QStringLiteral("Host:"), txtHost);
  networkForm->addRow(QStringLiteral("Port:"), txtPort);
  stkKind->addWidget(network);

  auto* queue = new QWidget(stkKind);
  cmbQueue = typedCombo(queue, "cmbQueue");
  form(queue)->addRow(QStringLiteral("Printer queue:"), cmbQueue);
  stkKind->addWidget(queue);

  auto* file = new QWidget(stkKind);
  cmbPath = typedCombo(file, "cmbPath");
  butBrowse = new QPushButton(QStringLiteral("Browse..."), file);
  butBrowse->setObjectName(QStringLiteral("butBrowse"));
  butBrowse->setAutoDefault(false);
  auto* pathRow = new QHBoxLayout;
  pathRow->addWidget(cmbPath, 1);
  pathRow->addWidget(butBrowse);
  // The field shares its row with "Browse...", so the form cannot tie the caption to it by itself.
  auto* pathLabel = new QLabel(QStringLiteral("Device or file:"), file);
  pathLabel->setObjectName(QStringLiteral("labPath"));
  pathLabel->setBuddy(cmbPath);
  nameForReaders(cmbPath, QStringLiteral("Device or file"));
  form(file)->addRow(pathLabel, pathRow);
  stkKind->addWidget(file);

  auto* serial = new QWidget(stkKind);
  cmbSerialPort = typedCombo(serial, "cmbSerialPort");
  cmbBaud = typedCombo(serial, "cmbBaud");
  cmbBaud->setMinimumContentsLength(8);
  for (int rate : kBaudRates) {
    cmbBaud->addItem(QString::number(rate));
  }
  cmbDataBits = listCombo(serial, "cmbDataBits", {{"8", 8}, {"7", 7}, {"6", 6}, {"5", 5}});
  cmbParity = listCombo(serial, "cmbParity",
                        {{"None", static_cast<int>(Parity::None)},
                         {"Even", static_cast<int>(Parity::Even)},
                         {"Odd", static_cast<int>(Parity::Odd)}});
  cmbStopBits = listCombo(serial, "cmbStopBits", {{"1", 1}, {"2", 2}});
  cmbFlow = listCombo(serial, "cmbFlow",
                      {{"None", static_cast<int>(FlowControl::None)},
                       {"Hardware (RTS/CTS)", static_cast<int>(FlowControl::Hardware)},
                       {"Software (XON/XOFF)", static_cast<int>(FlowControl::Software)}});
  auto* serialForm = form(serial);
  serialForm->addRow(QStringLiteral("Serial port:"), cmbSerialPort);
  serialForm->addRow(QStringLiteral("Baud rate:"), cmbBaud);
  serialForm->addRow(QStringLiteral("Data bits:"), cmbDataBits);
  serialForm->addRow(QStringLiteral("Parity:"), cmbParity);
  serialForm->addRow(QStringLiteral("Stop bits:"), cmbStopBits);
  serialForm->addRow(QStringLiteral("Flow control:"), cmbFlow);
  stkKind->addWidget(serial);

  auto* top = new QWidget(this);
  form(top)->addRow(QStringLiteral("Connection:"), cmbConnection);

  timeoutRow_ = new QWidget(this);
  QSizePolicy keepPlace = timeoutRow_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  timeoutRow_->setSizePolicy(keepPlace);
  txtTimeout = lineEdit(timeoutRow_, "txtTimeout");
  txtTimeout->setMaxLength(10);
  form(timeoutRow_)->addRow(QStringLiteral("Time limit (ms):"), txtTimeout);

  // One label column for all forms, so the fields line up whichever kind is shown.
  const QList<QLabel*> labels = findChildren<QLabel*>();
  int labelWidth = 0;
  for (const QLabel* label : labels) {
    labelWidth = std::max(labelWidth, label->sizeHint().width());
  }
  for (QLabel* label : labels) {
    label->setMinimumWidth(labelWidth);
  }

  // Made after the label column is set, so that these wide labels do not widen it.
  cmdTest = new QPushButton(QStringLiteral("Test"), this);
  cmdTest->setObjectName(QStringLiteral("cmdTest"));
  cmdTest->setAutoDefault(false);
  cmdTest->setToolTip(QStringLiteral(
      "Open the connection as filled in above and close it again, sending nothing."));
  labTestResult = new QLabel(this);
  labTestResult->setObjectName(QStringLiteral("labTestResult"));
  // A path or a server's message is shown as it is, never taken for markup.
  labTestResult->setTextFormat(Qt::PlainText);
  labTestResult->setWordWrap(true);
  labTestResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labTestResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
  labTestResult->setMinimumHeight(labTestResult->fontMetrics().lineSpacing() * kTestResultLines);
  auto* testRow = new QHBoxLayout;
  testRow->addWidget(cmdTest, 0, Qt::AlignTop);
  testRow->addWidget(labTestResult, 1);

  auto* foundTitle = new QLabel(QStringLiteral("Printers found:"), this);
  foundTitle->setObjectName(QStringLiteral("labFound"));
  labFindStatus = new QLabel(this);
  labFindStatus->setObjectName(QStringLiteral("labFindStatus"));
  cmdFind = new QPushButton(QStringLiteral("Find printers"), this);
  cmdFind->setObjectName(QStringLiteral("cmdFind"));
  cmdFind->setAutoDefault(false);
  auto* findRow = new QHBoxLayout;
  findRow->addWidget(foundTitle);
  findRow->addWidget(labFindStatus, 1);
  findRow->addWidget(cmdFind);
  lstFound = new QListWidget(this);
  lstFound->setObjectName(QStringLiteral("lstFound"));
  foundTitle->setBuddy(lstFound);
  lstFound->setAccessibleName(QStringLiteral("Printers found"));
  lstFound->setSelectionMode(QAbstractItemView::SingleSelection);
  // The notes are sentences: wrapped, so that none is cut off at the edge.
  lstFound->setWordWrap(true);
  lstFound->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lstFound->setMinimumWidth(lstFound->fontMetrics().averageCharWidth() * 64);
  // Rows are as high as the text plus the style's padding; an empty list cannot be asked.
  lstFound->setFixedHeight((lstFound->fontMetrics().height() + 4) * kFoundListRows +
                           2 * lstFound->frameWidth());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 4);
  layout->addWidget(top);
  layout->addWidget(stkKind);
  layout->addWidget(timeoutRow_);
  // Test and the found printers keep their place whichever kind is shown.
  layout->addStretch(1);
  layout->addLayout(testRow);
  layout->addSpacing(4);
  layout->addLayout(findRow);
  layout->addWidget(lstFound);

  setOfferedKinds(true, true, true);
  connect(cmbConnection, &QComboBox::currentIndexChanged, this, &LinkSettingsPanel::kindChanged);
  connect(butBrowse, &QPushButton::clicked, this, &LinkSettingsPanel::browseForPath);
  connect(cmdTest, &QPushButton::clicked, this, &LinkSettingsPanel::testConnection);
  connect(cmdFind, &QPushButton::clicked, this, &LinkSettingsPanel::findPrinters);
  // An entry is chosen by selecting it: a click, or the arrow keys once the list has the focus.
  // Getting the focus makes the first entry current without selecting it, so tabbing across the
  // list changes nothing. Clicking the chosen entry again, Enter or a double click on it, brings
  // back its values after the fields were edited.
  connect(lstFound, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = lstFound->selectedItems();
    if (!selected.isEmpty()) {
      chooseFound(selected.first());
    }
  });
  connect(lstFound, &QListWidget::itemClicked, this, &LinkSettingsPanel::chooseFound);
  connect(lstFound, &QListWidget::itemActivated, this, &LinkSettingsPanel::chooseFound);
  // The lists of devices and ports are filled when settings are shown, and the queues when the
  // panel is shown (by the search), not here: asking twice for one opening would only slow it down.
  discovery_.timeoutMs = kFindTimeoutMs;
  showFields(LinkSettings());
}

LinkSettingsPanel::~LinkSettingsPanel() {
  for (const QPointer<QThread>& search : std::as_const(searches_)) {
    if (search) {
      search->wait(discovery_.timeoutMs + 2000);
    }
  }
}

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

void LinkSettingsPanel::listKinds(ConnectionKind kind) {
  if (kind == ConnectionKind::NotSet && offerNetwork_) {
    kind = ConnectionKind::Network;
  }
  const struct {
    ConnectionKind kind;
    bool offered;
    const char* text;
  } entries[] = {
      {ConnectionKind::Network, offerNetwork_, "Network (TCP/IP)"},
      {ConnectionKind::Queue, offerQueue_, "Printer queue"},
      {ConnectionKind::File, offerFile_, "File or device"},
      {ConnectionKind::Serial, true, "Serial port"},
  };
  {
    const QSignalBlocker quiet(cmbConnection);
    cmbConnection->clear();
    for (const auto& e : entries) {
      // Settings that use a kind this panel does not offer are shown as they are, not replaced.
      if (e.offered || e.kind == kind) {
        cmbConnection->addItem(QString::fromLatin1(e.text), static_cast<int>(e.kind));
      }
    }
    cmbConnection->setCurrentIndex(std::max(cmbConnection->findData(static_cast<int>(kind)), 0));
  }
  kindChanged();
}

void LinkSettingsPanel::kindChanged() {
  const ConnectionKind kind = chosenKind();
  switch (kind) {
    case ConnectionKind::Queue:
      stkKind->setCurrentIndex(1);
      break;
    case ConnectionKind::File:
      stkKind->setCurrentIndex(2);
      break;
    case ConnectionKind::Serial:
      stkKind->setCurrentIndex(3);
      break;
    case ConnectionKind::Network:
    case ConnectionKind::NotSet:
      stkKind->setCurrentIndex(0);
      break;
  }
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
  refill(cmbPath, printerDeviceNodes());
  QStringList ports;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    ports << info.systemLocation();
  }
  ports.sort();
  refill(cmbSerialPort, ports);
}

void LinkSettingsPanel::showSettings(const LinkSettings& settings) {
  shown_ = settings;
  refreshLists();
  showFields(settings);
  // A test still running belongs to the settings shown before; its answer is dropped.
  ++test_;
  testing_ = false;
  cmdTest->setEnabled(true);
  showTestResult(true, QString());
}

void LinkSettingsPanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) {
    findPrinters();
  }
}

bool LinkSettingsPanel::offers(ConnectionKind kind) const {
  switch (kind) {
    case ConnectionKind::Network:
      return offerNetwork_;
    case ConnectionKind::Queue:
      return offerQueue_;
    case ConnectionKind::File:
      return offerFile_;
    case ConnectionKind::Serial:
      return true;
    case ConnectionKind::NotSet:
      break;
  }
  return false;
}

void LinkSettingsPanel::findPrinters() {
  const int search = ++search_;
  found_.clear();
  chosenNetwork_.reset();
  notes_.clear();
  const DiscoveryOptions options = discovery_;
  // Three searches side by side, so that what is found at once is listed at once.
  searchesRunning_ = 0;
  searches_.removeAll(nullptr);
  for (const int part : {int(FindNetwork), int(FindQueues), FindDeviceNodes | FindSerialPorts}) {
    const int sources = options.sources & part;
    if (sources == 0) {
      continue;
    }
    ++searchesRunning_;
    searches_ << runInBackground<FoundPart>(
        this,
        [options, sources] {
          FoundPart found;
          if (sources & FindNetwork) {
            found.targets = options.findNetwork
                                ? options.findNetwork(options.timeoutMs, &found.note)
                                : findNetworkPrinters(options.timeoutMs, &found.note);
            // The list says whether a printer's .local name or its address will be stored.
            checkHostNames(found.targets, std::min(kHostCheckMs, options.timeoutMs),
                           options.lookUpHost ? options.lookUpHost : HostLookUp(systemResolves));
          } else if (sources & FindQueues) {
            found.targets = findPrinterQueues(options.timeoutMs, &found.note);
          } else {
            DiscoveryOptions local = options;
            local.sources = sources;
            found.targets = discoverTargets(local).targets;
          }
          return found;
        },
        [this, search](const FoundPart& found) { takeFound(search, found.targets, found.note); });
  }
  cmdFind->setEnabled(searchesRunning_ == 0);
  listFound();
  if (searchesRunning_ == 0) {
    emit searchFinished();
  }
}

void LinkSettingsPanel::takeFound(int search, const QList<FoundTarget>& targets,
                                  const QString& note) {
  if (search != search_) {
    return;
  }
  for (const FoundTarget& t : targets) {
    if (offers(t.kind())) {
      found_ << t;
    }
  }
  std::stable_sort(found_.begin(), found_.end(), [](const FoundTarget& a, const FoundTarget& b) {
    if (a.source != b.source) {
      return a.source < b.source;
    }
    return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
  });
  if (!note.isEmpty()) {
    notes_ << note;
  }
  // The queue list takes the server's names; what the operator typed there stays.
  QStringList queues;
  for (const FoundTarget& t : targets) {
    if (t.source == TargetSource::Queue) {
      queues << t.name;
    }
  }
  if (!queues.isEmpty()) {
    const QString typed = cmbQueue->currentText();
    queues.sort(Qt::CaseInsensitive);
    queues.removeDuplicates();
    const QSignalBlocker quiet(cmbQueue);
    refill(cmbQueue, queues);
    cmbQueue->setEditText(typed);
  }
  --searchesRunning_;
  cmdFind->setEnabled(searchesRunning_ == 0);
  listFound();
  if (searchesRunning_ == 0) {
    emit searchFinished();
  }
}

void LinkSettingsPanel::listFound() {
  const QSignalBlocker quiet(lstFound);
  // The entry the operator is on stays so when the list is filled anew (more answers, a check).
  std::optional<FoundTarget> current;
  if (const QListWidgetItem* item = lstFound->currentItem();
      item && item->data(Qt::UserRole).isValid()) {
    current = listed_.value(item->data(Qt::UserRole).toInt());
  }
  const bool selected = !lstFound->selectedItems().isEmpty();
  lstFound->clear();
  listed_ = found_;
  for (int i = 0; i < found_.size(); ++i) {
    const FoundTarget& t = found_[i];
    QString text = t.summary();
    if (t.source == TargetSource::Network && !t.hostName.isEmpty() && !t.address.isEmpty()) {
      text += t.hostNameResolves
                  ? QStringLiteral(" - stored as %1").arg(t.hostName)
                  : QStringLiteral(" - stored as %1: this computer does not resolve %2")
                        .arg(t.address, t.hostName);
    }
    auto* item = new QListWidgetItem(text, lstFound);
    item->setData(Qt::UserRole, i);
    item->setToolTip(item->text());
    if (current && sameTarget(*current, t)) {
      lstFound->setCurrentItem(
          item, selected ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
    }
  }
  auto addNote = [this](const QString& text) {
    auto* item = new QListWidgetItem(text, lstFound);
    item->setFlags(Qt::NoItemFlags);
    item->setToolTip(text);
    QFont font = item->font();
    font.setItalic(true);
    item->setFont(font);
  };
  if (isSearching()) {
    addNote(QStringLiteral("Searching..."));
    labFindStatus->setText(QStringLiteral("searching..."));
  } else if (found_.isEmpty()) {
    labFindStatus->setText(QStringLiteral("none"));
  } else {
    labFindStatus->setText(QString::number(found_.size()));
  }
  for (const QString& note : notes_) {
    addNote(note);
  }
}

void LinkSettingsPanel::chooseFound(QListWidgetItem* item) {
  if (!item || !item->data(Qt::UserRole).isValid()) {
    return;
  }
  const int index = item->data(Qt::UserRole).toInt();
  if (index < 0 || index >= found_.size()) {
    return;
  }
  // Only the fields of the chosen kind change; nothing is stored until "Use".
  const FoundTarget& target = found_[index];
  LinkSettings s;
  target.fill(s);
  listKinds(s.kind);
  switch (s.kind) {
    case ConnectionKind::Network:
      txtHost->setText(s.host);
      txtPort->setText(QString::number(s.port));
      chosenNetwork_ = target;
      filledHost_ = s.host;
      recheckHostName(target);
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

void LinkSettingsPanel::recheckHostName(const FoundTarget& target) {
  if (target.source != TargetSource::Network || target.hostName.isEmpty() ||
      target.address.isEmpty()) {
    return;
  }
  // Asked again at the moment of choosing, in the background: the list's answer may be old.
  const int search = search_;
  const QString name = target.hostName;
  const HostLookUp lookUp = discovery_.lookUpHost ? discovery_.lookUpHost : systemResolves;
  ++hostChecks_;
  searches_.removeAll(nullptr);
  searches_ << runInBackground<bool>(
      this, [name, lookUp] { return resolvesHere(name, kHostCheckMs, lookUp); },
      [this, search, name](bool resolves) {
        --hostChecks_;
        hostNameChecked(search, name, resolves);
      });
}

void LinkSettingsPanel::hostNameChecked(int search, const QString& name, bool resolves) {
  if (search == search_) {
    bool changed = false;
    for (FoundTarget& t : found_) {
      if (t.source == TargetSource::Network && t.hostName == name &&
          t.hostNameResolves != resolves) {
        t.hostNameResolves = resolves;
        changed = true;
      }
    }
    if (changed) {
      listFound();
    }
  }
  // The host field follows the answer, unless the operator has typed something else meanwhile.
  if (chosenNetwork_ && chosenNetwork_->hostName == name) {
    chosenNetwork_->hostNameResolves = resolves;
    const QString host = chosenNetwork_->storedHost();
    if (txtHost->text() == filledHost_ && host != filledHost_) {
      txtHost->setText(host);
      filledHost_ = host;
    }
  }
  if (hostChecks_ == 0) {
    emit hostNamesChecked();
  }
}

void LinkSettingsPanel::testConnection() {
  const LinkSettings settings = editedSettings();
  const int test = ++test_;
  testing_ = true;
  // While the button is disabled the focus waits on the result (a reader says "Testing..."),
  // not on the next button, where a second Space would start something else; it comes back after.
  testFocusParked_ = window()->focusWidget() == cmdTest;
  if (testFocusParked_) {
    labTestResult->setFocus(Qt::OtherFocusReason);
  }
  cmdTest->setEnabled(false);
  labTestResult->setStyleSheet(QString());
  labTestResult->setText(settings.timeoutMs > 0
                             ? QStringLiteral("Testing (at most %1 ms)...").arg(settings.timeoutMs)
                             : QStringLiteral("Testing..."));
  // The transport is made, used and destroyed on the test's own thread.
  runInBackground<ProbeResult>(
      this, [settings] { return probeLink(settings); },
      [this, test](const ProbeResult& result) {
        if (test != test_) {
          return;
        }
        testing_ = false;
        cmdTest->setEnabled(true);
        showTestResult(result.ok, result.text);
        if (testFocusParked_ && window()->focusWidget() == labTestResult) {
          cmdTest->setFocus(Qt::OtherFocusReason);
        }
        testFocusParked_ = false;
        emit testFinished();
      });
}

void LinkSettingsPanel::showTestResult(bool ok, const QString& text) {
  labTestResult->setStyleSheet(text.isEmpty() ? QString()
                               : ok           ? QStringLiteral("color: #006000;")
                                              : QStringLiteral("color: #a00000;"));
  labTestResult->setText(text);
  labTestResult->setToolTip(text);
  labTestResult->setProperty("ok", ok);  // what the colour says, for those who cannot see it
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
      QFileDialog::getSaveFileName(this, QStringLiteral("Printer device or capture file"), start,
                                   QString(), nullptr, QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) {
    cmbPath->setEditText(chosen);
  }
}

}  // namespace Orvanel
