#pragma once
// English texts of the known TLS certificates editor (entries 3600 to 3621).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> TLS_Cert_Lang_Blocks();
