#pragma once

#include <QByteArray>
#include <QString>

namespace store {

// Writes a whole file so that a reader never sees it half-written: the bytes
// go to a temporary file beside it, which replaces the target only when
// complete.
class SafeFile {
public:
    // Throws StoreError when the file cannot be written.
    static void write(const QString& path, const QByteArray& bytes);
};

} // namespace store
