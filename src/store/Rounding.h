#pragma once

#include <QtGlobal>

namespace store {

// Rounding of measured quantities (grams, nutrient amounts, ratios) as the
// user reads them. A double such as 28.05 or 1.005 has no exact binary form
// and sits a hair below its half, so rounding works on the value's
// 15-significant-digit decimal form instead: what is printed as 28.05 rounds
// to 28.1. Money never comes here; see Money.
namespace Rounding {

// Rounds half up to the given number of decimals (negative decimals round to
// tens, hundreds, ...). Negative values round half away from zero, so
// -2.5 gives -3. A value with more than 15 significant digits in front of
// that place is taken as its 15-digit form. Infinities and NaN come back
// unchanged; a result of zero is always +0.0.
double roundHalfUp(double x, int decimals);

// Rounds halves to the even neighbour ("banker's rounding"), for the few
// places that ask for it; otherwise like roundHalfUp.
double roundHalfEven(double x, int decimals);

// roundHalfUp to a whole number, saturated to the qint64 range (NaN gives 0).
qint64 roundToInt(double x);

} // namespace Rounding

} // namespace store
