// zoravinctl: the system's work without windows, for automation, support
// and tests. Errors go to stderr in Japanese with a non-zero exit status.
#include "cli/Commands.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zoravinctl"));
    return cli::run(QCoreApplication::arguments().mid(1));
}
