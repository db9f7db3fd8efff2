#include "support/link_fixtures.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QThread>

#include <cups/cups.h>

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <utility>

#include "support/core_support.h"

namespace Q6Test {

namespace {

// A child that must not outlive the test process, even when the test crashes.
void dieWithParent(QProcess& process) {
  process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

void stopProcess(QProcess& process) {
  if (process.state() == QProcess::NotRunning) {
    return;
  }
  process.terminate();
  if (!process.waitForFinished(5000)) {
    process.kill();
    process.waitForFinished(2000);
  }
}

bool writeText(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return false;
  }
  return file.write(text.toUtf8()) == text.toUtf8().size();
}

QString executable(const QString& name) {
  return QStandardPaths::findExecutable(
      name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin"),
             QStringLiteral("/bin")});
}

}  // namespace

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value)
    : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
  qputenv(name, value);
}

ScopedEnv::~ScopedEnv() {
  if (had_) {
    qputenv(name_.constData(), old_);
  } else {
    qunsetenv(name_.constData());
  }
}

ScopedCupsServer::ScopedCupsServer(const QString& server) : env_("CUPS_SERVER", server.toUtf8()) {
  // The library reads CUPS_SERVER once and keeps it; forget the remembered server so the variable
  // counts, as it would in a freshly started program.
  cupsSetServer(nullptr);
}

ScopedCupsServer::~ScopedCupsServer() {
  cupsSetServer(nullptr);
}

PrivateCupsd::PrivateCupsd() = default;

PrivateCupsd::~PrivateCupsd() {
  stop();
}

QString PrivateCupsd::unavailableReason() {
  if (::geteuid() != 0) {
    return QStringLiteral("a private cupsd needs root (it runs its backends as the lp account)");
  }
  if (executable(QStringLiteral("cupsd")).isEmpty() ||
      executable(QStringLiteral("lpadmin")).isEmpty()) {
    return QStringLiteral("cupsd or lpadmin is not installed (packages cups, cups-client)");
  }
  if (!::getpwnam("lp")) {
    return QStringLiteral("there is no lp account for cupsd's backends");
  }
  return QString();
}

QString PrivateCupsd::server() const {
  return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QString PrivateCupsd::errorLog() const {
  QFile file(dir_.filePath(QStringLiteral("log/error_log")));
  if (!file.open(QIODevice::ReadOnly)) {
    return QString();
  }
  return QString::fromUtf8(file.readAll().right(4000));
}

bool PrivateCupsd::start(int timeoutMs) {
  // Another process may take the chosen port in the moment between its release and cupsd's bind;
  // cupsd then answers on its socket only, and is started once more on another port.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const Launch launched = launch(timeoutMs);
    if (launched != Launch::PortTaken) {
      return launched == Launch::Up;
    }
  }
  failure_ = QStringLiteral("every port chosen for cupsd was taken by another process first");
  return false;
}

