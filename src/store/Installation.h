#pragma once

#include <QString>

namespace store {

// A new installation folder: the program-file link, AHM.sqlite with an
// empty settings table, and Data/AAA.sqlite with every user table.
class Installation {
public:
    // The program file's name without extension ("VELK"; ".exe" is added on
    // Windows).
    static QString programName() { return QStringLiteral("VELK"); }
    static QString programFileName();

    // Creates the folder (and parents) and everything above in it; the
    // program-file link points at programPath. An existing installation is
    // left as it is apart from what is missing. Throws StoreError.
    static void create(const QString& workDir, const QString& programPath);
    // True when dir holds AHM.sqlite with a HeadM table.
    static bool hasSettingsTable(const QString& workDir);
};

} // namespace store
