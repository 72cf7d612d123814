#include "enip_outputs/enip_master_window.h"

#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_eds_window.h"
#include "enip_outputs/enip_window_frame.h"

#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/common_routines.h"
#include "common/grid_row_commands.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/window_look.h"
#include "common/working_state.h"

TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access = nullptr;

namespace {

constexpr int Client_Width = 1180;
constexpr int Client_Height = 337;
constexpr int Rows = TFEtherNetIP_Master_Access::Rule_Rows;

struct TColumn_Def {
    int Header;  // text index
    int Width;
    TEditorType Editor;
};

constexpr TColumn_Def Columns[TFEtherNetIP_Master_Access::Col_Count] = {
    {5314, 40, edNormal},        {5315, 50, edDataCheckBox}, {5316, 110, edNormal}, {5317, 70, edNormal},
    {5318, 70, edNormal},        {5319, 85, edNormal},       {5320, 85, edNormal},  {5321, 70, edNormal},
    {5341, 90, edNormal},        {5347, 105, edNormal},      {5342, 95, edNormal},  {5348, 105, edNormal},
    {5353, 120, edComboEdit},    {5354, 110, edComboEdit},   {5361, 45, edDataCheckBox}, {5362, 100, edNormal},
    {5365, 45, edDataCheckBox},  {5366, 100, edNormal},      {5375, 80, edDataCheckBox}, {5322, 95, edNormal},
};

// The header hints of columns 1 to 19.
constexpr int Hint_Texts[] = {5323, 5324, 5325, 5326, 5327, 5328, 5329, 5343, 5349, 5344,
                              5350, 5355, 5356, 5363, 5364, 5367, 5368, 5376, 5330};

// The grid columns the picker's columns 3 to 8 go to.
constexpr int Import_Targets[6] = {10, 11, 8, 9, 13, 12};

constexpr int Max_Data_Segment_Bytes = 510;
constexpr int Electronic_Key_Bytes = 8;

// Walks comma-separated byte items: each the text before the next comma, trimmed; the
// rest after the comma is walked even when empty, so two commas in a row or a trailing
// comma give an item that is no number. Count receives the number of items walked.
// False at the first item that Convert refuses.
template <class TConvert>
bool Walk_Byte_Items(const QString& Text, int& Count, TConvert Convert)
{
    Count = 0;
    int from = 0;
    while (true) {
        const int comma = Text.indexOf(QLatin1Char(','), from);
        const QString item = Trim(Text.mid(from, comma < 0 ? -1 : comma - from));
        if (!Convert(item))
            return false;
        ++Count;
        if (comma < 0)
            return true;
        from = comma + 1;
    }
}

bool Is_Byte(const QString& Item)
{
    const int v = StrToIntDef(Item, -1);
    return v >= 0 && v <= 255;
}

bool In_Range(const QString& Text, int64_t Min, int64_t Max)
{
    const int64_t v = StrToInt64Def(Text, Min - 1);
    return v >= Min && v <= Max;
}

}  // namespace

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(TComponent* AOwner) : TForm(AOwner)
{
    TEnip_Frame::operator=(Make_Enip_Frame(this, Client_Width, Client_Height));
    // The row commands and the import, left to right from the button panel's left end.
    const std::pair<TLbButton**, void (TFEtherNetIP_Master_Access::*)(TObject*)> commands[] = {
        {&Btn_DelRow, &TFEtherNetIP_Master_Access::Btn_DelRowClick},
        {&Btn_InsRow, &TFEtherNetIP_Master_Access::Btn_InsRowClick},
        {&Btn_CopyRow, &TFEtherNetIP_Master_Access::Btn_CopyRowClick},
        {&Btn_PasteRow, &TFEtherNetIP_Master_Access::Btn_PasteRowClick},
        {&Btn_Import_EDS, &TFEtherNetIP_Master_Access::Btn_Import_EDSClick},
    };
    const QString names[] = {QStringLiteral("Btn_DelRow"), QStringLiteral("Btn_InsRow"), QStringLiteral("Btn_CopyRow"),
                             QStringLiteral("Btn_PasteRow"), QStringLiteral("Btn_Import_EDS")};
    for (size_t i = 0; i < std::size(commands); ++i) {
        TLbButton** const button = commands[i].first;
        const auto handler = commands[i].second;
        *button = Make_Button(this, P_Button, names[i], 16 + int(i) * 118, 6, 110, 28);
        (*button)->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    }
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };

    KCG = new TKvColumnGrid(this);
    Place_Client_Grid(this, KCG, QStringLiteral("KCG"));
    KCG->SetColCount(Col_Count);
    KCG->SetFixedRows(1);
    KCG->SetFixedCols(1);
    KCG->SetOptions(KCG->Options() | goEditing | goRangeSelect | goColSizing);
    KCG->SetShowHint(true);
    for (int c = 0; c < Col_Count; ++c) {
        TGridColumnItem* item = KCG->Columns()->Items(c);
        item->SetWidth(Columns[c].Width);
        item->SetEditor(Columns[c].Editor);
        if (Columns[c].Editor == edComboEdit)
            item->ComboItems()->Add(QStringLiteral("Default"));
        if (Columns[c].Editor == edDataCheckBox)
            item->SetAlignment(taCenter);
    }
    Two_Line_Header(KCG);
    KCG->OnGridHint = [this](TObject* s, int r, int c, QString& h) { GridHint(s, r, c, h); };
    KCG->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    KCG->OnDblClickCell = [this](TObject* s, int r, int c) { DblClickCell(s, r, c); };

    OD_EDS = new TOpenDialog(this);
    OD_EDS->Filter = QStringLiteral("EtherNet/IP EDS (*.eds)|*.eds");

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TFEtherNetIP_Master_Access::~TFEtherNetIP_Master_Access()
{
    if (FEtherNetIP_Master_Access == this)
        FEtherNetIP_Master_Access = nullptr;
}

