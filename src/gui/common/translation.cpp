#include "gui/common/translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <optional>

namespace Q6 {

QString shown(const char* context, const QString& text) {
  if (text.isEmpty()) {
    return text;
  }
  return QCoreApplication::translate(context, text.toUtf8().constData());
}

QStringList shownEntries(const QStringList& entries) {
  QStringList out;
  out.reserve(entries.size());
  for (const QString& entry : entries) {
    out << shown(kListsContext, entry);
  }
  return out;
}

// The message boxes' buttons are Qt's own; their texts are carried here so that one translation
// holds all the window shows.
[[maybe_unused]] constexpr const char* kQtButtons[] = {
    QT_TRANSLATE_NOOP("QPlatformTheme", "OK"), QT_TRANSLATE_NOOP("QPlatformTheme", "&Yes"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "&No"), QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel")};

const QStringList& shippedLanguages() {
  static const QStringList languages{QStringLiteral("de"), QStringLiteral("fr"),
                                     QStringLiteral("es"), QStringLiteral("it"),
                                     QStringLiteral("pt_BR")};
  return languages;
}

LocaleEnvironment LocaleEnvironment::current() {
  return {qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"),
          qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG"),
          QLocale::system().name()};
}

namespace {

// "de_AT.UTF-8@euro" -> "de_AT"; "pt-br" -> "pt_BR".
QString localeName(QString name) {
  name = name.trimmed();
  name.truncate(name.indexOf(u'@') < 0 ? name.size() : name.indexOf(u'@'));
  name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
  name.replace(u'-', u'_');
  const qsizetype country = name.indexOf(u'_');
  if (country < 0) {
    return name.toLower();
  }
  return name.left(country).toLower() + u'_' + name.mid(country + 1).toUpper();
}

bool isCLocale(const QString& name) {
  const QString base = localeName(name);
  return base.isEmpty() || base == u"c" || base == u"posix";
}

// The shipped language for one preference: "" for English, nothing when it is not shipped.
std::optional<QString> shippedFor(const QString& preference, const QStringList& shipped) {
  const QString name = localeName(preference);
  if (name.isEmpty()) {
    return std::nullopt;
  }
  const QString language = name.section(u'_', 0, 0);
  if (language == u"en" || language == u"c" || language == u"posix") {
    return QString();
  }
  if (shipped.contains(name)) {
    return name;
  }
  for (const QString& candidate : shipped) {
    if (candidate.section(u'_', 0, 0) == language) {
      return candidate;
    }
  }
  return std::nullopt;
}

}  // namespace

QString chooseLanguage(const LocaleEnvironment& environment, const QStringList& shipped) {
  QString locale = environment.lcAll;
  if (locale.isEmpty()) {
    locale = environment.lcMessages;
  }
  if (locale.isEmpty()) {
    locale = environment.lang;
  }
  const bool named = !locale.isEmpty();
  if (!named) {
    locale = environment.systemName;
  }
  // A program started in the C locale speaks as the texts stand, whatever LANGUAGE says.
  if (isCLocale(locale)) {
    return {};
  }
  QStringList preferences = environment.language.split(u':', Qt::SkipEmptyParts);
  preferences << locale;
  for (const QString& preference : std::as_const(preferences)) {
    if (const std::optional<QString> language = shippedFor(preference, shipped)) {
      return *language;
    }
  }
  return {};
}

QString translationFile(const QString& language) {
  return QStringLiteral(":/translations/q6config_%1.qm").arg(language);
}

QString loadTranslation(QCoreApplication& app, const LocaleEnvironment& environment) {
  const QString language = chooseLanguage(environment, shippedLanguages());
  if (language.isEmpty()) {
    return {};  // English: no translator, no lookups
  }
  // Built in, so the translation is read from the program's own memory, not from a file.
  auto* translator = new QTranslator(&app);
  if (!translator->load(translationFile(language)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return {};
  }
  return language;
}

}  // namespace Q6
