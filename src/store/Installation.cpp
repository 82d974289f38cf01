#include "store/Installation.h"

#include "store/SchemaUpgrade.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    session.openData();
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

} // namespace store
