#include "core/settings/window_content.h"

namespace Q6 {

namespace Lists {

const QStringList& comFF() {
  static const QStringList entries{"No Change", "Feed (No cut)", "Full Cut", "Partial Cut"};
  return entries;
}

const QStringList& comDeviceID() {
  static const QStringList entries{"No Change", "Off", "On: Default ID", "On: Alternative ID"};
  return entries;
}

const QStringList& comCRcode() {
  static const QStringList entries{"No Change", "Disabled", "Perform Line Feed"};
  return entries;
}

const QStringList& comNESensor() {
  static const QStringList entries{"No Change", "Enabled", "Disabled"};
  return entries;
}

const QStringList& comContextCut() {
  static const QStringList entries{"No Change", "Disabled", "Enabled - Full Cut",
                                   "Enabled - Partial Cut"};
  return entries;
}

const QStringList& comBMark() {
  static const QStringList entries{"No Change", "Off", "On"};
  return entries;
}

const QStringList& comTopSearch() {
  static const QStringList entries{"No Change", "Off", "Reverse to 3mm", "Reverse to 7mm"};
  return entries;
}

const QStringList& comCharSet() {
  static const QStringList entries{"No Change",  "USA",        "France",   "Germany",       "U.K.",
                                   "Denmark #1", "Sweden",     "Italy",    "Spain #1",      "Japan",
                                   "Norway",     "Denmark #2", "Spain #2", "Latin America", "Korea",
                                   "Ireland",    "Legal"};
  return entries;
}

const QStringList& comCPage() {
  static const QStringList entries{
      "No Change",
      "Normal",
      "437(USA,std. Europe) ",
      "Katakana",
      "437(USA,std. Europe)",
      "858 (Multilingual)",
      "852 (Latin-2)",
      "860 (Portuguese)",
      "861 (Icelandic)",
      "863 (Canadian Frence)",
      "865 (Nordic)",
      "866 (Cyrillic Russian)",
      "855 (Cyrillic Bulgarian)",
      "857 (Turkish)",
      "862 (Hebrew)",
      "864 (Arabic)",
      "737 (Greek)",
      "851 (Greek)",
      "869 (Greek)",
      "928 (Greek)",
      "772 (Lithuanian)",
      "774 (Lithuanian)",
      "874 (Thai)",
      "1252 (Windows Latin-1)",
      "1250 (Windows Latin-2)",
      "1251 (Windows Cyrillic)",
      "3840 (IBM-Russian)",
      "3841 (Gost)",
      "3843 (Polish)",
      "3844 (CS2)",
      "3845 (Hungarian)",
      "3846 (Turkish)",
      "3847 (Brazil-ABNT)",
      "3848 (Brazil-ABICOMP)",
      "1001 (Arabic)",
      "2001 (Lithuaninan-KBL)",
      "3001 (Estonian-1)",
      "3002 (Estonian-2)",
      "3011 (Latvian-1)",
      "3012 (Latvian-2)",
      "3021 (Bulgarian)",
      "3041 (Maltese)",
      "User Setting (Downloaded)",
  };
  return entries;
}

const QStringList& comZStyle() {
  static const QStringList entries{"No Change", "No Slash", "Slash"};
  return entries;
}

const QStringList& comLFeed() {
  static const QStringList entries{"No Change", "4mm", "3mm"};
  return entries;
}

const QStringList& comCSpacing() {
  static const QStringList entries{"No Change", "12 dot", "15 dot"};
  return entries;
}

const QStringList& cmbBigFont() {
  static const QStringList entries{"No Change", "Default", "Large"};
  return entries;
}

const QStringList& cmbEPSpacing() {
  static const QStringList entries{"No Change", "No additional spacing", "1 dot spacing",
                                   "2 dot spacing", "3 dot spacing"};
  return entries;
}

const QStringList& comESCPOSColumns() {
  static const QStringList entries{"No Change", "Standard", "Maximum"};
  return entries;
}

const QStringList& comDensity() {
  static const QStringList entries{
      "No Change", "130% (Darkest)", "120%", "110%", "Normal", "90%", "80%", "70%"};
  return entries;
}

const QStringList& cmbModel() {
  static const QStringList entries{"Vorla QLX600", "Vorla QLX500"};
  return entries;
}

}  // namespace Lists

const ModelProfile* modelProfile(int modelPosition) {
  static const ModelProfile qlx600{
      {"No Change", "150mm/second", "100mm/second", "50mm/second"},
      false,
      {},
  };
  static const ModelProfile qlx500{
      {"No Change", "180mm/second", "120mm/second", "75mm/second", "Optimum Density"},
      true,
      {"No Change", "82mm (80mm print area)", "80mm (72mm print area)", "58mm (52.5mm print area)"},
  };
  switch (modelPosition) {
    case kModelQLX600:
      return &qlx600;
    case kModelQLX500:
      return &qlx500;
    default:
      return nullptr;
  }
}

QString versionText(int major, int minor, int revision) {
  return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString speedAdviceText() {
  return QStringLiteral(
      "The 'Optimum' print speed option acheives the highest possible output quality to acheive "
      "good results even on unsensitive paper types.\r\n"
      "Combine the setting with 130% density for maximum quality (at 120mm/second)\r\n"
      "or 120% density for second highest quality (at 140mm/second.");
}

}  // namespace Q6
