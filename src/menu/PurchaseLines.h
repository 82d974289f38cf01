#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace menu {

// One food line of a day's menu with what the purchase lines need of it:
// the columns of the nutrient expansion (W1TBL) that they read.
struct ExpansionRow {
    int k1 = 0;
    int k2 = 0;
    QString ryoriId;
    int subNo = 0;
    double suryo = 0; // grams per person, net
    int ninzu = 0;
    int ninzu2 = 0;
    int ninzu3 = 0;
    int ninzu4 = 0;
    QString syokuId; // empty when the food is not in SyokuM
    QString syokuMei;
    double haiki = 0; // waste, percent of the purchased weight
    QString ryoriMei;
};

// The purchase lines of a menu day (kondateQ): one line per meal type, dish
// and food, shared by both target groups, and the day's total row (k1, dish
// and food all 99). Quantities and head counts follow the menu every time
// the lines are refreshed; the amounts and suppliers the user entered stay
// with their line as long as its food stays in the menu.
class PurchaseLines {
public:
    // Creates kondateQ when missing; a table of an older layout (without
    // D01, C05 or E01) is dropped and created anew, losing its amounts.
    static void ensureTable(const QSqlDatabase& aaa);

    // The food lines of one menu day, both target groups, in key order
    // (K1, K2, Ryori_ID, SubNo), with the head counts of their slot and the
    // food and dish as the masters have them.
    static QList<ExpansionRow> expansionOfDay(const QSqlDatabase& aaa, int kondateId);

    // Brings the day's lines up to date with rows (the day's expansion):
    // lines whose dish and food are gone from the menu are deleted, the
    // quantities and head counts of the others are recomputed, lines for
    // new foods are added, and the total row is added when the day has food
    // lines. Per person gross = net × 100 / (100 − waste); a waste of 100 %
    // counts as none, as in the expansion's purchase quantity. One
    // transaction; the table must exist.
    static void refresh(const QSqlDatabase& aaa, int kondateId, const QDate& kijitu,
                        const QList<ExpansionRow>& rows);

    static constexpr int kTotal = 99; // k1, Ryori_ID and Syoku_ID of the total row
};

} // namespace menu
