#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>
#include <utility>

#include "core/store/ini_splice.h"
#include "core/store/settings_store.h"
#include "support/core_support.h"

namespace {

QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whatever the program stores, a later start reads back as it was: the lines are formatted here,
// not by QSettings, so every awkward value is read back through QSettings itself.
TEST(StoredValues, ReadBackUnchangedByQSettings) {
  const QString values[] = {
      QString(),
      QStringLiteral("plain"),
      QStringLiteral("/var/spool/q6/front till.prn"),
      QStringLiteral(" leading and trailing blanks "),
      QStringLiteral("a,b"),
      QStringLiteral("kitchen;printer"),
      QStringLiteral("key=value"),
      QStringLiteral("#not a comment"),
      QStringLiteral("\"quoted\""),
      QStringLiteral("C:\\spool\\x41\\new"),
      QStringLiteral("@Variant(broken)"),
      QStringLiteral("@"),
      QStringLiteral("line\nbreak\ttab\rreturn"),
      QStringLiteral("bell\u0007"
                     "a1 escape\u001b[0m del\u007f9"),
      QStringLiteral("caf\u00e9-dr\u00fccker.local"),
      QStringLiteral("/tmp/\u30d7\u30ea\u30f3\u30bf/\U0001F5A8.prn"),
      QStringLiteral("trailing backslash\\"),
  };
  for (const QString& value : values) {
    SCOPED_TRACE(value.toStdString());
    Q6Test::TempConfig config;
    ASSERT_TRUE(
        Orvanel::storeValues(QStringLiteral("Q56ConfigCOM"),
                             {{QStringLiteral("Path"), value}, {QStringLiteral("Port"), 9100}})
            .ok());
    QSettings reader(config.iniPath(), QSettings::IniFormat);
    EXPECT_EQ(reader.value(QStringLiteral("Q56ConfigCOM/Path")).toString(), value);
    EXPECT_EQ(reader.value(QStringLiteral("Q56ConfigCOM/Port")).toString(), QStringLiteral("9100"));
    EXPECT_EQ(Orvanel::readStoredValue(QStringLiteral("Q56ConfigCOM"), QStringLiteral("Path"),
                                       QStringLiteral("fallback"))
                  .toString(),
              value);
  }
}

timespec fileTime(const QString& path) {
  struct stat info {};
  ::stat(QFile::encodeName(path).constData(), &info);
  return info.st_mtim;
}

void setFileTime(const QString& path, timespec time) {
  const timespec times[2] = {time, time};
  ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

// Readers that cache the file (QSettings keeps what it parsed until the size or the time in whole
// milliseconds changes) see every store: a value of the same length stored at once after another,
// or after a file whose time lies ahead, still reads back as stored, here and in a reader that
// had the file cached. A file replaced behind the program's back with the same size and time is
// read anew all the same.
TEST(StoredValues, EveryStoreIsSeenByTheNextRead) {
  struct Case {
    const char* name;
    qint64 oldTimeAheadNs;  // how far the old file's time lies ahead of now
    bool byHand;            // the new content is written behind the program's back, time kept
  };
  const Case cases[] = {
      {"stored at once after the last store", 0, false},
      {"old time ahead, in the middle of a millisecond", 60'000'000'000 + 400'000, false},
      {"old time ahead, in the last millisecond of a second", 60'999'500'000, false},
      {"replaced by hand with the same size and time", 0, true},
  };
  const QString group = QStringLiteral("Q56ConfigCOM");
  const QString key = QStringLiteral("Host");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Q6Test::TempConfig config;
    ASSERT_TRUE(Orvanel::storeValues(group, {{key, QStringLiteral("host-1")}}).ok());
    timespec old = fileTime(config.iniPath());
    if (c.oldTimeAheadNs != 0) {
      timespec now{};
      ::clock_gettime(CLOCK_REALTIME, &now);
      const qint64 ns = static_cast<qint64>(now.tv_sec) * 1'000'000'000 +
                        (now.tv_nsec / 1'000'000) * 1'000'000 + c.oldTimeAheadNs;
      old = {static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
      setFileTime(config.iniPath(), old);
    }
    {
      QSettings cached(config.iniPath(), QSettings::IniFormat);
      ASSERT_EQ(cached.value(group + QStringLiteral("/") + key).toString(), "host-1");
    }
    ASSERT_EQ(Orvanel::readStoredValue(group, key, QString()).toString(), "host-1");
    if (c.byHand) {
      ASSERT_TRUE(Q6Test::writeFile(config.iniPath(), "[Q56ConfigCOM]\nHost=host-2\n"));
      setFileTime(config.iniPath(), old);
    } else {
      ASSERT_TRUE(Orvanel::storeValues(group, {{key, QStringLiteral("host-2")}}).ok());
      const timespec now = fileTime(config.iniPath());
      const auto ms = [](timespec t) {
        return static_cast<qint64>(t.tv_sec) * 1000 + t.tv_nsec / 1'000'000;
      };
      EXPECT_GT(ms(now), ms(old));
      QSettings cached(config.iniPath(), QSettings::IniFormat);
      EXPECT_EQ(cached.value(group + QStringLiteral("/") + key).toString(), "host-2");
    }
    EXPECT_EQ(Orvanel::readStoredValue(group, key, QString()).toString(), "host-2");
    EXPECT_EQ(Orvanel::readStoredLinkSettings(group).settings.host, "host-2");
  }
}

// Only the program's own lines change; everything else stays byte for byte.
TEST(StoredValues, SpliceKeepsEveryOtherByte) {
  struct Case {
    const char* name;
    QByteArray before;
    QByteArray after;
  };
  const Case cases[] = {
      {"no file yet", "", "[G]\nHost=h\nPort=1\n"},
      {"group missing, no line end", "; admin\n[Other]\nX=1",
       "; admin\n[Other]\nX=1\n\n[G]\nHost=h\nPort=1\n"},
      {"CR LF kept, missing key after the group's last line",
       "[G]\r\nHost=old\r\n\r\n[Other]\r\nHost=keep\r\n",
       "[G]\r\nHost=h\r\nPort=1\r\n\r\n[Other]\r\nHost=keep\r\n"},
      {"every line of a repeated key", "[G]\nHost=a\n# c\nHost = b\n[G]\nPort=2\n",
       "[G]\nHost=h\n# c\nHost=h\n[G]\nPort=1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Orvanel::spliceIniValues(
                  c.before, QStringLiteral("G"),
                  {{QStringLiteral("Host"), QStringLiteral("h")}, {QStringLiteral("Port"), 1}}),
              c.after);
  }
}

// Two programs store their own value round after round (the helper program checks that each store
// reads back) into one provisioned file.
TEST(StoredValues, TwoProgramsStoringAtOnceLoseNothing) {
  // On a memory file system current kernels give file times finer than a millisecond: two stores
  // of the same size within one millisecond then differ only below what a cached reader compares.
  Q6Test::TempConfig config(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                      : QString());
  const QByteArray provisioned = "; provisioned\n[Rollout]\nWave=3\n";
  ASSERT_TRUE(QDir().mkpath(config.dir() + QStringLiteral("/Q56Config")));
  ASSERT_TRUE(Q6Test::writeFile(config.iniPath(), provisioned));
  QProcess programs[2];
  const char* keys[2][2] = {{"Q56ConfigCOM", "Host"}, {"Printer", "Model"}};
  for (int i = 0; i < 2; ++i) {
    programs[i].setProcessChannelMode(QProcess::ForwardedChannels);
    programs[i].start(QStringLiteral(Q6CONFIG_TEST_HELPER_PATH),
                      {QStringLiteral("store-in-a-loop"), QString::fromLatin1(keys[i][0]),
                       QString::fromLatin1(keys[i][1]), config.dir()});
  }
  for (QProcess& program : programs) {
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitCode(), 0);
  }
  const QByteArray text = fileBytes(config.iniPath());
  EXPECT_TRUE(text.startsWith(provisioned)) << text.toStdString();
  EXPECT_TRUE(text.contains("[Q56ConfigCOM]\nHost=Host-29\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("[Printer]\nModel=Model-29\n")) << text.toStdString();
  EXPECT_EQ(QDir(config.dir() + QStringLiteral("/Q56Config")).entryList(QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("Q56Config.ini")});
}

// The link settings as the window and the command-line tool store and read them.
Orvanel::StoredLinkSettings readLink() {
  return Orvanel::readStoredLinkSettings(Orvanel::kLinkSettingsKey);
}

TEST(LinkSettingsStore, SaveAndLoadRoundTripThroughTheIniFile) {
  Q6Test::TempConfig config;
  Orvanel::LinkSettings s;
  s.kind = Orvanel::ConnectionKind::Network;
  s.host = QStringLiteral("printer.example");
  s.port = 9101;
  s.timeoutMs = 2500;
  const Q6::Result<> stored = Orvanel::storeLinkSettings(Orvanel::kLinkSettingsKey, s);
  ASSERT_TRUE(stored.ok()) << stored.error().toStdString();

  ASSERT_TRUE(QFile::exists(config.iniPath()));
  QSettings ini(config.iniPath(), QSettings::IniFormat);
  EXPECT_EQ(ini.value("Q56ConfigCOM/Connection").toString(), QStringLiteral("Network"));
  EXPECT_EQ(ini.value("Q56ConfigCOM/Host").toString(), QStringLiteral("printer.example"));
  EXPECT_EQ(ini.value("Q56ConfigCOM/Port").toInt(), 9101);

  const Orvanel::StoredLinkSettings read = readLink();
  EXPECT_TRUE(read.problem.isEmpty()) << read.problem.toStdString();
  EXPECT_EQ(read.settings, s);
}

TEST(LinkSettingsStore, HandWrittenFileIsReadAsAnAdministratorWroteIt) {
  Q6Test::TempConfig config;
  config.writeLink({"Connection=File", "Path=/dev/usb/lp0"});
  const Orvanel::StoredLinkSettings read = readLink();
  EXPECT_TRUE(read.problem.isEmpty()) << read.problem.toStdString();
  EXPECT_EQ(read.settings.kind, Orvanel::ConnectionKind::File);
  EXPECT_EQ(read.settings.path, QStringLiteral("/dev/usb/lp0"));
  EXPECT_EQ(read.settings.timeoutMs, 5000);
}

TEST(LinkSettingsStore, FollowsTheConfigFolderInForceAtEachLoad) {
  QTemporaryDir first;
  QTemporaryDir second;
  const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
  for (const auto& [dir, path] : {std::pair{first.path(), QStringLiteral("/tmp/a.prn")},
                                  std::pair{second.path(), QStringLiteral("/tmp/b.prn")}}) {
    QDir().mkpath(dir + QStringLiteral("/Q56Config"));
    QFile ini(dir + QStringLiteral("/Q56Config/Q56Config.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Q56ConfigCOM]\nConnection=File\nPath=" + path.toUtf8() + "\n");
  }
  qputenv("XDG_CONFIG_HOME", first.path().toLocal8Bit());
  EXPECT_EQ(readLink().settings.path, QStringLiteral("/tmp/a.prn"));
  qputenv("XDG_CONFIG_HOME", second.path().toLocal8Bit());
  EXPECT_EQ(readLink().settings.path, QStringLiteral("/tmp/b.prn"));
  qputenv("XDG_CONFIG_HOME", previous);
}

}  // namespace