void TFEtherNetIP_Master_Access::FormCreate(TObject*)
{
    KCG->SetRowCount(Rows + 1);
    for (auto& slot : ArrTargetConf)
        slot.reset();
    Set_Lang();
}

void TFEtherNetIP_Master_Access::Set_Lang()
{
    SetCaption(Lang_Str(5300));
    L_SW_Desc->SetCaption(Lang_Str(5301));
    const std::pair<TLbButton*, int> buttons[] = {{Btn_OK, 5302},     {Btn_Cancel, 5303},   {Btn_DelRow, 5304},
                                                  {Btn_InsRow, 5305}, {Btn_CopyRow, 5306},  {Btn_PasteRow, 5307}};
    for (const auto& [b, text] : buttons) {
        b->SetCaption(Lang_Str(text));
        b->SetHint(Lang_Str(text + 6));
    }
    Btn_Import_EDS->SetCaption(Lang_Str(5359));
    Btn_Import_EDS->SetHint(Lang_Str(5360));
    for (int c = 0; c < Col_Count; ++c)
        KCG->Columns()->Items(c)->SetHeader(Lang_Str(Columns[c].Header));
    Hint_List.clear();
    for (const int text : Hint_Texts)
        Hint_List << Lang_Str(text);
}

void TFEtherNetIP_Master_Access::FormShow(TObject*)
{
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 0; c < KCG->AllColCount(); ++c) {
            if (c == 0)
                KCG->SetCells(c, r, QString::number(r));
            else
                KCG->SetCells(c, r, c == 1 ? QStringLiteral("Y") : QString());
        }
    }
    for (auto& slot : ArrTargetConf)
        slot.reset();
    Copied_Conf.reset();
    Copied_Row.clear();
    Num_Byte_In = 1438;
    Num_Byte_Out = 1438;
    Load_Rules();
    Do_Copy = false;
}

