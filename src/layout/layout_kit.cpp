#include "layout/layout_kit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGuiApplication>
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

bool textFits(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    if (label->text().isEmpty()) {
      return true;  // a picture is scaled to its frame
    }
    if (label->wordWrap()) {
      // Most captions take one line; measuring that is far cheaper than laying out the wrap.
      const QFontMetrics metrics = label->fontMetrics();
      const QRect room = label->contentsRect();
      if (metrics.height() <= room.height() &&
          metrics.horizontalAdvance(label->text()) <= room.width()) {
        return true;
      }
      return label->heightForWidth(label->width()) <= label->height();
    }
    const QSize hint = label->sizeHint();
    return hint.width() <= label->width() && hint.height() <= label->height();
  }
  // Buttons and the check box: the caption on one line, clear of the frame or the indicator.
  const auto* button = qobject_cast<const QAbstractButton*>(widget);
  if (!button) {
    return true;
  }
  const int room = qobject_cast<const QCheckBox*>(button) ? button->width() - 22
                                                          : button->width() - 2 * kButtonTextMargin;
  return button->fontMetrics().horizontalAdvance(button->text()) <= room;
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

void fitText(QWidget* widget) {
  constexpr double kSmallestPoints = 6.5;
  constexpr double kStep = 0.25;
  QFont font = restoreDesignFont(widget);
  if (textFits(widget)) {
    return;
  }
  if (!widget->property(kDesignFont).isValid()) {
    widget->setProperty(kDesignFont, font);
  }
  while (!textFits(widget) && font.pointSizeF() - kStep >= kSmallestPoints) {
    font.setPointSizeF(font.pointSizeF() - kStep);
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
