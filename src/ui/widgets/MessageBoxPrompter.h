#pragma once

#include "store/Prompter.h"

class QWidget;

namespace widgets {

// The prompter of the screens: plain message boxes over the given window.
class MessageBoxPrompter : public store::Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void information(const QString& text) override;
    void warning(const QString& text) override;
    bool yesNo(const QString& text) override;
    bool confirm(const QString& text) override;
    store::Answer yesNoCancel(const QString& text) override;
    store::Answer yesToAllNoCancel(const QString& text) override;
    bool okCancel(const QString& text) override;

private:
    QWidget* m_parent;
};

} // namespace widgets
