#include "ui/app/InstitutionNameDialog.h"

#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "store/TableCatalogue.h"
#include "ui/widgets/ByteLengthValidator.h"
#include "ui/widgets/InputMode.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace app {

InstitutionNameDialog::InstitutionNameDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_edit(new QLineEdit(this)), m_ok(new QPushButton(u"OK"_s, this))
{
    setObjectName(u"HoujinMei"_s);
    setWindowTitle(u"法人名の登録"_s);

    auto* heading = new QLabel(u"法人名（または園名）の登録"_s, this);
    QFont f = heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    f.setBold(true);
    heading->setFont(f);
    auto* example = new QLabel(u"例）　ラベンダー幼稚園"_s, this);

    m_edit->setObjectName(u"meisyou"_s);
    widgets::applyInputMode(m_edit, widgets::InputMode::Japanese);
    const int size = store::TableCatalogue::textSize(masters::dataModule().session().ahm(),
                                                     masters::SettingsRow::table(), u"meisyou"_s);
    if (size > 0)
        m_edit->setValidator(new widgets::ByteLengthValidator(size, m_edit));
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QString(20, u'あ')));
    m_ok->setDefault(true);
    m_ok->setMinimumSize(96, 32);
    connect(m_ok, &QPushButton::clicked, this, &InstitutionNameDialog::okClicked);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(example);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(heading);
    layout->addWidget(m_edit);
    layout->addLayout(bottom);
    setFixedSize(sizeHint());
}

void InstitutionNameDialog::showEvent(QShowEvent* event)
{
    // Open the row: show whatever name it already holds.
    m_edit->setText(masters::SettingsRow(masters::dataModule().session().ahm()).institutionName());
    m_edit->setFocus();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void InstitutionNameDialog::okClicked()
{
    if (m_edit->text().trimmed().isEmpty())
        return;
    m_named = true;
    accept();
}

void InstitutionNameDialog::done(int result)
{
    if (!m_named)
        return;
    masters::SettingsRow(masters::dataModule().session().ahm())
        .setInstitutionName(m_edit->text().trimmed());
    QDialog::done(result);
}

void InstitutionNameDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void InstitutionNameDialog::closeEvent(QCloseEvent* event)
{
    if (!m_named)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

} // namespace app
