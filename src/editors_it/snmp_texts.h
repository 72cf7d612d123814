#pragma once
// English texts of the SNMP manager rule editor (entries 5100 to 5189) and of the SNMP
// agent variable editor (5200 to 5288).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> SNMP_Manager_Lang_Blocks();
std::vector<TLangBlock> SNMP_Agent_Lang_Blocks();
