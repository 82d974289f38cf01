#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

// Plays the user at modal screens: each step waits until a modal window of
// its class is on top and then acts on it with keys and clicks, typically
// ending with the click that closes it. A modal window that no step expects
// is noted and closed, so a wrong turn fails the test instead of hanging it.
class ModalDriver : public QObject {
public:
    ModalDriver()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    template <class Screen> void expect(std::function<void(Screen*)> step)
    {
        m_steps.push_back({Screen::staticMetaObject.className(),
                           [step](QWidget* w) { step(static_cast<Screen*>(w)); }});
    }

    int pending() const { return static_cast<int>(m_steps.size()); }
    const QStringList& unexpected() const { return m_unexpected; }

private:
    struct Step {
        const char* className;
        std::function<void(QWidget*)> act;
    };

    void poll()
    {
        QWidget* top = QApplication::activeModalWidget();
        if (!top || !top->isVisible() || top == m_current)
            return;
        m_current = top;
        if (m_steps.empty() || !top->inherits(m_steps.front().className)) {
            m_unexpected << QString::fromUtf8(top->metaObject()->className());
            if (auto* d = qobject_cast<QDialog*>(top))
                d->QDialog::done(QDialog::Rejected);
            return;
        }
        const Step step = m_steps.front();
        m_steps.pop_front();
        step.act(top);
    }

    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_current;
    QStringList m_unexpected;
};
