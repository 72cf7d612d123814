// English texts of the CANopen PDO, SDO client and SDO server editors.

#include "editors_can/canopen_texts.h"

#include "support/lang_block_check.h"

TEST(CanopenTexts, EachEditorFillsItsWholeRangeAndALanguageFileOverridesIt)
{
    Expect_Lang_Range(&PDO_Lang_Blocks, 2800, 2893);
    Expect_Lang_Range(&SDO_Client_Lang_Blocks, 2900, 2981);
    Expect_Lang_Range(&SDO_Server_Lang_Blocks, 3000, 3075);
}

TEST(CanopenTexts, PdoTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&PDO_Lang_Blocks,
                      {{2800, "Set PDO Access"},
                       {2804, "Delete Row"},
                       {2809, "Exit without save the CANopen PDOs List"},
                       {2815, "Transmit PDO"},
                       {2826, "Add B8"},
                       {2828, "Mnemonic"},
                       {2841, "On Change"},
                       {2845, "Insert the position of array where put the byte 1 of CANopen PDO frame"},
                       {2853, "Insert the TimeOut in milliseconds of data for each CANopen PDO frames, insert 0 do "
                              "disable the function"},
                       {2864, "Insert the position of array where place in byte 8 of CANopen PDO frame"},
                       {2866, "Enable or Disable the possibility to send the CANopen PDO Frame if a Data Byte changes"},
                       {2868, "Error row "},
                       {2878, "!! [Receive PDO] Address Byte8 must be between 0 and "},
                       {2879, "!! [Receive PDO] TimeOut must be between 0 and 65535"},
                       {2880, "!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
                       {2890, "!! [Transmit PDO] Send Time must be between 0 and 100000000"},
                       {2891, "Are you sure to delete the Row number "}});
}

TEST(CanopenTexts, SdoClientTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&SDO_Client_Lang_Blocks,
                      {{2901, "Set SDO Client Access"},
                       {2908, "Confirm and save the CANopen SDOs Client List"},
                       {2913, "Paste the Copied Fields in the Selected Row"},
                       {2921, "Poll Time"},
                       {2933, "On Change"},
                       {2938, "Mnemonic"},
                       {2942, "Insert the Number of Bytes of SDO Request, 1 or 2 or 4 bytes"},
                       {2947, "Insert the position of array where place in byte 4 of CANopen SDO Request"},
                       {2953, "Insert the Time in milliseconds between the sending of CANopen SDO Request"},
                       {2954, "Enable or Disable the possibility to send the CANopen SDO Request if a Data Byte changes"},
                       {2955, "Insert the position of array where put the byte 1 of CANopen SDO Request"},
                       {2965, "!! [SDO Read] Poll Time must be between 1 and 100000000"},
                       {2969, "!! [SDO Read] Address Byte4 must be between 0 and "},
                       {2970, "!! [SDO Write] Device ID must be between 1 and 127"},
                       {2974, "!! [SDO Write] Poll Time must be between 0 and 100000000"},
                       {2979, "Are you sure to delete the Row number "}});
}

TEST(CanopenTexts, SdoServerTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&SDO_Server_Lang_Blocks,
                      {{3000, "Set SDO Server Access"},
                       {3009, "Exit without save the CANopen SDOs Server List"},
                       {3014, "SDO in Read"},
                       {3023, "Add Byte4"},
                       {3033, "Mnemonic"},
                       {3036, "Insert the Number of Bytes of SDO, 1 or 2 or 4 bytes"},
                       {3037, "Insert the position of array where read the byte 1 of CANopen SDO Request"},
                       {3048, "Insert the position of array where write the byte 4 of CANopen SDO Request"},
                       {3049, "Insert a description of the CANopen SDO Request"},
                       {3050, "Error row "},
                       {3053, "!! [SDO in Read] N Byte must be 1 or 2 or 4"},
                       {3058, "!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
                       {3064, "!! [SDO in Write] Address Byte4 must be between 0 and "},
                       {3065, "Are you sure to delete the Row number "}});
}

TEST(CanopenTexts, RegisteredAtStart)
{
    Expect_Lang_Registered(2814, "Receive PDO");
    Expect_Lang_Registered(2914, "SDO Read");
    Expect_Lang_Registered(3015, "SDO in Write");
}
