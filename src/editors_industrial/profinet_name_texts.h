#pragma once
// English texts of the PROFINET file name dialog (entries 4800 to 4808).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> Profinet_Name_Lang_Blocks();
