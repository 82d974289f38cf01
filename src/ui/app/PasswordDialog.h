#pragma once

#include "ui/widgets/ModalScreen.h"

class QLineEdit;
class QPushButton;

namespace app {

// The user password prompt shown at every start. It closes only by its
// button or its system box, and either way what the edit holds then is the
// entered password.
class PasswordDialog : public widgets::ModalScreen {
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    QString password() const;
    QLineEdit* edit() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_edit;
    QPushButton* m_ok;
};

} // namespace app