void TFEtherNetIP_Master_Access::Load_Rules()
{
    const QString& path = WS().Name_File_EtherNetIP_Master_Rules;
    if (!FileExists(path))
        return;
    TEtherNetIP_Master_Rules rules;
    try {
        rules = Read_EtherNetIP_Master_Rules(path, Rows);
    } catch (const Exception& e) {
        // The parser's text names the file; the window opens with the cleared rules.
        MessageDlg(e.Message(), mtError, mbOK);
        return;
    }
    for (size_t i = 0; i < rules.Rows.size(); ++i) {
        TEtherNetIP_Master_Row& rule = rules.Rows[i];
        const int r = int(i) + 1;
        for (int a = 0; a < EtherNetIP_Master_Attr_Count; ++a)
            KCG->SetCells(a + 1, r, rule.Field(a));
        if (rule.TargetCong)
            ArrTargetConf[i] = std::make_unique<TTargetConfig>(std::move(*rule.TargetCong));
    }
    if (rules.Rows_Left_Out > 0)
        MessageDlg(QStringLiteral("The EtherNet/IP scanner takes %1 connections; %2 further rules of %3 were left out.")
                       .arg(Rows)
                       .arg(rules.Rows_Left_Out)
                       .arg(path),
                   mtWarning, mbOK);
}

bool TFEtherNetIP_Master_Access::Rule_Error(int Row, int Text)
{
    MessageDlg(Lang_Str(5331) + QString::number(Row) + Lang_Str(Text), mtError, mbOK);
    return false;
}

bool TFEtherNetIP_Master_Access::Controllo_dati()
{
    int64_t totalIn = 0;
    int64_t totalOut = 0;
    for (int r = 1; r <= Rows; ++r) {
        auto cell = [&](int c) { return KCG->Cells(c, r); };
        if (cell(1).toUpper() != QLatin1String("Y"))
            continue;
        if (Trim(cell(2)).isEmpty())
            break;
        QString a, b, c, d;
        if (!Split_IP_Address(cell(2), a, b, c, d))
            return Rule_Error(r, 5332);
        for (const auto& [col, text] : {std::pair{3, 5333}, {4, 5334}, {5, 5335}, {6, 5336}})
            if (!In_Range(cell(col), 0, 65535))
                return Rule_Error(r, text);
        if (!In_Range(cell(7), 1, 100000000))
            return Rule_Error(r, 5337);
        for (const auto& [col, text] : {std::pair{8, 5345}, {9, 5351}, {10, 5346}, {11, 5352}})
            if (!In_Range(cell(col), 0, 65535))
                return Rule_Error(r, text);
        for (const auto& [col, text] : {std::pair{12, 5357}, {13, 5358}})
            if (Trim(cell(col)).toUpper() != QLatin1String("DEFAULT") && !In_Range(cell(col), 0, 7))
                return Rule_Error(r, text);
        if (cell(14).toUpper() == QLatin1String("Y")) {
            const QString key = Trim(cell(15));
            if (key.isEmpty())
                return Rule_Error(r, 5371);
            const int res = CheckBytesElectronicKey(key);
            if (res == 1)
                return Rule_Error(r, 5369);
            if (res == 2)
                return Rule_Error(r, 5370);
        }
        totalIn += StrToInt64Def(cell(4), 0);
        totalOut += StrToInt64Def(cell(6), 0);
        if (cell(16).toUpper() == QLatin1String("Y")) {
            const QString segment = Trim(cell(17));
            if (segment.isEmpty())
                return Rule_Error(r, 5374);
            const int res = CheckBytesDataSegment(segment);
            if (res == 1)
                return Rule_Error(r, 5372);
            if (res == 2)
                return Rule_Error(r, 5373);
        }
    }
    if (totalIn > Num_Byte_In) {
        MessageDlg(Lang_Str(5338) + QString::number(Num_Byte_In), mtError, mbOK);
        return false;
    }
    if (totalOut > Num_Byte_Out) {
        MessageDlg(Lang_Str(5339) + QString::number(Num_Byte_Out), mtError, mbOK);
        return false;
    }
    return true;
}

int TFEtherNetIP_Master_Access::CheckBytesElectronicKey(const QString& listBytes)
{
    int count = 0;
    if (!Walk_Byte_Items(listBytes, count, Is_Byte))
        return 1;
    return count == Electronic_Key_Bytes ? 255 : 2;
}

