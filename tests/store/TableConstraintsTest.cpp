#include "store/FieldText.h"
#include "store/SchemaUpgrade.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableCsv.h"
#include "store/TableRebuild.h"
#include "store/TableScripts.h"
#include "support/PreviousLayout.h"
#include "support/TempInstall.h"

#include <QFile>
#include <QProcess>
#include <QSqlRecord>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using store::FieldType;
using store::Sql::exec;
using store::Sql::scalar;

namespace {

QList<store::TableDef> userTables()
{
    QList<store::TableDef> tables = store::TableCatalogue::mainTables();
    tables << store::TableCatalogue::parse(store::TableScripts::menuPurchaseTable())
           << store::TableCatalogue::parse(store::TableScripts::carryOverTable());
    return tables;
}

// A statement run by the sqlite3 shell, outside this program and its
// checks: the database file itself must refuse what does not fit.
bool shellAccepts(const QString& file, const QString& sql, QString* error = nullptr)
{
    const QString shell = QStandardPaths::findExecutable(u"sqlite3"_s);
    if (shell.isEmpty())
        throw std::runtime_error("sqlite3 shell not found (scripts/install-deps.sh installs it)");
    QProcess p;
    p.start(shell, {u"-bail"_s, file, sql});
    p.waitForFinished(20000);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    if (error)
        *error = err;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && err.isEmpty();
}

// A literal that fits the field, different for every n (so keys differ).
QString goodLiteral(const store::FieldDef& f, int n)
{
    switch (f.type) {
    case FieldType::Text:
        return u"'%1'"_s.arg(n);
    case FieldType::Date:
        return u"'2025-06-%1'"_s.arg(n % 28 + 1, 2, 10, QChar(u'0'));
    case FieldType::Float:
        return u"%1.5"_s.arg(n);
    default:
        return QString::number(n);
    }
}

// INSERT of one row: every key field filled (unique by n) but those in
// values, which give their own literals.
QString insertRow(const store::TableDef& t, const QHash<QString, QString>& values, int n)
{
    QStringList names, literals;
    for (const store::FieldDef& f : t.fields) {
        if (values.contains(f.name)) {
            names << store::Sql::quoted(f.name);
            literals << values.value(f.name);
        } else if (f.key && f.type != FieldType::AutoInc) {
            names << store::Sql::quoted(f.name);
            literals << goodLiteral(f, n);
        }
    }
    if (names.isEmpty())
        return u"INSERT INTO %1 DEFAULT VALUES"_s.arg(store::Sql::quoted(t.name));
    return u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(store::Sql::quoted(t.name), names.join(u", "_s),
                                                    literals.join(u", "_s));
}

const store::TableDef& tableNamed(const QList<store::TableDef>& tables, const QString& name)
{
    for (const store::TableDef& t : tables)
        if (t.name == name)
            return t;
    throw std::runtime_error("no such table");
}

// An installation folder as the previous version left it: every table
// without constraints, holding rows that the new tables would refuse as
// they stand.
void makePreviousVersion(store::Session& s)
{
    const auto aaa = s.aaa();
    for (const store::TableDef& t : userTables()) {
        exec(aaa, PreviousLayout::createStatement(t));
        for (const store::IndexDef& ix : t.indexes)
            exec(aaa, u"CREATE INDEX %1 ON %2 (%3)"_s.arg(
                          store::Sql::quoted(t.name + u'_' + ix.name), store::Sql::quoted(t.name),
                          store::Sql::quoted(ix.fields.join(u"\", \""_s))));
    }
    exec(aaa, u"ALTER TABLE kondateM2 ADD COLUMN kin1 INTEGER"_s);
    exec(aaa, u"ALTER TABLE kondateM2 ADD COLUMN kin2 INTEGER"_s);
    auto head = store::TableCatalogue::parse(store::TableScripts::settingsTableRebuild()).first();
    head.name = u"HeadM"_s;
    exec(s.ahm(), PreviousLayout::createStatement(head));
    exec(s.ahm(),
         u"INSERT INTO HeadM (meisyou, nendo, Password, PM6) VALUES (?, 2025, '1234', 3)"_s,
         {u"さくら保育園"_s});

    exec(aaa, u"INSERT INTO SyokuM (Syoku_ID, SyokuMei, neturyo, syokugun) VALUES "
              u"('01001', 'a', 343, 1), ('01002', 'b', '12.5', '2'), ('01003', 'c', 'x', 2.0)"_s);
    exec(aaa, u"INSERT INTO SyokuGunM (SyokuGun_ID, SyokuGunmei, S1) VALUES (1, 'g', 10), "
              u"(2, 'h', 20)"_s);
    exec(aaa, u"INSERT INTO GyosyaM (Gyosya_ID, Gyosyamei, kin1, kin2, kin3) VALUES "
              u"(1, 's', 12345000, '1234.5', 99.25), (2, 't', NULL, '1,200', 'abc')"_s);
    exec(aaa, u"INSERT INTO kondateM (kijitu) VALUES ('2025-06-02'), ('2025/6/3'), ('x')"_s);
    exec(aaa, u"INSERT INTO kondateM (kijitu) VALUES ('2025-06-05')"_s);
    exec(aaa, u"DELETE FROM kondateM WHERE Kondate_ID=4"_s); // its number is never given again
    exec(aaa, u"INSERT INTO kondateM2 (kondate_ID, K1, K2, kondateMei, Ninzu, kin1) VALUES "
              u"(1, 0, 0, 'm', '30', 250.7), (2, 0, 0, 'n', 99999999999, NULL)"_s);
    exec(aaa, u"INSERT INTO kondateD (kondate_ID, K1, K2, Ryori_ID, SubNo, Syoku_ID, Suryo) VALUES "
              u"(1, 0, 0, '0101', 1, '01001', 80), (1, 0, 0, '0101', 2, '01002', '12')"_s);
    exec(aaa, u"INSERT INTO RyoriD (Ryori_ID, SubNo, Syoku_ID, Suryo1) VALUES "
              u"('0101', 1, '01001', 80), ('0101', 2, '01002', 12)"_s);
}

std::map<std::string, std::string> tableBodies(const QSqlDatabase& db)
{
    std::map<std::string, std::string> out;
    QSqlQuery q = exec(db, u"SELECT name, sql FROM sqlite_master WHERE type IN ('table', 'index') "
                           u"AND name NOT LIKE 'sqlite%'"_s);
    while (q.next()) {
        const QString sql = q.value(1).toString();
        out[q.value(0).toString().toStdString()] =
            sql.mid(sql.indexOf(u'(')).toLower().toStdString(); // names as SQL reads them
    }
    return out;
}

QStringList rowsOf(const QSqlDatabase& db, const QString& sql)
{
    QStringList out;
    QSqlQuery q = exec(db, sql);
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < q.record().count(); ++i)
            cells << (q.value(i).isNull() ? u"NULL"_s : q.value(i).toString());
        out << cells.join(u'|');
    }
    return out;
}

class TableConstraintsTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("ZORAVIN_SERVER", "http://127.0.0.1:9"); }
    TempInstall install;
    std::unique_ptr<store::Session> session = install.openSession();
};

} // namespace

TEST_F(TableConstraintsTest, TheShellCannotStoreANullKeyInAnyUserTable)
{
    const auto aaa = session->aaa();
    // Tables the catalogue creates need no rebuild.
    store::TableCatalogue::apply(aaa, store::TableScripts::mainTables());
    for (const store::TableDef& t : store::TableCatalogue::mainTables())
        EXPECT_TRUE(store::TableRebuild::isCurrent(aaa, t.name)) << t.name.toStdString();
    store::SchemaUpgrade(*session).runAll();
    store::TableCatalogue::ensureTable(aaa, store::TableScripts::menuPurchaseTable(),
                                       u"kondateQ"_s);
    store::TableCatalogue::ensureTable(aaa, store::TableScripts::carryOverTable(), u"Kurikoshi"_s);
    const QString file = install.file(u"Data/AAA.sqlite"_s);
    int n = 1;
    for (const store::TableDef& t : userTables()) {
        ASSERT_TRUE(store::TableRebuild::isCurrent(aaa, t.name)) << t.name.toStdString();
        QString error;
        EXPECT_TRUE(shellAccepts(file, insertRow(t, {}, n++), &error))
            << t.name.toStdString() << ": " << error.toStdString();
        for (const store::FieldDef& k : t.fields) {
            // An auto-increment key numbers the row it is not given (see the
            // CSV import below for a blank one in a file).
            if (!k.key || k.type == FieldType::AutoInc)
                continue;
            QString error;
            EXPECT_FALSE(shellAccepts(file, insertRow(t, {{k.name, u"NULL"_s}}, n++), &error))
                << t.name.toStdString() << "." << k.name.toStdString();
            EXPECT_TRUE(error.contains(u"NOT NULL"_s)) << error.toStdString();
        }
    }
}

