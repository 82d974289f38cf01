#include "menu/DataCheck.h"

#include "menu/MenuDishes.h"
#include "store/DatabaseError.h"
#include "store/Prompter.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace menu {

namespace {

// The delete of purchase lines: its failure (an installation that never
// opened the day-cost screen has no kondateQ) does not stop the check.
constexpr int kPurchaseLinesStatement = 2;

// The integrity check's findings for one table; empty when it is sound.
QStringList integrityProblems(const QSqlDatabase& aaa, const QString& table)
{
    QStringList problems;
    QSqlQuery q =
        store::Sql::exec(aaa, u"PRAGMA integrity_check("_s + store::Sql::quoted(table) + u')');
    while (q.next()) {
        const QString line = q.value(0).toString();
        if (line != u"ok"_s)
            problems << line;
    }
    return problems;
}

// A failure that leaves nothing sound to go on with: ignoring it could lose
// the rest of the transaction (the engine rolls back by itself after some).
bool isFatal(store::DatabaseError::Kind kind)
{
    using Kind = store::DatabaseError::Kind;
    return kind != Kind::Other && kind != Kind::Constraint;
}

int runDelete(const QSqlDatabase& aaa, const QString& statement)
{
    return store::Sql::exec(aaa, statement).numRowsAffected();
}

// The purchase-line delete in a savepoint of its own, so that an ignored
// failure leaves no half-done statement behind.
DataCheck::Removal runIgnoringFailure(const QSqlDatabase& aaa, const QString& statement)
{
    DataCheck::Removal removal{statement};
    store::Transaction step(aaa);
    QSqlQuery q(aaa);
    if (q.prepare(statement) && q.exec()) {
        removal.rows = q.numRowsAffected();
        step.commit();
        return removal;
    }
    if (isFatal(store::DatabaseError::classify(q.lastError())))
        throw store::DatabaseError::make(q.lastError(), aaa, statement);
    removal.failed = true;
    return removal;
}

QString stateText(DataCheck::TableState state, const QString& table)
{
    switch (state) {
    case DataCheck::TableState::Sound:
        return u"正常"_s;
    case DataCheck::TableState::Repaired:
        return u"索引を再構築して修復しました"_s;
    case DataCheck::TableState::Missing:
        return DataCheck::createdOnDemand(table) ? u"まだ作成されていません"_s
                                                 : u"見つかりません"_s;
    }
    return {};
}

} // namespace

const QStringList& DataCheck::repairedTables()
{
    static const QStringList tables{
        u"AveM"_s,       u"GyosyaM"_s,     u"kondateD"_s,  u"kondateM2"_s,  u"kondateM3"_s,
        u"kondateM"_s,   u"kondateQ"_s,    u"Kurikoshi"_s, u"RyoriD"_s,     u"RyoriM"_s,
        u"SyokuGunM2"_s, u"SyokuGunM2b"_s, u"SyokuGunM"_s, u"SyokuGunMb"_s, u"SyokuM"_s,
        u"TaisyoM"_s,    u"WG"_s};
    return tables;
}

const QStringList& DataCheck::deleteStatements()
{
    static const QStringList statements{
        u"Delete From kondateM3 where kondate_ID Not In (Select kondate_ID From kondateM)"_s,
        u"Delete From kondateM2 where kondate_ID Not In (Select kondate_ID From kondateM)"_s,
        u"Delete From kondateQ where kondate_ID Not In (Select kondate_ID From kondateM)"_s,
        u"Delete From kondateD where kondate_ID Not In (Select kondate_ID From kondateM)"_s,
        u"Delete From kondateD where Syoku_ID Not In (Select Syoku_ID From SyokuM)"_s,
        u"Delete From RyoriD where Ryori_ID Not In (Select Ryori_ID From RyoriM)"_s,
        u"Delete From RyoriD where Syoku_ID Not In (Select Syoku_ID From SyokuM)"_s};
    return statements;
}

