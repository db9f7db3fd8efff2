#include "link/queue_transport.h"

#include <cups/cups.h>

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "link/link_error.h"

namespace Orvanel {

namespace {

// Every blocking CUPS call gives up when the time limit runs out instead of asking again.
int giveUp(http_t*, void*) {
  return 0;
}

http_t* connectToServer(int timeoutMs, QString* reason) {
  errno = 0;
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                              timeoutMs, nullptr);
  if (!http) {
    const int code = errno;
    if (reason) {
      *reason = code != 0 ? QString::fromLocal8Bit(std::strerror(code))
                          : QString::fromUtf8(cupsLastErrorString());
    }
    return nullptr;
  }
  httpSetTimeout(http, std::max(timeoutMs, 1) / 1000.0, giveUp, nullptr);
  return http;
}

QString lastCupsError() {
  const char* text = cupsLastErrorString();
  return text && *text ? QString::fromUtf8(text) : QStringLiteral("no reason given");
}

}  // namespace

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

void QueueTransport::fail(const QString& what, const QString& reason) {
  release();
  throw LinkError(
      QStringLiteral("%1 %2 (print server %3): %4").arg(what, queue_, printServerName(), reason));
}

void QueueTransport::release() {
  if (http_) {
    httpClose(http_);
    http_ = nullptr;
  }
  if (job_ != 0) {
    // An unfinished job must not print half an exchange later, nor stay in the queue. The old
    // connection may be in the middle of a request, so the cancel goes over a fresh one.
    if (http_t* http = connectToServer(timeoutMs_, nullptr)) {
      cupsCancelJob2(http, destination_.constData(), job_, 0);
      httpClose(http);
    }
    job_ = 0;
  }
}

void QueueTransport::open() {
  release();
  QString reason;
  http_ = connectToServer(timeoutMs_, &reason);
  if (!http_) {
    fail(QStringLiteral("Could not reach the print server for the printer queue"), reason);
  }
  job_ = cupsCreateJob(http_, destination_.constData(), "Q6Config", 0, nullptr);
  if (job_ == 0) {
    fail(QStringLiteral("Could not start a job on the printer queue"), lastCupsError());
  }
  if (cupsStartDocument(http_, destination_.constData(), job_, "Q6Config", CUPS_FORMAT_RAW, 1) !=
      HTTP_STATUS_CONTINUE) {
    fail(QStringLiteral("Could not start a job on the printer queue"), lastCupsError());
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
    fail(QStringLiteral("Could not send to the printer queue"), lastCupsError());
  }
}

void QueueTransport::close() {
  if (!http_) {
    return;
  }
  if (cupsFinishDocument(http_, destination_.constData()) > IPP_STATUS_OK_CONFLICTING) {
    fail(QStringLiteral("The job was not accepted by the printer queue"), lastCupsError());
  }
  job_ = 0;  // submitted: it is the server's now
  release();
}

QStringList listPrinterQueues(int timeoutMs) {
  QStringList names;
  http_t* http = connectToServer(timeoutMs, nullptr);
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