TEST_F(TableConstraintsTest, TheShellCannotStoreAValueOfTheWrongKind)
{
    store::SchemaUpgrade(*session).runAll();
    const auto aaa = session->aaa();
    store::TableCatalogue::ensureTable(aaa, store::TableScripts::menuPurchaseTable(),
                                       u"kondateQ"_s);
    const QString file = install.file(u"Data/AAA.sqlite"_s);
    const QList<store::TableDef> tables = userTables();
    const struct {
        const char* table;
        const char* field;
        const char* literal;
        bool accepted;
    } cases[] = {
        // money: an integer count of ten-thousandths of a yen, within Money's range
        {"GyosyaM", "kin1", "12345000", true},
        {"GyosyaM", "kin1", "'1234.5'", false},
        {"GyosyaM", "kin1", "1234.5", false},
        {"GyosyaM", "kin2", "'abc'", false},
        {"GyosyaM", "kin3", "1000000000000000000", false},
        {"kondateQ", "kingaku", "'99.5'", false},
        // integers: whole numbers within 32 bits
        {"kondateM2", "Ninzu", "30", true},
        {"kondateM2", "Ninzu", "12.5", false},
        {"kondateM2", "Ninzu", "'abc'", false},
        {"kondateM2", "Ninzu", "99999999999", false},
        {"kondateM2", "Ninzu", "-2147483649", false},
        {"SyokuGunM", "SyokuGun_ID", "2.5", false},
        {"SyokuGunM", "SyokuGun_ID", "'x'", false},
        // floats: numbers
        {"SyokuM", "neturyo", "343", true},
        {"SyokuM", "neturyo", "'x'", false},
        // dates: a day that exists, as yyyy-MM-dd text
        {"kondateM", "kijitu", "'2025-06-01'", true},
        {"kondateM", "kijitu", "'2025/06/01'", false},
        {"kondateM", "kijitu", "'2025-02-30'", false},
        {"kondateM", "kijitu", "20250601", false},
        // text: no bytes of unknown form
        {"SyokuM", "SyokuMei", "x'00ff'", false},
    };
    int n = 100;
    for (const auto& c : cases) {
        const auto& t = tableNamed(tables, QString::fromLatin1(c.table));
        QString error;
        const QString sql =
            insertRow(t, {{QString::fromLatin1(c.field), QString::fromLatin1(c.literal)}}, n++);
        EXPECT_EQ(shellAccepts(file, sql, &error), c.accepted)
            << c.table << "." << c.field << " = " << c.literal << ": " << error.toStdString();
    }
}

