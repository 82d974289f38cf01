#include "ui/widgets/ByteLengthValidator.h"

#include "store/Cp932.h"

namespace widgets {

ByteLengthValidator::ByteLengthValidator(int maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes)
{
}

QValidator::State ByteLengthValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    return store::Cp932::byteLength(input) <= m_maxBytes ? Acceptable : Invalid;
}

void ByteLengthValidator::fixup(QString& input) const
{
    input = store::Cp932::fitBytes(input, m_maxBytes);
}

} // namespace widgets
