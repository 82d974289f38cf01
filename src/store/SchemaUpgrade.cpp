#include "store/SchemaUpgrade.h"

#include "store/CsvFile.h"
#include "store/Download.h"
#include "store/FieldText.h"
#include "store/Session.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"
#include "store/TableCopy.h"
#include "store/TableRebuild.h"
#include "store/TableScripts.h"
#include "store/Transaction.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

using namespace Qt::StringLiterals;

namespace store {

namespace {

// The field list through which the correction file is read: column k of a
// record goes to field k.
const QStringList kCorrectionFields = {
    u"Syoku_ID"_s, u"Syokugun"_s, u"SyokuGun2"_s, u"SyokuMei"_s, u"haiki"_s, u"neturyo"_s,
    u"tanpaku"_s,  u"shi"_s,      u"tou"_s,       u"Ca"_s,       u"Fe"_s,    u"ViA"_s,
    u"ViB1"_s,     u"ViB2"_s,     u"ViC"_s,       u"Nacl"_s,     u"Seni"_s};
constexpr int kCorrectionMaxColumns = 501;

// Splits a line as comma text: values are separated by commas and, outside
// double quotes, also by blanks and control characters; a quoted value may
// hold commas and blanks, and a doubled quote in it stands for one quote.
QStringList splitCommaText(const QString& line, bool* unclosed)
{
    *unclosed = false;
    QStringList out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    const auto skipBlanks = [&]() {
        while (i < n && line.at(i).unicode() <= u' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString value;
        if (line.at(i) == u'"') {
            ++i;
            bool closed = false;
            while (i < n && !closed) {
                if (line.at(i) == u'"') {
                    if (i + 1 < n && line.at(i + 1) == u'"') {
                        value += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    continue;
                }
                value += line.at(i++);
            }
            if (!closed)
                *unclosed = true;
        } else {
            while (i < n && line.at(i) != u',' && line.at(i).unicode() > u' ')
                value += line.at(i++);
        }
        out << value;
        skipBlanks();
        if (i < n && line.at(i) == u',') {
            ++i;
            skipBlanks();
            if (i == n)
                out << QString();
        }
    }
    return out;
}

const char* kAddPotassium = "Alter Table SyokuM Add K Float";

} // namespace

SchemaUpgrade::SchemaUpgrade(Session& session) : m_session(session) {}

void SchemaUpgrade::alterTable(const QSqlDatabase& db, const QString& statement)
{
    static const QRegularExpression head(u"^\\s*Alter\\s+Table\\s+(\\S+)\\s+(.*)$"_s,
                                         QRegularExpression::CaseInsensitiveOption |
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression add(u"^Add\\s+(\"[^\"]+\"|\\S+)\\s+(.+)$"_s,
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression drop(u"^Drop\\s+(\"[^\"]+\"|\\S+)$"_s,
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(statement);
    if (!m.hasMatch())
        throw StoreError(u"変更文を読めません: "_s + statement);
    const QString table = m.captured(1);
    Transaction tx(db);
    for (const QString& raw : m.captured(2).split(u',')) {
        const QString clause = raw.trimmed();
        if (clause.isEmpty())
            continue;
        if (const auto a = add.match(clause); a.hasMatch()) {
            QString name = a.captured(1);
            if (name.startsWith(u'"'))
                name = name.mid(1, name.size() - 2);
            if (Sql::hasField(db, table, name))
                continue;
            const TableDef def =
                TableCatalogue::parse(u"CREATE TABLE IF NOT EXISTS \"x\" (\n\"%1\" %2\n);"_s.arg(
                                          name, a.captured(2).trimmed()))
                    .first();
            Sql::exec(db, u"ALTER TABLE "_s + Sql::quoted(table) + u" ADD COLUMN "_s +
                              TableCatalogue::columnDefinition(def.fields.first()));
        } else if (const auto d = drop.match(clause); d.hasMatch()) {
            QString name = d.captured(1);
            if (name.startsWith(u'"'))
                name = name.mid(1, name.size() - 2);
            if (!Sql::hasField(db, table, name))
                continue;
            Sql::exec(db, u"ALTER TABLE "_s + Sql::quoted(table) + u" DROP COLUMN "_s +
                              Sql::quoted(name));
        } else {
            throw StoreError(u"変更文を読めません: "_s + clause);
        }
    }
    tx.commit();
}

void SchemaUpgrade::upgradeSettings()
{
    const QSqlDatabase db = m_session.ahm();
    TableCatalogue::apply(db, TableScripts::settingsTable());
    if (!Sql::hasField(db, u"HeadM"_s, u"PM11"_s))
        alterTable(
            db, u"Alter Table HeadM Add \"PM11\" Integer, Add \"PM12\" Integer, Add \"PM13\" "
                u"Integer, Add \"PM14\" Integer, Add \"PM15\" Integer, Add \"PM16\" Integer, Add "
                u"\"PM17\" Integer, Add \"PM18\" Integer, Add \"PM19\" Integer, Add \"PM20\" "
                u"Integer  "_s);
    if (TableCatalogue::textSize(db, u"HeadM"_s, u"職印１"_s) == 6) {
        QStringList notes;
        Transaction tx(db);
        Sql::dropTable(db, u"HeadM$"_s); // a rebuild that never finished
        TableCatalogue::apply(db, TableScripts::settingsTableRebuild());
        TableCopy::ReplaceTableByCopy(db, u"HeadM"_s, u"HeadM$"_s, &notes);
        tx.commit();
        writeNotes(notes);
    }
    rebuildTables(db, {u"HeadM"_s, u"W1TBL"_s});
}

void SchemaUpgrade::rebuildTables(const QSqlDatabase& db, const QStringList& tables)
{
    QStringList notes;
    for (const QString& table : tables)
        TableRebuild::rebuild(db, table, notes);
    writeNotes(notes);
}

void SchemaUpgrade::writeNotes(const QStringList& notes)
{
    if (notes.isEmpty())
        return;
    m_notes << notes;
    QFile file(m_session.workDir() + u'/' + notesFileName());
    if (!file.open(QIODevice::Append | QIODevice::Text))
        throw StoreError(u"変換の記録 %1 を書けません。"_s.arg(file.fileName()));
    QString text = QDateTime::currentDateTime().toString(u"yyyy-MM-dd HH:mm:ss"_s) +
                   u" データの形式を新しくしたときに変えた値:\n"_s;
    for (const QString& n : notes)
        text += u"  "_s + n + u'\n';
    file.write(text.toUtf8());
}

// The food code and every menu and recipe line that names it change
// together, so no line is left pointing at a food that is gone.
void SchemaUpgrade::renameFood(const QString& from, const QString& to)
{
    const QSqlDatabase db = m_session.aaa();
    Transaction tx(db);
    Sql::exec(db, u"UPDATE SyokuM SET Syoku_ID=? WHERE Syoku_ID=?"_s, {to, from});
    Sql::exec(db, u"UPDATE RyoriD SET Syoku_ID=? WHERE Syoku_ID=?"_s, {to, from});
    Sql::exec(db, u"UPDATE kondateD SET Syoku_ID=? WHERE Syoku_ID=?"_s, {to, from});
    // The purchase lines hold the code as its number.
    if (Sql::tableExists(db, u"kondateQ"_s))
        Sql::exec(db, u"UPDATE kondateQ SET Syoku_ID=? WHERE Syoku_ID=?"_s,
                  {to.toInt(), from.toInt()});
    tx.commit();
}

void SchemaUpgrade::createTables()
{
    TableCatalogue::apply(m_session.aaa(), TableScripts::mainTables());
}

void SchemaUpgrade::upgradeData()
{
    const QSqlDatabase db = m_session.aaa();
    if (!Sql::hasField(db, u"SyokuM"_s, u"Seni"_s))
        alterTable(db, u"Alter Table SyokuM Add Seni Float, Add Na Float"_s);
    if (!Sql::hasField(db, u"SyokuM"_s, u"K"_s))
        refreshPotassium();
    if (!Sql::hasField(db, u"SyokuGunM"_s, u"S1"_s))
        alterTable(db, u"Alter Table SyokugunM Add S1 Float, Add S2 Float, Add D Float"_s);
    if (Sql::hasField(db, u"kondateD"_s, u"Ca"_s))
        alterTable(
            db,
            u"Alter Table kondateD Drop Syokugun ,Drop haiki ,Drop neturyo ,Drop tanpaku ,Drop "
            u"shi ,Drop tou  ,Drop Ca ,Drop Fe ,Drop ViA ,Drop ViB1 ,Drop ViB2 ,Drop ViC ,Drop "
            u"Nacl ,Drop Cyumonryo ,Drop syokugun2 ,Drop syokugun3   ,Drop F0 ,Drop F1 ,Drop F2 "
            u",Drop F3 ,Drop F4 ,Drop F5 ,Drop F6 ,Drop F7 ,Drop F8 ,Drop F9 ,Drop Seni,Drop Na"_s);
    if (!Sql::hasField(db, u"kondateM2"_s, u"Ninzu2"_s))
        alterTable(db, u"Alter Table kondateM2 Add Ninzu2 Integer, Add Ninzu3 Integer "_s);
    if (!Sql::hasField(db, u"kondateM2"_s, u"Ninzu4"_s))
        alterTable(db, u"Alter Table kondateM2 Add Ninzu4 Integer, Add Ninzu5 Integer "_s);
    if (!Sql::hasField(db, u"kondateM2"_s, u"kin1"_s))
        alterTable(db, u"Alter Table kondateM2 Add kin1 Integer, Add kin2 Integer "_s);

    // A four-digit code written by an old version; when the corrected code
    // is already there the old row is left for the user to resolve, since
    // renaming it would break the key.
    const auto code = [&](const QString& id) {
        return Sql::scalar(db, u"SELECT 1 FROM SyokuM WHERE Syoku_ID=?"_s, {id}).isValid();
    };
    if (code(u"1509"_s) && !code(u"15090"_s))
        renameFood(u"1509"_s, u"15090"_s);

    if (!Sql::scalar(db, u"SELECT 1 FROM WG WHERE WG_ID=12"_s).isValid())
        Sql::exec(db, u"INSERT INTO WG (WG_ID, Meisyo, S1, S2) VALUES (12, ?, 1100, 900)"_s,
                  {u"K mg"_s});

    const QString correction = m_session.workDir() + u'/' + correctionFileName();
    if (QFileInfo::exists(correction)) {
        QSqlQuery q = Sql::exec(db, u"SELECT shi FROM SyokuM WHERE Syoku_ID='14004'"_s);
        const bool apply = q.next() && q.value(0).isNull();
        q.finish();
        if (apply)
            applyCorrectionFile(correction);
    }

    QStringList tables;
    for (const TableDef& t : TableCatalogue::mainTables())
        tables << t.name;
    tables << u"kondateQ"_s << u"Kurikoshi"_s;
    rebuildTables(db, tables);
}

void SchemaUpgrade::refreshPotassium()
{
    const QSqlDatabase db = m_session.aaa();
    const QString local = m_session.workDir() + u'/' + potassiumFileName();
    Download::DownloadFile(Download::serverUrl(potassiumServerPath()), local);

    // Every line is read and checked before anything is stored; a file that
    // cannot be read or used adds the field without values and says why (the
    // refresh is tied to adding the field).
    QList<QPair<QString, QVariant>> values;
    std::optional<StoreError> failure;
    try {
        const QStringList lines = CsvFile::lines(local);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            bool unclosed = false;
            const QStringList cols = splitCommaText(lines.at(i), &unclosed);
            const int line = static_cast<int>(i) + 1;
            if (unclosed)
                throw StoreError(CsvFile::atLine(
                    local, line, u"「\"」で始まる値が行の終わりまでに閉じられていません。"_s));
            if (cols.isEmpty())
                continue;
            bool ok = false;
            int number = cols.at(0).toInt(&ok);
            if (!ok)
                number = -1;
            const QString k = cols.value(13).trimmed();
            bool isNumber = false;
            const double mg = k.toDouble(&isNumber);
            if (!k.isEmpty() && !isNumber)
                throw StoreError(CsvFile::atLine(
                    local, line, u"カリウムの値「%1」が数値ではありません。"_s.arg(k)));
            values.append({QString::asprintf("%.5d", number), k.isEmpty() ? QVariant() : mg});
        }
    } catch (const StoreError& e) {
        failure = e;
        values.clear();
    }

    Transaction tx(db);
    alterTable(db, QString::fromLatin1(kAddPotassium));
    for (const auto& [code, mg] : values)
        Sql::exec(db, u"UPDATE SyokuM SET K=? WHERE Syoku_ID=?"_s, {mg, code});
    tx.commit();
    if (failure)
        throw StoreError(u"カリウムのデータ（%1）を読み込めませんでした。%2"_s.arg(
                             QDir::toNativeSeparators(local), failure->message()),
                         failure->detail());
}

void SchemaUpgrade::applyCorrectionFile(const QString& path)
{
    const QSqlDatabase db = m_session.aaa();
    const QList<CsvFile::Record> records =
        CsvFile::records(path, kCorrectionMaxColumns, QuoteSplitter::LastLine::Dropped);
    const QList<FieldDef> fields = FieldText::fieldsOf(db, u"SyokuM"_s);
    const auto fieldDef = [&](const QString& name) {
        for (const FieldDef& f : fields)
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                return f;
        throw StoreError(u"SyokuM に項目 %1 がありません。"_s.arg(name));
    };

    QStringList sets;
    QList<FieldDef> targets;
    for (int k = 3; k < kCorrectionFields.size(); ++k) {
        targets << fieldDef(kCorrectionFields.at(k));
        sets << Sql::quoted(targets.last().name);
    }
    QStringList assigns, marks;
    for (const QString& s : sets) {
        assigns << s + u"=?"_s;
        marks << u"?"_s;
    }
    const QString update = u"UPDATE SyokuM SET "_s + assigns.join(u", "_s) + u" WHERE Syoku_ID=?"_s;
    const QString insert = u"INSERT INTO SyokuM (Syoku_ID, "_s + sets.join(u", "_s) +
                           u") VALUES (?, "_s + marks.join(u", "_s) + u')';
    const FieldDef idField = fieldDef(u"Syoku_ID"_s);

    Transaction tx(db);
    for (qsizetype r = 1; r < records.size(); ++r) {
        const CsvFile::Record& rec = records.at(r);
        try {
            if (rec.values.value(0).trimmed().isEmpty())
                continue; // a line without a code
            const QVariant id = FieldText::fromText(idField, rec.values.value(0));
            QVariantList values;
            for (int k = 0; k < targets.size(); ++k)
                values << FieldText::fromText(targets.at(k), rec.values.value(k + 3));
            const bool exists =
                Sql::scalar(db, u"SELECT 1 FROM SyokuM WHERE Syoku_ID=?"_s, {id}).isValid();
            if (exists)
                Sql::exec(db, update, values + QVariantList{id});
            else
                Sql::exec(db, insert, QVariantList{id} + values);
        } catch (const StoreError& e) {
            // Start-up stops here until the file is mended or removed.
            throw StoreError(
                CsvFile::atLine(path, rec.line,
                                e.message() +
                                    u"食品のデータは変更していません。この行を直すか、"
                                    u"ファイルを削除してから、もう一度起動してください。"_s),
                e.detail());
        }
    }
    tx.commit();
}

void SchemaUpgrade::runAll()
{
    upgradeSettings();
    if (!m_session.dataOpen())
        m_session.openData();
    createTables();
    upgradeData();
}

} // namespace store
