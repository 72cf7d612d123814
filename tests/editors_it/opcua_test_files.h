#pragma once
// Fixtures and the well-formedness check shared by the OPC UA file tests.

#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

inline QString It_Fixture(const char* name)
{
    return QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/editors_it/") + QString::fromLatin1(name);
}

// Runs xmllint --noout on the file; without xmllint the calling test is marked skipped.
// Call it last in a test.
inline void Expect_Well_Formed(const QString& path)
{
    const QString xmllint = QStringLiteral("/usr/bin/xmllint");
    if (!QFile::exists(xmllint))
        GTEST_SKIP() << "xmllint is not installed (Debian package libxml2-utils): the file was not checked";
    QProcess p;
    p.start(xmllint, {QStringLiteral("--noout"), path});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

// A temporary project folder for one file of the given name.
class TProjectFileTest : public ::testing::Test {
protected:
    explicit TProjectFileTest(const char* name) : FName(QString::fromLatin1(name)) {}
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }
    QString Path() const { return Dir.filePath(FName); }

    QTemporaryDir Dir;

private:
    QString FName;
};
