// The row checks of the CANopen editors.

#include "editors_can/canopen_rule_check.h"

#include "grid/kv_string_grid.h"

namespace {

bool In_Range(TKvStringGrid* G, int Col, int Row, int Low, int High)
{
  const int v = Rule_Int(G->Cells(Col, Row));
  return v >= Low && v <= High;
}

// An SDO object holds 1, 2 or 4 bytes; 0 for any other size.
int SDO_Size(TKvStringGrid* G, int Col, int Row)
{
  const int n = Rule_Int(G->Cells(Col, Row));
  return n == 1 || n == 2 || n == 4 ? n : 0;
}

TRuleFailure Fail(int Text)
{
  return {Text, QString()};
}

qint64 Object_Key(TKvStringGrid* G, int Row, const TSDO_Cols& C)
{
  const qint64 node = C.Node >= 0 ? Rule_Int(G->Cells(C.Node, Row)) : 0;
  return node * 0x100000000LL + quint32(Rule_Int(G->Cells(C.Index, Row)));
}

bool Wide_Sub_Zero_Of_Record(TKvStringGrid* G, int Row, const TSDO_Cols& C, const TSDO_Records& Records)
{
  return Rule_Int(G->Cells(C.Sub, Row)) == 0 && SDO_Size(G, C.Size, Row) > 1 &&
         Records.contains(Object_Key(G, Row, C));
}

}  // namespace

TRuleFailure Check_Byte_Positions(TKvStringGrid* G, int Row, int First_Col, int Count, int Size, int Text_Base)
{
  for (int k = 1; k <= Count; ++k)
    if (!In_Range(G, First_Col + k - 1, Row, 0, Size - 1))
      return {Text_Base + k, QString::number(Size - 1)};
  return {};
}

TRuleFailure Check_PDO_Row(TKvStringGrid* G, int Row, bool Transmit, int Size)
{
  const int base = Transmit ? 2880 : 2869;
  if (!In_Range(G, 1, Row, 0, 0x7FF))
    return Fail(base);
  if (!In_Range(G, 2, Row, 1, 8))
    return Fail(base + 1);
  if (TRuleFailure f = Check_Byte_Positions(G, Row, 3, Rule_Int(G->Cells(2, Row)), Size, base + 1))
    return f;
  if (!In_Range(G, 11, Row, 0, Transmit ? 100000000 : 65535))
    return Fail(base + 10);
  return {};
}

void Add_SDO_Records(TKvStringGrid* G, int End, const TSDO_Cols& C, TSDO_Records& Records)
{
  for (int r = 1; r < End; ++r)
    if (In_Range(G, C.Sub, r, 1, 0xFF))
      Records.insert(Object_Key(G, r, C));
}

TRuleFailure Check_SDO_Server_Row(TKvStringGrid* G, int Row, bool Write, int Size, const TSDO_Records& Records)
{
  const int base = Write ? 3058 : 3051;
  if (!In_Range(G, 1, Row, 0x2000, 0x5FFF))
    return Fail(base);
  if (!In_Range(G, 2, Row, 0, 0xFF))
    return Fail(base + 1);
  const int n = SDO_Size(G, 3, Row);
  if (n == 0)
    return Fail(base + 2);
  if (Wide_Sub_Zero_Of_Record(G, Row, SDO_Server_Cols, Records))
    return Fail(Write ? 3067 : 3066);
  return Check_Byte_Positions(G, Row, 4, n, Size, base + 2);
}

TRuleFailure Check_SDO_Client_Row(TKvStringGrid* G, int Row, bool Write, int Size, const TSDO_Records& Records)
{
  const int base = Write ? 2970 : 2961;
  if (!In_Range(G, 1, Row, 1, 127))
    return Fail(base);
  if (!In_Range(G, 2, Row, 0x1000, 0xFFFF))
    return Fail(base + 1);
  if (!In_Range(G, 3, Row, 0, 0xFF))
    return Fail(base + 2);
  const int n = SDO_Size(G, 4, Row);
  if (n == 0)
    return Fail(base + 3);
  if (Wide_Sub_Zero_Of_Record(G, Row, SDO_Client_Cols, Records))
    return Fail(Write ? 2981 : 2980);
  if (!In_Range(G, 5, Row, Write ? 0 : 1, 100000000))
    return Fail(base + 4);
  return Check_Byte_Positions(G, Row, Write ? 7 : 6, n, Size, base + 4);
}
