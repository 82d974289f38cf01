#pragma once

#include "store/Platform.h"

class QWidget;

namespace app {

// The desktop's own handlers: QDesktopServices for addresses and documents,
// a detached process for programs, the standard folder chooser.
class DesktopPlatform : public store::Platform {
public:
    explicit DesktopPlatform(QWidget* parent = nullptr) : m_parent(parent) {}

    bool openAddress(const QString& url) override;
    bool openDocument(const QString& path) override;
    bool startProgram(const QString& path, const QStringList& arguments) override;
    QString chooseFolder(const QString& caption, const QString& startFolder) override;

private:
    QWidget* m_parent;
};

} // namespace app
