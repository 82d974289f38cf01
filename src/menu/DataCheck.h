#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace store {
class Prompter;
class Session;
} // namespace store

namespace menu {

// The data check "データテーブルの再構成": repairs the user tables of the
// Data folder, then removes the menu and dish rows whose parent row is gone
// and rebuilds the menu name (kondateMei) of every meal slot. The screen
// and `zoravinctl check` both run it; only the screen asks before the
// consistency step.
class DataCheck {
public:
    enum class TableState {
        Sound,    // the integrity check found nothing
        Repaired, // the check found damage that the index rebuild mended
        Missing,  // no such table in the database
    };
    struct TableRepair {
        QString table;
        TableState state;
    };
    struct Removal {
        QString statement;
        int rows = 0;        // rows deleted
        bool failed = false; // the statement failed and was ignored (kondateQ only)
    };
    struct Summary {
        QList<TableRepair> repairs;
        bool consistencyRun = false; // false when the question was answered No
        QList<Removal> removals;
        int mealSlots = 0;    // meal slots whose menu name was rebuilt
        int changedSlots = 0; // of which the stored name changed
        QStringList missingTables() const;
    };

    // The seventeen tables repaired, in the order they are repaired.
    static const QStringList& repairedTables();
    // The seven delete statements, in the order they run.
    static const QStringList& deleteStatements();
    // Tables that the screens using them create when they are first needed,
    // so an installation that never used those screens lacks them.
    static bool createdOnDemand(const QString& table);

    static QString question() { return QStringLiteral("テーブルの再構築を実行しますか。"); }
    static QString completedMessage() { return QStringLiteral("作業は完了しました。"); }

    // Step 1: the integrity check and index rebuild of each table, after
    // a checkpoint so the check sees the table file as a whole. Damage that
    // the rebuild cannot mend ends the run with a StoreError.
    static QList<TableRepair> repairTables(store::Session& session);
    // Steps 3 and 4 in one transaction: every delete and the rebuild of the
    // menu names happen whole or not at all.
    static void restoreConsistency(const QSqlDatabase& aaa, Summary& summary);

    // The whole run of the screen: repair, the question, the consistency
    // steps. The completion message is the caller's.
    static Summary run(store::Session& session, store::Prompter& prompter);
    // The whole run without the question (the command line).
    static Summary runUnattended(store::Session& session);

    // The completion message, naming the tables that should exist and do not.
    static QString completionText(const Summary& summary);
    // What was done, one line per table and statement, for the command line.
    static QString summaryText(const Summary& summary);
};

} // namespace menu
