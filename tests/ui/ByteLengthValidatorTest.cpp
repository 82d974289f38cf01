#include "ui/Typing.h"

#include "ui/widgets/ByteLengthValidator.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Typed text is checked at the door: look-alikes become their Shift-JIS
// forms as they are typed, a character Shift-JIS lacks is refused with a
// message, and the size counts CP932 bytes.
TEST(ByteLengthValidator, TypedTextStaysWithinShiftJisAndTheFieldSize)
{
    QLineEdit edit;
    auto* validator = new widgets::ByteLengthValidator(6, &edit);
    edit.setValidator(validator);
    QSignalSpy refused(validator, &widgets::ByteLengthValidator::refused);
    edit.show();

    // As an input method commits text.
    commitText(&edit, u"1〜2"_s);
    EXPECT_EQ(edit.text(), u"1～2"_s);

    edit.clear();
    commitText(&edit, u"あ"_s);
    commitText(&edit, u"😀"_s);
    commitText(&edit, u"い"_s);
    EXPECT_EQ(edit.text(), u"あい"_s);
    ASSERT_FALSE(refused.isEmpty());
    EXPECT_TRUE(refused.last().at(0).toString().contains(u"「😀」はシフトJISで表せない文字"_s));

    edit.clear();
    for (const QString& c : {u"あ"_s, u"い"_s, u"う"_s, u"え"_s}) // 8 bytes: the fourth is refused
        commitText(&edit, c);
    EXPECT_EQ(edit.text(), u"あいう"_s);

    QString pasted = u"𠮷野"_s;
    int pos = 0;
    EXPECT_EQ(validator->validate(pasted, pos), QValidator::Invalid);
    QString dash = u"a−b"_s;
    EXPECT_EQ(validator->validate(dash, pos), QValidator::Acceptable);
    EXPECT_EQ(dash, u"a－b"_s);
}
