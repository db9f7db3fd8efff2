#pragma once

class QPushButton;
class QWidget;

namespace Q6 {

// The keys of the program's windows, written once: Enter (or the keypad's) presses the focused
// button as Space does and does nothing anywhere else, so Enter in a field never stores or applies
// anything behind the operator's back; Escape presses `cancel` (none: Escape does nothing). The
// window's buttons stop being default buttons, since Enter is handled here.
void useDialogKeys(QWidget* window, QPushButton* cancel);

}  // namespace Q6
