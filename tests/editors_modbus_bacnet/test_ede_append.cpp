// Appending the objects picked from an EDE list to the client's rule grids.

#include "editors_modbus_bacnet/ede_import.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr int Rule_Rows = 512;

// A rule grid in memory with the client's column count.
struct TTestGrid {
    explicit TTestGrid(int cols) : Cells(Rule_Rows + 1, QStringList(cols)) {}
    std::vector<QStringList> Cells;

    TEDE_Rule_Grid View()
    {
        return {int(Cells.size()), [this](int c, int r) { return Cells[size_t(r)].at(c); },
                [this](int c, int r, const QString& t) { Cells[size_t(r)][c] = t; }};
    }
    void Use_Row(int r, int keyCol, const char* position, const char* nbyte, int posCol, int nbyteCol)
    {
        Cells[size_t(r)][keyCol] = QStringLiteral("used");
        Cells[size_t(r)][posCol] = QString::fromLatin1(position);
        Cells[size_t(r)][nbyteCol] = QString::fromLatin1(nbyte);
    }
    QString At(int r, int c) const { return Cells[size_t(r)].at(c); }
};

TBACnet_Var Var(int type, int instance, bool read = true, bool write = false)
{
    TBACnet_Var v;
    v.object_type = type;
    v.object_instance = instance;
    v.object_name = QStringLiteral("N%1").arg(instance);
    v.description = QStringLiteral("D");
    v.import = true;
    v.read = read;
    v.write = write;
    return v;
}

class EdeAppend : public ::testing::Test {
protected:
    TTestGrid Read{18}, Write{22};
    TEDE_Rule_Grid R = Read.View(), W = Write.View();
};

TEST_F(EdeAppend, ReadRulesFollowTheUsedDataAndEachOther)
{
    Read.Use_Row(1, 2, "10", "4", 13, 6);
    Read.Use_Row(2, 2, "2", "1", 13, 6);
    Read.Use_Row(3, 2, "abc", "400", 13, 6);  // no position: not counted
    const TEDE_Append_Result res = Append_EDE_Objects({Var(0, 7), Var(3, 8)}, QStringLiteral("192.168.1.10"), 0, R, W);
    EXPECT_EQ(res.Read_Added, 2);
    EXPECT_EQ(res.Write_Added, 0);
    const QStringList expected = {QStringLiteral("4"), QStringLiteral("Y"), QStringLiteral("192.168.1.10"),
                                  QStringLiteral("Analog Input"), QStringLiteral("7"), QStringLiteral("Present Value (85)"),
                                  QStringLiteral("4"), QStringLiteral("N"), QString(), QString(), QString(),
                                  QStringLiteral("1000"), QStringLiteral("0"), QStringLiteral("14"), QStringLiteral("0"),
                                  QStringLiteral("N"), QString(), QStringLiteral("N7 - D")};
    QStringList row4 = Read.Cells[4];
    row4[0] = QStringLiteral("4");
    EXPECT_EQ(row4, expected);
    EXPECT_EQ(Read.At(5, 13), QStringLiteral("18"));
    EXPECT_EQ(Read.At(5, 6), QStringLiteral("1"));
}

TEST_F(EdeAppend, OnlyFreeRowsAreFilledJudgedByTheKeyColumn)
{
    for (int r : {1, 2, 3, 5})
        Read.Use_Row(r, 2, "0", "0", 13, 6);
    Append_EDE_Objects({Var(0, 1), Var(0, 2), Var(0, 3)}, QStringLiteral("1"), 1, R, W);
    EXPECT_EQ(Read.At(4, 4), QStringLiteral("1"));
    EXPECT_EQ(Read.At(5, 2), QStringLiteral("used"));
    EXPECT_EQ(Read.At(6, 4), QStringLiteral("2"));
    EXPECT_EQ(Read.At(7, 4), QStringLiteral("3"));

    // Without a device column the Object Type column tells used rows.
    TTestGrid read2(18), write2(22);
    read2.Use_Row(1, 3, "0", "4", 13, 6);
    read2.Cells[1][2].clear();
    TEDE_Rule_Grid r2 = read2.View(), w2 = write2.View();
    Append_EDE_Objects({Var(2, 9)}, QString(), 2, r2, w2);
    EXPECT_EQ(read2.At(1, 3), QStringLiteral("used"));
    EXPECT_EQ(read2.At(2, 3), QStringLiteral("Analog Value"));
    EXPECT_EQ(read2.At(2, 13), QStringLiteral("4"));
}

