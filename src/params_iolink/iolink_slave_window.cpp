#include "params_iolink/iolink_slave_window.h"

#include "grid/column_grid.h"
#include "params_iolink/iolink_slave_tables.h"
#include "platform/core/sysutils.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/grid_columns.h"
#include "common/grid_row_commands.h"
#include "common/iolink_slave_file.h"
#include "common/lang_table.h"
#include "common/window_look.h"
#include "common/working_state.h"

namespace {

constexpr TColor Enable_Color = 0xB0D8FF;
constexpr TColor Key_Color = 0xFEFAE0;
constexpr TColor Scale_Color = 0xA8FFA8;
constexpr TColor Default_Color = 0xA8FFFF;
constexpr TColor Position_Color = 0xF4D6FC;
constexpr TColor Description_Color = 0xFFD5D5;

constexpr int Grid_Rows = IOLink_Grid_Rows + 1;
constexpr int Row_Height = 22;

const TGridColumnDef Variable_Columns[] = {
    {"N", edNormal, 40, clWindow, false, nullptr},
    {"Enable", edDataCheckBox, 50, Enable_Color, false, nullptr},
    {"Index", edNormal, 60, Key_Color, false, nullptr},
    {"Name", edNormal, 100, Key_Color, false, nullptr},
    {"Access", edComboList, 70, Key_Color, false, "Read Only|Write Only|Read Write"},
    {"Length", edNormal, 55, Key_Color, false, nullptr},
    {"Gradient", edNormal, 65, Scale_Color, false, nullptr},
    {"Offset", edNormal, 50, Scale_Color, false, nullptr},
    {"Unit Code", edNormal, 70, Scale_Color, false, nullptr},
    {"Default Value", edNormal, 95, Default_Color, false, nullptr},
    {"Position Read", edNormal, 100, Position_Color, false, nullptr},
    {"Start Bit Read", edComboList, 100, Position_Color, false, "0|1|2|3|4|5|6|7"},
    {"Position Write", edNormal, 100, Position_Color, false, nullptr},
    {"Start Bit Write", edComboList, 100, Position_Color, false, "0|1|2|3|4|5|6|7"},
    {"Description", edNormal, 110, Description_Color, false, nullptr},
    {"Mnemonic", edNormal, 105, clWindow, false, nullptr},
};

const TGridColumnDef Process_Columns[] = {
    {"N", edNormal, 40, clWindow, false, nullptr},
    {"Enable", edDataCheckBox, 50, Enable_Color, false, nullptr},
    {"Name", edNormal, 100, Key_Color, false, nullptr},
    {"Length", edNormal, 60, Key_Color, false, nullptr},
    {"Gradient", edNormal, 70, Scale_Color, false, nullptr},
    {"Offset", edNormal, 70, Scale_Color, false, nullptr},
    {"Unit Code", edNormal, 70, Scale_Color, false, nullptr},
    {"Position", edNormal, 100, Position_Color, true, nullptr},
    {"Start Bit", edComboList, 100, Position_Color, true, "0|1|2|3|4|5|6|7"},
    {"Description", edNormal, 180, Description_Color, false, nullptr},
    {"Mnemonic", edNormal, 420, clWindow, false, nullptr},
};

}  // namespace

