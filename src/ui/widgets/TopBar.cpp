#include "ui/widgets/TopBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace widgets {

TopBar::TopBar(const QString& heading, QWidget* parent)
    : QFrame(parent), m_close(new QPushButton(u"閉じる(&C)"_s, this)),
      m_heading(new QLabel(heading, this))
{
    setObjectName(u"TopBar"_s);
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(u"#TopBar { background: #dde4ee; }"_s);
    m_close->setObjectName(u"CloseButton"_s);
    m_close->setAutoDefault(false);
    m_close->setMinimumSize(110, 32);
    m_close->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    QFont f = m_heading->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    m_heading->setFont(f);
    m_heading->setObjectName(u"Heading"_s);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(16);
    layout->addWidget(m_close);
    layout->addWidget(m_heading, 1);
    if (heading.isEmpty()) {
        m_heading->hide();
        layout->addStretch(1);
    }
    connect(m_close, &QPushButton::clicked, this, &TopBar::closeClicked);
}

} // namespace widgets