PrivateCupsd::Launch PrivateCupsd::launch(int timeoutMs) {
  if (!dir_.isValid()) {
    failure_ = QStringLiteral("no temporary folder");
    return Launch::Failed;
  }
  const QDir d(dir_.path());
  for (const char* sub : {"root", "root/ppd", "spool", "spool/tmp", "cache", "state", "log"}) {
    d.mkpath(QString::fromLatin1(sub));
  }
  // The backends run as lp and read the spooled job: they must be able to pass through.
  QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                         QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                         QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                         QFileDevice::ExeOther);
  QFile::remove(dir_.filePath(QStringLiteral("log/error_log")));
  // Held until cupsd is started: no test running beside this one can be given the port meanwhile.
  std::optional<ClosedPort> held(std::in_place);
  port_ = held->port();
  const QString p = dir_.path();
  const QString cupsd = QStringLiteral(
                            "Listen 127.0.0.1:%1\n"
                            "Listen %2/cups.sock\n"
                            "LogLevel debug\n"
                            "Browsing No\n"
                            "BrowseLocalProtocols none\n"
                            "DefaultShared No\n"
                            "WebInterface No\n"
                            "DefaultAuthType None\n"
                            "<Location />\n"
                            "  Order allow,deny\n"
                            "  Allow from 127.0.0.1\n"
                            "  Allow from @LOCAL\n"
                            "</Location>\n"
                            "<Policy default>\n"
                            "%3"
                            "  <Limit All>\n"
                            "    Order deny,allow\n"
                            "  </Limit>\n"
                            "</Policy>\n")
                            .arg(port_)
                            .arg(p)
                            .arg(jobsNeedPassword_ ? QStringLiteral("  <Limit Create-Job Print-Job "
                                                                    "Send-Document>\n"
                                                                    "    AuthType Basic\n"
                                                                    "    Require user @SYSTEM\n"
                                                                    "    Order deny,allow\n"
                                                                    "  </Limit>\n")
                                                   : QString());
  const QString files = QStringLiteral(
                            "ServerRoot %1/root\n"
                            "RequestRoot %1/spool\n"
                            "TempDir %1/spool/tmp\n"
                            "CacheDir %1/cache\n"
                            "StateDir %1/state\n"
                            "ErrorLog %1/log/error_log\n"
                            "AccessLog %1/log/access_log\n"
                            "PageLog %1/log/page_log\n"
                            "Printcap %1/state/printcap\n"
                            "User lp\n"
                            "Group lp\n")
                            .arg(p);
  if (!writeText(p + QStringLiteral("/cupsd.conf"), cupsd) ||
      !writeText(p + QStringLiteral("/cups-files.conf"), files)) {
    failure_ = QStringLiteral("could not write the cupsd configuration in %1").arg(p);
    return Launch::Failed;
  }
  process_.setProgram(executable(QStringLiteral("cupsd")));
  process_.setArguments({QStringLiteral("-f"), QStringLiteral("-c"),
                         p + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                         p + QStringLiteral("/cups-files.conf")});
  process_.setStandardOutputFile(p + QStringLiteral("/log/cupsd.out"));
  process_.setStandardErrorFile(p + QStringLiteral("/log/cupsd.out"), QIODevice::Append);
  dieWithParent(process_);
  held.reset();
  process_.start();
  if (!process_.waitForStarted(5000)) {
    failure_ = QStringLiteral("cupsd did not start: %1").arg(process_.errorString());
    return Launch::Failed;
  }
  const QDeadlineTimer deadline(timeoutMs);
  while (!deadline.hasExpired()) {
    if (process_.state() == QProcess::NotRunning) {
      failure_ = QStringLiteral("cupsd ended at once (exit code %1). Log:\n%2")
                     .arg(process_.exitCode())
                     .arg(errorLog());
      return Launch::Failed;
    }
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port_));
    if (probe.waitForConnected(200)) {
      // Whatever answers must be this cupsd, not a listener that took the port first.
      probe.write("OPTIONS * HTTP/1.1\r\nHost: localhost\r\n\r\n");
      const bool cups = probe.waitForReadyRead(2000) && probe.readAll().contains("CUPS");
      probe.abort();
      if (cups) {
        return Launch::Up;
      }
      if (errorLog().contains(QStringLiteral("Unable to open listen socket"))) {
        stop();
        return Launch::PortTaken;
      }
    }
    QThread::msleep(50);
  }
  failure_ = QStringLiteral("cupsd did not answer on %1 within %2 ms. Log:\n%3")
                 .arg(server())
                 .arg(timeoutMs)
                 .arg(errorLog());
  stop();
  return Launch::Failed;
}

void PrivateCupsd::stop() {
  stopProcess(process_);
}

