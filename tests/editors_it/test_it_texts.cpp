// English texts of the MQTT, topic template, SNMP and OPC UA windows.

#include "editors_it/mqtt_texts.h"
#include "editors_it/opcua_texts.h"
#include "editors_it/snmp_texts.h"

#include "support/lang_block_check.h"

TEST(ItTexts, EachWindowFillsItsWholeRangeAndALanguageFileOverridesIt)
{
    Expect_Lang_Range(&MQTT_Topic_Lang_Blocks, 3900, 3998);
    // The rest of the dialog's range, 4009 to 4074, is read by no window and stays blank.
    Expect_Lang_Range(&Topic_Template_Lang_Blocks, 4000, 4008);
    Expect_Lang_Range(&OPC_UA_Client_Lang_Blocks, 4300, 4416);
    Expect_Lang_Range(&OPC_UA_Add_Server_Lang_Blocks, 4500, 4532);
    Expect_Lang_Range(&OPC_UA_Scan_Lang_Blocks, 4600, 4631);
    Expect_Lang_Range(&OPC_UA_Server_Lang_Blocks, 4700, 4730);
    Expect_Lang_Range(&SNMP_Manager_Lang_Blocks, 5100, 5189);
    Expect_Lang_Range(&SNMP_Agent_Lang_Blocks, 5200, 5288);
}

