#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The window speaks the technician's language; what is stored, sent or exchanged never does. The
// core keeps its texts in English and marks them (QT_TRANSLATE_NOOP) under these contexts; the
// window translates a text only where it shows it, so a list position, a stored name or a byte is
// never touched by the language.
namespace Q6 {

// The contexts the core's texts are marked under.
inline constexpr char kListsContext[] = "Q6::Lists";        // list entries (window_content)
inline constexpr char kSettingsContext[] = "Q6::Settings";  // setting captions (settings_table)
inline constexpr char kTestsContext[] = "Q6::Tests";        // test button captions
inline constexpr char kLinkContext[] = "Q6::Link";          // the link panel's choices
inline constexpr char kMessagesContext[] = "Q6::Messages";  // message boxes

// The text as the window shows it: its translation, or the text itself when there is none.
QString shown(const char* context, const QString& text);
// A list's entries as the window shows them, in the same order (positions are what counts).
QStringList shownEntries(const QStringList& entries);

// The languages shipped, as the translation files are named ("de", "pt_BR").
const QStringList& shippedLanguages();

// Where the language comes from: the environment a program started from the desktop sees.
struct LocaleEnvironment {
  QString language;    // LANGUAGE: a list of preferences, "de:fr"
  QString lcAll;       // LC_ALL
  QString lcMessages;  // LC_MESSAGES
  QString lang;        // LANG
  QString systemName;  // QLocale::system().name(), for a system that sets none of the above
  static LocaleEnvironment current();
};

// The shipped language the window speaks, or an empty text for English (as the texts stand). As
// the C library reads messages: LC_ALL over LC_MESSAGES over LANG, and the LANGUAGE list before
// them unless that locale is C or POSIX; the first English or shipped language wins. A language
// shipped for one country only stands in for its others ("pt" and "pt_PT" get "pt_BR").
QString chooseLanguage(const LocaleEnvironment& environment, const QStringList& shipped);

// The built-in translation file of a shipped language.
QString translationFile(const QString& language);

// Loads the chosen language's translation (built into the program) into the application; nothing
// at all for English. Returns the language loaded, empty for none.
QString loadTranslation(QCoreApplication& app, const LocaleEnvironment& environment);

}  // namespace Q6
