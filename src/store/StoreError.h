#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// A failure of the store: a statement the engine refused, a file that could
// not be read or written. what() carries the message in UTF-8 for logs;
// message() is what the user sees.
class StoreError : public std::runtime_error {
public:
    explicit StoreError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace store