int TFEtherNetIP_Master_Access::CheckBytesDataSegment(const QString& listBytes)
{
    int count = 0;
    if (!Walk_Byte_Items(listBytes, count, Is_Byte))
        return 1;
    return count > Max_Data_Segment_Bytes ? 2 : 255;
}

int TFEtherNetIP_Master_Access::Err_Check_Data_Path(const QString& Data_Path, int Num_DP)
{
    int count = 0;
    const bool bytes = Walk_Byte_Items(Data_Path, count, [](const QString& item) {
        const int v = StrToIntDef(QStringLiteral("0x") + item, -1);
        return v >= 0 && v <= 255;
    });
    if (!bytes)
        return 1;
    return count < Num_DP ? 2 : 0;
}

std::vector<TEtherNetIP_Master_Row> TFEtherNetIP_Master_Access::Grid_Rules() const
{
    std::vector<TEtherNetIP_Master_Row> rules(Rows);
    for (int r = 1; r <= Rows; ++r) {
        TEtherNetIP_Master_Row& rule = rules[size_t(r - 1)];
        for (int a = 0; a < EtherNetIP_Master_Attr_Count; ++a)
            rule.Field(a) = KCG->Cells(a + 1, r);
        rule.Present = (1u << EtherNetIP_Master_Attr_Count) - 1;
        if (const auto& slot = ArrTargetConf[size_t(r - 1)])
            rule.TargetCong = *slot;
    }
    return rules;
}

void TFEtherNetIP_Master_Access::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    Write_EtherNetIP_Master_Rules(WS().Name_File_EtherNetIP_Master_Rules, Grid_Rules());
    for (auto& slot : ArrTargetConf)
        slot.reset();
    SetModalResult(mrOk);
}

void TFEtherNetIP_Master_Access::Btn_DelRowClick(TObject*)
{
    const int r = KCG->Row();
    if (r < 1 || r > Rows)
        return;
    if (MessageDlg(Lang_Str(5340) + QString::number(r), mtConfirmation, mbYes | mbNo) != mrYes)
        return;
    for (int k = r; k < Rows; ++k)
        ArrTargetConf[size_t(k - 1)] = std::move(ArrTargetConf[size_t(k)]);
    ArrTargetConf[Rows - 1].reset();
    Grid_Delete_Row(r, KCG);
}

void TFEtherNetIP_Master_Access::Btn_InsRowClick(TObject*)
{
    const int r = KCG->Row();
    if (r < 1 || r > Rows)
        return;
    // A full table refuses the insert; the slots move only with the rows.
    if (!Grid_Insert_Row(r, KCG, true))
        return;
    for (int k = Rows - 1; k >= r; --k)
        ArrTargetConf[size_t(k)] = std::move(ArrTargetConf[size_t(k - 1)]);
    ArrTargetConf[size_t(r - 1)].reset();
}

void TFEtherNetIP_Master_Access::Btn_CopyRowClick(TObject*)
{
    const int r = KCG->Row();
    Grid_Copy_Row(KCG, r);
    Do_Copy = true;
    const TTargetConfig* conf = r >= 1 && r <= Rows ? ArrTargetConf[size_t(r - 1)].get() : nullptr;
    Copied_Conf = conf ? std::make_unique<TTargetConfig>(*conf) : nullptr;
    Copied_Row = WS().SL_Copy_Row;
}

void TFEtherNetIP_Master_Access::Btn_PasteRowClick(TObject*)
{
    const int r = KCG->Row();
    if (!Grid_Paste_Row(KCG, r, Do_Copy) || r < 1 || r > Rows)
        return;
    const bool ours = Copied_Conf && WS().SL_Copy_Row == Copied_Row;
    ArrTargetConf[size_t(r - 1)] = ours ? std::make_unique<TTargetConfig>(*Copied_Conf) : nullptr;
}

