#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>

#include "core/common/result.h"
#include "core/link/commands.h"

namespace Q6 {

// What "Use Settings" reads from the main window: list positions (0 = "No Change", -1 = nothing
// selected), the cut adjuster's check box and text, and the line-feed count text.
struct Selection {
  int comFF = 0;
  int comDeviceID = 0;
  int comTopSearch = 0;
  int comNESensor = 0;
  int comCRcode = 0;
  int comCharSet = 0;
  int comCPage = 0;
  int comZStyle = 0;
  int comLFeed = 0;
  int comDensity = 0;
  int comSpeed = 0;
  int comBMark = 0;
  bool chk_AdjustCutPos = false;
  std::string txtCutOffset = " 0mm";
  int comCSpacing = 0;
  int comPWidth = 0;
  int comESCPOSColumns = 0;
  int cmbBigFont = 0;
  int cmbEPSpacing = 0;
  int comContextCut = 0;
  std::string txtContFeeds = "2";
};

// Entries after "No Change" in the lists whose value is computed from the position.
inline constexpr int kCharSetEntries = 16;
inline constexpr int kCodePageEntries = 42;
inline constexpr int kDensityEntries = 7;

// The printer's cut field holds at most 127 quarter millimetres either way; the adjuster offers
// -10 mm to +31.75 mm.
inline constexpr int kCutStepsMin = -40;
inline constexpr int kCutStepsMax = 127;

// The line-feed count fills the four top bits of switch F.
inline constexpr int kMaxContextCutFeeds = 15;

// The commands of one "Use Settings" exchange, or a refusal when a value would build a malformed
// command; a refusal is shown before the link is opened.
Result<CommandList> buildUseSettings(const Selection& selection);

// The line-feed count as the operator typed it, or nothing when it does not fit the four-bit field.
std::optional<int> contextCutFeeds(std::string_view text);

// Code of the code page at comCPage position `index`, upper-case hex without leading zeros;
// empty for a position that names no code page.
std::string GetCodePageHex(int index);
// The density digit for comDensity position `index` (1-7); empty for any other position.
std::string GetDensityHex(int index);

}  // namespace Q6
