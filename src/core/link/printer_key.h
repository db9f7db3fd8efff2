#pragma once

#include <QString>

// How a printer's address is written when two spellings must come out the same: the command-line
// tool serves each printer once however its targets are spelt, and the printer record keeps one
// history per printer. Names are never looked up, so nothing here waits on the network.
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
