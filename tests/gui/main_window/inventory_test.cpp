#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

#include "gui/cut_position/cut_diagram.h"
#include "main_window_fixture.h"

// The whole window as the operator meets it, one control a line (lists with their entries under
// them), compared with a reviewed file in snapshots/. A change to a caption, entry, tooltip, face,
// place or state shows up as a diff of that file. To accept a deliberate change, run the test with
// Q6_UPDATE_SNAPSHOTS=1 and review the diff before committing it. Places and fitted faces are those
// of the faces scripts/install-deps.sh installs.
namespace MainWindowTests {
namespace {

QString quoted(const QString& text) {
  QString out = text;
  out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
  out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
  out.replace(QLatin1Char('\r'), QLatin1String("\\r"));
  return QLatin1Char('"') + out + QLatin1Char('"');
}

QString kindOf(const QWidget* w) {
  if (qobject_cast<const QCheckBox*>(w)) return QStringLiteral("CheckBox");
  if (qobject_cast<const QPushButton*>(w)) return QStringLiteral("Button");
  if (qobject_cast<const QComboBox*>(w)) return QStringLiteral("List");
  if (qobject_cast<const QLineEdit*>(w)) return QStringLiteral("TextBox");
  if (qobject_cast<const CutDiagram*>(w)) return QStringLiteral("Diagram");
  if (qobject_cast<const Orvanel::Quenlink*>(w)) return QStringLiteral("Link");
  if (const auto* l = qobject_cast<const QLabel*>(w)) {
    return l->text().isEmpty() && !l->pixmap().isNull() ? QStringLiteral("Picture")
                                                        : QStringLiteral("Label");
  }
  return QString::fromLatin1(w->metaObject()->className());
}

QString captionOf(const QWidget* w) {
  if (const auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (const auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  return {};
}

QStringList describe(const QWidget* w) {
  const QRect g = w->geometry();
  QString line = QStringLiteral("%1 %2 @%3,%4 %5x%6")
                     .arg(kindOf(w), w->objectName())
                     .arg(g.x())
                     .arg(g.y())
                     .arg(g.width())
                     .arg(g.height());
  line +=
      QStringLiteral(" font %1%2").arg(w->font().pointSizeF()).arg(w->font().bold() ? " bold" : "");
  if (w->isHidden()) line += QStringLiteral(" hidden");
  if (!w->isEnabled()) line += QStringLiteral(" disabled");
  if (const auto* b = qobject_cast<const QAbstractButton*>(w); b && b->isChecked()) {
    line += QStringLiteral(" checked");
  }
  if (const auto* l = qobject_cast<const QLabel*>(w); l && !l->pixmap().isNull()) {
    line += QStringLiteral(" picture %1x%2").arg(l->pixmap().width()).arg(l->pixmap().height());
  }
  if (const auto* l = qobject_cast<const QLabel*>(w); l && l->wordWrap()) {
    line += QStringLiteral(" wrap");
  }
  QStringList out{line};
  // The version changes with every release; startup_test checks how it is written.
  const QString caption =
      w->objectName() == QLatin1String("labVer") ? QStringLiteral("<version>") : captionOf(w);
  if (!caption.isEmpty()) out << QStringLiteral("  text %1").arg(quoted(caption));
  if (!w->toolTip().isEmpty()) out << QStringLiteral("  tip %1").arg(quoted(w->toolTip()));
  if (!w->accessibleName().isEmpty()) {
    out << QStringLiteral("  accessible %1").arg(quoted(w->accessibleName()));
  }
  if (!w->accessibleDescription().isEmpty()) {
    out << QStringLiteral("  described %1").arg(quoted(w->accessibleDescription()));
  }
  if (const auto* list = qobject_cast<const QComboBox*>(w)) {
    out << QStringLiteral("  at %1 of %2, %3 visible%4")
               .arg(list->currentIndex())
               .arg(list->count())
               .arg(list->maxVisibleItems())
               .arg(list->isEditable() ? QStringLiteral(", editable") : QString());
    for (int i = 0; i < list->count(); ++i) {
      out << QStringLiteral("  %1 %2").arg(i, 2).arg(quoted(list->itemText(i)));
    }
  }
  if (const auto* l = qobject_cast<const QLabel*>(w); l && l->buddy()) {
    out << QStringLiteral("  buddy %1").arg(l->buddy()->objectName());
  }
  for (const QObject* child : w->children()) {
    if (!child->isWidgetType() && !child->objectName().isEmpty()) {
      out << QStringLiteral("  part %1 %2")
                 .arg(child->objectName(), QLatin1String(child->metaObject()->className()));
    }
  }
  return out;
}

// Every control of every tab, tab by tab, in the order the window makes them (the keyboard's
// order too).
QStringList inventory(const frmMain& w) {
  QStringList out;
  out << QStringLiteral("window %1 %2x%3 font %4 title %5")
             .arg(w.objectName())
             .arg(w.width())
             .arg(w.height())
             .arg(w.font().pointSizeF())
             .arg(quoted(w.windowTitle()));
  out << QStringLiteral("tabs %1 @%2,%3 %4x%5 showing %6")
             .arg(w.SSTab1->objectName())
             .arg(w.SSTab1->x())
             .arg(w.SSTab1->y())
             .arg(w.SSTab1->width())
             .arg(w.SSTab1->height())
             .arg(w.SSTab1->currentIndex());
  for (int tab = 0; tab < w.SSTab1->count(); ++tab) {
    out << QString() << QStringLiteral("[%1]").arg(w.SSTab1->tabText(tab));
    for (const QObject* child : w.SSTab1->widget(tab)->children()) {
      if (const auto* control = qobject_cast<const QWidget*>(child)) {
        out << describe(control);
      }
    }
  }
  return out;
}

QString snapshotPath(const QString& model) {
  return QStringLiteral(Q6CONFIG_SNAPSHOTS "/inventory_%1.expected.txt").arg(model);
}

using Inventory = MainWindowTest;

TEST_F(Inventory, EveryControlOfEitherModelAsTheReviewedSnapshotHasIt) {
  for (const char* model : {"QLX600", "QLX500"}) {
    SCOPED_TRACE(model);
    writeStore(
        {QStringLiteral("[Printer]"), QStringLiteral("Model=Vorla ") + QLatin1String(model)});
    frmMain& w = open();
    w.show();
    showEveryTab(w);
    const QStringList shown = inventory(w);
    const QString path = snapshotPath(QLatin1String(model));
    if (qEnvironmentVariableIsSet("Q6_UPDATE_SNAPSHOTS")) {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
      file.write(shown.join(QLatin1Char('\n')).toUtf8() + '\n');
      continue;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QStringList expected = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (!expected.isEmpty() && expected.last().isEmpty()) {
      expected.removeLast();
    }
    // Line by line, so that a failure names the control rather than printing both files.
    for (qsizetype i = 0; i < std::max(shown.size(), expected.size()); ++i) {
      const QString have = i < shown.size() ? shown[i] : QStringLiteral("<end>");
      const QString want = i < expected.size() ? expected[i] : QStringLiteral("<end>");
      if (have != want) {
        ADD_FAILURE() << path.toStdString() << ":" << i + 1
                      << "\n  expected: " << want.toStdString()
                      << "\n  shown:    " << have.toStdString();
        break;
      }
    }
  }
}

}  // namespace
}  // namespace MainWindowTests
