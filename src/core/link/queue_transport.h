#pragma once

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

#include "core/link/transport.h"

typedef struct _http_s http_t;

namespace Orvanel {

// The time an exchange with the print server may take, all requests together.
struct QueueBudget {
  int timeoutMs = 0;
  QDeadlineTimer deadline;
  bool timedOut = false;
};

// A CUPS printer queue. Each exchange becomes one raw job (no filtering on the server): the job is
// created on open, the bytes stream into its one document, and close submits it. The server is the
// one the CUPS client library is configured for (CUPS_SERVER, client.conf or the local default).
// The whole conversation of one exchange is bounded by the time limit.
class QueueTransport : public Transport {
 public:
  QueueTransport(QString queue, int timeoutMs);
  ~QueueTransport() override;
  QueueTransport(const QueueTransport&) = delete;
  QueueTransport& operator=(const QueueTransport&) = delete;

  void open() override;
  void write(const QByteArray& data) override;
  void close() override;

 private:
  [[noreturn]] void fail(const QString& what, const QString& reason);
  QString reason() const;
  void release();
  int createJob();

  QString queue_;
  QByteArray destination_;  // the queue name without an lpoptions instance ("name/instance")
  int timeoutMs_;
  http_t* http_ = nullptr;
  int job_ = 0;
  QueueBudget budget_;
};

// The queues the CUPS server knows, sorted; empty when the server cannot be reached within
// timeoutMs. Meant for the settings panel: a failure here must never stop the operator from typing
// a name.
QStringList listPrinterQueues(int timeoutMs);

// A connection to the print server the CUPS client library is set up for, made and used within the
// budget's deadline, that never asks for a password on a terminal. nullptr (with *reason) when the
// server cannot be reached.
http_t* connectToPrintServer(QueueBudget* budget, QString* reason);

// Why a request over http failed, for the operator: no answer in time, a password wanted, a reset,
// or the server's own words.
QString printServerFailure(http_t* http, const QueueBudget& budget);

// Where the CUPS client library sends its requests: "host:port" or a socket path.
QString printServerName();

}  // namespace Orvanel
