#include "office_test_support.h"
#include "platform/core/files.h"
#include "platform/office/database_file.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

TEST(DatabaseFile, TheConnectionTextNamesTheFileAfterDBQ)
{
    const struct { const char* Text; const char* File; } cases[] = {
        {"Driver={Microsoft Access Driver (*.mdb)};DBQ=/data/plant.mdb", "/data/plant.mdb"},
        {"dbq= /data/a b.mdb ;Uid=admin", "/data/a b.mdb"},
        {"Driver={x}", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionFileName(QString::fromLatin1(c.Text)), QString::fromLatin1(c.File)) << c.Text;
}

TEST(DatabaseFile, MissingDamagedAndWritingQueriesRaiseClearErrors)
{
    QTemporaryDir dir;
    auto conn = OfficeProvider().CreateConnection();
    const QString missing = dir.filePath(QStringLiteral("none.mdb"));
    try {
        conn->Open(QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=") + missing);
        FAIL();
    } catch (const EOfficeError& e) {
        EXPECT_TRUE(e.Message().contains(missing));
    }
    EXPECT_THROW(conn->Open(QStringLiteral("Driver={x}")), EOfficeError);

    const QString junk = dir.filePath(QStringLiteral("junk.mdb"));
    WriteBinaryFile(junk, QByteArray(4096, 'x'));
    conn->Open(QStringLiteral("DBQ=") + junk);
    auto rs = OfficeProvider().CreateRecordSet();
    rs->SetActiveConnection(conn.get());
    try {
        rs->Open(QStringLiteral("SELECT * FROM Devices"));
        FAIL();
    } catch (const EOfficeError& e) {
        EXPECT_TRUE(e.Message().contains(junk)) << e.Message().toStdString();
    }
    try {
        rs->Open(QStringLiteral("DELETE FROM Devices"));
        FAIL();
    } catch (const EOfficeError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("read only"))) << e.Message().toStdString();
    }
    auto unattached = OfficeProvider().CreateRecordSet();
    EXPECT_THROW(unattached->Open(QStringLiteral("SELECT * FROM T")), EOfficeError);
}

TEST(DatabaseFile, ASampleDatabaseReadsLikeMdbExport)
{
    QString sample;
    QDirIterator it(QStringLiteral(KV_SHARED_TESTDATA_DIR), {QStringLiteral("*.mdb"), QStringLiteral("*.accdb")},
                    QDir::Files, QDirIterator::Subdirectories);
    if (it.hasNext())
        sample = it.next();
    if (sample.isEmpty())
        GTEST_SKIP() << "no Access database in the shared test data: the database read is not checked on a real file";
    const QStringList tables = DatabaseTables(sample);
    ASSERT_FALSE(tables.isEmpty());
    auto conn = OfficeProvider().CreateConnection();
    conn->Open(QStringLiteral("Driver={Microsoft Access Driver (*.mdb)};DBQ=") + sample);
    auto rs = OfficeProvider().CreateRecordSet();
    rs->SetActiveConnection(conn.get());
    rs->Open(QStringLiteral("SELECT * FROM ") + tables.first());
    QStringList header;
    for (int i = 0; i < rs->FieldCount(); ++i)
        header << rs->FieldName(i);
    const TRunResult exported = RunTool(QStringLiteral("mdb-export"), {QStringLiteral("-Q"), QStringLiteral("-d"),
                                                                        QStringLiteral("\t"), sample, tables.first()});
    if (!exported.Ran)
        GTEST_SKIP() << "mdb-export is not installed: the comparison is skipped";
    EXPECT_EQ(exported.Output.section(QLatin1Char('\n'), 0, 0), header.join(QLatin1Char('\t')));
}