TFVIZediZadud::TFVIZediZadud(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FVIZediZadud"));
    SetShowHint(true);
    Apply_Shell_Look(this, Client_Width, Client_Height);

    const TTitlePanel title = Make_Title_Panel(this);
    P_Title = title.P_Title;
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    P_Button = Make_Button_Panel(this);
    const std::array<TLbButton*, 6> buttons = Make_Table_Buttons(this, P_Button);
    Btn_OK = buttons[0];
    Btn_Cancel = buttons[1];
    Btn_DelRow = buttons[2];
    Btn_InsRow = buttons[3];
    Btn_CopyRow = buttons[4];
    Btn_PasteRow = buttons[5];
    Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRowClick(s); };
    Btn_InsRow->OnClick = [this](TObject* s) { Btn_InsRowClick(s); };
    Btn_CopyRow->OnClick = [this](TObject* s) { Btn_CopyRowClick(s); };
    Btn_PasteRow->OnClick = [this](TObject* s) { Btn_PasteRowClick(s); };

    PageControl1 = new TPageControl(this);
    PageControl1->SetName(QStringLiteral("PageControl1"));
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    TS_ProcessData = new TTabSheet(this);
    TS_ProcessData->SetName(QStringLiteral("TS_ProcessData"));
    TS_ProcessData->SetPageControl(PageControl1);
    TS_Variables = new TTabSheet(this);
    TS_Variables->SetName(QStringLiteral("TS_Variables"));
    TS_Variables->SetPageControl(PageControl1);

    PC_ProcessData = new TPageControl(this);
    PC_ProcessData->SetName(QStringLiteral("PC_ProcessData"));
    PC_ProcessData->SetParent(TS_ProcessData);
    PC_ProcessData->SetAlign(alClient);
    TS_PD_Input = new TTabSheet(this);
    TS_PD_Input->SetName(QStringLiteral("TS_PD_Input"));
    TS_PD_Input->SetPageControl(PC_ProcessData);
    TS_PD_Input->SetCaption(QStringLiteral("Process Data - Input"));
    TS_PD_Output = new TTabSheet(this);
    TS_PD_Output->SetName(QStringLiteral("TS_PD_Output"));
    TS_PD_Output->SetPageControl(PC_ProcessData);
    TS_PD_Output->SetCaption(QStringLiteral("Process Data - Output"));

    KCG_ProcessData_In = Make_Grid(TS_PD_Input, QStringLiteral("KCG_ProcessData_In"));
    Apply_Grid_Columns(KCG_ProcessData_In, Process_Columns);
    KCG_ProcessData_Out = Make_Grid(TS_PD_Output, QStringLiteral("KCG_ProcessData_Out"));
    Apply_Grid_Columns(KCG_ProcessData_Out, Process_Columns);
    KCG_Variable = Make_Grid(TS_Variables, QStringLiteral("KCG_Variable"));
    Apply_Grid_Columns(KCG_Variable, Variable_Columns);
    for (TKvColumnGrid* g : {KCG_ProcessData_In, KCG_ProcessData_Out, KCG_Variable})
        Wire_Grid_Events(g);

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
}

TKvColumnGrid* TFVIZediZadud::Make_Grid(TTabSheet* Page, const QString& Name)
{
    auto* g = new TKvColumnGrid(this);
    g->SetName(Name);
    g->SetParent(Page);
    g->SetAlign(alClient);
    g->SetRowCount(Grid_Rows);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->SetDefaultRowHeight(Row_Height);
    g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goColSizing |
                  goEditing);
    g->SetFloatFormat(QStringLiteral("%.2f"));
    g->SetShowHint(true);
    return g;
}

void TFVIZediZadud::Wire_Grid_Events(TKvColumnGrid* G)
{
    G->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
    G->OnGridHint = [this](TObject* s, int r, int c, QString& h) { GridHint(s, r, c, h); };
    G->OnDblClickCell = [this](TObject* s, int r, int c) { DoubleClickCell(s, r, c); };
    if (G == KCG_Variable)
        return;
    const bool input = G == KCG_ProcessData_In;
    G->OnCellValidate = [this, input](TObject* s, int c, int r, QString& v, bool& ok) {
        if (input)
            KCG_ProcessData_InCellValidate(s, c, r, v, ok);
        else
            KCG_ProcessData_OutCellValidate(s, c, r, v, ok);
    };
    // A click on an Enable box reaches the grid as a change of the box.
    G->OnCheckBoxChange = [this, input](TObject* s, int c, int r, bool st) {
        if (input)
            KCG_ProcessData_InCheckBoxClick(s, c, r, st);
        else
            KCG_ProcessData_OutCheckBoxClick(s, c, r, st);
    };
}

void TFVIZediZadud::FormCreate(TObject*)
{
    L_SW_Code->SetCaption(WS().SW_Code);
    SetClientWidth(Client_Width);
    SetClientHeight(Client_Height);
    PageControl1->SetActivePage(TS_ProcessData);
    PC_ProcessData->SetActivePage(TS_PD_Input);
    Hint_Var.clear();
    Hint_ProcDataIn.clear();
    Hint_ProcDataOut.clear();
    Set_Lang();
}

