#pragma once
// English texts of the device update window (entries 1600 to 1637).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> Boot_Lang_Blocks();
