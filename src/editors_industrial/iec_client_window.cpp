#include "editors_industrial/iec_client_window.h"

#include "editors_industrial/iec_client_file.h"
#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/graphics.h"
#include "platform/ui/stdctrls.h"
#include "common/common_routines.h"
#include "common/grid_columns.h"
#include "common/grid_row_commands.h"
#include "common/lang_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>

#include <functional>

namespace {

enum : int { Icon_Device, Icon_LDevice, Icon_LN, Icon_DO, Icon_DA, Icon_DataSet };

constexpr int Row_Height = 22;
constexpr int Rule_Text_Replace_Partial_File = 1506;

const QString SCL_Filter = QStringLiteral(
    "SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; *.sed; *.icd; *.iid; *.cid;|Any File (*.*)|*.*");
const QString Overwrite_Question =
    QStringLiteral("File already exists in catalog directory. Do you want to overwrite file?");

const char* const Start_Bits = "0|1|2|3|4|5|6|7";
const char* const Conversions = "None|ItoF/FtoI";

const TGridColumnDef DA_Columns[] = {
    {"N", edNormal, 32, clWindow, false, nullptr},
    {"Index", edNormal, 45, clWindow, false, nullptr},
    {"bType", edNormal, 80, clWindow, true, nullptr},
    {"fc", edNormal, 30, clWindow, true, nullptr},
    {"Reference", edNormal, 260, clWindow, true, nullptr},
    {"Start Byte", edNormal, 70, clWindow, false, nullptr},
    {"Num Byte", edNormal, 70, clWindow, false, nullptr},
    {"IP Address", edNormal, 100, clWindow, false, nullptr},
    {"Port", edNormal, 45, clWindow, false, nullptr},
    {"On Change", edDataCheckBox, 70, clWindow, false, nullptr},
    {"On CMD", edDataCheckBox, 60, clWindow, false, nullptr},
    {"On Timer", edDataCheckBox, 60, clWindow, false, nullptr},
    {"Time (ms)", edNormal, 65, clWindow, false, nullptr},
    {"Position", edNormal, 60, clWindow, false, nullptr},
    {"Start Bit", edComboList, 60, clWindow, false, Start_Bits},
    {"R/W", edComboList, 60, clWindow, false, "Read|Write"},
    {"Convertion", edComboList, 80, clWindow, false, Conversions},
    {"Molt Fact", edNormal, 65, clWindow, false, nullptr},
    {"Mnemonic", edNormal, 120, clWindow, false, nullptr},
};

const TGridColumnDef DataSet_Columns[] = {
    {"N", edNormal, 32, clWindow, false, nullptr},
    {"Index", edNormal, 45, clWindow, false, nullptr},
    {"Reference", edNormal, 260, clWindow, true, nullptr},
    {"Goose Name", edNormal, 150, clWindow, true, nullptr},
    {"En. Goose", edDataCheckBox, 70, clWindow, false, nullptr},
    {"IP Address", edNormal, 100, clWindow, false, nullptr},
    {"Port", edNormal, 45, clWindow, false, nullptr},
    {"Time (ms)", edNormal, 65, clWindow, false, nullptr},
    {"Mnemonic", edNormal, 120, clWindow, false, nullptr},
};

const TGridColumnDef DS_Vars_Columns[] = {
    {"N", edNormal, 32, clWindow, false, nullptr},
    {"bType", edNormal, 80, clWindow, true, nullptr},
    {"Reference", edNormal, 300, clWindow, true, nullptr},
    {"Position", edNormal, 60, clWindow, false, nullptr},
    {"Start Bit", edComboList, 60, clWindow, false, Start_Bits},
    {"Convertion", edComboList, 80, clWindow, false, Conversions},
    {"Mult Fact", edNormal, 65, clWindow, false, nullptr},
    {"Mnemonic", edNormal, 120, clWindow, false, nullptr},
};

// The six node icons, 16 x 16, drawn here: a device box, a logical-device rack, a
// logical-node square, a data-object diamond, a data-attribute dot and a data-set list.
QImage Node_Icon(int Kind)
{
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, Kind == Icon_DO || Kind == Icon_DA);
  p.setPen(QColor(40, 40, 40));
  switch (Kind) {
  case Icon_Device:
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(1, 3, 13, 10);
    p.setBrush(QColor(80, 220, 80));
    p.drawRect(3, 5, 2, 2);
    break;
  case Icon_LDevice:
    p.setBrush(QColor(230, 180, 60));
    p.drawRect(2, 2, 11, 5);
    p.drawRect(2, 8, 11, 5);
    break;
  case Icon_LN:
    p.setBrush(QColor(90, 150, 230));
    p.drawRect(2, 2, 11, 11);
    break;
  case Icon_DO: {
    p.setBrush(QColor(60, 60, 230));
    const QPointF pts[4] = {{8, 1}, {15, 8}, {8, 15}, {1, 8}};
    p.drawPolygon(pts, 4);
    break;
  }
  case Icon_DA:
    p.setBrush(QColor(200, 90, 60));
    p.drawEllipse(QPointF(8, 8), 5, 5);
    break;
  default:
    p.setBrush(QColor(60, 170, 60));
    p.drawRect(2, 1, 11, 13);
    p.setPen(Qt::white);
    for (int y = 4; y <= 11; y += 3)
      p.drawLine(4, y, 11, y);
    break;
  }
  return img;
}

