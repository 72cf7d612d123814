#pragma once
// English texts of the IEC 61850 client editor (entries 3400 to 3467).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> IEC_Client_Lang_Blocks();
