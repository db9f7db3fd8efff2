#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <atomic>
#include <mutex>
#include <thread>

// Real receivers for the end-to-end link tests. Each one is started by the test that needs it and
// stopped by its destructor, also when the test fails; the child processes also die with the test
// process if it crashes.

namespace Q6Test {

// Landmarks of the character-set sheet as the printer must see it, from the sheet's byte table:
// its opening and the last row with the closing commands.
void expectCharacterSetSheetLandmarks(const QByteArray& received);

// Sets an environment variable for the lifetime of the object (restores the old value after).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value);
  ~ScopedEnv();

 private:
  QByteArray name_;
  QByteArray old_;
  bool had_;
};

// Points the CUPS client library of this process at `server` ("host:port" or a socket path) the way
// an operator would, through CUPS_SERVER.
class ScopedCupsServer {
 public:
  explicit ScopedCupsServer(const QString& server);
  ~ScopedCupsServer();

 private:
  ScopedEnv env_;
};

// A cupsd of the test's own: configuration, spool, cache, state and logs in a temporary folder,
// listening on a free 127.0.0.1 port and on a socket file there. The machine's own CUPS
// configuration and server are never touched.
class PrivateCupsd {
 public:
  PrivateCupsd();
  ~PrivateCupsd();
  PrivateCupsd(const PrivateCupsd&) = delete;
  PrivateCupsd& operator=(const PrivateCupsd&) = delete;

  // Why this machine cannot run a private cupsd at all (not root, no cupsd, no lp account); empty
  // when it can.
  static QString unavailableReason();

  // Before start(): submitting a job needs a user name and password (other requests do not).
  void requirePasswordForJobs() { jobsNeedPassword_ = true; }

  // Starts cupsd and waits until it answers. False (with failure()) when it did not come up.
  bool start(int timeoutMs = 15000);
  void stop();
  QString failure() const { return failure_; }
  QString server() const;  // "127.0.0.1:<port>"

  // A raw queue (no driver, no filtering) whose device is deviceUri, enabled and accepting jobs.
  // False with failure() set.
  bool addRawQueue(const QString& name, const QString& deviceUri,
                   const QString& description = QString());
  // The queue stays but refuses new jobs, as after "cupsreject".
  bool rejectJobs(const QString& name);

  QString errorLog() const;

 private:
  enum class Launch { Up, Failed, PortTaken };
  Launch launch(int timeoutMs);
  bool runAdmin(const QString& program, const QStringList& arguments);
  QTemporaryDir dir_;
  QProcess process_;
  int port_ = 0;
  bool jobsNeedPassword_ = false;
  QString failure_;
};

// The reading end of a named pipe or of a pseudo-terminal, read on a thread of its own, standing
// for a printer device: ReadAll takes everything, Slow takes 512 bytes a millisecond, NeverRead
// opens and takes nothing, PartThenGone takes 100 bytes and closes its end.
class DeviceReader {
 public:
  enum class Kind { Fifo, Pty };
  enum class Mode { ReadAll, Slow, NeverRead, PartThenGone };
  DeviceReader(Kind kind, Mode mode);
  ~DeviceReader();
  DeviceReader(const DeviceReader&) = delete;
  DeviceReader& operator=(const DeviceReader&) = delete;

  QString failure() const { return failure_; }
  QString path() const { return path_; }  // what the File link opens
  // Waits until `count` bytes arrived or the reader has stopped reading (it never reads, or went
  // away), at most timeoutMs, then returns all bytes so far.
  QByteArray received(qsizetype count, int timeoutMs = 20000);

 private:
  void run();
  Kind kind_;
  Mode mode_;
  QTemporaryDir dir_;
  QString path_;
  QString failure_;
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::atomic<bool> done_{false};  // the reader will take no more bytes
  std::mutex mutex_;
  QByteArray data_;
  std::thread thread_;
};

// Two pseudo-terminals joined by socat: what is written to one end arrives at the other.
class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  static QString unavailableReason();  // empty when socat can be run
  bool start(int timeoutMs = 5000);
  QString failure() const { return failure_; }
  QString printerSide() const { return a_; }  // the port the link opens
  QString testSide() const { return b_; }     // the port the test reads and writes

  // Opens the test's end (raw). Returns false with failure() set.
  bool openTestSide();
  // Reads from the test's end until `count` bytes arrived, at most timeoutMs in all.
  QByteArray read(int count, int timeoutMs = 20000);
  bool writeTestSide(const QByteArray& bytes);
  // Ends the relay: the printer's side loses its far end, as when a cable is pulled.
  void stopRelay();

 private:
  QTemporaryDir dir_;
  QProcess process_;
  QString a_;
  QString b_;
  int fd_ = -1;
  QString failure_;
};

// A user account of the test's own, with a random name, for what only a user without root's
// rights meets (a printer's node of a group the user is not in). Made with useradd, removed with
// userdel, also when the test fails; it owns a folder that serves as its home. Needs root.
class ThrowawayUser {
 public:
  ThrowawayUser();
  ~ThrowawayUser();
  ThrowawayUser(const ThrowawayUser&) = delete;
  ThrowawayUser& operator=(const ThrowawayUser&) = delete;

  // Empty when this machine can make one (root; useradd, usermod, userdel and setpriv there).
  static QString unavailableReason();
  bool made() const { return uid_ != 0; }
  QString failure() const { return failure_; }
  QString name() const { return name_; }
  uid_t uid() const { return uid_; }
  gid_t gid() const { return gid_; }

  // Whether the user may run `program`: a build in a folder closed to others (a home of root's)
  // cannot be run as anybody else.
  bool mayRun(const QString& program) const;
  // Lists the account in `group`, as an administrator would: it counts from its next login.
  bool join(const QString& group);
  // What runs a program as this user, the program and its arguments following: with the groups
  // a login now would give it (freshLogin), or with its own group alone, as a login that began
  // before it joined any other.
  QStringList runAs(bool freshLogin) const;
  // The environment for it: its own home and settings folders, the messages in English.
  QProcessEnvironment environment() const;

 private:
  QString name_;
  bool created_ = false;
  uid_t uid_ = 0;
  gid_t gid_ = 0;
  QTemporaryDir home_;
  QString failure_;
};

}  // namespace Q6Test
