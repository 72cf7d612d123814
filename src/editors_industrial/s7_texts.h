#pragma once
// English texts of the S7comm rules editor (entries 4900 to 5025).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> S7_Lang_Blocks();
