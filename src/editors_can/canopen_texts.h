#pragma once
// English texts of the CANopen editors: PDO map (2800 to 2893), SDO client (2900 to 2981)
// and SDO server (3000 to 3075); the EDS writer's refusals of a row are in the PDO and SDO
// server blocks.

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> PDO_Lang_Blocks();
std::vector<TLangBlock> SDO_Client_Lang_Blocks();
std::vector<TLangBlock> SDO_Server_Lang_Blocks();