int Device_Position(const TOwnedList<TIEC_Device>& List, const TIEC_Device* Device)
{
  for (size_t i = 0; i < List.size(); ++i)
    if (List[i].get() == Device)
      return int(i);
  return -1;
}

// ---- mapping the selected node back to the model --------------------------------------

TIEC_DA* Search_Node_DA(TIEC_DA& DA, const TTreeNode* Node)
{
  if (DA.TreeNode == Node)
    return &DA;
  for (const auto& Sub : DA.List_DA)
    if (TIEC_DA* Found = Search_Node_DA(*Sub, Node))
      return Found;
  return nullptr;
}

TIEC_DA* Search_Node_DO(TIEC_DO& DO, const TTreeNode* Node)
{
  for (const auto& Sub : DO.List_DO)
    if (TIEC_DA* Found = Search_Node_DO(*Sub, Node))
      return Found;
  for (const auto& DA : DO.List_DA)
    if (TIEC_DA* Found = Search_Node_DA(*DA, Node))
      return Found;
  return nullptr;
}

TIEC_DA* Search_Node_LN(TIEC_LN& LN, const TTreeNode* Node)
{
  for (const auto& DO : LN.List_DO)
    if (TIEC_DA* Found = Search_Node_DO(*DO, Node))
      return Found;
  return nullptr;
}

TIEC_DA* Search_Node_LDevice(TIEC_LDevice& LD, const TTreeNode* Node)
{
  for (const auto& LN : LD.List_LN)
    if (TIEC_DA* Found = Search_Node_LN(*LN, Node))
      return Found;
  return nullptr;
}

// The attribute whose node is Node, when it has no sub-attribute.
TIEC_DA* Search_Node_Selected(TIEC_Device& Device, const TTreeNode* Node)
{
  for (const auto& LD : Device.List_LDevice)
    if (TIEC_DA* Found = Search_Node_LDevice(*LD, Node))
      return Found->List_DA.empty() ? Found : nullptr;
  return nullptr;
}

TIEC_DataSet* Search_Node_LN_DataSet(TIEC_LN& LN, const TTreeNode* Node)
{
  for (const auto& DS : LN.List_DataSet)
    if (DS->TreeNode == Node)
      return DS.get();
  return nullptr;
}

TIEC_DataSet* Search_Node_LDevice_DataSet(TIEC_LDevice& LD, const TTreeNode* Node)
{
  for (const auto& LN : LD.List_LN)
    if (TIEC_DataSet* Found = Search_Node_LN_DataSet(*LN, Node))
      return Found;
  return nullptr;
}

TIEC_DataSet* Search_Node_Selected_DataSet(TIEC_Device& Device, const TTreeNode* Node)
{
  for (const auto& LD : Device.List_LDevice)
    if (TIEC_DataSet* Found = Search_Node_LDevice_DataSet(*LD, Node))
      return Found;
  return nullptr;
}

}  // namespace

