#include "ui/masters/NameListScreen.h"

#include "masters/DataModule.h"
#include "ui/widgets/DataGrid.h"
#include "ui/widgets/MessageBoxPrompter.h"
#include "ui/widgets/SqlGridModel.h"
#include "ui/widgets/TopBar.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlRecord>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using masters::NameLists;

namespace masterscreens {

NameListScreen::NameListScreen(masters::NameList list, const QString& heading,
                               const QString& nameTitle, bool codeEditable, QWidget* parent)
    : ModalScreen(parent), m_list(list),
      m_model(new widgets::SqlGridModel(masters::dataModule().session().aaa(),
                                        NameLists::table(list), this)),
      m_grid(new widgets::DataGrid(this)), m_edit(new QPushButton(u"編　　集"_s, this))
{
    setWindowTitle(heading);
    auto* bar = new widgets::TopBar(heading, this);
    connect(bar, &widgets::TopBar::closeClicked, this, &QDialog::accept);

    const QString key = NameLists::keyField(list);
    const QString name = NameLists::nameField(list);
    m_model->setColumnTitle(key, u"コード"_s);
    m_model->setColumnTitle(name, nameTitle);
    if (!codeEditable)
        m_model->setReadOnly(key);
    m_model->setInsertRule([list](int rows) { return NameLists::mayInsert(list, rows); });
    m_model->setDeleteRule([](int) { return false; });
    m_model->setPrimer([this, list, key](QSqlRecord& rec) {
        rec.setValue(key, NameLists::nextKey(m_model->database(), list));
    });

    m_grid->setGridModel(m_model);
    m_grid->setColumnInput(key, widgets::InputMode::Off);
    m_grid->setColumnInput(name, widgets::InputMode::Japanese);
    m_grid->setEnabled(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setColumnWidth(m_model->column(key), 90);
    m_grid->setMinimumSize(360, m_grid->verticalHeader()->defaultSectionSize() * 4 + 40);
    connect(m_grid, &widgets::DataGrid::postFailed, this,
            [this](const QString& message) { widgets::MessageBoxPrompter(this).warning(message); });

    auto* note = new QLabel(u"基本的には変更しないでください。"_s, this);
    note->setStyleSheet(u"color: #b00000;"_s);
    m_edit->setObjectName(u"EditButton"_s);
    m_edit->setAutoDefault(false);
    m_edit->setMinimumSize(120, 34);
    connect(m_edit, &QPushButton::clicked, this, [this] {
        m_grid->setEnabled(true);
        m_grid->setFocus();
        if (!m_grid->currentIndex().isValid())
            m_grid->first();
    });

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_edit);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 16);
    body->setSpacing(10);
    body->addWidget(note);
    body->addWidget(m_grid, 1);
    body->addLayout(bottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addLayout(body);
    resize(440, 300);
}

void NameListScreen::showEvent(QShowEvent* event)
{
    ModalScreen::showEvent(event);
    if (m_open)
        return;
    m_open = true;
    m_model->select();
}

void NameListScreen::done(int result)
{
    if (m_open) {
        // A row the table refuses keeps the screen open (the message has
        // been shown): a duplicate code is back at its stored value, and
        // the next close goes through; another refusal stays pending until
        // corrected or taken back with Esc.
        if (!m_grid->post())
            return;
        m_model->clear();
        m_open = false;
        masters::dataModule().LoadNames();
    }
    ModalScreen::done(result);
}

} // namespace masterscreens
