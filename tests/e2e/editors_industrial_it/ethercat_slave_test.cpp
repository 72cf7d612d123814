// The EtherCAT slave editor and the ESI writer behind their step buttons: variables typed
// into both grids, each row command, OK, the file, a second opening, and the ESI file
// written from what was saved.

#include "editor_user.h"
#include "e2e_places.h"

#include "editors_industrial/ethercat_slave_window.h"
#include "grid/kv_string_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"

#include <QFile>

using EtherCATEditor = TIndustrialEditorSession;

namespace {
constexpr int Type = TFEtherCATSlave::Col_Type, Length = TFEtherCATSlave::Col_Length, Name = TFEtherCATSlave::Col_Name;
constexpr int Enable = TFEtherCATSlave::Col_Enable;
}  // namespace

TEST_F(EtherCATEditor, TypedVariablesAreSavedShownAgainAndBecomeTheEsiFile)
{
  const QString esi = Project_Dir() + QStringLiteral("/slave.xml");
  Run([&](TE2eUser& u) {
    TFEtherCATSlave* w = FEtherCATSlave;
    TKvStringGrid* stm = w->KSG_SlaveMaster;
    Open_Window(u, FKalvoraFirmWare->Btn_EtherCAT_Set_Access, w);

    // Slave To Master: a 16-bit value picked from the list, a string whose length the
    // user sets, a Bool the user disables.
    Pick_Cell(u, stm, Type, 1, QStringLiteral("Int16"));
    Type_Cell(u, stm, Name, 1, QStringLiteral("Speed"));
    Type_Cell(u, stm, TFEtherCATSlave::StM_Init_Value, 1, QStringLiteral("12"));
    Type_Cell(u, stm, TFEtherCATSlave::StM_Mnemonic, 1, QStringLiteral("spd"));
    Pick_Cell(u, stm, Type, 2, QStringLiteral("String"));
    Type_Cell(u, stm, Length, 2, QStringLiteral("20"));
    Type_Cell(u, stm, Name, 2, QStringLiteral("Label"));
    Pick_Cell(u, stm, Type, 3, QStringLiteral("Bool"));
    Type_Cell(u, stm, Name, 3, QStringLiteral("Flag"));
    Click_Check(u, stm, Enable, 3);
    EXPECT_EQ(Cell(u, stm, Length, 1), QStringLiteral("2"));
    EXPECT_EQ(Cell(u, stm, TFEtherCATSlave::StM_Position, 2), QStringLiteral("2"));
    EXPECT_EQ(Cell(u, stm, TFEtherCATSlave::StM_Position, 3), QStringLiteral("0"));

    // Copy row 1 into row 4; insert an empty row above it and delete that again.
    Select_Row(u, stm, 1);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, stm, 4);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [&] { return stm->Cells(Name, 4) == QLatin1String("Speed"); });
    EXPECT_EQ(Cell(u, stm, TFEtherCATSlave::StM_Position, 4), QStringLiteral("22"));
    Select_Row(u, stm, 4);
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [&] { return stm->Cells(Name, 5) == QLatin1String("Speed"); });
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 4"));
    u.Wait(QStringLiteral("the deleted row"), [&] { return stm->Cells(Name, 4) == QLatin1String("Speed"); });

    // Master To Slave: one Float32.
    Click_Tab(u, w->PageControl1, TFEtherCATSlave::MasterToSlave);
    TKvStringGrid* mts = w->KSG_MasterSlave;
    Pick_Cell(u, mts, Type, 1, QStringLiteral("Float32"));
    Type_Cell(u, mts, Name, 1, QStringLiteral("Setpoint"));
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    // A second opening shows what was saved.
    Open_Window(u, FKalvoraFirmWare->Btn_EtherCAT_Set_Access, w);
    EXPECT_EQ(Cell(u, mts, Name, 1), QStringLiteral("Setpoint"));
    Click_Tab(u, w->PageControl1, TFEtherCATSlave::SlaveToMaster);
    EXPECT_EQ(Cell(u, stm, Type, 2), QStringLiteral("String"));
    EXPECT_EQ(Cell(u, stm, Length, 2), QStringLiteral("20"));
    EXPECT_FALSE(Checked(u, stm, Enable, 3));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);

    // The ESI step writes the device description from the saved variables.
    Press_Hidden(u, FKalvoraFirmWare->Btn_EtherCAT_ESI_File);
    u.Choose_File(esi);
    u.Wait(QStringLiteral("the ESI file"), [&] { return FileExists(esi); });
  });

  const auto s2m = Saved_Rows(WS().Name_File_EtherCAT_Slave, {"EtherCAT_Slave_Variables", "EtherCAT_Slave_To_Master"});
  ASSERT_EQ(s2m.size(), 4u);
  EXPECT_EQ(s2m[0], (TSaved_Row{{"Enable", "Y"}, {"Type", "Int16"}, {"Length", "2"}, {"Name", "Speed"},
                                {"InitValue", "12"}, {"Position", "0"}, {"BitStart", "0"}, {"Mnemonic", "spd"}}));
  EXPECT_EQ(s2m[1].value("Length"), "20");
  EXPECT_EQ(s2m[2].value("Enable"), "N");
  EXPECT_EQ(s2m[3].value("Name"), "Speed");
  const auto m2s = Saved_Rows(WS().Name_File_EtherCAT_Slave, {"EtherCAT_Slave_Variables", "EtherCAT_Master_To_Slave"});
  ASSERT_EQ(m2s.size(), 1u);
  EXPECT_EQ(m2s[0].value("Type"), "Float32");

  ASSERT_TRUE(Well_Formed_Xml(esi));
  QFile f(esi);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  for (const char* name : {"<Name>Speed</Name>", "<Name>Label</Name>", "<Name>Setpoint</Name>"})
    EXPECT_TRUE(text.contains(name)) << name;
  EXPECT_FALSE(text.contains("<Name>Flag</Name>"));
}
