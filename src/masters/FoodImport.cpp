#include "masters/FoodImport.h"

#include "store/CsvFile.h"
#include "store/FieldText.h"
#include "store/Prompter.h"
#include "store/Sql.h"
#include "store/StoreError.h"
#include "store/TextRoutines.h"
#include "store/Transaction.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;
using store::Sql::exec;

namespace masters {

namespace {

// Field by file position from 3 on.
const QStringList kValueFields = {u"haiki"_s, u"neturyo"_s, u"tanpaku"_s, u"shi"_s,  u"tou"_s,
                                  u"Ca"_s,    u"Fe"_s,      u"ViA"_s,     u"ViB1"_s, u"ViB2"_s,
                                  u"ViC"_s,   u"Nacl"_s,    u"Seni"_s,    u"K"_s};
constexpr int kFirstValue = 3;

store::FieldDef fieldOf(const QList<store::FieldDef>& fields, const QString& name)
{
    for (const store::FieldDef& f : fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return f;
    throw store::StoreError(u"SyokuM に項目 %1 がありません。"_s.arg(name));
}

// Rewrites every food name with convert, in one transaction.
void rewriteNames(const QSqlDatabase& db, const std::function<QString(const QString&)>& convert,
                  const FoodImport::Progress& progress)
{
    const store::FieldDef nameField =
        fieldOf(store::FieldText::fieldsOf(db, u"SyokuM"_s), u"SyokuMei"_s);
    QList<QPair<QString, QString>> changes;
    {
        QSqlQuery q = exec(db, u"SELECT Syoku_ID, SyokuMei FROM SyokuM ORDER BY Syoku_ID"_s);
        while (q.next()) {
            const QString before = q.value(1).toString();
            const QString after = convert(before);
            if (after != before)
                changes.append({q.value(0).toString(), after});
        }
    }
    store::Transaction tx(db);
    int done = 0;
    for (const auto& [id, name] : changes) {
        exec(db, u"UPDATE SyokuM SET SyokuMei=? WHERE Syoku_ID=?"_s,
             {store::FieldText::fromText(nameField, name), id});
        if (progress)
            progress(++done, static_cast<int>(changes.size()));
    }
    tx.commit();
}

QString trimBlanks(const QString& text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && text.at(from).unicode() <= u' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= u' ')
        --to;
    return text.mid(from, to - from);
}

} // namespace

QString FoodImport::cleanName(const QString& name)
{
    QString s = name;
    for (const auto& [open, close] : {std::pair{u'（', u'）'}, {u'＜', u'＞'}, {u'［', u'］'}}) {
        const qsizetype a = s.indexOf(QChar(open));
        const qsizetype b = s.indexOf(QChar(close));
        if (a >= 0 && b > a)
            s.remove(a, b - a + 1);
    }
    return s;
}

int FoodImport::ImportFoodCsv(const QSqlDatabase& db, const QString& path,
                              store::Prompter& prompter, const Progress& progress)
{
    if (!QFileInfo::exists(path))
        return 0;
    // The whole file is read and checked before the first food changes: a
    // file that is no Shift-JIS or has a quote that never closes is refused.
    // A value in double quotes may hold commas, as spreadsheets write them.
    const QList<store::CsvFile::Record> records =
        store::CsvFile::records(path, kMaxValues, store::QuoteSplitter::LastLine::Read);
    if (records.size() < 2)
        throw store::StoreError(store::CsvFile::noRecordsMessage(path));

    const QList<store::FieldDef> fields = store::FieldText::fieldsOf(db, u"SyokuM"_s);
    const store::FieldDef idField = fieldOf(fields, u"Syoku_ID"_s);
    const store::FieldDef nameField = fieldOf(fields, u"SyokuMei"_s);
    const store::FieldDef groupField = fieldOf(fields, u"syokugun"_s);
    QList<store::FieldDef> valueFields;
    for (const QString& f : kValueFields)
        valueFields << fieldOf(fields, f);

    store::Transaction tx(db);
    int stored = 0;
    const int total = static_cast<int>(records.size()) - 1;
    for (int i = 1; i < records.size(); ++i) {
        // As if a comma were appended: n values are followed by one more,
        // empty value, which empties the field after the last one given.
        QStringList values = records.at(i).values;
        if (values.size() < kMaxValues)
            values << QString();
        QString code = values.at(0);
        if (code.size() == 4)
            code.prepend(u'0');
        QString failing;
        try {
            store::Transaction line(db);
            failing = code;
            const QVariant id = store::FieldText::fromText(idField, code);
            failing = values.value(1);
            const QVariant name = store::FieldText::fromText(nameField, cleanName(values.value(1)));
            const bool exists =
                store::Sql::scalar(db, u"SELECT 1 FROM SyokuM WHERE Syoku_ID=?"_s, {id}).isValid();
            if (!exists) {
                failing = values.value(2);
                exec(db, u"INSERT INTO SyokuM (Syoku_ID, syokugun) VALUES (?, ?)"_s,
                     {id, store::FieldText::fromText(groupField, values.value(2))});
            }
            QStringList sets{u"SyokuMei=?"_s};
            QVariantList args{name};
            for (int k = 0; k < valueFields.size() && kFirstValue + k < values.size(); ++k) {
                failing = values.at(kFirstValue + k);
                sets << store::Sql::quoted(valueFields.at(k).name) + u"=?"_s;
                args << store::FieldText::fromText(valueFields.at(k), values.at(kFirstValue + k));
            }
            failing.clear();
            exec(db, u"UPDATE SyokuM SET "_s + sets.join(u", "_s) + u" WHERE Syoku_ID=?"_s,
                 args << id);
            line.commit();
            ++stored;
        } catch (const store::StoreError&) {
            prompter.information(failing);
        }
        if (progress)
            progress(i, total);
    }
    tx.commit();
    return stored;
}

void FoodImport::NormaliseNames(const QSqlDatabase& db, const Progress& progress)
{
    rewriteNames(
        db,
        [](const QString& n) {
            return store::TextRoutines::ToKatakana(store::TextRoutines::ToFullWidth(n));
        },
        progress);
}

void FoodImport::TrimNames(const QSqlDatabase& db, const Progress& progress)
{
    rewriteNames(
        db,
        [](const QString& n) {
            return store::TextRoutines::ToFullWidth(
                trimBlanks(store::TextRoutines::ToHalfWidth(n)));
        },
        progress);
}

} // namespace masters
