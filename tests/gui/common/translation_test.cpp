#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "gui/common/message_box.h"
#include "gui/common/translation.h"
#include "support/test_support.h"

namespace {

QString sourcesFolder() {
  return QDir(QStringLiteral(Q6CONFIG_SHIPPED_PRESETS "/../translations")).absolutePath();
}

// One message of a translation source as Linguist keeps it.
struct Entry {
  QString context;
  QString source;
  QString translation;
  QString type;  // "unfinished", "obsolete", "vanished"; empty when finished
  bool hasTranslation = false;
};

std::vector<Entry> readEntries(const QString& path, QString* error) {
  std::vector<Entry> entries;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString();
    return entries;
  }
  QXmlStreamReader xml(&file);
  QString context;
  // Linguist writes a carriage return as <byte value="xd"/> inside a text.
  const auto readText = [&xml]() {
    QString text;
    while (!xml.atEnd()) {
      xml.readNext();
      if (xml.isCharacters()) {
        text += xml.text();
      } else if (xml.isStartElement() && xml.name() == u"byte") {
        text += QChar(
            xml.attributes().value(QLatin1String("value")).toString().mid(1).toInt(nullptr, 16));
        xml.skipCurrentElement();
      } else if (xml.isEndElement()) {
        break;
      }
    }
    return text;
  };
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) {
      continue;
    }
    if (xml.name() == u"name") {
      context = xml.readElementText();
    } else if (xml.name() == u"message") {
      entries.push_back({context, {}, {}, {}, false});
    } else if (xml.name() == u"source" && !entries.empty()) {
      entries.back().source = readText();
    } else if (xml.name() == u"translation" && !entries.empty()) {
      entries.back().type = xml.attributes().value(QLatin1String("type")).toString();
      entries.back().hasTranslation = true;
      entries.back().translation = readText();
    }
  }
  if (xml.hasError()) {
    *error = xml.errorString();
  }
  return entries;
}

// What a translation must carry over from its source: the placeholders and the written line ends.
QStringList keptMarks(const QString& text) {
  QStringList marks;
  static const QRegularExpression placeholder(QStringLiteral("%[0-9]"));
  for (const QRegularExpressionMatch& m : placeholder.globalMatch(text)) {
    marks << m.captured();
  }
  marks.sort();
  marks << QString::number(text.count(u'\r')) + QStringLiteral(" CR")
        << QString::number(text.count(u'\n')) + QStringLiteral(" LF");
  return marks;
}

TEST(TranslationSources, EveryEntryOfEveryLanguageIsFinishedAndKeepsItsPlaceholders) {
  std::vector<Entry> german;
  for (const QString& language : Q6::shippedLanguages()) {
    SCOPED_TRACE(language.toStdString());
    QString error;
    const std::vector<Entry> entries =
        readEntries(sourcesFolder() + QStringLiteral("/q6config_%1.ts").arg(language), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    // The window's texts, the core's lists and captions, the messages and Qt's box buttons.
    EXPECT_GT(entries.size(), 230u);
    for (const Entry& e : entries) {
      SCOPED_TRACE(e.context.toStdString() + ": " + e.source.toStdString());
      EXPECT_TRUE(e.hasTranslation);
      EXPECT_EQ(e.type, QString());  // neither unfinished nor left over from removed texts
      EXPECT_FALSE(e.translation.trimmed().isEmpty());
      EXPECT_EQ(keptMarks(e.translation), keptMarks(e.source));
    }
    // Every language translates the same texts.
    if (german.empty()) {
      german = entries;
    } else {
      ASSERT_EQ(entries.size(), german.size());
      for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].source, german[i].source);
      }
    }
  }
}

// The check above must see an unfinished entry when there is one.
TEST(TranslationSources, TheCheckSeesAnUnfinishedEntry) {
  Q6Test::TempConfig scratch;
  const QString path = scratch.dir() + QStringLiteral("/x.ts");
  ASSERT_TRUE(Q6Test::writeFile(
      path,
      "<?xml version=\"1.0\"?><TS><context><name>frmMain</name><message><source>Main"
      "</source><translation type=\"unfinished\"></translation></message><message><source>"
      "A&#xd;B</source><translation>A<byte value=\"xd\"/>B</translation></message>"
      "</context></TS>"));
  QString error;
  const std::vector<Entry> entries = readEntries(path, &error);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].type, QStringLiteral("unfinished"));
  EXPECT_EQ(entries[1].type, QString());
  EXPECT_EQ(entries[1].translation, QStringLiteral("A\rB"));
  EXPECT_EQ(keptMarks(entries[1].translation), keptMarks(entries[1].source));
}

