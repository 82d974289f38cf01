#include "store/FolderRoutines.h"
#include "store/Prompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::FolderRoutines;

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
} // namespace

TEST(CreateFolderPath, CreatesEveryMissingLevelAndReportsWhetherItDid)
{
    QTemporaryDir tmp;
    const QString path = tmp.path() + u"/$$/velk/"_s;
    EXPECT_TRUE(FolderRoutines::CreateFolderPath(path));
    EXPECT_TRUE(QFileInfo(tmp.path() + u"/$$/velk"_s).isDir());
    EXPECT_FALSE(FolderRoutines::CreateFolderPath(path));
    // Without a final separator the last level is not created.
    EXPECT_TRUE(FolderRoutines::CreateFolderPath(tmp.path() + u"/栄養/計算"_s));
    EXPECT_TRUE(QFileInfo(tmp.path() + u"/栄養"_s).isDir());
    EXPECT_FALSE(QFileInfo(tmp.path() + u"/栄養/計算"_s).exists());
}

TEST(CopyFolder, CopiesTheFolderAsASubfolderAndAsksBeforeReplacing)
{
    QTemporaryDir tmp;
    const QString src = tmp.path() + u"/栄養計算"_s;
    writeFile(src + u"/AHM.sqlite"_s, "settings");
    writeFile(src + u"/Data/AAA.sqlite"_s, "data");
    const QString dest = tmp.path() + u"/backup/2026"_s;

    store::ScriptedPrompter first;
    QList<int> progress;
    EXPECT_TRUE(FolderRoutines::CopyFolder(
        src, dest, first, [&](int done, int total) { progress << done * 10 + total; }));
    EXPECT_TRUE(first.shown().isEmpty());
    EXPECT_EQ(readFile(dest + u"/栄養計算/Data/AAA.sqlite"_s), QByteArray("data"));
    EXPECT_EQ(progress, (QList<int>{12, 22}));

    // Copying again: keep the first file, replace the second.
    writeFile(src + u"/AHM.sqlite"_s, "settings2");
    writeFile(src + u"/Data/AAA.sqlite"_s, "data2");
    store::ScriptedPrompter second({store::Answer::No, store::Answer::Yes});
    EXPECT_TRUE(FolderRoutines::CopyFolder(src, dest, second));
    EXPECT_EQ(second.shown().size(), 2);
    EXPECT_EQ(readFile(dest + u"/栄養計算/AHM.sqlite"_s), QByteArray("settings"));
    EXPECT_EQ(readFile(dest + u"/栄養計算/Data/AAA.sqlite"_s), QByteArray("data2"));

    store::ScriptedPrompter cancel({store::Answer::Cancel});
    writeFile(src + u"/Data/AAA.sqlite"_s, "data3");
    EXPECT_TRUE(FolderRoutines::CopyFolder(src, dest, cancel));
    EXPECT_EQ(cancel.shown().size(), 1);
    EXPECT_EQ(readFile(dest + u"/栄養計算/Data/AAA.sqlite"_s), QByteArray("data2"));
}

TEST(CopyFolder, YesToAllIsAskedOnceAndAFailedCopyKeepsTheOldFile)
{
    QTemporaryDir tmp;
    const QString src = tmp.path() + u"/栄養計算"_s;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        writeFile(src + u'/' + QString::fromLatin1(name), "new");
    const QString copy = tmp.path() + u"/bk/栄養計算"_s;
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        writeFile(copy + u'/' + QString::fromLatin1(name), "old");

    store::ScriptedPrompter prompter({store::Answer::YesToAll});
    FolderRoutines::CopyReport report;
    FolderRoutines::CopyOptions options;
    // The second file cannot be written (a full disk, say).
    options.write = [](const QString& from, const QString& to) {
        return !from.endsWith(u"b.txt"_s) && QFile::copy(from, to);
    };
    options.report = &report;
    EXPECT_TRUE(FolderRoutines::CopyFolder(src, tmp.path() + u"/bk"_s, prompter, options));
    EXPECT_EQ(prompter.shown(),
              (QStringList{FolderRoutines::replaceQuestion(copy + u"/a.txt"_s),
                           FolderRoutines::copyFailedMessage(src + u"/b.txt"_s)}));
    EXPECT_EQ(readFile(copy + u"/a.txt"_s), QByteArray("new"));
    EXPECT_EQ(readFile(copy + u"/b.txt"_s), QByteArray("old"));
    EXPECT_EQ(readFile(copy + u"/c.txt"_s), QByteArray("new"));
    EXPECT_FALSE(QFileInfo::exists(copy + u"/b.txt.part"_s));
    EXPECT_EQ(report.copied, 2);
    EXPECT_EQ(report.failed, 1);
    EXPECT_FALSE(report.cancelled);
}
