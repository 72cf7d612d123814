#include "params_iolink/iolink_slave_texts.h"

std::vector<TLangBlock> IOLinkSlave_Lang_Blocks()
{
    // Description and Mnemonic of the process-data grids were added after the first
    // layout, so their header and hint texts sit at the end of the range (1805 to 1808).
    return {{1700,
             {
                 QStringLiteral("IO-Link Slave Set Access"),  // 1700
                 QStringLiteral("IO-Link Slave Set Access"),
                 QStringLiteral("OK"),
                 QStringLiteral("Cancel"),
                 QStringLiteral("Delete Row"),
                 QStringLiteral("Insert Row"),
                 QStringLiteral("Copy Row"),
                 QStringLiteral("Paste Row"),
                 QStringLiteral("Confirm and save the Variables List of IEC61850"),  // 1708
                 QStringLiteral("Exit without save the Variables List of IEC61850"),
                 QStringLiteral("Delete the Selected Row in the table"),  // 1710
                 QStringLiteral("Insert a Row in the Table"),
                 QStringLiteral("Copy all Fields of the Selected Row"),
                 QStringLiteral("Paste the Copied Fields in the Selected Row"),
                 QStringLiteral("Variables"),     // 1714
                 QStringLiteral("Process Data"),  // 1715
                 // Variables grid headers, columns 0 to 15
                 QStringLiteral("N"),  // 1716
                 QStringLiteral("Enable"),
                 QStringLiteral("Index"),
                 QStringLiteral("Name"),
                 QStringLiteral("Access"),  // 1720
                 QStringLiteral("Length"),
                 QStringLiteral("Gradient"),
                 QStringLiteral("Offset"),
                 QStringLiteral("Unit Code"),
                 QStringLiteral("Default Value"),
                 QStringLiteral("Position Read"),
                 QStringLiteral("Start Bit Read"),
                 QStringLiteral("Position Write"),
                 QStringLiteral("Start Bit Write"),
                 QStringLiteral("Description"),  // 1730
                 QStringLiteral("Mnemonic"),
                 // Variables grid hints, columns 1 to 15
                 QStringLiteral("Enable or Disable the Variable for IO-Link Slave"),  // 1732
                 QStringLiteral("Insert the Index of Variable"),
                 QStringLiteral("Insert the Name of Variable"),
                 QStringLiteral("Select the Access of Variable (Read Only or Write Only or Read Wreite)"),
                 QStringLiteral("Insert the Dimension of Variable expressed in bit"),
                 QStringLiteral("Insert the Gradient to use with variable"),
                 QStringLiteral("Insert the Offset to use with variable"),
                 QStringLiteral("Insert the Unit Code for the Variable"),
                 QStringLiteral("Insert the Default Value for the Variable"),  // 1740
                 QStringLiteral("Insert the Position for Variable in Read"),
                 QStringLiteral("Insert the Start Bit for Variable in Read"),
                 QStringLiteral("Insert the Position for Variable in Write"),
                 QStringLiteral("Insert the Start Bit for Variable in Write"),
                 QStringLiteral("Insert the Description of Variable"),
                 QStringLiteral("Insert the Mnemonic of Variable"),  // 1746
                 // Input process data: headers 0 to 8, header 10, hints of columns 1 to 8 and 10
                 QStringLiteral("N"),  // 1747
                 QStringLiteral("Enable"),
                 QStringLiteral("Name"),
                 QStringLiteral("Length"),  // 1750
                 QStringLiteral("Gradient"),
                 QStringLiteral("Offset"),
                 QStringLiteral("Unit Code"),
                 QStringLiteral("Position"),
                 QStringLiteral("Start Bit"),
                 QStringLiteral("Mnemonic"),  // 1756
                 QStringLiteral("Enable or Disable the Process Data"),  // 1757
                 QStringLiteral("Insert the Name of Process Data"),
                 QStringLiteral("Insert the Dimension of Process Data"),
                 QStringLiteral("Insert the Gradient to use with Process Data"),  // 1760
                 QStringLiteral("Insert the Offset to use with Process Data"),
                 QStringLiteral("Insert the Unit Code for the Process Data"),
                 QStringLiteral("Insert the Position for Process Data"),
                 QStringLiteral("Insert the Start Bit for Process Data"),
                 QStringLiteral("Insert the Mnemonic of Process Data"),  // 1765
                 // Output process data, laid out as the input
                 QStringLiteral("N"),  // 1766
                 QStringLiteral("Enable"),
                 QStringLiteral("Name"),
                 QStringLiteral("Length"),
                 QStringLiteral("Gradient"),  // 1770
                 QStringLiteral("Offset"),
                 QStringLiteral("Unit Code"),
                 QStringLiteral("Position"),
                 QStringLiteral("Start Bit"),
                 QStringLiteral("Mnemonic"),  // 1775
                 QStringLiteral("Enable or Disable the Process Data"),  // 1776
                 QStringLiteral("Insert the Name of Process Data"),
                 QStringLiteral("Insert the Dimension of Process Data"),
                 QStringLiteral("Insert the Gradient to use with Process Data"),
                 QStringLiteral("Insert the Offset to use with Process Data"),  // 1780
                 QStringLiteral("Insert the Unit Code for the Process Data"),
                 QStringLiteral("Insert the Position for Process Data"),
                 QStringLiteral("Insert the Start Bit for Process Data"),
                 QStringLiteral("Insert the Mnemonic of Process Data"),  // 1784
                 // Messages of the row checks
                 QStringLiteral("Error row "),  // 1785
                 QStringLiteral("!! [Process Data Input] Name Cannot be Empty"),
                 QStringLiteral("!! [Process Data Input] Length must be between 1 and 256"),
                 QStringLiteral("!! [Process Data Input] Gradient must be a valid float value"),
                 QStringLiteral("!! [Process Data Input] Offset must be a valid integer value"),
                 QStringLiteral("!! [Process Data Output] Name Cannot be Empty"),  // 1790
                 QStringLiteral("!! [Process Data Output] Length must be between 1 and 256"),
                 QStringLiteral("!! [Process Data Output] Gradient must be a valid float value"),
                 QStringLiteral("!! [Process Data Output] Offset must be a valid integer value"),
                 QStringLiteral("!! [Variables] Index must be between 60 and 65535"),
                 QStringLiteral("!! [Variables] Name Cannot be Empty"),
                 QStringLiteral("!! [Variables] Access Cannot be Empty"),
                 QStringLiteral("!! [Variables] Length must be between 1 and 256"),
                 QStringLiteral("!! [Variables] Gradient must be a valid float value"),
                 QStringLiteral("!! [Variables] Offset must be a valid integer value"),
                 QStringLiteral("!! [Variables] Default Value must be a valid integer value"),  // 1800
                 // Two blanks before the last number, as the message has always read.
                 QStringLiteral("Error row %d!! [Variables] Position Read must be between %d and  %d"),
                 QStringLiteral("!! [Variables] Start Read Bit Cannot be Empty"),
                 QStringLiteral("Error row %d!! [Variables] Position Write must be between %d and %d"),
                 QStringLiteral("!! [Variables] Start Write Bit Cannot be Empty"),  // 1804
                 QStringLiteral("Description"),  // 1805 input header 9
                 QStringLiteral("Description"),  // 1806 output header 9
                 QStringLiteral("Insert the Description of Process Data"),  // 1807 input hint 9
                 QStringLiteral("Insert the Description of Process Data"),  // 1808 output hint 9
                 QStringLiteral("!! [Process Data Input] Unit Code must be between 1000 and 65535"),
                 QStringLiteral("!! [Process Data Output] Unit Code must be between 1000 and 65535"),
                 QStringLiteral("!! [Variables] Unit Code must be between 1000 and 65535"),  // 1811
             }}};
}
