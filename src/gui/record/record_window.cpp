#include "gui/record/record_window.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/common/background.h"
#include "gui/common/dialog_keys.h"
#include "gui/layout/layout_kit.h"

namespace {

// What the record cannot vouch for stands out from the rest.
const QColor kUncertainColour(0xB0, 0x00, 0x00);

// Room for the column captions and a few rows before the first reading sizes the window.
constexpr int kLeastTableWidth = 560;
constexpr int kLeastTableHeight = 300;
constexpr int kRowPadding = 6;

QLabel* textLine(QWidget* parent, const char* name, bool wrap) {
  auto* label = new QLabel(parent);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(wrap);
  label->setTextFormat(Qt::PlainText);  // paths and reasons are shown as they are
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& columns) {
  auto* t = new QTableWidget(0, static_cast<int>(columns.size()), parent);
  t->setObjectName(QLatin1String(name));
  t->setHorizontalHeaderLabels(columns);
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setWordWrap(false);
  t->verticalHeader()->hide();
  // One line of text a row: the style's default leaves room for two, and a long history then
  // shows a handful of entries at a time.
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + kRowPadding);
  t->horizontalHeader()->setStretchLastSection(true);
  t->setMinimumSize(kLeastTableWidth, kLeastTableHeight);
  return t;
}

// The record may have to wait for another program that is writing it; the window keeps painting
// meanwhile.
Q6::RecordReading readBeside(const QString& printer) {
  const QString location = Q6::defaultRecordPath();
  QCoreApplication* app = QCoreApplication::instance();
  if (!app || QThread::currentThread() != app->thread()) {
    return Q6::readRecord(location, printer);
  }
  return Q6::runBeside([&] { return Q6::readRecord(location, printer); });
}

}  // namespace

frmRecord::frmRecord(const QString& printer, const QString& windowModel, QWidget* owner)
    : QDialog(owner), printer_(printer), windowModel_(windowModel) {
  setObjectName(QStringLiteral("frmRecord"));
  setWindowTitle(tr("Printer Record"));
  setFont(Q6::Layout::windowFont());

  labPrinter = textLine(this, "labPrinter", false);
  labRecordFile = textLine(this, "labRecordFile", false);
  labNote = textLine(this, "labNote", true);
  QFont bold = labNote->font();
  bold.setBold(true);
  labNote->setFont(bold);

  tabsRecord = new QTabWidget(this);
  tabsRecord->setObjectName(QStringLiteral("tabsRecord"));
  tblEntries = table(tabsRecord, "tblEntries",
                     {tr("When"), tr("Who"), tr("What"), tr("Outcome"), tr("Bytes"), tr("Reason")});
  tabsRecord->addTab(tblEntries, tr("Sent"));
  auto* settingsPage = new QWidget(tabsRecord);
  settingsPage->setObjectName(QStringLiteral("pageSettings"));
  tblSettings =
      table(settingsPage, "tblSettings", {tr("Setting"), tr("Value"), tr("Since"), tr("By")});
  labUnknown = textLine(settingsPage, "labUnknown", true);
  labUnknown->setText(
      tr("Unknown: the record cannot say what the printer holds, because nothing sent from this "
         "computer has set it, or an exchange that would have was cut short. Use Settings or "
         "Clear All Settings makes it known again."));
  auto* settingsLayout = new QVBoxLayout(settingsPage);
  settingsLayout->addWidget(tblSettings, 1);
  settingsLayout->addWidget(labUnknown);
  tabsRecord->addTab(settingsPage, tr("Settings"));

  cmdClose = new QPushButton(tr("Close"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labPrinter);
  layout->addWidget(labRecordFile);
  layout->addWidget(labNote);
  layout->addWidget(tabsRecord, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  layout->addLayout(buttons);

  // Nothing here changes anything: Enter on Close and Escape both just close.
  Q6::useDialogKeys(this, cmdClose);
  Form_Load();
}

void frmRecord::Form_Load() {
  const Q6::RecordReading reading = readBeside(printer_);
  const QString model = Q6::recordModel(reading.entries, windowModel_);
  labPrinter->setText(model.isEmpty() ? tr("Printer: %1").arg(printer_)
                                      : tr("Printer: %1 (%2)").arg(printer_, model));
  labRecordFile->setText(tr("Record: %1").arg(QDir::toNativeSeparators(reading.location)));
  const QString note = Q6::recordNote(reading);
  labNote->setText(note);
  labNote->setVisible(!note.isEmpty());
  const bool read = reading.found == Q6::RecordReading::Found::Read;
  fill(tblEntries, Q6::entryRows(reading.entries), Q6::kEntryOutcome);
  // A record that could not be read says nothing about the settings either.
  fill(tblSettings, read ? Q6::stateRows(reading.state, model) : std::vector<Q6::RecordRow>{},
       Q6::kStateValue);
  tabsRecord->setEnabled(read);
  labUnknown->setVisible(read);
  fitToColumns();
}

void frmRecord::fill(QTableWidget* table, const std::vector<Q6::RecordRow>& rows,
                     int markedColumn) {
  table->clearContents();
  table->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < table->rowCount(); ++r) {
    const Q6::RecordRow& row = rows[static_cast<std::size_t>(r)];
    for (int c = 0; c < table->columnCount() && c < row.cells.size(); ++c) {
      auto* item = new QTableWidgetItem(row.cells[c]);
      item->setToolTip(row.tip);
      if (row.uncertain && c == markedColumn) {
        QFont marked = table->font();
        marked.setBold(true);
        item->setFont(marked);
        item->setForeground(kUncertainColour);
      }
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnsToContents();
}

void frmRecord::fitToColumns() {
  int widest = 0;
  for (const QTableWidget* t : {tblEntries, tblSettings}) {
    widest = std::max(widest, t->horizontalHeader()->length() + 2 * t->frameWidth() +
                                  t->verticalScrollBar()->sizeHint().width());
  }
  // The tab page's and the window's margins around the table.
  const QMargins around = layout()->contentsMargins();
  const int wanted = widest + around.left() + around.right() +
                     4 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
  const int room = shownOn ? shownOn->availableGeometry().width() * 9 / 10 : wanted;
  const QSize hint = sizeHint();
  resize(std::clamp(wanted, hint.width(), std::max(hint.width(), room)), hint.height());
}
