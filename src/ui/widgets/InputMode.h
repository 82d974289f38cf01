#pragma once

class QWidget;

namespace widgets {

// Which input a field takes: name fields switch the Japanese input method
// on, code and number fields switch it off.
enum class InputMode { Japanese, Off };

void applyInputMode(QWidget* widget, InputMode mode);

} // namespace widgets
