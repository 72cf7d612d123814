#pragma once
// English texts of the IEC 61850 server variables editor (entries 3500 to 3545).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> IEC_Variables_Lang_Blocks();
