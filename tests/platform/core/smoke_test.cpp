#include <gtest/gtest.h>
#include <QString>

TEST(Build, ToolchainWorks)
{
    EXPECT_EQ(QString::number(42), QStringLiteral("42"));
}
