#include "cli/Commands.h"

#include "store/Installation.h"
#include "store/SchemaUpgrade.h"
#include "store/Session.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <functional>
#include <map>

using namespace Qt::StringLiterals;

namespace cli {

namespace {

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

const char* kUsage = "使い方:\n"
                     "  zoravinctl init DIR        新しいインストールフォルダを作成します\n"
                     "  zoravinctl upgrade DIR     起動時と同じ更新（設定表・表の作成・データ更新）を行います\n";

// The program that the installation's program-file link points at: the
// desktop program beside this tool when it was built, else this tool.
QString programPath()
{
    const QString gui = QCoreApplication::applicationDirPath() + u"/zoravin"_s;
    return QFileInfo::exists(gui) ? gui : QCoreApplication::applicationFilePath();
}

int init(const QStringList& args)
{
    if (args.size() != 1)
        throw store::StoreError(QString::fromUtf8(kUsage));
    const QString dir = QDir(args.at(0)).absolutePath();
    store::Installation::create(dir, programPath());
    store::Session session(dir);
    session.openSettings();
    store::SchemaUpgrade(session).runAll();
    out() << u"インストールフォルダを作成しました: "_s << dir << Qt::endl;
    return 0;
}

int upgrade(const QStringList& args)
{
    if (args.size() != 1)
        throw store::StoreError(QString::fromUtf8(kUsage));
    const QString dir = QDir(args.at(0)).absolutePath();
    if (!store::Installation::hasSettingsTable(dir))
        throw store::StoreError(u"実行できる環境ではありませんので、終了します。"_s);
    store::Session session(dir);
    session.openSettings();
    if (!QFileInfo(session.dataDir()).isDir())
        throw store::StoreError(
            u"「栄養計算」フォルダの中に「Data」フォルダがありませんので、終了します。"_s);
    store::SchemaUpgrade(session).runAll();
    return 0;
}

} // namespace

int run(const QStringList& args)
{
    const std::map<QString, std::function<int(const QStringList&)>> verbs = {
        {u"init"_s, init},
        {u"upgrade"_s, upgrade},
    };
    if (args.isEmpty() || !verbs.contains(args.first())) {
        err() << QString::fromUtf8(kUsage);
        return 2;
    }
    try {
        return verbs.at(args.first())(args.mid(1));
    } catch (const store::StoreError& e) {
        err() << e.message() << Qt::endl;
        return 1;
    }
}

} // namespace cli
