#include "enip_outputs/boot_texts.h"
#include "enip_outputs/boot_window.h"
#include "enip_test_support.h"
#include "platform/core/datetime.h"
#include "platform/core/icmp.h"
#include "platform/core/process.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "update_job_check.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using job_check::Check_Job;
using job_check::TOpExpect;

// Answers every echo without the network; each try takes 400 ms of the
// manual clock when it times out.
class TFakePinger : public IPinger {
public:
    enum TMode { Answer, Silent, Unresolvable, NoSocket } Mode = Answer;
    TManualClock* Clock = nullptr;
    QStringList Hosts;
    TPingReply Echo(const QString& Host, const QByteArray&, int TimeoutMs) override
    {
        Hosts << Host;
        if (Mode == Unresolvable)
            throw EHostNotFound(QStringLiteral("cannot resolve ") + Host);
        if (Mode == NoSocket)
            throw EIcmpSocketError(QStringLiteral("Cannot open an ICMP socket: raw socket: Operation not permitted (needs CAP_NET_RAW)"));
        TPingReply r;
        if (Mode == Answer) {
            r.TimedOut = false;
            r.BytesReceived = 64;
            if (Clock)
                Clock->Advance(2);
        } else if (Clock) {
            Clock->Advance(quint64(TimeoutMs));
        }
        return r;
    }
};

class BootWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        Add_Lang_Block_Source(&Boot_Lang_Blocks);
        Init_Lang_Table();
        auto ws = std::make_unique<TWorkingState>(Exe.path());
        ws->Create_Program_Folders();
        ws->Dir_Project = ws->Dir_Projects + QStringLiteral("/P1");
        ws->Set_Files();
        Saved = Install_Working_State(std::move(ws));
        Form = std::make_unique<TFBoot>();
        Form->Form_Type = 1;
    }
    void TearDown() override
    {
        Form.reset();
        SetPinger(nullptr);
        Install_Working_State(std::move(Saved));
    }

    // An updater that records its start in the program folder.
    QString Install_Stub_Updater()
    {
        const QString path = Exe.filePath(QStringLiteral("Ethernet_Update"));
        Write_File(path, "#!/bin/sh\necho started > \"$(dirname \"$0\")/updater_started\"\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return Exe.filePath(QStringLiteral("updater_started"));
    }

    void Type_Address(const char* a, const char* b, const char* c, const char* d)
    {
        Form->E_IP1->SetText(QString::fromLatin1(a));
        Form->E_IP2->SetText(QString::fromLatin1(b));
        Form->E_IP3->SetText(QString::fromLatin1(c));
        Form->E_IP4->SetText(QString::fromLatin1(d));
    }

    QTemporaryDir Exe;
    std::unique_ptr<TWorkingState> Saved;
    std::unique_ptr<TFBoot> Form;
    TDialogResponder Dialogs;
};

TEST_F(BootWindow, RealEchoOfLoopbackWritesTheJobAndStartsTheUpdater)
{
    try {
        PingHost(QStringLiteral("127.0.0.1"), QByteArray("probe"), 400);
    } catch (const EIcmpError& e) {
        GTEST_SKIP() << "no ICMP socket here: " << e.Message().toStdString();
    }
    const QString marker = Install_Stub_Updater();
    WS().Last_IP_Address = QStringLiteral("127.0.0.1");
    WS().Update_Option = 2;
    WS().Update_Read_Back = false;
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->IP_Text(), QStringLiteral("127.0.0.1"));

    Form->Btn_UpdateClick(nullptr);
    EXPECT_EQ(Dialogs.MessageCount(), 0) << Dialogs.LastText().toStdString();
    EXPECT_EQ(Form->ping_res, 1);
    EXPECT_TRUE(QFile::exists(marker));
    const QString bin = WS().Dir_Project + QStringLiteral("/bin/");
    const QByteArray b1 = (bin + QStringLiteral("bank1.bin")).toUtf8();
    const QByteArray b2 = (bin + QStringLiteral("bank2.bin")).toUtf8();
    const QByteArray b3 = (bin + QStringLiteral("bank3.bin")).toUtf8();
    Check_Job(Exe.filePath(QStringLiteral("Ethernet_Update.xml")), "127.0.0.1", "0",
              {{b1.constData(), "0x07000", "2", "0", "0"},
               {b2.constData(), "0x80000", "2", "0", "0"},
               {b3.constData(), "0x90000", "2", "0", "1"}});
}

