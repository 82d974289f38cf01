#pragma once

#include "masters/InitialData.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace store {
class Session;
}

namespace menu {

// The demo installation: on top of the initial data, suppliers, a month of
// menus and their purchase amounts (data/demo/, described in
// data/README.md), so that every screen and report has something real to
// show, and a settings row that lets the program start straight at the
// password prompt.
class DemoData {
public:
    using Progress = masters::InitialData::Progress;

    // Suppliers, then for every day of the calendar a menu day with its six
    // meal slots; the served slots get the day's dishes, expanded as the
    // menu screen expands them, and their head counts (actual = planned less
    // the day's absentees of the slot's target group; staff and inspection
    // meals only with target group 0, where the menu screen takes them);
    // then the day's purchase lines, each food priced from the price list
    // for its gross quantity with its supplier, and the day's cost
    // calculation (amounts including tax, under-three share 85 %). One
    // transaction. Refuses (store::StoreError) when the installation already
    // has menu days or suppliers, or lacks the initial data.
    static void loadMenus(const QSqlDatabase& aaa, const Progress& progress = {});

    // The settings row: the demo institution's name, the fiscal year of the
    // demo month, the first-run values and no password of its own.
    static void writeSettings(const QSqlDatabase& ahm);

    // Both of the above.
    static void load(store::Session& session, const Progress& progress = {});

    static QString institutionName();
    // The first day of the demo calendar.
    static QDate firstDay();
    static constexpr int kUnderThreePercent = 85;
};

} // namespace menu
