#pragma once

#include <QDialog>

namespace widgets {

// The base of the modal screens opened from the main window: a title bar
// with the system close box only, and Esc that does not close the screen.
// Closing stores what the screen holds, so it happens only by the screen's
// own close button or the system box; Esc is left to the cell editors and
// grids, which take back what was typed.
class ModalScreen : public QDialog {
    Q_OBJECT
public:
    explicit ModalScreen(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace widgets
