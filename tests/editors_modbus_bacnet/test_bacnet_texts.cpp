#include "editors_modbus_bacnet/bacnet_texts.h"

#include "common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(BACnetTexts, CoverTheClientImportServerAndUnitRanges)
{
    Expect_Lang_Ranges(&BACnet_Lang_Blocks, {{2200, 2293}, {2300, 2321}, {2400, 2460}, {2500, 2508}});
}

TEST(BACnetTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&BACnet_Lang_Blocks);
    Expect_Lang_Texts({
        {2206, "BACnet Read"},
        {2237, "Error in Read, row "},
        {2245, "!! Max Err must be between 0 and 655535"},
        {2257, "Select the BACnet Type in the \"Set Communication\" section"},
        {2258, "!! Data Type is not correct. Aspected Data Type is "},
        {2259, "Import EDE"},
        {2274, "!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)"},
        {2289, "!! Destination Address has too few bytes"},
        {2291, "Enable"},
        {2300, "Import BACnet EDE File"},
        {2314, "!! The Variable is only in read"},
        {2321, "Unselect All"},
        {2400, "BACnet Set Access"},
        {2423, "Mnemonic"},
        {2441, "!! [BACnet in Read] Length with variable \"Life Safety Point\" must be 1 or 2"},
        {2456, "!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
        {2459, "Error!! Too many Requests. Max requests "},
        {2460, "Are you sure to delete the Row number "},
        {2500, "Select the BACnet Engineering Unit"},
        {2508, "Select Engineering Unit"},
        {2509, " "},
    });
}

TEST(BACnetTexts, LanguageFileReplacesThem)
{
    TLangSourceScope scope(&BACnet_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR2259 = Importa EDE"), QStringLiteral("STR2508 = Seleziona unita")});
    EXPECT_EQ(SL_Lang[2259], "Importa EDE");
    EXPECT_EQ(SL_Lang[2508], "Seleziona unita");
    EXPECT_EQ(SL_Lang[2507], "Select Unit");
}
