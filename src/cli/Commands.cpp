#include "cli/Commands.h"

#include "data/DataFiles.h"

#include "masters/InitialData.h"
#include "menu/DataCheck.h"
#include "menu/DemoData.h"
#include "store/BackupCopy.h"
#include "store/FaultInjection.h"
#include "store/Installation.h"
#include "store/Prompter.h"
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
#include <memory>

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
    "  zoravinctl upgrade DIR     起動時と同じ更新（設定表・表の作成・データ更新）を行います\n"
    "  zoravinctl backup DIR DEST [--dated] [--replace|--keep]\n"
    "                             DIR を DEST の中にバックアップコピーします\n"
    "                             --dated   DEST の中に日時のフォルダを作ります（時系列保存）\n"
    "                             --replace 既にあるファイルを置き換えます\n"
    "                             --keep    既にあるファイルは残します\n"
    "                             （どちらもなければ、既にあるファイルがあると中止します）\n"
    "  zoravinctl check DIR       "
    "テーブルを修復し、連携関係の無いレコードを削除して献立名を作り直します\n";

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

// The folder named on the command line; an empty argument is refused
// rather than taken as the current folder.
QString folderArgument(const QString& arg)
{
    if (arg.trimmed().isEmpty())
        throw store::StoreError(
            u"フォルダが空の文字列で指定されています。フォルダ名を指定してください。"_s);
    return QDir::cleanPath(QDir(arg).absolutePath());
}

bool hasRows(const QSqlDatabase& db, const QString& table)
{
    return store::Sql::scalar(db, u"SELECT 1 FROM "_s + store::Sql::quoted(table) + u" LIMIT 1"_s)
        .isValid();
}

// Fills an installation folder: the upgrade, the initial data and, with the
// demo, the menus and the settings row. A folder that holds the demo menus
// but no settings row yet (an older version was stopped between the two
// databases) only gets its settings row.
void fill(const QString& folder, bool demo)
{
    store::Session session(folder);
    session.openSettings();
    store::SchemaUpgrade(session).runAll();
    const QSqlDatabase aaa = session.aaa();
    const bool demoMenusOnly = demo && hasRows(aaa, u"kondateM"_s) &&
                               !hasRows(session.ahm(), u"HeadM"_s) &&
                               !masters::InitialData::tablesInUse(aaa).isEmpty();
    if (!demoMenusOnly) {
        // The initial data and the demo menus go in together or not at all.
        store::Transaction tx(aaa);
        masters::InitialData::load(session, printProgress);
        if (demo)
            menu::DemoData::loadMenus(aaa, printProgress);
        tx.commit();
    }
    store::FaultInjection::reach("init-data-committed");
    if (demo)
        menu::DemoData::writeSettings(session.ahm());
}

int init(const QStringList& args)
{
    QStringList rest = args;
    const bool demo = rest.removeAll(u"--demo"_s) > 0;
    if (rest.size() != 1 || rest.at(0).startsWith(u"--"_s))
        throw store::StoreError(QString::fromUtf8(kUsage));
    const QString dir = folderArgument(rest.at(0));
    if (store::Installation::isNewFolder(dir)) {
        store::Installation::build(dir, programPath(),
                                   [demo](const QString& folder) { fill(folder, demo); });
    } else if (store::Installation::holdsOnlyInstallationFiles(dir)) {
        // An installation made in place, perhaps left unfinished: what is
        // missing is added, and data already there is never replaced. One
        // that has been started (its settings row is written) has lost its
        // data when AAA.sqlite is gone, which is said rather than covered.
        if (store::Installation::hasSettingsTable(dir)) {
            store::Session used(dir);
            used.openSettings();
            if (hasRows(used.ahm(), u"HeadM"_s))
                used.openData();
        }
        store::Installation::create(dir, programPath());
        fill(dir, demo);
    } else {
        throw store::StoreError(
            u"フォルダ %1 にはインストールフォルダ以外のファイルがあるので、使えません。"
            u"まだないフォルダか、空のフォルダを指定してください。"_s.arg(
                QDir::toNativeSeparators(dir)));
    }

    store::Session session(dir);
    session.openSettings();
    session.openData();
    const QSqlDatabase aaa = session.aaa();
    out() << u"インストールフォルダを作成しました: "_s << QDir::toNativeSeparators(dir) << Qt::endl;
    out() << u"食品 %1 件、料理 %2 件"_s.arg(count(aaa, u"SyokuM"_s)).arg(count(aaa, u"RyoriM"_s));
    if (demo)
        out() << u"、献立 %1 日（%2）"_s.arg(count(aaa, u"kondateM"_s))
                     .arg(menu::DemoData::institutionName());
    out() << Qt::endl << data::DataFiles::attribution() << Qt::endl;
    return 0;
}