bool PrivateCupsd::runAdmin(const QString& program, const QStringList& arguments) {
  QProcess admin;
  admin.setProcessChannelMode(QProcess::MergedChannels);
  dieWithParent(admin);
  admin.start(executable(program), QStringList({QStringLiteral("-h"), server()}) + arguments);
  if (!admin.waitForFinished(15000)) {
    admin.kill();
    admin.waitForFinished(2000);
    failure_ = QStringLiteral("%1 did not finish").arg(program);
    return false;
  }
  if (admin.exitStatus() != QProcess::NormalExit || admin.exitCode() != 0) {
    failure_ = QStringLiteral("%1 failed: %2\nLog:\n%3")
                   .arg(program, QString::fromUtf8(admin.readAll()), errorLog());
    return false;
  }
  return true;
}

bool PrivateCupsd::addRawQueue(const QString& name, const QString& deviceUri,
                               const QString& description) {
  // No model (-m): a raw queue. -E after -p enables it and lets it accept jobs.
  QStringList arguments = {QStringLiteral("-p"), name, QStringLiteral("-v"), deviceUri,
                           QStringLiteral("-E")};
  if (!description.isEmpty()) {
    arguments << QStringLiteral("-D") << description;
  }
  return runAdmin(QStringLiteral("lpadmin"), arguments);
}

bool PrivateCupsd::rejectJobs(const QString& name) {
  return runAdmin(QStringLiteral("cupsreject"), {name});
}

PtyPair::PtyPair() = default;

PtyPair::~PtyPair() {
  if (fd_ >= 0) {
    ::close(fd_);
  }
  stopProcess(process_);
}

QString PtyPair::unavailableReason() {
  if (executable(QStringLiteral("socat")).isEmpty()) {
    return QStringLiteral("socat is not installed");
  }
  return QString();
}

bool PtyPair::start(int timeoutMs) {
  if (!dir_.isValid()) {
    failure_ = QStringLiteral("no temporary folder");
    return false;
  }
  // Unique names: the serial port library locks ports by name, and tests run side by side.
  const QString tag = QFileInfo(dir_.path()).fileName();
  a_ = dir_.filePath(tag + QStringLiteral("-printer"));
  b_ = dir_.filePath(tag + QStringLiteral("-test"));
  process_.setProgram(executable(QStringLiteral("socat")));
  process_.setArguments({QStringLiteral("-d"), QStringLiteral("-d"),
                         QStringLiteral("pty,raw,echo=0,link=%1").arg(a_),
                         QStringLiteral("pty,raw,echo=0,link=%1").arg(b_)});
  process_.setStandardOutputFile(dir_.filePath(QStringLiteral("socat.log")));
  process_.setStandardErrorFile(dir_.filePath(QStringLiteral("socat.log")), QIODevice::Append);
  dieWithParent(process_);
  process_.start();
  if (!process_.waitForStarted(5000)) {
    failure_ = QStringLiteral("socat did not start: %1").arg(process_.errorString());
    return false;
  }
  const QDeadlineTimer deadline(timeoutMs);
  while (!deadline.hasExpired()) {
    if (QFileInfo::exists(a_) && QFileInfo::exists(b_)) {
      return true;
    }
    if (process_.state() == QProcess::NotRunning) {
      break;
    }
    QThread::msleep(20);
  }
  QFile log(dir_.filePath(QStringLiteral("socat.log")));
  log.open(QIODevice::ReadOnly);
  failure_ = QStringLiteral("socat made no pty pair within %1 ms: %2")
                 .arg(timeoutMs)
                 .arg(QString::fromUtf8(log.readAll()));
  return false;
}

bool PtyPair::openTestSide() {
  fd_ = ::open(b_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) {
    failure_ = QStringLiteral("could not open %1").arg(b_);
    return false;
  }
  // Nothing between the two ends may change a byte: no CR/LF translation, no flow control.
  termios tio{};
  ::tcgetattr(fd_, &tio);
  ::cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  ::tcsetattr(fd_, TCSANOW, &tio);
  return true;
}

