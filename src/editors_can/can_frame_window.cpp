// The part the CAN receive and transmit frame windows share.

#include "editors_can/can_frame_window.h"

#include "editors_can/single_grid_editor.h"
#include "grid/column_grid.h"
#include "common/lang_table.h"

namespace {

bool In_Range(const QString& Text, qint64 Low, qint64 High)
{
  const qint64 v = Rule_Int(Text);
  return v >= Low && v <= High;
}

}  // namespace

bool CAN_Ticked(const QString& Cell)
{
  return Cell.trimmed().toUpper() == QLatin1String("Y");
}

TRuleFailure Check_CAN_Frame_Row(const TCAN_Frame_Check& C, int Max_Byte, TKvStringGrid* G, int Row)
{
  const QString cob = G->Cells(CAN_Cob_Col, Row);
  if (G->Cells(CAN_Type_Col, Row).trimmed() == QLatin1String("2.0A (11 bits)")) {
    if (!In_Range(cob, 0, 2047))
      return Rule_Failure(C.Cob_11_Text);
  } else if (!In_Range(cob, 0, 0x1FFFFFFF)) {
    return Rule_Failure(C.Cob_29_Text);
  }
  const int dim = Rule_Int(G->Cells(CAN_Dim_Col, Row));
  if (dim < 1 || dim > 8)
    return Rule_Failure(C.Dim_Text);
  if ((C.Time_If_Col < 0 || CAN_Ticked(G->Cells(C.Time_If_Col, Row))) &&
      !In_Range(G->Cells(C.Time_Col, Row), 0, 100000000))
    return Rule_Failure(C.Time_Text);
  for (int k = 1; k <= dim; ++k) {
    const QString pos = G->Cells(C.First_Byte_Col + k - 1, Row).trimmed();
    if (pos.isEmpty() || pos == QLatin1String("None"))
      continue;
    if (!In_Range(pos, 0, qint64(Max_Byte) - 1)) {
      TRuleFailure f = Rule_Failure(k == 1 ? C.Byte1_Text : C.Byte2_Text + k - 2, QString::number(Max_Byte - 1));
      // The limit ends in " or None", taken from the table when the message is built.
      f.Limit += Lang_Str(C.Or_None_Text);
      return f;
    }
  }
  return {};
}

QStringList CAN_Type_Items()
{
  return {QStringLiteral("2.0A (11 bits)"), QStringLiteral("2.0B (29 bits)")};
}

TRuleGrid CAN_Frame_Grid(int Error_Prefix, std::vector<TRuleColumn> Columns)
{
  TRuleGrid g;
  g.Rows = 512;
  g.Key_Col = CAN_Cob_Col;
  g.Enable_Col = 1;
  g.Error_Prefix = Error_Prefix;
  g.No_Row_Select_Click = true;
  g.Row_Enabled = [](TKvStringGrid* G, int Row) { return CAN_Ticked(G->Cells(1, Row)); };
  g.Columns = std::move(Columns);
  return g;
}

TCAN_Frame_Window::TCAN_Frame_Window(TRuleFile File, TRuleEditorTexts Texts, TCAN_Frame_Check Check, int Max_Byte,
                                     int ClientWidth, int ClientHeight, TComponent* AOwner)
    : TRuleEditorFrame(std::move(File), std::move(Texts), ClientWidth, ClientHeight, AOwner),
      FCheck(Check),
      FShow_Max_Byte(Max_Byte)
{
  Edit_Desc().Grids[0].Check_Row = [this](TKvStringGrid* G, int Row) { return Check_CAN_Frame_Row(FCheck, MAX_Byte, G, Row); };
}

TKvColumnGrid* TCAN_Frame_Window::Frame_Grid() const
{
  return static_cast<TKvColumnGrid*>(Grids[0]);
}

void TCAN_Frame_Window::Before_Load()
{
  MAX_Byte = FShow_Max_Byte;
  const QStringList items = Position_Items(MAX_Byte);
  for (int k = 0; k < 8; ++k)
    Set_Column_Items(Frame_Grid(), FCheck.First_Byte_Col + k, items);
}

void TCAN_Frame_Window::After_Load()
{
  if (Frame_Grid()->CanFocus())
    Frame_Grid()->SetFocus();
}
