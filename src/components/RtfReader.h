#pragma once

#include <QByteArray>

class QTextDocument;

namespace components {

// Reads Rich Text Format as WordPad, Word and LibreOffice write it into a
// QTextDocument: text (code-page bytes as \'xx in the font's or the
// document's code page, Shift-JIS included, and \uN characters with their
// \ucN fallback skipped), paragraphs, alignment, fonts, bold, italic,
// underline, size and colour. Everything else (pictures, style sheets,
// headers, \* destinations) is skipped. Any input, however broken, gives a
// document: the parser is a loop over the bytes with a bounded group stack,
// so it neither recurses nor runs longer than the input.
class RtfReader {
public:
    // Replaces doc's content with what rtf holds.
    static void read(const QByteArray& rtf, QTextDocument& doc);
};

} // namespace components