void TFVIZediZadud::FormShow(TObject*)
{
    Clear_IOLink_Grid(KCG_Variable);
    Clear_IOLink_Grid(KCG_ProcessData_In);
    Clear_IOLink_Grid(KCG_ProcessData_Out);
    Max_Byte_Read = IOLink_Max_Byte;
    Max_Byte_Write = IOLink_Max_Byte;
    const QString path = WS().Name_File_IOLink_Slave;
    try {
        const TIOLink_Slave_Data data = Read_IOLink_Slave_File(path, IOLink_Grid_Rows);
        Put_IOLink_Slave_Data(data, KCG_ProcessData_In, KCG_ProcessData_Out, KCG_Variable);
        // Rows past the grids' 512 would be dropped silently by the next OK.
        if (data.Variables_Left_Out > 0 || data.Input_Left_Out > 0 || data.Output_Left_Out > 0)
            MessageDlg(QStringLiteral("The file %1 holds more than %2 rows in a section; only the first %2 rows "
                                      "of each section were loaded.")
                           .arg(path)
                           .arg(IOLink_Grid_Rows),
                       mtWarning, mbOK);
    } catch (const Exception& e) {
        // Never leave half a file in the grids for OK to save: start from cleared grids.
        Clear_IOLink_Grid(KCG_Variable);
        Clear_IOLink_Grid(KCG_ProcessData_In);
        Clear_IOLink_Grid(KCG_ProcessData_Out);
        MessageDlg(QStringLiteral("The file %1 cannot be read: %2").arg(path, e.Message()), mtError, mbOK);
    }
    Do_Copy_Var = Do_Copy_PD_In = Do_Copy_PD_Out = false;
}

bool TFVIZediZadud::Controllo_dati()
{
    const QString e =
        Check_IOLink_Slave_Grids(KCG_ProcessData_In, KCG_ProcessData_Out, KCG_Variable, Max_Byte_Read, Max_Byte_Write);
    if (e.isEmpty())
        return true;
    MessageDlg(e, mtError, mbOK);
    return false;
}

void TFVIZediZadud::Btn_OKClick(TObject*)
{
    if (!Controllo_dati())
        return;
    Write_IOLink_Slave_File(WS().Name_File_IOLink_Slave,
                            Get_IOLink_Slave_Data(KCG_ProcessData_In, KCG_ProcessData_Out, KCG_Variable));
    SetModalResult(mrOk);
}

TKvColumnGrid* TFVIZediZadud::Active_Grid() const
{
    if (PageControl1->ActivePage() != TS_ProcessData)
        return KCG_Variable;
    return PC_ProcessData->ActivePage() == TS_PD_Input ? KCG_ProcessData_In : KCG_ProcessData_Out;
}

void TFVIZediZadud::Btn_DelRowClick(TObject*)
{
    TKvColumnGrid* g = Active_Grid();
    const int r = g->Row();
    if (MessageDlg(QStringLiteral("Are you sure to delete the Row number ") + QString::number(r), mtConfirmation,
                   mbYes | mbNo) != mrYes)
        return;
    Grid_Delete_Row(r, g);
    if (g == KCG_ProcessData_In)
        Compile_Input_Pos_Bit();
    else if (g == KCG_ProcessData_Out)
        Compile_Output_Pos_Bit();
}

void TFVIZediZadud::Btn_InsRowClick(TObject*)
{
    TKvColumnGrid* g = Active_Grid();
    Grid_Insert_Row(g->Row(), g, true);
}

void TFVIZediZadud::Btn_CopyRowClick(TObject*)
{
    TKvColumnGrid* g = Active_Grid();
    Grid_Copy_Row(g, g->Row());
    Do_Copy_Var = g == KCG_Variable;
    Do_Copy_PD_In = g == KCG_ProcessData_In;
    Do_Copy_PD_Out = g == KCG_ProcessData_Out;
}

