// English texts of the shell's own windows and of the messages several windows share.
// Texts are kept exactly, leading and trailing blanks included.

#include "common/lang_table.h"

std::vector<TLangBlock> Shell_Lang_Blocks()
{
    return {
        // Main window
        {0, {
             QStringLiteral("Begin"), // 0
             QStringLiteral("Step 1"), // 1
             QStringLiteral("Step 2"), // 2
             QStringLiteral("Step 3"), // 3
             QStringLiteral("Step 4"), // 4
             QStringLiteral("Step 5"), // 5
             QStringLiteral("Step 6"), // 6
             QStringLiteral("Step 7"), // 7
             QStringLiteral("Step 8"), // 8
             QStringLiteral("None Configuration Opened "), // 9
             QStringLiteral("Use Step1 to open or create new configuration"), // 10
             QStringLiteral("Opened Configuration of the Converter : "), // 11
             QStringLiteral("Information"), // 12
             QStringLiteral("Options"), // 13
             QStringLiteral("Close Configurator"), // 14
             QStringLiteral("New Configuration"), // 15
             QStringLiteral("Open Configuration"), // 16
             QStringLiteral("Update Device UDP"), // 17
             QStringLiteral("Error! Project not Valid"), // 18
             QStringLiteral("New Version Available. Click Here for more Details"), // 19
             QStringLiteral("Set Communication"), // 20
             QStringLiteral("IO-Link Set Access"), // 21
             QStringLiteral("Create a new configuration for the device"), // 22
             QStringLiteral("Open an exists configuration"), // 23
             QStringLiteral("Set the main parameters of Protocols"), // 24
             QStringLiteral("Set IO-Link Slave Rules"), // 25
             QStringLiteral("IO-Link IODD File"), // 26
             QStringLiteral("Create the IO-Link IODD File for Actual Configuration"), // 27
             QStringLiteral("Modbus Set Access"), // 28
             QStringLiteral("Set the Modbus Master Rules"), // 29
             QStringLiteral("Set BACnet Access"), // 30
             QStringLiteral("Set the BACnet Slave Access Rules"), // 31
             QStringLiteral("BACnet EDE File"), // 32
             QStringLiteral("Create the BACnet EDE File for Actual Configuration"), // 33
             QStringLiteral("The File already exists! Do you want to overwrite the file?"), // 34
             QStringLiteral("Receive Frames"), // 35
             QStringLiteral("Set the CAN Receive Frames Rules"), // 36
             QStringLiteral("Send Frames"), // 37
             QStringLiteral("Set the CAN Send Frames Rules"), // 38
             QStringLiteral("Set the J1939 Receive Frames Rules"), // 39
             QStringLiteral("Set the J1939 Send Frames Rules"), // 40
             QStringLiteral("Set the NMEA 2000 Receive Frames Rules"), // 41
             QStringLiteral("Set the NMEA 2000 Send Frames Rules"), // 42
             QStringLiteral("Set SDO Server"), // 43
             QStringLiteral("Set the CANopen SDO Server Rules"), // 44
             QStringLiteral("Set SDO Client"), // 45
             QStringLiteral("Set the CANopen SDO Client Rules"), // 46
             QStringLiteral("Set PDO Access"), // 47
             QStringLiteral("Set the CANopen PDO Access Rules"), // 48
             QStringLiteral("EDS File"), // 49
             QStringLiteral("Create the CANopen EDS for Actual Configuration"), // 50
             QStringLiteral("DeviceNet Network"), // 51
             QStringLiteral("Set the List of DeviceNet Slaves Connected to Converter"), // 52
             QStringLiteral("Define Offset"), // 53
             QStringLiteral("Set the Bytes from MQTT to DeviceNEt and back"), // 54
             QStringLiteral("EtherCAT Set Access"), // 55
             QStringLiteral("Set the EtherCAT Slave Rules"), // 56
             QStringLiteral("EtherCAT ESI File"), // 57
             QStringLiteral("Create the IO-Link ESI File for Actual Configuration"), // 58
             QStringLiteral("IEC 61850 Client"), // 59
             QStringLiteral("Set the Roles for IEC 61850 Client"), // 60
             QStringLiteral("IEC61850 Access"), // 61
             QStringLiteral("Set the List of Variables for IEC61850"), // 62
             QStringLiteral("TLS Known Certificates"), // 63
             QStringLiteral("Set the List of TLS Certificate accepted from IEC61850 Server"), // 64
             QStringLiteral("MQTT Set Topic"), // 65
             QStringLiteral("Set the Topics for MQTT"), // 66
             QStringLiteral("OPC UA Client Access"), // 67
             QStringLiteral("Set the List of OPC UA Variables"), // 68
             QStringLiteral("OPC UA Server Access"), // 69
             QStringLiteral("Set the List of OPC UA Variables"), // 70
             QStringLiteral("PROFINET XML"), // 71
             QStringLiteral("Create the GSDML File for PROFINET"), // 72
             QStringLiteral("S7comm Access"), // 73
             QStringLiteral("Set the List of S7comm Access"), // 74
             QStringLiteral("SNMP Manager"), // 75
             QStringLiteral("Set the SNMP Manager Access Rules"), // 76
             QStringLiteral("Set SNMP Access"), // 77
             QStringLiteral("Set the SNMP Agent Access Rules"), // 78
             QStringLiteral("SNMP MIB"), // 79
             QStringLiteral("Create the SNMP MIB for Actual Configuration"), // 80
             QStringLiteral("EtherNet/IP Access"), // 81
             QStringLiteral("Set the Network of EtherNet/IP Slave"), // 82
        }},
        // New-project dialog
        {100, {
             QStringLiteral("Create New Configuration"), // 100
             QStringLiteral("Create New Configuration"), // 101
             QStringLiteral("Name of the new Configuration"), // 102
             QStringLiteral("OK"), // 103
             QStringLiteral("Cancel"), // 104
             QStringLiteral("Error! Name project is not valid"), // 105
             QStringLiteral("Error! Name project is not valid because directory already exists"), // 106
             QStringLiteral("Error! Name Project is not valid"), // 107
             QStringLiteral("Insert here the name of new configuration"), // 108
             QStringLiteral("Confirm the Name of new Configuration"), // 109
             QStringLiteral("Cancel the New Configuration"), // 110
        }},
        // Open-project dialog
        {200, {
             QStringLiteral("Open Configuration"), // 200
             QStringLiteral("Open an Existing Configuration"), // 201
             QStringLiteral("List of Avaliable Configurations"), // 202
             QStringLiteral("OK"), // 203
             QStringLiteral("Cancel"), // 204
             QStringLiteral("Select from this list the configuration to open"), // 205
             QStringLiteral("Open the Selected Configuration"), // 206
             QStringLiteral("Cancel open of Configuration"), // 207
        }},
        // Options dialog
        {300, {
             QStringLiteral("Software Options"), // 300
             QStringLiteral("Software Options"), // 301
             QStringLiteral("Language"), // 302
             QStringLiteral("Connection Options"), // 303
             QStringLiteral("Selected Language : "), // 304
             QStringLiteral("Page "), // 305
             QStringLiteral(" / "), // 306
             QStringLiteral("Previous"), // 307
             QStringLiteral("Next"), // 308
             QStringLiteral("Enable Internet Connection"), // 309
             QStringLiteral("Check Software Update at Start of Program"), // 310
             QStringLiteral("Check Available Update"), // 311
             QStringLiteral("OK"), // 312
             QStringLiteral("Cancel"), // 313
             QStringLiteral("New Version Available. Click Here for more Details"), // 314
             QStringLiteral("No Update Available"), // 315
             QStringLiteral("Do you want to change the Language from "), // 316
             QStringLiteral(" to "), // 317
             QStringLiteral("?"), // 318
             QStringLiteral("Software Settings"), // 319
             QStringLiteral("Jump into next field in the tables by pressing the Enter Key"), // 320
             QStringLiteral("Enable Auto Size of Table Columns by Double Click"), // 321
        }},
        // Messages shared by the grid row commands and the file writers
        {1500, {
             QStringLiteral("Row Already used. Do you want to overwrite the values?"), // 1500
             QStringLiteral("Error in the Copy values!!! Copy a valid row before Paste it"), // 1501
             QStringLiteral("Error!!! Copy a valid row before Paste it"), // 1502
             QStringLiteral("File already exists! Do you want to overwrite the file?"), // 1503
             QStringLiteral("Error! Please set the Set Communication Parameter before to create the GSD file"), // 1504
             QStringLiteral("File already exists. Do you want to overwrite?"), // 1505
             QStringLiteral("The file could not be loaded completely: saving replaces it with the rows shown and the rows not loaded are lost. Do you want to save?"), // 1506
             QStringLiteral("%1 rows of the section \"%2\" do not fit in the table and are not shown."), // 1507
             QStringLiteral("Rows after the first row without its key field hold data and will not be saved. Do you want to save?"), // 1508
        }},
        {1509, {
             QStringLiteral("The table is full! Delete or clear the last row before inserting a new row"), // 1509
        }},
    };
}

std::vector<TLangBlock> Shell_Lang_Shared_Blocks()
{
        // Read by the OPC UA client and server-dialog windows; the client window's own block
        // carries them too and wins when it is registered.
    return {
        {4301, {QStringLiteral("OCP UA Client Access")}},
        {4303, {QStringLiteral("Add")}},
    };
}
