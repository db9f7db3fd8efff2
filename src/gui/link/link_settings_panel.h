#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include "core/discovery/discovery.h"
#include "core/link/link_settings.h"
#include "gui/link/connection_check.h"
#include "gui/link/found_printers.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;

namespace Orvanel {

// The settings panel of the printer-link component: the connection kind and the fields of that
// kind. It only shows and collects values; checking and storing them is the component's job.
class LinkSettingsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit LinkSettingsPanel(QWidget* parent = nullptr);
  // Waits for searches still running (they end within their time limit), so that none outlives
  // the program's shut-down. A running test is left to finish on its own.
  ~LinkSettingsPanel() override;

  // Which of the optional kinds the connection list offers (serial is always offered). A kind that
  // is not offered still appears while the shown settings use it, so "Use" never loses them.
  void setOfferedKinds(bool queue, bool network, bool file);

  // Shows settings (NotSet shows as an empty network connection) and refreshes the lists of
  // device nodes and serial ports. The printer queues come with the next search for printers.
  void showSettings(const LinkSettings& settings);

  // Starts a search for printers in the background ("Find printers"); every showing of the panel
  // starts one. The list fills as the sources answer; searchFinished() when all have.
  void findPrinters();
  bool isSearching() const { return found_->isSearching(); }
  // What the last search found, in the order listed (kinds the panel does not offer left out).
  const QList<FoundTarget>& foundTargets() const { return found_->foundTargets(); }
  // Where the search looks (a test points it at a device tree of its own).
  void setDiscoveryOptions(const DiscoveryOptions& options) {
    found_->setDiscoveryOptions(options);
  }

  // "Test": opens the link as the fields stand (not as stored) in the background, sends nothing,
  // closes it, and says in labTestResult what happened; testFinished() then.
  void testConnection();
  bool isTesting() const { return test_->isTesting(); }

  // The values as they stand, not yet checked. A number that cannot be read comes back as 0 when
  // it belongs to the chosen kind (so that the check refuses it); fields of other kinds that cannot
  // be read keep the value last shown.
  LinkSettings editedSettings() const;

  // The focusable fields in their tab order, top to bottom.
  QList<QWidget*> tabChain() const;

  QSize sizeHint() const override;

  QComboBox* cmbConnection = nullptr;
  QStackedWidget* stkKind = nullptr;
  QLineEdit* txtHost = nullptr;
  QLineEdit* txtPort = nullptr;
  QComboBox* cmbQueue = nullptr;
  QComboBox* cmbPath = nullptr;
  QPushButton* butBrowse = nullptr;
  QComboBox* cmbSerialPort = nullptr;
  QComboBox* cmbBaud = nullptr;
  QComboBox* cmbDataBits = nullptr;
  QComboBox* cmbParity = nullptr;
  QComboBox* cmbStopBits = nullptr;
  QComboBox* cmbFlow = nullptr;
  QLineEdit* txtTimeout = nullptr;
  QPushButton* cmdTest = nullptr;
  QLabel* labTestResult = nullptr;
  QPushButton* cmdFind = nullptr;
  QLabel* labFindStatus = nullptr;
  QListWidget* lstFound = nullptr;

 signals:
  void searchFinished();
  void testFinished();
  // The look-ups that choosing a network printer starts have all answered.
  void hostNamesChecked();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ConnectionKind chosenKind() const;
  // Fills the connection list in its fixed order and selects kind (NotSet: an empty network
  // connection).
  void listKinds(ConnectionKind kind);
  void kindChanged();
  void browseForPath();
  void refreshLists();
  void showFields(const LinkSettings& settings);
  bool offers(ConnectionKind kind) const;
  void fillFrom(const FoundTarget& target);
  void followHostCheck(const FoundTarget& target);
  void listQueues(const QStringList& queues);

  ConnectionTest* test_ = nullptr;
  FoundPrinters* found_ = nullptr;
  QWidget* timeoutRow_ = nullptr;
  bool offerQueue_ = true;
  bool offerNetwork_ = true;
  bool offerFile_ = true;
  LinkSettings shown_;
  // What the network printer last chosen from the list put into the host field.
  QString filledHost_;
};

}  // namespace Orvanel
