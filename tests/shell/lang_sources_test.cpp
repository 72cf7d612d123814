#include "shell/lang_sources.h"

#include "common/lang_table.h"
#include "common/qstring_print.h"
#include "support/lang_block_check.h"

#include <gtest/gtest.h>

// Every window's block, registered as the program does at start, builds into one table
// (the builder refuses two blocks writing one index) and lands where its window reads it.
TEST(LangSources, RegisteredBlocksBuildOneTableOfFixedSize)
{
    Register_Lang_Sources();
    ASSERT_NO_THROW(Init_Lang_Table());
    EXPECT_EQ(Num_Lang_Str, 5500);
    Expect_Lang_Texts({
        {1700, "IO-Link Slave Set Access"},
        {1914, "Modbus Read"},
        {2006, "Modbus Read"},
        {2206, "BACnet Read"},
        {2300, "Import BACnet EDE File"},
        {2400, "BACnet Set Access"},
        {2500, "Select the BACnet Engineering Unit"},
        {2600, "Receive CAN Frames Set Access"},
        {2700, "Transmit CAN Frames Set Access"},
        {3100, "DeviceNet Network"},
        {3200, "Define Offset"},
        {3700, "Receive J1939 Frames"},
        {3800, "Transmit J1939 Frames"},
        {4100, "Receive NMEA 2000 Frames"},
        {4200, "Transmit NMEA 2000 Frames"},
        {5300, "Set EtherNet/IP Slaves Access"},
        {5400, "EtherNet/IP EDS Decode - Select the Connection to use"},
        {5500, "EtherNet/IP Data Segment Editor"},
    });
    for (int filler : Lang_Fixed_Fillers)
        EXPECT_EQ(SL_Lang[filler], " ") << filler;
}
