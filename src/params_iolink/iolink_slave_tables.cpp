#include "params_iolink/iolink_slave_tables.h"

#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "common/common_routines.h"
#include "common/lang_table.h"

#include <limits>

namespace {

int Rows_Of(TKvStringGrid* G)
{
    return std::min(IOLink_Grid_Rows, G->RowCount() - 1);
}

bool Enabled(TKvStringGrid* G, int Row)
{
    return G->Cells(1, Row).trimmed().toUpper() == QLatin1String("Y");
}

bool Int_In(const QString& Text, int Low, int High)
{
    const int v = StrToIntDef(Text, -1);
    return v >= Low && v <= High;
}

bool Is_Int(const QString& Text)
{
    int v = 0;
    return TryStrToInt(Text, v);
}

QString Row_Error(int Row, int Text)
{
    return Lang_Str(1785) + QString::number(Row) + Lang_Str(Text);
}

// One process-data table; the enabled rows' Lengths are added to Total.
QString Check_Process_Data(TKvStringGrid* G, int FirstText, int UnitCodeText, qint64& Total)
{
    const QChar sep = Get_Decimal_Separator();
    for (int r = 1; r <= Rows_Of(G); ++r) {
        if (G->Cells(pd_Length, r).trimmed().isEmpty())
            break;
        if (!Enabled(G, r))
            continue;
        float f = 0;
        if (G->Cells(pd_Name, r).trimmed().isEmpty())
            return Row_Error(r, FirstText);
        if (!Int_In(G->Cells(pd_Length, r), 1, 256))
            return Row_Error(r, FirstText + 1);
        if (!Conv_Str_To_Float(G->Cells(pd_Gradient, r), sep, f))
            return Row_Error(r, FirstText + 2);
        if (!Is_Int(G->Cells(pd_Offset, r)))
            return Row_Error(r, FirstText + 3);
        if (!Int_In(G->Cells(pd_UnitCode, r), 1000, 65535))
            return Row_Error(r, UnitCodeText);
        Total += StrToIntDef(G->Cells(pd_Length, r), 0);
    }
    return QString();
}

}  // namespace

void Clear_IOLink_Grid(TKvStringGrid* G)
{
    const int cols = G->AllColCount();
    for (int r = 1; r <= Rows_Of(G); ++r) {
        G->SetCells(0, r, QString::number(r));
        G->SetCells(1, r, QStringLiteral("Y"));
        for (int c = 2; c < cols; ++c)
            G->SetCells(c, r, QString());
    }
}

void Compile_Pos_Bit(TKvStringGrid* G)
{
    qint64 sum = 0;
    for (int r = 1; r <= Rows_Of(G); ++r) {
        const QString length = G->Cells(pd_Length, r);
        if (length.isEmpty() || !Enabled(G, r))
            continue;
        G->SetCells(pd_Position, r, QString::number(sum / 8));
        G->SetCells(pd_StartBit, r, QString::number(sum % 8));
        sum += StrToIntDef(length, 0);
    }
}

void Fill_Length_Defaults(TKvStringGrid* G, int Row)
{
    if (G->Cells(pd_Gradient, Row).isEmpty())
        G->SetCells(pd_Gradient, Row, QStringLiteral("1"));
    if (G->Cells(pd_Offset, Row).isEmpty())
        G->SetCells(pd_Offset, Row, QStringLiteral("0"));
    if (G->Cells(pd_UnitCode, Row).isEmpty())
        G->SetCells(pd_UnitCode, Row, QStringLiteral("1000"));
}

QString Get_Var_Access(const QString& Text)
{
    if (Text == QLatin1String("Read Only") || Text == QLatin1String("Write Only") ||
        Text == QLatin1String("Read Write"))
        return Text;
    return QString();
}

