#include "editors_industrial/iec_client_texts.h"

std::vector<TLangBlock> IEC_Client_Lang_Blocks()
{
    // 3406, 3407, 3414 and 3415 are read by no window and hold a blank.
    return {{3400,
             {
                 QStringLiteral("IEC61850 Client Set Access"),  // 3400
                 QStringLiteral("IEC61850 Client Set Access"),
                 QStringLiteral("OK"),
                 QStringLiteral("Cancel"),
                 QStringLiteral("Add Var"),
                 QStringLiteral("Remove Var"),
                 QStringLiteral(" "),
                 QStringLiteral(" "),
                 QStringLiteral("Add IEC Device"),  // 3408
                 QStringLiteral("Remove IEC Device"),
                 QStringLiteral("Confirm and save the KNX Set Access List"),  // 3410
                 QStringLiteral("Exit without save the KNX Set Access List"),
                 QStringLiteral("Add the Selected DA from Tree"),
                 QStringLiteral("Remove the Selected DA from Table"),
                 QStringLiteral(" "),
                 QStringLiteral(" "),
                 QStringLiteral("Add a ICD file to the List"),  // 3416
                 QStringLiteral("Remove the Selected ICD file to the List"),
                 // Data-attribute table headers, 3418 (Start Byte and Num Byte are 3458, 3459)
                 QStringLiteral("N"),
                 QStringLiteral("Index"),
                 QStringLiteral("bType"),
                 QStringLiteral("fc"),
                 QStringLiteral("Reference"),
                 QStringLiteral("IP Address"),
                 QStringLiteral("Port"),
                 QStringLiteral("On Change"),
                 QStringLiteral("On CMD"),
                 QStringLiteral("On Timer"),
                 QStringLiteral("Time (ms)"),  // 3428
                 QStringLiteral("Position"),
                 QStringLiteral("Start Bit"),
                 QStringLiteral("R/W"),
                 QStringLiteral("Convertion"),
                 QStringLiteral("Molt Fact"),
                 QStringLiteral("Mnemonic"),  // 3434
                 // Their hints, 3435 (those of Start Byte and Num Byte are 3460, 3461)
                 QStringLiteral("Number of the Row"),
                 QStringLiteral("Index of the IEC 61850 Device in the List"),
                 QStringLiteral("Basic Type of the Data Attribute"),
                 QStringLiteral("Functional Constraint of the Data Attribute"),
                 QStringLiteral("Reference of the Data Attribute"),
                 QStringLiteral("Insert the IP Address of IEC 61850 Server"),  // 3440
                 QStringLiteral("Insert the TCP Port of IEC 61850 Server"),
                 QStringLiteral("Enable or Disable the access to the Data Attribute if the Data changes"),
                 QStringLiteral("Enable or Disable the access to the Data Attribute on Command"),
                 QStringLiteral("Enable or Disable the cyclic access to the Data Attribute"),
                 QStringLiteral("Insert the Time in milliseconds between two accesses, used only if On Timer is enabled"),
                 QStringLiteral("Insert the Position in the internal data array"),
                 QStringLiteral("Select the Start Bit in the byte of the internal data array"),
                 QStringLiteral("Select if the Data Attribute is Read or Write"),
                 QStringLiteral("Select the Conversion of the value (None or Integer to Float / Float to Integer)"),
                 QStringLiteral("Insert the Multiplication Factor of the value, or None"),  // 3450
                 QStringLiteral("Insert a description of the Data Attribute"),
                 QStringLiteral("Error row "),  // 3452
                 QStringLiteral("!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"),
                 QStringLiteral("!! Port must be between 0 and 65535"),
                 QStringLiteral("!! Time must be between 1 and 100000000 ms"),
                 QStringLiteral("!! Position must be between 0 and "),
                 QStringLiteral("!! Mult. Factor must be a valid Float"),
                 QStringLiteral("Start Byte"),  // 3458
                 QStringLiteral("Num Byte"),
                 QStringLiteral("Insert the Start Byte, only for VisString255 (0-254) or Octet64 (0-63)"),  // 3460
                 QStringLiteral("Insert the Number of Bytes, only for VisString255 (1-255) or Octet64 (1-64)"),
                 QStringLiteral("!! Start Byte must be between 0 and 254"),  // 3462
                 QStringLiteral("!! Num Byte must be between 1 and 255"),
                 QStringLiteral("!! Start Byte plus Num Byte must be minor of 255"),
                 QStringLiteral("!! Start Byte must be between 0 and 63"),
                 QStringLiteral("!! Num Byte must be between 1 and 64"),
                 QStringLiteral("!! Start Byte plus Num Byte must be minor of 64"),  // 3467
             }}};
}
