#include "ui/app/InstitutionSettingsScreen.h"

#include "masters/DataModule.h"
#include "masters/SettingsRow.h"
#include "store/TableCatalogue.h"
#include "ui/widgets/ByteLengthValidator.h"
#include "ui/widgets/EnterMovesFocus.h"
#include "ui/widgets/InputMode.h"
#include "ui/widgets/TopBar.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using widgets::InputMode;

namespace app {

namespace {

const QString kSealNames[5] = {u"職印１"_s, u"職印２"_s, u"職印３"_s, u"職印４"_s, u"職印５"_s};

// Seal headings fit four full-width characters in the printed boxes.
constexpr int kSealBytes = 8;

std::optional<int> number(const QLineEdit* edit)
{
    bool ok = false;
    const int n = edit->text().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString text(const std::optional<int>& n)
{
    return n ? QString::number(*n) : QString();
}

int charWidth(const QWidget* w, int fullWidthChars)
{
    return w->fontMetrics().horizontalAdvance(QString(fullWidthChars, u'漢')) + 12;
}

} // namespace

InstitutionSettingsScreen::InstitutionSettingsScreen(bool firstRun, QWidget* parent)
    : ModalScreen(parent), m_bar(new widgets::TopBar(QString(), this))
{
    setObjectName(u"HEAD1"_s);
    setWindowTitle(u"初期設定１"_s);
    connect(m_bar, &widgets::TopBar::closeClicked, this, &QDialog::accept);

    m_year = addEdit(u"年度"_s, 0);
    m_year->setMaxLength(4);
    m_year->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,4}"_s), m_year));
    widgets::applyInputMode(m_year, InputMode::Off);
    m_year->setFixedWidth(m_year->fontMetrics().horizontalAdvance(u"00000"_s) + 16);

    m_meisyou = addEdit(u"meisyou"_s, 0);
    m_meisyou->setReadOnly(true);
    m_meisyou->setObjectName(u"meisyou"_s);
    // Grey on a first run, light green otherwise: either way not for typing.
    QPalette pal = m_meisyou->palette();
    pal.setColor(QPalette::Base, firstRun ? QColor(0xC0, 0xC0, 0xC0) : QColor(0xC0, 0xDC, 0xC0));
    m_meisyou->setPalette(pal);
    if (firstRun)
        m_meisyou->setFocusPolicy(Qt::ClickFocus);
    m_meisyou->setMinimumWidth(charWidth(this, 36));

    m_name = addEdit(u"name"_s, -1);
    widgets::applyInputMode(m_name, InputMode::Japanese);
    m_name->setMinimumWidth(charWidth(this, 20));
    m_jyuusyo = addEdit(u"jyuusyo"_s, -1);
    widgets::applyInputMode(m_jyuusyo, InputMode::Japanese);
    m_jyuusyo->setMinimumWidth(charWidth(this, 25));
    m_denwa = addEdit(u"denwa"_s, -1);
    widgets::applyInputMode(m_denwa, InputMode::Off);
    m_denwa->setFixedWidth(charWidth(this, 9));
    for (int i = 0; i < 5; ++i) {
        m_seals[i] = addEdit(kSealNames[i], kSealBytes);
        widgets::applyInputMode(m_seals[i], InputMode::Japanese);
        m_seals[i]->setFixedWidth(charWidth(this, 4) + 8);
    }
    m_password = addEdit(u"PM5"_s, 0);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setStyleSheet(u"lineedit-password-character: 42;"_s); // "*"
    m_password->setValidator(
        new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,9}"_s), m_password));
    m_password->setFocusPolicy(Qt::ClickFocus);
    m_password->setFixedWidth(m_year->width() + 40);

