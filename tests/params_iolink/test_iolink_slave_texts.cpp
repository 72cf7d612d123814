#include "params_iolink/iolink_slave_texts.h"

#include "common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(IOLinkSlaveTexts, CoverTheWholeRangeInOneBlock)
{
    Expect_Lang_Ranges(&IOLinkSlave_Lang_Blocks, {{1700, 1811}});
}

TEST(IOLinkSlaveTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&IOLinkSlave_Lang_Blocks);
    Expect_Lang_Texts({
        {1699, " "},
        {1700, "IO-Link Slave Set Access"},
        {1708, "Confirm and save the Variables List of IEC61850"},
        {1716, "N"},
        {1731, "Mnemonic"},
        {1735, "Select the Access of Variable (Read Only or Write Only or Read Wreite)"},
        {1756, "Mnemonic"},
        {1765, "Insert the Mnemonic of Process Data"},
        {1784, "Insert the Mnemonic of Process Data"},
        {1785, "Error row "},
        {1801, "Error row %d!! [Variables] Position Read must be between %d and  %d"},
        {1803, "Error row %d!! [Variables] Position Write must be between %d and %d"},
        {1805, "Description"},
        {1808, "Insert the Description of Process Data"},
        {1811, "!! [Variables] Unit Code must be between 1000 and 65535"},
        {1812, " "},
    });
}

TEST(IOLinkSlaveTexts, LanguageFileReplacesThem)
{
    TLangSourceScope scope(&IOLinkSlave_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR1700 = Accesso IO-Link"), QStringLiteral("STR1811 = Codice unita")});
    Expect_Lang_Texts({
        {1700, "Accesso IO-Link"},
        {1811, "Codice unita"},
        {1701, "IO-Link Slave Set Access"},
    });
}
