#include "components/RtfWriter.h"

#include <QColor>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;

namespace components {

namespace {

class Cp932Text {
public:
    // Appends the character (one code point, one or two UTF-16 units) as
    // RTF: ASCII as it is, a character Shift-JIS holds as its \'xx bytes,
    // any other as \uN units with "?" for readers without Unicode.
    void append(QByteArray& out, const QString& ch)
    {
        const char16_t first = ch.at(0).unicode();
        if (ch.size() == 1 && first < 0x80) {
            appendAscii(out, static_cast<char>(first));
            return;
        }
        const QByteArray bytes = m_encoder.encode(ch);
        const bool encoded = !m_encoder.hasError();
        m_encoder.resetState();
        // Only a character that comes back as itself is written as bytes;
        // the others (look-alikes folded by the table) keep their identity.
        if (encoded && !bytes.isEmpty() && m_decoder.decode(bytes) == ch && !m_decoder.hasError()) {
            for (const char b : bytes) {
                out += "\\'";
                out += QByteArray::number(static_cast<unsigned char>(b), 16).rightJustified(2, '0');
            }
        } else {
            for (const QChar unit : ch) {
                out += "\\u";
                out += QByteArray::number(static_cast<qint16>(unit.unicode()));
                out += '?';
            }
        }
        m_decoder.resetState();
    }

private:
    static void appendAscii(QByteArray& out, char c)
    {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '{':
            out += "\\{";
            break;
        case '}':
            out += "\\}";
            break;
        case '\t':
            out += "\\tab ";
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F)
                out += c;
        }
    }

    QStringEncoder m_encoder{"CP932"};
    QStringDecoder m_decoder{"CP932"};
};

void appendText(QByteArray& out, Cp932Text& cp932, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QChar::LineSeparator) {
            out += "\\line ";
        } else if (c == QChar::Nbsp) {
            out += "\\~";
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            cp932.append(out, text.mid(i, 2));
            ++i;
        } else if (c == QChar::ObjectReplacementCharacter || c == QChar(0xFDD0) ||
                   c == QChar(0xFDD1)) {
            // Images, tables and frames are not kept in a memo.
        } else {
            cp932.append(out, QString(c));
        }
    }
}

int indexOf(std::vector<QString>& list, const QString& value)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == value)
            return static_cast<int>(i);
    list.push_back(value);
    return static_cast<int>(list.size() - 1);
}

int indexOf(std::vector<QColor>& list, const QColor& value)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == value)
            return static_cast<int>(i);
    list.push_back(value);
    return static_cast<int>(list.size() - 1);
}

QString familyOf(const QTextCharFormat& f, const QTextDocument& doc)
{
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return doc.defaultFont().family();
}

double pointSizeOf(const QTextCharFormat& f, const QTextDocument& doc)
{
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        return f.fontPointSize();
    const double size = doc.defaultFont().pointSizeF();
    return size > 0 ? size : 12.0;
}

const char* alignmentWord(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "\\qc";
    if (a & Qt::AlignJustify)
        return "\\qj";
    if (a & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& doc)
{
    Cp932Text cp932;
    std::vector<QString> fonts;
    std::vector<QColor> colors{QColor()}; // entry 0: the default colour
    fonts.push_back(doc.defaultFont().family());

    QByteArray body;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin())
            body += "\\par\n";
        body += "\\pard";
        body += alignmentWord(block.blockFormat().alignment());
        body += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat f = fragment.charFormat();
            body += "{\\f" + QByteArray::number(indexOf(fonts, familyOf(f, doc)));
            body += "\\fs" + QByteArray::number(std::lround(pointSizeOf(f, doc) * 2));
            if (f.fontWeight() >= QFont::DemiBold)
                body += "\\b";
            if (f.fontItalic())
                body += "\\i";
            if (f.fontUnderline())
                body += "\\ul";
            if (f.hasProperty(QTextFormat::ForegroundBrush) &&
                f.foreground().style() != Qt::NoBrush) {
                QColor c = f.foreground().color();
                c.setAlpha(255);
                body += "\\cf" + QByteArray::number(indexOf(colors, c));
            }
            body += ' ';
            appendText(body, cp932, fragment.text());
            body += '}';
        }
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1041\n{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + QByteArray::number(static_cast<int>(i)) + "\\fnil\\fcharset128 ";
        // ";" ends a name in the font table.
        appendText(out, cp932, QString(fonts[i]).remove(u';'));
        out += ";}";
    }
    out += "}\n{\\colortbl ;";
    for (size_t i = 1; i < colors.size(); ++i) {
        out += "\\red" + QByteArray::number(colors[i].red()) + "\\green" +
               QByteArray::number(colors[i].green()) + "\\blue" +
               QByteArray::number(colors[i].blue()) + ';';
    }
    out += "}\n\\viewkind4\\uc1\n";
    out += body;
    out += "\n}\n";
    return out;
}

} // namespace components
