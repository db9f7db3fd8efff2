#include "gui/layout/layout_kit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVariant>

namespace Q6::Layout {

QFont faceFont(const QFont& base, Face face) {
  QFont font = base;
  switch (face) {
    case Face::Normal:
      break;
    case Face::Bold975:
      font.setBold(true);
      font.setPointSizeF(9.75);
      break;
    case Face::Regular975:
      font.setPointSizeF(9.75);
      break;
    case Face::Bold12:
      font.setBold(true);
      font.setPointSizeF(12);
      break;
    case Face::Bold825:
      font.setBold(true);
      font.setPointSizeF(8.25);
      break;
  }
  return font;
}

// fitText() deals with a face that is wider still.
QFont windowFont() {
  QFont font = QGuiApplication::font();
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                    QStringLiteral("Helvetica"), font.family()});
  font.setPointSizeF(8.25);
  return font;
}

std::optional<TextQuestion> textQuestion(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->text().isEmpty()) {
      return std::nullopt;  // a picture is scaled to its frame
    }
    const int flags =
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return TextQuestion{label->font(), label->text(), label->contentsRect().width(), flags,
                        label->logicalDpiY()};
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
      button && !button->text().isEmpty()) {
    return TextQuestion{button->font(), button->text(), 0, TextQuestion::kOneLine,
                        button->logicalDpiY()};
  }
  return std::nullopt;
}

namespace {

// Tall enough for any text of ours: the box's height only places the text, it never breaks it.
constexpr int kUnlimitedHeight = 1 << 20;

QSize measureOnce(const TextQuestion& question) {
  // Measured at the question's dpi, whatever screen the font was last resolved for.
  const QFontMetrics metrics = [&question] {
    if (question.dpi <= 0) {
      return QFontMetrics(question.font);
    }
    QImage probe(1, 1, QImage::Format_Mono);
    const int dotsPerMetre = qRound(question.dpi / 0.0254);
    probe.setDotsPerMeterX(dotsPerMetre);
    probe.setDotsPerMeterY(dotsPerMetre);
    return QFontMetrics(question.font, &probe);
  }();
  if (question.flags == TextQuestion::kOneLine) {
    return {metrics.horizontalAdvance(question.text), metrics.height()};
  }
  return metrics
      .boundingRect(QRect(0, 0, question.width, kUnlimitedHeight), question.flags, question.text)
      .size();
}

}  // namespace

QSize measure(const TextQuestion& question, TextSizes* sizes) {
  if (!sizes) {
    return measureOnce(question);
  }
  const auto known = sizes->constFind(question);
  if (known != sizes->cend()) {
    return *known;
  }
  return *sizes->insert(question, measureOnce(question));
}

namespace {

// Whether a text of this size is drawn in full in the widget's box.
bool fitsBox(const QWidget* widget, const QSize& size) {
  if (qobject_cast<const QLabel*>(widget)) {
    // Drawn in full inside the label's box, as the label lays it out.
    const QRect room = widget->contentsRect();
    return size.width() <= room.width() && size.height() <= room.height();
  }
  // Buttons and the check box: the caption on one line, clear of the frame or the indicator.
  const int room = qobject_cast<const QCheckBox*>(widget) ? widget->width() - 22
                                                          : widget->width() - 2 * kButtonTextMargin;
  return size.width() <= room;
}

}  // namespace

bool textFits(const QWidget* widget, TextSizes* sizes) {
  const std::optional<TextQuestion> question = textQuestion(widget);
  return !question || fitsBox(widget, measure(*question, sizes));
}

namespace {
const char* const kDesignFont = "q6DesignFont";
}  // namespace

// A widget that fitText() never made smaller still has its face and is left alone: setting a font
// costs a round of font and layout events per widget, about half the window's build time when done
// for every control.
QFont restoreDesignFont(QWidget* widget) {
  const QVariant design = widget->property(kDesignFont);
  if (!design.isValid()) {
    return widget->font();
  }
  const QFont font = design.value<QFont>();
  if (widget->font() != font) {
    widget->setFont(font);
  }
  return font;
}

namespace {

// fitText() goes down in quarter points to a size that is still readable: 7 points at 96 dpi, the
// smallest that stays legible in every shipped language's accents.
constexpr double kSmallestPoints = 7.0;
constexpr double kStep = 0.25;

// The next smaller size for the widget's text, or false below the smallest.
bool stepDown(QFont& font) {
  if (font.pointSizeF() - kStep < kSmallestPoints) {
    return false;
  }
  font.setPointSizeF(font.pointSizeF() - kStep);
  return true;
}

}  // namespace

void fitText(QWidget* widget, TextSizes* sizes) {
  QFont font = restoreDesignFont(widget);
  std::optional<TextQuestion> question = textQuestion(widget);
  if (!question || fitsBox(widget, measure(*question, sizes))) {
    return;
  }
  if (!widget->property(kDesignFont).isValid()) {
    widget->setProperty(kDesignFont, font);
  }
  // The smaller sizes are tried on the question alone; the widget is given only the one that fits
  // (or the smallest).
  bool fits = false;
  while (!fits && stepDown(font)) {
    question->font = QFont(font, widget);
    fits = fitsBox(widget, measure(*question, sizes));
  }
  if (widget->font() != font) {
    widget->setFont(font);
  }
}

QLabel* label(QWidget* page, const char* name, const QString& text, const QRect& geometry,
              Face face) {
  auto* l = place(new QLabel(text, page), name, geometry);
  l->setWordWrap(true);
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (face != Face::Normal) {
    l->setFont(faceFont(page->font(), face));
  }
  return l;
}

QPushButton* button(QWidget* page, const char* name, const QString& text, const QRect& geometry,
                    Face face, const QString& toolTip) {
  auto* b = place(new QPushButton(text, page), name, geometry);
  if (face != Face::Normal) {
    b->setFont(faceFont(page->font(), face));
  }
  b->setToolTip(toolTip);
  return b;
}

void refill(QComboBox* list, const QStringList& entries) {
  const QSignalBlocker quiet(list);
  list->clear();
  list->addItems(entries);
  list->setCurrentIndex(-1);
}

void setTextColour(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

namespace {

constexpr int kRowLeft = 240;
constexpr int kTitleWidth = 4575;
constexpr int kTitleHeight = 315;
constexpr int kTitleToHelp = 240;
// A few pixels short of the list column, so that a full line of help never touches the list.
constexpr int kHelpWidth = 5340;
constexpr int kListHeight = 315;

}  // namespace

LabelledRow labelledRow(QWidget* page, int originTwips, int top, int helpBottom,
                        const char* titleName, const QString& title, const char* helpName,
                        const QString& help) {
  LabelledRow row;
  row.title =
      label(page, titleName, title,
            twipsRect(kRowLeft, top - originTwips, kTitleWidth, kTitleHeight), Face::Bold975);
  const int helpTop = top + kTitleToHelp;
  row.help = label(page, helpName, help,
                   twipsRect(kRowLeft, helpTop - originTwips, kHelpWidth, helpBottom - helpTop));
  return row;
}

QComboBox* rowList(QWidget* page, int originTwips, int top, const char* name,
                   const QStringList& entries) {
  auto* list = place(new QComboBox(page), name,
                     twipsRect(kRowListLeft, top - originTwips, kRowListWidth, kListHeight));
  list->setEditable(false);
  list->setMaxVisibleItems(16);
  refill(list, entries);
  return list;
}

}  // namespace Q6::Layout
