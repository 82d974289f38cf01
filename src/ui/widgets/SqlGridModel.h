#pragma once

#include <QSet>
#include <QSqlError>
#include <QSqlTableModel>
#include <functional>

namespace widgets {

// The model behind every grid screen: one table of the store, in key order,
// stored a row at a time when the cursor leaves the row (OnRowChange).
// Texts are cut to their field's size in CP932 bytes when they are stored.
// A screen states which new rows and deletions it allows; what it refuses
// is refused silently. A new row that the user left without typing
// anything is dropped, not stored.
class SqlGridModel : public QSqlTableModel {
    Q_OBJECT
public:
    SqlGridModel(const QSqlDatabase& db, const QString& table, QObject* parent = nullptr);

    // rowsHeld is the number of rows before the new one.
    void setInsertRule(std::function<bool(int rowsHeld)> rule) { m_mayInsert = std::move(rule); }
    void setDeleteRule(std::function<bool(int row)> rule) { m_mayDelete = std::move(rule); }
    // Fills the fields of a new row (its key, usually) before the user types.
    void setPrimer(std::function<void(QSqlRecord&)> primer) { m_primer = std::move(primer); }

    void setColumnTitle(const QString& field, const QString& title);
    void setReadOnly(const QString& field);
    int column(const QString& field) const { return fieldIndex(field); }
    // The CP932 byte size of the column's text field, 0 for other fields.
    int textSize(int column) const;
    // A money field: shown and edited as yen ("1234.5"), stored as
    // ten-thousandths through store::Money.
    bool isMoney(int column) const { return m_moneyColumns.contains(column); }

    // Adds a row at the end, storing a pending row first; false when refused
    // or when the pending row could not be stored.
    bool appendRow();
    // Deletes the row from the table; false when refused or failed.
    bool deleteRowAt(int row);
    // The cursor leaves row: stores it, or drops it when it is a new row
    // nobody typed in. False when storing failed (the row stays pending).
    bool leaveRow(int row);
    // Stores every pending row.
    bool post();
    // Forgets every pending change.
    void cancel();
    int newRow() const { return m_newRow; }

    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Numbers stand right-aligned, as in every ledger.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The view submits and reverts on its own too (an editor closed with
    // Enter or Esc); the new row is tracked through all of them.
    bool submit() override;
    void revertRow(int row) override;
    bool select() override;

    // The message for a row the table refused, in words the user knows.
    static QString refusalMessage(const QSqlError& error, const QString& columnTitle,
                                  const QString& value, bool newRow);

signals:
    // A row could not be stored; message says why in Japanese. A row
    // refused for a duplicate key shows what is stored again: an edited row
    // gets its stored key back (its other changes are stored), a new row is
    // dropped. Other refusals leave the row pending, to be corrected or
    // taken back.
    void postFailed(const QString& message);

private:
    bool submitOrReport();
    // The first pending row, or -1.
    int pendingRow() const;
    // Puts the stored values of the key fields back into a pending row and
    // stores the rest of its change; drops the row when it is new.
    void restoreStoredKey(int row, const QStringList& fields);

    std::function<bool(int)> m_mayInsert;
    std::function<bool(int)> m_mayDelete;
    std::function<void(QSqlRecord&)> m_primer;
    QList<int> m_textSizes;
    QSet<int> m_readOnly;
    QSet<int> m_moneyColumns;
    int m_newRow = -1;
    bool m_newRowTyped = false;
    bool m_reverting = false;
};

} // namespace widgets
