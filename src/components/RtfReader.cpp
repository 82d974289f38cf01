#include "components/RtfReader.h"

#include "store/Cp932.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace components {

namespace {

// Deeper groups than this are read as skipped: real documents nest a few
// dozen levels at most, and the bound keeps the group stack small on hostile
// input.
constexpr int kMaxDepth = 128;
// RTF control words are at most 32 letters; parameters are cut to this.
constexpr int kMaxWordLength = 32;
constexpr int kParamLimit = 1 << 24;

enum class Destination { Text, FontTable, ColorTable, Skip };

struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int halfPoints = 24;
    int colorIndex = 0;
    int font = -1;
    int fallbackLength = 1; // \ucN
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct FontEntry {
    QByteArray name;
    int charset = 1;
    QString family;
};

// The code page of a Windows font character set; 0 and 1 (ANSI, default)
// mean the document's own code page.
int codePageOfCharset(int charset, int documentCodePage)
{
    switch (charset) {
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 2:
        return 1252; // symbol fonts: the glyphs differ, the bytes are single
    default:
        return documentCodePage;
    }
}

QString decodeCodePage(const QByteArray& bytes, int codePage)
{
    if (bytes.isEmpty())
        return {};
    const QByteArray name = codePage == 932 ? "CP932"_ba
                            : codePage == 0 ? "windows-1252"_ba
                                            : "windows-"_ba + QByteArray::number(codePage);
    // Stateless: a lead byte cut off at the end of a run is shown as a bad
    // character instead of waiting for a trail byte that never comes.
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        decoder = QStringDecoder("windows-1252", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

// A lone surrogate has no character; it becomes U+FFFD.
QString withoutLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            text[i] = QChar::ReplacementCharacter;
        }
    }
    return text;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

class Parser {
public:
    Parser(const QByteArray& input, QTextDocument& doc) : m_in(input), m_cursor(&doc)
    {
        m_states.reserve(kMaxDepth);
    }

    void run();

private:
    GroupState& state() { return m_states.back(); }
    bool skipping() const
    {
        return m_overflow > 0 || m_states.back().destination == Destination::Skip;
    }
    void openGroup();
    void closeGroup();
    void controlWord(const QByteArray& word, bool hasParam, int param);
    void controlSymbol(char symbol);
    void textByte(char byte);
    void appendChars(const QString& text);
    // Consumes one fallback character after \uN; true when it was one.
    bool consumeFallback();
    void flushBytes();
    void flushText();
    void newParagraph();
    int codePage();
    QTextCharFormat charFormat();
    void fontTableByte(char byte);
    void colorTableByte(char byte);

