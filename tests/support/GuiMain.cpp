// Test entry point for the screens: the program's application set-up (run
// offscreen by CTest) and GoogleTest.
#include "ui/app/Application.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QtMessageHandler g_standard = nullptr;

// The offscreen platform cannot size windows to their hints and says so for
// every dialog; nothing a test looks at depends on it.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")) || !g_standard)
        return;
    g_standard(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (!app::Application::setUp(app))
        qWarning("Qt's Japanese translations are missing: run scripts/install-deps.sh");
    g_standard = qInstallMessageHandler(quietOffscreen);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
