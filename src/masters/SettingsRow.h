#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <array>
#include <optional>

namespace masters {

// What start-up reads from the settings row before asking for the password.
struct StartValues {
    QString institutionName;  // meisyou
    QString expectedPassword; // PM5 padded to four digits, or the default
    int taxEntryMode = 0;     // PM1
    int fiscalYear = 0;       // 年度
};

// The fields of the initial settings screen and the institution-name dialog.
struct InstitutionSettings {
    std::optional<int> fiscalYear; // 年度
    QString meisyou;
    QString name;
    QString jyuusyo;
    QString denwa;
    std::array<QString, 5> seals; // 職印１ … 職印５
    std::optional<int> password;  // PM5
};

// The one row of the settings table HeadM (database AHM). The table has no
// key: its first row in storage order is the settings row, and opening it
// for editing appends it when the table is empty. Empty fields read as ""
// and 0; texts are cut to the field's size when they are written.
class SettingsRow {
public:
    explicit SettingsRow(const QSqlDatabase& ahm);

    static QString table() { return QStringLiteral("HeadM"); }

    bool exists() const;
    // Appends the row when the table is empty.
    void ensure();

    StartValues readStart() const;
    QString institutionName() const;
    int fiscalYear() const;
    // Any field of the row (an invalid QVariant when there is no row).
    QVariant value(const QString& field) const;

    // Stores the institution name, creating the row when needed.
    void setInstitutionName(const QString& name);
    // The values of a first start: 年度 := year, PM2 5, PM3 5, PM4 25, PM7 85, PM8 1.
    void writeFirstRunDefaults(int year);

    // Where backups go (PathName2): the text of the backup screen's
    // destination edit, stored whenever that screen closes.
    QString backupFolder() const;
    void setBackupFolder(const QString& folder);

    // Opens the row for the settings screen (appending it when missing).
    InstitutionSettings open();
    // Stores every field of the settings screen except meisyou, which only
    // the institution-name dialog writes.
    void post(const InstitutionSettings& s);

private:
    qint64 rowId() const;
    void write(const QStringList& fields, const QVariantList& values);

    QSqlDatabase m_db;
};

} // namespace masters
