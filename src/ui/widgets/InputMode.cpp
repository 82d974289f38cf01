#include "ui/widgets/InputMode.h"

#include <QWidget>

namespace widgets {

void applyInputMode(QWidget* widget, InputMode mode)
{
    // Qt cannot select the hiragana mode itself; enabling the input method
    // lets the platform's Japanese input take the field.
    widget->setAttribute(Qt::WA_InputMethodEnabled, mode == InputMode::Japanese);
    widget->setInputMethodHints(
        mode == InputMode::Japanese ? Qt::ImhNone : Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}

} // namespace widgets
