// Network printers that announce raw printing (port 9100 style) over DNS-SD, found through the
// system's Avahi daemon.

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/address.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <net/if.h>

#include <QElapsedTimer>

#include <algorithm>

#include "core/discovery/discovery.h"

namespace Orvanel {

namespace {

constexpr char kRawPrintingService[] = "_pdl-datastream._tcp";

struct Search {
  AvahiSimplePoll* poll = nullptr;
  AvahiClient* client = nullptr;
  QList<FoundTarget> found;
  int resolving = 0;
  bool allListed = false;
  QString failure;
};

void noteFailure(Search* search, int error) {
  if (search->failure.isEmpty()) {
    search->failure = QString::fromUtf8(avahi_strerror(error));
  }
}

void onClient(AvahiClient* client, AvahiClientState state, void* data) {
  auto* search = static_cast<Search*>(data);
  if (state == AVAHI_CLIENT_FAILURE) {
    noteFailure(search, avahi_client_errno(client));
  }
}

void onResolved(AvahiServiceResolver* resolver, AvahiIfIndex interface, AvahiProtocol,
                AvahiResolverEvent event, const char* name, const char*, const char*,
                const char* hostName, const AvahiAddress* address, uint16_t port, AvahiStringList*,
                AvahiLookupResultFlags, void* data) {
  auto* search = static_cast<Search*>(data);
  if (event == AVAHI_RESOLVER_FOUND && address) {
    FoundTarget t;
    t.source = TargetSource::Network;
    t.name = QString::fromUtf8(name);
    t.hostName = QString::fromUtf8(hostName);
    char text[AVAHI_ADDRESS_STR_MAX];
    avahi_address_snprint(text, sizeof text, address);
    t.address = QString::fromLatin1(text);
    // A link-local IPv6 address means nothing without the interface it was seen on.
    if (address->proto == AVAHI_PROTO_INET6 && t.address.startsWith(QLatin1String("fe80"))) {
      char ifname[IF_NAMESIZE] = {};
      if (if_indextoname(static_cast<unsigned>(interface), ifname)) {
        t.address += QLatin1Char('%') + QString::fromLatin1(ifname);
      }
    }
    t.port = port;
    search->found << t;
  }
  avahi_service_resolver_free(resolver);
  --search->resolving;
}

void onBrowse(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
              AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
              AvahiLookupResultFlags, void* data) {
  auto* search = static_cast<Search*>(data);
  switch (event) {
    case AVAHI_BROWSER_NEW:
      if (avahi_service_resolver_new(search->client, interface, protocol, name, type, domain,
                                     AVAHI_PROTO_UNSPEC, AvahiLookupFlags(0), onResolved, search)) {
        ++search->resolving;
      }
      break;
    case AVAHI_BROWSER_ALL_FOR_NOW:
      search->allListed = true;
      break;
    case AVAHI_BROWSER_FAILURE:
      noteFailure(search, avahi_client_errno(search->client));
      break;
    case AVAHI_BROWSER_REMOVE:
    case AVAHI_BROWSER_CACHE_EXHAUSTED:
      break;
  }
}

// The same printer is announced once per interface and address family; one entry each, IPv4
// first, since that is what a technician types and what every printer answers on.
QList<FoundTarget> oncePerPrinter(QList<FoundTarget> found) {
  std::stable_sort(found.begin(), found.end(), [](const FoundTarget& a, const FoundTarget& b) {
    return a.address.contains(QLatin1Char(':')) < b.address.contains(QLatin1Char(':'));
  });
  QList<FoundTarget> unique;
  for (const FoundTarget& t : found) {
    if (std::none_of(unique.cbegin(), unique.cend(), [&](const FoundTarget& u) {
          return u.name == t.name && u.hostName == t.hostName && u.port == t.port;
        })) {
      unique << t;
    }
  }
  return unique;
}

}  // namespace

QList<FoundTarget> findNetworkPrinters(int timeoutMs, QString* note) {
  QElapsedTimer timer;
  timer.start();
  Search search;
  search.poll = avahi_simple_poll_new();
  if (!search.poll) {
    if (note) {
      *note = QStringLiteral("Network printers: the DNS-SD search failed (out of memory).");
    }
    return {};
  }
  int error = 0;
  search.client = avahi_client_new(avahi_simple_poll_get(search.poll), AvahiClientFlags(0),
                                   onClient, &search, &error);
  AvahiServiceBrowser* browser = nullptr;
  if (search.client) {
    browser = avahi_service_browser_new(search.client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC,
                                        kRawPrintingService, nullptr, AvahiLookupFlags(0), onBrowse,
                                        &search);
    if (!browser) {
      noteFailure(&search, avahi_client_errno(search.client));
    }
  } else {
    noteFailure(&search, error);
  }
  // Done when the daemon has listed what it knows and every entry is resolved; a printer that
  // does not answer its resolution is left out once the time is up.
  while (browser && search.failure.isEmpty() && !(search.allListed && search.resolving == 0)) {
    const qint64 left = timeoutMs - timer.elapsed();
    if (left <= 0) {
      break;
    }
    if (avahi_simple_poll_iterate(search.poll, static_cast<int>(std::min<qint64>(left, 100))) !=
        0) {
      break;
    }
  }
  if (note && !search.failure.isEmpty()) {
    *note = error == AVAHI_ERR_NO_DAEMON || error == AVAHI_ERR_DBUS_ERROR
                ? QStringLiteral(
                      "Network printers: the DNS-SD service (Avahi daemon) is not "
                      "running.")
                : QStringLiteral("Network printers: the DNS-SD search failed (%1).")
                      .arg(search.failure);
  }
  // Frees the browser and every resolver still waiting.
  if (search.client) {
    avahi_client_free(search.client);
  }
  avahi_simple_poll_free(search.poll);
  return oncePerPrinter(search.found);
}

}  // namespace Orvanel
