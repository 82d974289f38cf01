#pragma once

#include "ui/masters/NameListScreen.h"

namespace masterscreens {

// The target-group screen "対象区分の登録" (TaisyoM, at most two rows).
class TargetGroupScreen : public NameListScreen {
    Q_OBJECT
public:
    explicit TargetGroupScreen(QWidget* parent = nullptr);
};

} // namespace masterscreens
