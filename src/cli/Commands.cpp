#include "cli/Commands.h"

#include "data/DataFiles.h"

#include "masters/InitialData.h"
#include "menu/DemoData.h"
#include "store/Installation.h"
#include "store/SchemaUpgrade.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

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

const char* kUsage =
    "使い方:\n"
    "  zoravinctl init DIR        新しいインストールフォルダを作成し、初期データを入れます\n"
    "  zoravinctl init DIR --demo さらにデモの業者・献立・購入金額と設定を入れます\n"
    "  zoravinctl upgrade DIR     起動時と同じ更新（設定表・表の作成・データ更新）を行います\n";

// The program that the installation's program-file link points at: the
// desktop program beside this tool when it was built, else this tool.
QString programPath()
{
    const QString gui = QCoreApplication::applicationDirPath() + u"/zoravin"_s;
    return QFileInfo::exists(gui) ? gui : QCoreApplication::applicationFilePath();
}

// One line when a step of a long task starts and one when it ends.
void printProgress(const QString& step, int done, int total)
{
    if (done == 0)
        out() << step << u" …"_s << Qt::endl;
    else if (done == total)
        out() << step << u" … "_s << total << u" 件"_s << Qt::endl;
}

int count(const QSqlDatabase& db, const QString& table)
{
    return store::Sql::scalar(db, u"SELECT COUNT(*) FROM "_s + store::Sql::quoted(table)).toInt();
}

int init(const QStringList& args)
{
    QStringList rest = args;
    const bool demo = rest.removeAll(u"--demo"_s) > 0;
    if (rest.size() != 1 || rest.at(0).startsWith(u"--"_s))
        throw store::StoreError(QString::fromUtf8(kUsage));
    const QString dir = QDir(rest.at(0)).absolutePath();
    store::Installation::create(dir, programPath());
    store::Session session(dir);
    session.openSettings();
    store::SchemaUpgrade(session).runAll();

    // The initial data and the demo menus go in together or not at all.
    const QSqlDatabase aaa = session.aaa();
    {
        store::Transaction tx(aaa);
        masters::InitialData::load(session, printProgress);
        if (demo)
            menu::DemoData::loadMenus(aaa, printProgress);
        tx.commit();
    }
    if (demo)
        menu::DemoData::writeSettings(session.ahm());

    out() << u"インストールフォルダを作成しました: "_s << dir << Qt::endl;
    out() << u"食品 %1 件、料理 %2 件"_s.arg(count(aaa, u"SyokuM"_s)).arg(count(aaa, u"RyoriM"_s));
    if (demo)
        out() << u"、献立 %1 日（%2）"_s.arg(count(aaa, u"kondateM"_s))
                     .arg(menu::DemoData::institutionName());
    out() << Qt::endl << data::DataFiles::attribution() << Qt::endl;
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
