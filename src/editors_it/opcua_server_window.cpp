// The OPC UA server variables editor.

#include "editors_it/opcua_server_window.h"

#include "editors_it/opcua_server_file.h"
#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

namespace {

constexpr TColor Color_Enable = 0x00B0D8FF;
constexpr TColor Color_Type = 0x00FEFAE0;
constexpr TColor Color_Place = 0x00A8FFA8;
constexpr TColor Color_Name = 0x00F4D6FC;
constexpr TColor Color_Mnemonic = 0x00FFFFFF;

TRuleFile Make_File(TFOPC_UA_Server_Access* self)
{
  TRuleFile f;
  f.Root = OPC_UA_Server_Root_Name;
  f.Version = QStringLiteral("1.000");

  TRuleGrid g;
  g.Section = {QStringLiteral("OPC_UA_Server_Variables")};
  g.Rows = OPC_UA_Server_Max_Rows;
  g.Key_Col = TFOPC_UA_Server_Access::Col_Type;
  g.Check_Boxes = true;
  g.Skip_Empty_Keys = true;
  // Any stored Enable but "N" sets the box; a missing one too.
  TRuleColumn enable = Rule_Defaulted(Rule_Column(4715, "Enable", 50, Color_Enable, edDataCheckBox), "Y");
  enable.Load = [](int, bool, const QString& stored) {
    return stored == QLatin1String("N") ? QStringLiteral("N") : QStringLiteral("Y");
  };
  // The type sets the Length cell's state; the stored Length and access follow it.
  TRuleColumn type = Rule_Defaulted(Rule_Column(4716, "Type", 120, Color_Type, edComboList), "");
  type.Load = [self](int row, bool, const QString& stored) {
    self->VarSetLength(stored, row);
    return stored;
  };
  g.Columns = {
      Rule_Row_Number(4714),
      enable,
      type,
      Rule_Defaulted(Rule_Column(4717, "Position", 100, Color_Place), ""),
      Rule_Defaulted(Rule_Column(4718, "Length", 100, Color_Place), ""),
      Rule_Defaulted(Rule_Column(4719, "Name", 280, Color_Name), ""),
      Rule_Defaulted(Rule_Column(4729, "ReadWrite", 100, Color_Name, edComboList), ""),
      Rule_Defaulted(Rule_Column(4720, "Mnemonic", 280, Color_Mnemonic), ""),
  };
  f.Grids = {g};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 4700;
  t.Buttons = {4702, 4703, 4704, 4705, 4706, 4707};
  t.Button_Hints = {4708, 4709, 4710, 4711, 4712, 4713};
  t.Delete_Question = 4728;
  t.Delete_Question_Format = true;
  return t;
}

}  // namespace

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1200, 337, AOwner)
{
  SetName(QStringLiteral("FOPC_UA_Server_Access"));
  KSG = Grids.front();
  KSG->SetName(QStringLiteral("KSG"));
  VarType = OPC_UA_Server_Var_Types();
  RWType = OPC_UA_Server_RW_Types();
  Edit_Desc().Final_Check = [this] { return Check_Positions(); };
  KSG->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { KSGGetEditorType(s, c, r, e); };
  // No Enter-key walk and no header double-click sizing in this grid.
  KSG->OnKeyPress = nullptr;
  KSG->OnDblClickCell = nullptr;
  Init_Table();
}

void TFOPC_UA_Server_Access::Init_Table()
{
  const TRuleGrid& D = Desc().Grids.front();
  KSG->BeginUpdate();
  for (int r = 1; r <= D.Rows; ++r) {
    KSG->SetCells(0, r, QString::number(r));
    for (int c = 1; c < D.Col_Count(); ++c)
      KSG->SetColors(c, r, D.Columns[size_t(c)].Color);
    KSG->SetAlignments(Col_Enable, r, taCenter);
  }
  KSG->EndUpdate();
}

QString TFOPC_UA_Server_Access::Project_File() const
{
  return WS().Name_File_OPC_UA_Server;
}

void TFOPC_UA_Server_Access::Before_Load()
{
  // A new opening starts with every Length editable; loaded types set their own state.
  for (int r = 1; r < KSG->RowCount(); ++r)
    KSG->SetReadOnly(Col_Length, r, false);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString& Type, int Row)
{
  if (Row < 1 || Row >= KSG->RowCount())
    return;
  TOPC_UA_Server_Var_Row v;
  v.Length = KSG->Cells(Col_Length, Row);
  v.ReadWrite = KSG->Cells(Col_RW, Row);
  const std::optional<bool> readOnly = OPC_UA_Server_Var_Set_Length(v, Type);
  KSG->SetCells(Col_Length, Row, v.Length);
  if (readOnly)
    KSG->SetReadOnly(Col_Length, Row, *readOnly);
  KSG->SetCells(Col_RW, Row, v.ReadWrite);
}

void TFOPC_UA_Server_Access::KSGGetEditorType(TObject*, int ACol, int, TEditorType& AEditor)
{
  if (ACol != Col_Type && ACol != Col_RW)
    return;
  AEditor = edComboList;
  KSG->ClearComboString();
  for (const QString& s : ACol == Col_Type ? VarType : RWType)
    KSG->AddComboString(s);
}

void TFOPC_UA_Server_Access::Combo_Change(int, int ACol, int ARow, int, const QString& ASelection)
{
  if (ACol == Col_Type)
    VarSetLength(ASelection, ARow);
}

void TFOPC_UA_Server_Access::After_Paste_Row(int, int ARow)
{
  // The pasted length stays; its read-only state and the default access follow the type.
  const QString length = KSG->Cells(Col_Length, ARow);
  VarSetLength(KSG->Cells(Col_Type, ARow), ARow);
  KSG->SetCells(Col_Length, ARow, length);
}

bool TFOPC_UA_Server_Access::Check_Positions()
{
  const TRuleGrid& D = Desc().Grids.front();
  std::vector<TOPC_UA_Server_Var_Row> rows(size_t(D.Rows));
  for (int r = 1; r <= D.Rows; ++r) {
    TOPC_UA_Server_Var_Row& v = rows[size_t(r - 1)];
    v.Enable = Get_Rule_Cell(D, KSG, Col_Enable, r) == QLatin1String("Y");
    v.Type = KSG->Cells(Col_Type, r);
    v.Position = KSG->Cells(Col_Position, r);
  }
  const int bad = OPC_UA_Server_First_Bad_Row(rows);
  if (bad == 0)
    return true;
  MessageDlg(Format(Lang_Str(4727), {bad, OPC_UA_Server_Position_Limit}), mtError, mbOK);
  return false;
}
