#include "editors_it/snmp_texts.h"

#include "common/lang_text_runs.h"

std::vector<TLangBlock> SNMP_Manager_Lang_Blocks()
{
    QStringList t;
    t << QStringLiteral("SNMP Manager Set Access") << QStringLiteral("SNMP Manager Set Access");  // 5100
    t << Lang_Row_Buttons();                                                                      // 5102
    // Headers of columns 0 to 13, 5108, and of column 22
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("IP Address") << QStringLiteral("Version")
      << QStringLiteral("Community Name") << QStringLiteral("OID") << QStringLiteral("Type") << QStringLiteral("Mode")
      << QStringLiteral("OnChange") << QStringLiteral("OnCMD") << QStringLiteral("OnTimer") << QStringLiteral("Time")
      << QStringLiteral("Position") << QStringLiteral("Num Bytes") << QStringLiteral("Mnemonic");
    // Hints of columns 1 to 13, 5123, and of column 22
    t << QStringLiteral("Enable or Disable the SNMP Request")
      << QStringLiteral("Insert the IP Address of the SNMP Agent that receives the Request")
      << QStringLiteral("Select the SNMP Version") << QStringLiteral("Insert the Community Name")
      << QStringLiteral("Insert the OID of the Object (Ex. 1.3.6.1.2.1.1.1.0)")
      << QStringLiteral("Select the Type of the Data") << QStringLiteral("Select the Request to do (Get, Set or Trap)")
      << QStringLiteral("Enable or Disable the Request when a Byte of the linked Data changes")
      << QStringLiteral("Enable or Disable the Request when the linked Register is written")
      << QStringLiteral("Enable or Disable the cyclic Request")
      << QStringLiteral("Insert the Time in milliseconds between two Requests")
      << QStringLiteral("Select the Position in the internal data array")
      << QStringLiteral("Insert the Number of Bytes of the Request")
      << QStringLiteral("Insert a description of the SNMP Request");
    t << QStringLiteral("Error row ");  // 5137
    t << QStringLiteral("!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)")
      << QStringLiteral("!! OID string is too much length")
      << QStringLiteral("!! OID string can contains only number and \".\"")
      << QStringLiteral("!! OID string cannot start with a \".\"")
      << QStringLiteral("!! OID string cannot finish with a \".\"")
      << QStringLiteral("!! OID string cannot contains two or more consecutive \".\"")
      << QStringLiteral("!! OID string cannot contains number major of $FFFFFFFF between two \".\"")
      << QStringLiteral("!! Time must be between 1 and 100000000 ms")
      << QStringLiteral("!! Number bytes must be between 0 and 1024");
    t << Lang_Delete_Row_Question();  // 5147
    t << QStringLiteral("Confirm and save the SNMP Manager Access List")  // 5148
      << QStringLiteral("Exit without save the SNMP Manager Access List") << Lang_Row_Command_Hints();
    t << QStringLiteral("Conversion") << QStringLiteral("Select the Conversion of the Data")  // 5154
      << QStringLiteral("!! Conversion not selected");
    t << QStringLiteral(" ") << QStringLiteral(" ") << QStringLiteral(" ");  // 5157 to 5159, read by no window
    t << QStringLiteral("Cancel")                                             // 5160
      << QStringLiteral("Enable or Disable the cancel of the Data when the Agent gives no answer");
    t << QStringLiteral("User") << QStringLiteral("Auth Pass") << QStringLiteral("Priv Pass")  // 5162
      << QStringLiteral("Security Level") << QStringLiteral("Auth Mode") << QStringLiteral("Priv Mode");
    t << QStringLiteral("Insert the User Name (only SNMP version 3)")  // 5168
      << QStringLiteral("Insert the Authentication Password (only SNMP version 3)")
      << QStringLiteral("Insert the Privacy Password (only SNMP version 3)")
      << QStringLiteral("Select the Security Level (only SNMP version 3)")
      << QStringLiteral("Select the Authentication Protocol, used with Auth NoPriv and Auth Priv")
      << QStringLiteral("Select the Privacy Protocol, used with Auth Priv");
    for (int i = 5174; i <= 5182; ++i)  // read by no window
        t << QStringLiteral(" ");
    t << QStringLiteral("!! Security Level must be selected") << QStringLiteral("!! Auth Mode must be selected")  // 5183
      << QStringLiteral("!! Priv Mode must be selected");
    t << QStringLiteral("Error in rows ") << QStringLiteral(" and ")  // 5186
      << QStringLiteral("!! Same IP Address, Version and OID used")
      << QStringLiteral("Error!! Too many charaters used for Community Name / User, OID, AuthPass and PrivPass");
    return {{5100, t}};
}

