#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

#include "gui/layout/text_measures.h"

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

// What the three windows share to lay out their fixed boxes: positions drawn in twips, the faces
// the captions were drawn in, and captions fitted into boxes that cannot grow.
namespace Q6::Layout {

// The windows were drawn in twips, 15 to a pixel.
inline constexpr int kTwipsPerPixel = 15;

// The one conversion: to the nearest pixel.
constexpr int px(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
  return {px(left), px(top), px(width), px(height)};
}

enum class Face { Normal, Bold975, Regular975, Bold12, Bold825 };
QFont faceFont(const QFont& base, Face face);

// The positions were drawn for a narrow 8.25 point sans serif: a face of Arial's widths, else the
// desktop's.
QFont windowFont();

// Room a button caption keeps from each side of the frame.
inline constexpr int kButtonTextMargin = 4;

// Whether the widget's text is drawn in full in its box with its present font. With `measures`,
// a text already measured (or being measured ahead) is not laid out again.
bool textFits(const QWidget* widget, TextMeasures* measures = nullptr);
// Puts back the face the widget was built with, should fitText() have made it smaller.
QFont restoreDesignFont(QWidget* widget);
// The boxes are fixed, so a text that would be clipped with the desktop's face is drawn a little
// smaller instead, down to a size that is still readable.
void fitText(QWidget* widget, TextMeasures* measures = nullptr);
// What fitText() asks of a widget that does not fit in its face, the next `steps` sizes down, so
// that they can be measured ahead.
std::vector<TextQuestion> smallerSizeQuestions(const QWidget* widget, int steps);

template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& geometry) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  return widget;
}

// A word-wrapped, top-left aligned caption.
QLabel* label(QWidget* page, const char* name, const QString& text, const QRect& geometry,
              Face face = Face::Normal);
QPushButton* button(QWidget* page, const char* name, const QString& text, const QRect& geometry,
                    Face face = Face::Normal, const QString& toolTip = {});

// Fills a list without selecting anything, as a freshly filled list starts: the first selection
// made afterwards is then a real change and runs the list's reaction.
void refill(QComboBox* list, const QStringList& entries);

void setTextColour(QLabel* label, const QColor& colour);

// Labelled rows: a bold title with its help text under it on the left, a list in a column on the
// right. Tops are in twips from the top of the area the rows were drawn in, which starts
// `originTwips` above the page (a tab page starts below its tab row).
inline constexpr int kRowListLeft = 5640;
inline constexpr int kRowListWidth = 2112;

struct LabelledRow {
  QLabel* title = nullptr;
  QLabel* help = nullptr;
};
// The help text may run down to helpBottom.
LabelledRow labelledRow(QWidget* page, int originTwips, int top, int helpBottom,
                        const char* titleName, const QString& title, const char* helpName,
                        const QString& help);
// What fitting will ask of labelledRow()'s title and help text, known before the row is built so
// that they can be measured ahead. `pageFont` is the font the page gives its children (at its dpi).
TextQuestion rowTitleQuestion(const QFont& pageFont, int dpi, const QString& title);
TextQuestion rowHelpQuestion(const QFont& pageFont, int dpi, const QString& help);
QComboBox* rowList(QWidget* page, int originTwips, int top, const char* name,
                   const QStringList& entries);

}  // namespace Q6::Layout
