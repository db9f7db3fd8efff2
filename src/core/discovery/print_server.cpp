// Questions to the CUPS print server that create no job: which queues there are, and in what state
// one of them is.

#include <cups/cups.h>

#include <QDeadlineTimer>

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/discovery/discovery.h"
#include "core/discovery/link_probe.h"
#include "core/link/queue_transport.h"

namespace Orvanel {

namespace {

// Asked for a question that needs no rights, "forbidden" means the server wants someone logged in.
QString requestFailure(http_t* http, const QueueBudget& budget) {
  if (cupsLastError() == IPP_STATUS_ERROR_FORBIDDEN) {
    return QStringLiteral("the print server asks for a password");
  }
  return printServerFailure(http, budget);
}

QString stateName(int state) {
  switch (state) {
    case IPP_PSTATE_IDLE:
      return QStringLiteral("idle");
    case IPP_PSTATE_PROCESSING:
      return QStringLiteral("printing");
    case IPP_PSTATE_STOPPED:
      return QStringLiteral("stopped");
    default:
      return QString();
  }
}

}  // namespace

QList<FoundTarget> findPrinterQueues(int timeoutMs, QString* note) {
  QList<FoundTarget> found;
  QueueBudget budget{timeoutMs, QDeadlineTimer(timeoutMs)};
  QString reason;
  http_t* http = connectToPrintServer(&budget, &reason);
  if (!http) {
    if (note) {
      *note = QStringLiteral("Printer queues: no print server at %1: %2.")
                  .arg(printServerName(), reason);
    }
    return found;
  }
  static const char* const wanted[] = {"printer-name", "printer-info", "printer-is-accepting-jobs"};
  ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(wanted)), nullptr, wanted);
  ipp_t* response = cupsDoRequest(http, request, "/");
  // No queues at all is an answer too (the server says "not found").
  if (!response || (cupsLastError() > IPP_STATUS_OK_CONFLICTING &&
                    cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)) {
    if (note) {
      *note = QStringLiteral("Printer queues: the print server at %1 did not answer: %2.")
                  .arg(printServerName(), requestFailure(http, budget));
    }
  }
  if (response) {
    // One group of attributes per queue, separated by attributes without a name.
    FoundTarget t;
    t.source = TargetSource::Queue;
    auto finish = [&] {
      if (!t.name.isEmpty()) {
        found << t;
      }
      t = FoundTarget();
      t.source = TargetSource::Queue;
    };
    for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
      const char* name = ippGetName(a);
      if (!name) {
        finish();
        continue;
      }
      const QByteArray key(name);
      if (key == "printer-name") {
        t.name = QString::fromUtf8(ippGetString(a, 0, nullptr));
      } else if (key == "printer-info") {
        t.description = QString::fromUtf8(ippGetString(a, 0, nullptr));
      } else if (key == "printer-is-accepting-jobs") {
        t.acceptingJobs = ippGetBoolean(a, 0) != 0;
      }
    }
    finish();
    ippDelete(response);
  }
  httpClose(http);
  return found;
}

ProbeResult probeQueue(const QString& queue, int timeoutMs) {
  // "name/instance" is a set of saved options on this computer; the server only knows the name.
  const QByteArray destination = queue.section(QLatin1Char('/'), 0, 0).trimmed().toUtf8();
  auto failed = [&](const QString& why) {
    return ProbeResult{false, QStringLiteral("Could not reach the printer queue %1 (print server "
                                             "%2): %3")
                                  .arg(queue, printServerName(), why)};
  };
  QueueBudget budget{timeoutMs, QDeadlineTimer(timeoutMs)};
  QString reason;
  http_t* http = connectToPrintServer(&budget, &reason);
  if (!http) {
    return failed(reason);
  }
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                   "/printers/%s", destination.constData());
  static const char* const wanted[] = {"printer-state", "printer-state-message",
                                       "printer-is-accepting-jobs"};
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
               cupsUser());
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(std::size(wanted)), nullptr, wanted);
  const QByteArray resource = "/printers/" + destination;
  ipp_t* response = cupsDoRequest(http, request, resource.constData());
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    const QString why = requestFailure(http, budget);
    ippDelete(response);
    httpClose(http);
    return failed(why);
  }
  ipp_attribute_t* accepting =
      ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
  ipp_attribute_t* message = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
  const bool accepts = accepting && ippGetBoolean(accepting, 0);
  QStringList how;
  if (state) {
    how << stateName(ippGetInteger(state, 0));
  }
  if (message && ippGetString(message, 0, nullptr) && *ippGetString(message, 0, nullptr)) {
    how << QString::fromUtf8(ippGetString(message, 0, nullptr));
  }
  how.removeAll(QString());
  ippDelete(response);
  httpClose(http);
  QString text = QStringLiteral("Reached the printer queue %1 (print server %2): ")
                     .arg(queue, printServerName());
  text += accepts ? QStringLiteral("it accepts jobs") : QStringLiteral("it does NOT accept jobs");
  if (!how.isEmpty()) {
    text += QStringLiteral(" (%1)").arg(how.join(QStringLiteral(", ")));
  }
  text += QStringLiteral(". Nothing was sent.");
  // Reached, but every exchange would fail there until the queue takes jobs again.
  return ProbeResult{accepts, text};
}

}  // namespace Orvanel
