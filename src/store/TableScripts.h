#pragma once

#include <QString>

namespace store {

// The table-creation scripts of the system, as text in the original
// engine's dialect. TableCatalogue::parse turns them into table definitions.
namespace TableScripts {

QString mainTables();           // every user table of the Data folder
QString settingsTable();        // HeadM in its first layout
QString settingsTableRebuild(); // HeadM$ in the current layout
QString menuPurchaseTable();    // kondateQ
QString carryOverTable();       // Kurikoshi
QString expansionWorkTable();   // W1TBL

} // namespace TableScripts
} // namespace store
