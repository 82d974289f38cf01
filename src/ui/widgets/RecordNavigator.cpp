#include "ui/widgets/RecordNavigator.h"

#include "ui/widgets/DataGrid.h"

#include <QHBoxLayout>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace widgets {

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    add(Button::First, u"|◀"_s, u"先頭"_s);
    add(Button::Prior, u"◀"_s, u"前へ"_s);
    add(Button::Next, u"▶"_s, u"次へ"_s);
    add(Button::Last, u"▶|"_s, u"最後"_s);
    add(Button::Insert, u"＋"_s, u"追加"_s);
    add(Button::Delete, u"－"_s, u"削除"_s);
    add(Button::Edit, u"▲"_s, u"編集"_s);
    add(Button::Post, u"✓"_s, u"保存"_s);
    add(Button::Cancel, u"✕"_s, u"取消"_s);
    add(Button::Refresh, u"↻"_s, u"再表示"_s);
    layout->addStretch();
}

void RecordNavigator::add(Button which, const QString& symbol, const QString& tip)
{
    auto* b = new QToolButton(this);
    b->setText(symbol);
    b->setToolTip(tip);
    // The focus stays in the grid, so an open cell editor is not closed by
    // the click before the button acts on it.
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(30, 26);
    connect(b, &QToolButton::clicked, this, [this, which] { clicked(which); });
    layout()->addWidget(b);
    m_buttons.insert(which, b);
}

void RecordNavigator::setVisibleButtons(Buttons buttons)
{
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setVisible(buttons.testFlag(it.key()));
}

void RecordNavigator::clicked(Button which)
{
    if (!m_grid)
        return;
    switch (which) {
    case Button::First:
        m_grid->first();
        break;
    case Button::Prior:
        m_grid->prior();
        break;
    case Button::Next:
        m_grid->next();
        break;
    case Button::Last:
        m_grid->last();
        break;
    case Button::Insert:
        m_grid->insertRow();
        break;
    case Button::Delete:
        m_grid->deleteCurrentRow();
        break;
    case Button::Edit:
        m_grid->editCurrent();
        break;
    case Button::Post:
        m_grid->post();
        break;
    case Button::Cancel:
        m_grid->cancel();
        break;
    case Button::Refresh:
        m_grid->refresh();
        break;
    }
}

} // namespace widgets
