#include "ui/app/PasswordDialog.h"

#include "masters/UserPassword.h"
#include "ui/widgets/InputMode.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {

PasswordDialog::PasswordDialog(QWidget* parent)
    : ModalScreen(parent), m_edit(new QLineEdit(masters::UserPassword::defaultCode(), this)),
      m_ok(new QPushButton(u"OK"_s, this))
{
    setObjectName(u"PW"_s);
    setWindowTitle(u"ユーザーパスワード入力"_s);

    auto* prompt = new QLabel(u"４桁のパスワード（数値）を入れてください。"_s, this);
    auto* note = new QLabel(u"パスワードの既定値は'7295'です。"_s, this);
    m_edit->setObjectName(u"Edit1"_s);
    m_edit->setMaxLength(4);
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setStyleSheet(u"lineedit-password-character: 42;"_s); // "*"
    m_edit->setFixedWidth(m_edit->fontMetrics().horizontalAdvance(u"00000000"_s) + 16);
    widgets::applyInputMode(m_edit, widgets::InputMode::Off);
    m_ok->setDefault(true);
    m_ok->setMinimumSize(96, 32);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addStretch();
    row->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(prompt);
    layout->addLayout(row);
    layout->addWidget(note);
    setFixedSize(sizeHint().expandedTo({380, 0}));
}

void PasswordDialog::showEvent(QShowEvent* event)
{
    ModalScreen::showEvent(event);
    // The default stands selected, so typing replaces it.
    m_edit->setFocus();
    m_edit->selectAll();
}

QString PasswordDialog::password() const
{
    return m_edit->text();
}

} // namespace app
