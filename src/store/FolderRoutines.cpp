#include "store/FolderRoutines.h"

#include "store/Prompter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace store {

namespace {
bool isSeparator(QChar c)
{
#ifdef Q_OS_WIN
    return c == u'/' || c == u'\\';
#else
    return c == u'/';
#endif
}
} // namespace

bool FolderRoutines::CreateFolderPath(const QString& path)
{
    bool created = false;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isSeparator(path.at(i)) || i == 0)
            continue;
        const QString level = path.left(i + 1);
        if (QFileInfo(level).isDir())
            continue;
        if (QDir().mkdir(level))
            created = true;
    }
    return created;
}

bool FolderRoutines::copyFile(const QString& from, const QString& to)
{
    const QFileInfo info(from);
    if (info.isSymLink())
        return QFile::link(info.symLinkTarget(), to);
    return QFile::copy(from, to);
}

QString FolderRoutines::replaceQuestion(const QString& path)
{
    return u"「%1」は既にあります。置き換えてもよいですか？"_s.arg(QDir::toNativeSeparators(path));
}

QString FolderRoutines::copyFailedMessage(const QString& path)
{
    return u"「%1」をコピーできませんでした。"_s.arg(QDir::toNativeSeparators(path));
}

bool FolderRoutines::CopyFolder(const QString& source, const QString& destination,
                                Prompter& prompter, const Progress& progress)
{
    CopyOptions options;
    options.progress = progress;
    return CopyFolder(source, destination, prompter, options);
}

bool FolderRoutines::CopyFolder(const QString& source, const QString& destination,
                                Prompter& prompter, const CopyOptions& options)
{
    CopyReport report;
    QString dest = destination;
    if (dest.isEmpty() || !isSeparator(dest.back()))
        dest += u'/';
    CreateFolderPath(dest);

    const QDir src(source);
    const QString target = dest + src.dirName();
    QStringList files;
    QDirIterator it(source, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!options.skip || !options.skip(file))
            files << file;
    }
    files.sort();

    if (!QDir().mkpath(target)) {
        // Nowhere to copy to: said once, when the destination itself exists
        // (the caller reports a destination that could not be created).
        if (QFileInfo(dest).isDir()) {
            ++report.failed;
            prompter.warning(copyFailedMessage(source));
        }
        files.clear();
    }
    bool replaceAll = false;
    int done = 0;
    for (const QString& file : files) {
        if (options.stopRequested && options.stopRequested()) {
            report.cancelled = true;
            break;
        }
        const QString rel = src.relativeFilePath(file);
        const QString to = target + u'/' + rel;
        QDir().mkpath(QFileInfo(to).absolutePath());
        const bool exists = QFileInfo::exists(to);
        if (exists && !replaceAll) {
            const Answer a = prompter.yesToAllNoCancel(replaceQuestion(to));
            if (a == Answer::Cancel) {
                report.cancelled = true;
                break;
            }
            replaceAll = a == Answer::YesToAll;
            if (a == Answer::No) {
                ++report.kept;
                if (options.progress)
                    options.progress(++done, static_cast<int>(files.size()));
                continue;
            }
        }
        // Written beside the old copy, which is replaced only by a complete one.
        const QString part = to + u".part"_s;
        QFile::remove(part);
        const bool written = options.write ? options.write(file, part) : copyFile(file, part);
        bool placed = written && (!exists || QFile::remove(to));
        if (placed) {
            // Also when there was no old copy: an orphaned journal would be
            // read into the new file.
            for (const QString& suffix : options.replacedSuffixes)
                QFile::remove(to + suffix);
        }
        placed = placed && QFile::rename(part, to);
        if (placed) {
            ++report.copied;
        } else {
            QFile::remove(part);
            ++report.failed;
            prompter.warning(copyFailedMessage(file));
        }
        if (options.progress)
            options.progress(++done, static_cast<int>(files.size()));
    }
    if (options.report)
        *options.report = report;
    CreateFolderPath(dest);
    return QFileInfo(dest).isDir();
}

} // namespace store
