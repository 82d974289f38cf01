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

bool FolderRoutines::CopyFolder(const QString& source, const QString& destination,
                                Prompter& prompter, const Progress& progress)
{
    QString dest = destination;
    if (dest.isEmpty() || !isSeparator(dest.back()))
        dest += u'/';
    CreateFolderPath(dest);

    const QDir src(source);
    const QString target = dest + src.dirName();
    QStringList files;
    QDirIterator it(source, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();

    QDir().mkpath(target);
    int done = 0;
    for (const QString& file : files) {
        const QString rel = src.relativeFilePath(file);
        const QString to = target + u'/' + rel;
        QDir().mkpath(QFileInfo(to).absolutePath());
        bool copy = true;
        if (QFileInfo::exists(to)) {
            const Answer a =
                prompter.yesNoCancel(u"「%1」は既にあります。置き換えてもよいですか？"_s.arg(
                    QDir::toNativeSeparators(to)));
            if (a == Answer::Cancel)
                break;
            copy = a == Answer::Yes;
            if (copy)
                QFile::remove(to);
        }
        if (copy && !QFile::copy(file, to))
            prompter.warning(
                u"「%1」をコピーできませんでした。"_s.arg(QDir::toNativeSeparators(file)));
        if (progress)
            progress(++done, static_cast<int>(files.size()));
    }
    CreateFolderPath(dest);
    return QFileInfo(dest).isDir();
}

} // namespace store
