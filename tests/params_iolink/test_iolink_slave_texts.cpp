#include "params_iolink/iolink_slave_texts.h"

#include "shell/common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(IOLinkSlaveTexts, CoverTheWholeRangeInOneBlock)
{
    Expect_Lang_Ranges(&IOLinkSlave_Lang_Blocks, {{1700, 1811}});
}

TEST(IOLinkSlaveTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&IOLinkSlave_Lang_Blocks);
    ASSERT_EQ(SL_Lang.size(), Lang_Table_Size);
    EXPECT_EQ(SL_Lang[1699], " ");
    EXPECT_EQ(SL_Lang[1700], "IO-Link Slave Set Access");
    EXPECT_EQ(SL_Lang[1708], "Confirm and save the Variables List of IEC61850");
    EXPECT_EQ(SL_Lang[1716], "N");
    EXPECT_EQ(SL_Lang[1731], "Mnemonic");
    EXPECT_EQ(SL_Lang[1735], "Select the Access of Variable (Read Only or Write Only or Read Wreite)");
    EXPECT_EQ(SL_Lang[1756], "Mnemonic");
    EXPECT_EQ(SL_Lang[1765], "Insert the Mnemonic of Process Data");
    EXPECT_EQ(SL_Lang[1784], "Insert the Mnemonic of Process Data");
    EXPECT_EQ(SL_Lang[1785], "Error row ");
    EXPECT_EQ(SL_Lang[1801], "Error row %d!! [Variables] Position Read must be between %d and  %d");
    EXPECT_EQ(SL_Lang[1803], "Error row %d!! [Variables] Position Write must be between %d and %d");
    EXPECT_EQ(SL_Lang[1805], "Description");
    EXPECT_EQ(SL_Lang[1808], "Insert the Description of Process Data");
    EXPECT_EQ(SL_Lang[1811], "!! [Variables] Unit Code must be between 1000 and 65535");
    EXPECT_EQ(SL_Lang[1812], " ");
}

TEST(IOLinkSlaveTexts, LanguageFileReplacesThem)
{
    TLangSourceScope scope(&IOLinkSlave_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR1700 = Accesso IO-Link"), QStringLiteral("STR1811 = Codice unita")});
    EXPECT_EQ(SL_Lang[1700], "Accesso IO-Link");
    EXPECT_EQ(SL_Lang[1811], "Codice unita");
    EXPECT_EQ(SL_Lang[1701], "IO-Link Slave Set Access");
}
