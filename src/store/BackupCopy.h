#pragma once

#include "store/FolderRoutines.h"

#include <QDateTime>
#include <QString>

namespace store {

class Prompter;

// How backups are kept: "時系列保存" puts each one into a new folder named
// after the date and time, "上書保存" copies over the same folder each time.
enum class BackupMode { Dated, Overwrite };

// Whose rules a path follows. The rules for drive letters and "\" are
// Windows' own; the functions take the style so they can be checked anywhere.
enum class PathStyle { Windows, Posix };

// The backup copy of the installation folder: where it goes (the base
// folder the user gives, and in the dated mode a date-time folder in it),
// which destinations are refused, and the copy itself. The databases are
// copied as consistent snapshots taken through SQLite (VACUUM INTO), so a
// backup taken while the program has them open holds every committed row
// and opens cleanly; their live journals are not copied.
class BackupCopy {
public:
    static PathStyle hostStyle();

    // Where backups go when none has been chosen: "C:\栄養計算保存" on
    // Windows, the user's home folder followed by "栄養計算保存" elsewhere.
    static QString defaultBase(PathStyle style, const QString& homeFolder);
    // "2024年05月01日09時05分" for 9:05 on 1 May 2024.
    static QString dateTimeFolder(const QDateTime& at);
    // The folder the copy goes into: the base without one trailing
    // separator (an empty base is the root of the system drive), followed in
    // the dated mode by the date-time folder.
    static QString destination(const QString& base, BackupMode mode, const QDateTime& at,
                               PathStyle style);
    // False for a drive letter without a root ("D:", "D:abc") and for a
    // destination or base of one character or less.
    static bool isAcceptable(const QString& base, const QString& destination, PathStyle style);
    // A folder chosen inside the program folder becomes relative to it;
    // any other folder is kept as chosen.
    static QString relativeToProgramFolder(const QString& chosen, const QString& workDir,
                                           PathStyle style);

    static QString refusedMessage();
    static QString sameFolderMessage();
    static QString notCreatedMessage();
    static QString cancelledMessage();
    static QString incompleteMessage();
    static QString doneMessage(const QString& destination);

    struct Request {
        QString workDir;     // the folder copied
        QString base;        // the destination edit's text
        QString destination; // as computed from the base and the mode
    };
    struct Control {
        FolderRoutines::Progress progress;
        std::function<bool()> stopRequested;
    };
    // Checks the destination, copies the program folder into it and tells
    // the user how it went through prompter (which also answers the question
    // before an existing file is replaced). A relative destination is taken
    // inside workDir; a backup folder inside the program folder is never
    // copied into the backup. True when the backup is complete.
    static bool run(const Request& request, Prompter& prompter, const Control& control = {});

    // Writes a consistent copy of the SQLite database from to the new file
    // to, including what is still in its write-ahead log. False on failure.
    static bool snapshotDatabase(const QString& from, const QString& to);
};

} // namespace store
