#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace store {

class Prompter;

// Creating folder paths and copying whole folders.
class FolderRoutines {
public:
    // Creates every level of path that ends in a separator ("/", and "\" on
    // Windows), ignoring levels that exist; a path must end in a separator
    // for its last level to be created. True when at least one folder was
    // created.
    static bool CreateFolderPath(const QString& path);

    // Called after each file with the files copied so far and the total.
    using Progress = std::function<void(int done, int total)>;

    // What a copy did, for callers that must not call a partial copy done.
    struct CopyReport {
        int copied = 0;
        int kept = 0;   // existing files the user chose to keep
        int failed = 0; // files that could not be copied (each was reported)
        bool cancelled = false;
    };

    struct CopyOptions {
        Progress progress;
        // Asked before each file; true stops the copy as Cancel does.
        std::function<bool()> stopRequested;
        // Source files left out of the copy (absolute paths).
        std::function<bool(const QString& file)> skip;
        // Writes a copy of the file from at the path to, which does not
        // exist yet; false when it could not. By default the bytes are copied.
        std::function<bool(const QString& from, const QString& to)> write;
        // Companion files of a copy that go when it is written (a database's
        // journal, which belongs to the old file only).
        QStringList replacedSuffixes;
        CopyReport* report = nullptr;
    };

    // Copies the folder source into destination, so that the copy is the
    // subfolder of destination named like source. Missing folders are
    // created; before an existing file is replaced the prompter is asked
    // (Yes replaces it, No keeps it, Cancel stops the copy). True exactly
    // when the destination folder exists afterwards, as the user may have
    // chosen to keep files.
    static bool CopyFolder(const QString& source, const QString& destination, Prompter& prompter,
                           const Progress& progress = {});
    // The same with the question "Yes to all" offered besides, and the
    // options above. A replaced file is written beside the old one first and
    // takes its place only when complete, so a failed copy keeps the old one.
    static bool CopyFolder(const QString& source, const QString& destination, Prompter& prompter,
                           const CopyOptions& options);

    // Copies one file to the new path to; a symbolic link (the program file
    // of an installation may be one) is copied as a link to the same target.
    static bool copyFile(const QString& from, const QString& to);

    // The question before an existing file is replaced.
    static QString replaceQuestion(const QString& path);
    static QString copyFailedMessage(const QString& path);
};

} // namespace store
