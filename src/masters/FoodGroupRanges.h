#pragma once

#include <QSqlDatabase>
#include <functional>

namespace masters {

// Assigning foods to food groups by the code ranges of the two
// classifications (SyokuGunMb for syokugun, SyokuGunM2b for syokugun2).
class FoodGroupRanges {
public:
    using Progress = std::function<void(int done, int total)>;

    // Applies every range of both classifications in ascending S_ID order,
    // so that where ranges overlap the higher S_ID decides. Bounds compare as
    // text, both included. A classification-1 range without a group leaves
    // its foods as they are; a classification-2 range without one sets 0.
    // Foods no range covers keep their groups. One transaction.
    static void ApplyRanges(const QSqlDatabase& db, const Progress& progress = {});

    // Rewrites the bounds of the classification-1 ranges as five-digit codes
    // ("%.5d"), since a spreadsheet drops the leading zeros. Throws
    // StoreError on a bound that is not a number; the ranges before it stay
    // rewritten, as the table layer would leave them.
    static void PadRangeCodes(const QSqlDatabase& db);
};

} // namespace masters
