#include "ui/app/AppStyle.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

namespace app {

void AppStyle::apply(QApplication& app)
{
    app.setApplicationName(u"Zoravin"_s);
    if (QStyle* style = QStyleFactory::create(u"Fusion"_s))
        app.setStyle(style);
    QFont font(u"IPAexGothic"_s, pointSize);
    font.setStyleHint(QFont::SansSerif);
    app.setFont(font);
}

} // namespace app