    const QByteArray& m_in;
    qsizetype m_pos = 0;
    QTextCursor m_cursor;
    std::vector<GroupState> m_states{GroupState{}};
    int m_overflow = 0;
    int m_documentCodePage = 1252;
    int m_defaultFont = -1;
    QHash<int, FontEntry> m_fonts;
    int m_definingFont = -1;
    std::vector<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    bool m_ignorableNext = false;
    int m_fallbackLeft = 0;
    QByteArray m_bytes; // code-page bytes not yet decoded
    QString m_text;     // decoded text not yet in the document
    QTextCharFormat m_textFormat;
};

void Parser::run()
{
    const qsizetype n = m_in.size();
    int topLevel = 0; // groups open; the document ends with its outer group
    m_cursor.beginEditBlock();
    while (m_pos < n) {
        const char c = m_in.at(m_pos++);
        if (c == '{') {
            m_fallbackLeft = 0;
            openGroup();
            ++topLevel;
        } else if (c == '}') {
            m_fallbackLeft = 0;
            closeGroup();
            if (--topLevel <= 0)
                break;
        } else if (c == '\\') {
            if (m_pos >= n)
                break;
            const char next = m_in.at(m_pos);
            if (isLetter(next)) {
                const qsizetype start = m_pos;
                while (m_pos < n && isLetter(m_in.at(m_pos)))
                    ++m_pos;
                const QByteArray word =
                    m_in.mid(start, std::min<qsizetype>(m_pos - start, kMaxWordLength));
                bool negative = false;
                if (m_pos + 1 < n && m_in.at(m_pos) == '-' && isDigit(m_in.at(m_pos + 1))) {
                    negative = true;
                    ++m_pos;
                }
                bool hasParam = false;
                long long value = 0;
                while (m_pos < n && isDigit(m_in.at(m_pos))) {
                    hasParam = true;
                    value = std::min<long long>(value * 10 + (m_in.at(m_pos) - '0'), kParamLimit);
                    ++m_pos;
                }
                if (m_pos < n && m_in.at(m_pos) == ' ')
                    ++m_pos;
                const int param = static_cast<int>(negative ? -value : value);
                if (m_fallbackLeft > 0 && word != "bin") {
                    --m_fallbackLeft;
                    continue;
                }
                controlWord(word, hasParam, param);
            } else {
                ++m_pos;
                if (next == '\'') {
                    if (m_pos + 1 < n) {
                        const int hi = hexValue(m_in.at(m_pos));
                        const int lo = hexValue(m_in.at(m_pos + 1));
                        m_pos += 2;
                        if (consumeFallback())
                            continue;
                        if (hi >= 0 && lo >= 0)
                            textByte(static_cast<char>(hi * 16 + lo));
                    } else {
                        m_pos = n;
                    }
                } else {
                    if (consumeFallback())
                        continue;
                    controlSymbol(next);
                }
            }
        } else if (c == '\r' || c == '\n') {
            // Line ends in RTF are only there for readers of the file.
        } else {
            if (consumeFallback())
                continue;
            textByte(c);
        }
    }
    flushBytes();
    flushText();
    m_cursor.endEditBlock();
}

bool Parser::consumeFallback()
{
    if (m_fallbackLeft <= 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void Parser::openGroup()
{
    flushBytes();
    if (m_overflow > 0 || static_cast<int>(m_states.size()) >= kMaxDepth) {
        ++m_overflow;
        return;
    }
    GroupState copy = state();
    m_states.push_back(copy);
    m_ignorableNext = false;
}

void Parser::closeGroup()
{
    flushBytes();
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    const GroupState closing = state();
    if (closing.destination == Destination::FontTable && m_definingFont >= 0) {
        // An entry whose name lacks the closing ";" still counts.
        auto& font = m_fonts[m_definingFont];
        if (font.family.isEmpty() && !font.name.isEmpty())
            font.family =
                decodeCodePage(font.name, codePageOfCharset(font.charset, m_documentCodePage))
                    .trimmed();
        m_definingFont = -1;
    }
    if (m_states.size() > 1)
        m_states.pop_back();
    m_ignorableNext = false;
}

void Parser::controlWord(const QByteArray& word, bool hasParam, int param)
{
    if (word == "bin") {
        // Binary data, in a picture most often: skipped byte for byte and
        // never read as RTF, even in a group that is skipped, since its
        // bytes may look like braces.
        m_pos += std::min<qsizetype>(std::max(param, 0), m_in.size() - m_pos);
        return;
    }
    GroupState& s = state();
    if (m_overflow > 0)
        return;
    // Bytes read so far belong before whatever this word adds or changes.
    flushBytes();
    // A destination marked \* that is not read here is skipped whole.
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;

    static const QSet<QByteArray> skipped = {
        "stylesheet"_ba,   "info"_ba,       "pict"_ba,
        "object"_ba,       "header"_ba,     "headerl"_ba,
        "headerr"_ba,      "headerf"_ba,    "footer"_ba,
        "footerl"_ba,      "footerr"_ba,    "footerf"_ba,
        "footnote"_ba,     "listtable"_ba,  "listoverridetable"_ba,
        "revtbl"_ba,       "rsidtbl"_ba,    "generator"_ba,
        "xmlnstbl"_ba,     "themedata"_ba,  "colorschememapping"_ba,
        "latentstyles"_ba, "datastore"_ba,  "pgdsctbl"_ba,
        "template"_ba,     "filetbl"_ba,    "annotation"_ba,
        "atnid"_ba,        "atnauthor"_ba,  "pntext"_ba,
        "listtext"_ba,     "fldinst"_ba,    "bkmkstart"_ba,
        "bkmkend"_ba,      "nonshppict"_ba, "shppict"_ba,
        "comment"_ba,      "title"_ba,      "author"_ba,
        "operator"_ba,     "company"_ba,    "doccomm"_ba,
        "keywords"_ba,     "subject"_ba};

    if (s.destination == Destination::Skip)
        return;
    if (word == "fonttbl") {
        flushBytes();
        s.destination = Destination::FontTable;
        return;
    }
    if (word == "colortbl") {
        flushBytes();
        s.destination = Destination::ColorTable;
        m_colors.clear();
        m_colorSet = false;
        m_red = m_green = m_blue = 0;
        return;
    }
    if (skipped.contains(word) || ignorable) {
        flushBytes();
        s.destination = Destination::Skip;
        return;
    }
    if (s.destination == Destination::FontTable) {
        if (word == "f") {
            m_definingFont = param;
            m_fonts[param] = FontEntry{};
        } else if (word == "fcharset" && m_definingFont >= 0) {
            m_fonts[m_definingFont].charset = param;
        }
        return;
    }
    if (s.destination == Destination::ColorTable) {
        if (word == "red")
            m_red = std::clamp(param, 0, 255);
        else if (word == "green")
            m_green = std::clamp(param, 0, 255);
        else if (word == "blue")
            m_blue = std::clamp(param, 0, 255);
        m_colorSet = m_colorSet || word == "red" || word == "green" || word == "blue";
        return;
    }

    if (word == "u") {
        flushBytes();
        const int unit = param < 0 ? param + 65536 : param;
        if (unit >= 0 && unit <= 0xFFFF)
            appendChars(QString(QChar(static_cast<char16_t>(unit))));
        m_fallbackLeft = s.fallbackLength;
        return;
    }
    if (word == "uc") {
        s.fallbackLength = std::clamp(param, 0, 16);
        return;
    }
    if (word == "par" || word == "sect" || word == "row") {
        flushBytes();
        newParagraph();
        return;
    }
    if (word == "line") {
        appendChars(QString(QChar::LineSeparator));
        return;
    }
    if (word == "tab" || word == "cell") {
        appendChars(u"\t"_s);
        return;
    }
    static const QHash<QByteArray, char16_t> symbols = {
        {"emdash"_ba, 0x2014},    {"endash"_ba, 0x2013},  {"bullet"_ba, 0x2022},
        {"lquote"_ba, 0x2018},    {"rquote"_ba, 0x2019},  {"ldblquote"_ba, 0x201C},
        {"rdblquote"_ba, 0x201D}, {"emspace"_ba, 0x2003}, {"enspace"_ba, 0x2002}};
    if (const auto it = symbols.find(word); it != symbols.end()) {
        appendChars(QString(QChar(it.value())));
        return;
    }

    // Everything below changes how the following text looks.
    flushBytes();
    if (word == "ansicpg") {
        if (param > 0)
            m_documentCodePage = param;
    } else if (word == "deff") {
        m_defaultFont = param;
    } else if (word == "plain") {
        const int font = m_defaultFont;
        const int fallback = s.fallbackLength;
        const Destination d = s.destination;
        const Qt::Alignment alignment = s.alignment;
        s = GroupState{};
        s.font = font;
        s.fallbackLength = fallback;
        s.destination = d;
        s.alignment = alignment;
    } else if (word == "b") {
        s.bold = !hasParam || param != 0;
    } else if (word == "i") {
        s.italic = !hasParam || param != 0;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
               word == "uldash" || word == "ulth" || word == "ulwave") {
        s.underline = !hasParam || param != 0;
    } else if (word == "ulnone") {
        s.underline = false;
    } else if (word == "fs") {
        s.halfPoints = hasParam ? std::clamp(param, 2, 3276) : 24;
    } else if (word == "cf") {
        s.colorIndex = param;
    } else if (word == "f") {
        s.font = param;
    } else if (word == "pard") {
        s.alignment = Qt::AlignLeft;
        flushText();
        m_cursor.mergeBlockFormat([] {
            QTextBlockFormat f;
            f.setAlignment(Qt::AlignLeft);
            return f;
        }());
    } else if (word == "ql" || word == "qc" || word == "qr" || word == "qj") {
        s.alignment = word == "qc"   ? Qt::AlignHCenter
                      : word == "qr" ? Qt::AlignRight
                      : word == "qj" ? Qt::AlignJustify
                                     : Qt::AlignLeft;
        flushText();
        QTextBlockFormat f;
        f.setAlignment(s.alignment);
        m_cursor.mergeBlockFormat(f);
    }
}

void Parser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (m_overflow > 0 || state().destination == Destination::Skip)
        return;
    // An escaped "\\" can be the trail byte of a Shift-JIS character (表 is
    // 0x95 0x5C), so it joins the bytes before it.
    if (symbol == '\\' || symbol == '{' || symbol == '}') {
        textByte(symbol);
        return;
    }
    flushBytes();
    switch (symbol) {
    case '~':
        appendChars(QString(QChar::Nbsp));
        break;
    case '_':
        appendChars(QString(QChar(0x2011)));
        break;
    case '\n':
    case '\r':
        // "\" before a line end is a paragraph mark in old writers.
        flushBytes();
        if (state().destination == Destination::Text)
            newParagraph();
        break;
    default:
        break; // \- optional hyphen, \| formula, \: index entry
    }
}

void Parser::textByte(char byte)
{
    if (m_overflow > 0)
        return;
    switch (state().destination) {
    case Destination::Skip:
        return;
    case Destination::FontTable:
        fontTableByte(byte);
        return;
    case Destination::ColorTable:
        colorTableByte(byte);
        return;
    case Destination::Text:
        m_ignorableNext = false;
        m_bytes.append(byte);
        return;
    }
}

void Parser::fontTableByte(char byte)
{
    if (m_definingFont < 0)
        return;
    FontEntry& font = m_fonts[m_definingFont];
    if (byte == ';') {
        font.family = decodeCodePage(font.name, codePageOfCharset(font.charset, m_documentCodePage))
                          .trimmed();
        m_definingFont = -1;
    } else if (font.name.size() < 256) {
        font.name.append(byte);
    }
}

void Parser::colorTableByte(char byte)
{
    if (byte != ';')
        return;
    // An entry without components is "auto": the text keeps its default.
    m_colors.push_back(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
}

int Parser::codePage()
{
    const int font = state().font >= 0 ? state().font : m_defaultFont;
    const auto it = m_fonts.constFind(font);
    return codePageOfCharset(it == m_fonts.cend() ? 1 : it->charset, m_documentCodePage);
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const int page = codePage();
    // A lead byte cut off from its trail byte (by a group, a control word
    // or the end of the file) is a bad character, not a lost one.
    bool cutLeadByte = false;
    if (page == 932) {
        qsizetype i = 0;
        while (i < m_bytes.size())
            i += store::Cp932::isLeadByte(static_cast<unsigned char>(m_bytes.at(i))) ? 2 : 1;
        cutLeadByte = i > m_bytes.size();
        if (cutLeadByte)
            m_bytes.chop(1);
    }
    QString text = decodeCodePage(m_bytes, page);
    if (cutLeadByte)
        text += QChar::ReplacementCharacter;
    m_bytes.clear();
    appendChars(text);
}

QTextCharFormat Parser::charFormat()
{
    const GroupState& s = state();
    QTextCharFormat f;
    f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(s.italic);
    f.setFontUnderline(s.underline);
    f.setFontPointSize(s.halfPoints / 2.0);
    const int font = s.font >= 0 ? s.font : m_defaultFont;
    if (const auto it = m_fonts.constFind(font); it != m_fonts.cend() && !it->family.isEmpty())
        f.setFontFamilies({it->family});
    if (s.colorIndex > 0 && s.colorIndex < static_cast<int>(m_colors.size()) &&
        m_colors[s.colorIndex].isValid())
        f.setForeground(m_colors[s.colorIndex]);
    return f;
}

void Parser::appendChars(const QString& text)
{
    if (text.isEmpty() || m_overflow > 0 || state().destination != Destination::Text)
        return;
    m_ignorableNext = false;
    const QTextCharFormat f = charFormat();
    if (!m_text.isEmpty() && f != m_textFormat)
        flushText();
    m_textFormat = f;
    m_text += text;
}

void Parser::flushText()
{
    if (m_text.isEmpty())
        return;
    QString text = withoutLoneSurrogates(m_text);
    // Control characters have no place in a text document (a stray \0 or
    // \f from a broken file); the block separators would split paragraphs.
    for (QChar& c : text) {
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F)
            c = QChar::ReplacementCharacter;
        else if (c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1) ||
                 c == QChar::ObjectReplacementCharacter)
            c = QChar::ReplacementCharacter;
    }
    m_cursor.insertText(text, m_textFormat);
    m_text.clear();
}

void Parser::newParagraph()
{
    if (m_overflow > 0 || state().destination != Destination::Text)
        return;
    flushText();
    QTextBlockFormat f;
    f.setAlignment(state().alignment);
    m_cursor.insertBlock(f, charFormat());
}

} // namespace

void RtfReader::read(const QByteArray& rtf, QTextDocument& doc)
{
    doc.clear();
    // Loading is not an edit to undo, and one layout pass at the end is
    // far cheaper than one per insert.
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    {
        Parser parser(rtf, doc);
        parser.run();
    }
    doc.setUndoRedoEnabled(undo);
}

} // namespace components
