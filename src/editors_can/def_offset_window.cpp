// The DeviceNet offset map editor.

#include "editors_can/def_offset_window.h"

#include "editors_can/single_grid_editor.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/rule_editor_frame.h"
#include "common/window_look.h"
#include "common/working_state.h"

TFDefOffset* FDefOffset = nullptr;

namespace {

constexpr int Client_Width = 482;
constexpr int Client_Height = 610;
constexpr int Offset_Col = 1;
constexpr int Mnemonic_Col = 2;

TKvColumnGrid* Make_Grid(TForm* Owner, TWinControl* Parent, const QString& Name, std::initializer_list<int> Widths)
{
  auto* g = new TKvColumnGrid(Owner);
  g->SetName(Name);
  g->SetParent(Parent);
  g->SetAlign(alClient);
  g->SetShowHint(false);
  g->SetColCount(int(Widths.size()));
  g->SetDefaultRowHeight(22);
  // The header stays a header when the grid has no data row.
  g->SetFixedRowAlways(true);
  g->SetRowCount(1);
  g->SetFixedRows(1);
  int c = 0;
  for (int w : Widths)
    g->Columns()->Items(c++)->SetWidth(w);
  return g;
}

TKvColumnGrid* Make_Byte_Grid(TForm* Owner, TTabSheet* Page, const QString& Name)
{
  TKvColumnGrid* g = Make_Grid(Owner, Page, Name, {60, 90, 300});
  g->SetFixedCols(1);
  g->SetOptions(g->Options() | goEditing);
  g->Columns()->Items(Offset_Col)->SetEditor(edComboList);
  return g;
}

void Set_Headers(TKvColumnGrid* G, int First)
{
  for (int c = 0; c < G->ColCount(); ++c) {
    G->Columns()->Items(c)->SetHeader(Lang_Str(First + c));
    G->SetCells(c, 0, Lang_Str(First + c));
  }
}

// Shows the bytes of one direction: row i + 1 holds byte i, its position and mnemonic.
void Show_Bytes(TKvColumnGrid* G, const QStringList& Positions, const QStringList& Mnemonics)
{
  const int n = int(Positions.size());
  G->BeginUpdate();
  G->SetRowCount(n + 1);
  for (int i = 0; i < n; ++i) {
    G->SetCells(0, i + 1, QString::number(i));
    G->SetCells(Offset_Col, i + 1, Positions.at(i));
    G->SetCells(Mnemonic_Col, i + 1, i < Mnemonics.size() ? Mnemonics.at(i) : QString());
  }
  G->EndUpdate();
}

// Stores the rows of G back into the lists, as far as both reach.
void Store_Bytes(TKvColumnGrid* G, QStringList& Positions, QStringList& Mnemonics)
{
  const int n = std::min<int>(G->RowCount() - 1, int(std::min(Positions.size(), Mnemonics.size())));
  for (int r = 1; r <= n; ++r) {
    Positions[r - 1] = G->Cells(Offset_Col, r);
    Mnemonics[r - 1] = G->Cells(Mnemonic_Col, r);
  }
}

}  // namespace

