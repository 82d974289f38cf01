#include "ui/widgets/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>

namespace widgets {

namespace {

QString title()
{
    return QApplication::applicationName();
}

} // namespace

void MessageBoxPrompter::information(const QString& text)
{
    QMessageBox::information(m_parent, title(), text);
}

void MessageBoxPrompter::warning(const QString& text)
{
    QMessageBox::warning(m_parent, title(), text);
}

bool MessageBoxPrompter::yesNo(const QString& text)
{
    return QMessageBox::warning(m_parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxPrompter::confirm(const QString& text)
{
    return QMessageBox::information(m_parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                    QMessageBox::No) == QMessageBox::Yes;
}

store::Answer MessageBoxPrompter::yesNoCancel(const QString& text)
{
    switch (QMessageBox::warning(m_parent, title(), text,
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

bool MessageBoxPrompter::okCancel(const QString& text)
{
    return QMessageBox::warning(m_parent, title(), text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace widgets