TEST_F(BootWindow, EachUpdateOptionGivesItsJobAndIsRemembered)
{
    TFakePinger pinger;
    SetPinger(&pinger);
    const QString marker = Install_Stub_Updater();
    const QByteArray fw = (WS().Dir_Master + QStringLiteral("/Sim27518.sim")).toUtf8();
    const QByteArray bin = (WS().Dir_Project + QStringLiteral("/bin/")).toUtf8();
    const QByteArray b1 = bin + "bank1.bin", b2 = bin + "bank2.bin", b3 = bin + "bank3.bin";
    const TOpExpect B1{b1.constData(), "0x07000", "2", "0", "0"};
    const TOpExpect B2{b2.constData(), "0x80000", "2", "0", "0"};
    const TOpExpect B3{b3.constData(), "0x90000", "2", "0", "1"};
    const struct {
        int option;
        bool read_back;
        std::vector<TOpExpect> ops;
    } cases[] = {
        {0, true, {{fw.constData(), "0x8000", "1", "1", "0"}, B1, B2, B3}},
        {1, false, {{fw.constData(), "0x8000", "1", "1", "1"}}},
        {2, true, {B1, B2, B3}},
    };
    for (const auto& c : cases) {
        QFile::remove(marker);
        Form->FormShow(nullptr);
        Type_Address("192", "168", "2", "205");
        Form->CB_Update_Options->SetItemIndex(c.option);
        Form->CB_Update_Option_Read_Back->SetCheckedNoClick(c.read_back);
        Form->Btn_UpdateClick(nullptr);
        EXPECT_TRUE(QFile::exists(marker)) << "option " << c.option;
        Check_Job(Exe.filePath(QStringLiteral("Ethernet_Update.xml")), "192.168.2.205", c.read_back ? "1" : "0",
                  c.ops);
        EXPECT_EQ(WS().Update_Option, c.option);
        EXPECT_EQ(WS().Update_Read_Back, c.read_back);
    }
    EXPECT_EQ(Dialogs.MessageCount(), 0);
    // Two replies end the check.
    EXPECT_EQ(pinger.Hosts.size(), 6);
    EXPECT_EQ(pinger.Hosts.first(), QStringLiteral("192.168.2.205"));

    // Shown again: the last address and options come back.
    Type_Address("1", "2", "3", "4");
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->IP_Text(), QStringLiteral("192.168.2.205"));
    EXPECT_EQ(Form->CB_Update_Options->ItemIndex(), 2);
    EXPECT_TRUE(Form->CB_Update_Option_Read_Back->Checked());
}

TEST_F(BootWindow, SilentDeviceIsNotFoundAndNothingIsWritten)
{
    TManualClock clock;
    TClockScope scope(clock);
    TFakePinger pinger;
    pinger.Mode = TFakePinger::Silent;
    pinger.Clock = &clock;
    SetPinger(&pinger);
    Install_Stub_Updater();
    WS().Last_IP_Address = QStringLiteral("10.9.8.7");
    Form->FormShow(nullptr);
    Type_Address("192", "168", "2", "206");

    Form->Btn_UpdateClick(nullptr);
    EXPECT_EQ(Dialogs.MessageCount(), 1);
    EXPECT_EQ(Dialogs.LastText(), QStringLiteral("Device Not Found!"));
    EXPECT_EQ(Dialogs.Requests.back().DlgType, mtWarning);
    EXPECT_EQ(pinger.Hosts.size(), 13);  // 400 ms per try until 5,001 ms have passed
    EXPECT_FALSE(QFile::exists(Exe.filePath(QStringLiteral("Ethernet_Update.xml"))));
    EXPECT_FALSE(QFile::exists(Exe.filePath(QStringLiteral("updater_started"))));
    EXPECT_EQ(WS().Last_IP_Address, QStringLiteral("10.9.8.7"));
}

TEST_F(BootWindow, UnusableAddressAsksToCheckIt)
{
    TFakePinger pinger;
    pinger.Mode = TFakePinger::Unresolvable;
    SetPinger(&pinger);
    Form->FormShow(nullptr);
    Type_Address("192", "168", "", "1");
    Form->Btn_UpdateClick(nullptr);
    ASSERT_EQ(pinger.Hosts.size(), 1);
    EXPECT_EQ(pinger.Hosts[0], QStringLiteral("192.168..1"));
    EXPECT_EQ(Dialogs.LastText(), QStringLiteral("Error!!! Check the Ip Address"));
    EXPECT_EQ(Dialogs.Requests.back().DlgType, mtError);
}

// A machine that cannot open any ICMP socket is told so; the address is not blamed
// and nothing is stored, written or launched.
TEST_F(BootWindow, NoIcmpSocketIsReportedAsSuch)
{
    TFakePinger pinger;
    pinger.Mode = TFakePinger::NoSocket;
    SetPinger(&pinger);
    Form->FormShow(nullptr);
    const QString before = WS().Last_IP_Address;
    Type_Address("127", "0", "0", "1");
    Form->Btn_UpdateClick(nullptr);
    EXPECT_TRUE(Dialogs.LastText().startsWith(QStringLiteral("Cannot open an ICMP socket")));
    EXPECT_EQ(Dialogs.Requests.back().DlgType, mtError);
    EXPECT_EQ(WS().Last_IP_Address, before);
    EXPECT_FALSE(FileExists(PathJoin(WS().Dir_Exe, QStringLiteral("Ethernet_Update.xml"))));
}

TEST_F(BootWindow, MissingUpdaterIsNamedInAMessage)
{
    TFakePinger pinger;
    SetPinger(&pinger);
    Form->FormShow(nullptr);
    Form->Btn_UpdateClick(nullptr);
    ASSERT_EQ(Dialogs.MessageCount(), 1);
    EXPECT_TRUE(Dialogs.LastText().contains(Exe.filePath(QStringLiteral("Ethernet_Update"))))
        << Dialogs.LastText().toStdString();
    // The job is written before the launch is tried.
    EXPECT_TRUE(QFile::exists(Exe.filePath(QStringLiteral("Ethernet_Update.xml"))));
}

