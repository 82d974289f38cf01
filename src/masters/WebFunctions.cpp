#include "masters/WebFunctions.h"

#include "store/Download.h"
#include "store/Installation.h"
#include "store/Platform.h"
#include "store/Prompter.h"

#include <QDir>
#include <utility>

using namespace Qt::StringLiterals;

namespace masters {

namespace {

const QString kUpdateProgramFile = u"dload.exe"_s;
const QString kRemoteToolFile = u"TeamViewerQS.exe"_s;

} // namespace

WebFunctions::WebFunctions(store::Prompter& prompter, store::Platform& platform,
                           QString installFolder)
    : m_prompter(prompter), m_platform(platform), m_installFolder(std::move(installFolder))
{
}

QString WebFunctions::updateQuestion()
{
    return u"バージョンアップを実行しますか。"_s;
}

QString WebFunctions::updateFailedMessage()
{
    return u"バージョンアップが正常に出来ませんでした。"_s;
}

QString WebFunctions::remoteMaintenanceQuestion()
{
    // Line breaks as the message boxes draw them (\n, not \r\n).
    return u"リモートメンテナンスが出来ます。\n"
           u"①　セキュリティーの警告が出たら”許可”を選んでください。\n"
           u"②　使用中のIDとパスワードを連絡してください。"_s;
}

QString WebFunctions::remoteToolNotDownloadedMessage()
{
    return u"メンテナンスツールが正常に出来ませんでした。"_s;
}

QString WebFunctions::remoteToolNotStartedMessage()
{
    return u"リモートメンテナンスが出来ませんでした。"_s;
}

QString WebFunctions::homepageAddress()
{
    return store::Download::serverUrl(u"/"_s).toString();
}

QString WebFunctions::newProgramAddress()
{
    // Always the Windows program file: that is what the update program replaces.
    return store::Download::serverUrl(u'/' + store::Installation::programName() + u".exe"_s)
        .toString();
}

QStringList WebFunctions::updateArguments()
{
    return {newProgramAddress(), QString()};
}

QString WebFunctions::updateProgramPath() const
{
    return QDir(m_installFolder).filePath(kUpdateProgramFile);
}

QString WebFunctions::remoteToolPath() const
{
    return QDir(m_installFolder).filePath(kRemoteToolFile);
}

void WebFunctions::openHomepage()
{
    m_platform.openAddress(homepageAddress());
}

WebOutcome WebFunctions::runUpdate()
{
    if (!m_prompter.confirm(updateQuestion()))
        return WebOutcome::KeepRunning;
    const QString path = updateProgramPath();
    if (!store::Download::DownloadFile(store::Download::serverUrl(u'/' + kUpdateProgramFile),
                                       path)) {
        m_prompter.information(updateFailedMessage());
        return WebOutcome::KeepRunning;
    }
    // The update program needs its arguments, which a desktop's opener
    // cannot pass: it is started as a program.
    if (!m_platform.startProgram(path, updateArguments())) {
        m_prompter.information(updateFailedMessage());
        return WebOutcome::KeepRunning;
    }
    return WebOutcome::CloseMainWindow;
}

void WebFunctions::runRemoteMaintenance()
{
    if (!m_prompter.confirm(remoteMaintenanceQuestion()))
        return;
    const QString path = remoteToolPath();
    if (!store::Download::DownloadFile(store::Download::serverUrl(u'/' + kRemoteToolFile), path)) {
        m_prompter.information(remoteToolNotDownloadedMessage());
        return;
    }
    // Started without arguments by the desktop's own handler for the file,
    // as a shell's default verb would.
    if (!m_platform.openDocument(path))
        m_prompter.information(remoteToolNotStartedMessage());
}

} // namespace masters
