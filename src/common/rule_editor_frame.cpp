// The rule editor window shared by the protocol editors.

#include "common/rule_editor_frame.h"

#include "grid/column_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/grid_columns.h"
#include "common/grid_row_commands.h"
#include "common/lang_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <functional>

namespace {

const char* const Button_Captions[6] = {"OK", "Cancel", "Delete Row", "Insert Row", "Copy Row", "Paste Row"};

}  // namespace

TRuleEditorFrame::TRuleEditorFrame(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                                   TComponent* AOwner)
    : TForm(AOwner), FFile(std::move(File)), FTexts(std::move(Texts))
{
  Apply_Shell_Look(this, ClientWidth, ClientHeight);
  const TTitlePanel title = Make_Title_Panel(this);
  P_Title = title.P_Title;
  L_SW_Code = title.L_SW_Code;
  L_SW_Desc = title.L_SW_Desc;

  P_Button = Make_Button_Panel(this);
  TLbButton** buttons[6] = {&Btn_OK, &Btn_Cancel, &Btn_DelRow, &Btn_InsRow, &Btn_CopyRow, &Btn_PasteRow};
  const std::array<TLbButton*, 6> made = Make_Table_Buttons(this, P_Button);
  for (int i = 0; i < 6; ++i) {
    *buttons[i] = made[size_t(i)];
    (*buttons[i])->SetCaption(QString::fromLatin1(Button_Captions[i]));
    (*buttons[i])->SetShowHint(false);
  }
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
  Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
  Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
  Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };

  TWinControl* gridParent = this;
  if (!FTexts.Pages.empty()) {
    PageControl1 = new TPageControl(this);
    PageControl1->SetName(QStringLiteral("PageControl1"));
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
  }
  const int n = int(FFile.Grids.size());
  Hints.resize(size_t(n));
  Do_Copy.assign(size_t(n), false);
  for (int g = 0; g < n; ++g) {
    const TRuleGrid& D = FFile.Grids[size_t(g)];
    if (PageControl1) {
      auto* sheet = new TTabSheet(this);
      sheet->SetPageControl(PageControl1);
      Sheets.push_back(sheet);
      gridParent = sheet;
    }
    TKvStringGrid* grid = D.Check_Boxes ? new TKvStringGrid(this) : new TKvColumnGrid(this);
    grid->SetParent(gridParent);
    grid->SetAlign(alClient);
    grid->SetOptions(grid->Options() | goEditing);
    grid->SetShowHint(false);
    Setup_Rule_Grid(D, grid);
    Grids.push_back(grid);
    Apply_Grid_Event_Handlers(g);
  }
  if (PageControl1 && !Sheets.empty())
    PageControl1->SetActivePage(Sheets.front());

  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TRuleEditorFrame::~TRuleEditorFrame() = default;

void TRuleEditorFrame::Apply_Grid_Event_Handlers(int G)
{
  TKvStringGrid* grid = Grids[size_t(G)];
  grid->OnKeyPress = [this](TObject* s, QChar& k) { GridKeyPress(s, k); };
  grid->OnGridHint = [this](TObject* s, int r, int c, QString& h) { GridHint(s, r, c, h); };
  if (!FFile.Grids[size_t(G)].No_Row_Select_Click)
    grid->OnClickCell = [this](TObject* s, int r, int c) { ClickCell(s, r, c); };
  grid->OnDblClickCell = [this](TObject* s, int r, int c) { DblClickCell(s, r, c); };
  grid->OnCheckBoxClick = [this](TObject* s, int c, int r, bool state) { CheckBoxClick(s, c, r, state); };
  grid->OnComboChange = [this](TObject* s, int c, int r, int i, const QString& t) {
    Combo_Change(Grid_Index(s), c, r, i, t);
  };
}

int TRuleEditorFrame::Grid_Index(TObject* Sender) const
{
  for (size_t g = 0; g < Grids.size(); ++g)
    if (Grids[g] == Sender)
      return int(g);
  return -1;
}

int TRuleEditorFrame::Active_Grid() const
{
  if (!PageControl1)
    return 0;
  const int i = PageControl1->ActivePageIndex();
  return i >= 0 && i < int(Grids.size()) ? i : 0;
}

void TRuleEditorFrame::FormCreate(TObject*)
{
  L_SW_Code->SetCaption(WS().SW_Code);
  for (QStringList& h : Hints)
    h.clear();
  Set_Lang();
}

