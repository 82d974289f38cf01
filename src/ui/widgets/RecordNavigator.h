#pragma once

#include <QFlags>
#include <QMap>
#include <QWidget>

class QToolButton;

namespace widgets {

class DataGrid;

// The record navigator of the grid screens: a row of buttons that move the
// grid's cursor and insert, delete, edit, store, cancel and re-read rows.
// It only forwards to the grid, so keys and buttons do the same thing.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    enum class Button {
        First = 0x1,
        Prior = 0x2,
        Next = 0x4,
        Last = 0x8,
        Insert = 0x10,
        Delete = 0x20,
        Edit = 0x40,
        Post = 0x80,
        Cancel = 0x100,
        Refresh = 0x200,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    static constexpr Buttons allButtons() { return Buttons(0x3ff); }

    explicit RecordNavigator(QWidget* parent = nullptr);

    void setGrid(DataGrid* grid) { m_grid = grid; }
    void setVisibleButtons(Buttons buttons);
    QToolButton* button(Button which) const { return m_buttons.value(which); }

private:
    void add(Button which, const QString& symbol, const QString& tip);
    void clicked(Button which);

    DataGrid* m_grid = nullptr;
    QMap<Button, QToolButton*> m_buttons;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(RecordNavigator::Buttons)

} // namespace widgets