TEST_F(TableConstraintsTest, ABlankKeyInACsvFileIsRefusedNotNumbered)
{
    store::SchemaUpgrade(*session).runAll();
    const auto aaa = session->aaa();
    exec(aaa, u"INSERT INTO SyokuGunM (SyokuGun_ID, SyokuGunmei) VALUES (1, 'g')"_s);
    exec(aaa, u"INSERT INTO kondateM (kijitu) VALUES ('2025-06-01')"_s);
    const struct {
        QString table;
        QList<store::CsvColumn> columns;
        QByteArray file;
    } cases[] = {
        {u"SyokuGunM"_s, {}, "\"id\",\"name\"\r\n5,\"a\"\r\n,\"b\"\r\n"},
        {u"kondateM"_s,
         {{u"Kondate_ID"_s, {}}, {u"kijitu"_s, {}}},
         "\"id\",\"day\"\r\n7,\"2025/06/02\"\r\n,\"2025/06/03\"\r\n"},
    };
    for (const auto& c : cases) {
        const QString path = install.file(c.table + u".csv"_s);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.file);
        f.close();
        const QStringList before = rowsOf(aaa, u"SELECT * FROM "_s + c.table);
        try {
            store::TableCsv::ImportTableCsv(aaa, path, c.table,
                                            store::TableCsv::ImportMode::Replace, c.columns);
            ADD_FAILURE() << c.table.toStdString() << ": a blank key was accepted";
        } catch (const store::StoreError& e) {
            EXPECT_TRUE(e.message().contains(u"空にできません"_s)) << e.message().toStdString();
        }
        EXPECT_EQ(rowsOf(aaa, u"SELECT * FROM "_s + c.table), before) << c.table.toStdString();
    }
}

TEST(FieldText, IntegersStayWithinTheirDeclaredSize)
{
    const auto t = store::TableCatalogue::parse(
                       u"CREATE TABLE IF NOT EXISTS \"x\" (\n\"i\" Integer,\n\"s\" SmallInt\n);"_s)
                       .first();
    const store::FieldDef& i = t.fields.at(0);
    const store::FieldDef& s = t.fields.at(1);
    EXPECT_EQ(store::FieldText::fromText(i, u"2147483647"_s).toLongLong(), 2147483647);
    EXPECT_THROW(store::FieldText::fromText(i, u"99999999999"_s), store::StoreError);
    EXPECT_THROW(store::FieldText::fromText(i, u"-2147483649"_s), store::StoreError);
    EXPECT_EQ(store::FieldText::fromText(s, u"-32768"_s).toInt(), -32768);
    EXPECT_THROW(store::FieldText::fromText(s, u"32768"_s), store::StoreError);
}

