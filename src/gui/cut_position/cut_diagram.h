#pragma once

#include <QColor>
#include <QObject>
#include <QPixmap>
#include <QWidget>

class CutDiagram;

namespace Q6 {

// The line drawn across the diagram, as an object of its own so that it can be found by name
// ("Line1") and its ends and colour read like those of any other control. It is read-only: the
// diagram moves and colours it.
class DiagramLine : public QObject {
  Q_OBJECT
  Q_PROPERTY(float y1 READ y1 NOTIFY changed)
  Q_PROPERTY(float y2 READ y2 NOTIFY changed)
  Q_PROPERTY(QColor color READ color NOTIFY changed)

 public:
  explicit DiagramLine(QObject* parent);
  float y1() const { return y_; }
  float y2() const { return y_; }  // the line is always horizontal
  QColor color() const { return color_; }

 signals:
  void changed();

 private:
  friend class ::CutDiagram;
  void set(float y, const QColor& color);
  float y_;
  QColor color_;
};

}  // namespace Q6

// The cut position diagram: a fixed picture of the paper with the cut line across it. It works in
// its own units, 5 wide and 55 high with y downwards, so that one unit is one millimetre of offset.
// It only draws and reports the pointer; deciding what a press or a drag means is the main
// window's job. When the adjuster is off the main window disables the widget, which then gets no
// mouse events at all.
class CutDiagram : public QWidget {
  Q_OBJECT

 public:
  explicit CutDiagram(QWidget* parent = nullptr);

  static constexpr float kScaleWidth = 5.0f;
  static constexpr float kScaleHeight = 55.0f;

  void setLineY(float y);
  float lineY() const;
  // Red while the adjuster is on, grey while it is off.
  void setAdjusterOn(bool on);
  bool adjusterOn() const;

  // The pixel row on which a line at diagram height y is drawn.
  int pixelRow(float y) const;

 signals:
  // The pointer's y in diagram units. Moves are reported with or without a button held, and while
  // a button is held also outside the widget (y then lies outside 0..55).
  void mouseDown(float y);
  void mouseMove(float y);
  void mouseUp(float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  float toDiagramY(const QMouseEvent* event) const;
  void updateLine(float y);

  QPixmap picture_;
  float lineY_;
  bool on_ = false;
  Q6::DiagramLine* line_;
};

namespace Q6 {
using ::CutDiagram;
}  // namespace Q6
