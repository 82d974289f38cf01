#include "ui/widgets/ByteLengthValidator.h"

#include "store/Cp932.h"
#include "store/StoreError.h"

#include <QToolTip>
#include <QWidget>

namespace widgets {

ByteLengthValidator::ByteLengthValidator(int maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes)
{
}

QValidator::State ByteLengthValidator::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos); // every replacement keeps the length, so the cursor stays
    input = store::Cp932::withCp932Forms(input);
    const QString message = store::Cp932::unmappableMessage(input);
    if (!message.isEmpty()) {
        // A silent refusal would leave the user guessing why the key did nothing.
        if (auto* edit = qobject_cast<QWidget*>(parent()); edit && edit->isVisible())
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), message, edit);
        emit refused(message);
        return Invalid;
    }
    return store::Cp932::byteLength(input) <= m_maxBytes ? Acceptable : Invalid;
}

void ByteLengthValidator::fixup(QString& input) const
{
    try {
        input = store::Cp932::fitBytes(input, m_maxBytes);
    } catch (const store::StoreError&) {
        // validate() has refused the text and said why.
    }
}

} // namespace widgets
