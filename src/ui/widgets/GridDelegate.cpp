#include "ui/widgets/GridDelegate.h"

#include "ui/widgets/ByteLengthValidator.h"
#include "ui/widgets/SqlGridModel.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSqlField>
#include <QSqlRecord>

namespace widgets {

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    const auto* model = qobject_cast<const SqlGridModel*>(index.model());
    InputMode mode = m_inputs.value(index.column(), InputMode::Off);
    if (model) {
        const int size = model->textSize(index.column());
        const QMetaType type = model->record().field(index.column()).metaType();
        if (model->isMoney(index.column()))
            // Yen with up to four decimals, within the 14 digits money holds.
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("-?[0-9]{0,14}(\\.[0-9]{0,4})?")), edit));
        else if (size > 0)
            edit->setValidator(new ByteLengthValidator(size, edit));
        else if (type.id() == QMetaType::Int || type.id() == QMetaType::LongLong)
            edit->setValidator(new QIntValidator(edit));
        else if (type.id() == QMetaType::Double)
            edit->setValidator(new QDoubleValidator(edit));
    }
    applyInputMode(edit, mode);
    m_editor = edit;
    return edit;
}

} // namespace widgets
