#include "store/TableCsv.h"

#include "store/TableCatalogue.h"

#include "store/Cp932.h"
#include "store/CsvFile.h"
#include "store/FieldText.h"
#include "store/Prompter.h"
#include "store/QuoteSplitter.h"
#include "store/SafeFile.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/Transaction.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace store {

namespace {

QList<FieldDef> resolveColumns(const QSqlDatabase& db, const QString& table,
                               const QList<CsvColumn>& columns, bool skipAutoInc)
{
    const QList<FieldDef> all = FieldText::fieldsOf(db, table);
    if (all.isEmpty())
        throw StoreError(u"テーブル %1 がありません。"_s.arg(table));
    if (columns.isEmpty()) {
        QList<FieldDef> out = all;
        if (skipAutoInc && !out.isEmpty() && out.first().type == FieldType::AutoInc)
            out.removeFirst();
        return out;
    }
    QList<FieldDef> out;
    for (const CsvColumn& c : columns) {
        auto it = std::find_if(all.begin(), all.end(), [&](const FieldDef& f) {
            return f.name.compare(c.field, Qt::CaseInsensitive) == 0;
        });
        if (it == all.end())
            throw StoreError(u"テーブル %1 に項目 %2 がありません。"_s.arg(table, c.field));
        out << *it;
    }
    return out;
}

QByteArray quotedBytes(const QString& text)
{
    const auto bytes = Cp932::encode(text);
    if (!bytes)
        throw StoreError(u"シフトJISで書けない文字があります: %1"_s.arg(text));
    QByteArray b = *bytes;
    b.replace("\"", "\"\"");
    return '"' + b + '"';
}

} // namespace

bool TableCsv::ExportTableCsv(const QSqlDatabase& db, const QString& table, const QString& path,
                              Prompter& prompter, const QList<CsvColumn>& columns)
{
    if (QFileInfo::exists(path) &&
        prompter.yesNoCancel(u"同名のファイルがあります。上書をしてもよいですか？"_s) !=
            Answer::Yes)
        return false;
    const QList<FieldDef> fields = resolveColumns(db, table, columns, false);

    QByteArray out;
    QList<QByteArray> head;
    for (int i = 0; i < fields.size(); ++i) {
        const QString label = columns.isEmpty() || columns.at(i).label.isEmpty()
                                  ? fields.at(i).name
                                  : columns.at(i).label;
        head << quotedBytes(label);
    }
    out += head.join(',') + "\r\n";

    QStringList names;
    for (const FieldDef& f : fields)
        names << Sql::quoted(f.name);
    // Rows in key order; a table without a declared key in every column's order.
    QStringList order = names;
    for (const TableDef& def : TableCatalogue::mainTables())
        if (def.name.compare(table, Qt::CaseInsensitive) == 0 && !def.primaryKey.isEmpty()) {
            order.clear();
            for (const QString& key : def.primaryKey)
                order << Sql::quoted(key);
        }
    QSqlQuery q = Sql::exec(db, u"SELECT "_s + names.join(u", "_s) + u" FROM "_s +
                                    Sql::quoted(table) + u" ORDER BY "_s + order.join(u", "_s));
    while (q.next()) {
        QList<QByteArray> cells;
        for (int i = 0; i < fields.size(); ++i) {
            const QString text = FieldText::toText(fields.at(i), q.value(i));
            cells << (FieldText::isNumeric(fields.at(i).type) ? text.toLatin1()
                                                              : quotedBytes(text));
        }
        out += cells.join(',') + "\r\n";
    }
    SafeFile::write(path, out);
    return true;
}

void TableCsv::ImportTableCsv(const QSqlDatabase& db, const QString& path, const QString& table,
                              ImportMode mode, const QList<CsvColumn>& columns)
{
    if (!QFileInfo::exists(path))
        return;
    // The whole file is read and checked first: a file that is no Shift-JIS,
    // has a quote that never closes or holds no record leaves the table as
    // it is.
    const QList<CsvFile::Record> records =
        CsvFile::records(path, kMaxImportColumns, QuoteSplitter::LastLine::Dropped);
    if (mode == ImportMode::Replace && records.size() < 2)
        throw StoreError(CsvFile::noRecordsMessage(path));
    const QList<FieldDef> fields = resolveColumns(db, table, columns, true);

    QStringList names, marks;
    for (const FieldDef& f : fields) {
        names << Sql::quoted(f.name);
        marks << u"?"_s;
    }
    const QString insert = u"INSERT INTO "_s + Sql::quoted(table) + u" ("_s + names.join(u", "_s) +
                           u") VALUES ("_s + marks.join(u", "_s) + u')';

    Transaction tx(db);
    if (mode == ImportMode::Replace)
        Sql::exec(db, u"DELETE FROM "_s + Sql::quoted(table));
    for (qsizetype r = 1; r < records.size(); ++r) {
        const CsvFile::Record& rec = records.at(r);
        try {
            QVariantList values;
            for (int i = 0; i < fields.size(); ++i)
                values << (i < rec.values.size()
                               ? FieldText::fromText(fields.at(i), rec.values.at(i))
                               : QVariant());
            Sql::exec(db, insert, values);
        } catch (const StoreError& e) {
            throw StoreError(
                CsvFile::atLine(path, rec.line,
                                e.message() + u"表 %1 は変更していません。"_s.arg(table)),
                e.detail());
        }
    }
    tx.commit();
}

} // namespace store