TFIEC_61850_Access::TFIEC_61850_Access(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FIEC_61850_Access"));
  SetShowHint(true);
  Apply_Shell_Look(this, Client_Width, Client_Height);

  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
  Btn_AddVar = Make_Button(this, P_Button, QStringLiteral("Btn_AddVar"), 252, 6, 110, 28);
  Btn_RemoveVar = Make_Button(this, P_Button, QStringLiteral("Btn_RemoveVar"), 370, 6, 110, 28);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_AddVar->OnClick = [this](TObject* s) { Btn_AddVarClick(s); };
  Btn_RemoveVar->OnClick = [this](TObject* s) { Btn_RemoveVarClick(s); };

  // Left: the device list beside the tree.
  P_Left = Make_Plain_Panel(this, QStringLiteral("P_Left"), Client_Height, alLeft);
  P_Left->SetWidth(470);
  P_Devices = new TPanel(this);
  P_Devices->SetName(QStringLiteral("P_Devices"));
  P_Devices->SetParent(P_Left);
  P_Devices->SetAlign(alLeft);
  P_Devices->SetWidth(170);
  P_Devices->SetBevelOuter(bvNone);
  P_Devices->SetCaption(QString());
  P_Devices->SetColor(Shell_Back_Color);
  Btn_Add_IEC_Device = Make_Button(this, P_Devices, QStringLiteral("Btn_Add_IEC_Device"), 0, 0, 170, 28);
  Btn_Add_IEC_Device->SetAlign(alTop);
  Btn_Remove_IEC_Device = Make_Button(this, P_Devices, QStringLiteral("Btn_Remove_IEC_Device"), 0, 0, 170, 28);
  Btn_Remove_IEC_Device->SetAlign(alBottom);
  LB_IEC_Devices = new TListBox(this);
  LB_IEC_Devices->SetName(QStringLiteral("LB_IEC_Devices"));
  LB_IEC_Devices->SetParent(P_Devices);
  LB_IEC_Devices->SetAlign(alClient);
  Btn_Add_IEC_Device->OnClick = [this](TObject* s) { Btn_Add_IEC_DeviceClick(s); };
  Btn_Remove_IEC_Device->OnClick = [this](TObject* s) { Btn_Remove_IEC_DeviceClick(s); };
  // The list box raises OnClick for a mouse and a keyboard selection alike.
  LB_IEC_Devices->OnClick = [this](TObject* s) { LB_IEC_DevicesClick(s); };

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(QStringLiteral("Splitter1"));
  Splitter1->SetParent(P_Left);
  Splitter1->SetAlign(alLeft);
  Splitter1->SetLeft(171);

  IL_IEC = std::make_unique<TImageList>(16, 16);
  for (int k = Icon_Device; k <= Icon_DataSet; ++k)
    IL_IEC->AddImage(Node_Icon(k));
  TV_IEC_Device = new TTreeView(this);
  TV_IEC_Device->SetName(QStringLiteral("TV_IEC_Device"));
  TV_IEC_Device->SetParent(P_Left);
  TV_IEC_Device->SetAlign(alClient);
  TV_IEC_Device->SetReadOnly(true);
  TV_IEC_Device->SetImages(IL_IEC.get());
  TV_IEC_Device->OnClick = [this](TObject* s) { TV_IEC_DeviceClick(s); };

  // Right: the variables page and the data-set page.
  PC_DA_DataSet = new TPageControl(this);
  PC_DA_DataSet->SetName(QStringLiteral("PC_DA_DataSet"));
  PC_DA_DataSet->SetParent(this);
  PC_DA_DataSet->SetAlign(alClient);
  TS_DA = new TTabSheet(this);
  TS_DA->SetName(QStringLiteral("TS_DA"));
  TS_DA->SetPageControl(PC_DA_DataSet);
  TS_DA->SetCaption(QStringLiteral("Variables"));
  TS_DataSet = new TTabSheet(this);
  TS_DataSet->SetName(QStringLiteral("TS_DataSet"));
  TS_DataSet->SetPageControl(PC_DA_DataSet);
  TS_DataSet->SetCaption(QStringLiteral("DataSet"));

  KCG_DA = Make_Grid(TS_DA, QStringLiteral("KCG_DA"));
  KCG_DA->SetAlign(alClient);
  Apply_Grid_Columns(KCG_DA, DA_Columns);
  KCG_DataSet = Make_Grid(TS_DataSet, QStringLiteral("KCG_DataSet"));
  KCG_DataSet->SetAlign(alTop);
  KCG_DataSet->SetHeight(200);
  Apply_Grid_Columns(KCG_DataSet, DataSet_Columns);
  KCG_DS_Vars = Make_Grid(TS_DataSet, QStringLiteral("KCG_DS_Vars"));
  KCG_DS_Vars->SetAlign(alClient);
  Apply_Grid_Columns(KCG_DS_Vars, DS_Vars_Columns);
  for (TKvColumnGrid* g : {KCG_DA, KCG_DataSet, KCG_DS_Vars}) {
    g->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
    g->OnDblClickCell = [this](TObject* s, int r, int c) { KCG_DADblClickCell(s, r, c); };
    g->OnKeyPress = [this](TObject* s, QChar& k) { KCG_DAKeyPress(s, k); };
    g->OnGridHint = [this](TObject* s, int r, int c, QString& h) { KCG_DAGridHint(s, r, c, h); };
  }
  KCG_DS_Vars->OnEditCellDone = [this](TObject* s, int c, int r) { KCG_DS_VarsEditCellDone(s, c, r); };

  OD_IcdFile = new TOpenDialog(this);

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

// The tree's nodes point into the models: empty the tree before the models go.
TFIEC_61850_Access::~TFIEC_61850_Access()
{
  TV_IEC_Device->Items()->Clear();
  TV_IEC_Device->SetImages(nullptr);
}

TKvColumnGrid* TFIEC_61850_Access::Make_Grid(TWinControl* Parent, const QString& Name)
{
  auto* g = new TKvColumnGrid(this);
  g->SetName(Name);
  g->SetParent(Parent);
  g->SetRowCount(2);
  g->SetFixedRows(1);
  g->SetFixedCols(1);
  g->SetDefaultRowHeight(Row_Height);
  g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goColSizing |
                goEditing);
  g->SetShowHint(true);
  return g;
}

