#pragma once

#include "masters/NameLists.h"

#include "ui/widgets/ModalScreen.h"

class QPushButton;

namespace widgets {
class DataGrid;
class SqlGridModel;
} // namespace widgets

namespace masterscreens {

// The screen of one of the two short code lists (meal types, target
// groups): a heading, the note not to change them, and a grid of the list
// that stays disabled until "編　　集" is pressed. New rows beyond the
// list's size and every deletion are refused silently. Closing stores a
// pending edit and reloads MealNames and TargetNames; a row the table
// refuses (a duplicate code) is reported and keeps the screen open once, on
// the stored values, so the user sees what became of the typing.
class NameListScreen : public widgets::ModalScreen {
    Q_OBJECT
public:
    widgets::DataGrid* grid() const { return m_grid; }
    widgets::SqlGridModel* model() const { return m_model; }
    QPushButton* editButton() const { return m_edit; }

    void done(int result) override;

protected:
    NameListScreen(masters::NameList list, const QString& heading, const QString& nameTitle,
                   bool codeEditable, QWidget* parent);

    void showEvent(QShowEvent* event) override;

private:
    masters::NameList m_list;
    widgets::SqlGridModel* m_model;
    widgets::DataGrid* m_grid;
    QPushButton* m_edit;
    bool m_open = false;
};

} // namespace masterscreens
