#include "ui/widgets/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace widgets {

void ElidedLabel::setText(const QString& text)
{
    QLabel::setText(text);
    setToolTip(text);
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 4,
            QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const
{
    const QSize full = QLabel::sizeHint();
    return {std::max(minimumSizeHint().width(), std::min(full.width(), m_preferred)),
            full.height()};
}

void ElidedLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    style()->drawItemText(&p, contentsRect(), int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}

} // namespace widgets