QString Check_IOLink_Slave_Grids(TKvStringGrid* In, TKvStringGrid* Out, TKvStringGrid* Var, int Max_Byte_Read,
                                 int Max_Byte_Write)
{
    qint64 inBits = 0, outBits = 0;
    QString e = Check_Process_Data(In, 1786, 1809, inBits);
    if (e.isEmpty())
        e = Check_Process_Data(Out, 1790, 1810, outBits);
    if (!e.isEmpty())
        return e;
    const qint64 inBytes = (inBits + 7) / 8, outBytes = (outBits + 7) / 8;
    const QChar sep = Get_Decimal_Separator();
    auto position = [](const QString& text, qint64 low, int high) {
        const int v = StrToIntDef(text, -1);
        return v >= low && v <= high;
    };
    for (int r = 1; r <= Rows_Of(Var); ++r) {
        if (Var->Cells(var_Index, r).trimmed().isEmpty())
            break;
        if (!Enabled(Var, r))
            continue;
        float f = 0;
        if (!Int_In(Var->Cells(var_Index, r), 60, 65535))
            return Row_Error(r, 1794);
        if (Var->Cells(var_Name, r).trimmed().isEmpty())
            return Row_Error(r, 1795);
        if (Var->Cells(var_Access, r).trimmed().isEmpty())
            return Row_Error(r, 1796);
        if (!Int_In(Var->Cells(var_Length, r), 1, 256))
            return Row_Error(r, 1797);
        if (!Conv_Str_To_Float(Var->Cells(var_Gradient, r), sep, f))
            return Row_Error(r, 1798);
        if (!Is_Int(Var->Cells(var_Offset, r)))
            return Row_Error(r, 1799);
        if (!Int_In(Var->Cells(var_UnitCode, r), 1000, 65535))
            return Row_Error(r, 1811);
        if (!Is_Int(Var->Cells(var_DefaultValue, r)))
            return Row_Error(r, 1800);
        if (!position(Var->Cells(var_PositionRead, r), inBytes, Max_Byte_Read - 1))
            return Format(Lang_Str(1801), {r, int(std::min<qint64>(inBytes, std::numeric_limits<int>::max())),
                                           Max_Byte_Read - 1});
        if (Var->Cells(var_StartBitRead, r).trimmed().isEmpty())
            return Row_Error(r, 1802);
        if (!position(Var->Cells(var_PositionWrite, r), outBytes, Max_Byte_Write - 1))
            return Format(Lang_Str(1803), {r, int(std::min<qint64>(outBytes, std::numeric_limits<int>::max())),
                                           Max_Byte_Write - 1});
        if (Var->Cells(var_StartBitWrite, r).trimmed().isEmpty())
            return Row_Error(r, 1804);
    }
    return QString();
}

TIOLink_Slave_Data Get_IOLink_Slave_Data(TKvStringGrid* In, TKvStringGrid* Out, TKvStringGrid* Var)
{
    TIOLink_Slave_Data d;
    for (int r = 1; r <= Rows_Of(Var); ++r) {
        TIOLink_Slave_Variable v;
        for (int i = 0; i < IOLink_Slave_Variable_Attr_Count; ++i)
            v.Field(i) = Var->Cells(i + 1, r);
        d.Variables.push_back(v);
    }
    auto process = [](TKvStringGrid* G, std::vector<TIOLink_Slave_Process_Row>& rows) {
        for (int r = 1; r <= Rows_Of(G); ++r) {
            TIOLink_Slave_Process_Row p;
            for (int i = 0; i < IOLink_Slave_Process_Attr_Count; ++i)
                p.Field(i) = G->Cells(i + 1, r);
            rows.push_back(p);
        }
    };
    process(In, d.Process_Data_Input);
    process(Out, d.Process_Data_Output);
    return d;
}

void Put_IOLink_Slave_Data(const TIOLink_Slave_Data& Data, TKvStringGrid* In, TKvStringGrid* Out,
                           TKvStringGrid* Var)
{
    for (size_t n = 0; n < Data.Variables.size() && int(n) < Rows_Of(Var); ++n) {
        const TIOLink_Slave_Variable& v = Data.Variables[n];
        for (int i = 0; i < IOLink_Slave_Variable_Attr_Count; ++i)
            Var->SetCells(i + 1, int(n) + 1, i + 1 == var_Access ? Get_Var_Access(v.Field(i)) : v.Field(i));
    }
    auto process = [](const std::vector<TIOLink_Slave_Process_Row>& rows, TKvStringGrid* G) {
        for (size_t n = 0; n < rows.size() && int(n) < Rows_Of(G); ++n)
            for (int i = 0; i < IOLink_Slave_Process_Attr_Count; ++i)
                G->SetCells(i + 1, int(n) + 1, rows[n].Field(i));
    };
    process(Data.Process_Data_Input, In);
    process(Data.Process_Data_Output, Out);
}
