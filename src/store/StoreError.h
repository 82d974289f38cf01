#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// A failure of the store: a statement the engine refused, a file that could
// not be read or written. message() is what the user sees: what happened and
// what to do, in Japanese. detail() keeps what support needs (the engine's
// own text and the statement) and is never the whole message. what() carries
// both in UTF-8 for logs.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message, const QString& detail = {})
        : std::runtime_error(
              (detail.isEmpty() ? message : message + QStringLiteral("\n") + detail).toStdString()),
          m_message(message), m_detail(detail)
    {
    }
    const QString& message() const { return m_message; }
    const QString& detail() const { return m_detail; }

private:
    QString m_message;
    QString m_detail;
};

} // namespace store
