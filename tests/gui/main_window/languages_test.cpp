#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include <functional>

#include "gui/main_window/clear_all.h"
#include "gui/presets/presets_window.h"
#include "main_window_fixture.h"

namespace MainWindowTests {
namespace {

using Languages = MainWindowTest;

// What the operator reads, taken from the built window: the translations are written out here as
// the translators wrote them, so a text the window forgets to translate shows as English.
TEST_F(Languages, TheWindowShowsItsTextsInTheLanguageItIsGiven) {
  using Read = std::function<QString(frmMain&)>;
  const Read mainTab = [](frmMain& w) { return w.SSTab1->tabText(0); };
  const Read useButton = [](frmMain& w) { return w.comUse->text(); };
  const Read firstEntry = [](frmMain& w) { return w.comFF->itemText(0); };
  const Read speed = [](frmMain& w) { return w.comSpeed->itemText(4); };
  const Read caption = [](frmMain& w) { return w.Label2->text(); };
  const Read testButton = [](frmMain& w) { return w.butLineFeed->text(); };
  const Read title = [](frmMain& w) { return w.windowTitle(); };
  const Read recordButton = [](frmMain& w) { return w.cmdRecord->text(); };
  const Read recordNote = [](frmMain& w) { return w.labRecord->text(); };
  const struct {
    const char* language;
    const Read* read;
    QString expected;
  } rows[] = {
      {"", &mainTab, QStringLiteral("Main")},
      {"", &firstEntry, QStringLiteral("No Change")},
      {"", &title, QStringLiteral("Vorla QLX500/600 Setup Utility - Advanced Mode")},
      {"de", &mainTab, QStringLiteral("Start")},
      {"de", &useButton, QStringLiteral("Senden")},
      {"de", &firstEntry, QStringLiteral("Keine Änderung")},
      {"de", &speed, QStringLiteral("Optimale Schwärzung")},
      {"de", &caption, QStringLiteral("Aktion bei Seitenvorschub (<FF>)")},
      {"de", &testButton, QStringLiteral("Zeilenvorschub")},
      {"de", &title, QStringLiteral("Vorla QLX500/600 Setup Utility - Erweiterter Modus")},
      {"", &recordButton, QStringLiteral("Record...")},
      {"de", &recordButton, QStringLiteral("Protokoll...")},
      {"de", &recordNote, QStringLiteral("Zeigt, was der Drucker erhielt und was er jetzt hält.")},
      {"fr", &recordButton, QStringLiteral("Journal...")},
      {"es", &recordButton, QStringLiteral("Registro...")},
      {"pt_BR", &recordNote, QStringLiteral("Mostra o que a impressora recebeu e o que ela tem.")},
      {"fr", &mainTab, QStringLiteral("Accueil")},
      {"fr", &firstEntry, QStringLiteral("Inchangé")},
      {"es", &firstEntry, QStringLiteral("Sin cambios")},
      {"it", &firstEntry, QStringLiteral("Nessuna modifica")},
      {"pt_BR", &firstEntry, QStringLiteral("Sem alteração")},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.language) + ": " + r.expected.toStdString());
    const Q6Test::Language speaking(QString::fromLatin1(r.language));
    ASSERT_TRUE(speaking.loaded());
    writeStore({QStringLiteral("[Printer]"), QStringLiteral("Model=Vorla QLX500")});
    EXPECT_EQ((*r.read)(open()), r.expected);
    window.reset();
  }
}

// The reset question, its title and Qt's own buttons speak the window's language; the answer is
// the same button whatever it says.
TEST_F(Languages, TheResetQuestionIsAskedInTheWindowsLanguage) {
  const Q6Test::Language speaking(QStringLiteral("de"));
  ASSERT_TRUE(speaking.loaded());
  open();
  {
    Q6Test::MessageCapture capture(QMessageBox::No);
    window->comClearAll->click();
    ASSERT_EQ(capture.shown.size(), 1u);
    EXPECT_EQ(capture.shown[0].title, QStringLiteral("Zurücksetzen - Sind Sie sicher?"));
    EXPECT_TRUE(capture.shown[0].text.startsWith(QStringLiteral("WARNUNG:\r\n")));
  }
  const auto box = Q6::makeMessageBox(
      window.get(), Q6::MessageRequest{QStringLiteral("x"), QStringLiteral("y"),
                                       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No});
  EXPECT_EQ(box->button(QMessageBox::Yes)->text(), QStringLiteral("&Ja"));
  EXPECT_EQ(box->button(QMessageBox::No)->text(), QStringLiteral("&Nein"));
}

// A preset applied, the settings sent and the model stored in another language give the bytes and
// the settings file they give in English: the language is only what the window shows.
TEST_F(Languages, WhatIsSentAndStoredDoesNotDependOnTheLanguage) {
  struct Outcome {
    QByteArray sent;
    QString stored;
  };
  const auto run = [this](const QString& language) {
    const Q6Test::Language speaking(language);
    EXPECT_TRUE(speaking.loaded());
    useFileLink();
    clearPrinterBytes();
    frmMain& w = open();
    w.cmbModel->setCurrentIndex(1);  // the QLX500, whose lists a preset fills
    w.comPresets_Click();
    frmPresets* presets = w.presetsWindow();
    EXPECT_NE(presets, nullptr);
    if (!presets) {
      return Outcome{};
    }
    presets->setPresetsFolder(QStringLiteral(Q6CONFIG_SHIPPED_PRESETS));
    EXPECT_GT(presets->filePresets->count(), 0);
    presets->filePresets->setCurrentRow(0);
    presets->comPUse->click();
    w.comSpeed->setCurrentIndex(4);  // an entry whose text differs most between languages
    w.comUse->click();
    w.Form_Unload();  // as closing the window stores the model
    Outcome outcome{printerBytes(), storeText()};
    window.reset();
    return outcome;
  };
  const Outcome english = run(QString());
  ASSERT_FALSE(english.sent.isEmpty());
  ASSERT_TRUE(english.stored.contains(QStringLiteral("Model=Vorla QLX500")));
  for (const QString& language :
       {QStringLiteral("de"), QStringLiteral("pt_BR"), Q6Test::kPseudoLanguage}) {
    SCOPED_TRACE(language.toStdString());
    const Outcome other = run(language);
    EXPECT_EQ(other.sent, english.sent);
    EXPECT_EQ(other.stored, english.stored);
  }
}

}  // namespace
}  // namespace MainWindowTests
