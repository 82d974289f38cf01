#pragma once

#include <QLabel>

namespace widgets {

// A one-line label that shows as much of its text as fits and ends it with
// "…", so a long text never widens its window. text() stays the whole text,
// which is also the tooltip.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setText(const QString& text);
    // The text as drawn at the label's current width.
    QString shownText() const;
    // The most width the label asks for: a longer text is elided, not
    // widening the window. 0 (the default): only the minimum.
    void setPreferredWidth(int pixels)
    {
        m_preferred = pixels;
        updateGeometry();
    }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_preferred = 0;
};

} // namespace widgets
