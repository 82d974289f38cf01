#include "ui/widgets/SqlGridModel.h"

#include "store/Cp932.h"
#include "store/FieldText.h"
#include "store/Money.h"
#include "store/StoreError.h"
#include "store/TableCatalogue.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

// Whether the engine refused the row for a key or unique index that another
// row already holds (SQLite's text and extended codes, PostgreSQL's state).
bool isDuplicateKey(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    return code == u"2067"_s || code == u"1555"_s || code == u"23505"_s ||
           error.databaseText().contains(u"UNIQUE constraint failed"_s);
}

// The fields SQLite names in "UNIQUE constraint failed: T.a, T.b".
QStringList failedFields(const QSqlError& error)
{
    QStringList fields;
    const QString text = error.databaseText();
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return fields;
    for (const QString& part : text.mid(colon + 1).split(u',')) {
        const QString name = part.trimmed();
        fields << name.mid(name.lastIndexOf(u'.') + 1);
    }
    return fields;
}

} // namespace

QString SqlGridModel::refusalMessage(const QSqlError& error, const QString& columnTitle,
                                     const QString& value, bool newRow)
{
    if (isDuplicateKey(error))
        return u"%1「%2」は既に登録されていますので、%3できません。"_s.arg(
            columnTitle, value, newRow ? u"追加"_s : u"変更"_s);
    const QString code = error.nativeErrorCode();
    if (code == u"5"_s || code == u"6"_s || error.databaseText().contains(u"locked"_s))
        return u"ほかの画面またはプログラムがデータを使用中のため、保存できませんでした。"
               u"しばらくしてから、もう一度お試しください。"_s;
    if (error.databaseText().contains(u"NOT NULL"_s))
        return u"%1が空欄のため、保存できませんでした。"_s.arg(columnTitle);
    return u"データを保存できませんでした。入力した内容を確かめてください。"_s;
}

SqlGridModel::SqlGridModel(const QSqlDatabase& db, const QString& table, QObject* parent)
    : QSqlTableModel(parent, db)
{
    setTable(table);
    setEditStrategy(OnRowChange);
    // Key order, as the tables are indexed on their primary key.
    if (!primaryKey().isEmpty())
        setSort(fieldIndex(primaryKey().fieldName(0)), Qt::AscendingOrder);
    const QSqlRecord rec = record();
    for (int i = 0; i < rec.count(); ++i)
        m_textSizes << store::TableCatalogue::textSize(db, table, rec.fieldName(i));
    for (const store::FieldDef& f : store::FieldText::fieldsOf(db, table))
        if (f.type == store::FieldType::Money)
            m_moneyColumns.insert(fieldIndex(f.name));
    connect(this, &QSqlTableModel::primeInsert, this, [this](int, QSqlRecord& rec) {
        if (m_primer)
            m_primer(rec);
        // A primed value is only written when marked generated; a key left
        // out would be refused (key fields are NOT NULL).
        for (int i = 0; i < rec.count(); ++i)
            if (!rec.isNull(i))
                rec.setGenerated(i, true);
    });
}

void SqlGridModel::setColumnTitle(const QString& field, const QString& title)
{
    setHeaderData(fieldIndex(field), Qt::Horizontal, title);
}

void SqlGridModel::setReadOnly(const QString& field)
{
    m_readOnly.insert(fieldIndex(field));
}

int SqlGridModel::textSize(int column) const
{
    return column >= 0 && column < m_textSizes.size() ? m_textSizes[column] : 0;
}

bool SqlGridModel::appendRow()
{
    // Already on a new row nobody typed in: there is nothing to store yet.
    if (m_newRow >= 0 && !m_newRowTyped)
        return false;
    if (isDirty() && !post())
        return false;
    if (m_mayInsert && !m_mayInsert(rowCount()))
        return false;
    const int row = rowCount();
    if (!insertRow(row))
        return false;
    m_newRow = row;
    m_newRowTyped = false;
    return true;
}

bool SqlGridModel::deleteRowAt(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    if (m_mayDelete && !m_mayDelete(row))
        return false;
    if (row == m_newRow) {
        cancel();
        return true;
    }
    if (!removeRow(row))
        return false;
    const bool stored = submitOrReport();
    select();
    return stored;
}

bool SqlGridModel::leaveRow(int row)
{
    if (m_reverting)
        return true;
    // Moving into the new row: what was pending was stored when it was added.
    if (m_newRow >= 0 && row != m_newRow)
        return true;
    if (row == m_newRow && !m_newRowTyped) {
        cancel();
        return true;
    }
    return post();
}

bool SqlGridModel::post()
{
    if (!isDirty())
        return true;
    if (!submitOrReport())
        return false;
    m_newRow = -1;
    return true;
}

