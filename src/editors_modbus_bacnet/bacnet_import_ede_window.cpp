// The EDE import picker.

#include "editors_modbus_bacnet/bacnet_import_ede_window.h"

#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <functional>

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {

constexpr int Client_Width = 863;
constexpr int Client_Height = 337;
constexpr int Rows_Cleared = 512;

struct TPicker_Column {
  int Width;
  TEditorType Kind;
  bool Read_Only;
};
constexpr TPicker_Column Columns[TFImportEDEFile::Col_Count] = {
    {32, edNormal, true},        {50, edDataCheckBox, false}, {40, edDataCheckBox, false},
    {40, edDataCheckBox, false}, {150, edNormal, true},       {85, edNormal, true},
    {60, edNormal, true},        {150, edNormal, true},       {90, edDataCheckBox, true},
};

QString YN(bool b) { return b ? QStringLiteral("Y") : QStringLiteral("N"); }

}  // namespace

TFImportEDEFile::TFImportEDEFile(TComponent* AOwner) : TForm(AOwner)
{
  SetName(QStringLiteral("FImportEDEFile"));
  Apply_Shell_Look(this, Client_Width, Client_Height);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  P_ID_IP = Make_Plain_Panel(this, QStringLiteral("P_ID_IP"), 22, alTop);
  LID_IP = Make_Label(this, P_ID_IP, QStringLiteral("LID_IP"), 16, 3);
  E_ID_IP = new TEdit(this);
  E_ID_IP->SetName(QStringLiteral("E_ID_IP"));
  E_ID_IP->SetParent(P_ID_IP);
  E_ID_IP->SetBounds(250, 0, 135, 21);

  P_Button = Make_Button_Panel(this);
  const std::pair<TLbButton**, const char*> buttons[] = {
      {&Btn_OK, "Btn_OK"}, {&Btn_Cancel, "Btn_Cancel"}, {&Btn_Select_All, "Btn_Select_All"},
      {&Btn_Unselect_All, "Btn_Unselect_All"}};
  for (size_t i = 0; i < std::size(buttons); ++i) {
    *buttons[i].first = Make_Button(this, P_Button, QString::fromLatin1(buttons[i].second), 16 + int(i) * 118, 6, 110, 28);
    (*buttons[i].first)->SetShowHint(false);
  }
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_Select_All->OnClick = [this](TObject* s) { Btn_Select_AllClick(s); };
  Btn_Unselect_All->OnClick = [this](TObject* s) { Btn_Unselect_AllClick(s); };

  KCG = new TKvColumnGrid(this);
  KCG->SetName(QStringLiteral("KCG"));
  KCG->SetParent(this);
  KCG->SetAlign(alClient);
  KCG->SetColCount(Col_Count);
  KCG->SetRowCount(Rows_Cleared + 1);
  KCG->SetFixedRows(1);
  KCG->SetFixedCols(1);
  KCG->SetOptions(KCG->Options() | goEditing | goColSizing);
  KCG->SetShowHint(false);
  for (int c = 0; c < Col_Count; ++c) {
    TGridColumnItem* item = KCG->Columns()->Items(c);
    item->SetWidth(Columns[c].Width);
    item->SetEditor(Columns[c].Kind);
    item->SetReadOnly(Columns[c].Read_Only);
    if (Columns[c].Kind == edDataCheckBox)
      item->SetAlignment(taCenter);
  }
  KCG->OnCheckBoxClick = [this](TObject* s, int c, int r, bool state) { KCGCheckBoxClick(s, c, r, state); };

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

void TFImportEDEFile::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  SetClientWidth(Client_Width);
  SetClientHeight(Client_Height);
  Set_Lang();
  List_EDE_Var.clear();
}

void TFImportEDEFile::Set_Lang()
{
  SetCaption(Lang_Str(2300));
  L_SW_Desc->SetCaption(Lang_Str(2301));
  Btn_OK->SetCaption(Lang_Str(2302));
  Btn_Cancel->SetCaption(Lang_Str(2303));
  for (int c = 0; c < Col_Count; ++c) {
    KCG->Columns()->Items(c)->SetHeader(Lang_Str(2304 + c));
    KCG->SetCells(c, 0, Lang_Str(2304 + c));
  }
  LID_IP->SetCaption(Lang_Str(2315));
  Btn_Select_All->SetCaption(Lang_Str(2320));
  Btn_Unselect_All->SetCaption(Lang_Str(2321));
}

