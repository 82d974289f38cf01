#include "ui/UiFixture.h"

#include "store/Sql.h"
#include "ui/widgets/DataGrid.h"
#include "ui/widgets/SqlGridModel.h"

#include <QLineEdit>
#include <QTest>

namespace {

// The supplier grid: its kin1…kin3 are money, the case that once stored
// the typed "1234.5" as 0.1235 yen.
class MoneyGrid : public UiFixture {
protected:
    void SetUp() override
    {
        openData();
        store::Sql::exec(dm.session().aaa(),
                         QStringLiteral("INSERT INTO GyosyaM (Gyosya_ID, Gyosyamei, kin1) "
                                        "VALUES (1, 'a', 12345000)"));
        model = new widgets::SqlGridModel(dm.session().aaa(), QStringLiteral("GyosyaM"), &grid);
        model->select();
        grid.setGridModel(model);
        grid.show();
        kin1 = model->column(QStringLiteral("kin1"));
    }
    QLineEdit* editor() const
    {
        for (QLineEdit* e : grid.viewport()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    // Types text into the money cell of row 0 as a user would, and posts.
    void type(const QString& text)
    {
        grid.setCurrentIndex(model->index(0, kin1));
        grid.editCurrent();
        ASSERT_TRUE(editor());
        editor()->selectAll();
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QTest::keyClicks(editor(), text);
        grid.post();
    }
    QVariant stored() const
    {
        return store::Sql::scalar(dm.session().aaa(),
                                  QStringLiteral("SELECT kin1 FROM GyosyaM WHERE Gyosya_ID=1"));
    }

    widgets::DataGrid grid;
    widgets::SqlGridModel* model = nullptr;
    int kin1 = -1;
};

} // namespace

TEST_F(MoneyGrid, ShowsYenAndStoresExactlyTheYenTyped)
{
    EXPECT_EQ(model->data(model->index(0, kin1)).toString(), QStringLiteral("1234.5"));
    EXPECT_EQ(model->data(model->index(0, kin1), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignRight,
              Qt::AlignRight);
    const struct {
        const char* typed;
        qlonglong units;
        const char* shown;
    } cases[] = {
        {"1234.5", 12345000, "1234.5"},
        {"980", 9800000, "980"},
        {"0.0001", 1, "0.0001"},
        {"-12.25", -122500, "-12.25"},
        {"99999999999999.9999", 999999999999999999, "99999999999999.9999"},
        // The editor takes no fifth decimal and no letters.
        {"7.123456", 71234, "7.1234"},
        {"12abc", 120000, "12"},
    };
    for (const auto& c : cases) {
        type(QString::fromLatin1(c.typed));
        EXPECT_EQ(stored().toLongLong(), c.units) << c.typed;
        EXPECT_EQ(model->data(model->index(0, kin1)).toString(), QString::fromLatin1(c.shown))
            << c.typed;
    }
    type(QString());
    EXPECT_TRUE(stored().isNull());
}

TEST_F(MoneyGrid, AnAmountBeyondTheRangeIsRefusedWithAMessage)
{
    QString message;
    QObject::connect(model, &widgets::SqlGridModel::postFailed,
                     [&](const QString& m) { message = m; });
    // Text written around the editor, as another widget might hand it over.
    EXPECT_FALSE(model->setData(model->index(0, kin1), QStringLiteral("99999999999999.99995")));
    EXPECT_TRUE(message.contains(QStringLiteral("範囲"))) << message.toStdString();
    EXPECT_FALSE(model->setData(model->index(0, kin1), QStringLiteral("abc")));
    EXPECT_TRUE(model->setData(model->index(0, kin1), 1234.5));
    EXPECT_TRUE(model->submitAll());
    EXPECT_EQ(stored().toLongLong(), 12345000);
}
