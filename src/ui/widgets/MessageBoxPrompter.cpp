#include "ui/widgets/MessageBoxPrompter.h"

#include "ui/widgets/MessageBox.h"

namespace widgets {

void MessageBoxPrompter::information(const QString& text)
{
    showMessage(m_parent, QMessageBox::Information, text);
}

void MessageBoxPrompter::warning(const QString& text)
{
    showMessage(m_parent, QMessageBox::Warning, text);
}

bool MessageBoxPrompter::yesNo(const QString& text)
{
    return showMessage(m_parent, QMessageBox::Warning, text, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxPrompter::confirm(const QString& text)
{
    return showMessage(m_parent, QMessageBox::Information, text, QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::No) == QMessageBox::Yes;
}

store::Answer MessageBoxPrompter::yesNoCancel(const QString& text)
{
    switch (showMessage(m_parent, QMessageBox::Warning, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return store::Answer::Yes;
    case QMessageBox::No:
        return store::Answer::No;
    default:
        return store::Answer::Cancel;
    }
}

store::Answer MessageBoxPrompter::yesToAllNoCancel(const QString& text)
{
    switch (showMessage(m_parent, QMessageBox::Warning, text,
                        QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No |
                            QMessageBox::Cancel,
                        QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return store::Answer::Yes;
    case QMessageBox::YesToAll:
        return store::Answer::YesToAll;
    case QMessageBox::No:
        return store::Answer::No;
    default:
        return store::Answer::Cancel;
    }
}

bool MessageBoxPrompter::okCancel(const QString& text)
{
    return showMessage(m_parent, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel,
                       QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace widgets
