// The part the CANopen editors share.

#include "editors_can/canopen_window.h"

#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"

TRuleGrid CANopen_Grid(const char* Section, int Rows, int Error_Prefix, std::vector<TRuleColumn> Columns)
{
  TRuleGrid g;
  g.Section = {QString::fromLatin1(Section)};
  g.Rows = Rows;
  g.Key_Col = 1;
  g.Enable_Col = -1;
  g.Error_Prefix = Error_Prefix;
  g.Columns = std::move(Columns);
  return g;
}

TRuleFile CANopen_File(const char* Root, TRuleGrid First, TRuleGrid Second)
{
  TRuleFile f;
  f.Root = QString::fromLatin1(Root);
  f.Version = QStringLiteral("1.002");
  f.Grids = {std::move(First), std::move(Second)};
  return f;
}

TRuleEditorTexts CANopen_Texts(int Base, int First_Hints, int First_Count, int Second_Hints, int Second_Count,
                               int Delete_Question)
{
  TRuleEditorTexts t;
  t.Base = Base;
  for (int i = 0; i < 6; ++i) {
    t.Buttons[size_t(i)] = Base + 2 + i;
    t.Button_Hints[size_t(i)] = Base + 8 + i;
  }
  t.Pages = {Base + 14, Base + 15};
  t.Column_Hints.resize(2);
  for (int k = 0; k < First_Count; ++k)
    t.Column_Hints[0].push_back(First_Hints + k);
  for (int k = 0; k < Second_Count; ++k)
    t.Column_Hints[1].push_back(Second_Hints + k);
  t.Delete_Question = Delete_Question;
  return t;
}

TCANopen_Window::TCANopen_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                                 TComponent* AOwner)
    : TRuleEditorFrame(std::move(File), std::move(Texts), ClientWidth, ClientHeight, AOwner)
{
  sga = static_cast<TKvColumnGrid*>(Grids[0]);
  sgb = static_cast<TKvColumnGrid*>(Grids[1]);
  sga->SetName(QStringLiteral("sga"));
  sgb->SetName(QStringLiteral("sgb"));
  Btn_OK->OnClick = [this](TObject* s) { Btn_OK_Click(s); };
  Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRow_Click(s); };
}

void TCANopen_Window::Name_Pages(const QString& First_Page, const QString& Second_Page)
{
  Sheets[0]->SetName(First_Page);
  Sheets[1]->SetName(Second_Page);
}

void TCANopen_Window::Centre_Column(TKvColumnGrid* G, int Col)
{
  G->Columns()->Items(Col)->SetAlignment(taCenter);
}

void TCANopen_Window::Btn_OK_Click(TObject* Sender)
{
  Btn_OKClick(Sender);
}

void TCANopen_Window::Btn_DelRow_Click(TObject* Sender)
{
  Btn_DelRowClick(Sender);
}

void TCANopen_Window::Delete_Row(int Num_Row, TKvColumnGrid* SGA)
{
  const int last = SGA->RowCount() - 1;
  const int cols = SGA->ColCount();
  for (int r = Num_Row; r < last; ++r)
    for (int c = 1; c < cols; ++c)
      SGA->SetCells(c, r, SGA->Cells(c, r + 1));
  for (int c = 1; c < cols; ++c)
    SGA->SetCells(c, last, QString());
}

void TCANopen_Window::Delete_Rule_Row(int G, int Row)
{
  Delete_Row(Row, static_cast<TKvColumnGrid*>(Grids[size_t(G)]));
}

void TCANopen_Window::Before_Load()
{
  PageControl1->SetActivePage(Sheets[0]);
  PROFINET_NByte_IN = 1500;
  PROFINET_NByte_OUT = 1500;
}

void TCANopen_Window::Grid_Hint(int, int ARow, int ACol, QString& Hint)
{
  // The list of the active page, whichever grid asks.
  const QStringList& list = Hints[size_t(Active_Grid())];
  Hint = ARow == 0 && ACol >= 1 && ACol - 1 < list.size() ? list.at(ACol - 1) : QString();
}

TCANopen_SDO_Window::TCANopen_SDO_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                                         TComponent* AOwner)
    : TCANopen_Window(std::move(File), std::move(Texts), ClientWidth, ClientHeight, AOwner)
{
  TS_SDO_Read = Sheets[0];
  TS_SDO_Write = Sheets[1];
  Name_Pages(QStringLiteral("TS_SDO_Read"), QStringLiteral("TS_SDO_Write"));
}

void TCANopen_SDO_Window::Gather_SDO_Records(const TSDO_Cols& Cols)
{
  SDO_Records.clear();
  for (size_t g = 0; g < Grids.size(); ++g)
    Add_SDO_Records(Grids[g], Rule_Table_End(Desc().Grids[g], Grids[g]), Cols, SDO_Records);
}
