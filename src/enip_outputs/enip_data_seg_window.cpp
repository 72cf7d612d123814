#include "enip_outputs/enip_data_seg_window.h"

#include "enip_outputs/enip_window_frame.h"

#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/lb_button.h"

TFEtherNetIP_Data_Seg* FEtherNetIP_Data_Seg = nullptr;

namespace {

constexpr int Client_Width = 800;
constexpr int Client_Height = 337;
constexpr int Col_Count = 9;
constexpr int Col_Widths[Col_Count] = {45, 100, 60, 60, 200, 60, 60, 60, 60};
constexpr int First_Header_Text = 5506;

bool Is_Real(const TTC_ParamObj& m)
{
    return m.DataType == TC_Real_Single || m.DataType == TC_Real_Double;
}

// A typed real with either decimal mark; false when it is no number.
bool Typed_Real(const QString& Text, double& Value)
{
    return TryStrToFloat(Conv_Decimal_Sep(Text, Get_Decimal_Separator()), Value);
}

}  // namespace

TFEtherNetIP_Data_Seg::TFEtherNetIP_Data_Seg(TComponent* AOwner) : TForm(AOwner)
{
    TEnip_Frame::operator=(Make_Enip_Frame(this, Client_Width, Client_Height));
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    KSG_DataSeg = new TKvStringGrid(this);
    Place_Client_Grid(this, KSG_DataSeg, QStringLiteral("KSG_DataSeg"));
    KSG_DataSeg->SetOptions(KSG_DataSeg->Options() | goEditing | goRangeSelect | goColSizing);
    KSG_DataSeg->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) {
        KSG_DataSegGetEditorType(s, c, r, e);
    };
    KSG_DataSeg->OnComboChange = [this](TObject* s, int c, int r, int i, const QString& sel) {
        KSG_DataSegComboChange(s, c, r, i, sel);
    };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFEtherNetIP_Data_Seg::~TFEtherNetIP_Data_Seg()
{
    if (FEtherNetIP_Data_Seg == this)
        FEtherNetIP_Data_Seg = nullptr;
}

void TFEtherNetIP_Data_Seg::FormCreate(TObject*)
{
    Set_Lang();
    Init_Table();
}

void TFEtherNetIP_Data_Seg::Init_Table()
{
    KSG_DataSeg->SetColCount(Col_Count);
    KSG_DataSeg->SetRowCount(2);
    KSG_DataSeg->SetFixedRows(1);
    KSG_DataSeg->SetFixedCols(1);
    for (int c = 0; c < Col_Count; ++c) {
        KSG_DataSeg->SetCells(c, 0, Lang_Str(First_Header_Text + c));
        KSG_DataSeg->SetColWidths(c, Col_Widths[c]);
    }
    Two_Line_Header(KSG_DataSeg);
}

void TFEtherNetIP_Data_Seg::Set_Lang()
{
    SetCaption(Lang_Str(5500));
    L_SW_Desc->SetCaption(Lang_Str(5501));
    Btn_OK->SetCaption(Lang_Str(5502));
    Btn_Cancel->SetCaption(Lang_Str(5503));
    Btn_OK->SetHint(Lang_Str(5504));
    Btn_Cancel->SetHint(Lang_Str(5505));
    for (int c = 0; c < Col_Count && c < KSG_DataSeg->ColCount(); ++c)
        KSG_DataSeg->SetCells(c, 0, Lang_Str(First_Header_Text + c));
}

