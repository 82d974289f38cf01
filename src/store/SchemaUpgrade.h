#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace store {

class Session;

// Brings an installation folder written by an older version to the current
// layout: the settings table HeadM, the table script (every missing user
// table), and the data upgrade steps. Every step tests first whether its
// change is already there, so running the upgrade again changes nothing,
// and every step runs in one transaction: a process killed midway leaves
// the tables as before or as after that step.
class SchemaUpgrade {
public:
    explicit SchemaUpgrade(Session& session);

    // The HeadM steps; the settings database must be open. Start-up checks
    // that HeadM exists before; the settings script would create it. Ends
    // by rebuilding the settings tables that older versions created without
    // the catalogue's constraints (TableRebuild).
    void upgradeSettings();
    // The table script: creates the user tables that do not exist yet.
    void createTables();
    // The data upgrade steps, in order (fields added or dropped, the food
    // code 1509, the potassium standard row, the potassium refresh and the
    // correction file), then the rebuild of every user table that an older
    // version created without the catalogue's constraints. Throws
    // StoreError on the first step that fails.
    void upgradeData();
    // All of it, in start-up order; opens the Data database when needed.
    void runAll();

    // Local files the upgrade reads in WorkDir.
    static QString potassiumFileName() { return QStringLiteral("syokuM2010.csv"); }
    static QString potassiumServerPath() { return QStringLiteral("/syoku/syokuM2010.csv"); }
    static QString correctionFileName() { return QStringLiteral("食品修正001.CSV"); }
    // Where the values the rebuilds had to convert or empty are written
    // down (UTF-8, appended), so that nothing is changed unseen.
    static QString notesFileName() { return QStringLiteral("upgrade-notes.txt"); }

    // What this upgrade converted, emptied or left as it was, one line each.
    const QStringList& notes() const { return m_notes; }

    // Runs one upgrade statement written in the old engine's dialect
    // ("Alter Table T Add F Type, …, Drop F, …"): adds the fields that are
    // missing and drops those that exist, in one transaction.
    static void alterTable(const QSqlDatabase& db, const QString& statement);

private:
    void refreshPotassium();
    void applyCorrectionFile(const QString& path);
    void renameFood(const QString& from, const QString& to);
    void rebuildTables(const QSqlDatabase& db, const QStringList& tables);
    void writeNotes(const QStringList& notes);

    Session& m_session;
    QStringList m_notes;
};

} // namespace store