    // Input order, which is also the order Enter and Tab walk.
    QWidget* order[] = {m_year,     m_meisyou,  m_name,     m_jyuusyo,  m_denwa,   m_seals[0],
                        m_seals[1], m_seals[2], m_seals[3], m_seals[4], m_password};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto label = [this](const QString& text) { return new QLabel(text, this); };
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    int row = 0;
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(m_year);
    yearRow->addWidget(label(u"年度"_s));
    yearRow->addStretch();
    form->addWidget(label(u"西暦"_s), row, 0, Qt::AlignRight);
    form->addLayout(yearRow, row++, 1);
    form->addWidget(label(u"法人の名称"_s), row, 0, Qt::AlignRight);
    form->addWidget(m_meisyou, row++, 1);
    form->addWidget(label(u"代表者氏名"_s), row, 0, Qt::AlignRight);
    form->addWidget(m_name, row++, 1, Qt::AlignLeft);
    form->addWidget(label(u"住所"_s), row, 0, Qt::AlignRight);
    form->addWidget(m_jyuusyo, row++, 1, Qt::AlignLeft);
    form->addWidget(label(u"電話"_s), row, 0, Qt::AlignRight);
    form->addWidget(m_denwa, row++, 1, Qt::AlignLeft);

    auto* seals = new QGridLayout;
    seals->setHorizontalSpacing(8);
    seals->setVerticalSpacing(2);
    for (int i = 0; i < 5; ++i) {
        seals->addWidget(label(kSealNames[i]), 0, i, Qt::AlignHCenter);
        seals->addWidget(m_seals[i], 1, i);
    }
    seals->setColumnStretch(5, 1);
    form->addLayout(seals, row++, 1);
    form->setRowMinimumHeight(row++, 6);

    auto* pwRow = new QHBoxLayout;
    pwRow->addWidget(m_password);
    pwRow->addSpacing(8);
    pwRow->addWidget(label(u"4桁のパスワード（数値）を入れてください。"_s));
    pwRow->addStretch();
    form->addWidget(label(u"パスワード"_s), row, 0, Qt::AlignRight);
    form->addLayout(pwRow, row++, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(20, 16, 24, 20);
    body->addLayout(form);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_bar);
    layout->addLayout(body);

    auto* enter = new widgets::EnterMovesFocus(this);
    for (QWidget* w : order)
        enter->watch(w);
}

QLineEdit* InstitutionSettingsScreen::addEdit(const QString& objectName, int maxBytes)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    // -1: the field's own size in the settings table.
    if (maxBytes < 0)
        maxBytes = store::TableCatalogue::textSize(masters::dataModule().session().ahm(),
                                                   masters::SettingsRow::table(), objectName);
    if (maxBytes > 0)
        edit->setValidator(new widgets::ByteLengthValidator(maxBytes, edit));
    return edit;
}

QLineEdit* InstitutionSettingsScreen::field(const QString& objectName) const
{
    return findChild<QLineEdit*>(objectName);
}

void InstitutionSettingsScreen::showEvent(QShowEvent* event)
{
    ModalScreen::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    const masters::InstitutionSettings s =
        masters::SettingsRow(masters::dataModule().session().ahm()).open();
    m_year->setText(text(s.fiscalYear));
    m_meisyou->setText(s.meisyou);
    m_meisyou->setCursorPosition(0);
    m_name->setText(s.name);
    m_jyuusyo->setText(s.jyuusyo);
    m_denwa->setText(s.denwa);
    for (int i = 0; i < 5; ++i)
        m_seals[i]->setText(s.seals[i]);
    m_password->setText(text(s.password));
    m_year->setFocus();
}

void InstitutionSettingsScreen::done(int result)
{
    if (m_opened) {
        masters::InstitutionSettings s;
        s.fiscalYear = number(m_year);
        s.name = m_name->text();
        s.jyuusyo = m_jyuusyo->text();
        s.denwa = m_denwa->text();
        for (int i = 0; i < 5; ++i)
            s.seals[i] = m_seals[i]->text();
        s.password = number(m_password);
        masters::SettingsRow(masters::dataModule().session().ahm()).post(s);
        masters::dataModule().FiscalYear = s.fiscalYear.value_or(0);
        m_opened = false;
    }
    ModalScreen::done(result);
}

} // namespace app
