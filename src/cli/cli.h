#pragma once

#include <QStringList>

#include <cstdio>

namespace Q6Cli {

// The whole command line of q6config-cli (arguments without the program name). Reports go to out,
// errors and the progress line to err. Returns the exit code (kExitDelivered … in output.h).
int runCli(const QStringList& arguments, std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace Q6Cli