void TFVIZediZadud::Btn_PasteRowClick(TObject*)
{
    TKvColumnGrid* g = Active_Grid();
    const bool copied = g == KCG_Variable ? Do_Copy_Var : g == KCG_ProcessData_In ? Do_Copy_PD_In : Do_Copy_PD_Out;
    Grid_Paste_Row(g, g->Row(), copied);
}

void TFVIZediZadud::Process_Data_Validated(TKvColumnGrid* G, int ACol, int ARow)
{
    if (G->RealColIndex(ACol) != pd_Length)
        return;
    Compile_Pos_Bit(G);
    Fill_Length_Defaults(G, ARow);
}

void TFVIZediZadud::KCG_ProcessData_InCellValidate(TObject*, int ACol, int ARow, QString&, bool&)
{
    Process_Data_Validated(KCG_ProcessData_In, ACol, ARow);
}

void TFVIZediZadud::KCG_ProcessData_OutCellValidate(TObject*, int ACol, int ARow, QString&, bool&)
{
    Process_Data_Validated(KCG_ProcessData_Out, ACol, ARow);
}

void TFVIZediZadud::KCG_ProcessData_InCheckBoxClick(TObject*, int, int, bool)
{
    Compile_Input_Pos_Bit();
}

void TFVIZediZadud::KCG_ProcessData_OutCheckBoxClick(TObject*, int, int, bool)
{
    Compile_Output_Pos_Bit();
}

void TFVIZediZadud::Compile_Input_Pos_Bit()
{
    Compile_Pos_Bit(KCG_ProcessData_In);
}

void TFVIZediZadud::Compile_Output_Pos_Bit()
{
    Compile_Pos_Bit(KCG_ProcessData_Out);
}

void TFVIZediZadud::GridHint(TObject* Sender, int ARow, int ACol, QString& Hint)
{
    const QStringList* list = Sender == KCG_ProcessData_In    ? &Hint_ProcDataIn
                              : Sender == KCG_ProcessData_Out ? &Hint_ProcDataOut
                                                              : &Hint_Var;
    Hint = ARow == 0 && ACol >= 1 && ACol - 1 < list->size() ? list->at(ACol - 1) : QString();
}

void TFVIZediZadud::KeyPress(TObject* Sender, QChar& Key)
{
    Grid_Jump_Next_Cell(Sender, Key);
}

void TFVIZediZadud::DoubleClickCell(TObject* Sender, int ARow, int ACol)
{
    Grid_DblClick_AutoSize(Sender, ARow, ACol);
}

void TFVIZediZadud::Set_Lang()
{
    SetCaption(Lang_Str(1700));
    L_SW_Desc->SetCaption(Lang_Str(1701));
    TLbButton* buttons[] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i)
        buttons[i]->SetCaption(Lang_Str(1702 + i));
    for (int i = 0; i < 6; ++i)
        buttons[i]->SetHint(Lang_Str(1708 + i));
    TS_Variables->SetCaption(Lang_Str(1714));
    TS_ProcessData->SetCaption(Lang_Str(1715));

    for (int c = 0; c < 16; ++c)
        KCG_Variable->Columns()->Items(c)->SetHeader(Lang_Str(1716 + c));
    Hint_Var.clear();
    for (int i = 1732; i <= 1746; ++i)
        Hint_Var << Lang_Str(i);

    auto process = [](TKvColumnGrid* G, int First, int Header9, int Header10, int Hint9, int HintFirst,
                      int HintLast, QStringList& Hints) {
        for (int c = 0; c <= 8; ++c)
            G->Columns()->Items(c)->SetHeader(Lang_Str(First + c));
        G->Columns()->Items(9)->SetHeader(Lang_Str(Header9));
        G->Columns()->Items(10)->SetHeader(Lang_Str(Header10));
        Hints.clear();
        for (int i = HintFirst; i < HintFirst + 8; ++i)
            Hints << Lang_Str(i);
        Hints << Lang_Str(Hint9) << Lang_Str(HintLast);
    };
    process(KCG_ProcessData_In, 1747, 1805, 1756, 1807, 1757, 1765, Hint_ProcDataIn);
    process(KCG_ProcessData_Out, 1766, 1806, 1775, 1808, 1776, 1784, Hint_ProcDataOut);
}
TFVIZediZadud* FVIZediZadud = nullptr;
