#pragma once

#include <QByteArray>

class QTextDocument;

namespace components {

// Writes a QTextDocument as Rich Text Format that WordPad and Word open:
// Japanese text as Shift-JIS \'xx escapes (\ansicpg932, fonts with
// \fcharset128), any character without a Shift-JIS form as \uN with "?" as
// the fallback, and per run of text its font, size, bold, italic, underline
// and colour; per paragraph its alignment.
class RtfWriter {
public:
    static QByteArray write(const QTextDocument& doc);
};

} // namespace components
