#pragma once
// English texts of the EtherNet/IP scanner windows: the rules editor (5300 to 5376), the
// EDS connection picker (5400 to 5415) and the data-segment editor (5500 to 5516).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> EnipMaster_Lang_Blocks();