bool DataCheck::createdOnDemand(const QString& table)
{
    return table == u"kondateQ"_s || table == u"Kurikoshi"_s;
}

QStringList DataCheck::Summary::missingTables() const
{
    QStringList missing;
    for (const TableRepair& r : repairs)
        if (r.state == TableState::Missing)
            missing << r.table;
    return missing;
}

QList<DataCheck::TableRepair> DataCheck::repairTables(store::Session& session)
{
    session.checkpoint();
    const QSqlDatabase aaa = session.aaa();
    QList<TableRepair> repairs;
    for (const QString& table : repairedTables()) {
        if (!store::Sql::tableExists(aaa, table)) {
            repairs.append({table, TableState::Missing});
            continue;
        }
        const QStringList found = integrityProblems(aaa, table);
        store::Sql::exec(aaa, u"REINDEX "_s + store::Sql::quoted(table));
        if (found.isEmpty()) {
            repairs.append({table, TableState::Sound});
            continue;
        }
        const QStringList left = integrityProblems(aaa, table);
        if (!left.isEmpty())
            throw store::StoreError(
                u"テーブル %1 が壊れていて、修復できませんでした。"
                u"バックアップコピーから Data フォルダを元に戻してください。"_s.arg(table),
                left.join(u'\n'));
        repairs.append({table, TableState::Repaired});
    }
    return repairs;
}

void DataCheck::restoreConsistency(const QSqlDatabase& aaa, Summary& summary)
{
    QList<Removal> removals;
    store::Transaction tx(aaa);
    const QStringList& statements = deleteStatements();
    for (int i = 0; i < statements.size(); ++i) {
        if (i == kPurchaseLinesStatement)
            removals.append(runIgnoringFailure(aaa, statements.at(i)));
        else
            removals.append({statements.at(i), runDelete(aaa, statements.at(i))});
    }
    const MenuDishes::Rebuilt rebuilt = MenuDishes::rebuildAllMenuNames(aaa);
    tx.commit();
    summary.consistencyRun = true;
    summary.removals = removals;
    summary.mealSlots = rebuilt.mealSlots;
    summary.changedSlots = rebuilt.changed;
}

DataCheck::Summary DataCheck::run(store::Session& session, store::Prompter& prompter)
{
    Summary summary;
    summary.repairs = repairTables(session);
    if (prompter.yesNo(question()))
        restoreConsistency(session.aaa(), summary);
    return summary;
}

DataCheck::Summary DataCheck::runUnattended(store::Session& session)
{
    Summary summary;
    summary.repairs = repairTables(session);
    restoreConsistency(session.aaa(), summary);
    return summary;
}

QString DataCheck::completionText(const Summary& summary)
{
    QStringList expected;
    for (const QString& table : summary.missingTables())
        if (!createdOnDemand(table))
            expected << table;
    if (expected.isEmpty())
        return completedMessage();
    return completedMessage() +
           u"\n\n次のテーブルが見つからなかったので、修復できませんでした：\n"_s +
           expected.join(u"、"_s);
}

QString DataCheck::summaryText(const Summary& summary)
{
    QString text = u"テーブルの修復\n"_s;
    for (const TableRepair& r : summary.repairs)
        text += u"  %1\t%2\n"_s.arg(r.table, stateText(r.state, r.table));
    if (!summary.consistencyRun)
        return text + u"テーブルの再構築は実行しませんでした。\n"_s;
    text += u"連携関係の無いレコードの削除\n"_s;
    for (const Removal& r : summary.removals)
        text += r.failed ? u"  実行できませんでした（無視）\t%1\n"_s.arg(r.statement)
                         : u"  %1 件\t%2\n"_s.arg(r.rows).arg(r.statement);
    text +=
        u"献立名の再構築\t%1 件（変更 %2 件）\n"_s.arg(summary.mealSlots).arg(summary.changedSlots);
    return text + completedMessage() + u'\n';
}

} // namespace menu
