#pragma once

#include <QString>
#include <QVariant>

namespace masters {

// The four-digit user password asked for at every start. It is kept as a
// number in HeadM.PM5 and typed with leading zeros; 0 (or nothing) means
// that no password was set and the default applies. The master code opens
// every installation, for support.
class UserPassword {
public:
    static QString defaultCode() { return QStringLiteral("7295"); }
    static QString masterCode() { return QStringLiteral("3907"); }

    // PM5 written with at least four digits, or the default when PM5 is 0
    // or empty.
    static QString expected(const QVariant& pm5);
    static bool accepts(const QString& entered, const QString& expected);
};

} // namespace masters
