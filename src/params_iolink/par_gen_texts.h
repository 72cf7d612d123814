#pragma once
// English texts of the general-parameters window: its frame, the sections this product
// shows and the messages of its check.

#include "shell/common/lang_table.h"

#include <vector>

std::vector<TLangBlock> ParGen_Lang_Blocks();

// Indexes the window reads.
namespace ParGen_Txt {
constexpr int Caption = 400;
constexpr int Desc = 401;
constexpr int Btn_OK = 402;
constexpr int Btn_Cancel = 403;
constexpr int Btn_OK_Hint = 404;
constexpr int Btn_Cancel_Hint = 405;
constexpr int Title_IOLink_Slave = 406;
constexpr int IOLink_Slave_First = 407;         // 407-408
constexpr int Title_EtherNetIP_Master = 633;
constexpr int EtherNetIP_Master_First = 634;    // 634-651
constexpr int Title_Ethernet_Connection = 1307;
constexpr int Ethernet_Connection_First = 1308; // 1308-1325
constexpr int Err_Primary_DNS1 = 1405;          // 1405-1408
constexpr int Err_Secondary_DNS1 = 1409;        // 1409-1412
constexpr int Err_Master_IP1 = 1470;            // 1470-1473
constexpr int Err_Master_SM1 = 1474;            // 1474-1477
constexpr int Err_Master_GAT1 = 1478;           // 1478-1481
}  // namespace ParGen_Txt
