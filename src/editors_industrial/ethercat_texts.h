#pragma once
// English texts of the EtherCAT slave editor (entries 3300 to 3350).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> EtherCAT_Lang_Blocks();
