#pragma once

#include <QApplication>
#include <QInputMethodEvent>
#include <QWidget>

// Japanese text arrives from the input method as a committed string, not as
// key presses; QTest's key clicks carry Latin-1 only.
inline void commitText(QWidget* widget, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}
