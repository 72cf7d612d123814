// Insert Row in the rule editors of the started program: a table whose last row holds a
// rule is full, whichever column holds the rule. In the editors without an Enable column,
// column 1 is a field (their key), so a last row whose only text is there refuses the
// insert; in an editor with an Enable column, a last row holding only its Enable box is
// free.

#include "editors_can/canopen_pdo_window.h"
#include "editors_can/canopen_sdo_client_window.h"
#include "editors_can/canopen_sdo_server_window.h"
#include "editors_can/dnet_window.h"
#include "editors_can/receive_can_window.h"
#include "editors_can/receive_j1939_window.h"
#include "editors_can/receive_nmea_window.h"
#include "editors_can/transmit_j1939_window.h"
#include "editors_can/transmit_nmea_window.h"
#include "editors_it/mqtt_set_topic_window.h"
#include "editors_it/snmp_agent_window.h"
#include "editors_modbus_bacnet/bacnet_server_window.h"

#include "grid/kv_string_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lang_table.h"
#include "common/qstring_print.h"

#include "support/modal_show.h"
#include "support/program_test.h"

#include <functional>

namespace {

class RuleEditorsInsertRow : public TProgramTest {};

struct TInsertCase {
  const char* Name;
  std::function<TRuleEditorFrame*()> Window;
  int Grid;
  bool Enable_Column;  // column 1 is the Enable box every cleared row gets
};

}  // namespace

TEST_F(RuleEditorsInsertRow, ALastRuleInColumnOneIsNeverPushedOut)
{
  const TInsertCase cases[] = {
      {"CANopen receive PDO", [] { return FSet_PDO_Access; }, 0, false},
      {"CANopen transmit PDO", [] { return FSet_PDO_Access; }, 1, false},
      {"CANopen SDO server read", [] { return FSet_SDO_Server_Access; }, 0, false},
      {"CANopen SDO server write", [] { return FSet_SDO_Server_Access; }, 1, false},
      {"CANopen SDO client read", [] { return FSet_SDO_Client_Access; }, 0, false},
      {"CANopen SDO client write", [] { return FSet_SDO_Client_Access; }, 1, false},
      {"DeviceNet slaves", [] { return FDNet; }, 0, false},
      {"J1939 receive", [] { return FReceiveJ1939; }, 0, false},
      {"J1939 transmit", [] { return FTransmitJ1939; }, 0, false},
      {"NMEA 2000 receive", [] { return FReceiveNMEA; }, 0, false},
      {"NMEA 2000 transmit", [] { return FTransmitNMEA; }, 0, false},
      {"BACnet server read", [] { return FBACnetSlaveSetAccess; }, 0, false},
      {"BACnet server write", [] { return FBACnetSlaveSetAccess; }, 1, false},
      {"MQTT publish", [] { return FMQTT_Set_Topic; }, 0, false},
      {"MQTT subscribe", [] { return FMQTT_Set_Topic; }, 1, false},
      {"CAN receive (Enable column)", [] { return FReceiveCAN; }, 0, true},
      {"SNMP agent read (Enable column)", [] { return FSNMP_Trap_Access; }, 0, true},
  };
  TDialogResponder answers;
  for (const TInsertCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRuleEditorFrame* w = c.Window();
    ASSERT_NE(w, nullptr);
    w->FormShow(nullptr);
    if (w->PageControl1)
      w->PageControl1->SetActivePage(w->Sheets[size_t(c.Grid)]);
    TKvStringGrid* g = w->Grids[size_t(c.Grid)];
    const int last = g->RowCount() - 1;
    g->SetCells(1, 1, QStringLiteral("1"));
    g->FocusCell(1, 1);
    answers.Requests.clear();

    // Only column 1 of the last row is in use: a rule in an editor without Enable column.
    g->SetCells(1, last, c.Enable_Column ? QStringLiteral("Y") : QStringLiteral("7"));
    w->Btn_InsRow->Click();
    if (c.Enable_Column) {
      EXPECT_TRUE(answers.Requests.empty());
      EXPECT_EQ(g->Cells(1, 2), QStringLiteral("1"));
      continue;
    }
    ASSERT_EQ(Message_Texts(answers), QStringList{Lang_Str(1509)});
    EXPECT_EQ(g->Cells(1, last), QStringLiteral("7"));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("1"));
    EXPECT_EQ(g->Cells(1, 2), QString());

    // A free last row lets the rows move down.
    g->SetCells(1, last, QString());
    answers.Requests.clear();
    w->Btn_InsRow->Click();
    EXPECT_TRUE(answers.Requests.empty());
    EXPECT_EQ(g->Cells(1, 1), QString());
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("1"));
  }
}
