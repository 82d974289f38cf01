#include "ui/app/DesktopPlatform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace app {

bool DesktopPlatform::openAddress(const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool DesktopPlatform::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopPlatform::startProgram(const QString& path, const QStringList& arguments)
{
    return QProcess::startDetached(path, arguments, QFileInfo(path).absolutePath());
}

QString DesktopPlatform::chooseFolder(const QString& caption, const QString& startFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(m_parent, caption, startFolder);
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

} // namespace app
