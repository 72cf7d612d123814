#pragma once
// English texts of the BACnet windows: client rules editor (2200 to 2293), EDE import
// picker (2300 to 2321), server object list editor (2400 to 2460) and engineering-unit
// picker (2500 to 2508).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> BACnet_Lang_Blocks();
