#pragma once
// English texts of the general-parameters window (indexes 400 to 1481): its frame, the
// sections of every product of the family, and the messages of their checks; and the
// order in which Set_Lang puts them on the controls.

#include "common/lang_table.h"

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<TLangBlock> ParGen_Lang_Blocks();

// Indexes the window reads.
namespace ParGen_Txt {
constexpr int First = 400;
constexpr int Last = 1481;
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
constexpr int WiFi2_IP1_Caption = 1331;         // heads the first Wi-Fi address group
constexpr int WiFi2_IP2_Caption = 1348;
constexpr int Err_Primary_DNS1 = 1405;          // 1405-1408
constexpr int Err_Secondary_DNS1 = 1409;        // 1409-1412
constexpr int Err_Master_IP1 = 1470;            // 1470-1473
constexpr int Err_Master_SM1 = 1474;            // 1474-1477
constexpr int Err_Master_GAT1 = 1478;           // 1478-1481
}  // namespace ParGen_Txt

// What an entry of the language map sets: a caption, a hint, or the next item of a
// combo (a combo's run of items replaces its list; item 0 is then selected).
enum class TParGen_Lang_Prop : uint8_t { Caption, Hint, Item };

struct TParGen_Lang_Entry {
  int Index;
  const char* Control;  // component name; "FParGen" is the window itself
  TParGen_Lang_Prop Prop;
};

// Every text Set_Lang applies, in strictly ascending index order, one per entry.
// Indexes the map skips are section titles (the ordering routine's), messages, and
// rows no control shows.
extern const TParGen_Lang_Entry ParGen_Lang_Map[];
extern const size_t ParGen_Lang_Map_Count;
