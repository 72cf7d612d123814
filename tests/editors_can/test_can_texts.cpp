#include "editors_can/can_texts.h"

#include "common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(CANTexts, CoverTheEightEditorRanges)
{
    Expect_Lang_Ranges(&CAN_Lang_Blocks, {{2600, 2658}, {2700, 2763}, {3100, 3127}, {3200, 3225},
                                          {3700, 3747}, {3800, 3843}, {4100, 4143}, {4200, 4242}});
}

TEST(CANTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&CAN_Lang_Blocks);
    Expect_Lang_Texts({
        {2600, "Receive CAN Frames Set Access"},
        {2621, "Byte8"},
        {2643, "Insert a description of the CAN Frame"},
        {2644, "Error row "},
        {2646, "!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
        {2650, " or None"},
        {2652, "!! Byte3 must be between 0 and "},
        {2658, "Are you sure to delete the Row number "},
        {2659, " "},
        {2714, "OnTimer"},
        {2751, "!! Time must be between 0 and 100000000 milliseconds"},
        {2753, " or None"},
        {2762, "OnCMD"},
        {3100, "DeviceNet Network"},
        {3124, "!! ID must be 0 or 63"},
        {3210, "Use \"None\" to not pass the byte from DeviceNet to IO-Link Slave"},
        {3221, "Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet."},
        {3224, ", Second ID = "},
        {3709, "Exit without save the 1939 Receive Frames List"},
        {3735, "Error in row "},
        {3745, "Error!! Too many bytes of data, the max number is "},
        {3746, "!! Time(ms) must be between 0 and 10000000"},
        {3838, "!! PGN must be between 0x00000 and 0x1FFFF"},
        {3842, "!! Send Timer must be between 1 and 65535 ms"},
        {4101, "Receive NMEA 2000 Frames"},
        {4137, "!! Start Byte plus Number Bytes must be between 0 and 223"},
        {4143, "Are you sure to delete the Row number "},
        {4224, "Mnemonic"},
        {4239, "!! Num Byte must be between 0 and "},
        {4242, "Are you sure to delete the Row number "},
        {4243, " "},
    });
}

TEST(CANTexts, LanguageFileReplacesThem)
{
    TLangSourceScope scope(&CAN_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR2600 = Ricezione CAN"), QStringLiteral("STR4242 = Cancellare la riga?"),
                     QStringLiteral("STR2659 = Vuoto")});
    EXPECT_EQ(SL_Lang[2600], "Ricezione CAN");
    EXPECT_EQ(SL_Lang[4242], "Cancellare la riga?");
    EXPECT_EQ(SL_Lang[2659], "Vuoto");  // the blank after the range is a language entry too
    EXPECT_EQ(SL_Lang[2601], "Receive CAN Frames Set Access");
}
