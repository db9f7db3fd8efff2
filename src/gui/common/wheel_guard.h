#pragma once

class QComboBox;

namespace Q6 {

// Passing over a list with the wheel must not change a setting: the list turns with the wheel only
// once the operator has put the focus there (and it takes the focus by Tab or a click).
void turnOnlyWhenFocused(QComboBox* list);

}  // namespace Q6
