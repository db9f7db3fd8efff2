#pragma once

#include <QColor>
#include <QFont>
#include <QHash>
#include <QHashFunctions>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

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

// What fitting measures of a widget: a button's or check box's caption on one line, or a label's
// text laid out in a box of the label's width with its alignment and wrapping.
struct TextQuestion {
  QFont font;
  QString text;
  int width = 0;         // a label's box; not used for a caption on one line
  int flags = kOneLine;  // a label's alignment and wrapping
  int dpi = 0;           // the widget's, which its font is measured at

  static constexpr int kOneLine = -1;
  // Equal questions have the same answer (QFont compares all that shapes a text but the dpi).
  friend bool operator==(const TextQuestion& a, const TextQuestion& b) {
    return a.width == b.width && a.flags == b.flags && a.dpi == b.dpi && a.text == b.text &&
           a.font == b.font;
  }
  friend size_t qHash(const TextQuestion& question, size_t seed = 0) {
    return qHashMulti(seed, question.font, question.text, question.width, question.flags,
                      question.dpi);
  }
};

// Nothing for a widget without a text to fit (a picture, a list, an empty label).
std::optional<TextQuestion> textQuestion(const QWidget* widget);

// What one fitting pass has measured: making room for the help texts and fitting them ask the same
// questions, and laying a text out is most of the pass.
using TextSizes = QHash<TextQuestion, QSize>;

// For a caption on one line its advance as the width; for a label the size its text takes
// (QFontMetrics::boundingRect in a box of its width). With `sizes`, a question measured before in
// the same pass is answered from there, and a new one kept there.
QSize measure(const TextQuestion& question, TextSizes* sizes = nullptr);

// Whether the widget's text is drawn in full in its box with its present font.
bool textFits(const QWidget* widget, TextSizes* sizes = nullptr);
// Puts back the face the widget was built with, should fitText() have made it smaller.
QFont restoreDesignFont(QWidget* widget);
// The boxes are fixed, so a text that would be clipped with the desktop's face is drawn a little
// smaller instead, down to a size that is still readable.
void fitText(QWidget* widget, TextSizes* sizes = nullptr);

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
QComboBox* rowList(QWidget* page, int originTwips, int top, const char* name,
                   const QStringList& entries);

}  // namespace Q6::Layout
