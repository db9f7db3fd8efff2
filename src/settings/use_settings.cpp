#include "settings/use_settings.h"

namespace Q6 {

// Placeholder until the memory-switch map lands: only the closing write command.
UseSettingsPlan buildUseSettings(const Selection&) {
  return UseSettingsPlan{{writeCommand()}, {}};
}

std::string GetCodePageHex(int) {
  return "0";
}
std::string GetDensityHex(int) {
  return "0";
}

}  // namespace Q6
