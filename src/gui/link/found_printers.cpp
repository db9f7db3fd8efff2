#include "gui/link/found_printers.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/common/background.h"

namespace Orvanel {

namespace {

// How long the search waits for the DNS-SD and print services; the window stays usable meanwhile.
constexpr int kFindTimeoutMs = 3000;
constexpr int kFoundListRows = 6;
// How long choosing a network printer waits for this computer to resolve its .local name.
constexpr int kHostCheckMs = kHostNameCheckMs;

// The same printer in another answer of the search (what is checked about it may differ).
bool sameTarget(const FoundTarget& a, const FoundTarget& b) {
  return a.source == b.source && a.name == b.name && a.hostName == b.hostName &&
         a.address == b.address && a.port == b.port;
}

struct FoundPart {
  QList<FoundTarget> targets;
  QString note;
};

// One of the searches that run side by side, so that what is found at once is listed at once.
FoundPart searchPart(const DiscoveryOptions& options, int sources) {
  FoundPart found;
  if (sources & FindNetwork) {
    found.targets = options.findNetwork ? options.findNetwork(options.timeoutMs, &found.note)
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
}

}  // namespace

FoundPrinters::FoundPrinters(QWidget* parent) : QWidget(parent) {
  auto* title = new QLabel(tr("Printers found:"), this);
  title->setObjectName(QStringLiteral("labFound"));
  labFindStatus = new QLabel(this);
  labFindStatus->setObjectName(QStringLiteral("labFindStatus"));
  cmdFind = new QPushButton(tr("Find printers"), this);
  cmdFind->setObjectName(QStringLiteral("cmdFind"));
  cmdFind->setAutoDefault(false);
  lstFound = new QListWidget(this);
  lstFound->setObjectName(QStringLiteral("lstFound"));
  title->setBuddy(lstFound);
  lstFound->setAccessibleName(QStringLiteral("Printers found"));
  lstFound->setSelectionMode(QAbstractItemView::SingleSelection);
  // The notes are sentences: wrapped, so that none is cut off at the edge.
  lstFound->setWordWrap(true);
  lstFound->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lstFound->setMinimumWidth(lstFound->fontMetrics().averageCharWidth() * 64);
  // Rows are as high as the text plus the style's padding; an empty list cannot be asked.
  lstFound->setFixedHeight((lstFound->fontMetrics().height() + 4) * kFoundListRows +
                           2 * lstFound->frameWidth());

  auto* findRow = new QHBoxLayout;
  findRow->addWidget(title);
  findRow->addWidget(labFindStatus, 1);
  findRow->addWidget(cmdFind);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(findRow);
  layout->addWidget(lstFound);

  connect(cmdFind, &QPushButton::clicked, this, &FoundPrinters::findPrinters);
  // Getting the focus makes the first entry current without selecting it, so tabbing across the
  // list changes nothing.
  connect(lstFound, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = lstFound->selectedItems();
    if (!selected.isEmpty()) {
      chooseFound(selected.first());
    }
  });
  connect(lstFound, &QListWidget::itemClicked, this, &FoundPrinters::chooseFound);
  connect(lstFound, &QListWidget::itemActivated, this, &FoundPrinters::chooseFound);
  discovery_.timeoutMs = kFindTimeoutMs;
}

FoundPrinters::~FoundPrinters() {
  for (const QPointer<QThread>& search : std::as_const(searches_)) {
    if (search) {
      search->wait(discovery_.timeoutMs + 2000);
    }
  }
}

void FoundPrinters::findPrinters() {
  const int search = ++search_;
  found_.clear();
  chosen_.reset();
  notes_.clear();
  const DiscoveryOptions options = discovery_;
  searchesRunning_ = 0;
  searches_.removeAll(nullptr);
  for (const int part : {int(FindNetwork), int(FindQueues), FindDeviceNodes | FindSerialPorts}) {
    const int sources = options.sources & part;
    if (sources == 0) {
      continue;
    }
    ++searchesRunning_;
    searches_ << Q6::runInBackground(
        this, [options, sources] { return searchPart(options, sources); },
        [this, search](const FoundPart& found) { takeFound(search, found.targets, found.note); });
  }
  cmdFind->setEnabled(searchesRunning_ == 0);
  listFound();
  if (searchesRunning_ == 0) {
    emit searchFinished();
  }
}

void FoundPrinters::takeFound(int search, const QList<FoundTarget>& targets, const QString& note) {
  if (search != search_) {
    return;
  }
  QStringList queues;
  for (const FoundTarget& t : targets) {
    if (!offers_ || offers_(t.kind())) {
      found_ << t;
    }
    if (t.source == TargetSource::Queue) {
      queues << t.name;
    }
  }
  sortTargets(found_);
  if (!note.isEmpty()) {
    notes_ << note;
  }
  if (!queues.isEmpty()) {
    queues.sort(Qt::CaseInsensitive);
    queues.removeDuplicates();
    emit queuesFound(queues);
  }
  --searchesRunning_;
  cmdFind->setEnabled(searchesRunning_ == 0);
  listFound();
  if (searchesRunning_ == 0) {
    emit searchFinished();
  }
}

void FoundPrinters::listFound() {
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
      text +=
          t.hostNameResolves
              ? tr(" - stored as %1").arg(t.hostName)
              : tr(" - stored as %1: this computer does not resolve %2").arg(t.address, t.hostName);
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
    addNote(tr("Searching..."));
    labFindStatus->setText(tr("searching..."));
  } else if (found_.isEmpty()) {
    labFindStatus->setText(tr("none"));
  } else {
    labFindStatus->setText(QString::number(found_.size()));
  }
  for (const QString& note : std::as_const(notes_)) {
    addNote(note);
  }
}

void FoundPrinters::chooseFound(QListWidgetItem* item) {
  if (!item || !item->data(Qt::UserRole).isValid()) {
    return;
  }
  const int index = item->data(Qt::UserRole).toInt();
  if (index < 0 || index >= found_.size()) {
    return;
  }
  const FoundTarget target = found_[index];
  if (target.kind() == ConnectionKind::Network) {
    chosen_ = target;
  }
  emit targetChosen(target);
  recheckHostName(target);
}

void FoundPrinters::recheckHostName(const FoundTarget& target) {
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
  searches_ << Q6::runInBackground(
      this, [name, lookUp] { return resolvesHere(name, kHostCheckMs, lookUp); },
      [this, search, name](bool resolves) {
        --hostChecks_;
        hostNameChecked(search, name, resolves);
      });
}

void FoundPrinters::hostNameChecked(int search, const QString& name, bool resolves) {
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
  if (chosen_ && chosen_->hostName == name) {
    chosen_->hostNameResolves = resolves;
    emit chosenTargetRechecked(*chosen_);
  }
  if (hostChecks_ == 0) {
    emit hostNamesChecked();
  }
}

}  // namespace Orvanel
