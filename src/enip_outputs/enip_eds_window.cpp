#include "enip_outputs/enip_eds_window.h"

#include "enip_outputs/enip_window_frame.h"

#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"

TFEtherNEtIP_EDS* FEtherNEtIP_EDS = nullptr;

namespace {

constexpr int Client_Width = 1150;
constexpr int Client_Height = 337;
constexpr int Col_Widths[TFEtherNEtIP_EDS::Col_Count] = {100, 200, 100, 110, 120, 110, 120, 125, 125};
constexpr int First_Header_Text = 5406;
// The real-time formats the adapter takes when its entry names none.
constexpr uint8_t Default_Header_OT = 4;
constexpr uint8_t Default_Header_TO = 0;

QString Header_Format(uint8_t Value, uint8_t Default)
{
    return Value == Default ? QStringLiteral("Default") : QString::number(Value);
}

}  // namespace

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(TComponent* AOwner) : TForm(AOwner)
{
    TEnip_Frame::operator=(Make_Enip_Frame(this, Client_Width, Client_Height));
    Btn_OK->SetModalResult(mrOk);

    KCG = new TKvColumnGrid(this);
    Place_Client_Grid(this, KCG, QStringLiteral("KCG"));
    KCG->SetColCount(Col_Count);
    KCG->SetRowCount(2);
    KCG->SetFixedRows(1);
    KCG->SetFixedCols(0);
    KCG->SetOptions((KCG->Options() | goRowSelect | goColSizing) - TGridOptions(goEditing));
    for (int c = 0; c < Col_Count; ++c)
        KCG->Columns()->Items(c)->SetWidth(Col_Widths[c]);

    TClose = new TTimer(this);
    TClose->SetEnabled(false);
    TClose->SetInterval(10);
    TClose->OnTimer = [this](TObject* s) { TCloseTimer(s); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnShow = [this](TObject* s) { FormShow(s); };
    // A close that comes first leaves nothing for the timer to close.
    OnHide = [this](TObject*) { TClose->SetEnabled(false); };
}

TFEtherNEtIP_EDS::~TFEtherNEtIP_EDS()
{
    if (FEtherNEtIP_EDS == this)
        FEtherNEtIP_EDS = nullptr;
}

void TFEtherNEtIP_EDS::FormCreate(TObject*)
{
    Set_Lang();
}

void TFEtherNEtIP_EDS::Set_Lang()
{
    SetCaption(Lang_Str(5400));
    L_SW_Desc->SetCaption(Lang_Str(5401));
    Btn_OK->SetCaption(Lang_Str(5402));
    Btn_Cancel->SetCaption(Lang_Str(5403));
    Btn_OK->SetHint(Lang_Str(5404));
    Btn_Cancel->SetHint(Lang_Str(5405));
    for (int c = 0; c < Col_Count; ++c)
        KCG->Columns()->Items(c)->SetHeader(Lang_Str(First_Header_Text + c));
}

void TFEtherNEtIP_EDS::FormShow(TObject*)
{
    TClose->SetEnabled(false);
    QString error;
    if (!Read_EDS_File(&error)) {
        // The list must not keep the previous file's rows now that List_Conn is empty.
        KCG->SetRowCount(2);
        for (int c = 0; c < KCG->AllColCount(); ++c)
            KCG->SetCells(c, 1, QString());
        MessageDlg(QStringLiteral("Error!! The EDS file could not be read: ") + error, mtError, mbOK);
        SetModalResult(mrCancel);
        return;
    }
    ShowDatainGrid();
}

void TFEtherNEtIP_EDS::ShowDatainGrid()
{
    KCG->SetRowCount(2);
    for (int c = 0; c < KCG->AllColCount(); ++c)
        KCG->SetCells(c, 1, QString());
    if (List_Conn.empty()) {
        TClose->SetEnabled(true);
        return;
    }
    KCG->SetRowCount(int(List_Conn.size()) + 1);
    for (size_t k = 0; k < List_Conn.size(); ++k) {
        const TConnData& d = List_Conn[k];
        const int r = int(k) + 1;
        KCG->SetCells(0, r, QStringLiteral("Connection") + QString::number(r));
        KCG->SetCells(1, r, d.ConnName);
        KCG->SetCells(2, r, d.HelpStr);
        KCG->SetCells(3, r, QString::number(d.InstanceOT));
        KCG->SetCells(4, r, QString::number(d.ConnPointOT));
        KCG->SetCells(5, r, QString::number(d.InstanceTO));
        KCG->SetCells(6, r, QString::number(d.ConnPointTO));
        KCG->SetCells(7, r, Header_Format(d.DimHeaderOT, Default_Header_OT));
        KCG->SetCells(8, r, Header_Format(d.DimHeaderTO, Default_Header_TO));
    }
    KCG->SetRow(1);
}

void TFEtherNEtIP_EDS::TCloseTimer(TObject*)
{
    TClose->SetEnabled(false);
    MessageDlg(Lang_Str(5415), mtError, mbOK);
    SetModalResult(mrCancel);
}

const TConnData* TFEtherNEtIP_EDS::Current_Connection() const
{
    const int i = KCG->Row() - 1;
    if (i < 0 || i >= int(List_Conn.size()))
        return nullptr;
    return &List_Conn[size_t(i)];
}
