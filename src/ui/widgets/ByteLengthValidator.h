#pragma once

#include <QString>
#include <QValidator>

namespace widgets {

// Keeps the text of an edit within a text field's size in CP932 bytes, so a
// full-width character counts twice. A key or a paste that would go beyond
// the size is refused. Look-alikes that input methods produce (〜 −) are
// turned into their Shift-JIS forms as they are typed; a character that
// Shift-JIS cannot hold (𠮷, emoji) is refused with a message beside the
// edit, also sent as refused().
class ByteLengthValidator : public QValidator {
    Q_OBJECT
public:
    explicit ByteLengthValidator(int maxBytes, QObject* parent = nullptr);

    int maxBytes() const { return m_maxBytes; }
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

signals:
    void refused(const QString& message) const;

private:
    int m_maxBytes;
};

} // namespace widgets