void TRuleEditorFrame::Set_Lang()
{
  SetCaption(Lang_Str(FTexts.Base));
  L_SW_Desc->SetCaption(Lang_Str(FTexts.Base + 1));
  TLbButton* buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
  for (int i = 0; i < 6; ++i) {
    if (FTexts.Buttons[size_t(i)] >= 0)
      buttons[i]->SetCaption(Lang_Str(FTexts.Buttons[size_t(i)]));
    if (FTexts.Button_Hints[size_t(i)] >= 0)
      buttons[i]->SetHint(Lang_Str(FTexts.Button_Hints[size_t(i)]));
  }
  for (size_t g = 0; g < Sheets.size() && g < FTexts.Pages.size(); ++g)
    Sheets[g]->SetCaption(Lang_Str(FTexts.Pages[g]));
  for (size_t g = 0; g < Grids.size(); ++g) {
    const TRuleGrid& D = FFile.Grids[g];
    auto* cg = dynamic_cast<TKvColumnGrid*>(Grids[g]);
    for (int c = 0; c < D.Col_Count(); ++c) {
      const int h = D.Columns[size_t(c)].Header;
      if (h < 0)
        continue;
      if (cg)
        cg->Columns()->Items(c)->SetHeader(Lang_Str(h));
      // The column item writes its header cell only below ColCount, which counts the
      // displayed columns: with a hidden column before it the last header stays blank.
      if (Grids[g]->Cells(c, 0) != Lang_Str(h))
        Grids[g]->SetCells(c, 0, Lang_Str(h));
    }
    Hints[g].clear();
    if (g < FTexts.Column_Hints.size())
      for (int k : FTexts.Column_Hints[g])
        Hints[g] << Lang_Str(k);
  }
  Set_Lang_Own();
}

void TRuleEditorFrame::FormShow(TObject*)
{
  Before_Clear();
  for (size_t g = 0; g < Grids.size(); ++g) {
    const TRuleGrid& D = FFile.Grids[g];
    if (Grids[g]->RowCount() != D.Rows + 1)
      Grids[g]->SetRowCount(D.Rows + 1);
    Clear_Rule_Grid(D, Grids[g]);
  }
  Before_Load();
  // A failure leaves through the show's failure report; the rows read so far stay, the
  // partial load is remembered and the copy flags keep their state.
  try {
    Load_Rule_File(FFile, Grids, Project_File(), Load_State);
  } catch (...) {
    After_Load();
    throw;
  }
  After_Load();
  Show_Rows_Left_Out();
  Do_Copy.assign(Grids.size(), false);
}

void TRuleEditorFrame::Show_Rows_Left_Out()
{
  if (Load_State.Rows_Left_Out.empty())
    return;
  QStringList lines;
  for (const auto& [section, count] : Load_State.Rows_Left_Out)
    lines << Lang_Str(Rule_Text_Rows_Not_Shown).arg(count).arg(section);
  MessageDlg(lines.join(u'\n'), mtInformation, mbOK);
}

bool TRuleEditorFrame::Controllo_dati()
{
  return Check_Rule_Grids(FFile, Grids);
}

