#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>

#include "core/link/link_error.h"
#include "core/link/link_settings.h"
#include "core/link/printer_link_interface.h"
#include "core/link/transport_link.h"
#include "core/store/settings_store.h"

class QSettings;
class QShowEvent;

namespace Orvanel {

class LinkSettingsPanel;

// The printer-link component. It owns the link settings and the link over the open connection's
// transport.
// As a widget it is the settings panel of the communication settings window (scm_interface); on the
// main window (scm_comms) it stays hidden and is used only through its operations.
class Quenlink : public QWidget, public PrinterLink {
  Q_OBJECT

 public:
  explicit Quenlink(QWidget* parent = nullptr);
  ~Quenlink() override;

  // Opens a connection to the printer chosen by the last loaded settings. Raises LinkError.
  void OpenConnection() override;
  // Sends every byte of data, in order, NUL and 80-FF included. Raises LinkError.
  void SendData(const QByteArray& data) override;
  // Waits for pending bytes and releases the connection. Raises LinkError.
  void CloseConnection() override;
  // Checks the settings shown in the panel (without a panel: the loaded ones) and stores them under
  // the group `key`. Settings that cannot be used raise LinkError saying what to fix, and nothing
  // is stored.
  void SaveLinkSettings(const QString& key);
  // Takes over the settings stored under `key` (nothing stored: "not set up") and shows them.
  // Stored values that cannot be used make the next OpenConnection raise a message naming them; a
  // settings file that cannot be read raises LinkError here too.
  void LoadLinkSettings(const QString& key);

  // The settings the next connection uses (the last loaded or stored ones, not unsaved edits).
  const LinkSettings& settings() const { return link_.settings(); }
  void setSettings(const LinkSettings& settings);
  bool isConnectionOpen() const { return link_.isOpen(); }

  // The settings panel, made on first use: an instance that only carries traffic never needs it.
  LinkSettingsPanel* settingsPanel();

  // Which connection kinds the panel offers (all on by default).
  bool showspooler = true;
  bool showtcpip = true;
  bool showfile = true;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TransportLink link_;   // with the settings the next connection uses
  QString loadProblem_;  // what is wrong with the stored settings last loaded
  LinkSettingsPanel* panel_ = nullptr;
};

}  // namespace Orvanel
