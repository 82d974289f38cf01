#include "components/MemoFile.h"

#include "components/RtfReader.h"
#include "components/RtfWriter.h"
#include "store/Cp932.h"
#include "store/SafeFile.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace components {

QString MemoFile::path(const QString& workDir, int page)
{
    return QDir(workDir).filePath(u"memo"_s + QString::number(page) + u".txt"_s);
}

void MemoFile::read(const QByteArray& bytes, QTextDocument& doc)
{
    if (bytes.startsWith("{\\rtf")) {
        RtfReader::read(bytes, doc);
        return;
    }
    QByteArray text = bytes;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8.decode(text);
    if (utf8.hasError())
        decoded = store::Cp932::decode(text).value_or(QString());
    if (decoded.isNull() && !text.isEmpty()) {
        // Neither encoding fits every byte: Shift-JIS with the bad bytes
        // shown as replacement characters, so the rest of the page survives.
        decoded = QStringDecoder("CP932").decode(text);
    }
    doc.setPlainText(decoded);
}

void MemoFile::load(const QString& path, QTextDocument& doc)
{
    QFile file(path);
    if (!file.exists()) {
        doc.clear();
        return;
    }
    if (!file.open(QIODevice::ReadOnly))
        throw store::StoreError(u"ファイルを読めません: "_s + path + u'\n' + file.errorString());
    read(file.readAll(), doc);
}

void MemoFile::save(const QString& path, const QTextDocument& doc)
{
    store::SafeFile::write(path, RtfWriter::write(doc));
}

} // namespace components
