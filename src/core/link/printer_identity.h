#pragma once

#include <QString>

#include "core/link/link_settings.h"

// Who a printer is, however its connection is spelt. There are two identities, because two
// questions are asked:
// - Is it the same device now? The command-line tool serves each printer once per run, so two
//   paths to one device node (a link, a second node with the same major and minor) must meet:
//   sameDeviceKey() goes by device and inode, which are only true while the files stand.
// - Is it the same printer as last time? The record keeps one history per printer across runs,
//   machines and reboots, where inodes change and a name must still read plainly:
//   recordPrinterName() goes by the canonical text of the address.
// Names are never looked up, so nothing here waits on the network.
namespace Orvanel {

// A host as the connection would reach it: an address in the form the system writes it (an IPv4
// address mapped into IPv6 as IPv4), a name in lower case without the root's trailing dot.
QString canonicalHost(const QString& host);

// The absolute path a file link reaches, every symbolic link followed and ".", ".." and repeated
// slashes gone. A file that is not there (yet) gets its dangling links followed by hand and its
// folder resolved; a folder that is not there either is kept as written, cleaned.
QString canonicalFilePath(const QString& path);

// Where the serial port library looks for a port given by name: a bare name is under /dev.
QString serialPortLocation(const QString& port);

// The file a path reaches, for telling two paths to the same file apart from two files: by device
// and inode when it exists (by the device itself for a device node, whatever node names it), else
// "path " and canonicalFilePath().
QString fileIdentity(const QString& path);

}  // namespace Orvanel

namespace Q6 {

// The same device now: file and serial targets by the device or file they reach (after following
// links, by device and inode where it exists), network targets by host (case and a trailing dot
// ignored, addresses in canonical form) and port, queues by name (any case). Equal keys, one
// printer within a run.
QString sameDeviceKey(const Orvanel::LinkSettings& settings);

// The printer as the record names it: "tcp://host:port" (host in lower case, without a trailing
// dot, an address in canonical form, IPv6 in brackets; a .local name stays a name),
// "queue:name" (lower case), "file:/path" with every link followed, "serial:/dev/ttyUSB0".
QString recordPrinterName(const Orvanel::LinkSettings& settings);

}  // namespace Q6