// An installation that start-up would accept: the settings table, the
// Data folder and a data file that is there and not empty.
std::unique_ptr<store::Session> openInstallation(const QString& dir)
{
    if (!store::Installation::hasSettingsTable(dir))
        throw store::StoreError(u"実行できる環境ではありませんので、終了します。"_s);
    auto session = std::make_unique<store::Session>(dir);
    session->openSettings();
    if (!QFileInfo(session->dataDir()).isDir())
        throw store::StoreError(
            u"「栄養計算」フォルダの中に「Data」フォルダがありませんので、終了します。"_s);
    // A missing or emptied AAA.sqlite is refused before anything changes.
    session->openData();
    return session;
}

int upgrade(const QStringList& args)
{
    if (args.size() != 1)
        throw store::StoreError(QString::fromUtf8(kUsage));
    const std::unique_ptr<store::Session> session = openInstallation(folderArgument(args.at(0)));
    store::SchemaUpgrade(*session).runAll();
    return 0;
}

// The data check of the support menu, without its question.
int check(const QStringList& args)
{
    if (args.size() != 1)
        throw store::StoreError(QString::fromUtf8(kUsage));
    const std::unique_ptr<store::Session> session = openInstallation(folderArgument(args.at(0)));
    out() << menu::DataCheck::summaryText(menu::DataCheck::runUnattended(*session)) << Qt::flush;
    return 0;
}

// Answers from the command line's flags: the question before replacing a
// file gets the flag's answer, and without one the copy is stopped, since
// nobody is there to ask. Messages go to stdout, warnings to stderr.
class FlagPrompter : public store::Prompter {
public:
    explicit FlagPrompter(store::Answer replace) : m_replace(replace) {}

    void information(const QString& text) override { out() << text << Qt::endl; }
    void warning(const QString& text) override { err() << text << Qt::endl; }
    bool yesNo(const QString& text) override { return refuse(text); }
    bool confirm(const QString& text) override { return refuse(text); }
    store::Answer yesNoCancel(const QString& text) override { return yesToAllNoCancel(text); }
    store::Answer yesToAllNoCancel(const QString& text) override
    {
        if (m_replace == store::Answer::Cancel)
            err() << text << Qt::endl
                  << u"--replace か --keep の指定がないので、中止します。"_s << Qt::endl;
        return m_replace;
    }
    bool okCancel(const QString& text) override { return refuse(text); }

private:
    bool refuse(const QString& text)
    {
        err() << text << Qt::endl;
        return false;
    }

    store::Answer m_replace;
};

int backup(const QStringList& args)
{
    QStringList rest = args;
    const bool dated = rest.removeAll(u"--dated"_s) > 0;
    const bool replace = rest.removeAll(u"--replace"_s) > 0;
    const bool keep = rest.removeAll(u"--keep"_s) > 0;
    if (rest.size() != 2 || (replace && keep) || rest.at(0).startsWith(u"--"_s) ||
        rest.at(1).startsWith(u"--"_s))
        throw store::StoreError(QString::fromUtf8(kUsage));
    const QString dir = folderArgument(rest.at(0));
    if (!store::Installation::hasSettingsTable(dir))
        throw store::StoreError(u"実行できる環境ではありませんので、終了します。"_s);
    const QString base = QDir::toNativeSeparators(folderArgument(rest.at(1)));
    const store::BackupMode mode = dated ? store::BackupMode::Dated : store::BackupMode::Overwrite;
    const store::BackupCopy::Request request{
        dir, base,
        store::BackupCopy::destination(base, mode, QDateTime::currentDateTime(),
                                       store::BackupCopy::hostStyle())};
    FlagPrompter prompter(replace ? store::Answer::YesToAll
                          : keep  ? store::Answer::No
                                  : store::Answer::Cancel);
    return store::BackupCopy::run(request, prompter) ? 0 : 1;
}

} // namespace

int run(const QStringList& args)
{
    const std::map<QString, std::function<int(const QStringList&)>> verbs = {
        {u"init"_s, init},
        {u"upgrade"_s, upgrade},
        {u"backup"_s, backup},
        {u"check"_s, check},
    };
    if (args.isEmpty() || !verbs.contains(args.first())) {
        err() << QString::fromUtf8(kUsage);
        return 2;
    }
    try {
        return verbs.at(args.first())(args.mid(1));
    } catch (const store::StoreError& e) {
        err() << e.message() << Qt::endl;
        if (!e.detail().isEmpty())
            err() << u"（詳細）"_s << e.detail() << Qt::endl;
        return 1;
    }
}

} // namespace cli
