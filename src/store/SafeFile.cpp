#include "store/SafeFile.h"

#include "store/StoreError.h"

#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace store {

void SafeFile::write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw StoreError(u"ファイルに書き込めません: "_s + path + u'\n' + file.errorString());
}

} // namespace store
