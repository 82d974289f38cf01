#include "ui/masters/MealTypeScreen.h"

using namespace Qt::StringLiterals;

namespace masterscreens {

MealTypeScreen::MealTypeScreen(QWidget* parent)
    : NameListScreen(masters::NameList::MealTypes, u"食事区分の登録"_s, u"食事名"_s, false, parent)
{
    setObjectName(u"SyokujiM"_s);
}

} // namespace masterscreens
