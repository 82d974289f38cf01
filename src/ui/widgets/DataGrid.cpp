#include "ui/widgets/DataGrid.h"

#include "ui/widgets/GridDelegate.h"
#include "ui/widgets/SqlGridModel.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace widgets {

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), m_delegate(new GridDelegate(this))
{
    setItemDelegate(m_delegate);
    setSelectionBehavior(SelectItems);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setAlternatingRowColors(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    horizontalHeader()->setHighlightSections(false);
}

void DataGrid::setGridModel(SqlGridModel* model)
{
    m_model = model;
    setModel(model);
    connect(model, &SqlGridModel::postFailed, this, &DataGrid::postFailed);
}

void DataGrid::setColumnInput(const QString& field, InputMode mode)
{
    m_delegate->setColumnInput(m_model->column(field), mode);
}

void DataGrid::goToRow(int row)
{
    if (!m_model || m_model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    const int col = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(m_model->index(row, col));
}

void DataGrid::first()
{
    goToRow(0);
}

void DataGrid::prior()
{
    goToRow(currentIndex().row() - 1);
}

void DataGrid::next()
{
    goToRow(currentIndex().row() + 1);
}

void DataGrid::last()
{
    goToRow(m_model ? m_model->rowCount() - 1 : 0);
}

void DataGrid::commitEditor()
{
    QWidget* editor = m_delegate->openEditor();
    if (state() != EditingState || !editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool DataGrid::insertRow()
{
    if (!m_model)
        return false;
    commitEditor();
    const int col = currentIndex().isValid() ? currentIndex().column() : 0;
    if (!m_model->appendRow())
        return false;
    setCurrentIndex(m_model->index(m_model->newRow(), col));
    return true;
}

bool DataGrid::deleteCurrentRow()
{
    if (!m_model || !currentIndex().isValid())
        return false;
    const int row = currentIndex().row();
    cancelEditor();
    return m_model->deleteRowAt(row);
}

void DataGrid::editCurrent()
{
    if (currentIndex().isValid())
        edit(currentIndex());
}

bool DataGrid::post()
{
    if (!m_model)
        return true;
    commitEditor();
    return m_model->post();
}

void DataGrid::cancel()
{
    if (!m_model)
        return;
    const int row = currentIndex().row();
    const int col = std::max(0, currentIndex().column());
    cancelEditor();
    m_model->cancel();
    if (m_model->rowCount() > 0)
        setCurrentIndex(m_model->index(std::min(row, m_model->rowCount() - 1), col));
}

void DataGrid::refresh()
{
    if (post())
        m_model->select();
}

void DataGrid::cancelEditor()
{
    if (QWidget* editor = m_delegate->openEditor(); state() == EditingState && editor)
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void DataGrid::keyPressEvent(QKeyEvent* event)
{
    if (m_model && state() != EditingState) {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        const int row = currentIndex().row();
        switch (event->key()) {
        case Qt::Key_Down:
            if (row == m_model->rowCount() - 1 && !ctrl) {
                insertRow();
                return;
            }
            break;
        case Qt::Key_Insert:
            insertRow();
            return;
        case Qt::Key_Escape:
            // Esc takes back a row that is not stored yet, such as one the
            // table refused.
            if (m_model->isDirty()) {
                cancel();
                return;
            }
            break;
        case Qt::Key_Delete:
            // Only Ctrl+Delete asks for a deletion; Delete alone never
            // removes a row.
            if (ctrl)
                deleteCurrentRow();
            return;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_model || !previous.isValid() || previous.row() == current.row())
        return;
    m_model->leaveRow(previous.row());
}

} // namespace widgets
