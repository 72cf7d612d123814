// English texts of the EtherCAT, IEC 61850, TLS certificate, PROFINET name and S7comm windows.

#include "editors_industrial/ethercat_texts.h"
#include "editors_industrial/iec_client_texts.h"
#include "editors_industrial/iec_variables_texts.h"
#include "editors_industrial/profinet_name_texts.h"
#include "editors_industrial/s7_texts.h"
#include "editors_industrial/tls_cert_texts.h"

#include "support/lang_block_check.h"

TEST(IndustrialTexts, EachWindowFillsItsWholeRangeAndALanguageFileOverridesIt)
{
    Expect_Lang_Range(&EtherCAT_Lang_Blocks, 3300, 3350);
    Expect_Lang_Range(&IEC_Client_Lang_Blocks, 3400, 3467);
    Expect_Lang_Range(&IEC_Variables_Lang_Blocks, 3500, 3545);
    Expect_Lang_Range(&TLS_Cert_Lang_Blocks, 3600, 3621);
    Expect_Lang_Range(&Profinet_Name_Lang_Blocks, 4800, 4808);
    // The delete question sits on the first free entry after the window's range.
    Expect_Lang_Range(&S7_Lang_Blocks, 4900, 5025);
}

TEST(IndustrialTexts, EtherCATTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&EtherCAT_Lang_Blocks,
                      {{3300, "EtherCAT Slave Set Access"},
                       {3317, "Length"},
                       {3319, "Name"},
                       {3323, "Mnemonic"},
                       {3326, "Insert the Dimension in byte of EtherCAT Slave String Variable"},
                       {3333, "Are you sure to delete the Row number %d"},
                       {3335, "Master To Slave"},
                       {3341, "Position"},
                       {3343, "Mnemonic"},
                       {3346, "Insert the Dimension in byte of EtherCAT Slave String Variable"}});
}

TEST(IndustrialTexts, IecClientTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&IEC_Client_Lang_Blocks,
                      {{3401, "IEC61850 Client Set Access"},
                       {3405, "Remove Var"},
                       {3408, "Add IEC Device"},
                       {3410, "Confirm and save the KNX Set Access List"},
                       {3417, "Remove the Selected ICD file to the List"},
                       {3418, "N"},
                       {3428, "Time (ms)"},
                       {3432, "Convertion"},
                       {3434, "Mnemonic"},
                       {3452, "Error row "},
                       {3456, "!! Position must be between 0 and "},
                       {3458, "Start Byte"},
                       {3461, "Insert the Number of Bytes, only for VisString255 (1-255) or Octet64 (1-64)"},
                       {3464, "!! Start Byte plus Num Byte must be minor of 255"},
                       {3467, "!! Start Byte plus Num Byte must be minor of 64"}});
}

TEST(IndustrialTexts, IecVariablesTlsAndProfinetTextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&IEC_Variables_Lang_Blocks,
                      {{3500, "Set Variables Access for IEC61850"},
                       {3512, "Copy all Fields of the Selected Row"},
                       {3519, "Read Only"},
                       {3521, "Mnemonic"},
                       {3529, "Error row "},
                       {3531, "Are you sure to delete the Row number "},
                       {3534, "Molt. Factor"},
                       {3538, "!! Start Bit must be Selected "},
                       {3541, "!! Length must be between 1 and 4"},
                       {3543, "Swap Word"}});
    Expect_Lang_Texts(&TLS_Cert_Lang_Blocks,
                      {{3601, "Definition the list of Known Certificates"},
                       {3610, "Delete the selected Row in the table"},
                       {3616, "Certificate"},
                       {3620, "Insert a Description of TLS Certificate"},
                       {3621, "Are you sure to delete the Row number "}});
    Expect_Lang_Texts(&Profinet_Name_Lang_Blocks,
                      {{4801, "Create the PROFINET XML GSD File"},
                       {4805, "Fixed Part"},
                       {4808, "File already exists! Do you want to overwrite the file?"}});
}

TEST(IndustrialTexts, S7TextsSitAtTheirIndexes)
{
    Expect_Lang_Texts(&S7_Lang_Blocks,
                      {{4900, "S7comm Access"},
                       {4915, "S7comm Write"},
                       {4918, "PLC Address"},
                       {4928, "Mnemonic"},
                       {4937, "On Change"},
                       {4943, "Mnemonic"},
                       {4970, "Error row "},
                       {4971, "!! [S7comm Read] PLC Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
                       {4977, "!! [S7comm Read] Position must be between 0 and "},
                       {4984, "!! [S7comm Write] Poll Time must be between 0 and 100000000"},
                       {4986, "!! [S7comm Write] Start Bit cannot be empty"},
                       {4987, "!! [S7comm Read] Device support 10 connection"},
                       {4988, "!! [S7comm Write] Device support 10 connection"},
                       {4990, "PLC Area"},
                       {4996, "PLC Bit"},
                       {5007, "!! [S7comm Read] PLC Address must be between 0 and 65535"},
                       {5012, "!! [S7comm Write] PLC Bit cannot be empty"},
                       {5013, "Rack"},
                       {5016, "Slot"},
                       {5022, "!! [S7comm Read] Slot must be between 0 and 31"},
                       {5024, "!! [S7comm Write] Slot must be between 0 and 31"},
                       {5025, "Are you sure to delete the Row number "}});
}

TEST(IndustrialTexts, RegisteredAtStart)
{
    Expect_Lang_Registered(3334, "Slave To Master");
    Expect_Lang_Registered(3404, "Add Var");
    Expect_Lang_Registered(3514, "N");
    Expect_Lang_Registered(3619, "Insert the TLS Certificate");
    Expect_Lang_Registered(4804, "User Part");
    Expect_Lang_Registered(4914, "S7comm Read");
}
