#include "gui/cut_position/cut_diagram.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "core/cut_position/cut_offset.h"

namespace {

const QColor kLineOn(255, 0, 0);
const QColor kLineOff(128, 128, 128);

}  // namespace

// The resources live in the static library, where nothing else would pull their registration into
// the program; the registration ignores a second call. (Not in a namespace: the macro declares the
// registration function where it stands.)
static QPixmap diagramPicture() {
  Q_INIT_RESOURCE(resources);
  return QPixmap(QStringLiteral(":/cut_diagram.png"));
}

namespace Q6 {

DiagramLine::DiagramLine(QObject* parent) : QObject(parent), y_(kNominalCutY), color_(kLineOff) {
  setObjectName(QStringLiteral("Line1"));
}

void DiagramLine::set(float y, const QColor& color) {
  if (y == y_ && color == color_) {
    return;
  }
  y_ = y;
  color_ = color;
  emit changed();
}

}  // namespace Q6

CutDiagram::CutDiagram(QWidget* parent)
    : QWidget(parent),
      picture_(diagramPicture()),
      lineY_(Q6::kNominalCutY),
      line_(new Q6::DiagramLine(this)) {
  setObjectName(QStringLiteral("Picture1"));
  setFixedSize(130, 101);
  // Moves without a button are part of the contract; moves during a press reach this widget even
  // outside it because Qt grabs the mouse on a press.
  setMouseTracking(true);
}

void CutDiagram::setLineY(float y) {
  if (y == lineY_) {
    return;
  }
  lineY_ = y;
  line_->set(lineY_, on_ ? kLineOn : kLineOff);
  update();
}

float CutDiagram::lineY() const {
  return lineY_;
}

void CutDiagram::setAdjusterOn(bool on) {
  if (on == on_) {
    return;
  }
  on_ = on;
  line_->set(lineY_, on_ ? kLineOn : kLineOff);
  update();
}

bool CutDiagram::adjusterOn() const {
  return on_;
}

int CutDiagram::pixelRow(float y) const {
  // Rounded, not truncated: a press on pixel row r reports r * 55 / height, which must draw the
  // line back on row r although the float product may land a hair below r. The last half row
  // rounds past the picture; the line stays on its bottom row there.
  const long row = std::lround(static_cast<double>(y) * height() / kScaleHeight);
  return static_cast<int>(std::clamp<long>(row, 0, height() - 1));
}

void CutDiagram::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!picture_.isNull()) {
    painter.drawPixmap(rect(), picture_);
  } else {
    painter.fillRect(rect(), Qt::white);
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(on_ ? kLineOn : kLineOff, 0));  // cosmetic: one pixel whatever the scaling
  const int row = pixelRow(lineY_);
  painter.drawLine(0, row, width() - 1, row);
}

float CutDiagram::toDiagramY(const QMouseEvent* event) const {
  return static_cast<float>(event->position().y() * kScaleHeight / height());
}

void CutDiagram::mousePressEvent(QMouseEvent* event) {
  emit mouseDown(toDiagramY(event));
  event->accept();
}

void CutDiagram::mouseMoveEvent(QMouseEvent* event) {
  emit mouseMove(toDiagramY(event));
  event->accept();
}

void CutDiagram::mouseReleaseEvent(QMouseEvent* event) {
  emit mouseUp(toDiagramY(event));
  event->accept();
}
