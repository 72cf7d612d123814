// The rule checks of the J1939 and NMEA 2000 windows.

#include "editors_can/pgn_rules.h"

#include "editors_can/single_grid_editor.h"
#include "grid/column_grid.h"

namespace {

qint64 Cell_Int(TKvStringGrid* G, int Col, int Row)
{
  return Rule_Int(G->Cells(Col, Row));
}

bool Trimmed_Empty(TKvStringGrid* G, int Col, int Row)
{
  return G->Cells(Col, Row).trimmed().isEmpty();
}

// A window of N bytes from Start inside 0 .. Last: Start first, then N and the sum.
TRuleFailure Check_Window(qint64 Start, qint64 N, qint64 Last, int Start_Text, int Sum_Text)
{
  if (Start < 0 || Start > Last)
    return Rule_Failure(Start_Text);
  if (N < 0 || Start + N > Last)
    return Rule_Failure(Sum_Text);
  return {};
}

}  // namespace

bool PGN_Ticked(TKvStringGrid* G, int Col, int Row)
{
  return G->Cells(Col, Row) == QLatin1String("Y");
}

TRuleFailure TPGN_Byte_Total::Add(qint64 Count, int Limit, int Text)
{
  Sum += Count;
  if (Sum <= Limit)
    return {};
  TRuleFailure f = Rule_Failure(Text, QString::number(Limit));
  f.No_Row_Prefix = true;
  return f;
}

TRuleFailure Check_PGN_Receive_Bytes(const TPGN_Receive& C, TKvStringGrid* G, int Row, qint64& Count)
{
  const qint64 start = Cell_Int(G, C.Start_Col, Row);
  const qint64 n = Cell_Int(G, C.NByte_Col, Row);
  if (PGN_Ticked(G, C.TP_Col, Row)) {
    Count = n;
    return Check_Window(start, n, PGN_TP_Last_Byte, C.TP_Start_Text, C.TP_Sum_Text);
  }
  if (C.FP_Col >= 0 && PGN_Ticked(G, C.FP_Col, Row)) {
    Count = n;
    return Check_Window(start, n, PGN_FP_Last_Byte, C.FP_Start_Text, C.FP_Sum_Text);
  }
  // A single frame: both cells empty capture the whole frame.
  const bool noStart = Trimmed_Empty(G, C.Start_Col, Row);
  const bool noN = Trimmed_Empty(G, C.NByte_Col, Row);
  if (noStart && noN) {
    Count = PGN_Frame_Bytes;
    return {};
  }
  if (noStart || noN)
    return Rule_Failure(C.Both_Text);
  if (start < 1 || start > PGN_Frame_Bytes)
    return Rule_Failure(C.Single_Start_Text);
  if (n < 1 || n > PGN_Frame_Bytes)
    return Rule_Failure(C.Single_N_Text);
  if (start + n > PGN_Frame_Bytes)
    return Rule_Failure(C.Single_Sum_Text);
  Count = n;
  return {};
}

TRuleFailure Check_PGN_Receive_Row(const TPGN_Receive& C, TKvStringGrid* G, int Row, int Max_Bytes,
                                   TPGN_Byte_Total& Total)
{
  if (C.DP_Col >= 0 && G->Cells(C.DP_Col, Row).isEmpty())
    return Rule_Failure(C.DP_Text);
  if (!Cell_In_Range(G, C.PGN_Col, Row, 0, C.PGN_Max))
    return Rule_Failure(C.PGN_Text);
  if (!Cell_In_Range(G, C.SA_Col, Row, 0, 239))
    return Rule_Failure(C.SA_Text);
  qint64 count = 0;
  if (TRuleFailure f = Check_PGN_Receive_Bytes(C, G, Row, count))
    return f;
  return Total.Add(count, Max_Bytes, C.Total_Text);
}

TRuleFailure Check_PGN_Transmit_Row(const TPGN_Transmit& C, TKvStringGrid* G, int Row, int Max_Bytes,
                                    TPGN_Byte_Total& Total)
{
  if (!Cell_In_Range(G, C.Priority_Col, Row, 0, 7))
    return Rule_Failure(C.Priority_Text);
  if (C.DP_Col >= 0 && G->Cells(C.DP_Col, Row).isEmpty())
    return Rule_Failure(C.DP_Text);
  if (!Cell_In_Range(G, C.PGN_Col, Row, 0, 0x1FFFF))
    return Rule_Failure(C.PGN_Text);
  if (!Cell_In_Range(G, C.SA_Col, Row, 0, C.SA_Max))
    return Rule_Failure(C.SA_Text);
  if (!Cell_In_Range(G, C.NByte_Col, Row, 0, Max_Bytes))
    return Rule_Failure(C.NByte_Text, QString::number(Max_Bytes));
  if (TRuleFailure f = Total.Add(Cell_Int(G, C.NByte_Col, Row), Max_Bytes, C.Total_Text))
    return f;
  if (PGN_Ticked(G, C.On_Timer_Col, Row) && !Cell_In_Range(G, C.Timer_Col, Row, 1, 65535))
    return Rule_Failure(C.Timer_Text);
  return {};
}

TPGN_Window::TPGN_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                         TComponent* AOwner)
    : TRuleEditorFrame(std::move(File), std::move(Texts), ClientWidth, ClientHeight, AOwner)
{
  sga = static_cast<TKvColumnGrid*>(Grids[0]);
  sga->SetName(QStringLiteral("sga"));
  Edit_Desc().Start_Check = [this] { Total = {}; };
}
