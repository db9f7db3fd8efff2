#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include "link/link_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace Orvanel {

// The settings panel of the printer-link component: the connection kind and the fields of that
// kind. It only shows and collects values; checking and storing them is the component's job.
class LinkSettingsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit LinkSettingsPanel(QWidget* parent = nullptr);

  // Which of the optional kinds the connection list offers (serial is always offered). A kind that
  // is not offered still appears while the shown settings use it, so "Use" never loses them.
  void setOfferedKinds(bool queue, bool network, bool file);

  // Shows settings (NotSet shows as an empty network connection) and refreshes the lists of
  // printer queues, device nodes and serial ports.
  void showSettings(const LinkSettings& settings);

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

 private:
  ConnectionKind chosenKind() const;
  // Fills the connection list in its fixed order and selects kind (NotSet: an empty network
  // connection).
  void listKinds(ConnectionKind kind);
  void kindChanged();
  void browseForPath();
  void refreshLists();
  void showFields(const LinkSettings& settings);

  QWidget* timeoutRow_ = nullptr;
  bool offerQueue_ = true;
  bool offerNetwork_ = true;
  bool offerFile_ = true;
  LinkSettings shown_;
};

// Device nodes that locally attached printers appear as (/dev/usb/lp*, /dev/lp*), sorted.
QStringList printerDeviceNodes();

}  // namespace Orvanel