TEST_F(BootWindow, UpdaterIsStartedWithoutParametersInANormalWindowAndAWaitOf150s)
{
    TFakePinger pinger;
    SetPinger(&pinger);
    TRecordingLauncher launcher;
    SetProcessLauncher(&launcher);
    Form->FormShow(nullptr);
    Form->Btn_UpdateClick(nullptr);
    SetProcessLauncher(nullptr);
    ASSERT_EQ(launcher.Requests.size(), 1u);
    EXPECT_EQ(launcher.Requests[0].Program, Exe.filePath(QStringLiteral("Ethernet_Update")));
    EXPECT_TRUE(launcher.Requests[0].Arguments.isEmpty());
    EXPECT_EQ(launcher.Requests[0].ShowMode, 0);
    EXPECT_EQ(launcher.Requests[0].TimeoutMs, 150000);
    EXPECT_EQ(Dialogs.MessageCount(), 0);
}

TEST_F(BootWindow, EthernetFormLayoutTextsAndAddressKeys)
{
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->Caption(), QStringLiteral("Update Device by Ethernet (UDP)"));
    EXPECT_EQ(Form->L_SW_Desc->Caption(), QStringLiteral("Update Device Using the Ethernet Port"));
    EXPECT_EQ(Form->L_SW_Code->Caption(), QStringLiteral("TK27518"));
    EXPECT_EQ(Form->Btn_Update->Caption(), QStringLiteral("Execute Update Firmware"));
    EXPECT_EQ(Form->E_IP3->Hint(), QStringLiteral("Insert third byte of IP Address"));
    EXPECT_EQ(Form->CB_Update_Options->Items()->Count(), 3);
    EXPECT_EQ(Form->ClientWidth(), 449);
    EXPECT_EQ(Form->ClientHeight(), 230);
    EXPECT_TRUE(Form->P_IP_Address->Visible());
    EXPECT_FALSE(Form->P_Serial->Visible());
    EXPECT_FALSE(Form->P_Eth_Search->Visible());
    EXPECT_EQ(Form->IP_Text(), QStringLiteral("192.168.2.205"));  // the working state's default
    // The look of the program's other windows.
    EXPECT_EQ(Form->Color(), TColor(0x00EDF7F8));
    EXPECT_EQ(Form->L_SW_Code->BoundsRect().TopLeft(), TPoint(16, 8));
    EXPECT_EQ(Form->L_SW_Code->Font()->Height(), -32);
    EXPECT_EQ(Form->L_SW_Desc->BoundsRect().TopLeft(), TPoint(16, 42));
    EXPECT_TRUE(Form->L_SW_Desc->Font()->Style().Contains(fsBold));
    for (TLabel* l : {Form->L_SW_Code, Form->L_SW_Desc})
        EXPECT_EQ(l->Font()->Color(), clGray);
    EXPECT_EQ(Form->L_IP_Address->Font()->Name(), QStringLiteral("Verdana"));
    for (TLbButton* b : {Form->Btn_Cancel, Form->Btn_Update}) {
        EXPECT_EQ(b->Color(), TColor(0x00EDF7F8));
        EXPECT_EQ(b->HotTrackColor(), clYellow);
    }

    for (TEdit* e : {Form->E_IP1, Form->E_IP4}) {
        QChar dot = QLatin1Char('.');
        Form->KeyPress(e, dot);
        EXPECT_EQ(dot, QChar(0));
    }
    QChar digit = QLatin1Char('7');
    Form->KeyPress(Form->E_IP4, digit);
    EXPECT_EQ(digit, QLatin1Char('7'));
}

TEST_F(BootWindow, SerialFormOnlyStoresTheOptions)
{
    TFakePinger pinger;
    SetPinger(&pinger);
    Form->Form_Type = 0;
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->Caption(), QStringLiteral("Update Device by Serial"));
    EXPECT_TRUE(Form->P_Serial->Visible());
    EXPECT_FALSE(Form->P_IP_Address->Visible());
    EXPECT_EQ(Form->ClientHeight(), 69 + 51 + 72 + 40);
    for (int i = 0; i < Form->CB_COM_Port->Items()->Count(); ++i)
        EXPECT_TRUE(Form->CB_COM_Port->Items()->Strings(i).startsWith(QStringLiteral("COM")));
    Form->CB_Update_Options->SetItemIndex(1);
    Form->CB_Update_Option_Read_Back->SetCheckedNoClick(false);
    Form->Btn_UpdateClick(nullptr);
    EXPECT_EQ(WS().Update_Option, 1);
    EXPECT_FALSE(WS().Update_Read_Back);
    EXPECT_TRUE(pinger.Hosts.isEmpty());
    EXPECT_FALSE(QFile::exists(Exe.filePath(QStringLiteral("Ethernet_Update.xml"))));
}

}  // namespace