QByteArray PtyPair::read(int count, int timeoutMs) {
  QByteArray got;
  char buffer[4096];
  const QDeadlineTimer deadline(timeoutMs);
  while (got.size() < count) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0))) <= 0) {
      break;
    }
    const ssize_t n = ::read(fd_, buffer, sizeof buffer);
    if (n <= 0) {
      break;
    }
    got.append(buffer, n);
  }
  return got;
}

bool PtyPair::writeTestSide(const QByteArray& bytes) {
  return ::write(fd_, bytes.constData(), static_cast<size_t>(bytes.size())) == bytes.size();
}

void PtyPair::stopRelay() {
  stopProcess(process_);
}

DeviceReader::DeviceReader(Kind kind, Mode mode) : kind_(kind), mode_(mode) {
  if (kind_ == Kind::Fifo) {
    path_ = dir_.filePath(QStringLiteral("lp0"));
    if (::mkfifo(QFile::encodeName(path_).constData(), 0600) != 0) {
      failure_ = QStringLiteral("mkfifo failed");
      return;
    }
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  } else {
    fd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ >= 0 && (::grantpt(fd_) != 0 || ::unlockpt(fd_) != 0)) {
      ::close(std::exchange(fd_, -1));
    }
    if (fd_ >= 0) {
      path_ = QString::fromLocal8Bit(::ptsname(fd_));
      ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) | O_NONBLOCK);
    }
  }
  if (fd_ < 0) {
    failure_ = QStringLiteral("could not open the reading end: %1").arg(errno);
    return;
  }
  thread_ = std::thread([this] { run(); });
}

DeviceReader::~DeviceReader() {
  stop_ = true;
  if (thread_.joinable()) {
    thread_.join();
  }
  if (fd_ >= 0) {
    ::close(fd_);
  }
}

void DeviceReader::run() {
  struct Done {
    std::atomic<bool>& flag;
    ~Done() { flag = true; }
  } done{done_};
  if (mode_ == Mode::NeverRead) {
    return;
  }
  char buffer[65536];
  qsizetype taken = 0;
  while (!stop_) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 10) <= 0 || !(p.revents & POLLIN)) {
      // A pipe without a writer, or a terminal whose other side is not open, reports a hang-up
      // until the link opens it; that is no end.
      if (p.revents & (POLLHUP | POLLERR)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
      continue;
    }
    size_t want = sizeof buffer;
    if (mode_ == Mode::Slow) {
      want = 512;
    } else if (mode_ == Mode::PartThenGone) {
      want = static_cast<size_t>(100 - taken);
    }
    const ssize_t n = ::read(fd_, buffer, want);
    if (n <= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
      continue;
    }
    taken += n;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      data_.append(buffer, n);
    }
    if (mode_ == Mode::PartThenGone && taken >= 100) {
      ::close(std::exchange(fd_, -1));
      return;
    }
    if (mode_ == Mode::Slow) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
}

QByteArray DeviceReader::received(qsizetype count, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  for (;;) {
    // Read before the bytes: once the reader is done, every byte it took is already there.
    const bool done = done_;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (data_.size() >= count || done || deadline.hasExpired()) {
        return data_;
      }
    }
    QThread::msleep(5);
  }
}

void expectCharacterSetSheetLandmarks(const QByteArray& received) {
  EXPECT_TRUE(received.startsWith(hex("1B 40 1B 1D 61 31 1B 45 1B 69 31 31") + "Character Set" +
                                  hex("1B 69 30 30 0D 0A 0D 0A")));
  EXPECT_TRUE(
      received.contains(hex("0D 0A 1B 45 46 1B 46 20 F0 20 F1 20 F2 20 F3 20 F4 20 F5 20 F6"
                            " 20 F7 20 F8 20 F9 20 FA 20 FB 20 FC 20 FD 20 FE 20 FF 0D 0A"
                            " 1B 61 05 1B 1D 61 30")));
}

