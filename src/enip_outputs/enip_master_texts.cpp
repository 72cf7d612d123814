#include "enip_outputs/enip_master_texts.h"

std::vector<TLangBlock> EnipMaster_Lang_Blocks()
{
    return {
        {5300,
         {
             QStringLiteral("Set EtherNet/IP Slaves Access"),  // 5300
             QStringLiteral("Set EtherNet/IP Slaves Access"),
             QStringLiteral("OK"),
             QStringLiteral("Cancel"),
             QStringLiteral("Delete Row"),
             QStringLiteral("Insert Row"),
             QStringLiteral("Copy Row"),
             QStringLiteral("Paste Row"),
             QStringLiteral("Confirm and save the List of EtherNet/IP Slaves"),  // 5308
             QStringLiteral("Exit without save the List of EtherNet/IP Slaves"),
             QStringLiteral("Delete the Selected Row in the table"),  // 5310
             QStringLiteral("Insert a Row in the Table"),
             QStringLiteral("Copy all Fields of the Selected Row"),
             QStringLiteral("Paste the Copied Fields in the Selected Row"),
             QStringLiteral("N"),  // 5314
             QStringLiteral("Enable"),
             QStringLiteral("IP Address"),
             QStringLiteral("Start Input"),
             QStringLiteral("Num Input"),
             QStringLiteral("Start Output"),
             QStringLiteral("Num Output"),  // 5320
             QStringLiteral("Time Poll"),
             QStringLiteral("Mnemonic"),
             QStringLiteral("Enable or Disable the Row"),  // 5323
             QStringLiteral("Insert the IP Address of EtherNet/IP Slave"),
             QStringLiteral("Insert the Index of First Input Byte of Slave to Save"),
             QStringLiteral("Insert the Number of Input Bytes to Save"),
             QStringLiteral("Insert the Index of First Output Byte of Slave to Write"),
             QStringLiteral("Insert the Number of Output Bytes to Write"),
             QStringLiteral("Insert the Time between the Data Request of Slave. expressed in milliseconds"),
             QStringLiteral("Description of Slave EtherNet/IP"),  // 5330
             QStringLiteral("Error row "),
             QStringLiteral("!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"),
             QStringLiteral("!! Start Input must be major or equal to 0"),
             QStringLiteral("!! Num Input must be major or equal to 0"),
             QStringLiteral("!! Start Output must be major or equal to 0"),
             QStringLiteral("!! Num Output must be major or equal to 0"),
             QStringLiteral("!! Poll Time must be between 1 and 100000000"),
             QStringLiteral("Error!! The Total Number of Input Bytes must be between 0 and "),
             QStringLiteral("Error!! The Total Number of Output Bytes must be between 0 and "),
             QStringLiteral("Are you sure to delete the Row number "),  // 5340
             QStringLiteral("Instance T > O"),
             QStringLiteral("Instance O > T"),
             QStringLiteral("Insert the Instance Target To Oginator (T > O). Default Value 1"),
             QStringLiteral("Insert the Instance Oginator To Target (O > T). Default Value 1"),
             QStringLiteral("!! Instance T > O must be between 0 and 65535. Default Value 1"),
             QStringLiteral("!! Instance O > T must be between 0 and 65535. Default Value 1"),
             QStringLiteral("Conn. Point T > O"),
             QStringLiteral("Conn. Point O > T"),
             QStringLiteral("Insert the Connection Point Target To Oginator (T > O). Default Value 100"),
             QStringLiteral("Insert the Connection Point Oginator To Target (O > T). Default Value 101"),  // 5350
             QStringLiteral("!! Connection Point T > O must be between 0 and 65535. Default Value 100"),
             QStringLiteral("!! Connection Point O > T must be between 0 and 65535. Default Value 101"),
             QStringLiteral("Dim Header T > O"),
             QStringLiteral("Dim Header O > T"),
             QStringLiteral("Insert the Dimension Header Target To Oginator (T > O). Default Value 0"),
             QStringLiteral("Insert the Dimension Header Oginator To Target (O > T). Default Value 4"),
             QStringLiteral("!! Dimension Header T > O must be between 0 and 7. Default Value 0"),
             QStringLiteral("!! Dimension Header O > T must be between 0 and 7. Default Value 4"),
             QStringLiteral("Import EDS"),
             QStringLiteral("Import a slave EtherNet/IP from EDS File"),  // 5360
             QStringLiteral("Enable"),
             QStringLiteral("Electronic Key"),
             QStringLiteral("Enable Elctronic Key"),
             QStringLiteral("Insert Elctronic Key bytes. 8 bytes"),
             QStringLiteral("Enable"),
             QStringLiteral("Data Segment"),
             QStringLiteral("Enable Data Segment"),
             QStringLiteral("Insert Data Segment bytes. Max 510 bytes"),
             QStringLiteral("!! Eletronic Key one or more bytes are wrong. Bytes must have a value between 0 and 255"),
             QStringLiteral("!! Eletronic Key must contain 8 bytes"),  // 5370
             QStringLiteral("!! Eletronic Key must contain 8 bytes"),
             QStringLiteral("!! Data Segment one or more bytes are wrong. Bytes must have a value between 0 and 255"),
             QStringLiteral("!! Data Segment must at max 510 bytes"),
             QStringLiteral("!! Data Segment must contain at least one byte"),
             QStringLiteral("Reset Data"),
             QStringLiteral("Enable or Disable the Reset Data if EtherNet/IP Slave fails"),  // 5376
         }},
        {5400,
         {
             QStringLiteral("EtherNet/IP EDS Decode - Select the Connection to use"),  // 5400
             QStringLiteral("Select the Connection To use"),
             QStringLiteral("OK"),
             QStringLiteral("Cancel"),
             QStringLiteral("Confirm the Connection to use with the EtherNet/IP Device"),
             QStringLiteral("Exit without select any EtherNet/IP Device Connection"),
             QStringLiteral("Connection"),  // 5406
             QStringLiteral("Connection Name"),
             QStringLiteral("Help String"),
             QStringLiteral("Instance O > T"),
             QStringLiteral("Conn. Point O > T"),  // 5410
             QStringLiteral("Instance T > O"),
             QStringLiteral("Conn. Point T > O"),
             QStringLiteral("Dim Header O > T"),
             QStringLiteral("Dim Header T > O"),
             QStringLiteral("Error!! No Valid Connection found"),  // 5415
         }},
        {5500,
         {
             QStringLiteral("EtherNet/IP Data Segment Editor"),  // 5500
             QStringLiteral("EtherNet/IP Data Segment Editor"),
             QStringLiteral("OK"),
             QStringLiteral("Cancel"),
             QStringLiteral("Confirm and save the Data Segment octet string"),
             QStringLiteral("Exit without save the Data Segment"),
             QStringLiteral("Param"),  // 5506
             QStringLiteral("Name"),
             QStringLiteral("Num Bytes"),
             QStringLiteral("Data Type"),
             QStringLiteral("Value"),  // 5510
             QStringLiteral("Default"),
             QStringLiteral("Min"),
             QStringLiteral("Max"),
             QStringLiteral("Value (int)"),
             QStringLiteral("Param Number %d. The Value must be between %d and %d"),  // 5515
             QStringLiteral("Param Number %d. The Value must be between %n and %n"),  // 5516
         }},
    };
}
