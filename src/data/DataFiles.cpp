#include "data/DataFiles.h"

#include "store/StoreError.h"

#include <QFile>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

// The resources live in this static library; registering them here makes
// sure they are there whichever program links it.
static void initResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(zoravin_initial_data);
        return true;
    }();
    Q_UNUSED(done);
}

namespace data {

QString DataFiles::path(const QString& name)
{
    initResources();
    return u":/data/"_s + name;
}

QList<QStringList> DataFiles::readUtf8(const QString& name)
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        throw store::StoreError(u"初期データのファイルがありません: "_s + name);
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(file.readAll());
    if (decode.hasError())
        throw store::StoreError(u"初期データのファイルが UTF-8 ではありません: "_s + name);

    QList<QStringList> records;
    qsizetype columns = -1;
    int lineNo = 0;
    for (QString line : text.split(u'\n')) {
        ++lineNo;
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QStringList values = line.split(u',');
        if (columns < 0) {
            columns = values.size();
            continue;
        }
        if (values.size() != columns)
            throw store::StoreError(
                u"初期データのファイル %1 の %2 行目の項目数が違います。"_s.arg(name).arg(lineNo));
        records.append(values);
    }
    return records;
}

QString DataFiles::attribution()
{
    return u"出典：「日本食品標準成分表（八訂）増補2023年」（文部科学省）"
           u"（https://www.mext.go.jp/a_menu/syokuhinseibun/mext_00001.html）を加工して作成"_s;
}

} // namespace data