void TFEtherNetIP_Data_Seg::FormShow(TObject*)
{
    TKvStringGrid* g = KSG_DataSeg;
    // The grid takes edits; its EditMode flag says an edit is open and stays the grid's
    // own: set here with no editor open, it kept every key and click from opening one.
    g->SetOptions(g->Options() | goEditing);
    const int count = TC ? int(TC->ListParamObject.size()) : 0;
    if (count == 0) {
        g->SetRowCount(2);
        for (int c = 0; c < g->AllColCount(); ++c) {
            g->SetCells(c, 1, QString());
            g->SetReadOnly(c, 1, true);
        }
        g->SetColors(Value_Col, 1, clNone);
        return;
    }
    g->SetRowCount(count + 1);
    for (int k = 0; k < count; ++k) {
        const TTC_ParamObj& m = TC->ListParamObject[size_t(k)];
        const int r = k + 1;
        g->SetCells(0, r, QString::number(r));
        g->SetCells(1, r, m.Name);
        g->SetCells(2, r, QString::number(m.DataSizeByte));
        g->SetCells(3, r, QString::number(m.DataType));
        for (int c = 0; c <= 3; ++c)
            g->SetReadOnly(c, r, true);
        if (Is_Real(m)) {
            g->SetCells(4, r, FloatToStr(m.ValueReal));
            g->SetCells(5, r, FloatToStr(m.DefaultReal));
            g->SetCells(6, r, FloatToStr(m.MinReal));
            g->SetCells(7, r, FloatToStr(m.MaxReal));
        } else {
            g->SetCells(4, r, m.Enum ? m.GetEnumString() : QString::number(m.Value));
            g->SetCells(5, r, QString::number(m.Default));
            g->SetCells(6, r, QString::number(m.Min));
            g->SetCells(7, r, QString::number(m.Max));
        }
        g->SetReadOnly(Value_Col, r, m.Empty);
        g->SetColors(Value_Col, r, Value_Color);
        for (int c = 5; c <= 7; ++c)
            g->SetReadOnly(c, r, true);
        g->SetCells(Enum_Value_Col, r, m.Enum ? QString::number(m.Value) : QString());
        g->SetReadOnly(Enum_Value_Col, r, true);
    }
}

void TFEtherNetIP_Data_Seg::KSG_DataSegGetEditorType(TObject*, int ACol, int ARow, TEditorType& AEditor)
{
    if (KSG_DataSeg->RealColIndex(ACol) != Value_Col)
        return;
    KSG_DataSeg->ClearComboString();
    AEditor = edNormal;
    if (!TC || ARow < 1 || ARow > int(TC->ListParamObject.size()))
        return;
    const TTC_ParamObj& m = TC->ListParamObject[size_t(ARow - 1)];
    if (!m.Enum)
        return;
    AEditor = edComboList;
    for (const QString& s : m.EnumString)
        KSG_DataSeg->AddComboString(s);
}

void TFEtherNetIP_Data_Seg::KSG_DataSegComboChange(TObject*, int, int ARow, int, const QString& ASelection)
{
    if (!TC || ARow < 1 || ARow > int(TC->ListParamObject.size()))
        return;
    TTC_ParamObj& m = TC->ListParamObject[size_t(ARow - 1)];
    m.Value = m.SetValueFromEnum(ASelection);
    KSG_DataSeg->SetCells(Enum_Value_Col, ARow, QString::number(m.Value));
}

bool TFEtherNetIP_Data_Seg::Check_Value()
{
    if (!TC)
        return true;
    std::vector<TTC_ParamObj>& members = TC->ListParamObject;
    // A text that is no number fails outright: taking it as one below the minimum could
    // wrap a 64-bit minimum round, or vanish into a large real minimum.
    for (size_t k = 0; k < members.size(); ++k) {
        const TTC_ParamObj& m = members[k];
        if (m.Enum)
            continue;
        const int row = int(k) + 1;
        const QString text = KSG_DataSeg->Cells(Value_Col, row);
        if (Is_Real(m)) {
            double v = 0;
            if (!Typed_Real(text, v) || v < m.MinReal || v > m.MaxReal) {
                MessageDlg(Format(Lang_Str(5516), {row, m.MinReal, m.MaxReal}), mtError, mbOK);
                return false;
            }
        } else {
            qint64 v = 0;
            if (!TryStrToInt64(text, v) || v < m.Min || v > m.Max) {
                MessageDlg(Format(Lang_Str(5515), {row, static_cast<long long>(m.Min), static_cast<long long>(m.Max)}),
                           mtError, mbOK);
                return false;
            }
        }
    }
    for (size_t k = 0; k < members.size(); ++k) {
        TTC_ParamObj& m = members[k];
        if (m.Enum)
            continue;
        const QString text = KSG_DataSeg->Cells(Value_Col, int(k) + 1);
        if (Is_Real(m)) {
            double v = 0;
            m.ValueReal = Typed_Real(Trim(text), v) ? v : m.MinReal;
        } else {
            m.Value = StrToInt64Def(text, m.Min);
        }
    }
    return true;
}

void TFEtherNetIP_Data_Seg::Btn_OKClick(TObject*)
{
    if (Check_Value())
        SetModalResult(mrOk);
}

std::unique_ptr<TTargetConfig> TFEtherNetIP_Data_Seg::CopyTargetConf(const TTargetConfig& app)
{
    // Members and their entries are held by value, so the copy shares nothing.
    return std::make_unique<TTargetConfig>(app);
}
