// The EtherCAT slave process data editor.

#include "editors_industrial/ethercat_slave_window.h"

#include "editors_industrial/ethercat_positions.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/comctrls.h"
#include "common/grid_row_commands.h"
#include "common/working_state.h"

TFEtherCATSlave* FEtherCATSlave = nullptr;

namespace {

constexpr TColor Color_Enable = 0x00B0D8FF;
constexpr TColor Color_Variable = 0x00FEFAE0;
constexpr TColor Color_Init_Value = 0x00A8FFA8;
constexpr TColor Color_Place = 0x00F4D6FC;
constexpr TColor Color_Mnemonic = 0x00FFFFFF;

TRuleColumn Text_Column(int Header, const char* Attribute, int Width, TColor Color)
{
  return Rule_Defaulted(Rule_Column(Header, Attribute, Width, Color), "");
}

// One grid of variables; Headers are the text indexes of columns 0 to the last.
TRuleGrid Make_Grid(TFEtherCATSlave* self, int G, const char* Section, const std::vector<int>& Headers)
{
  TRuleGrid g;
  g.Section = {QStringLiteral("EtherCAT_Slave_Variables"), QString::fromLatin1(Section)};
  g.Rows = TFEtherCATSlave::Var_Rows;
  g.Key_Col = TFEtherCATSlave::Col_Type;
  g.Check_Boxes = true;
  // Only a stored "N" clears the box.
  TRuleColumn enable = Rule_Defaulted(Rule_Column(Headers[1], "Enable", 50, Color_Enable, edDataCheckBox), "Y");
  enable.Load = [](int, bool, const QString& stored) {
    return stored == QLatin1String("N") ? QStringLiteral("N") : QStringLiteral("Y");
  };
  // The type's length rule runs before the stored Length is read, so a stored length wins.
  TRuleColumn type = Text_Column(Headers[2], "Type", 120, Color_Variable);
  type.Load = [self, G](int row, bool, const QString& stored) {
    self->VarSetLength(self->Grids[size_t(G)], stored, TFEtherCATSlave::Col_Type, row);
    return stored;
  };
  g.Columns = {Rule_Row_Number(Headers[0]), enable, type, Text_Column(Headers[3], "Length", 100, Color_Variable),
               Text_Column(Headers[4], "Name", 280, Color_Variable)};
  size_t h = 5;
  if (G == TFEtherCATSlave::SlaveToMaster)
    g.Columns.push_back(Text_Column(Headers[h++], "InitValue", 100, Color_Init_Value));
  g.Columns.push_back(Text_Column(Headers[h++], "Position", 100, Color_Place));
  g.Columns.push_back(Text_Column(Headers[h++], "BitStart", 100, Color_Place));
  g.Columns.push_back(Text_Column(Headers[h], "Mnemonic", 100, Color_Mnemonic));
  return g;
}

TRuleFile Make_File(TFEtherCATSlave* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("EtherCAT_Slave");
  f.Version = QStringLiteral("1.000");
  f.Grids = {Make_Grid(self, TFEtherCATSlave::SlaveToMaster, "EtherCAT_Slave_To_Master",
                       {3314, 3315, 3316, 3317, 3319, 3320, 3321, 3322, 3323}),
             Make_Grid(self, TFEtherCATSlave::MasterToSlave, "EtherCAT_Master_To_Slave",
                       {3336, 3337, 3338, 3339, 3340, 3341, 3342, 3343})};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 3300;
  t.Buttons = {3302, 3303, 3304, 3305, 3306, 3307};
  t.Button_Hints = {3308, 3309, 3310, 3311, 3312, 3313};
  t.Pages = {3334, 3335};
  t.Column_Hints = {{3324, 3325, 3326, 3328, 3329, 3330, 3331, 3332}, {3344, 3345, 3346, 3347, 3348, 3349, 3350}};
  t.Delete_Question = 3333;
  t.Header_Hints_Only = true;
  t.Delete_Question_Format = true;
  return t;
}

}  // namespace

TFEtherCATSlave::TFEtherCATSlave(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1200, 337, AOwner)
{
  SetName(QStringLiteral("FEtherCATSlave"));
  TS_SlaveToMaster = Sheets[SlaveToMaster];
  TS_SlaveToMaster->SetName(QStringLiteral("TS_SlaveToMaster"));
  TS_MasterToSlave = Sheets[MasterToSlave];
  TS_MasterToSlave->SetName(QStringLiteral("TS_MasterToSlave"));
  KSG_SlaveMaster = Grids[SlaveToMaster];
  KSG_SlaveMaster->SetName(QStringLiteral("KSG_SlaveMaster"));
  KSG_MasterSlave = Grids[MasterToSlave];
  KSG_MasterSlave->SetName(QStringLiteral("KSG_MasterSlave"));
  for (TKvStringGrid* g : Grids) {
    g->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { KSG_SlaveMasterGetEditorType(s, c, r, e); };
    g->OnCellValidate = [this](TObject* s, int c, int r, QString& v, bool& ok) {
      KSG_SlaveMasterCellValidate(s, c, r, v, ok);
    };
  }
  Init_Table();
}

