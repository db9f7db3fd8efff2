#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

#include "core/discovery/discovery.h"
#include "core/link/link_settings.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QThread;

namespace Orvanel {

// "Printers found:": a search for the printers this computer can reach, run in the background, and
// the list of what it found. An entry is chosen by selecting it (a click, the arrow keys once the
// list has the focus); clicking the chosen entry again, Enter or a double click chooses it again.
// Choosing only says which printer (targetChosen): what it fills in is the panel's business.
class FoundPrinters : public QWidget {
  Q_OBJECT

 public:
  explicit FoundPrinters(QWidget* parent = nullptr);
  // Waits for searches still running (they end within their time limit), so that none outlives
  // the program's shut-down.
  ~FoundPrinters() override;

  // Which connection kinds are listed; printers of other kinds are left out.
  void setOffered(std::function<bool(ConnectionKind)> offers) { offers_ = std::move(offers); }
  // Where the search looks (a test points it at a device tree of its own).
  void setDiscoveryOptions(const DiscoveryOptions& options) { discovery_ = options; }
  const DiscoveryOptions& discoveryOptions() const { return discovery_; }

  // Starts a search; the list fills as the sources answer, searchFinished() when all have.
  void findPrinters();
  bool isSearching() const { return searchesRunning_ > 0; }
  // What the last search found, in the order listed.
  const QList<FoundTarget>& foundTargets() const { return found_; }

  QPushButton* cmdFind = nullptr;
  QLabel* labFindStatus = nullptr;
  QListWidget* lstFound = nullptr;

 signals:
  void targetChosen(const Orvanel::FoundTarget& target);
  // The network printer chosen last, with a fresh answer on whether this computer resolves its
  // name.
  void chosenTargetRechecked(const Orvanel::FoundTarget& target);
  // The names of the printer queues a print server listed, sorted.
  void queuesFound(const QStringList& names);
  void searchFinished();
  // The look-ups that choosing a network printer starts have all answered.
  void hostNamesChecked();

 private:
  void takeFound(int search, const QList<FoundTarget>& targets, const QString& note);
  void listFound();
  void chooseFound(QListWidgetItem* item);
  void recheckHostName(const FoundTarget& target);
  void hostNameChecked(int search, const QString& name, bool resolves);

  std::function<bool(ConnectionKind)> offers_;
  DiscoveryOptions discovery_;
  int search_ = 0;  // which search the answers belong to; older answers are dropped
  int searchesRunning_ = 0;
  QList<QPointer<QThread>> searches_;
  QList<FoundTarget> found_;
  QList<FoundTarget> listed_;          // found_ as the list shows it
  std::optional<FoundTarget> chosen_;  // the network printer last chosen
  int hostChecks_ = 0;
  QStringList notes_;
};

}  // namespace Orvanel