void TRuleEditorFrame::Btn_OKClick(TObject*)
{
  if (!Controllo_dati())
    return;
  if (Load_State.Partial() &&
      MessageDlg(Lang_Str(Rule_Text_Replace_Partial_File), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  bool dataAfterEnd = false;
  for (size_t g = 0; g < Grids.size() && !dataAfterEnd; ++g)
    dataAfterEnd = Rule_Data_After_End(FFile.Grids[g], Grids[g]);
  if (dataAfterEnd && MessageDlg(Lang_Str(Rule_Text_Rows_After_End), mtConfirmation, mbYes | mbNo) != mrYes)
    return;
  // Raises when the file cannot be written: the window stays open with its edits.
  Save_Rule_File(FFile, Grids, Project_File());
  Load_State = TRuleLoadState{};
  SetModalResult(mrOk);
}

bool TRuleEditorFrame::Current_Row(int& G, TKvStringGrid*& Grid, int& Row) const
{
  G = Active_Grid();
  Grid = Grids[size_t(G)];
  Row = Grid->Row();
  return Row >= 1;
}

void TRuleEditorFrame::Btn_DelRowClick(TObject*)
{
  int g = 0, r = 0;
  TKvStringGrid* grid = nullptr;
  if (!Current_Row(g, grid, r))
    return;
  const QString question = FTexts.Delete_Question_Format ? Format(Lang_Str(FTexts.Delete_Question), {r})
                                                         : Lang_Str(FTexts.Delete_Question) + QString::number(r);
  const bool yes = MessageDlg(question, mtConfirmation, mbYes | mbNo) == mrYes;
  if (yes)
    Delete_Rule_Row(g, r);
  After_Delete_Question(g, r, yes);
}

void TRuleEditorFrame::Delete_Rule_Row(int G, int Row)
{
  TKvStringGrid* grid = Grids[size_t(G)];
  if (FFile.Grids[size_t(G)].Check_Boxes)
    Grid_Delete_Row_Check(Row, grid, false);
  else
    Grid_Delete_Row(Row, static_cast<TKvColumnGrid*>(grid));
}

void TRuleEditorFrame::Btn_InsRowClick(TObject*)
{
  int g = 0, r = 0;
  TKvStringGrid* grid = nullptr;
  if (!Current_Row(g, grid, r))
    return;
  const TRuleGrid& D = FFile.Grids[size_t(g)];
  const bool setEnable = D.Enable_Col >= 0;
  if (D.Check_Boxes)
    Grid_Insert_Row_Check(r, grid, setEnable);
  else
    Grid_Insert_Row(r, static_cast<TKvColumnGrid*>(grid), setEnable);
}

void TRuleEditorFrame::Btn_CopyRowClick(TObject*)
{
  int g = 0, r = 0;
  TKvStringGrid* grid = nullptr;
  if (!Current_Row(g, grid, r))
    return;
  if (FFile.Grids[size_t(g)].Check_Boxes)
    Grid_Copy_Row_Check(grid, r);
  else
    Grid_Copy_Row(static_cast<TKvColumnGrid*>(grid), r);
  Do_Copy.assign(Grids.size(), false);
  Do_Copy[size_t(g)] = true;
}

void TRuleEditorFrame::Btn_PasteRowClick(TObject*)
{
  int g = 0, r = 0;
  TKvStringGrid* grid = nullptr;
  if (!Current_Row(g, grid, r))
    return;
  if (FFile.Grids[size_t(g)].Check_Boxes)
    Grid_Paste_Row_Check(grid, r, Do_Copy[size_t(g)]);
  else
    Grid_Paste_Row(static_cast<TKvColumnGrid*>(grid), r, Do_Copy[size_t(g)]);
  After_Paste_Row(g, r);
}

void TRuleEditorFrame::ClickCell(TObject* Sender, int ARow, int ACol)
{
  const int g = Grid_Index(Sender);
  if (g >= 0 && ACol == 0 && ARow >= 1 && !FFile.Grids[size_t(g)].No_Row_Select_Click)
    Grids[size_t(g)]->SelectRows(ARow, 1);
}

void TRuleEditorFrame::DblClickCell(TObject* Sender, int ARow, int ACol)
{
  const int g = Grid_Index(Sender);
  const bool sizeFirst = FFile.Auto_Size_Before_Dbl_Click;
  if (sizeFirst)
    Grid_DblClick_AutoSize(Sender, ARow, ACol);
  if (g >= 0)
    Cell_Dbl_Click(g, ARow, ACol);
  if (!sizeFirst)
    Grid_DblClick_AutoSize(Sender, ARow, ACol);
}

void TRuleEditorFrame::GridKeyPress(TObject* Sender, QChar& Key)
{
  Grid_Jump_Next_Cell(Sender, Key);
}

void TRuleEditorFrame::GridHint(TObject* Sender, int ARow, int ACol, QString& Hint)
{
  const int g = Grid_Index(Sender);
  if (g >= 0)
    Grid_Hint(g, ARow, ACol, Hint);
}

void TRuleEditorFrame::Grid_Hint(int G, int ARow, int ACol, QString& Hint)
{
  const QStringList& list = Hints[size_t(G)];
  if (FTexts.Header_Hints_Only) {
    const int entry = Grids[size_t(G)]->RealColIndex(ACol) - 1;
    Hint = ARow == 0 && ACol >= 1 && entry < list.size() ? list.at(entry) : QString();
    return;
  }
  if (ARow == 0 && ACol >= 1 && ACol - 1 < list.size())
    Hint = list.at(ACol - 1);
}

void TRuleEditorFrame::Combo_Change(int, int, int, int, const QString&) {}

void TRuleEditorFrame::After_Paste_Row(int, int) {}

void TRuleEditorFrame::CheckBoxClick(TObject* Sender, int ACol, int ARow, bool State)
{
  const int g = Grid_Index(Sender);
  if (g >= 0)
    Check_Box_Click(g, ACol, ARow, State);
}