void TFEtherCATSlave::Init_Table()
{
  for (size_t g = 0; g < Grids.size(); ++g) {
    const TRuleGrid& D = Desc().Grids[g];
    TKvStringGrid* grid = Grids[g];
    Paint_Rule_Rows(D, grid);
    const int position = g == SlaveToMaster ? StM_Position : MtS_Position;
    for (int r = 1; r <= D.Rows; ++r) {
      grid->SetReadOnly(position, r, true);
      grid->SetReadOnly(position + 1, r, true);
    }
  }
  VarType = {QStringLiteral("Bool"),   QStringLiteral("Int8"),   QStringLiteral("Int16"),
             QStringLiteral("Int32"),  QStringLiteral("UInt8"),  QStringLiteral("UInt16"),
             QStringLiteral("UInt32"), QStringLiteral("Float32"), QStringLiteral("String")};
}

QString TFEtherCATSlave::Project_File() const
{
  return WS().Name_File_EtherCAT_Slave;
}

void TFEtherCATSlave::VarSetLength(TKvStringGrid* Grid, const QString& ASelection, int, int ARow)
{
  if (!Grid || ARow < 1 || ARow >= Grid->RowCount())
    return;
  const std::optional<TEtherCAT_Length> rule = EtherCAT_Length_Rule(ASelection);
  if (!rule)
    return;
  Grid->SetCells(Col_Length, ARow, rule->Length);
  Grid->SetReadOnly(Col_Length, ARow, !rule->Editable);
}

void TFEtherCATSlave::Calc_Position_Bit(TKvStringGrid* Grid, bool SlaveMaster)
{
  const int g = SlaveMaster ? SlaveToMaster : MasterToSlave;
  const TRuleGrid& D = Desc().Grids[size_t(g)];
  std::vector<TEtherCAT_Var_Row> rows;
  rows.reserve(size_t(D.Rows));
  for (int r = 1; r <= D.Rows; ++r)
    rows.push_back({Get_Rule_Cell(D, Grid, Col_Enable, r) == QLatin1String("Y"), Grid->Cells(Col_Type, r),
                    Grid->Cells(Col_Length, r)});
  const std::vector<TEtherCAT_Place> places = EtherCAT_Places(rows);
  const int position = SlaveMaster ? StM_Position : MtS_Position;
  Grid->BeginUpdate();
  for (size_t i = 0; i < places.size(); ++i) {
    Grid->SetCells(position, int(i) + 1, QString::number(places[i].Position));
    Grid->SetCells(position + 1, int(i) + 1, QString::number(places[i].Bit));
  }
  Grid->EndUpdate();
}

void TFEtherCATSlave::Calc_Positions(int G)
{
  Calc_Position_Bit(Grids[size_t(G)], G == SlaveToMaster);
}

void TFEtherCATSlave::After_Load()
{
  Calc_Positions(SlaveToMaster);
  Calc_Positions(MasterToSlave);
}

void TFEtherCATSlave::KSG_SlaveMasterGetEditorType(TObject* Sender, int ACol, int, TEditorType& AEditor)
{
  auto* grid = static_cast<TKvStringGrid*>(Sender);
  if (ACol != Col_Type || Grid_Index(Sender) < 0)
    return;
  AEditor = edComboList;
  grid->ClearComboString();
  for (const QString& s : VarType)
    grid->AddComboString(s);
}

void TFEtherCATSlave::KSG_SlaveMasterCellValidate(TObject* Sender, int ACol, int ARow, QString& Value, bool&)
{
  const int g = Grid_Index(Sender);
  if (g < 0 || ACol < Col_Enable || ACol > Col_Length)
    return;
  // The grid stores the accepted text after this event: the computation reads it now.
  if (ACol != Col_Enable)
    Grids[size_t(g)]->SetCells(ACol, ARow, Value);
  Calc_Positions(g);
}

void TFEtherCATSlave::Combo_Change(int G, int ACol, int ARow, int, const QString& ASelection)
{
  if (G < 0 || ACol != Col_Type)
    return;
  TKvStringGrid* grid = Grids[size_t(G)];
  VarSetLength(grid, ASelection, ACol, ARow);
  grid->SetCells(Col_Type, ARow, ASelection);
  Calc_Positions(G);
}

void TFEtherCATSlave::Check_Box_Click(int G, int ACol, int, bool)
{
  if (ACol == Col_Enable)
    Calc_Positions(G);
}

void TFEtherCATSlave::After_Paste_Row(int G, int ARow)
{
  // The string types keep the copied length; the fixed types take their own.
  TKvStringGrid* grid = Grids[size_t(G)];
  const QString type = grid->Cells(Col_Type, ARow);
  const QString length = grid->Cells(Col_Length, ARow);
  VarSetLength(grid, type, Col_Type, ARow);
  if (EtherCAT_Type_Sizes_Itself(type))
    grid->SetCells(Col_Length, ARow, length);
  Calc_Positions(G);
}

void TFEtherCATSlave::Delete_Rule_Row(int G, int Row)
{
  Grid_Delete_Row_Check(Row, Grids[size_t(G)], true);
}

void TFEtherCATSlave::After_Delete_Question(int G, int, bool)
{
  Calc_Positions(G);
}
