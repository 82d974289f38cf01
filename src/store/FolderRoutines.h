#pragma once

#include <QString>
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

    // Copies the folder source into destination, so that the copy is the
    // subfolder of destination named like source. Missing folders are
    // created; before an existing file is replaced the prompter is asked
    // (Yes replaces it, No keeps it, Cancel stops the copy). True exactly
    // when the destination folder exists afterwards, as the user may have
    // chosen to keep files.
    static bool CopyFolder(const QString& source, const QString& destination, Prompter& prompter,
                           const Progress& progress = {});
};

} // namespace store
