#pragma once
// English texts of the OPC UA windows: client rule editor (entries 4300 to 4416), server
// connection dialog (4500 to 4532), browse dialog (4600 to 4631) and server variables
// editor (4700 to 4730).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> OPC_UA_Client_Lang_Blocks();
std::vector<TLangBlock> OPC_UA_Add_Server_Lang_Blocks();
std::vector<TLangBlock> OPC_UA_Scan_Lang_Blocks();
std::vector<TLangBlock> OPC_UA_Server_Lang_Blocks();
