#pragma once
// English texts of the Modbus master rules editors: serial line (1900 to 1993) and
// Modbus TCP (2000 to 2103).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> Modbus_Lang_Blocks();
