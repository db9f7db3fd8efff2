#include "core/link/queue_transport.h"

#include <cups/cups.h>

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "core/link/link_error.h"

namespace Orvanel {

namespace {

// The whole conversation of an exchange shares one time limit. The library waits in short slices
// and asks after each whether to go on; it stops at the deadline.
constexpr double kWaitSliceSeconds = 0.05;
constexpr int kCancelMinimumMs = 300;

int keepWaiting(http_t*, void* data) {
  auto* budget = static_cast<QueueBudget*>(data);
  if (!budget->deadline.hasExpired()) {
    return 1;
  }
  budget->timedOut = true;
  return 0;
}

// Left to itself the library asks for a password on the terminal the program was started from,
// and waits for it with no time limit (with no terminal, for ever). This program has no way to ask
// for one, so a server that wants a password ends the request at once with an error that says so.
const char* noPassword(const char*, http_t*, const char*, const char*, void*) {
  return nullptr;
}

QString noAnswer(int timeoutMs) {
  return QStringLiteral("no answer within %1 ms").arg(timeoutMs);
}

}  // namespace

http_t* connectToPrintServer(QueueBudget* budget, QString* reason) {
  const int timeoutMs = budget->timeoutMs;
  // The callback is kept per thread by the library, so it is set wherever a connection is made.
  cupsSetPasswordCB2(noPassword, nullptr);
  // Made without connecting (time 0), so that the connect's own error is still at hand when it
  // fails; httpConnect2 would close the connection and lose it.
  http_t* http =
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
  if (!http) {
    if (reason) {
      *reason = QStringLiteral("the server's address cannot be resolved");
    }
    return nullptr;
  }
  httpSetTimeout(http, kWaitSliceSeconds, keepWaiting, budget);
  const auto left = static_cast<int>(std::max<qint64>(budget->deadline.remainingTime(), 1));
  if (httpReconnect2(http, left, nullptr) != 0) {
    const int code = httpError(http);
    httpClose(http);
    if (reason) {
      if (code == ETIMEDOUT || code == 0) {
        *reason = noAnswer(timeoutMs);
      } else if (code == ECONNREFUSED || code == EHOSTDOWN || code == ENOENT) {
        // The library reports a refused connection as "host is down", which sends the operator
        // looking for a dead computer instead of a stopped print service.
        *reason =
            QStringLiteral("nothing accepts connections there (is the print service running?)");
      } else {
        *reason = QString::fromLocal8Bit(std::strerror(code));
      }
    }
    return nullptr;
  }
  return http;
}

QString printServerName() {
  const QString server = QString::fromUtf8(cupsServer());
  if (server.startsWith(QLatin1Char('/'))) {
    return server;
  }
  return QStringLiteral("%1:%2").arg(server).arg(ippPort());
}

QueueTransport::QueueTransport(QString queue, int timeoutMs)
    : queue_(std::move(queue)), timeoutMs_(timeoutMs) {
  // "name/instance" names a set of saved options on this computer; a raw job ignores them, and the
  // server only knows the name.
  destination_ = queue_.section(QLatin1Char('/'), 0, 0).trimmed().toUtf8();
}

QueueTransport::~QueueTransport() {
  release();
}

QString printServerFailure(http_t* http, const QueueBudget& budget) {
  if (budget.timedOut) {
    return noAnswer(budget.timeoutMs);
  }
  const ipp_status_t status = cupsLastError();
  if (status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED ||
      status == IPP_STATUS_ERROR_NOT_AUTHENTICATED) {
    return QStringLiteral("the print server asks for a password");
  }
  const int code = http ? httpError(http) : 0;
  if (code == ECONNRESET || code == EPIPE) {
    return QStringLiteral("the print server reset the connection");
  }
  if (status > IPP_STATUS_OK_CONFLICTING) {
    // A connection that broke down leaves the system's "no error" text behind, which would tell
    // the operator that the failure was a success.
    const QString text = QString::fromUtf8(cupsLastErrorString());
    if (!text.isEmpty() && text != QString::fromLocal8Bit(std::strerror(0))) {
      return text;
    }
  }
  return code != 0 ? QString::fromLocal8Bit(std::strerror(code))
                   : QStringLiteral("the print server ended the connection");
}

QString QueueTransport::reason() const {
  return printServerFailure(http_, budget_);
}

void QueueTransport::fail(const QString& what, const QString& why) {
  release();
  throw LinkError(
      QStringLiteral("%1 %2 (print server %3): %4").arg(what, queue_, printServerName(), why));
}

void QueueTransport::release() {
  if (http_) {
    httpClose(http_);
    http_ = nullptr;
  }
  if (job_ != 0) {
    // An unfinished job must neither print half an exchange later nor stay in the queue. The old
    // connection may be in the middle of a request, so the cancel goes over a fresh one.
    // It gets what is left of the exchange's time, but at least a short moment: a server that is
    // merely slow should still drop the half job; one that stopped answering costs little more.
    const qint64 left =
        std::max<qint64>(budget_.deadline.remainingTime(), std::min(timeoutMs_, kCancelMinimumMs));
    QueueBudget cancel{timeoutMs_, QDeadlineTimer(left)};
    if (http_t* http = connectToPrintServer(&cancel, nullptr)) {
      cupsCancelJob2(http, destination_.constData(), job_, 0);
      httpClose(http);
    }
    job_ = 0;
  }
}

int QueueTransport::createJob() {
  // Written out rather than cupsCreateJob(): that one first looks the queue up over a connection
  // of its own, which ignores the time limit and waits a minute for a server that does not answer.
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", destination_.constData());
  ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, "Q6Config");
  const QByteArray resource = "/printers/" + destination_;
  ipp_t* response = cupsDoRequest(http_, request, resource.constData());
  int job = 0;
  if (response && cupsLastError() <= IPP_STATUS_OK_CONFLICTING) {
    if (ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER)) {
      job = ippGetInteger(id, 0);
    }
  }
  ippDelete(response);
  return job;
}

