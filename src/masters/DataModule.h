#pragma once

#include "store/Session.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace masters {

// The data module: the database session of the installation folder and
// the values that every screen shares for the whole run. One instance lives
// as long as the program; dataModule() reaches it from anywhere (a test makes its
// own, which stands in for the program's until it is destroyed).
class DataModule {
public:
    // DataModuleCreate: the engine's private folder and TaxFactor.
    DataModule();
    ~DataModule();
    DataModule(const DataModule&) = delete;
    DataModule& operator=(const DataModule&) = delete;

    static DataModule* current();

    // Points database AHM at folder (the main window's creation step); the
    // session is replaced, so AAA must be pointed again by OpenDataDir.
    void setWorkDir(const QString& folder);
    // DataDir := WorkDir + "/Data/"; false when that folder does not exist.
    // Otherwise database AAA is opened there.
    bool OpenDataDir();
    // Copies the meal-type and target-group names into MealNames and
    // TargetNames (six entries each, empty beyond the last row).
    void LoadNames();

    bool hasSession() const { return m_session != nullptr; }
    // Throws store::StoreError before setWorkDir.
    store::Session& session() const;

    // The shared values, under the names the whole system knows them by.
    QString WorkDir;
    QString DataDir;
    QString ProgramName;
    QString InstitutionName;
    QStringList MealNames;
    QStringList TargetNames;
    int FiscalYear = 0;
    int TaxEntryMode = 0;
    double TaxFactor = 0.0;
    bool FirstActivation = true;

private:
    std::unique_ptr<store::Session> m_session;
    DataModule* m_previous = nullptr;
};

// The program's data module.
DataModule& dataModule();

} // namespace masters
