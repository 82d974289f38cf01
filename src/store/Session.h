#pragma once

#include <QSqlDatabase>
#include <QString>

namespace store {

// The database session of one installation folder: database AHM (the
// settings table and the report work tables, WorkDir/AHM.sqlite) and
// database AAA (every user table, WorkDir/Data/AAA.sqlite). Owns both
// connections; they close when the session is destroyed.
class Session {
public:
    explicit Session(const QString& workDir);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    static QString ahmFileName() { return QStringLiteral("AHM.sqlite"); }
    static QString aaaFileName() { return QStringLiteral("AAA.sqlite"); }
    static QString dataFolderName() { return QStringLiteral("Data"); }
    // The engine's private folder: the platform's temporary folder + "$$/velk/".
    static QString privateFolder();

    QString workDir() const { return m_workDir; }
    // WorkDir + "/Data/".
    QString dataDir() const;
    QString ahmPath() const;
    QString aaaPath() const;

    // Opens AHM; creates the file only when create is true. Throws
    // StoreError when the file is missing (and not created) or unreadable.
    void openSettings(bool create = false);
    // Opens AAA in the Data folder. Only a new installation creates the file
    // (create true): in an existing one a missing or empty AAA.sqlite means
    // the user's data is gone, which must be said rather than covered with
    // new empty tables. Throws StoreError when the Data folder does not
    // exist, the file is missing or empty (and not created), or the engine
    // cannot open it.
    void openData(bool create = false);
    bool settingsOpen() const;
    bool dataOpen() const;

    // The message for a missing or empty Data/AAA.sqlite.
    static QString missingDataMessage(const QString& aaaPath);

    QSqlDatabase ahm() const;
    QSqlDatabase aaa() const;

    // Checkpoints the write-ahead logs, so that the database files alone
    // hold every committed change (before a backup or a copy).
    void checkpoint();

private:
    QSqlDatabase open(const QString& connection, const QString& path);

    QString m_workDir;
    QString m_ahmName;
    QString m_aaaName;
};

} // namespace store
