#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace store {

class Prompter;

// One column of a CSV exchange file: the table field and its heading.
struct CsvColumn {
    QString field;
    QString label; // empty: the field name
};

// Writing a table to a CSV file and reading one back (CP932, CRLF, one
// heading line), as the group-list exchange files use them.
class TableCsv {
public:
    enum class ImportMode { Replace = 0 };

    // Writes every row of table in key order, columns as given (all fields
    // in table order when columns is empty). An existing file is replaced
    // only after the prompter answers Yes to "同名のファイルがあります。上書を
    // してもよいですか？". Numbers are written bare, other values in double
    // quotes with inner quotes doubled. Returns false when the user declined.
    // Throws StoreError when the file cannot be written or a value has no
    // Shift-JIS form.
    static bool ExportTableCsv(const QSqlDatabase& db, const QString& table, const QString& path,
                               Prompter& prompter, const QList<CsvColumn>& columns = {});

    // Replaces the rows of table with the records of the file after its
    // heading: column k goes to field k of columns (of the table's fields
    // when columns is empty; an auto-increment first field is skipped).
    // Line ends are CR LF, LF or CR; a last line without a line end is not
    // read. Does nothing when the file does not exist. All or nothing: a file
    // that is no Shift-JIS (UTF-8 among them), a quote that never closes, a
    // file without records (when replacing) or a value that does not fit its
    // field throws StoreError naming the file (and line) and leaves the
    // table as it was.
    static void ImportTableCsv(const QSqlDatabase& db, const QString& path, const QString& table,
                               ImportMode mode = ImportMode::Replace,
                               const QList<CsvColumn>& columns = {});

    static constexpr int kMaxImportColumns = 1001;
};

} // namespace store
