#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace app {

// The institution-name dialog "法人名の登録", shown at start while the
// settings row has no name. It has no system box and cannot be left without
// a name; closing it stores the name in the settings row.
class InstitutionNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit InstitutionNameDialog(QWidget* parent = nullptr);

    QLineEdit* edit() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void okClicked();

    QLineEdit* m_edit;
    QPushButton* m_ok;
    bool m_named = false;
};

} // namespace app