void TFIEC_61850_Access::Reset_Grid(TKvColumnGrid* G)
{
  G->SetRowCount(2);
  for (int c = 0; c < G->ColCount(); ++c) {
    G->SetCells(c, 1, QString());
    G->SetReadOnly(c, 1, false);
  }
}

QString TFIEC_61850_Access::Dir_Catalog()
{
  return PathJoin({WS().Dir_Project, IEC_Catalog_Folder_Name});
}

void TFIEC_61850_Access::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  PC_DA_DataSet->SetActivePage(TS_DA);
  Set_Lang();
}

void TFIEC_61850_Access::Set_Lang()
{
  SetCaption(Lang_Str(3400));
  L_SW_Desc->SetCaption(Lang_Str(3401));
  Btn_OK->SetCaption(Lang_Str(3402));
  Btn_Cancel->SetCaption(Lang_Str(3403));
  Btn_AddVar->SetCaption(Lang_Str(3404));
  Btn_RemoveVar->SetCaption(Lang_Str(3405));
  Btn_Add_IEC_Device->SetCaption(Lang_Str(3408));
  Btn_Remove_IEC_Device->SetCaption(Lang_Str(3409));
  Btn_OK->SetHint(Lang_Str(3410));
  Btn_Cancel->SetHint(Lang_Str(3411));
  Btn_AddVar->SetHint(Lang_Str(3412));
  Btn_RemoveVar->SetHint(Lang_Str(3413));
  Btn_Add_IEC_Device->SetHint(Lang_Str(3416));
  Btn_Remove_IEC_Device->SetHint(Lang_Str(3417));

  // Columns 0 to 4 take 3418-3422, Start and Num Byte 3458 and 3459, the rest 3423-3434;
  // their hints run alike from 3435, 3460 and 3440.
  Hint.clear();
  for (int c = 0; c < KCG_DA->ColCount(); ++c) {
    const int Header = c <= 4 ? 3418 + c : c <= 6 ? 3458 + (c - 5) : 3423 + (c - 7);
    const int Hint_Text = c <= 4 ? 3435 + c : c <= 6 ? 3460 + (c - 5) : 3440 + (c - 7);
    KCG_DA->Columns()->Items(c)->SetHeader(Lang_Str(Header));
    Hint << Lang_Str(Hint_Text);
  }
}

