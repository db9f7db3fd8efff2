#include "gui/common/wheel_guard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>

namespace Q6 {

namespace {

class WheelGuard : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Wheel) {
      auto* list = qobject_cast<QComboBox*>(watched);
      if (list && !list->hasFocus()) {
        event->ignore();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void turnOnlyWhenFocused(QComboBox* list) {
  // One guard for every list, living as long as the program.
  static WheelGuard* guard = new WheelGuard(QCoreApplication::instance());
  list->setFocusPolicy(Qt::StrongFocus);
  list->installEventFilter(guard);
}

}  // namespace Q6
