#include "platform/core/zip_archive.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime kNoon(QDate(2024, 5, 17), QTime(12, 30, 10));

QByteArray Repeated(int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b += "line " + QByteArray::number(i % 17) + "\n";
    return b;
}

}  // namespace

TEST(ZipArchive, EntriesComeBackInOrderWithTheirBytesAndDates)
{
    TZipArchiveWriter w;
    w.Add(QStringLiteral("b.txt"), "second", kNoon);
    w.Add(QStringLiteral("a/ü.xml"), Repeated(2000), kNoon);
    w.Add(QStringLiteral("stored.bin"), QByteArray("\x00\x01\x02", 3), kNoon, 0);
    const QByteArray zip = w.Archive();

    TZipArchiveReader r;
    ASSERT_TRUE(r.Open(zip)) << r.LastError().toStdString();
    EXPECT_EQ(r.Names(), (QStringList{QStringLiteral("b.txt"), QStringLiteral("a/ü.xml"), QStringLiteral("stored.bin")}));
    EXPECT_EQ(r.Read(QStringLiteral("b.txt")), QByteArray("second"));
    EXPECT_EQ(r.Read(QStringLiteral("a/ü.xml")), Repeated(2000));
    EXPECT_EQ(r.Read(QStringLiteral("stored.bin")), QByteArray("\x00\x01\x02", 3));
    // DOS dates keep even seconds.
    EXPECT_EQ(r.Modified(QStringLiteral("b.txt")), kNoon);
    EXPECT_LT(zip.size(), Repeated(2000).size() / 4) << "the repeated text is deflated";
}

// The local header as outside tools read it: deflated at maximum compression, dated in
// DOS time and date, the name as given.
TEST(ZipArchive, LocalHeaderCarriesMaximumCompressionAndTheDosDate)
{
    TZipArchiveWriter z;
    const QByteArray data(5000, 'a');
    z.Add(QStringLiteral("a.txt"), data, QDateTime(QDate(2024, 2, 29), QTime(13, 45, 58)));
    const QByteArray zip = z.Archive();
    auto u16 = [&](int at) { return int(uint8_t(zip[at]) | (uint8_t(zip[at + 1]) << 8)); };
    ASSERT_TRUE(zip.startsWith("PK\x03\x04"));
    EXPECT_LT(zip.size(), 200);                  // deflated, not stored
    EXPECT_EQ(u16(6) & 0x0006, 0x0002);          // maximum compression
    EXPECT_EQ(u16(8), 8);                        // deflate
    EXPECT_EQ(u16(10), (13 << 11) | (45 << 5) | 29);
    EXPECT_EQ(u16(12), ((2024 - 1980) << 9) | (2 << 5) | 29);
    EXPECT_EQ(zip.mid(30, u16(26)), QByteArray("a.txt"));
}

TEST(ZipArchive, ReplacingAnEntryKeepsItsPlace)
{
    TZipArchiveWriter w;
    w.Add(QStringLiteral("x"), "1", kNoon);
    w.Add(QStringLiteral("y"), "2", kNoon);
    w.Add(QStringLiteral("x"), "3", kNoon);
    TZipArchiveReader r;
    ASSERT_TRUE(r.Open(w.Archive()));
    EXPECT_EQ(r.Names(), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(r.Read(QStringLiteral("x")), QByteArray("3"));
}

TEST(ZipArchive, AnEmptyArchiveIsStillAnArchive)
{
    TZipArchiveWriter w;
    TZipArchiveReader r;
    ASSERT_TRUE(r.Open(w.Archive()));
    EXPECT_EQ(r.Count(), 0);
}

TEST(ZipArchive, DamagedOrForeignBytesAreRefusedWithoutACrash)
{
    TZipArchiveWriter w;
    w.Add(QStringLiteral("data"), Repeated(500), kNoon);
    QByteArray zip = w.Archive();

    TZipArchiveReader r;
    EXPECT_FALSE(r.Open(QByteArray("not a zip at all")));
    EXPECT_FALSE(r.LastError().isEmpty());
    EXPECT_FALSE(r.Open(zip.left(zip.size() / 2)));

    // Flip bytes inside the compressed data: the entry opens but reading it fails cleanly.
    QByteArray bad = zip;
    for (int i = 40; i < 60; ++i)
        bad[i] = char(bad[i] ^ 0x5A);
    if (r.Open(bad)) {
        EXPECT_THROW(r.Read(QStringLiteral("data")), EZipError);
    }
    EXPECT_THROW(r.Read(QStringLiteral("missing")), EZipError);
}

TEST(ZipArchive, AFileThatCannotBeReadIsNamedAndTheEarlierEntriesStayClosed)
{
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("good.txt"));
    QFile f(good);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("content");
    f.close();
    TZipArchiveWriter w;
    EXPECT_TRUE(w.AddFile(good));
    EXPECT_FALSE(w.AddFile(dir.filePath(QStringLiteral("missing.png"))));
    EXPECT_EQ(w.LastError(), dir.filePath(QStringLiteral("missing.png")));
    const QString out = dir.filePath(QStringLiteral("out.zip"));
    ASSERT_TRUE(w.SaveToFile(out));

    TZipArchiveReader r;
    ASSERT_TRUE(r.OpenFile(out));
    EXPECT_EQ(r.Names(), QStringList{QStringLiteral("good.txt")});

    const QString unzip = QStandardPaths::findExecutable(QStringLiteral("unzip"));
    if (unzip.isEmpty())
        GTEST_SKIP() << "unzip is not installed: the outside check is skipped";
    QProcess p;
    p.start(unzip, {QStringLiteral("-t"), out});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
}

TEST(ZipArchive, AFailedSaveKeepsTheOldFile)
{
    TZipArchiveWriter w;
    w.Add(QStringLiteral("x"), "1", kNoon);
    EXPECT_FALSE(w.SaveToFile(QStringLiteral("/nonexistent-folder/out.zip")));
    EXPECT_FALSE(w.LastError().isEmpty());
}