TFDefOffset::TFDefOffset(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FDefOffset"));
  Apply_Shell_Look(this, Client_Width, Client_Height);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  Panel1 = Make_Plain_Panel(this, QStringLiteral("Panel1"), 162, alTop);
  Panel1->SetBorderWidth(8);
  Label1 = Make_Label(this, Panel1, QStringLiteral("Label1"), 0, 0);
  Label1->SetAlign(alTop);
  KCG_DN_Slaves = Make_Grid(this, Panel1, QStringLiteral("KCG_DN_Slaves"), {100, 100, 100, 160});
  KCG_DN_Slaves->SetFixedCols(0);
  for (int c = 0; c < 4; ++c)
    KCG_DN_Slaves->Columns()->Items(c)->SetReadOnly(true);
  KCG_DN_Slaves->OnClick = [this](TObject* s) { KCG_DN_SlavesClick(s); };

  Splitter1 = new TSplitter(this);
  Splitter1->SetName(QStringLiteral("Splitter1"));
  Splitter1->SetParent(this);
  Splitter1->SetAlign(alTop);
  Splitter1->SetHeight(3);
  Splitter1->SetTop(Panel1->Top() + Panel1->Height());

  P_Button = Make_Button_Panel(this);
  Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
  Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
  Btn_OK->SetShowHint(false);
  Btn_Cancel->SetShowHint(false);
  Btn_OK->OnClick = [this](TObject* s) { bitbtn1Click(s); };
  Btn_Cancel->SetModalResult(mrCancel);

  Panel3 = Make_Plain_Panel(this, QStringLiteral("Panel3"), 0, alClient);
  Panel3->SetBorderWidth(8);
  Label2 = Make_Label(this, Panel3, QStringLiteral("Label2"), 0, 0);
  Label2->SetAlign(alTop);
  Label3 = Make_Label(this, Panel3, QStringLiteral("Label3"), 0, 20);
  Label3->SetAlign(alTop);
  PageControl1 = new TPageControl(this);
  PageControl1->SetName(QStringLiteral("PageControl1"));
  PageControl1->SetParent(Panel3);
  PageControl1->SetAlign(alClient);
  TabSheet1 = new TTabSheet(this);
  TabSheet1->SetName(QStringLiteral("TabSheet1"));
  TabSheet1->SetPageControl(PageControl1);
  TabSheet2 = new TTabSheet(this);
  TabSheet2->SetName(QStringLiteral("TabSheet2"));
  TabSheet2->SetPageControl(PageControl1);
  KCG_ByteIN = Make_Byte_Grid(this, TabSheet1, QStringLiteral("KCG_ByteIN"));
  KCG_ByteOUT = Make_Byte_Grid(this, TabSheet2, QStringLiteral("KCG_ByteOUT"));

  Reset_Array_Check();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFDefOffset::~TFDefOffset() = default;

void TFDefOffset::FormCreate(TObject*)
{
  List_Slaves_DN.clear();
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  PageControl1->SetActivePage(TabSheet1);
  Set_Lang();
}

void TFDefOffset::Set_Lang()
{
  SetCaption(Lang_Str(3200));
  L_SW_Desc->SetCaption(Lang_Str(3201));
  Btn_OK->SetCaption(Lang_Str(3202));
  Btn_Cancel->SetCaption(Lang_Str(3203));
  Btn_OK->SetHint(Lang_Str(3204));
  Btn_Cancel->SetHint(Lang_Str(3205));
  TabSheet1->SetCaption(Lang_Str(3206));
  TabSheet2->SetCaption(Lang_Str(3207));
  Label1->SetCaption(Lang_Str(3208));
  Label2->SetCaption(Lang_Str(3209));
  Label3->SetCaption(Lang_Str(3210));
  Set_Headers(KCG_DN_Slaves, 3211);
  Set_Headers(KCG_ByteIN, 3215);
  Set_Headers(KCG_ByteOUT, 3218);
}

void TFDefOffset::FormShow(TObject*)
{
  List_Slaves_DN.clear();
  Load_State = TDN_Load_State{};
  MAX_BYTE_IN = DN_Exchange_Positions;
  MAX_BYTE_OUT = DN_Exchange_Positions;
  Set_Column_Items(KCG_ByteIN, Offset_Col, Position_Items(MAX_BYTE_IN));
  Set_Column_Items(KCG_ByteOUT, Offset_Col, Position_Items(MAX_BYTE_OUT));
  Slave_Before_Select = -1;
  // A load that stops leaves through the show's failure report; the byte grids then
  // show the first slave read, never the bytes of an earlier opening.
  try {
    Load_Slave_DN();
    Load_Offset_Slave_DN();
  } catch (...) {
    Select_First();
    throw;
  }
  Select_First();
  if (Load_State.Slaves_Left_Out > 0)
    MessageDlg(Lang_Str(Rule_Text_Rows_Not_Shown).arg(Load_State.Slaves_Left_Out).arg(QStringLiteral("DNET_Net")),
               mtInformation, mbOK);
}

void TFDefOffset::Load_Slave_DN()
{
  KCG_DN_Slaves->SetRowCount(1);
  std::vector<TDN_Slave_Row> rows;
  // The rows read before a failure are shown with their slaves.
  auto show = [&] {
    KCG_DN_Slaves->SetRowCount(int(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
      const int r = int(i) + 1;
      KCG_DN_Slaves->SetCells(0, r, rows[i].ID);
      KCG_DN_Slaves->SetCells(1, r, rows[i].NB_IN);
      KCG_DN_Slaves->SetCells(2, r, rows[i].NB_OUT);
      KCG_DN_Slaves->SetCells(3, r, rows[i].Mnemonic);
    }
  };
  try {
    Read_DN_Slave_List(WS().Name_File_DNETM_Net, List_Slaves_DN, rows, Load_State);
  } catch (...) {
    show();
    throw;
  }
  show();
}

void TFDefOffset::Load_Offset_Slave_DN()
{
  Read_DN_Offset_Map(WS().Name_File_DNETM_DefOff, List_Slaves_DN, Load_State);
}

void TFDefOffset::Select_First()
{
  if (List_Slaves_DN.empty()) {
    Update_Slave_DN();
    return;
  }
  KCG_DN_Slaves->SetRow(1);
  KCG_DN_SlavesClick(KCG_DN_Slaves);
}

void TFDefOffset::KCG_DN_SlavesClick(TObject*)
{
  Save_Data_ByteIN_ByteOUT();
  const int row = KCG_DN_Slaves->Row();
  if (row >= 1)
    KCG_DN_Slaves->SelectRows(row, 1);
  Slave_Before_Select = row - 1;
  Update_Slave_DN();
}

TSlave_DN* TFDefOffset::Selected_Slave()
{
  const int i = KCG_DN_Slaves->Row() - 1;
  return i >= 0 && i < int(List_Slaves_DN.size()) ? &List_Slaves_DN[size_t(i)] : nullptr;
}

void TFDefOffset::Update_Slave_DN()
{
  const TSlave_DN* s = List_Slaves_DN.empty() ? nullptr : Selected_Slave();
  if (!s) {
    KCG_ByteIN->SetRowCount(1);
    KCG_ByteOUT->SetRowCount(1);
    return;
  }
  Show_Bytes(KCG_ByteIN, s->SL_ByteIN, s->SL_ByteIN_M);
  Show_Bytes(KCG_ByteOUT, s->SL_ByteOUT, s->SL_ByteOUT_M);
}

bool TFDefOffset::Save_Data_ByteIN_ByteOUT()
{
  if (Slave_Before_Select < 0 || Slave_Before_Select >= int(List_Slaves_DN.size()))
    return true;
  TSlave_DN& s = List_Slaves_DN[size_t(Slave_Before_Select)];
  Store_Bytes(KCG_ByteIN, s.SL_ByteIN, s.SL_ByteIN_M);
  Store_Bytes(KCG_ByteOUT, s.SL_ByteOUT, s.SL_ByteOUT_M);
  return true;
}

void TFDefOffset::Reset_Array_Check()
{
  Reset_DN_Offset_Check(Check_Byte_Offset);
}

bool TFDefOffset::Check_Data()
{
  QString message;
  if (Check_DN_Output_Offsets(List_Slaves_DN, Check_Byte_Offset, message))
    return true;
  MessageDlg(message, mtError, mbOK);
  return false;
}

void TFDefOffset::Save_Offset_Slave_DN()
{
  Write_DN_Offset_Map(WS().Name_File_DNETM_DefOff, List_Slaves_DN);
}

void TFDefOffset::bitbtn1Click(TObject*)
{
  Save_Data_ByteIN_ByteOUT();
  if (!Check_Data())
    return;
  // The map of a slave list that was not read whole would lose the maps of the rest.
  if (Load_State.Partial() &&
      MessageDlg(Lang_Str(Rule_Text_Replace_Partial_File), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  // Raises when the file cannot be written: the window stays open with its edits.
  Save_Offset_Slave_DN();
  Load_State = TDN_Load_State{};
  SetModalResult(mrOk);
}
