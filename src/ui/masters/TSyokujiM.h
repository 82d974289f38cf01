#pragma once

#include "ui/masters/NameListScreen.h"

namespace masterscreens {

// The meal-type screen "食事区分の登録" (SyokujiM, at most three rows). The
// codes are fixed: K1 of a menu slot is the code minus one.
class TSyokujiM : public NameListScreen {
    Q_OBJECT
public:
    explicit TSyokujiM(QWidget* parent = nullptr);
};

} // namespace masterscreens
