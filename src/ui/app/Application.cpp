#include "ui/app/Application.h"

#include "store/StoreError.h"
#include "ui/app/AppStyle.h"

#include <QMessageBox>

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    AppStyle::apply(*this);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const store::StoreError& e) {
        QMessageBox::critical(activeWindow(), applicationName(), e.message());
    } catch (const std::exception& e) {
        QMessageBox::critical(activeWindow(), applicationName(), QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace app