TEST_F(EdeAppend, WriteRulesCarryTheTypesDataTypeAndUnmarkedObjectsNothing)
{
    TBACnet_Var unmarked = Var(1, 5, true, true);
    unmarked.import = false;
    const TEDE_Append_Result res =
        Append_EDE_Objects({unmarked, Var(46, 6, false, false), Var(46, 7, false, true)}, QStringLiteral("3"), 1, R, W);
    EXPECT_EQ(res.Read_Added, 0);
    EXPECT_EQ(res.Write_Added, 1);
    const QStringList expected = {QString(), QStringLiteral("Y"), QStringLiteral("3"), QStringLiteral("Large Analog Value"),
                                  QStringLiteral("Double"), QStringLiteral("7"), QStringLiteral("Present Value (85)"),
                                  QStringLiteral("0"), QStringLiteral("8"), QStringLiteral("N"), QString(), QString(),
                                  QString(), QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("1000"),
                                  QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("N"),
                                  QString(), QStringLiteral("N7 - D")};
    EXPECT_EQ(Write.Cells[1], expected);
    EXPECT_TRUE(Write.At(2, 3).isEmpty());
}

TEST_F(EdeAppend, RulesFindingNoFreeRowAreCounted)
{
    for (int r = 1; r <= Rule_Rows; ++r)
        Read.Use_Row(r, 2, "0", "1", 13, 6);
    Read.Cells[Rule_Rows][2].clear();
    const TEDE_Append_Result res = Append_EDE_Objects({Var(0, 1), Var(0, 2, true, true), Var(0, 3)}, QStringLiteral("1"), 0, R, W);
    EXPECT_EQ(res.Read_Added, 1);
    EXPECT_EQ(res.Write_Added, 1);
    EXPECT_EQ(res.Not_Placed, 2);
    EXPECT_EQ(Read.At(Rule_Rows, 13), QStringLiteral("1"));
}

TEST_F(EdeAppend, PublicExampleUnderBacnetIp)
{
    const QString example = QString::fromUtf8(KV_SHARED_TESTDATA_DIR) + QStringLiteral("/ede/EDE_2_2_example_EDE.csv");
    if (!QFile::exists(example))
        GTEST_SKIP() << "missing " << example.toStdString() << ": the example was not imported";
    Append_EDE_Objects(Load_EDE_File(example), QStringLiteral("192.168.1.10"), 0, R, W);
    const char* positions[] = {"0", "4", "8", "12", "13", "17"};
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(Read.At(r, 13), QString::fromLatin1(positions[r - 1])) << r;
    EXPECT_TRUE(Read.At(7, 2).isEmpty());
    EXPECT_EQ(Write.At(1, 3), QStringLiteral("Analog Output"));
    EXPECT_EQ(Write.At(1, 4), QStringLiteral("Real"));
    EXPECT_EQ(Write.At(1, 5), QStringLiteral("1234"));
    EXPECT_EQ(Write.At(1, 8), QStringLiteral("4"));
    EXPECT_EQ(Write.At(1, 17), QStringLiteral("0"));
    EXPECT_EQ(Write.At(1, 21), QStringLiteral("Damper - Damper in Duct 2"));
    EXPECT_TRUE(Write.At(2, 2).isEmpty());
}

}  // namespace
