#pragma once

#include <QStringList>

#include <cstdio>

namespace Q6Cli {

// Exit codes: every target delivered; some target failed; bad usage or refused input (nothing was
// sent anywhere).
inline constexpr int kExitDelivered = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitRefused = 2;

// The whole command line of q6config-cli (arguments without the program name). Reports go to out,
// errors and the progress line to err.
int runCli(const QStringList& arguments, std::FILE* out = stdout, std::FILE* err = stderr);

}  // namespace Q6Cli
