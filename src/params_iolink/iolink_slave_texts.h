#pragma once
// English texts of the IO-Link slave editor (entries 1700 to 1811).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> IOLinkSlave_Lang_Blocks();
