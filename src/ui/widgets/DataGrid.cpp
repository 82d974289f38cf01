#include "ui/widgets/DataGrid.h"

#include "ui/widgets/GridDelegate.h"
#include "ui/widgets/SqlGridModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace widgets {

namespace {

// The row header of the grids: no row numbers, which stand beside codes
// such as 0 and 1 and are taken for them, but the record indicator.
class RecordIndicatorHeader : public QHeaderView {
public:
    explicit RecordIndicatorHeader(DataGrid* grid) : QHeaderView(Qt::Vertical, grid), m_grid(grid)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        size.setWidth(fontMetrics().horizontalAdvance(u"＊"_s) + 12);
        return size;
    }
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = rect;
        opt.section = logicalIndex;
        opt.text = m_grid->rowMarker(logicalIndex);
        opt.textAlignment = Qt::AlignCenter;
        style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    }

private:
    DataGrid* m_grid;
};

} // namespace

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), m_delegate(new GridDelegate(this))
{
    setItemDelegate(m_delegate);
    setSelectionBehavior(SelectItems);
    setSelectionMode(SingleSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setAlternatingRowColors(true);
    setVerticalHeader(new RecordIndicatorHeader(this));
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

QString DataGrid::rowMarker(int row) const
{
    if (row < 0 || row != currentIndex().row())
        return {};
    return m_model && row == m_model->newRow() ? u"＊"_s : u"▶"_s;
}

bool DataGrid::atEdge(bool forward) const
{
    const QModelIndex current = currentIndex();
    if (!m_model || !current.isValid())
        return true;
    if (current.row() != (forward ? m_model->rowCount() - 1 : 0))
        return false;
    const QHeaderView* header = horizontalHeader();
    const int step = forward ? 1 : -1;
    for (int v = header->visualIndex(current.column()) + step; v >= 0 && v < header->count();
         v += step)
        if (!isColumnHidden(header->logicalIndex(v)))
            return false;
    return true;
}

void DataGrid::leave(bool forward)
{
    commitEditor();
    setFocus(Qt::OtherFocusReason);
    QWidget::focusNextPrevChild(forward);
}

bool DataGrid::focusNextPrevChild(bool next)
{
    // Tab past the last cell (Shift+Tab before the first) goes on to the
    // screen's controls instead of starting over in the grid.
    if (hasFocus() && atEdge(next)) {
        leave(next);
        return true;
    }
    return QTableView::focusNextPrevChild(next);
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!QTableView::edit(index, trigger, event))
        return false;
    // Installed after the delegate's filter, so it sees Tab first.
    if (QWidget* editor = m_delegate->openEditor())
        editor->installEventFilter(this);
    return true;
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == m_delegate->openEditor()) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        const bool forward = key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
        if (tab && ((key->modifiers() & Qt::ControlModifier) || atEdge(forward))) {
            leave(forward);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
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
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (ctrl) {
                leave(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
                return;
            }
            break;
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
    verticalHeader()->viewport()->update();
    if (!m_model || !previous.isValid() || previous.row() == current.row())
        return;
    m_model->leaveRow(previous.row());
}

} // namespace widgets
