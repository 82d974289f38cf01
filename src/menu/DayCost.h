#pragma once

#include "store/Money.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace menu {

// A purchase line as the day's cost calculation reads it.
struct CostLine {
    QString syokuMei;
    double net0 = 0;     // A01, grams per person, target group 0
    double net1 = 0;     // A02, target group 1
    int eaters0 = 0;     // C03, Ninzu2 of target group 0
    int eaters1 = 0;     // C04
    store::Money amount; // kingaku as entered
};

struct DayCostResult {
    // D01 and D02 of each line, in the order of the lines, whole yen.
    QList<std::pair<std::int64_t, std::int64_t>> lineCosts;
    store::Money enteredTotal;    // the amounts as entered, summed
    std::int64_t dayAmount = 0;   // the day's amount with tax, whole yen
    double groupCost[2] = {0, 0}; // the day's cost of each target group
    double perPerson[2] = {0, 0}; // cost per child of each target group
    // True when amounts were entered per food: the total row then takes
    // their sum. Otherwise the day's amount came from the total row.
    bool amountsPerFood = false;
    QStringList messages; // one per food with an amount that nobody ate
};

// The cost of a menu day ("計算実行" of the day-cost screen). Each food's
// amount is apportioned to the two target groups by the grams actually eaten
// (net per person × eaters), at a price per gram kept to four decimals; the
// group and per-person costs follow. When only the day's total was entered,
// it is split by the eaters, an under-three child counting as the given
// percentage of an over-three child. Amounts entered without tax
// (taxEntryMode 1) are multiplied by 1.08 first; whole yen are rounded half
// up.
class DayCost {
public:
    static constexpr std::int64_t kTaxNumerator = 108; // TaxFactor 1.08
    static constexpr std::int64_t kTaxDenominator = 100;

    // dayTotal is the total row's kingaku, nothing when the day has no total
    // row (then every group and per-person cost is 0). The eaters used for
    // the split of a day total are those of the last line, as the screen
    // has always done.
    static DayCostResult compute(const QList<CostLine>& lines,
                                 const std::optional<store::Money>& dayTotal, int taxEntryMode,
                                 int underThreePercent);

    // Runs the calculation on the purchase lines of a menu day and stores
    // it: D01, D02, D03 of every line, the total row's kingaku when amounts
    // were entered per food, and the per-person costs, rounded to whole yen,
    // in kin1 of the lunch slots (K1 0) of both target groups. One
    // transaction.
    static DayCostResult calculate(const QSqlDatabase& aaa, int kondateId, int taxEntryMode,
                                   int underThreePercent);

    // The amounts delivered in day's month up to and including day: the
    // total rows' kingaku, with tax, whole yen.
    static std::int64_t monthAmount(const QSqlDatabase& aaa, const QDate& day, int taxEntryMode);

    // An entered amount in whole yen with tax.
    static std::int64_t withTax(store::Money amount, int taxEntryMode);

    static QString unusedFoodMessage(const QString& syokuMei);
};

} // namespace menu