TEST_F(TableConstraintsTest, APreviousVersionsInstallationUpgradesWithEveryRowKept)
{
    makePreviousVersion(*session);
    const auto aaa = session->aaa();
    QMap<QString, int> counts;
    for (const store::TableDef& t : userTables())
        counts.insert(t.name, scalar(aaa, u"SELECT COUNT(*) FROM "_s + t.name).toInt());

    store::SchemaUpgrade upgrade(*session);
    upgrade.runAll();

    for (const store::TableDef& t : userTables()) {
        EXPECT_TRUE(store::TableRebuild::isCurrent(aaa, t.name)) << t.name.toStdString();
        EXPECT_EQ(scalar(aaa, u"SELECT COUNT(*) FROM "_s + t.name).toInt(),
                  counts.value(t.name) + (t.name == u"WG"_s ? 1 : 0))
            << t.name.toStdString();
    }
    EXPECT_TRUE(store::TableRebuild::isCurrent(session->ahm(), u"HeadM"_s));

    // Values that fit are unchanged; the others converted as the old engine
    // assigned them, or emptied when nothing of them was a value.
    EXPECT_EQ(rowsOf(aaa, u"SELECT Syoku_ID, neturyo, syokugun FROM SyokuM ORDER BY Syoku_ID"_s),
              (QStringList{u"01001|343|1"_s, u"01002|12.5|2"_s, u"01003|NULL|2"_s}));
    EXPECT_EQ(rowsOf(aaa, u"SELECT Gyosya_ID, kin1, kin2, kin3 FROM GyosyaM ORDER BY 1"_s),
              (QStringList{u"1|12345000|12345000|992500"_s, u"2|NULL|12000000|NULL"_s}));
    EXPECT_EQ(rowsOf(aaa, u"SELECT Kondate_ID, kijitu FROM kondateM ORDER BY 1"_s),
              (QStringList{u"1|2025-06-02"_s, u"2|2025-06-03"_s, u"3|NULL"_s}));
    EXPECT_EQ(rowsOf(aaa, u"SELECT kondate_ID, Ninzu, kin1 FROM kondateM2 ORDER BY 1"_s),
              (QStringList{u"1|30|250"_s, u"2|NULL|NULL"_s}));
    EXPECT_EQ(rowsOf(aaa, u"SELECT SubNo, Suryo FROM kondateD ORDER BY SubNo"_s),
              (QStringList{u"1|80"_s, u"2|12"_s}));
    EXPECT_EQ(rowsOf(session->ahm(), u"SELECT meisyou, nendo, Password, PM6 FROM HeadM"_s),
              (QStringList{u"さくら保育園|2025|1234|3"_s}));
    // The menu-day numbers go on after the highest ever given, 4.
    exec(aaa, u"INSERT INTO kondateM (kijitu) VALUES ('2025-06-09')"_s);
    EXPECT_EQ(scalar(aaa, u"SELECT MAX(Kondate_ID) FROM kondateM"_s).toInt(), 5);

    // Every change is written down; nothing else is.
    const QStringList& notes = upgrade.notes();
    EXPECT_EQ(notes.size(), 9) << notes.join(u'\n').toStdString();
    for (const char* value : {"「x」", "「abc」", "「1,200」を「1200」", "「2025/6/3」",
                              "「99999999999」", "「250.7」を「250」"})
        EXPECT_TRUE(notes.join(u'\n').contains(QString::fromUtf8(value))) << value;
    QFile log(install.file(store::SchemaUpgrade::notesFileName()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(u"「abc」"_s));

    // The upgraded installation is declared as a new one, and a second
    // upgrade changes nothing.
    TempInstall fresh;
    auto freshSession = fresh.openSession();
    store::SchemaUpgrade(*freshSession).runAll();
    store::TableCatalogue::ensureTable(freshSession->aaa(),
                                       store::TableScripts::menuPurchaseTable(), u"kondateQ"_s);
    store::TableCatalogue::ensureTable(freshSession->aaa(), store::TableScripts::carryOverTable(),
                                       u"Kurikoshi"_s);
    EXPECT_EQ(tableBodies(aaa), tableBodies(freshSession->aaa()));
    EXPECT_EQ(tableBodies(session->ahm()), tableBodies(freshSession->ahm()));
    const auto before = tableBodies(aaa);
    store::SchemaUpgrade again(*session);
    again.runAll();
    EXPECT_EQ(tableBodies(aaa), before);
    EXPECT_TRUE(again.notes().isEmpty());
}

TEST_F(TableConstraintsTest, ATableWithAnUnstorableKeyIsLeftWholeAndReported)
{
    makePreviousVersion(*session);
    const auto aaa = session->aaa();
    // Two lines of one dish with no line number: neither can be a key.
    exec(aaa, u"INSERT INTO RyoriD (Ryori_ID, SubNo, Syoku_ID) VALUES ('0102', NULL, '01001'), "
              u"('0102', NULL, '01002')"_s);
    store::SchemaUpgrade upgrade(*session);
    upgrade.runAll();
    EXPECT_EQ(scalar(aaa, u"SELECT COUNT(*) FROM RyoriD"_s).toInt(), 4);
    EXPECT_FALSE(store::TableRebuild::isCurrent(aaa, u"RyoriD"_s));
    EXPECT_TRUE(store::TableRebuild::isCurrent(aaa, u"kondateD"_s));
    EXPECT_TRUE(upgrade.notes().join(u'\n').contains(u"RyoriD"_s));
}
