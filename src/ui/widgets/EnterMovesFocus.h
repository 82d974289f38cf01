#pragma once

#include <QObject>

class QWidget;

namespace widgets {

// Enter (or Return) in a watched field moves the focus to the next control
// of the Tab order and is consumed, so it neither presses a dialog's default
// button nor reaches the field.
class EnterMovesFocus : public QObject {
    Q_OBJECT
public:
    explicit EnterMovesFocus(QObject* parent = nullptr) : QObject(parent) {}

    void watch(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace widgets
