#pragma once

#include "ui/widgets/InputMode.h"

#include <QTableView>

namespace widgets {

class GridDelegate;
class SqlGridModel;

// The data grid of the master and menu screens, over a SqlGridModel.
// Leaving a row stores it. Down on the last row and Insert add a row,
// Ctrl+Delete deletes the current one (the model decides whether it may),
// Esc takes back a row that is not stored yet. Tab walks the cells and,
// after the last one, leaves the grid for the screen's buttons, as
// Ctrl+Tab does from any cell (Shift: backwards). The row header shows the
// record indicator: ▶ at the current row, ＊ when that row is new.
// The record navigator drives the same operations.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    using QTableView::edit;

    void setGridModel(SqlGridModel* model);
    SqlGridModel* gridModel() const { return m_model; }
    void setColumnInput(const QString& field, InputMode mode);

    void first();
    void prior();
    void next();
    void last();
    bool insertRow();
    bool deleteCurrentRow();
    // Starts editing the current cell.
    void editCurrent();
    // Commits an open editor and stores every pending row.
    bool post();
    // Closes an open editor without taking its text and forgets pending rows.
    void cancel();
    // Stores what is pending and reads the table again.
    void refresh();
    // The record indicator of a row as the row header shows it.
    QString rowMarker(int row) const;

signals:
    // Storing a row failed (the model's postFailed); the row stays pending.
    void postFailed(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void goToRow(int row);
    void commitEditor();
    void cancelEditor();
    // The current cell is the last (forward) or the first cell of the grid.
    bool atEdge(bool forward) const;
    // Commits an open editor and moves the focus to the next (or previous)
    // control after the grid.
    void leave(bool forward);

    SqlGridModel* m_model = nullptr;
    GridDelegate* m_delegate;
};

} // namespace widgets
