#include "ui/widgets/EnterMovesFocus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace widgets {

void EnterMovesFocus::watch(QWidget* field)
{
    field->installEventFilter(this);
}

bool EnterMovesFocus::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    // A Tab press walks the focus chain exactly as the user's Tab would,
    // skipping what is out of the Tab order.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(watched, &tab);
    return true;
}

} // namespace widgets