void QueueTransport::open() {
  release();
  budget_ = QueueBudget{timeoutMs_, QDeadlineTimer(timeoutMs_)};
  QString why;
  http_ = connectToPrintServer(&budget_, &why);
  if (!http_) {
    fail(QStringLiteral("Could not reach the print server for the printer queue"), why);
  }
  job_ = createJob();
  if (job_ == 0) {
    fail(QStringLiteral("Could not start a job on the printer queue"), reason());
  }
  if (cupsStartDocument(http_, destination_.constData(), job_, "Q6Config", CUPS_FORMAT_RAW, 1) !=
      HTTP_STATUS_CONTINUE) {
    fail(QStringLiteral("Could not start a job on the printer queue"), reason());
  }
}

void QueueTransport::write(const QByteArray& data) {
  if (!http_) {
    throw LinkError(QStringLiteral("The printer queue %1 is not open.").arg(queue_));
  }
  if (data.isEmpty()) {
    return;
  }
  if (cupsWriteRequestData(http_, data.constData(), static_cast<size_t>(data.size())) !=
      HTTP_STATUS_CONTINUE) {
    fail(QStringLiteral("Could not send to the printer queue"), reason());
  }
}

void QueueTransport::close() {
  if (!http_) {
    return;
  }
  if (cupsFinishDocument(http_, destination_.constData()) > IPP_STATUS_OK_CONFLICTING) {
    fail(QStringLiteral("The job was not accepted by the printer queue"), reason());
  }
  job_ = 0;  // submitted: it is the server's now
  release();
}

QStringList listPrinterQueues(int timeoutMs) {
  QStringList names;
  QueueBudget budget{timeoutMs, QDeadlineTimer(timeoutMs)};
  http_t* http = connectToPrintServer(&budget, nullptr);
  if (!http) {
    return names;
  }
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
               "printer-name");
  if (ipp_t* response = cupsDoRequest(http, request, "/")) {
    for (ipp_attribute_t* a = ippFindAttribute(response, "printer-name", IPP_TAG_NAME); a;
         a = ippFindNextAttribute(response, "printer-name", IPP_TAG_NAME)) {
      names << QString::fromUtf8(ippGetString(a, 0, nullptr));
    }
    ippDelete(response);
  }
  httpClose(http);
  names.sort(Qt::CaseInsensitive);
  names.removeDuplicates();
  return names;
}

}  // namespace Orvanel
