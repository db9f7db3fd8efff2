#pragma once

#include <QString>

#include <sys/socket.h>

#include <vector>

// Reaching a host by name or address: the look-up within the time limit and the connect over each
// of its addresses, as a modern client does (RFC 8305, "Happy Eyeballs").
namespace Orvanel {

// The host's addresses for port, looked up within timeoutMs (an address written as numbers needs
// no look-up); none, with failure set to the reason, when there are none in time.
std::vector<sockaddr_storage> resolveWithin(const QString& host, int port, int timeoutMs,
                                            QString* failure);

// The pause before the next address of a host is tried while the earlier ones are still
// unanswered (RFC 8305, "Happy Eyeballs").
inline constexpr int kConnectStaggerMs = 250;
// Connection attempts of one link in flight at a time at most.
inline constexpr int kMaxConnectAttempts = 4;

// Connects to whichever of the addresses answers first: they are tried in the order given, the
// next one staggerMs after the last (or at once when one fails), earlier attempts still running;
// the first to connect wins and the others are closed. All of it within timeoutMs. Returns the
// connected non-blocking socket, or -1 with failure set: the reason alone for one address, else
// each address tried and what happened to it ("[::1]: no answer within 5000 ms; 127.0.0.1:
// Connection refused"). spentMs: what the time limit has already lost (to the name look-up).
int connectToFirst(const std::vector<sockaddr_storage>& addresses, int timeoutMs, QString* failure,
                   int staggerMs = kConnectStaggerMs, int spentMs = 0);

// The order in which a host's addresses are tried: both families taking turns, starting with the
// family of the first (RFC 8305, section 4).
std::vector<sockaddr_storage> interleaveFamilies(const std::vector<sockaddr_storage>& addresses);

}  // namespace Orvanel
