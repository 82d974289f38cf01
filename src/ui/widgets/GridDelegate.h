#pragma once

#include "ui/widgets/InputMode.h"

#include <QHash>
#include <QPointer>
#include <QStyledItemDelegate>

namespace widgets {

// The cell editor of the grids: a line edit that takes no more CP932 bytes
// than the field holds, only digits (and a sign) in integer fields, yen with
// up to four decimals in money fields, and switches the input method per
// column.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setColumnInput(int column, InputMode mode) { m_inputs.insert(column, mode); }
    // The editor of the cell being edited, if any.
    QWidget* openEditor() const { return m_editor; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    QHash<int, InputMode> m_inputs;
    mutable QPointer<QWidget> m_editor;
};

} // namespace widgets
