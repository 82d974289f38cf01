#include "ui/masters/TargetGroupScreen.h"

using namespace Qt::StringLiterals;

namespace masterscreens {

TargetGroupScreen::TargetGroupScreen(QWidget* parent)
    : NameListScreen(masters::NameList::TargetGroups, u"対象区分の登録"_s, u"食事対象"_s, true,
                     parent)
{
    setObjectName(u"TaisyoM"_s);
}

} // namespace masterscreens
