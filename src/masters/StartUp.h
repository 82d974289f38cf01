#pragma once

#include <QString>

namespace store {
class Prompter;
}

namespace masters {

class DataModule;
class StartUpScreens;

enum class Activation {
    Running, // the main window stays
    Ended    // start-up went no further: the application ends
};

// What the main window does each time it becomes active: the program-file
// and settings-table checks every time, and on the first activation the
// settings upgrade, the password (StartCheck), the Data folder, the table
// script with the data upgrade, and the names. Messages go through the
// prompter; database errors are thrown as store::StoreError and end the
// activation, which then runs again at the next one.
class StartUp {
public:
    StartUp(DataModule& dm, store::Prompter& prompter, StartUpScreens& screens);

    static QString programFileMessage(const QString& programName);
    static QString noSettingsMessage();
    static QString noDataFolderMessage();
    // The upgrade had to convert or empty values of an older version's
    // tables (count of them); what it did is in the notes file.
    static QString convertedValuesMessage(qsizetype count);

    // currentFolder is where the program file must be (the process's
    // current folder). An activation that arrives while one is running, as
    // when one of its dialogs or messages closes, does nothing.
    Activation activate(const QString& currentFolder);

    // Reads the settings row, asks for the password, asks for the
    // institution name when it is empty and writes the first-run defaults
    // when 年度 is 0. False when the password is wrong.
    bool StartCheck();

private:
    Activation firstActivation();

    DataModule& m_dm;
    store::Prompter& m_prompter;
    StartUpScreens& m_screens;
    bool m_running = false;
};

} // namespace masters