std::vector<TLangBlock> SNMP_Agent_Lang_Blocks()
{
    const QString enableHint = QStringLiteral("Enable or Disable the SNMP Variable");
    const QString typeHint = QStringLiteral("Select the Type of the Value");
    const QString positionHint = QStringLiteral("Select the Position in the internal data array");
    const QString sizeHint = QStringLiteral("Insert the Size: Bits for Int, Bytes for String");
    const QString descHint =
        QStringLiteral("Insert the Object Name in the MIB (only letters and numbers, the first a lowercase letter)");
    const QString mnemonicHint = QStringLiteral("Insert a description of the SNMP Variable");
    QStringList t;
    t << QStringLiteral("SNMP Agent Set Access") << QStringLiteral("SNMP Agent Set Access");  // 5200
    t << Lang_Row_Buttons();                                                                  // 5202
    t << QStringLiteral("SNMP Read") << QStringLiteral("SNMP Write");                         // 5208
    t << QStringLiteral("Confirm and save the SNMP Agent Variables List")                     // 5210
      << QStringLiteral("Exit without save the SNMP Agent Variables List") << Lang_Row_Command_Hints();
    // Read headers of columns 0 to 12, 5216, and of column 14
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Community Name") << QStringLiteral("Type")
      << QStringLiteral("On Change") << QStringLiteral("On CMD") << QStringLiteral("On Timer")
      << QStringLiteral("Time (ms)") << QStringLiteral("Position") << QStringLiteral("Start Bit")
      << QStringLiteral("Num Bits/Bytes") << QStringLiteral("Description") << QStringLiteral("IP Address")
      << QStringLiteral("Mnemonic");
    // Write headers of columns 0 to 7, 5230, and of column 9
    t << QStringLiteral("N") << QStringLiteral("Enable") << QStringLiteral("Community Name") << QStringLiteral("Type")
      << QStringLiteral("Position") << QStringLiteral("Start Bit") << QStringLiteral("Num Bits/Bytes")
      << QStringLiteral("Description") << QStringLiteral("Mnemonic");
    // Read hints of columns 1 to 12, 5239, and of column 14
    t << enableHint << QStringLiteral("Insert the Community Name of the Trap") << typeHint
      << QStringLiteral("Enable or Disable the Trap when the Data changes value")
      << QStringLiteral("Enable or Disable the Trap when a Command arrives")
      << QStringLiteral("Enable or Disable the cyclic Trap")
      << QStringLiteral("Insert the Time in milliseconds between two Traps") << positionHint
      << QStringLiteral("Select the first Bit read in the Byte") << sizeHint << descHint
      << QStringLiteral("Insert the IP Address of the Trap destination") << mnemonicHint;
    // Write hints of columns 1 to 7, 5252, and of column 9
    t << enableHint << QStringLiteral("Insert the Community Name") << typeHint << positionHint
      << QStringLiteral("Select the first Bit written in the Byte") << sizeHint << descHint << mnemonicHint;
    t << QStringLiteral("Error row ");  // 5260
    const QString charRule = QStringLiteral("(allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")");
    const QString descRule = QStringLiteral(". First character must be a letter and must be lowercase");
    t << QStringLiteral("!! [SNMP Read] Type must be selected")  // 5261
      << QStringLiteral("!! [SNMP Read] Time must be between 1 and 1000000000 ms")
      << QStringLiteral("!! [SNMP Read] Position must be selected")
      << QStringLiteral("!! [SNMP Read] Start Bit must be selected")
      << QStringLiteral("!! [SNMP Read] Start Bit must be 0 if Type is String")
      << QStringLiteral("!! [SNMP Read] Num Bits/Bytes must be between 1 and 64 bits")
      << QStringLiteral("!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes")
      << QStringLiteral("!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)");
    t << QStringLiteral("!! [SNMP Write] Type must be selected")  // 5269
      << QStringLiteral("!! [SNMP Write] Position must be selected")
      << QStringLiteral("!! [SNMP Write] Start Bit must be selected")
      << QStringLiteral("!! [SNMP Write] Start Bit must be 0 if Type is String")
      << QStringLiteral("!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits")
      << QStringLiteral("!! [SNMP Write] Num Bits/Bytes must be between 1 and 16 bytes");
    t << Lang_Delete_Row_Question();  // 5275
    t << QStringLiteral("!! [SNMP Read] Community Name is not correct ") + charRule  // 5276
      << QStringLiteral("!! [SNMP Read] Description is not correct ") + charRule + descRule
      << QStringLiteral("!! [SNMP Write] Community Name is not correct ") + charRule
      << QStringLiteral("!! [SNMP Write] Descrtiption is not correct ") + charRule + descRule;
    t << QStringLiteral("Error!! The Descriptions must be all differents");  // 5280
    t << QStringLiteral("Conversion") << QStringLiteral("Conversion")       // 5281
      << QStringLiteral("Select the Conversion from Float to Integer")
      << QStringLiteral("Select the Conversion from Integer to Float");
    t << QStringLiteral("!! [SNMP Read] Conversion must be selected")  // 5285
      << QStringLiteral("!! [SNMP Write] Conversion must be selected");
    const QString mibNames =
        QStringLiteral(" Description must not be a name of the MIB module itself (such as identity, gateway, data, "
                       "countin, traps, bufferinval1 or trapval1)");
    t << QStringLiteral("!! [SNMP Read]") + mibNames  // 5287
      << QStringLiteral("!! [SNMP Write]") + mibNames;
    return {{5200, t}};
}
