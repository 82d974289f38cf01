#include "support/TempInstall.h"
#include "store/TableCatalogue.h"
#include "store/TableScripts.h"
#include "store/Sql.h"
#include <gtest/gtest.h>
TEST(Smoke, Creates) {
  TempInstall t; auto s = t.openSession();
  store::TableCatalogue::apply(s->aaa(), store::TableScripts::mainTables());
  EXPECT_TRUE(store::Sql::tableExists(s->aaa(), QStringLiteral("SyokuM")));
}
