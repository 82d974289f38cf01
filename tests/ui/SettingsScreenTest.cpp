#include "ui/Typing.h"
#include "ui/UiFixture.h"

#include "ui/app/InstitutionSettingsScreen.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class SettingsScreen : public UiFixture {
protected:
    void SetUp() override
    {
        folder.setUpRow(1234);
        openData();
    }
    static QString focused(const app::InstitutionSettingsScreen& s)
    {
        return s.focusWidget() ? s.focusWidget()->objectName() : QString();
    }
};

} // namespace

// Enter walks the fields; after the last one the close button "閉じる(&C)"
// has the focus (it is in the Tab order), and Enter presses it.
TEST_F(SettingsScreen, EnterWalksTheFieldsInInputOrderOnToTheCloseButton)
{
    const QStringList walk{
        QStringLiteral("年度"),    QStringLiteral("meisyou"),    QStringLiteral("name"),
        QStringLiteral("jyuusyo"), QStringLiteral("denwa"),      QStringLiteral("職印１"),
        QStringLiteral("職印２"),  QStringLiteral("職印３"),     QStringLiteral("職印４"),
        QStringLiteral("職印５"),  QStringLiteral("CloseButton")};
    for (bool firstRun : {false, true}) {
        SCOPED_TRACE(firstRun ? "first run" : "from the menu");
        QStringList expected = walk;
        if (firstRun) // the grey name is passed by
            expected.removeAt(1);
        app::InstitutionSettingsScreen screen(firstRun);
        screen.show();
        QTest::keyClick(screen.focusWidget(), Qt::Key_Escape); // not a way to close
        QStringList seen{focused(screen)};
        for (qsizetype i = 1; i < expected.size(); ++i) {
            QTest::keyClick(screen.focusWidget(), Qt::Key_Return);
            seen << focused(screen);
        }
        EXPECT_EQ(seen, expected);
        EXPECT_TRUE(screen.isVisible()); // Enter in a field never pressed a button
        QTest::keyClick(screen.focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(screen.isVisible());
    }
}

TEST_F(SettingsScreen, TypedValuesAreStoredOnCloseAndTheYearIsShared)
{
    {
        app::InstitutionSettingsScreen screen;
        screen.show();
        EXPECT_EQ(screen.field(QStringLiteral("PM5"))->text(), QStringLiteral("1234"));
        QLineEdit* year = screen.yearEdit();
        year->selectAll();
        QTest::keyClicks(year, QStringLiteral("2a0b2-7"));
        EXPECT_EQ(year->text(), QStringLiteral("2027"));
        QLineEdit* password = screen.field(QStringLiteral("PM5"));
        password->selectAll();
        QTest::keyClicks(password, QStringLiteral("0x4+2"));
        EXPECT_EQ(password->text(), QStringLiteral("042"));
        QLineEdit* seal = screen.field(QStringLiteral("職印１"));
        commitText(seal, QStringLiteral("園長先生"));
        commitText(seal, QStringLiteral("様")); // a fifth character does not fit the box
        commitText(screen.field(QStringLiteral("name")), QStringLiteral("山田花子"));
        QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("CloseButton")),
                          Qt::LeftButton);
        EXPECT_FALSE(screen.isVisible());
    }
    EXPECT_EQ(dm.FiscalYear, 2027);
    EXPECT_EQ(folder.settingsValue(
                  QStringLiteral("SELECT printf('%d %d %s %s %d', \"年度\", PM5, \"職印１\", name, "
                                 "(SELECT COUNT(*) FROM HeadM)) FROM HeadM")),
              QStringLiteral("2027 42 園長先生 山田花子 1"));
}
