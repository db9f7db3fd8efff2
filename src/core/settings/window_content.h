#pragma once

#include <QString>
#include <QStringList>

// What the main window's lists hold, kept apart from the widgets: the entries of every list and
// what differs between the two models. Positions in these lists are what "Use Settings" and the
// presets read, so an entry is never removed, merged or reordered.
namespace Q6 {

namespace Lists {
// Setting lists with fixed entries, position 0 ("No Change") first.
const QStringList& comFF();
const QStringList& comDeviceID();
const QStringList& comCRcode();
const QStringList& comNESensor();
const QStringList& comContextCut();
const QStringList& comBMark();
const QStringList& comTopSearch();
const QStringList& comCharSet();
// 43 entries; positions 2 and 4 are both code page 437 and differ by a trailing blank only.
const QStringList& comCPage();
const QStringList& comZStyle();
const QStringList& comLFeed();
const QStringList& comCSpacing();
const QStringList& cmbBigFont();
const QStringList& cmbEPSpacing();
const QStringList& comESCPOSColumns();
const QStringList& comDensity();  // the same for both models

// "Vorla QLX600" at position 0, "Vorla QLX500" at position 1.
const QStringList& cmbModel();
}  // namespace Lists

// cmbModel positions.
inline constexpr int kModelQLX600 = 0;
inline constexpr int kModelQLX500 = 1;

// What differs between the two models.
struct ModelProfile {
  QStringList speedEntries;
  // Only the QLX500 can set paper width, ESC/POS print columns and the contextual auto cut.
  bool extendedGroups = false;
  QStringList paperWidthEntries;  // empty: the list keeps its entries
};

// The profile of a cmbModel position; nullptr when no model is selected.
const ModelProfile* modelProfile(int modelPosition);

// "1.2.3", as both programs show it.
QString versionText(int major, int minor, int revision);

// The advice given when the QLX500's "Optimum Density" speed is chosen.
inline constexpr int kOptimumDensitySpeed = 4;
QString speedAdviceText();

}  // namespace Q6
