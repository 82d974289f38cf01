#pragma once

#include <QString>
#include <functional>

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

    // A new installation made whole or not at all: create() and then fill
    // run in a sibling folder (buildFolder), which is renamed to workDir only
    // when both have finished. A process killed at any moment therefore
    // leaves no installation (and a build folder the next build replaces) or
    // a complete one. workDir must not exist or be an empty folder.
    static void build(const QString& workDir, const QString& programPath,
                      const std::function<void(const QString& folder)>& fill);
    // Where build() works: beside workDir, named after it.
    static QString buildFolder(const QString& workDir);
    // True when dir does not exist or is an empty folder.
    static bool isNewFolder(const QString& dir);
    // True when dir holds nothing but what an installation holds (the
    // program file, AHM.sqlite and its journal files, Data): a folder that
    // an interrupted build in place left behind, which may be finished.
    static bool holdsOnlyInstallationFiles(const QString& dir);
};

} // namespace store
