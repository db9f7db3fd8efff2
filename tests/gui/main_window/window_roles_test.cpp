// What a screen reader is told about the windows themselves and the main window's pictures: the
// main window is a frame, the presets and communication windows are dialogs, and no picture is
// announced without a name.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>

#include "gui/link/comm_settings_window.h"
#include "gui/presets/presets_window.h"
#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using WindowRoles = MainWindowTest;

QAccessibleInterface* face(QObject* object) {
  QAccessibleInterface* f = QAccessible::queryAccessibleInterface(object);
  EXPECT_NE(f, nullptr);
  return f;
}

TEST_F(WindowRoles, TopLevelWindowsAreAFrameAndDialogs) {
  frmMain& main = open();
  EXPECT_EQ(face(&main)->role(), QAccessible::Window);  // "frame" on the AT-SPI bus
  EXPECT_EQ(face(&main)->text(QAccessible::Name), main.windowTitle());

  frmPresets presets({&main, {}, {}});
  EXPECT_EQ(face(&presets)->role(), QAccessible::Dialog);
  EXPECT_EQ(face(&presets)->text(QAccessible::Name), QStringLiteral("Preset Settings"));

  frmPort port(&main);
  EXPECT_EQ(face(&port)->role(), QAccessible::Dialog);
  EXPECT_EQ(face(&port)->text(QAccessible::Name), QStringLiteral("Communication Settings"));
}

TEST_F(WindowRoles, EveryPictureHasAName) {
  frmMain& main = open();
  EXPECT_EQ(face(main.Picture2)->text(QAccessible::Name), QStringLiteral("Vorla logo"));
  EXPECT_EQ(face(main.imgQLX600)->text(QAccessible::Name), QStringLiteral("Vorla QLX600 printer"));
  EXPECT_EQ(face(main.imgQLX500)->text(QAccessible::Name), QStringLiteral("Vorla QLX500 printer"));
  // The printer picture is named after the model it shows, whichever is chosen.
  for (int model : {1, 0}) {
    main.cmbModel->setCurrentIndex(model);
    EXPECT_EQ(face(main.imgPrinter)->text(QAccessible::Name),
              QStringLiteral("Printer picture: ") + main.cmbModel->currentText());
  }
  // No picture on the window goes unnamed.
  int pictures = 0;
  for (QLabel* label : main.findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) {
      ++pictures;
      EXPECT_FALSE(face(label)->text(QAccessible::Name).isEmpty())
          << label->objectName().toStdString();
    }
  }
  EXPECT_GE(pictures, 4);
}

}  // namespace
}  // namespace MainWindowTests
