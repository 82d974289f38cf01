#include "masters/SettingsRow.h"
#include "masters/StartFolder.h"
#include "store/SchemaUpgrade.h"

#include <gtest/gtest.h>

using masters::SettingsRow;

namespace {

// The settings row as start-up leaves it: the table in its current layout.
struct SettingsFixture : ::testing::Test {
    void SetUp() override
    {
        session.openSettings();
        store::SchemaUpgrade(session).upgradeSettings();
    }
    int rows() const
    {
        return folder.settingsValue(QStringLiteral("SELECT COUNT(*) FROM HeadM")).toInt();
    }

    StartFolder folder;
    store::Session session{folder.path()};
};

} // namespace

TEST_F(SettingsFixture, EmptyTableReadsAsEmptyTextsZerosAndTheDefaultPassword)
{
    const masters::StartValues v = SettingsRow(session.ahm()).readStart();
    EXPECT_EQ(v.institutionName, QString());
    EXPECT_EQ(v.expectedPassword, QStringLiteral("7295"));
    EXPECT_EQ(v.taxEntryMode, 0);
    EXPECT_EQ(v.fiscalYear, 0);
    EXPECT_EQ(rows(), 0);
}

TEST_F(SettingsFixture, NameAndFirstRunDefaultsFillOneRow)
{
    SettingsRow row(session.ahm());
    row.setInstitutionName(QStringLiteral("ひまわり保育園"));
    row.writeFirstRunDefaults(2025);
    row.setInstitutionName(QStringLiteral("ひまわり保育園"));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(row.institutionName(), QStringLiteral("ひまわり保育園"));
    const char* fields[] = {"年度", "PM2", "PM3", "PM4", "PM7", "PM8"};
    const int values[] = {2025, 5, 5, 25, 85, 1};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(row.value(QString::fromUtf8(fields[i])).toInt(), values[i]) << fields[i];
}

TEST_F(SettingsFixture, SettingsScreenFieldsRoundTripCutToTheirSize)
{
    SettingsRow row(session.ahm());
    masters::InstitutionSettings s = row.open();
    EXPECT_EQ(rows(), 1); // opening an empty table appends the row
    s.fiscalYear = 2026;
    s.name = QStringLiteral("山田花子");
    s.jyuusyo = QStringLiteral("東京都千代田区一番町1-2");
    s.denwa = QStringLiteral("03-1234-5678");
    s.seals = {QStringLiteral("園長"), QStringLiteral("あいうえおか"), QString(), QString(),
               QStringLiteral("調理")};
    s.password = 42;
    s.meisyou = QStringLiteral("ここは書かれない");
    row.post(s);

    const masters::InstitutionSettings back = row.open();
    EXPECT_EQ(back.fiscalYear, 2026);
    EXPECT_EQ(back.name, s.name);
    EXPECT_EQ(back.jyuusyo, s.jyuusyo);
    EXPECT_EQ(back.denwa, s.denwa);
    EXPECT_EQ(back.seals[0], QStringLiteral("園長"));
    EXPECT_EQ(back.seals[1], QStringLiteral("あいうえお")); // text(10): five full-width characters
    EXPECT_EQ(back.seals[4], QStringLiteral("調理"));
    EXPECT_EQ(back.meisyou, QString()); // only the institution-name dialog writes it
    EXPECT_EQ(row.readStart().expectedPassword, QStringLiteral("0042"));
    EXPECT_EQ(rows(), 1);

    s.password.reset();
    s.fiscalYear.reset();
    row.post(s);
    EXPECT_TRUE(row.value(QStringLiteral("PM5")).isNull());
    EXPECT_EQ(row.readStart().expectedPassword, QStringLiteral("7295"));
    EXPECT_EQ(row.fiscalYear(), 0);
}
