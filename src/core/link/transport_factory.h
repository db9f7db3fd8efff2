#pragma once

#include <memory>

#include "core/link/link_settings.h"
#include "core/link/transport.h"

namespace Orvanel {

// The transport for the settings' connection kind, not yet open. Settings that cannot be used raise
// LinkError saying what is wrong, with its remedy (NotSet: SetUp).
std::unique_ptr<Transport> makeTransport(const LinkSettings& settings);

}  // namespace Orvanel
