#include "enip_outputs/enip_master_texts.h"

#include "common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

TEST(EnipMasterTexts, CoverTheRulesEditorPickerAndDataSegmentRanges)
{
    Expect_Lang_Ranges(&EnipMaster_Lang_Blocks, {{5300, 5376}, {5400, 5415}, {5500, 5516}});
}

TEST(EnipMasterTexts, TableHoldsTheEnglishTextsAtTheirIndexes)
{
    TLangSourceScope scope(&EnipMaster_Lang_Blocks);
    Expect_Lang_Texts({
        {5300, "Set EtherNet/IP Slaves Access"},
        {5313, "Paste the Copied Fields in the Selected Row"},
        {5322, "Mnemonic"},
        {5338, "Error!! The Total Number of Input Bytes must be between 0 and "},
        {5340, "Are you sure to delete the Row number "},
        {5349, "Insert the Connection Point Target To Oginator (T > O). Default Value 100"},
        {5366, "Data Segment"},
        {5370, "!! Eletronic Key must contain 8 bytes"},
        {5376, "Enable or Disable the Reset Data if EtherNet/IP Slave fails"},
        {5377, " "},
        {5400, "EtherNet/IP EDS Decode - Select the Connection to use"},
        {5414, "Dim Header T > O"},
        {5415, "Error!! No Valid Connection found"},
        {5500, "EtherNet/IP Data Segment Editor"},
        {5514, "Value (int)"},
        {5515, "Param Number %d. The Value must be between %d and %d"},
        {5516, "Param Number %d. The Value must be between %n and %n"},
        {5517, " "},
    });
}

TEST(EnipMasterTexts, LanguageFileReplacesAllButTheDataSegmentEditorTexts)
{
    TLangSourceScope scope(&EnipMaster_Lang_Blocks);
    Load_Lang_Lines({QStringLiteral("STR5300 = Accesso slave"), QStringLiteral("STR5415 = Nessuna connessione"),
                     QStringLiteral("STR5500 = Editor segmento"), QStringLiteral("STR5516 = Parametro")});
    Expect_Lang_Texts({
        {5300, "Accesso slave"},
        {5415, "Nessuna connessione"},
        // Entries from 5500 on always keep their English text.
        {5500, "EtherNet/IP Data Segment Editor"},
        {5516, "Param Number %d. The Value must be between %n and %n"},
    });
}
