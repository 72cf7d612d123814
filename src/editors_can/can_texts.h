#pragma once
// English texts of the CAN-family rule editors: CAN receive (2600 to 2658) and transmit
// (2700 to 2763) frames, DeviceNet slave list (3100 to 3127) and offset map (3200 to
// 3225), J1939 receive (3700 to 3747) and transmit (3800 to 3843) rules, NMEA 2000
// receive (4100 to 4143) and transmit (4200 to 4242) rules.

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> CAN_Lang_Blocks();
