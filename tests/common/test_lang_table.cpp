#include "common/lang_table.h"

#include "common/qstring_print.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

std::vector<TLangBlock> Overlapping_Source()
{
    return {{80, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}}};  // 80..82 are the main window's
}

std::vector<TLangBlock> Opc_Client_Source()
{
    return {{4300, {QStringLiteral("OPC UA Client"), QStringLiteral("Client rules"),
                    QStringLiteral("Servers"), QStringLiteral("Add server")}}};
}

std::vector<TLangBlock> Data_Seg_Source()
{
    QStringList texts;
    for (int i = 5500; i <= 5516; ++i)
        texts << QStringLiteral("Seg %1").arg(i);
    return {{5500, texts}};
}

}  // namespace

TEST(LangTable, BuiltTableHasFixedSizeAndTexts)
{
    Init_Lang_Table();
    ASSERT_EQ(SL_Lang.size(), 5600);
    EXPECT_EQ(Num_Lang_Str, 5500);
    EXPECT_EQ(SL_Lang[0], "Begin");
    EXPECT_EQ(SL_Lang[9], "None Configuration Opened ");
    EXPECT_EQ(SL_Lang[11], "Opened Configuration of the Converter : ");
    EXPECT_EQ(SL_Lang[18], "Error! Project not Valid");
    EXPECT_EQ(SL_Lang[82], "Set the Network of EtherNet/IP Slave");
    EXPECT_EQ(SL_Lang[83], " ");  // filler up to the next block
    EXPECT_EQ(SL_Lang[100], "Create New Configuration");
    EXPECT_EQ(SL_Lang[110], "Cancel the New Configuration");
    EXPECT_EQ(SL_Lang[200], "Open Configuration");
    EXPECT_EQ(SL_Lang[207], "Cancel open of Configuration");
    EXPECT_EQ(SL_Lang[306], " / ");
    EXPECT_EQ(SL_Lang[317], " to ");
    EXPECT_EQ(SL_Lang[321], "Enable Auto Size of Table Columns by Double Click");
    EXPECT_EQ(SL_Lang[1500], "Row Already used. Do you want to overwrite the values?");
    EXPECT_EQ(SL_Lang[1505], "File already exists. Do you want to overwrite?");
    EXPECT_EQ(SL_Lang[4301], "OCP UA Client Access");
    EXPECT_EQ(SL_Lang[4303], "Add");
    EXPECT_EQ(SL_Lang[5599], " ");
    EXPECT_EQ(Lang_Str(18), "Error! Project not Valid");
    EXPECT_EQ(Lang_Str(-1), QString());
    EXPECT_EQ(Lang_Str(5600), QString());

    // A language change rebuilds from scratch.
    SL_Lang[0] = QStringLiteral("changed");
    Init_Lang_Table();
    EXPECT_EQ(SL_Lang.size(), 5600);
    EXPECT_EQ(SL_Lang[0], "Begin");
}

TEST(LangTable, RegisteredSourcesFillTheirRanges)
{
    Add_Lang_Block_Source(Data_Seg_Source);
    Add_Lang_Block_Source(Data_Seg_Source);  // ignored the second time
    Add_Lang_Block_Source(Opc_Client_Source);
    Init_Lang_Table();
    EXPECT_EQ(SL_Lang.size(), 5600);
    EXPECT_EQ(SL_Lang[5500], "Seg 5500");
    EXPECT_EQ(SL_Lang[5516], "Seg 5516");
    EXPECT_EQ(SL_Lang[5517], " ");
    // The OPC UA client's own block takes the shared entries over.
    EXPECT_EQ(SL_Lang[4300], "OPC UA Client");
    EXPECT_EQ(SL_Lang[4301], "Client rules");
    EXPECT_EQ(SL_Lang[4303], "Add server");
    Remove_Lang_Block_Source(Data_Seg_Source);
    Remove_Lang_Block_Source(Opc_Client_Source);
    Init_Lang_Table();
    EXPECT_EQ(SL_Lang[5500], " ");
    EXPECT_EQ(SL_Lang[4301], "OCP UA Client Access");
}

TEST(LangTable, OverlappingBlocksAreRefused)
{
    Init_Lang_Table();
    Add_Lang_Block_Source(Overlapping_Source);
    EXPECT_THROW(Init_Lang_Table(), std::exception);
    Remove_Lang_Block_Source(Overlapping_Source);
    // The failed build left the table as it was.
    EXPECT_EQ(SL_Lang.size(), 5600);
    EXPECT_EQ(SL_Lang[80], "Create the SNMP MIB for Actual Configuration");

    EXPECT_THROW(Build_Lang_Table({{5, {QStringLiteral("x")}}, {0, QStringList(6, QStringLiteral("y"))}}),
                 std::exception);
    EXPECT_THROW(Build_Lang_Table({{5599, {QStringLiteral("x"), QStringLiteral("y")}}}), std::exception);
    EXPECT_THROW(Build_Lang_Table({{-1, {QStringLiteral("x")}}}), std::exception);
    EXPECT_NO_THROW(Build_Lang_Table({{5599, {QStringLiteral("x")}}}));
}

TEST(LangTable, BlankCaptionEntriesStayBlank)
{
    // A block running over 766 or 1328 (inside the general parameters' range) or 2659 (just
    // after the CAN receive window's) may only hold the blank there.
    for (const int filler : {766, 1328, 2659}) {
        EXPECT_THROW(Build_Lang_Table({{filler - 1, {QStringLiteral("Type"), QStringLiteral("Hint")}}}),
                     std::exception)
            << filler;
        const QStringList table =
            Build_Lang_Table({{filler - 1, {QStringLiteral("Type"), QStringLiteral(" "), QStringLiteral("Item")}}});
        EXPECT_EQ(table[filler], " ") << filler;
        EXPECT_EQ(table[filler + 1], "Item") << filler;
    }
}

TEST(LangTable, ShellBlocksHoldTheirEntryCounts)
{
    std::map<int, int> counts;
    for (const TLangBlock& b : Shell_Lang_Blocks())
        counts[b.Start] = b.Texts.size();
    const std::map<int, int> expected{{0, 83}, {100, 11}, {200, 8}, {300, 22}, {1500, 9}, {1509, 1}};
    EXPECT_EQ(counts, expected);
}
