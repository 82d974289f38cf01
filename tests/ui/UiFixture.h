#pragma once

#include "masters/DataModule.h"
#include "masters/StartFolder.h"
#include "store/SchemaUpgrade.h"

#include <QDir>
#include <gtest/gtest.h>

// A screen test: an installation folder that is the current folder, as it
// is for the program, and a data module on it. The current folder is put
// back afterwards.
class UiFixture : public ::testing::Test {
protected:
    UiFixture() : m_previous(QDir::currentPath()) { QDir::setCurrent(folder.path()); }
    ~UiFixture() override { QDir::setCurrent(m_previous); }

    // The data module as start-up leaves it: both databases open, the
    // settings table in its current layout, the names loaded.
    void openData()
    {
        dm.setWorkDir(folder.path());
        dm.session().openSettings();
        store::SchemaUpgrade(dm.session()).runAll();
        ASSERT_TRUE(dm.OpenDataDir());
        dm.LoadNames();
    }

    StartFolder folder;
    masters::DataModule dm;

private:
    QString m_previous;
};
