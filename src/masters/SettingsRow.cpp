#include "masters/SettingsRow.h"

#include "masters/UserPassword.h"
#include "store/Cp932.h"
#include "store/Sql.h"
#include "store/TableCatalogue.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;
using store::Sql::quoted;

namespace masters {

namespace {

const QString kYear = u"年度"_s;

QString sealField(int i)
{
    static const QString digits = u"１２３４５"_s;
    return u"職印"_s + digits.at(i);
}

QVariant numberOrNull(const std::optional<int>& n)
{
    return n ? QVariant(*n) : QVariant(QMetaType::fromType<int>());
}

std::optional<int> optionalNumber(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    return v.toInt();
}

} // namespace

SettingsRow::SettingsRow(const QSqlDatabase& ahm) : m_db(ahm) {}

qint64 SettingsRow::rowId() const
{
    const QVariant id = store::Sql::scalar(
        m_db, u"SELECT rowid FROM %1 ORDER BY rowid LIMIT 1"_s.arg(quoted(table())));
    return id.isValid() ? id.toLongLong() : -1;
}

bool SettingsRow::exists() const
{
    return rowId() >= 0;
}

void SettingsRow::ensure()
{
    if (!exists())
        store::Sql::exec(m_db, u"INSERT INTO %1 DEFAULT VALUES"_s.arg(quoted(table())));
}

QVariant SettingsRow::value(const QString& field) const
{
    return store::Sql::scalar(
        m_db, u"SELECT %1 FROM %2 ORDER BY rowid LIMIT 1"_s.arg(quoted(field), quoted(table())));
}

StartValues SettingsRow::readStart() const
{
    StartValues v;
    QSqlQuery q =
        store::Sql::exec(m_db, u"SELECT meisyou, PM5, PM1, %1 FROM %2 ORDER BY rowid LIMIT 1"_s.arg(
                                   quoted(kYear), quoted(table())));
    const bool row = q.next();
    v.institutionName = row ? q.value(0).toString() : QString();
    v.expectedPassword = UserPassword::expected(row ? q.value(1) : QVariant());
    v.taxEntryMode = row ? q.value(2).toInt() : 0;
    v.fiscalYear = row ? q.value(3).toInt() : 0;
    return v;
}

QString SettingsRow::institutionName() const
{
    return value(u"meisyou"_s).toString();
}

int SettingsRow::fiscalYear() const
{
    return value(kYear).toInt();
}

void SettingsRow::write(const QStringList& fields, const QVariantList& values)
{
    store::Transaction tx(m_db);
    ensure();
    QStringList sets;
    QVariantList args;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        sets << quoted(fields[i]) + u"=?"_s;
        QVariant v = values[i];
        if (v.typeId() == QMetaType::QString) {
            const int size = store::TableCatalogue::textSize(m_db, table(), fields[i]);
            const QString text = v.toString();
            v = text.isEmpty() ? QVariant(QMetaType::fromType<QString>())
                : size > 0     ? QVariant(store::Cp932::fitBytes(text, size))
                               : QVariant(text);
        }
        args << v;
    }
    args << rowId();
    store::Sql::exec(
        m_db, u"UPDATE %1 SET %2 WHERE rowid=?"_s.arg(quoted(table()), sets.join(u", "_s)), args);
    tx.commit();
}

void SettingsRow::setInstitutionName(const QString& name)
{
    write({u"meisyou"_s}, {name});
}

void SettingsRow::writeFirstRunDefaults(int year)
{
    write({kYear, u"PM2"_s, u"PM3"_s, u"PM4"_s, u"PM7"_s, u"PM8"_s}, {year, 5, 5, 25, 85, 1});
}

QString SettingsRow::backupFolder() const
{
    return value(u"PathName2"_s).toString();
}

void SettingsRow::setBackupFolder(const QString& folder)
{
    write({u"PathName2"_s}, {folder});
}

InstitutionSettings SettingsRow::open()
{
    ensure();
    QStringList fields{kYear, u"meisyou"_s, u"name"_s, u"jyuusyo"_s, u"denwa"_s};
    for (int i = 0; i < 5; ++i)
        fields << sealField(i);
    fields << u"PM5"_s;
    QStringList cols;
    for (const QString& f : fields)
        cols << quoted(f);
    QSqlQuery q = store::Sql::exec(m_db, u"SELECT %1 FROM %2 ORDER BY rowid LIMIT 1"_s.arg(
                                             cols.join(u", "_s), quoted(table())));
    q.next();
    InstitutionSettings s;
    s.fiscalYear = optionalNumber(q.value(0));
    s.meisyou = q.value(1).toString();
    s.name = q.value(2).toString();
    s.jyuusyo = q.value(3).toString();
    s.denwa = q.value(4).toString();
    for (int i = 0; i < 5; ++i)
        s.seals[i] = q.value(5 + i).toString();
    s.password = optionalNumber(q.value(10));
    return s;
}

void SettingsRow::post(const InstitutionSettings& s)
{
    QStringList fields{kYear, u"name"_s, u"jyuusyo"_s, u"denwa"_s};
    QVariantList values{numberOrNull(s.fiscalYear), s.name, s.jyuusyo, s.denwa};
    for (int i = 0; i < 5; ++i) {
        fields << sealField(i);
        values << s.seals[i];
    }
    fields << u"PM5"_s;
    values << numberOrNull(s.password);
    write(fields, values);
}

} // namespace masters