// ---- loading and saving --------------------------------------------------------------

void TFIEC_61850_Access::FormShow(TObject*)
{
  DataSet_Row_Select = 0;
  Selected_IEC_DA = nullptr;
  Selected_IEC_DS = nullptr;
  Selected_Device = nullptr;
  NODE_ORIG = nullptr;
  FTree_Device = -1;
  TV_IEC_Device->Items()->Clear();
  LB_IEC_Devices->Clear();
  PC_DA_DataSet->SetActivePage(TS_DA);
  for (TKvColumnGrid* g : {KCG_DA, KCG_DataSet, KCG_DS_Vars})
    Reset_Grid(g);

  const TIEC_Client_Load Load =
      Read_IEC_61850_Client_File(WS().Name_File_IEC_61850_Client, Dir_Catalog(), Model);
  FPartial_Load = Load.Partial();
  Put_Rows();
  Show_IEC_Devices();
  if (!Load.Failure.isEmpty())
    MessageDlg(Load.Failure, mtError, mbOK);
  if (!Load.Missing_Files.isEmpty())
    MessageDlg(Load.Missing_Files_Warning(), mtWarning, mbOK);
}

bool TFIEC_61850_Access::Controllo_dati()
{
  Get_Rows();
  const TIEC_Check_Result R = ::Controllo_dati(Model.DA_Rows, Get_Decimal_Separator());
  if (R.Passed())
    return true;
  MessageDlg(R.Message, mtError, mbOK);
  return false;
}

