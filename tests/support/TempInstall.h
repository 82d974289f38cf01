#pragma once

#include "store/Session.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A small installation folder in a temporary directory: AHM.sqlite with
// an empty HeadM, Data/AAA.sqlite. Tests never touch a user's folder.
class TempInstall {
public:
    TempInstall() { QDir(m_dir.path()).mkpath(QStringLiteral("Data")); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.path() + u'/' + name; }

    // A session on this folder with both databases open (created if missing).
    std::unique_ptr<store::Session> openSession() const
    {
        auto s = std::make_unique<store::Session>(path());
        s->openSettings(true);
        s->openData(true);
        return s;
    }

private:
    QTemporaryDir m_dir;
};
