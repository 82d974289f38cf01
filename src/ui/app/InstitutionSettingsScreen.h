#pragma once

#include "ui/widgets/ModalScreen.h"

#include <array>

class QLineEdit;

namespace widgets {
class TopBar;
}

namespace app {

// The initial settings screen "初期設定１": the settings row's fiscal year,
// institution (read-only here), representative, address, telephone, the
// five seal headings and the user password. Opening it opens the row
// (appending it to an empty table); closing it stores the row and refreshes
// FiscalYear. On a first run the institution name is shown grey and the
// Tab key passes it by.
class InstitutionSettingsScreen : public widgets::ModalScreen {
    Q_OBJECT
public:
    explicit InstitutionSettingsScreen(bool firstRun = false, QWidget* parent = nullptr);

    QLineEdit* yearEdit() const { return m_year; }
    QLineEdit* nameEdit() const { return m_meisyou; }
    QLineEdit* field(const QString& objectName) const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addEdit(const QString& objectName, int maxBytes);

    widgets::TopBar* m_bar;
    QLineEdit* m_year;
    QLineEdit* m_meisyou;
    QLineEdit* m_name;
    QLineEdit* m_jyuusyo;
    QLineEdit* m_denwa;
    std::array<QLineEdit*, 5> m_seals{};
    QLineEdit* m_password;
    bool m_opened = false;
};

} // namespace app
