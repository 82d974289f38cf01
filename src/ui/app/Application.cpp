#include "ui/app/Application.h"

#include "store/Installation.h"
#include "store/Session.h"
#include "store/StoreError.h"
#include "ui/app/AppStyle.h"
#include "ui/widgets/EnterPressesButton.h"
#include "ui/widgets/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setUp(*this);
}

bool Application::setUp(QApplication& app)
{
    AppStyle::apply(app);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    app.installEventFilter(new widgets::EnterPressesButton(&app));
    auto* qt = new QTranslator(&app);
    if (!qt->load(japanese, u"qtbase"_s, u"_"_s,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete qt;
        return false;
    }
    app.installTranslator(qt);
    return true;
}

QString Application::notAnInstallationMessage(const QString& folder)
{
    const QDir dir(folder);
    if (QFileInfo::exists(dir.filePath(store::Installation::programFileName())) ||
        QFileInfo::exists(dir.filePath(store::Session::ahmFileName())))
        return {};
    return u"Zoravinは、インストールフォルダの中で起動してください。\n"
           u"このフォルダはインストールフォルダではありません：\n%1\n\n"
           u"デモで試すには、ソースのフォルダで make run を実行してください"
           u"（デモのパスワードは7295です）。\n"
           u"新しいインストールフォルダは zoravinctl init フォルダ名 で作り、"
           u"そのフォルダの中で zoravin を起動してください。"_s.arg(
               QDir::toNativeSeparators(folder));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const store::StoreError& e) {
        widgets::showMessage(activeWindow(), QMessageBox::Critical, e.message());
    } catch (const std::exception& e) {
        // The library's own words are English and mean nothing to the user;
        // they go to the error output for support.
        qWarning("zoravin: %s", e.what());
        widgets::showMessage(
            activeWindow(), QMessageBox::Critical,
            u"処理中に予期しないエラーが発生しましたので、この操作を中止しました。"_s);
    }
    return false;
}

} // namespace app