void TFIEC_61850_Access::Btn_OKClick(TObject*)
{
  if (!Controllo_dati())
    return;
  if (FPartial_Load && MessageDlg(Lang_Str(Rule_Text_Replace_Partial_File), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  try {
    Write_IEC_61850_Client_File(WS().Name_File_IEC_61850_Client, Model);
  } catch (const Exception& e) {
    // The old file stays; the window stays open with the edits.
    MessageDlg(e.Message(), mtError, mbOK);
    return;
  }
  FPartial_Load = false;
  SetModalResult(mrOk);
}

// ---- grids and rows --------------------------------------------------------------------

namespace {

template <class Row>
std::vector<Row> Read_Grid_Rows(const TKvColumnGrid* G)
{
  std::vector<Row> Rows;
  for (int r = 1; r < G->RowCount(); ++r) {
    Row R;
    for (int f = 0; f < Row::Num_Fields; ++f)
      R.Field(f) = G->Cells(f + 1, r);
    Rows.push_back(std::move(R));
  }
  // A grid of one blank row, as a reset leaves it, holds no row.
  if (Rows.size() == 1 && Rows[0] == Row{} && G->Cells(0, 1).isEmpty())
    Rows.clear();
  return Rows;
}

template <class Row>
void Write_Grid_Rows(TKvColumnGrid* G, const std::vector<Row>& Rows)
{
  G->SetRowCount(std::max<int>(2, int(Rows.size()) + 1));
  if (Rows.empty()) {
    for (int c = 0; c < G->ColCount(); ++c)
      G->SetCells(c, 1, QString());
    return;
  }
  for (size_t i = 0; i < Rows.size(); ++i) {
    const int r = int(i) + 1;
    G->SetCells(0, r, QString::number(r));
    for (int f = 0; f < Row::Num_Fields; ++f)
      G->SetCells(f + 1, r, Rows[i].Field(f));
  }
}

}  // namespace

void TFIEC_61850_Access::Get_Rows()
{
  Model.DA_Rows = Read_Grid_Rows<TIEC_DA_Row>(KCG_DA);
  Model.DataSet_Rows = Read_Grid_Rows<TIEC_DataSet_Row>(KCG_DataSet);
}

void TFIEC_61850_Access::Put_Rows()
{
  Write_Grid_Rows(KCG_DA, Model.DA_Rows);
  // Start and length are the type's own for the types of fixed size.
  for (int r = 1; r < KCG_DA->RowCount(); ++r) {
    const bool Fixed = IEC_Fixed_Byte_Span(KCG_DA->Cells(2, r)).has_value();
    KCG_DA->SetReadOnly(5, r, Fixed);
    KCG_DA->SetReadOnly(6, r, Fixed);
  }
  Write_Grid_Rows(KCG_DataSet, Model.DataSet_Rows);
}

void TFIEC_61850_Access::Set_Start_Num_Byte()
{
  Get_Rows();
  ::Set_Start_Num_Byte(Model.DA_Rows);
  Put_Rows();
}

void TFIEC_61850_Access::Btn_AddVarClick(TObject*)
{
  const int Device = Device_Position(List_IEC_Dev, Selected_Device);
  if (Device < 0)
    return;
  Get_Rows();
  if (Selected_IEC_DA) {
    PC_DA_DataSet->SetActivePage(TS_DA);
    const int Row = Add_Var_DA(Model, *Selected_IEC_DA, Device);
    Put_Rows();
    KCG_DA->SetRow(Row);
  } else if (Selected_IEC_DS) {
    PC_DA_DataSet->SetActivePage(TS_DataSet);
    const int Row = Add_Var_DataSet(Model, *Selected_IEC_DS, Device);
    Put_Rows();
    KCG_DataSet->SetRow(Row);
  }
}

void TFIEC_61850_Access::Btn_RemoveVarClick(TObject*)
{
  Get_Rows();
  if (PC_DA_DataSet->ActivePage() == TS_DataSet) {
    const int Row = KCG_DataSet->Row();
    if (Row < 1 || size_t(Row) > std::max<size_t>(1, Model.DataSet_Rows.size()))
      return;
    if (size_t(Row) <= List_DataSet.size())
      List_DataSet.erase(List_DataSet.begin() + (Row - 1));
    if (Model.DataSet_Rows.size() > 1)
      Model.DataSet_Rows.erase(Model.DataSet_Rows.begin() + (Row - 1));
    else
      Model.DataSet_Rows.assign(1, TIEC_DataSet_Row{});
    Put_Rows();
    // The member grid showed a data set that may be gone or have moved.
    DataSet_Row_Select = 0;
    Reset_Grid(KCG_DS_Vars);
    return;
  }
  const int Row = KCG_DA->Row();
  if (Row < 1 || size_t(Row) > std::max<size_t>(1, Model.DA_Rows.size()))
    return;
  if (Model.DA_Rows.size() > 1)
    Model.DA_Rows.erase(Model.DA_Rows.begin() + (Row - 1));
  else
    Model.DA_Rows.assign(1, TIEC_DA_Row{});
  ::Set_Start_Num_Byte(Model.DA_Rows);
  Put_Rows();
}

void TFIEC_61850_Access::Show_DataSet_DAs()
{
  const int k = KCG_DataSet->Row();
  const TDataSet* DS = k >= 1 && size_t(k) <= List_DataSet.size() ? List_DataSet[size_t(k - 1)].get() : nullptr;
  if (!DS || DS->List_DAs.empty()) {
    DataSet_Row_Select = 0;
    Reset_Grid(KCG_DS_Vars);
    return;
  }
  // Member edits go to the data set shown here, wherever the data-set grid's row moves.
  DataSet_Row_Select = k;
  KCG_DS_Vars->SetRowCount(int(DS->List_DAs.size()) + 1);
  for (size_t m = 0; m < DS->List_DAs.size(); ++m) {
    const TDataSet_DA& D = *DS->List_DAs[m];
    const int r = int(m) + 1;
    KCG_DS_Vars->SetCells(0, r, QString::number(r));
    KCG_DS_Vars->SetCells(1, r, D.Select_DA ? D.Select_DA->bType() : QString());
    KCG_DS_Vars->SetCells(2, r, D.Select_DA ? D.Select_DA->Reference() : QString());
    KCG_DS_Vars->SetCells(3, r, D.Position);
    KCG_DS_Vars->SetCells(4, r, D.bitAddress);
    KCG_DS_Vars->SetCells(5, r, D.conversion);
    KCG_DS_Vars->SetCells(6, r, D.multFactor);
    KCG_DS_Vars->SetCells(7, r, D.Mnemonic);
  }
}

void TFIEC_61850_Access::KCG_DS_VarsEditCellDone(TObject*, int ACol, int ARow)
{
  if (DataSet_Row_Select < 1 || size_t(DataSet_Row_Select) > List_DataSet.size())
    return;
  TDataSet& DS = *List_DataSet[size_t(DataSet_Row_Select - 1)];
  if (ARow < 1 || size_t(ARow) > DS.List_DAs.size())
    return;
  DS.List_DAs[size_t(ARow - 1)]->Set_Field(ACol, KCG_DS_Vars->Cells(ACol, ARow));
}

void TFIEC_61850_Access::ClickCell(TObject* Sender, int ARow, int ACol)
{
  if (ACol == 0 && ARow >= 1 && ARow < KCG_DA->RowCount())
    KCG_DA->SetRow(ARow);
  if (Sender == KCG_DataSet)
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::KCG_DADblClickCell(TObject* Sender, int ARow, int ACol)
{
  Grid_DblClick_AutoSize(Sender, ARow, ACol);
}

void TFIEC_61850_Access::KCG_DAKeyPress(TObject* Sender, QChar& Key)
{
  Grid_Jump_Next_Cell(Sender, Key);
}

void TFIEC_61850_Access::KCG_DAGridHint(TObject* Sender, int ARow, int ACol, QString& HintText)
{
  // The hints describe the variables grid's columns; the data-set grids have none.
  if (Sender != KCG_DA || ARow != 0)
    return;
  const int c = KCG_DA->RealColIndex(ACol);
  if (c > 0 && c < Hint.size())
    HintText = Hint.at(c);
}

// ---- the device catalog ------------------------------------------------------------------

void TFIEC_61850_Access::Show_IEC_Devices()
{
  LB_IEC_Devices->Items()->Clear();
  for (const auto& Dev : List_IEC_Dev)
    LB_IEC_Devices->Items()->Add(Dev->Name());
  LB_IEC_Devices->SetItemIndex(-1);
}

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick(TObject*)
{
  OD_IcdFile->Filter = SCL_Filter;
  if (!OD_IcdFile->Execute())
    return;
  const QString Source = OD_IcdFile->FileName;
  const QString Dir = Dir_Catalog();
  ForceDirectories(Dir);
  const QString Target = PathJoin({Dir, ExtractFileName(Source)});
  bool Copy = true;
  if (FileExists(Target)) {
    const int Answer = MessageDlg(Overwrite_Question, mtConfirmation, mbYesNoCancel);
    if (Answer == mrCancel || Answer == mrNone)
      return;
    Copy = Answer == mrYes;
  }
  // A file chosen inside the catalog is its own copy.
  if (Copy && QFileInfo(Source).canonicalFilePath() == QFileInfo(Target).canonicalFilePath())
    Copy = false;
  if (Copy && !CopyFile(Source, Target, false)) {
    MessageDlg(QStringLiteral("The file %1 cannot be copied into the catalog folder %2.").arg(Source, Dir), mtError,
               mbOK);
    return;
  }
  try {
    List_IEC_Dev.Add(std::make_unique<TIEC_Device>(Target));
  } catch (const Exception& e) {
    MessageDlg(e.Message(), mtError, mbOK);
    return;
  }
  Show_IEC_Devices();
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick(TObject*)
{
  const int Index = LB_IEC_Devices->ItemIndex();
  if (Index < 0 || size_t(Index) >= List_IEC_Dev.size())
    return;
  Get_Rows();
  TIEC_Device* Removed = List_IEC_Dev[size_t(Index)].get();
  const bool Shown = FTree_Device == Index;
  if (!Remove_IEC_Device(Model, Index))
    return;
  if (Selected_Device == Removed) {
    Selected_Device = nullptr;
    Selected_IEC_DA = nullptr;
    Selected_IEC_DS = nullptr;
  }
  // The tree keeps what it shows, but no click in it picks anything until a line is
  // chosen again.
  if (Shown)
    NODE_ORIG = nullptr;
  FTree_Device = -1;
  Put_Rows();
  Show_IEC_Devices();
}

// ---- the model tree --------------------------------------------------------------------------

TColor TFIEC_61850_Access::Node_Font_Color(int ImageIndex)
{
  return ImageIndex == Icon_DO ? TColor(0xFF0000) : ImageIndex == Icon_DataSet ? TColor(0x008000) : TColor(0x000000);
}

TTreeNode* TFIEC_61850_Access::Add_Node(TTreeNode* Parent, const QString& Text, int Icon)
{
  TTreeNode* N = TV_IEC_Device->Items()->AddChild(Parent, Text);
  N->SetImageIndex(Icon);
  N->SetSelectedIndex(Icon);
  N->SetFontColor(Node_Font_Color(Icon));
  return N;
}

void TFIEC_61850_Access::LB_IEC_DevicesClick(TObject*)
{
  const int Index = LB_IEC_Devices->ItemIndex();
  if (Index < 0 || size_t(Index) >= List_IEC_Dev.size())
    return;
  Selected_IEC_DA = nullptr;
  Selected_IEC_DS = nullptr;
  Selected_Device = nullptr;
  Show_Tree_IEC_Device(*List_IEC_Dev[size_t(Index)]);
  FTree_Device = Index;
}

void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device& Device)
{
  TV_IEC_Device->Items()->Clear();
  NODE_ORIG = Add_Node(nullptr, Device.Name(), Icon_Device);
  Device.TreeNode = NODE_ORIG;
  for (const auto& LD : Device.List_LDevice)
    Show_Tree_IEC_LDevice(NODE_ORIG, *LD);
  NODE_ORIG->Expand(false);
}

void TFIEC_61850_Access::Show_Tree_IEC_LDevice(TTreeNode* Parent, TIEC_LDevice& LDevice)
{
  TTreeNode* N = Add_Node(Parent, LDevice.Name(), Icon_LDevice);
  LDevice.TreeNode = N;
  for (const auto& LN : LDevice.List_LN)
    Show_Tree_IEC_LN(N, *LN);
  N->Expand(false);
}

void TFIEC_61850_Access::Show_Tree_IEC_LN(TTreeNode* Parent, TIEC_LN& LN)
{
  TTreeNode* N = Add_Node(Parent, LN.Prefix() + LN.lnClass() + LN.Inst(), Icon_LN);
  LN.TreeNode = N;
  for (const auto& DO : LN.List_DO)
    Show_Tree_IEC_DO(N, *DO);
  for (const auto& DS : LN.List_DataSet)
    Show_Tree_IEC_DataSet(N, *DS);
  N->Expand(false);
}

void TFIEC_61850_Access::Show_Tree_IEC_DO(TTreeNode* Parent, TIEC_DO& DO)
{
  TTreeNode* N = Add_Node(Parent, DO.Name(), Icon_DO);
  DO.TreeNode = N;
  for (const auto& Sub : DO.List_DO)
    Show_Tree_IEC_DO(N, *Sub);
  for (const auto& DA : DO.List_DA)
    Show_Tree_IEC_DA(N, *DA);
}

void TFIEC_61850_Access::Show_Tree_IEC_DA(TTreeNode* Parent, TIEC_DA& DA)
{
  TTreeNode* N = Add_Node(Parent, DA.Name(), Icon_DA);
  DA.TreeNode = N;
  for (const auto& Sub : DA.List_DA)
    Show_Tree_IEC_DA(N, *Sub);
}

void TFIEC_61850_Access::Show_Tree_IEC_DataSet(TTreeNode* Parent, TIEC_DataSet& DataSet)
{
  DataSet.TreeNode = Add_Node(Parent, DataSet.Name(), Icon_DataSet);
}

void TFIEC_61850_Access::TV_IEC_DeviceClick(TObject*)
{
  Selected_IEC_DA = nullptr;
  Selected_IEC_DS = nullptr;
  Selected_Device = nullptr;
  const int Index = LB_IEC_Devices->ItemIndex();
  // Only the device the tree shows is searched: its links are the tree's nodes.
  if (Index < 0 || size_t(Index) >= List_IEC_Dev.size() || Index != FTree_Device)
    return;
  const TTreeNode* Node = TV_IEC_Device->Selected();
  if (!Node || Node == NODE_ORIG)
    return;
  TIEC_Device& Device = *List_IEC_Dev[size_t(Index)];
  Selected_IEC_DA = Search_Node_Selected(Device, Node);
  if (!Selected_IEC_DA)
    Selected_IEC_DS = Search_Node_Selected_DataSet(Device, Node);
  if (Selected_IEC_DA || Selected_IEC_DS)
    Selected_Device = &Device;
}

TFIEC_61850_Access* FIEC_61850_Access = nullptr;
