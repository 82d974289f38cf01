#pragma once

#include "store/Installation.h"
#include "store/Session.h"
#include "store/Sql.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QVariantList>

// An installation folder in a temporary directory, as the program finds it
// at start: the program file, AHM.sqlite with an empty HeadM, and
// Data/AAA.sqlite. Parts can be taken away to make a broken folder; values
// can be put into the settings row as an earlier run would have left them.
class StartFolder {
public:
    StartFolder() { store::Installation::create(path(), QCoreApplication::applicationFilePath()); }

    QString path() const { return m_dir.path(); }
    QString programFile() const { return path() + u'/' + store::Installation::programFileName(); }

    void removeProgramFile() { QFile::remove(programFile()); }
    void removeSettings() { QFile::remove(path() + QStringLiteral("/AHM.sqlite")); }
    void removeDataFolder() { QDir(path() + QStringLiteral("/Data")).removeRecursively(); }

    // One statement against AHM (settings) or AAA (data), through a session
    // of its own that is closed again at once.
    void settingsSql(const QString& sql, const QVariantList& args = {}) const
    {
        store::Session s(path());
        s.openSettings();
        store::Sql::exec(s.ahm(), sql, args);
    }
    void dataSql(const QString& sql, const QVariantList& args = {}) const
    {
        store::Session s(path());
        s.openData();
        store::Sql::exec(s.aaa(), sql, args);
    }
    QVariant settingsValue(const QString& sql) const
    {
        store::Session s(path());
        s.openSettings();
        return store::Sql::scalar(s.ahm(), sql);
    }
    QVariant dataValue(const QString& sql) const
    {
        store::Session s(path());
        s.openData();
        return store::Sql::scalar(s.aaa(), sql);
    }

    // A settings row that has been through a first start: name and year set.
    void setUpRow(const QVariant& pm5 = QVariant()) const
    {
        settingsSql(QStringLiteral("INSERT INTO HeadM (meisyou, \"年度\", PM5) VALUES (?, ?, ?)"),
                    {QStringLiteral("すみれ保育園"), 2024, pm5});
    }
    void setMealTypes(const QStringList& names) const
    {
        dataSql(QStringLiteral("DELETE FROM SyokujiM"));
        for (int i = 0; i < names.size(); ++i)
            dataSql(QStringLiteral("INSERT INTO SyokujiM VALUES (?, ?)"), {i + 1, names[i]});
    }
    void setTargetGroups(const QStringList& names) const
    {
        dataSql(QStringLiteral("DELETE FROM TaisyoM"));
        for (int i = 0; i < names.size(); ++i)
            dataSql(QStringLiteral("INSERT INTO TaisyoM VALUES (?, ?)"), {i, names[i]});
    }

private:
    QTemporaryDir m_dir;
};
