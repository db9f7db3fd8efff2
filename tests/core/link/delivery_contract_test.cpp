#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "core/link/transport_link.h"
#include "core/printer/diagnostic_commands.h"
#include "core/printer/exchange.h"
#include "support/core_support.h"
#include "support/link_fixtures.h"

// One contract for every way of reaching a printer: an exchange either delivers every byte exactly
// once and is done, or is refused with one message that names the target and the reason, within
// the time limit and a small margin. Silence with bytes missing is never allowed. Each transport
// meets real receivers that are healthy, slow, absent, refusing, taking nothing, or taking part and
// then going away.

using Orvanel::ConnectionKind;
using Orvanel::LinkSettings;
using Q6Test::DeviceReader;
using Q6Test::TcpSink;

namespace {

constexpr int kTimeoutMs = 1000;
constexpr int kMarginMs = 500;

enum class Load { Sheet, Medium, Big, BigInSmallSends };

// The character-set sheet alone, or followed by filler commands whose bytes count up, so a lost,
// doubled or reordered block shows. Big is far more than socket and pipe buffers hold, so a stall
// happens in the middle of the writes; BigInSmallSends is as much in sends of 4 KiB, so a stall
// happens while the network link collects sends into a batch.
Q6::CommandList commandsFor(Load load) {
  Q6::CommandList commands = Q6::characterSetSheet();
  const int blocks = load == Load::Big ? 256 : load == Load::Medium ? 4 : 0;
  const qsizetype blockSize = 64 * 1024;
  const int smallSends = load == Load::BigInSmallSends ? 4096 : 0;
  for (int b = 0; b < blocks + smallSends; ++b) {
    QByteArray block(b < blocks ? blockSize : 4 * 1024, '\0');
    for (qsizetype i = 0; i < block.size(); ++i) {
      block[i] = static_cast<char>((b * 7 + i) & 0xFF);
    }
    commands.push_back(block);
  }
  return commands;
}

// A receiver set up for one row: the settings that reach it and how to read what it got.
struct Rig {
  LinkSettings settings;
  QString target;  // every message must name it
  std::function<QByteArray(qsizetype expected)> received;
  std::function<void()> beforeExchange = [] {};
  std::function<void()> afterFailure = [] {};  // checks that the failure left nothing behind
  std::vector<std::shared_ptr<void>> keep;     // receivers, alive for the row
  QString skip;
};

struct Row {
  const char* name;
  ConnectionKind kind;
  const char* fault;
  Load load;
  const char* reason;  // nullptr: every byte must arrive; else a part of the message ("a|b")
  const char* whole = nullptr;    // when given, the whole message; %1 stands for the target
  const char* opening = nullptr;  // when given, how the message begins; %1 stands for the target
};

LinkSettings settingsOf(ConnectionKind kind) {
  LinkSettings s;
  s.kind = kind;
  s.timeoutMs = kTimeoutMs;
  return s;
}

Rig networkRig(const QString& fault) {
  Rig rig;
  rig.settings = settingsOf(ConnectionKind::Network);
  rig.settings.host = QStringLiteral("127.0.0.1");
  if (fault == QLatin1String("absent")) {
    auto closed = std::make_shared<Q6Test::ClosedPort>();
    rig.settings.port = closed->port();
    rig.keep.push_back(closed);
    rig.received = [](qsizetype) { return QByteArray(); };
  } else {
    const std::map<QString, TcpSink::Mode> modes = {
        {QStringLiteral("healthy"), TcpSink::Mode::Read},
        {QStringLiteral("slow"), TcpSink::Mode::TalkBackSlowReader},
        {QStringLiteral("takes nothing"), TcpSink::Mode::AcceptNeverRead},
        {QStringLiteral("part, reset later"), TcpSink::Mode::PartThenReset},
        {QStringLiteral("part, reset at once"), TcpSink::Mode::PartThenResetAtOnce},
        {QStringLiteral("part, closed"), TcpSink::Mode::PartThenClose},
        {QStringLiteral("closes at once"), TcpSink::Mode::CloseAtOnce},
        {QStringLiteral("holds the connection"), TcpSink::Mode::HoldOpen},
    };
    auto sink = std::make_shared<TcpSink>(modes.at(fault));
    rig.settings.port = sink->port();
    rig.received = [sink](qsizetype) { return sink->received(1, 1500); };
    rig.keep.push_back(sink);
  }
  rig.target = QStringLiteral("127.0.0.1 port %1").arg(rig.settings.port);
  return rig;
}

Rig fileRig(const QString& fault) {
  Rig rig;
  rig.settings = settingsOf(ConnectionKind::File);
  auto dir = std::make_shared<QTemporaryDir>();
  rig.keep.push_back(dir);
  const std::map<QString, std::pair<DeviceReader::Kind, DeviceReader::Mode>> readers = {
      {QStringLiteral("pipe, healthy"), {DeviceReader::Kind::Fifo, DeviceReader::Mode::ReadAll}},
      {QStringLiteral("pipe, slow"), {DeviceReader::Kind::Fifo, DeviceReader::Mode::Slow}},
      {QStringLiteral("pipe, takes nothing"),
       {DeviceReader::Kind::Fifo, DeviceReader::Mode::NeverRead}},
      {QStringLiteral("pipe, part, reader exits"),
       {DeviceReader::Kind::Fifo, DeviceReader::Mode::PartThenGone}},
      {QStringLiteral("terminal, healthy"), {DeviceReader::Kind::Pty, DeviceReader::Mode::ReadAll}},
      {QStringLiteral("terminal, part, far side closed"),
       {DeviceReader::Kind::Pty, DeviceReader::Mode::PartThenGone}},
  };
  if (const auto found = readers.find(fault); found != readers.end()) {
    auto reader = std::make_shared<DeviceReader>(found->second.first, found->second.second);
    rig.skip = reader->failure();
    rig.settings.path = reader->path();
    rig.received = [reader](qsizetype expected) { return reader->received(expected); };
    rig.keep.push_back(reader);
  } else {
    if (fault == QLatin1String("capture file")) {
      rig.settings.path = dir->filePath(QStringLiteral("capture.prn"));
    } else if (fault == QLatin1String("absent")) {
      rig.settings.path = dir->filePath(QStringLiteral("no-such-folder/lp0"));
      rig.afterFailure = [path = rig.settings.path] {
        EXPECT_FALSE(QFile::exists(path)) << "created";
      };
    } else if (fault == QLatin1String("refusing")) {
      rig.settings.path = dir->path();  // a folder takes no bytes
    } else if (fault == QLatin1String("pipe, nobody opens it")) {
      rig.settings.path = dir->filePath(QStringLiteral("lp1"));
      ::mkfifo(QFile::encodeName(rig.settings.path).constData(), 0600);
    }
    const QString path = rig.settings.path;
    rig.received = [path](qsizetype) {
      QFile f(path);
      return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
  }
  rig.target = rig.settings.path;
  return rig;
}

Rig queueRig(const QString& fault) {
  Rig rig;
  rig.settings = settingsOf(ConnectionKind::Queue);
  rig.skip = Q6Test::PrivateCupsd::unavailableReason();
  if (!rig.skip.isEmpty()) {
    return rig;
  }
  auto device = std::make_shared<TcpSink>();
  rig.keep.push_back(device);
  rig.received = [device](qsizetype) { return device->received(1, 10000); };
  rig.settings.queue = QStringLiteral("q6raw");
  QString server;
  if (fault == QLatin1String("healthy") || fault == QLatin1String("absent")) {
    auto cupsd = std::make_shared<Q6Test::PrivateCupsd>();
    rig.keep.push_back(cupsd);
    if (!cupsd->start() ||
        !cupsd->addRawQueue(QStringLiteral("q6raw"),
                            QStringLiteral("socket://127.0.0.1:%1").arg(device->port()))) {
      rig.skip = QStringLiteral("private cupsd: ") + cupsd->failure();
      return rig;
    }
    server = cupsd->server();
    if (fault == QLatin1String("absent")) {
      rig.settings.queue = QStringLiteral("q6none");
      rig.received = [](qsizetype) { return QByteArray(); };
    }
  } else {
    // Print servers that fail: nothing listening, one that never answers, one that takes part of
    // the request and resets.
    const std::map<QString, TcpSink::Mode> modes = {
        {QStringLiteral("takes nothing"), TcpSink::Mode::AcceptNeverRead},
        {QStringLiteral("part, reset at once"), TcpSink::Mode::PartThenResetAtOnce},
        {QStringLiteral("closes at once"), TcpSink::Mode::CloseAtOnce},
    };
    int port = 0;
    if (fault == QLatin1String("refusing")) {
      auto closed = std::make_shared<Q6Test::ClosedPort>();
      port = closed->port();
      rig.keep.push_back(closed);
    } else {
      auto fake = std::make_shared<TcpSink>(modes.at(fault));
      port = fake->port();
      rig.keep.push_back(fake);
    }
    server = QStringLiteral("127.0.0.1:%1").arg(port);
    rig.received = [](qsizetype) { return QByteArray(); };
  }
  rig.keep.push_back(std::make_shared<Q6Test::ScopedCupsServer>(server));
  rig.target = rig.settings.queue + QStringLiteral(" (print server ") + server;
  return rig;
}

Rig serialRig(const QString& fault) {
  Rig rig;
  rig.settings = settingsOf(ConnectionKind::Serial);
  if (fault == QLatin1String("absent") || fault == QLatin1String("plain file")) {
    auto dir = std::make_shared<QTemporaryDir>();
    rig.keep.push_back(dir);
    const QString port = dir->filePath(QStringLiteral("port"));
    rig.settings.serialPort = port;
    if (fault == QLatin1String("absent")) {
      rig.afterFailure = [port] { EXPECT_FALSE(QFile::exists(port)) << "created"; };
    } else {
      if (!Q6Test::writeFile(port, QByteArray())) {
        rig.skip = QStringLiteral("cannot make a plain file in ") + dir->path();
      }
      rig.afterFailure = [port] {
        EXPECT_EQ(QFile(port).size(), 0) << "written into what is not a port";
      };
    }
    rig.target = port;
    rig.received = [](qsizetype) { return QByteArray(); };
    return rig;
  }
  rig.skip = Q6Test::PtyPair::unavailableReason();
  auto pair = std::make_shared<Q6Test::PtyPair>();
  rig.keep.push_back(pair);
  if (rig.skip.isEmpty() && (!pair->start() || !pair->openTestSide())) {
    rig.skip = pair->failure();
  }
  rig.settings.serialPort = pair->printerSide();
  rig.target = rig.settings.serialPort;
  if (fault == QLatin1String("part, far side closed")) {
    rig.beforeExchange = [pair] { pair->stopRelay(); };
    rig.received = [](qsizetype) { return QByteArray(); };
    return rig;
  }
  // The test's end is read while the exchange runs: a terminal holds only a few KiB.
  auto got = std::make_shared<QByteArray>();
  auto reader = std::make_shared<std::thread>();
  rig.beforeExchange = [pair, got, reader] {
    *reader = std::thread([pair, got] { *got = pair->read(64 * 1024 * 1024, 1500); });
  };
  rig.received = [got, reader](qsizetype) {
    if (reader->joinable()) {
      reader->join();
    }
    return *got;
  };
  rig.keep.push_back(std::shared_ptr<void>(nullptr, [reader](void*) {
    if (reader->joinable()) {
      reader->join();
    }
  }));
  return rig;
}

Rig rigFor(ConnectionKind kind, const QString& fault) {
  switch (kind) {
    case ConnectionKind::Network:
      return networkRig(fault);
    case ConnectionKind::File:
      return fileRig(fault);
    case ConnectionKind::Queue:
      return queueRig(fault);
    case ConnectionKind::Serial:
      return serialRig(fault);
    case ConnectionKind::NotSet:
      break;
  }
  return {};
}

const char* const kTaken = "before it had taken everything";

const Row kRows[] = {
    {"network", ConnectionKind::Network, "healthy", Load::Sheet, nullptr},
    {"network", ConnectionKind::Network, "healthy", Load::Big, nullptr},
    {"network", ConnectionKind::Network, "slow", Load::Medium, nullptr},
    {"network", ConnectionKind::Network, "holds the connection", Load::Sheet, nullptr},
    {"network", ConnectionKind::Network, "absent", Load::Sheet, "Connection refused",
     "Could not connect to the printer at %1: Connection refused"},
    {"network", ConnectionKind::Network, "takes nothing", Load::Big,
     "accepted no data within 1000 ms"},
    {"network", ConnectionKind::Network, "takes nothing", Load::BigInSmallSends,
     "accepted no data within 1000 ms",
     "Could not send to the printer at %1: the printer accepted no data within 1000 ms"},
    {"network", ConnectionKind::Network, "part, reset later", Load::Sheet,
     "reset the connection before it had taken everything"},
    {"network", ConnectionKind::Network, "part, reset later", Load::Big,
     "reset the connection before it had taken everything"},
    {"network", ConnectionKind::Network, "part, reset at once", Load::Sheet,
     "reset the connection before it had taken everything"},
    {"network", ConnectionKind::Network, "part, reset at once", Load::Big,
     "reset the connection before it had taken everything"},
    {"network", ConnectionKind::Network, "part, closed", Load::Sheet, kTaken},
    {"network", ConnectionKind::Network, "part, closed", Load::Big, kTaken},
    {"network", ConnectionKind::Network, "closes at once", Load::Sheet, kTaken},
    {"network", ConnectionKind::Network, "closes at once", Load::Big, kTaken},
    {"file", ConnectionKind::File, "capture file", Load::Big, nullptr},
    {"file", ConnectionKind::File, "pipe, healthy", Load::Sheet, nullptr},
    {"file", ConnectionKind::File, "pipe, healthy", Load::Big, nullptr},
    {"file", ConnectionKind::File, "pipe, slow", Load::Medium, nullptr},
    {"file", ConnectionKind::File, "terminal, healthy", Load::Medium, nullptr},
    {"file", ConnectionKind::File, "absent", Load::Sheet, "No such file or directory"},
    {"file", ConnectionKind::File, "refusing", Load::Sheet, "Is a directory"},
    {"file", ConnectionKind::File, "pipe, nobody opens it", Load::Sheet, "is not ready"},
    {"file", ConnectionKind::File, "pipe, takes nothing", Load::Sheet, "is not ready"},
    {"file", ConnectionKind::File, "pipe, takes nothing", Load::Big, "is not ready"},
    {"file", ConnectionKind::File, "pipe, part, reader exits", Load::Sheet,
     "its reader went away|Broken pipe"},
    {"file", ConnectionKind::File, "pipe, part, reader exits", Load::Big,
     "its reader went away|Broken pipe"},
    {"file", ConnectionKind::File, "terminal, part, far side closed", Load::Medium,
     "the other side was closed|Input/output error"},
    {"queue", ConnectionKind::Queue, "healthy", Load::Sheet, nullptr},
    {"queue", ConnectionKind::Queue, "healthy", Load::Medium, nullptr},
    {"queue", ConnectionKind::Queue, "absent", Load::Sheet, "does not exist"},
    {"queue", ConnectionKind::Queue, "refusing", Load::Sheet, "nothing accepts connections"},
    {"queue", ConnectionKind::Queue, "takes nothing", Load::Sheet, "no answer within 1000 ms"},
    {"queue", ConnectionKind::Queue, "part, reset at once", Load::Sheet,
     "reset|ended the connection"},
    {"queue", ConnectionKind::Queue, "closes at once", Load::Sheet, "reset|ended the connection"},
    {"serial", ConnectionKind::Serial, "healthy", Load::Sheet, nullptr},
    {"serial", ConnectionKind::Serial, "healthy", Load::Medium, nullptr},
    {"serial", ConnectionKind::Serial, "absent", Load::Sheet, "Could not open the serial port",
     nullptr, "Could not open the serial port %1: "},
    {"serial", ConnectionKind::Serial, "plain file", Load::Sheet, "Could not open the serial port",
     nullptr, "Could not open the serial port %1: "},
    {"serial", ConnectionKind::Serial, "part, far side closed", Load::Medium, "serial port"},
};

class DeliveryContract : public ::testing::TestWithParam<Row> {};

TEST_P(DeliveryContract, EveryByteOnceOrOneMessageNamingTargetAndReason) {
  const Row& row = GetParam();
  Rig rig = rigFor(row.kind, QString::fromLatin1(row.fault));
  if (!rig.skip.isEmpty()) {
    GTEST_SKIP() << rig.skip.toStdString();
  }
  const Q6::CommandList commands = commandsFor(row.load);
  const QByteArray expected = Q6Test::concat(commands);
  Orvanel::TransportLink link(rig.settings);

  rig.beforeExchange();
  QElapsedTimer timer;
  timer.start();
  const Q6::Result<> result = Q6::exchangeCommands(link, commands);
  const qint64 elapsed = timer.elapsed();
  const bool delivered = result.ok();
  const QByteArray got = rig.received(expected.size());

  EXPECT_FALSE(link.isOpen());
  if (delivered) {
    // Never silence with bytes missing.
    EXPECT_EQ(got.size(), expected.size());
    EXPECT_TRUE(got == expected) << "the bytes that arrived differ from the bytes sent";
  }
  if (!row.reason) {
    EXPECT_TRUE(delivered) << result.error().toStdString();
    return;
  }
  ASSERT_FALSE(delivered) << got.size() << " of " << expected.size() << " bytes arrived";
  const QString& text = result.error();
  EXPECT_TRUE(text.contains(rig.target)) << text.toStdString();
  if (row.whole) {
    EXPECT_EQ(text, QString::fromLatin1(row.whole).arg(rig.target));
  }
  if (row.opening) {
    EXPECT_TRUE(text.startsWith(QString::fromLatin1(row.opening).arg(rig.target)))
        << text.toStdString();
  }
  rig.afterFailure();
  bool named = false;
  for (const QString& reason : QString::fromLatin1(row.reason).split(QLatin1Char('|'))) {
    named = named || text.contains(reason);
  }
  EXPECT_TRUE(named) << text.toStdString();
  EXPECT_LE(elapsed, kTimeoutMs + kMarginMs) << text.toStdString();
  RecordProperty("elapsed_ms", static_cast<int>(elapsed));
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
  std::string name = std::string(info.param.name) + "_" + info.param.fault + "_" +
                     (info.param.load == Load::Sheet    ? "sheet"
                      : info.param.load == Load::Medium ? "256KiB"
                      : info.param.load == Load::Big    ? "16MiB"
                                                        : "16MiB_in_4KiB_sends");
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      c = '_';
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(AllTransports, DeliveryContract, ::testing::ValuesIn(kRows), rowName);

}  // namespace
