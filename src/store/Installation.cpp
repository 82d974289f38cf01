#include "store/Installation.h"

#include "store/FaultInjection.h"
#include "store/SchemaUpgrade.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace store {

QString Installation::programFileName()
{
#ifdef Q_OS_WIN
    return programName() + u".exe"_s;
#else
    return programName();
#endif
}

void Installation::create(const QString& workDir, const QString& programPath)
{
    if (!QDir().mkpath(workDir + u'/' + Session::dataFolderName()))
        throw StoreError(u"フォルダを作成できません: "_s + workDir);
    const QString program = workDir + u'/' + programFileName();
    if (!QFileInfo::exists(program) && !QFileInfo(program).isSymLink()) {
        if (!QFile::link(QFileInfo(programPath).absoluteFilePath(), program))
            throw StoreError(u"実行プログラムへのリンクを作成できません: "_s + program);
    }
    Session session(workDir);
    session.openSettings(true);
    TableCatalogue::apply(session.ahm(), TableScripts::settingsTable());
    session.openData(true);
    TableCatalogue::apply(session.aaa(), TableScripts::mainTables());
}

bool Installation::hasSettingsTable(const QString& workDir)
{
    Session session(workDir);
    if (!QFileInfo::exists(session.ahmPath()))
        return false;
    session.openSettings();
    return Sql::tableExists(session.ahm(), u"HeadM"_s);
}

QString Installation::buildFolder(const QString& workDir)
{
    const QFileInfo target(QDir::cleanPath(workDir));
    return target.absolutePath() + u"/."_s + target.fileName() + u".zoravin-build"_s;
}

bool Installation::isNewFolder(const QString& dir)
{
    const QFileInfo info(dir);
    if (!info.exists() && !info.isSymLink())
        return true;
    return info.isDir() &&
           QDir(dir).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool Installation::holdsOnlyInstallationFiles(const QString& dir)
{
    const QStringList known = {programFileName(),
                               Session::ahmFileName(),
                               Session::ahmFileName() + u"-wal"_s,
                               Session::ahmFileName() + u"-shm"_s,
                               Session::ahmFileName() + u"-journal"_s,
                               Session::dataFolderName()};
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return std::all_of(entries.begin(), entries.end(),
                       [&](const QString& e) { return known.contains(e); });
}

void Installation::build(const QString& workDir, const QString& programPath,
                         const std::function<void(const QString& folder)>& fill)
{
    const QString target = QDir::cleanPath(workDir);
    if (!isNewFolder(target))
        throw StoreError(u"フォルダ %1 は空ではないので、新しいインストールフォルダにできません。"
                         u"まだないフォルダか、空のフォルダを指定してください。"_s.arg(
                             QDir::toNativeSeparators(target)));
    const QString building = buildFolder(target);
    // What an earlier, interrupted build left is never finished: it starts over.
    if (QFileInfo::exists(building) && !QDir(building).removeRecursively())
        throw StoreError(
            u"作成途中のフォルダ %1 を削除できません。"_s.arg(QDir::toNativeSeparators(building)));
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        throw StoreError(
            u"フォルダ %1 を作成できません。書き込めるフォルダか確かめてください。"_s.arg(
                QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
    try {
        create(building, programPath);
        fill(building);
    } catch (...) {
        QDir(building).removeRecursively(); // a failed build leaves nothing behind
        throw;
    }
    FaultInjection::reach("installation-built");
    // An empty folder given as the target makes way; on the platforms we run
    // on a folder cannot be renamed over another one.
    if (QFileInfo(target).isDir() && !QDir().rmdir(target))
        throw StoreError(
            u"フォルダ %1 を置き換えられません。"_s.arg(QDir::toNativeSeparators(target)));
    if (!QDir().rename(building, target))
        throw StoreError(u"作成したフォルダ %1 を %2 に移せません。"_s.arg(
            QDir::toNativeSeparators(building), QDir::toNativeSeparators(target)));
}

} // namespace store
