#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace widgets {

// The bar across the top of a screen: the standard close button
// "閉じる(&C)" on the left and the screen's heading beside it.
class TopBar : public QFrame {
    Q_OBJECT
public:
    explicit TopBar(const QString& heading = QString(), QWidget* parent = nullptr);

    QPushButton* closeButton() const { return m_close; }
    QLabel* heading() const { return m_heading; }

signals:
    void closeClicked();

private:
    QPushButton* m_close;
    QLabel* m_heading;
};

} // namespace widgets