TEST(LanguageChoice, FollowsTheEnvironmentAsTheCLibraryReadsIt) {
  const struct {
    const char* language;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* system;
    const char* expected;
  } rows[] = {
      {"", "", "", "", "C", ""},
      {"", "", "", "C.UTF-8", "C", ""},
      {"", "", "", "de_DE.UTF-8", "de_DE", "de"},
      {"", "", "", "de_AT@euro", "de_AT", "de"},
      {"", "", "", "fr_CA.UTF-8", "fr_CA", "fr"},
      {"", "", "", "es_MX.UTF-8", "es_MX", "es"},
      {"", "", "", "it_IT.UTF-8", "it_IT", "it"},
      {"", "", "", "pt_BR.UTF-8", "pt_BR", "pt_BR"},
      {"", "", "", "pt_PT.UTF-8", "pt_PT", "pt_BR"},
      {"", "", "", "en_GB.UTF-8", "en_GB", ""},
      {"", "", "", "nl_NL.UTF-8", "nl_NL", ""},
      {"", "it_IT.UTF-8", "", "de_DE.UTF-8", "it_IT", "it"},
      {"", "", "es_ES.UTF-8", "de_DE.UTF-8", "de_DE", "es"},
      {"", "POSIX", "", "de_DE.UTF-8", "C", ""},
      {"de", "", "", "C", "C", ""},
      {"es:de", "", "", "de_DE.UTF-8", "de_DE", "es"},
      {"nl:it", "", "", "de_DE.UTF-8", "de_DE", "it"},
      {"en:de", "", "", "de_DE.UTF-8", "de_DE", ""},
      {"nl", "", "", "fr_FR.UTF-8", "fr_FR", "fr"},
      {"", "", "", "", "de_DE", "de"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string("LANGUAGE=") + r.language + " LC_ALL=" + r.lcAll +
                 " LC_MESSAGES=" + r.lcMessages + " LANG=" + r.lang + " system " + r.system);
    const Q6::LocaleEnvironment environment{
        QString::fromLatin1(r.language), QString::fromLatin1(r.lcAll),
        QString::fromLatin1(r.lcMessages), QString::fromLatin1(r.lang),
        QString::fromLatin1(r.system)};
    EXPECT_EQ(Q6::chooseLanguage(environment, Q6::shippedLanguages()),
              QString::fromLatin1(r.expected));
  }
}

// Messages reach the operator in the language of the window; one that names a file keeps the name
// as it was given.
TEST(LanguageChoice, MessagesAreShownInTheWindowsLanguage) {
  const struct {
    const char* language;
    QString text;
    QString expected;
  } rows[] = {
      {"", QStringLiteral("Corrupt preset file"), QStringLiteral("Corrupt preset file")},
      {"de", QStringLiteral("Corrupt preset file"), QStringLiteral("Beschädigte Vorgabedatei")},
      {"fr", QStringLiteral("Corrupt preset file"),
       QStringLiteral("Fichier de préréglage endommagé")},
      {"de",
       QStringLiteral("The preset 'a %2.pre' does not appear to be a preset file.\n  This may be "
                      "a corrupt file or it may require a more revent version of the Vorla "
                      "QLX600 Setup utility."),
       QStringLiteral("Die Vorgabe 'a %2.pre' scheint keine Vorgabedatei zu sein.\n  Die Datei "
                      "ist möglicherweise beschädigt oder erfordert eine neuere Version des "
                      "Vorla QLX600 Setup Utility.")},
      {"de", QStringLiteral("Printer not reachable"), QStringLiteral("Printer not reachable")},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.language) + ": " + r.text.toStdString());
    const Q6Test::Language speaking(QString::fromLatin1(r.language));
    ASSERT_TRUE(speaking.loaded());
    EXPECT_EQ(Q6::shownMessage(r.text), r.expected);
  }
}

}  // namespace