int SqlGridModel::pendingRow() const
{
    if (!isDirty())
        return -1;
    for (int row = 0; row < rowCount(); ++row)
        if (isDirty(index(row, 0)))
            return row;
    return -1;
}

bool SqlGridModel::submitOrReport()
{
    const int row = pendingRow();
    if (submitAll())
        return true;
    const QSqlError error = lastError();
    QStringList fields = failedFields(error);
    if (fields.isEmpty() || fieldIndex(fields.first()) < 0) {
        fields.clear();
        const QSqlIndex key = primaryKey();
        for (int i = 0; i < key.count(); ++i)
            fields << key.fieldName(i);
    }
    const int column = fields.isEmpty() ? -1 : fieldIndex(fields.first());
    const QString title = column >= 0 ? headerData(column, Qt::Horizontal).toString() : QString();
    const QString value = row >= 0 && column >= 0 ? data(index(row, column)).toString() : QString();
    const bool newRow = row >= 0 && row == m_newRow;
    const QString message = refusalMessage(error, title, value, newRow);
    if (isDuplicateKey(error) && row >= 0)
        restoreStoredKey(row, fields);
    emit postFailed(message);
    return false;
}

void SqlGridModel::restoreStoredKey(int row, const QStringList& fields)
{
    if (row == m_newRow) {
        cancel();
        return;
    }
    // The generated flags of the pending record mark the fields changed.
    const QSqlRecord edited = record(row);
    revertRow(row);
    for (int i = 0; i < edited.count(); ++i)
        if (edited.isGenerated(i) && !fields.contains(edited.fieldName(i), Qt::CaseInsensitive))
            QSqlTableModel::setData(index(row, i), edited.value(i));
    if (isDirty() && !submitAll())
        revertAll();
}

void SqlGridModel::cancel()
{
    revertAll();
    m_newRow = -1;
}

bool SqlGridModel::submit()
{
    // The view submits when its cursor changes rows and when an editor
    // closes with Enter. A new row nobody typed in is not stored: leaving
    // it drops it (leaveRow).
    if (m_reverting || (m_newRow >= 0 && !m_newRowTyped))
        return true;
    if (!submitOrReport())
        return false;
    if (!isDirty())
        m_newRow = -1;
    return true;
}

void SqlGridModel::revertRow(int row)
{
    if (row == m_newRow)
        m_newRow = -1;
    // Dropping a new row moves the view's cursor, which must not store or
    // revert anything while the model is in the middle of this.
    const bool outer = !m_reverting;
    m_reverting = true;
    QSqlTableModel::revertRow(row);
    if (outer)
        m_reverting = false;
}

bool SqlGridModel::select()
{
    m_newRow = -1;
    return QSqlTableModel::select();
}

bool SqlGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    QVariant v = value;
    if (role == Qt::EditRole && isMoney(index.column()) && !v.isNull()) {
        // Whatever the editor hands over is the yen the user sees.
        const QString text = v.toString().trimmed();
        if (text.isEmpty()) {
            v = QVariant(QMetaType::fromType<qlonglong>());
        } else {
            try {
                const std::optional<store::Money> m = store::Money::parse(text);
                if (!m)
                    return false;
                v = m->toVariant();
            } catch (const store::StoreError& e) {
                emit postFailed(e.message());
                return false;
            }
        }
    } else if (role == Qt::EditRole && v.typeId() == QMetaType::QString) {
        const QString text = v.toString();
        const QMetaType type = record().field(index.column()).metaType();
        const int size = textSize(index.column());
        // Empty stays NULL, which every reader takes as 0 or "".
        if (text.isEmpty())
            v = QVariant(type);
        else if (size > 0)
            v = store::Cp932::fitBytes(text, size);
        else if (type.id() != QMetaType::QString && v.canConvert(type))
            v.convert(type);
    }
    if (!QSqlTableModel::setData(index, v, role))
        return false;
    if (index.row() == m_newRow)
        m_newRowTyped = true;
    return true;
}

QVariant SqlGridModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::TextAlignmentRole) {
        const QMetaType type = record().field(index.column()).metaType();
        const bool number = type.id() == QMetaType::Int || type.id() == QMetaType::LongLong ||
                            type.id() == QMetaType::Double || isMoney(index.column());
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && isMoney(index.column())) {
        const QVariant stored = QSqlTableModel::data(index, role);
        if (stored.isNull() || !stored.isValid())
            return stored;
        try {
            return store::Money::fromVariant(stored).toString();
        } catch (const store::StoreError&) {
            return stored; // beyond the range: shown as stored rather than hidden
        }
    }
    return QSqlTableModel::data(index, role);
}

Qt::ItemFlags SqlGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QSqlTableModel::flags(index);
    if (m_readOnly.contains(index.column()))
        f &= ~Qt::ItemIsEditable;
    return f;
}

} // namespace widgets