void TFEtherNetIP_Master_Access::DblClickCell(TObject* Sender, int ARow, int ACol)
{
    Grid_DblClick_AutoSize(Sender, ARow, ACol);
    if (ARow < 1 || ARow > Rows || ACol != Col_Data_Segment || !FEtherNetIP_Data_Seg)
        return;
    TTargetConfig* conf = ArrTargetConf[size_t(ARow - 1)].get();
    if (!conf)
        return;
    const std::unique_ptr<TTargetConfig> copy = TFEtherNetIP_Data_Seg::CopyTargetConf(*conf);
    FEtherNetIP_Data_Seg->TC = copy.get();
    struct TClear {
        TFEtherNetIP_Data_Seg* Editor;
        ~TClear() { Editor->TC = nullptr; }
    } clear{FEtherNetIP_Data_Seg};
    if (FEtherNetIP_Data_Seg->ShowModal() != mrOk)
        return;
    for (size_t k = 0; k < conf->ListParamObject.size() && k < copy->ListParamObject.size(); ++k) {
        TTC_ParamObj& m = conf->ListParamObject[k];
        const TTC_ParamObj& edited = copy->ListParamObject[k];
        if (m.DataType == TC_Real_Single || m.DataType == TC_Real_Double)
            m.ValueReal = edited.ValueReal;
        else
            m.Value = edited.Value;
    }
    KCG->SetCells(Col_Data_Segment, ARow, conf->GetConfigStrData());
}

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick(TObject*)
{
    if (!OD_EDS->Execute() || !FEtherNEtIP_EDS)
        return;
    TFEtherNEtIP_EDS* picker = FEtherNEtIP_EDS;
    picker->EDS_FileName = OD_EDS->FileName;
    if (picker->ShowModal() != mrOk)
        return;
    int r = 1;
    while (r <= Rows && !(Trim(KCG->Cells(2, r)).isEmpty() && Trim(KCG->Cells(8, r)).isEmpty()))
        ++r;
    if (r > Rows)
        return;
    // The picker's list may be empty after a failed reading; nothing to copy then.
    const TConnData* conn = picker->Current_Connection();
    if (!conn)
        return;
    const int pickedRow = picker->KCG->Row();
    for (int i = 0; i < 6; ++i)
        KCG->SetCells(Import_Targets[i], r, picker->KCG->Cells(3 + i, pickedRow));
    if (picker->VendCode || picker->ProdType || picker->ProdCode || picker->MajRev || picker->MinRev)
        KCG->SetCells(15, r, Electronic_Key_Text(picker->VendCode, picker->ProdType, picker->ProdCode, picker->MajRev,
                                                 picker->MinRev));
    KCG->SetCells(Col_Data_Segment, r, QString());
    ArrTargetConf[size_t(r - 1)].reset();
    if (conn->TargetConfFormat.isEmpty())
        return;
    auto conf = std::make_unique<TTargetConfig>();
    conf->FileName = picker->EDS_FileName;
    conf->Size = conn->TargetConfSize;
    conf->Format = conn->TargetConfFormat;
    const TTC_Decode_Result result = conf->DecodeTargetConf();
    if (result.Failed()) {
        QString why;
        switch (result.Kind) {
        case TTC_Decode_Result::Short_Entry:
            why = QStringLiteral("the entry of %1 could not be read").arg(result.Detail);
            break;
        case TTC_Decode_Result::Too_Large:
            why = QStringLiteral("%1 is larger than %2 bytes").arg(result.Detail).arg(TC_Max_Bytes);
            break;
        default:
            why = result.Detail;
            break;
        }
        MessageDlg(QStringLiteral("Error!! The configuration %1 of the EDS file %2 cannot be decoded: %3.")
                       .arg(conf->Format, conf->FileName, why),
                   mtError, mbOK);
        return;
    }
    KCG->SetCells(Col_Data_Segment, r, conf->GetConfigStrData());
    ArrTargetConf[size_t(r - 1)] = std::move(conf);
}

void TFEtherNetIP_Master_Access::GridHint(TObject*, int ARow, int ACol, QString& hintstr)
{
    if (ARow != 0)
        return;
    const int c = KCG->RealColIndex(ACol);
    if (c > 0 && c <= Hint_List.size())
        hintstr = Hint_List[c - 1];
}

void TFEtherNetIP_Master_Access::KeyPress(TObject* Sender, QChar& Key)
{
    Grid_Jump_Next_Cell(Sender, Key);
}
