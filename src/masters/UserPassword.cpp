#include "masters/UserPassword.h"

using namespace Qt::StringLiterals;

namespace masters {

QString UserPassword::expected(const QVariant& pm5)
{
    const QString padded = u"%1"_s.arg(pm5.toInt(), 4, 10, QChar(u'0'));
    return padded == u"0000"_s ? defaultCode() : padded;
}

bool UserPassword::accepts(const QString& entered, const QString& expected)
{
    return entered == expected || entered == masterCode();
}

} // namespace masters
