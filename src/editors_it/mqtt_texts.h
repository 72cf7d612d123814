#pragma once
// English texts of the MQTT topic editor (entries 3900 to 3998) and of its topic template
// dialog (4000 to 4008; the rest of that range is read by no window).

#include "common/lang_table.h"

#include <vector>

std::vector<TLangBlock> MQTT_Topic_Lang_Blocks();
std::vector<TLangBlock> Topic_Template_Lang_Blocks();