namespace {

QString adminTool(const char* name) {
  return executable(QString::fromLatin1(name));
}

// Runs an account tool; another test changing the account files at the same moment holds their
// lock, so a refusal is tried again within a generous bound. Empty when it succeeded.
QString runAdminTool(const char* name, const QStringList& arguments) {
  QElapsedTimer timer;
  timer.start();
  for (;;) {
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(adminTool(name), arguments);
    if (!tool.waitForFinished(20000)) {
      tool.kill();
      tool.waitForFinished(2000);
      return QStringLiteral("%1 did not finish").arg(QString::fromLatin1(name));
    }
    if (tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0) {
      return QString();
    }
    if (timer.elapsed() > 30000) {
      return QStringLiteral("%1 %2: %3")
          .arg(QString::fromLatin1(name), arguments.join(QLatin1Char(' ')),
               QString::fromLocal8Bit(tool.readAll()));
    }
    QThread::msleep(100);
  }
}

}  // namespace

QString ThrowawayUser::unavailableReason() {
  if (::geteuid() != 0) {
    return QStringLiteral("needs root to make a user account of its own");
  }
  for (const char* name : {"useradd", "usermod", "userdel", "setpriv"}) {
    if (adminTool(name).isEmpty()) {
      return QStringLiteral("%1 is not installed (packages passwd, util-linux)")
          .arg(QString::fromLatin1(name));
    }
  }
  return QString();
}

ThrowawayUser::ThrowawayUser() {
  if (!unavailableReason().isEmpty()) {
    failure_ = unavailableReason();
    return;
  }
  name_ =
      QStringLiteral("q6t%1").arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
  failure_ = runAdminTool(
      "useradd", {"--no-create-home", "--user-group", "--shell", "/usr/sbin/nologin", name_});
  if (!failure_.isEmpty()) {
    return;
  }
  created_ = true;
  const passwd* entry = ::getpwnam(name_.toLocal8Bit().constData());
  if (entry == nullptr || entry->pw_uid == 0) {
    failure_ = QStringLiteral("useradd made no account %1").arg(name_);
    return;
  }
  const QByteArray home = QFile::encodeName(home_.path());
  if (!home_.isValid() || ::chown(home.constData(), entry->pw_uid, entry->pw_gid) != 0) {
    failure_ = QStringLiteral("cannot give %1 a home folder").arg(name_);
    return;
  }
  uid_ = entry->pw_uid;
  gid_ = entry->pw_gid;
}

ThrowawayUser::~ThrowawayUser() {
  if (created_) {
    const QString failed = runAdminTool("userdel", {name_});
    EXPECT_TRUE(failed.isEmpty()) << failed.toStdString();
  }
}

bool ThrowawayUser::mayRun(const QString& program) const {
  const QStringList command =
      runAs(true) + QStringList{executable(QStringLiteral("test")), QStringLiteral("-x"), program};
  return QProcess::execute(command[0], command.mid(1)) == 0;
}

bool ThrowawayUser::join(const QString& group) {
  failure_ = runAdminTool("usermod", {"--append", "--groups", group, name_});
  return failure_.isEmpty();
}

QStringList ThrowawayUser::runAs(bool freshLogin) const {
  return {adminTool("setpriv"), QStringLiteral("--reuid=%1").arg(uid_),
          QStringLiteral("--regid=%1").arg(gid_),
          freshLogin ? QStringLiteral("--init-groups") : QStringLiteral("--clear-groups"),
          QStringLiteral("--")};
}

QProcessEnvironment ThrowawayUser::environment() const {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME",
                           "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"}) {
    env.remove(QString::fromLatin1(name));
  }
  env.insert(QStringLiteral("HOME"), home_.path());
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path() + QStringLiteral("/.config"));
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  return env;
}

}  // namespace Q6Test
