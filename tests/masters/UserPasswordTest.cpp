#include "masters/UserPassword.h"

#include <gtest/gtest.h>

using masters::UserPassword;

struct PasswordCase {
    QVariant pm5;
    const char* entered;
    bool accepted;
};

TEST(UserPassword, PaddedStoredPasswordDefaultAndMasterCode)
{
    const PasswordCase cases[] = {
        {QVariant(), "7295", true},
        {QVariant(), "3907", true},
        {QVariant(), "0000", false},
        {0, "7295", true},
        {0, "", false},
        {42, "0042", true},
        {42, "42", false},
        {42, "7295", false},
        {42, "3907", true},
        {1234, "1234", true},
        {12345, "1234", false},
        {12345, "3907", true},
    };
    for (const PasswordCase& c : cases) {
        const QString expected = UserPassword::expected(c.pm5);
        EXPECT_EQ(UserPassword::accepts(QString::fromUtf8(c.entered), expected), c.accepted)
            << "PM5 " << c.pm5.toString().toStdString() << ", typed " << c.entered;
    }
}
