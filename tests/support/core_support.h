#pragma once

// Helpers for every test executable; widget-free, so the core's tests link them without windows.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "core/link/link_error.h"
#include "core/link/link_settings.h"
#include "core/link/printer_link_interface.h"

// Readable failures: byte strings as spaced hex, texts quoted.
void PrintTo(const QByteArray& bytes, std::ostream* os);
void PrintTo(const QString& text, std::ostream* os);

namespace Q6Test {

// "1B 1D 23" -> bytes. Blanks between pairs are optional.
QByteArray hex(const char* spaced);

// The write command that ends every "Use Settings" and reset, ESC GS "#W00000" LF NUL: the one
// place the tests spell it (the macro joins hex texts written as literals).
#define Q6TEST_WRITE_FRAME_HEX "1B 1D 23 57 30 30 30 30 30 0A 00"
inline const QByteArray kWriteFrame = hex(Q6TEST_WRITE_FRAME_HEX);
QByteArray concat(const std::vector<QByteArray>& parts);
// Writes bytes to path (replacing it); false when the file cannot be written.
bool writeFile(const QString& path, const QByteArray& bytes);
// A network link to 127.0.0.1 at `port`.
Orvanel::LinkSettings loopbackSettings(int port, int timeoutMs = 2000);

// A link that records every call. It can be told to fail on open or on the n-th send (1-based).
class RecordingLink : public Orvanel::PrinterLink {
 public:
  void OpenConnection() override;
  void SendData(const QByteArray& data) override;
  void CloseConnection() override;

  int opens = 0;
  int closes = 0;
  std::vector<QByteArray> sent;
  QStringList calls;  // "open", "send", "close" in order
  bool failOnOpen = false;
  int failOnSend = 0;
};

// Points the per-user settings store at a fresh temporary folder for the lifetime of the object.
class TempConfig {
 public:
  // The folder is made under `under` (default: the temporary folder).
  explicit TempConfig(const QString& under = QString());
  ~TempConfig();
  QString iniPath() const;  // <dir>/Q56Config/Q56Config.ini
  QString dir() const { return dir_.path(); }
  // Writes the link settings group [Q56ConfigCOM] by hand, as an administrator would.
  void writeLink(const QStringList& keyValueLines);

 private:
  QTemporaryDir dir_;
  QByteArray previousXdg_;
};

// A TCP receiver on 127.0.0.1 that runs on its own thread (the exchange blocks the test thread).
class TcpSink {
 public:
  // TalkBackSlowReader: answers one status byte after the first bytes and then reads slowly, as a
  // printer does that reports its state while it prints.
  // The faulty printers: PartThenReset* read 100 bytes and then reset the connection (after 0.3 s,
  // or at once); PartThenClose reads 100 bytes and closes; CloseAtOnce accepts and closes without
  // reading (busy); HoldOpen reads everything but never ends the connection; SlowToEnd reads
  // everything and ends the connection only 200 ms after the sender's end, as a printer busy
  // storing its settings.
  enum class Mode {
    Read,
    AcceptNeverRead,
    TalkBackSlowReader,
    PartThenReset,
    PartThenResetAtOnce,
    PartThenClose,
    CloseAtOnce,
    HoldOpen,
    SlowToEnd
  };
  explicit TcpSink(Mode mode = Mode::Read);
  ~TcpSink();
  int port() const { return port_; }
  // Waits (up to timeoutMs) until `connections` connections have ended, then returns all bytes.
  QByteArray received(int connections = 1, int timeoutMs = 5000);
  int connectionCount() const { return finished_.load(); }

 private:
  void run();
  Mode mode_;
  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> finished_{0};
  std::mutex mutex_;
  QByteArray data_;
  std::thread thread_;
};

// A TCP port on 127.0.0.1 that refuses connections for as long as this object lives: it stays
// bound without listening, so no other test running beside this one can be given it.
class ClosedPort {
 public:
  ClosedPort();
  ~ClosedPort();
  ClosedPort(const ClosedPort&) = delete;
  ClosedPort& operator=(const ClosedPort&) = delete;
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// A small tmpfs over `folder`, in a mount namespace of this process's own (nothing outside the
// process sees it), for the faults only a real file system gives: a full disk, a read-only folder.
// Needs root, as CI runs the tests; unavailable() says why not otherwise.
class PrivateTmpfs {
 public:
  explicit PrivateTmpfs(const QString& folder);
  ~PrivateTmpfs();
  QString unavailable() const { return unavailable_; }
  // Fills it up, then frees `pagesLeft` pages (4 KiB each).
  bool fill(int pagesLeft);
  bool makeReadOnly();

 private:
  QString folder_;
  QString unavailable_;
};

}  // namespace Q6Test
