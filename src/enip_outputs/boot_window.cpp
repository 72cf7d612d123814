#include "enip_outputs/boot_window.h"

#include "enip_outputs/project_xml.h"
#include "enip_outputs/update_job.h"
#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/core/icmp.h"
#include "platform/ui/dialogs.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/start_program.h"
#include "common/window_look.h"
#include "common/working_state.h"

#include <QThread>

TFBoot* FBoot = nullptr;

namespace {

constexpr int Ping_Timeout_Ms = 400;
constexpr int Ping_Total_Ms = 5001;
constexpr int Ping_Pause_Ms = 10;

template <class T>
T* Make(TWinControl* parent, int left, int top, int width, int height)
{
    T* c = new T(parent);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

}  // namespace

TFBoot::TFBoot(TComponent* AOwner) : TForm(AOwner)
{
    // The Ethernet form's size; each show sets it again for its form.
    Apply_Shell_Look(this, 449, 230);
    const TTitlePanel title = Make_Title_Panel(this);
    P_Title = title.P_Title;
    L_SW_Code = title.L_SW_Code;
    L_SW_Desc = title.L_SW_Desc;

    P_IP_Address = Make_Plain_Panel(this, QStringLiteral("P_IP_Address"), 49, alTop);
    L_IP_Address = Make_Label(this, P_IP_Address, QStringLiteral("L_IP_Address"), 16, 16);
    TEdit** edits[4] = {&E_IP1, &E_IP2, &E_IP3, &E_IP4};
    for (int i = 0; i < 4; ++i) {
        TEdit* e = Make<TEdit>(P_IP_Address, 232 + i * 52, 12, 41, 21);
        e->SetText(QStringLiteral("0"));
        e->SetShowHint(true);
        e->SetTabOrder(i);
        e->OnKeyPress = [this](TObject* s, QChar& k) { KeyPress(s, k); };
        *edits[i] = e;
        if (i < 3)
            Make_Label(this, P_IP_Address, QStringLiteral("L_Dot%1").arg(i + 1), 232 + i * 52 + 44, 16)
                ->SetCaption(QStringLiteral("."));
    }

    P_Serial = Make_Plain_Panel(this, QStringLiteral("P_Serial"), 51, alTop);
    L_COM_Port = Make_Label(this, P_Serial, QStringLiteral("L_COM_Port"), 16, 18);
    CB_COM_Port = new TComboBox(P_Serial, csDropDownList);
    CB_COM_Port->SetParent(P_Serial);
    CB_COM_Port->SetBounds(232, 14, 121, 21);
    CB_COM_Port->Items()->Add(QStringLiteral("COM1"));
    Btn_COM_List = Make_Button(this, P_Serial, QStringLiteral("Btn_COM_List"), 360, 12, 25, 25);
    Btn_COM_List->SetHint(QStringLiteral("Update COM Ports List"));
    Btn_COM_List->OnClick = [this](TObject* s) { Btn_COM_ListClick(s); };

    P_Eth_Search = Make_Plain_Panel(this, QStringLiteral("P_Eth_Search"), 184, alNone);
    P_Eth_Search->SetWidth(449);
    P_Eth_Search->SetVisible(false);
    L_List_Device = Make_Label(this, P_Eth_Search, QStringLiteral("L_List_Device"), 16, 8);
    Btn_Search = Make_Button(this, P_Eth_Search, QStringLiteral("Btn_Search"), 340, 4, 90, 25);
    KCG_List_Devices = Make<TListBox>(P_Eth_Search, 16, 34, 362, 120);
    List_Devices_Headers = {QStringLiteral("IP Address"), QStringLiteral("MAC Address")};
    CB_Find_All_NVL = Make<TCheckBox>(P_Eth_Search, 16, 160, 300, 17);

    P_Options = Make_Plain_Panel(this, QStringLiteral("P_Options"), 72, alTop);
    L_Update_Option = Make_Label(this, P_Options, QStringLiteral("L_Update_Option"), 16, 10);
    CB_Update_Options = new TComboBox(P_Options, csDropDownList);
    CB_Update_Options->SetParent(P_Options);
    CB_Update_Options->SetBounds(16, 30, 230, 21);
    for (const char* item : {"Firmware + Configuration", "Firmware", "Configuration"})
        CB_Update_Options->Items()->Add(QString::fromLatin1(item));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back = Make<TCheckBox>(P_Options, 264, 32, 170, 17);
    CB_Update_Option_Read_Back->SetCaption(QStringLiteral("Read Back"));
    CB_Update_Option_Read_Back->SetCheckedNoClick(true);

    P_Button = Make_Button_Panel(this);
    Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 16, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    Btn_Update = Make_Button(this, P_Button, QStringLiteral("Btn_Update"), 132, 6, 228, 28);
    Btn_Update->OnClick = [this](TObject* s) { Btn_UpdateClick(s); };
    for (TControl* c : std::initializer_list<TControl*>{CB_Update_Options, CB_Update_Option_Read_Back,
                                                        KCG_List_Devices, CB_Find_All_NVL})
        c->SetShowHint(true);

    OnShow = [this](TObject* s) { FormShow(s); };
}

QString TFBoot::IP_Text() const
{
    return E_IP1->Text() + QLatin1Char('.') + E_IP2->Text() + QLatin1Char('.') + E_IP3->Text() + QLatin1Char('.') +
           E_IP4->Text();
}

void TFBoot::Set_Lang()
{
    if (Form_Type == 0) {
        SetCaption(Lang_Str(1600));
        L_SW_Desc->SetCaption(Lang_Str(1601));
    } else if (Form_Type == 1) {
        SetCaption(Lang_Str(1602));
        L_SW_Desc->SetCaption(Lang_Str(1603));
    }
    L_IP_Address->SetCaption(Lang_Str(1606));
    L_List_Device->SetCaption(Lang_Str(1609));
    Btn_Search->SetCaption(Lang_Str(1610));
    List_Devices_Headers = {Lang_Str(1611), Lang_Str(1612)};
    CB_Find_All_NVL->SetCaption(Lang_Str(1613));
    L_Update_Option->SetCaption(Lang_Str(1614));
    CB_Update_Options->Items()->Clear();
    for (int i = 1615; i <= 1617; ++i)
        CB_Update_Options->Items()->Add(Lang_Str(i));
    CB_Update_Options->SetItemIndex(0);
    CB_Update_Option_Read_Back->SetCaption(Lang_Str(1618));
    Btn_Cancel->SetCaption(Lang_Str(1619));
    Btn_Update->SetCaption(Lang_Str(1620));
    E_IP1->SetHint(Lang_Str(1621));
    E_IP2->SetHint(Lang_Str(1622));
    E_IP3->SetHint(Lang_Str(1623));
    E_IP4->SetHint(Lang_Str(1624));
    Btn_Search->SetHint(Lang_Str(1629));
    KCG_List_Devices->SetHint(Lang_Str(1630));
    CB_Find_All_NVL->SetHint(Lang_Str(1631));
    CB_Update_Options->SetHint(Lang_Str(1632));
    CB_Update_Option_Read_Back->SetHint(Lang_Str(1633));
    Btn_Cancel->SetHint(Lang_Str(1634));
    Btn_Update->SetHint(Lang_Str(1635));
}

void TFBoot::FormShow(TObject*)
{
    Set_Lang();
    TWorkingState& ws = WS();
    L_SW_Code->SetCaption(ws.SW_Code);

    for (TPanel* p : {P_IP_Address, P_Eth_Search, P_Options, P_Serial}) {
        p->SetVisible(false);
        p->SetAlign(alNone);
    }
    auto restore_options = [&] {
        const int option = ws.Update_Option;
        if (option >= 0 && option < CB_Update_Options->Items()->Count())
            CB_Update_Options->SetItemIndex(option);
        CB_Update_Option_Read_Back->SetCheckedNoClick(ws.Update_Read_Back);
    };
    if (Form_Type == 1) {
        P_IP_Address->SetVisible(true);
        P_Options->SetVisible(true);
        SetClientWidth(449);
        // Aligned top in this order, so they stack below the title.
        P_IP_Address->SetTop(P_Title->Height());
        P_IP_Address->SetAlign(alTop);
        P_Eth_Search->SetTop(P_IP_Address->Top() + P_IP_Address->Height());
        P_Eth_Search->SetAlign(alTop);
        P_Options->SetTop(P_Eth_Search->Top() + P_Eth_Search->Height());
        P_Options->SetAlign(alTop);
        SetClientHeight(P_Title->Height() + P_IP_Address->Height() + P_Options->Height() + P_Button->Height());
        P_Title->SetTabOrder(0);
        P_IP_Address->SetTabOrder(1);
        P_Eth_Search->SetTabOrder(2);
        P_Options->SetTabOrder(3);
        P_Button->SetTabOrder(4);
        P_Serial->SetTabOrder(5);
        QString a, b, c, d;
        if (!ws.Last_IP_Address.isEmpty() && Split_IP_Address(ws.Last_IP_Address, a, b, c, d)) {
            E_IP1->SetText(a);
            E_IP2->SetText(b);
            E_IP3->SetText(c);
            E_IP4->SetText(d);
        }
        restore_options();
        if (E_IP1->CanFocus())
            E_IP1->SetFocus();
    } else if (Form_Type == 0) {
        P_Options->SetVisible(true);
        P_Serial->SetVisible(true);
        SetClientWidth(449);
        P_Serial->SetTop(P_Title->Height());
        P_Serial->SetAlign(alTop);
        P_Options->SetTop(P_Serial->Top() + P_Serial->Height());
        P_Options->SetAlign(alTop);
        SetClientHeight(P_Title->Height() + P_Serial->Height() + P_Options->Height() + P_Button->Height());
        P_Title->SetTabOrder(0);
        P_Serial->SetTabOrder(1);
        P_Options->SetTabOrder(2);
        P_Button->SetTabOrder(3);
        P_IP_Address->SetTabOrder(4);
        P_Eth_Search->SetTabOrder(5);
        restore_options();
        update_ComPort();
        if (CB_COM_Port->CanFocus())
            CB_COM_Port->SetFocus();
    }
}

void TFBoot::PingReply(int bytesReceived)
{
    ping_res = bytesReceived > 0 ? 1 : 2;
}

bool TFBoot::Send_Ping()
{
    const quint64 start = GetTickCount64();
    ping_res = 0;
    Ping_Error.clear();
    const QString host = IP_Text();
    try {
        int replies = 0;
        do {
            const quint64 try_start = GetTickCount64();
            const TPingReply r = PingHost(host, host.toUtf8(), Ping_Timeout_Ms);
            PingReply(r.TimedOut ? 0 : r.BytesReceived);
            do {
                QThread::msleep(Ping_Pause_Ms);
                if (Application)
                    Application->ProcessMessages();
            } while (ping_res == 0 && GetTickCount64() - try_start <= quint64(Ping_Timeout_Ms));
            if (ping_res == 1 && ++replies >= 2)
                break;
        } while (GetTickCount64() - start < quint64(Ping_Total_Ms));
    } catch (const EIcmpSocketError& e) {
        ping_res = 0;
        Ping_Error = e.Message();
        return false;
    } catch (const Exception&) {
        return false;
    }
    return ping_res == 1;
}

void TFBoot::Compile_XML_Parameter_New_Boot()
{
    const TWorkingState& ws = WS();
    TUpdate_Job job;
    job.IP_Address = IP_Text();
    job.Option = CB_Update_Options->ItemIndex();
    job.Read_Back = CB_Update_Option_Read_Back->Checked();
    job.Dir_Master = ws.Dir_Master;
    job.Dir_Project = ws.Dir_Project;
    Write_Update_Job(PathJoin(ws.Dir_Exe, Update_Job_File_Name), job);
}

void TFBoot::Btn_UpdateClick(TObject*)
{
    TWorkingState& ws = WS();
    if (Form_Type == 0) {
        ws.Update_Option = CB_Update_Options->ItemIndex();
        ws.Update_Read_Back = CB_Update_Option_Read_Back->Checked();
        return;
    }
    if (Form_Type != 1)
        return;
    if (!Send_Ping()) {
        if (!Ping_Error.isEmpty())
            MessageDlg(Ping_Error, mtError, mbOK);
        else if (ping_res == 2)
            MessageDlg(Lang_Str(1636), mtWarning, mbOK);
        else
            MessageDlg(Lang_Str(1637), mtError, mbOK);
        return;
    }
    ws.Last_IP_Address = IP_Text();
    ws.Update_Option = CB_Update_Options->ItemIndex();
    ws.Update_Read_Back = CB_Update_Option_Read_Back->Checked();
    try {
        Compile_XML_Parameter_New_Boot();
    } catch (const Exception& e) {
        MessageDlg(e.Message(), mtError, mbOK);
        return;
    }
    Start_Program(PathJoin(ws.Dir_Exe, Updater_Program_Name), QString(), 0);
}

void TFBoot::KeyPress(TObject* Sender, QChar& Key)
{
    if (Key != QLatin1Char('.'))
        return;
    TEdit* next = nullptr;
    if (Sender == E_IP1)
        next = E_IP2;
    else if (Sender == E_IP2)
        next = E_IP3;
    else if (Sender == E_IP3)
        next = E_IP4;
    if (next && next->CanFocus())
        next->SetFocus();
    Key = QChar(0);
}

void TFBoot::update_ComPort()
{
    CB_COM_Port->Items()->Clear();
    for (const QString& n : Get_COM_Port_List())
        CB_COM_Port->Items()->Add(QStringLiteral("COM") + n);
    CB_COM_Port->SetItemIndex(CB_COM_Port->Items()->Count() > 0 ? 0 : -1);
}

void TFBoot::Btn_COM_ListClick(TObject*)
{
    update_ComPort();
}

int TFBoot::Get_Type_Dev()
{
    // This product has one device type; the file is only checked to be readable.
    const QString path = WS().Name_File_ParGen;
    if (FileExists(path))
        Load_Project_Xml(path);
    return 0;
}
