#include "store/BackupCopy.h"

#include "store/Prompter.h"
#include "store/Sql.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <atomic>

using namespace Qt::StringLiterals;

namespace store {

namespace {

QChar separator(PathStyle style)
{
    return style == PathStyle::Windows ? u'\\' : u'/';
}

Qt::CaseSensitivity pathCase()
{
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

// The absolute, clean form of a path that may be relative to folder.
QString resolved(const QString& folder, const QString& path)
{
    return QDir::cleanPath(QDir(folder).absoluteFilePath(QDir::fromNativeSeparators(path)));
}

bool isInside(const QString& path, const QString& folder)
{
    return path.startsWith(folder + u'/', pathCase());
}

// A database's write-ahead log, shared-memory index or rollback journal:
// they belong to the live file, and the snapshot already holds their rows.
bool isLiveJournal(const QString& file)
{
    for (const QString& suffix : {u"-wal"_s, u"-shm"_s, u"-journal"_s}) {
        if (!file.endsWith(suffix))
            continue;
        const QString database = file.chopped(suffix.size());
        if (database.endsWith(u".sqlite"_s, pathCase()) && QFileInfo::exists(database))
            return true;
    }
    return false;
}

} // namespace

PathStyle BackupCopy::hostStyle()
{
#ifdef Q_OS_WIN
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

QString BackupCopy::defaultBase(PathStyle style, const QString& homeFolder)
{
    if (style == PathStyle::Windows)
        return u"C:\\栄養計算保存"_s;
    QString home = homeFolder;
    if (!home.endsWith(u'/'))
        home += u'/';
    return home + u"栄養計算保存"_s;
}

QString BackupCopy::dateTimeFolder(const QDateTime& at)
{
    const QDate d = at.date();
    const QTime t = at.time();
    return u"%1年%2月%3日%4時%5分"_s.arg(d.year(), 4, 10, QChar(u'0'))
        .arg(d.month(), 2, 10, QChar(u'0'))
        .arg(d.day(), 2, 10, QChar(u'0'))
        .arg(t.hour(), 2, 10, QChar(u'0'))
        .arg(t.minute(), 2, 10, QChar(u'0'));
}

QString BackupCopy::destination(const QString& base, BackupMode mode, const QDateTime& at,
                                PathStyle style)
{
    const QChar sep = separator(style);
    // An empty base stands for the root of the system drive.
    QString path = base.isEmpty() && style == PathStyle::Windows ? u"C:"_s : base;
    if (path.endsWith(sep))
        path.chop(1);
    if (mode == BackupMode::Dated)
        path += sep + dateTimeFolder(at);
    return path;
}

bool BackupCopy::isAcceptable(const QString& base, const QString& destination, PathStyle style)
{
    // A drive letter without its root means "the drive's current folder",
    // which nobody can see from here.
    if (style == PathStyle::Windows && destination.size() >= 2 && destination.at(1) == u':' &&
        !destination.contains(u":\\"_s))
        return false;
    return destination.size() > 1 && base.size() > 1;
}

QString BackupCopy::relativeToProgramFolder(const QString& chosen, const QString& workDir,
                                            PathStyle style)
{
    // Only the program folder itself and folders inside it: a sibling whose
    // name merely begins with the program folder's name stays as chosen.
    if (chosen == workDir || chosen.startsWith(workDir + separator(style)))
        return chosen.mid(workDir.size() + 1);
    return chosen;
}

QString BackupCopy::refusedMessage()
{
    return u"保存先のデータパス名が正しくないので、確かめてください。"_s;
}

QString BackupCopy::sameFolderMessage()
{
    return u"保存先が保存元と同じフォルダになるので、バックアップコピーが出来ません。"_s;
}

QString BackupCopy::notCreatedMessage()
{
    return u"データパス名が間違っていますので、バックアップコピーが出来ませんでした。"_s;
}

QString BackupCopy::cancelledMessage()
{
    return u"バックアップコピーを途中で取り消しましたので、保存先のデータは完全ではありません。"_s;
}

QString BackupCopy::incompleteMessage()
{
    return u"コピーできなかったファイルがありますので、バックアップは完全ではありません。"_s;
}

QString BackupCopy::doneMessage(const QString& destination)
{
    return u"データのバックアップは終わりました。\n保存先は　%1　のフォルダの中です。"_s.arg(
        destination);
}

bool BackupCopy::snapshotDatabase(const QString& from, const QString& to)
{
    static std::atomic<int> counter{0};
    const QString name = u"BackupSnapshot#%1"_s.arg(++counter);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, name);
        db.setDatabaseName(from);
        db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=1500"_s);
        if (db.open()) {
            try {
                // A read transaction of its own: every committed row, the
                // write-ahead log included, and nothing half written.
                Sql::exec(db, u"VACUUM INTO ?"_s, {to});
                ok = true;
            } catch (const StoreError&) {
                ok = false;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool BackupCopy::run(const Request& request, Prompter& prompter, const Control& control)
{
    if (!isAcceptable(request.base, request.destination, hostStyle())) {
        prompter.warning(refusedMessage());
        return false;
    }
    const QString source = QDir::cleanPath(QDir(request.workDir).absolutePath());
    const QString destination = resolved(source, request.destination);
    const QString target = destination + u'/' + QDir(source).dirName();
    // Copying the folder onto itself would replace each file by itself.
    if (QString::compare(target, source, pathCase()) == 0) {
        prompter.warning(sameFolderMessage());
        return false;
    }
    // Backups kept inside the program folder are not backed up again.
    QStringList excluded;
    const QString base = resolved(source, request.base);
    if (isInside(base, source))
        excluded << base;
    if (isInside(destination, source))
        excluded << destination;

    FolderRoutines::CopyReport report;
    FolderRoutines::CopyOptions options;
    options.progress = control.progress;
    options.stopRequested = control.stopRequested;
    options.skip = [&excluded](const QString& file) {
        for (const QString& folder : excluded)
            if (isInside(QDir::cleanPath(file), folder))
                return true;
        return isLiveJournal(file);
    };
    options.write = [](const QString& from, const QString& to) {
        if (from.endsWith(u".sqlite"_s, pathCase()))
            return snapshotDatabase(from, to);
        return FolderRoutines::copyFile(from, to);
    };
    options.replacedSuffixes = {u"-wal"_s, u"-shm"_s, u"-journal"_s};
    options.report = &report;

    if (!FolderRoutines::CopyFolder(source, destination, prompter, options)) {
        prompter.warning(notCreatedMessage());
        return false;
    }
    if (report.cancelled) {
        prompter.warning(cancelledMessage());
        return false;
    }
    if (report.failed > 0) {
        prompter.warning(incompleteMessage());
        return false;
    }
    prompter.information(doneMessage(request.destination));
    return true;
}

} // namespace store