void TFImportEDEFile::FormShow(TObject*)
{
  if (KCG->RowCount() < Rows_Cleared + 1)
    KCG->SetRowCount(Rows_Cleared + 1);
  for (int r = 1; r <= Rows_Cleared; ++r) {
    KCG->SetCells(0, r, QString::number(r));
    for (int c = 1; c < Col_Count; ++c)
      KCG->SetCells(c, r, QString());
  }
  if (E_ID_IP->CanFocus())
    E_ID_IP->SetFocus();
  Cancel_EDE_List_Vars();
  Load_EDE_File();
  Show_Data_in_Grid();
}

void TFImportEDEFile::Cancel_EDE_List_Vars()
{
  List_EDE_Var.clear();
}

void TFImportEDEFile::Load_EDE_File()
{
  try {
    List_EDE_Var = ::Load_EDE_File(EDE_File);
  } catch (const Exception& e) {
    List_EDE_Var.clear();
    MessageDlg(e.Message(), mtError, mbOK);
  }
}

void TFImportEDEFile::Show_Data_in_Grid()
{
  const int n = int(List_EDE_Var.size());
  KCG->SetRowCount(n == 0 ? 2 : n + 1);
  for (int k = 0; k < n; ++k) {
    const TBACnet_Var& v = List_EDE_Var[size_t(k)];
    const int r = k + 1;
    // Every row is numbered, also past the rows the clearing step numbers.
    KCG->SetCells(0, r, QString::number(r));
    KCG->SetCells(Col_Import, r, YN(v.import));
    KCG->SetCells(Col_Read, r, YN(v.read));
    KCG->SetCells(Col_Write, r, YN(v.write));
    KCG->SetCells(4, r, v.object_name);
    KCG->SetCells(5, r, QString::number(v.object_type));
    KCG->SetCells(6, r, QString::number(v.object_instance));
    KCG->SetCells(7, r, v.description);
    KCG->SetCells(Col_Commandable, r, YN(v.commandable));
  }
}

void TFImportEDEFile::KCGCheckBoxClick(TObject*, int ACol, int ARow, bool State)
{
  if (ARow < 1 || ARow > int(List_EDE_Var.size()))
    return;
  TBACnet_Var& v = List_EDE_Var[size_t(ARow - 1)];
  if (ACol == Col_Write && !v.commandable) {
    MessageDlg(Lang_Str(2313) + QString::number(ARow) + Lang_Str(2314), mtError, mbOK);
    KCG->SetCells(Col_Write, ARow, YN(false));
    return;
  }
  if (ACol == Col_Import)
    v.import = State;
  else if (ACol == Col_Read)
    v.read = State;
  else if (ACol == Col_Write)
    v.write = State;
}

void TFImportEDEFile::Btn_Select_AllClick(TObject*)
{
  for (int r = 1; r < KCG->RowCount(); ++r) {
    KCG->SetCells(Col_Import, r, YN(true));
    if (r <= int(List_EDE_Var.size()))
      List_EDE_Var[size_t(r - 1)].import = true;
  }
}

void TFImportEDEFile::Btn_Unselect_AllClick(TObject*)
{
  for (int r = 1; r < KCG->RowCount(); ++r) {
    KCG->SetCells(Col_Import, r, YN(false));
    if (r <= int(List_EDE_Var.size()))
      List_EDE_Var[size_t(r - 1)].import = false;
  }
}

void TFImportEDEFile::Btn_OKClick(TObject*)
{
  const QString text = E_ID_IP->Text();
  if (App_BACnet_Type == 0) {
    uint8_t b1, b2, b3, b4;
    if (Get_IP_Bytes(text, b1, b2, b3, b4)) {
      MessageDlg(Lang_Str(2316), mtError, mbOK);
      return;
    }
  } else if (App_BACnet_Type == 1) {
    const int id = StrToIntDef(text, -1);
    if (id < 0 || id > 254) {
      MessageDlg(Lang_Str(2317), mtError, mbOK);
      return;
    }
  }
  SetModalResult(mrOk);
}
