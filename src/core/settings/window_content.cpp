#include "core/settings/window_content.h"

#include <QtGlobal>

namespace Q6 {

namespace Lists {

const QStringList& comFF() {
  static const QStringList entries{
      QT_TRANSLATE_NOOP("Q6::Lists", "No Change"), QT_TRANSLATE_NOOP("Q6::Lists", "Feed (No cut)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Full Cut"), QT_TRANSLATE_NOOP("Q6::Lists", "Partial Cut")};
  return entries;
}

const QStringList& comDeviceID() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Off"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "On: Default ID"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "On: Alternative ID")};
  return entries;
}

const QStringList& comCRcode() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Disabled"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Perform Line Feed")};
  return entries;
}

const QStringList& comNESensor() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Enabled"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Disabled")};
  return entries;
}

const QStringList& comContextCut() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Disabled"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Enabled - Full Cut"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Enabled - Partial Cut")};
  return entries;
}

const QStringList& comBMark() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Off"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "On")};
  return entries;
}

const QStringList& comTopSearch() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Off"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Reverse to 3mm"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Reverse to 7mm")};
  return entries;
}

const QStringList& comCharSet() {
  static const QStringList entries{
      QT_TRANSLATE_NOOP("Q6::Lists", "No Change"), QT_TRANSLATE_NOOP("Q6::Lists", "USA"),
      QT_TRANSLATE_NOOP("Q6::Lists", "France"),    QT_TRANSLATE_NOOP("Q6::Lists", "Germany"),
      QT_TRANSLATE_NOOP("Q6::Lists", "U.K."),      QT_TRANSLATE_NOOP("Q6::Lists", "Denmark #1"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Sweden"),    QT_TRANSLATE_NOOP("Q6::Lists", "Italy"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Spain #1"),  QT_TRANSLATE_NOOP("Q6::Lists", "Japan"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Norway"),    QT_TRANSLATE_NOOP("Q6::Lists", "Denmark #2"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Spain #2"),  QT_TRANSLATE_NOOP("Q6::Lists", "Latin America"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Korea"),     QT_TRANSLATE_NOOP("Q6::Lists", "Ireland"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Legal")};
  return entries;
}

const QStringList& comCPage() {
  static const QStringList entries{
      QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
      QT_TRANSLATE_NOOP("Q6::Lists", "Normal"),
      QT_TRANSLATE_NOOP("Q6::Lists", "437(USA,std. Europe) "),
      QT_TRANSLATE_NOOP("Q6::Lists", "Katakana"),
      QT_TRANSLATE_NOOP("Q6::Lists", "437(USA,std. Europe)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "858 (Multilingual)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "852 (Latin-2)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "860 (Portuguese)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "861 (Icelandic)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "863 (Canadian Frence)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "865 (Nordic)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "866 (Cyrillic Russian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "855 (Cyrillic Bulgarian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "857 (Turkish)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "862 (Hebrew)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "864 (Arabic)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "737 (Greek)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "851 (Greek)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "869 (Greek)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "928 (Greek)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "772 (Lithuanian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "774 (Lithuanian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "874 (Thai)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "1252 (Windows Latin-1)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "1250 (Windows Latin-2)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "1251 (Windows Cyrillic)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3840 (IBM-Russian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3841 (Gost)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3843 (Polish)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3844 (CS2)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3845 (Hungarian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3846 (Turkish)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3847 (Brazil-ABNT)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3848 (Brazil-ABICOMP)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "1001 (Arabic)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "2001 (Lithuaninan-KBL)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3001 (Estonian-1)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3002 (Estonian-2)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3011 (Latvian-1)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3012 (Latvian-2)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3021 (Bulgarian)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "3041 (Maltese)"),
      QT_TRANSLATE_NOOP("Q6::Lists", "User Setting (Downloaded)"),
  };
  return entries;
}

const QStringList& comZStyle() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "No Slash"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Slash")};
  return entries;
}

const QStringList& comLFeed() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"), "4mm", "3mm"};
  return entries;
}

const QStringList& comCSpacing() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "12 dot"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "15 dot")};
  return entries;
}

const QStringList& cmbBigFont() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Default"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Large")};
  return entries;
}

const QStringList& cmbEPSpacing() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "No additional spacing"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "1 dot spacing"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "2 dot spacing"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "3 dot spacing")};
  return entries;
}

const QStringList& comESCPOSColumns() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Standard"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Maximum")};
  return entries;
}

const QStringList& comDensity() {
  static const QStringList entries{QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
                                   QT_TRANSLATE_NOOP("Q6::Lists", "130% (Darkest)"),
                                   "120%",
                                   "110%",
                                   QT_TRANSLATE_NOOP("Q6::Lists", "Normal"),
                                   "90%",
                                   "80%",
                                   "70%"};
  return entries;
}

const QStringList& cmbModel() {
  static const QStringList entries{"Vorla QLX600", "Vorla QLX500"};
  return entries;
}

}  // namespace Lists

const ModelProfile* modelProfile(int modelPosition) {
  static const ModelProfile qlx600{
      {QT_TRANSLATE_NOOP("Q6::Lists", "No Change"), QT_TRANSLATE_NOOP("Q6::Lists", "150mm/second"),
       QT_TRANSLATE_NOOP("Q6::Lists", "100mm/second"),
       QT_TRANSLATE_NOOP("Q6::Lists", "50mm/second")},
      false,
      {},
  };
  static const ModelProfile qlx500{
      {QT_TRANSLATE_NOOP("Q6::Lists", "No Change"), QT_TRANSLATE_NOOP("Q6::Lists", "180mm/second"),
       QT_TRANSLATE_NOOP("Q6::Lists", "120mm/second"),
       QT_TRANSLATE_NOOP("Q6::Lists", "75mm/second"),
       QT_TRANSLATE_NOOP("Q6::Lists", "Optimum Density")},
      true,
      {QT_TRANSLATE_NOOP("Q6::Lists", "No Change"),
       QT_TRANSLATE_NOOP("Q6::Lists", "82mm (80mm print area)"),
       QT_TRANSLATE_NOOP("Q6::Lists", "80mm (72mm print area)"),
       QT_TRANSLATE_NOOP("Q6::Lists", "58mm (52.5mm print area)")},
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
  // Marked for the window, which translates it where it shows it.
  return QString::fromUtf8(QT_TRANSLATE_NOOP(
      "Q6::Messages",
      "The 'Optimum' print speed option acheives the highest possible output quality to acheive "
      "good results even on unsensitive paper types.\r\n"
      "Combine the setting with 130% density for maximum quality (at 120mm/second)\r\n"
      "or 120% density for second highest quality (at 140mm/second."));
}

}  // namespace Q6
