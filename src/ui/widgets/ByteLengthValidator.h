#pragma once

#include <QValidator>

namespace widgets {

// Keeps the text of an edit within a text field's size in CP932 bytes, so a
// full-width character counts twice. A key or a paste that would go beyond
// the size is refused.
class ByteLengthValidator : public QValidator {
    Q_OBJECT
public:
    explicit ByteLengthValidator(int maxBytes, QObject* parent = nullptr);

    int maxBytes() const { return m_maxBytes; }
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    int m_maxBytes;
};

} // namespace widgets
