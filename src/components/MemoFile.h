#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace components {

// The files of the memo pad: page i (1 to 12) is "memo<i>.txt" in the
// installation folder and holds Rich Text Format despite its name; a file
// that holds plain text is read as plain text.
class MemoFile {
public:
    static constexpr int kPages = 12;

    // The file of page (1 to kPages) in workDir.
    static QString path(const QString& workDir, int page);

    // Fills doc from a file's bytes: RTF when they start with "{\rtf",
    // otherwise plain text in UTF-8 when the bytes are valid UTF-8, else in
    // Shift-JIS.
    static void read(const QByteArray& bytes, QTextDocument& doc);
    // Fills doc from the file; a missing file gives an empty page. Throws
    // store::StoreError when the file exists but cannot be read.
    static void load(const QString& path, QTextDocument& doc);
    // Writes doc as RTF, replacing the file only once the new content is
    // complete (store::SafeFile); throws store::StoreError when it cannot.
    static void save(const QString& path, const QTextDocument& doc);
};

} // namespace components
