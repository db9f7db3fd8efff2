#pragma once

#include <QDialog>
#include <QString>

#include <vector>

#include "gui/record/record_view.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

// "Printer Record": what this computer's record says was sent to one printer, newest first, and
// what the printer holds after it, setting by setting. It only reads the record: it never makes
// one and never opens the printer. It reads the record once, when it is made; the main window makes
// a new one each time it is asked.
class frmRecord : public QDialog {
  Q_OBJECT

 public:
  // `printer` as the record names it; `windowModel` is the model chosen in the main window, whose
  // settings are listed when the record does not say which model the printer was set up as.
  frmRecord(const QString& printer, const QString& windowModel, QWidget* owner = nullptr);

  QLabel* labPrinter = nullptr;
  QLabel* labRecordFile = nullptr;
  QLabel* labNote = nullptr;  // why there is nothing, or that older entries are left out
  QTabWidget* tabsRecord = nullptr;
  QTableWidget* tblEntries = nullptr;   // "Sent"
  QTableWidget* tblSettings = nullptr;  // "Settings"
  QLabel* labUnknown = nullptr;         // what "unknown" means, under the settings
  QPushButton* cmdClose = nullptr;

  // Reads the record and shows what it holds for the printer (again, when called again).
  void Form_Load();

 private:
  void fill(QTableWidget* table, const std::vector<Q6::RecordRow>& rows, int markedColumn);
  // As wide as the columns need, within the screen.
  void fitToColumns();

  QString printer_;
  QString windowModel_;
};
