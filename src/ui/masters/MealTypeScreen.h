#pragma once

#include "ui/masters/NameListScreen.h"

namespace masterscreens {

// The meal-type screen "食事区分の登録" (SyokujiM, at most three rows). The
// codes are fixed: K1 of a menu slot is the code minus one.
class MealTypeScreen : public NameListScreen {
    Q_OBJECT
public:
    explicit MealTypeScreen(QWidget* parent = nullptr);
};

} // namespace masterscreens