TEST(ItTexts, MqttAndTopicTemplateTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&MQTT_Topic_Lang_Blocks,
                      {{3900, "Set MQTT Topics"},
                       {3918, "Mnemonic"},
                       {3923, "Are you sure to delete the Row number "},
                       {3928, "Mnemonic"},
                       {3934, "MQTT Subscribe"},
                       {3935, "Template"},
                       {3939, "Position"},
                       {3946, "Template"},
                       {3951, "Error row "},
                       {3952, "!! [MQTT Publish] Data Type must be selected"},
                       {3956, "!! [MQTT Publish] Position must be beetween 0 and "},
                       {3961, "!! [MQTT Subscribe] Position must be beetween 0 and "},
                       {3963, "Input Template"},
                       {3967, "Port"},
                       {3969, "Input Template"},
                       {3974, "!! [MQTT Publish] IP Address must be a Valid IP Address (Ex. 192.168.2.167)"},
                       {3976, "!! [MQTT Subscribe] Port must be between 0 and 65535"},
                       {3980, "!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
                       {3981, "OnChange"},
                       {3985, "Time(ms)"},
                       {3989, "!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
                       {3990, "Channel"},
                       {3992, " "},
                       {3994, "Swap Word"}});
    Expect_Lang_Texts(&Topic_Template_Lang_Blocks,
                      {{4000, "Set Topic"}, {4003, "Set Template"}, {4006, "Description of Keyword"}, {4008, "Cancel"}});
}

TEST(ItTexts, SnmpTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&SNMP_Manager_Lang_Blocks,
                      {{5108, "N"},
                       {5121, "Num Bytes"},
                       {5122, "Mnemonic"},
                       {5137, "Error row "},
                       {5140, "!! OID string can contains only number and \".\""},
                       {5144, "!! OID string cannot contains number major of $FFFFFFFF between two \".\""},
                       {5146, "!! Number bytes must be between 0 and 1024"},
                       {5147, "Are you sure to delete the Row number "},
                       {5154, "Conversion"},
                       {5156, "!! Conversion not selected"},
                       {5160, "Cancel"},
                       {5167, "Priv Mode"},
                       {5183, "!! Security Level must be selected"},
                       {5187, " and "},
                       {5189, "Error!! Too many charaters used for Community Name / User, OID, AuthPass and PrivPass"}});
    Expect_Lang_Texts(&SNMP_Agent_Lang_Blocks,
                      {{5208, "SNMP Read"},
                       {5216, "N"},
                       {5228, "IP Address"},
                       {5229, "Mnemonic"},
                       {5237, "Description"},
                       {5238, "Mnemonic"},
                       {5260, "Error row "},
                       {5262, "!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
                       {5268, "!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
                       {5274, "!! [SNMP Write] Num Bits/Bytes must be between 1 and 16 bytes"},
                       {5275, "Are you sure to delete the Row number "},
                       {5276, "!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", "
                              "\"A\"..\"Z\" and \"0\"..\"9\")"},
                       {5279, "!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", "
                              "\"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
                       {5280, "Error!! The Descriptions must be all differents"},
                       {5282, "Conversion"},
                       {5286, "!! [SNMP Write] Conversion must be selected"},
                       {5287, "!! [SNMP Read] Description must not be a name of the MIB module itself (such as "
                              "identity, gateway, data, countin, traps, bufferinval1 or trapval1)"},
                       {5288, "!! [SNMP Write] Description must not be a name of the MIB module itself (such as "
                              "identity, gateway, data, countin, traps, bufferinval1 or trapval1)"}});
}

TEST(ItTexts, OpcUaTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&OPC_UA_Client_Lang_Blocks,
                      {{4301, "OCP UA Client Access"},
                       {4303, "Add"},
                       {4306, "Scan"},
                       {4311, "N"},
                       {4315, "User"},
                       {4345, "N"},
                       {4354, "Mnemonic"},
                       {4369, "Var Type"},
                       {4376, "Mnemonic"},
                       {4389, "Do you really want to delete the selected OPC UA Server?"},
                       {4390, "Error!! Select one Server OPC UA before use the Scan operation"},
                       {4392, "Do you want to append the new variables in Write?"},
                       {4393, "Are you sure to delete the Row number "},
                       {4394, "With this operation all the positions for this Server OPC UA will be overwritten. Do "
                              "you want to continue?"},
                       {4397, "Error in Server Number %d in Read Variable %d!! Time cannot be empty"},
                       {4400, "Error in Server Number %d in Read Variable %d!! Position must be between 0 and %d"},
                       {4402, "Error in Server Number %d in Write Variable %d!! Time must be major to 0"},
                       {4404, "Error in Server Number %d in Write Variable %d!! Position must be between 0 and %d"}});
    Expect_Lang_Texts(&OPC_UA_Add_Server_Lang_Blocks,
                      {{4500, "Add OPC UA Server"},
                       {4502, "Modify OPC UA Server"},
                       {4504, "Enable OPC UA Server"},
                       {4528, "Error!! The Server Address cannot be empty"},
                       {4532, "Error!! The Private Key cannot be empty"}});
    Expect_Lang_Texts(&OPC_UA_Scan_Lang_Blocks,
                      {{4600, "Scan Server OPC UA"},
                       {4605, "Clear All R"},
                       {4611, "Read"},
                       {4614, "Node Identifier"},
                       {4623, "WAITING FOR SCAN..."},
                       {4624, "Write"},
                       {4627, "Clear All W"},
                       {4630, "Error DLL not Found!!"},
                       {4631, "Error Functions in DLL not Found!!"}});
    Expect_Lang_Texts(&OPC_UA_Server_Lang_Blocks,
                      {{4700, "Definition of OPC UA Server Variables"},
                       {4714, "N"},
                       {4720, "Mnemonic"},
                       {4727, "Error row %d!! Position Must be Between 0 and %d"},
                       {4728, "Are you sure to delete the Row number %d"},
                       {4729, "R/W"}});
}

TEST(ItTexts, OpcUaClientKeepsTheShellsSharedEntries)
{
    // Without the editor's block the shell's own texts fill 4301 and 4303; with it the table
    // reads the same.
    Init_Lang_Table();
    const QString caption = Lang_Str(4301);
    const QString add = Lang_Str(4303);
    EXPECT_EQ(caption, QStringLiteral("OCP UA Client Access"));
    EXPECT_EQ(add, QStringLiteral("Add"));
    TLangSourceScope scope(&OPC_UA_Client_Lang_Blocks);
    EXPECT_EQ(Lang_Str(4301), caption);
    EXPECT_EQ(Lang_Str(4303), add);
}

TEST(ItTexts, RegisteredAtStart)
{
    Expect_Lang_Registered(3933, "MQTT Publish");
    Expect_Lang_Registered(4004, "List of keywords");
    Expect_Lang_Registered(4304, "Modify");
    Expect_Lang_Registered(4506, "Server Address");
    Expect_Lang_Registered(4604, "Select All R");
    Expect_Lang_Registered(4719, "Name");
    Expect_Lang_Registered(5109, "Enable");
    Expect_Lang_Registered(5209, "SNMP Write");
}
