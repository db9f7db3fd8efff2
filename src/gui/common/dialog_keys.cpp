#include "gui/common/dialog_keys.h"

#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace Q6 {

namespace {

class DialogKeys : public QObject {
 public:
  DialogKeys(QWidget* window, QPushButton* cancel) : QObject(window), cancel_(cancel) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || watched != parent()) {
      return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
      return false;
    }
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      auto* window = static_cast<QWidget*>(parent());
      if (auto* button = qobject_cast<QPushButton*>(window->focusWidget());
          button && button->isEnabled()) {
        button->click();
      }
      return true;
    }
    if (key->key() == Qt::Key_Escape && cancel_) {
      cancel_->click();
      return true;
    }
    return false;
  }

 private:
  QPointer<QPushButton> cancel_;
};

}  // namespace

void useDialogKeys(QWidget* window, QPushButton* cancel) {
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  window->installEventFilter(new DialogKeys(window, cancel));
}

}  // namespace Q6
