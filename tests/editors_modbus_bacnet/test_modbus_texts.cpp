#include "editors_modbus_bacnet/modbus_texts.h"

#include "common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(ModbusTexts, CoverTheSerialAndTcpRanges)
{
    Expect_Lang_Ranges(&Modbus_Lang_Blocks, {{1900, 1993}, {2000, 2103}});
}

TEST(ModbusTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&Modbus_Lang_Blocks);
    Expect_Lang_Texts({
        {1914, "Modbus Read"},
        {1927, "Mnemonic"},
        {1941, "Mnemonic"},
        {1942, "Topic"},
        {1954, "Insert the Description of Modbus Rule"},
        {1968, "Error row "},
        {1972, "!! [Modbus Read] NPoint must be between 1 and "},
        {1987, "!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {1988, "Are you sure to delete the Row number "},
        {1990, "SwapWord"},
        {2007, "Modbus Write"},
        {2010, "Slave IP Address"},
        {2037, "Mnemonic"},
        {2039, "!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
        {2060, "!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
        {2061, "Are you sure to delete the Row number "},
        {2062, "Topic"},
        {2099, "!! [Modbus Read] Poll Time must be between 1 and 100000000"},
        {2101, "Swap Word"},
        {2104, " "},
    });
}

TEST(ModbusTexts, LanguageFileReplacesThem)
{
    TLangSourceScope scope(&Modbus_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR1968 = Errore riga "), QStringLiteral("STR2099 = Tempo")});
    EXPECT_EQ(SL_Lang[1968], "Errore riga");  // outer blanks need the pilcrow form
    EXPECT_EQ(SL_Lang[2099], "Tempo");
    EXPECT_EQ(SL_Lang[2038], "Error row ");
}
