#include "ui/widgets/EnterPressesButton.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace widgets {

bool EnterPressesButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
        (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button || !(qobject_cast<QPushButton*>(button) || qobject_cast<QToolButton*>(button)) ||
        !button->isEnabled() || button->window()->focusWidget() != button)
        return false;
    // A held key presses once.
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

} // namespace widgets
