#include "menu/DayCost.h"

#include "menu/PurchaseLines.h"
#include "store/Rounding.h"
#include "store/Sql.h"
#include "store/Transaction.h"

using namespace Qt::StringLiterals;
using store::Rounding::roundHalfUp;
using store::Rounding::roundToInt;
using store::Sql::exec;

namespace menu {

std::int64_t DayCost::withTax(store::Money amount, int taxEntryMode)
{
    return taxEntryMode == 1 ? amount.roundedYenTimes(kTaxNumerator, kTaxDenominator)
                             : amount.roundedYen();
}

QString DayCost::unusedFoodMessage(const QString& syokuMei)
{
    return u"実食数が空白であるか\nまたは\nこの食品【"_s + syokuMei +
           u"】の使用量が0になっていますので、確認してください。"_s;
}

DayCostResult DayCost::compute(const QList<CostLine>& lines,
                               const std::optional<store::Money>& dayTotal, int taxEntryMode,
                               int underThreePercent)
{
    DayCostResult r;
    std::int64_t costOfGroup1 = 0;
    double perPerson[2] = {0, 0};
    int eaters0 = 0, eaters1 = 0;
    for (const CostLine& line : lines) {
        eaters0 = line.eaters0;
        eaters1 = line.eaters1;
        const double eaten0 = line.net0 * eaters0;
        const double eaten1 = line.net1 * eaters1;
        const double eaten = eaten0 + eaten1;
        const std::int64_t amount = withTax(line.amount, taxEntryMode);
        const double pricePerGram = eaten != 0 ? roundHalfUp(amount / eaten, 4) : 0;
        const std::int64_t cost0 = roundToInt(eaten0 * pricePerGram);
        const std::int64_t cost1 = roundToInt(eaten1 * pricePerGram);
        r.lineCosts.append({cost0, cost1});
        costOfGroup1 += cost1;
        if (eaters0 != 0)
            perPerson[0] += roundHalfUp(double(cost0) / eaters0, 4);
        if (eaters1 != 0)
            perPerson[1] += roundHalfUp(double(cost1) / eaters1, 4);
        r.enteredTotal += line.amount;
        if (eaten == 0 && amount > 0)
            r.messages << unusedFoodMessage(line.syokuMei);
    }

    r.dayAmount = withTax(r.enteredTotal, taxEntryMode);
    if (!dayTotal)
        return r;
    if (r.dayAmount != 0) {
        r.amountsPerFood = true;
        // Group 0 takes what the rounding of the lines left over, so that
        // the two add up to the day's amount.
        r.groupCost[0] = double(r.dayAmount - costOfGroup1);
        r.groupCost[1] = double(costOfGroup1);
        r.perPerson[0] = perPerson[0];
        r.perPerson[1] = perPerson[1];
        return r;
    }
    r.dayAmount = withTax(*dayTotal, taxEntryMode);
    if (eaters0 != 0 && underThreePercent > 0) {
        const double share = double(eaters1) / eaters0 * underThreePercent / 100;
        r.groupCost[0] = roundHalfUp(r.dayAmount / (share + 1), 4);
        r.groupCost[1] = roundHalfUp(r.dayAmount - r.groupCost[0], 4);
        r.perPerson[0] = roundHalfUp(r.groupCost[0] / eaters0, 4);
        if (eaters1 != 0)
            r.perPerson[1] = roundHalfUp(r.groupCost[1] / eaters1, 4);
    }
    return r;
}

DayCostResult DayCost::calculate(const QSqlDatabase& aaa, int kondateId, int taxEntryMode,
                                 int underThreePercent)
{
    constexpr int total = PurchaseLines::kTotal;
    QList<CostLine> lines;
    QList<QVariantList> keys;
    {
        QSqlQuery q = exec(aaa,
                           u"SELECT k1, Ryori_ID, Syoku_ID, SyokuMei, A01, A02, C03, C04, kingaku "
                           u"FROM kondateQ WHERE kondate_ID=? AND k1<>? "
                           u"ORDER BY k1, Ryori_ID, Syoku_ID"_s,
                           {kondateId, total});
        while (q.next()) {
            keys.append({kondateId, q.value(0), q.value(1), q.value(2)});
            lines.append({q.value(3).toString(), q.value(4).toDouble(), q.value(5).toDouble(),
                          q.value(6).toInt(), q.value(7).toInt(),
                          store::Money::fromVariant(q.value(8))});
        }
    }
    const QVariantList totalKey{kondateId, total, total, total};
    std::optional<store::Money> dayTotal;
    {
        QSqlQuery q = exec(aaa,
                           u"SELECT kingaku FROM kondateQ WHERE kondate_ID=? AND k1=? "
                           u"AND Ryori_ID=? AND Syoku_ID=?"_s,
                           totalKey);
        if (q.next())
            dayTotal = store::Money::fromVariant(q.value(0));
    }

    const DayCostResult r = compute(lines, dayTotal, taxEntryMode, underThreePercent);

    store::Transaction tx(aaa);
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const auto [d01, d02] = r.lineCosts.at(i);
        exec(aaa,
             u"UPDATE kondateQ SET D01=?, D02=?, D03=? "
             u"WHERE kondate_ID=? AND k1=? AND Ryori_ID=? AND Syoku_ID=?"_s,
             QVariantList{double(d01), double(d02), double(d01 + d02)} + keys.at(i));
    }
    if (r.amountsPerFood)
        exec(aaa,
             u"UPDATE kondateQ SET kingaku=? "
             u"WHERE kondate_ID=? AND k1=? AND Ryori_ID=? AND Syoku_ID=?"_s,
             QVariantList{r.enteredTotal.toVariant()} + totalKey);
    for (int k2 = 0; k2 < 2; ++k2)
        exec(aaa, u"UPDATE kondateM2 SET kin1=? WHERE kondate_ID=? AND K1=0 AND K2=?"_s,
             {roundToInt(r.perPerson[k2]), kondateId, k2});
    tx.commit();
    return r;
}

std::int64_t DayCost::monthAmount(const QSqlDatabase& aaa, const QDate& day, int taxEntryMode)
{
    store::Money sum;
    QSqlQuery q =
        exec(aaa, u"SELECT kingaku FROM kondateQ WHERE k1=? AND kijitu>=? AND kijitu<=?"_s,
             {PurchaseLines::kTotal, QDate(day.year(), day.month(), 1).toString(u"yyyy-MM-dd"_s),
              day.toString(u"yyyy-MM-dd"_s)});
    while (q.next())
        sum += store::Money::fromVariant(q.value(0));
    return withTax(sum, taxEntryMode);
}

} // namespace menu
