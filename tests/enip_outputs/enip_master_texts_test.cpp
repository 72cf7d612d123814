#include "enip_outputs/enip_master_texts.h"

#include "shell/common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(EnipMasterTexts, CoverTheRulesEditorPickerAndDataSegmentRanges)
{
    Expect_Lang_Ranges(&EnipMaster_Lang_Blocks, {{5300, 5376}, {5400, 5415}, {5500, 5516}});
}

TEST(EnipMasterTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&EnipMaster_Lang_Blocks);
    ASSERT_EQ(SL_Lang.size(), Lang_Table_Size);
    EXPECT_EQ(SL_Lang[5300], "Set EtherNet/IP Slaves Access");
    EXPECT_EQ(SL_Lang[5313], "Paste the Copied Fields in the Selected Row");
    EXPECT_EQ(SL_Lang[5322], "Mnemonic");
    EXPECT_EQ(SL_Lang[5338], "Error!! The Total Number of Input Bytes must be between 0 and ");
    EXPECT_EQ(SL_Lang[5340], "Are you sure to delete the Row number ");
    EXPECT_EQ(SL_Lang[5349], "Insert the Connection Point Target To Oginator (T > O). Default Value 100");
    EXPECT_EQ(SL_Lang[5366], "Data Segment");
    EXPECT_EQ(SL_Lang[5370], "!! Eletronic Key must contain 8 bytes");
    EXPECT_EQ(SL_Lang[5376], "Enable or Disable the Reset Data if EtherNet/IP Slave fails");
    EXPECT_EQ(SL_Lang[5377], " ");
    EXPECT_EQ(SL_Lang[5400], "EtherNet/IP EDS Decode - Select the Connection to use");
    EXPECT_EQ(SL_Lang[5414], "Dim Header T > O");
    EXPECT_EQ(SL_Lang[5415], "Error!! No Valid Connection found");
    EXPECT_EQ(SL_Lang[5500], "EtherNet/IP Data Segment Editor");
    EXPECT_EQ(SL_Lang[5514], "Value (int)");
    EXPECT_EQ(SL_Lang[5515], "Param Number %d. The Value must be between %d and %d");
    EXPECT_EQ(SL_Lang[5516], "Param Number %d. The Value must be between %n and %n");
    EXPECT_EQ(SL_Lang[5517], " ");
}

TEST(EnipMasterTexts, LanguageFileReplacesAllButTheDataSegmentEditorTexts)
{
    TLangSourceScope scope(&EnipMaster_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR5300 = Accesso slave"), QStringLiteral("STR5415 = Nessuna connessione"),
                     QStringLiteral("STR5500 = Editor segmento"), QStringLiteral("STR5516 = Parametro")});
    EXPECT_EQ(SL_Lang[5300], "Accesso slave");
    EXPECT_EQ(SL_Lang[5415], "Nessuna connessione");
    // Entries from 5500 on always keep their English text.
    EXPECT_EQ(SL_Lang[5500], "EtherNet/IP Data Segment Editor");
    EXPECT_EQ(SL_Lang[5516], "Param Number %d. The Value must be between %n and %n");
}
