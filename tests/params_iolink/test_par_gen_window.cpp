// The general-parameters window: loading, checking and saving ParGen.xml, the section
// layout, the keys and the texts.

#include "params_iolink/par_gen_texts.h"
#include "params_iolink/par_gen_window.h"

#include "enip_outputs/bank_compiler.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/par_gen_file.h"
#include "common/working_state.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "support/modal_show.h"
#include "support/test_project.h"

#include <functional>
#include <memory>

namespace {

QString Fixture(const char* name)
{
    return QString::fromUtf8(KV_FIXTURES_DIR) + QStringLiteral("/params_iolink/") + QString::fromLatin1(name);
}

std::vector<TControl*> Section_Controls(TFParGen* f)
{
    std::vector<TControl*> out;
    for (TCategoryPanel* p : f->All_Sections())
        for (int i = 0; i < p->Surface()->ControlCount(); ++i)
            out.push_back(p->Surface()->Controls(i));
    return out;
}

class ParGenWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Tmp.isValid());
        Previous = Install_Test_Project(Tmp);
        ASSERT_TRUE(QDir(WS().Dir_Project).exists());
        Add_Lang_Block_Source(&ParGen_Lang_Blocks);
        Init_Lang_Table();
        Dialogs = std::make_unique<TDialogResponder>();
        Form = new TFParGen();
        FParGen = Form;
        Form->DoCreate();
    }

    void TearDown() override
    {
        delete Form;
        Dialogs.reset();
        Install_Working_State(std::move(Previous));
    }

    QString File() const { return WS().Name_File_ParGen; }

    void Use_Fixture(const char* name)
    {
        QFile::remove(File());
        ASSERT_TRUE(QFile::copy(Fixture(name), File()));
    }

    int Show(const std::function<void()>& act = {}) { return Show_Modal(Form, act); }

    int Show_And_OK(const std::function<void()>& act = {})
    {
        return Show([&] {
            if (act)
                act();
            Form->Btn_OK->Click();
        });
    }

    QStringList Messages() const { return Message_Texts(*Dialogs); }

    QTemporaryDir Tmp;
    std::unique_ptr<TWorkingState> Previous;
    std::unique_ptr<TDialogResponder> Dialogs;
    TFParGen* Form = nullptr;
};

QString Quad(const std::array<TEdit*, 4>& e)
{
    return e[0]->Text() + u'.' + e[1]->Text() + u'.' + e[2]->Text() + u'.' + e[3]->Text();
}

}  // namespace

// ---------------------------------------------------------------------- loading and saving

TEST_F(ParGenWindow, ProjectWithoutFileShowsAndSavesTheDefaults)
{
    ASSERT_FALSE(QFile::exists(File()));
    const int result = Show_And_OK([&] {
        EXPECT_EQ(Form->E_EthConn_Device_Name->Text(), QString());
        EXPECT_FALSE(Form->CB_EthConn_En_DHCP_Cable->Checked());
        EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->Checked());
        EXPECT_FALSE(Form->CB_EthConn_Enable_DNS->Checked());
        EXPECT_EQ(Quad(Form->E_EthConn_Pri_DNS_IP), QStringLiteral("8.8.8.8"));
        EXPECT_EQ(Quad(Form->E_EthConn_Sec_DNS_IP), QStringLiteral("8.8.4.4"));
        EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->Text(), QStringLiteral("COM1"));
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_IP), QStringLiteral("192.168.0.5"));
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_SM), QStringLiteral("255.255.255.0"));
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_GAT), QStringLiteral("192.168.0.1"));
        EXPECT_FALSE(Form->CB_EtherNetIP_Master_GAT->Checked());
        EXPECT_EQ(Form->E_EtherNetIP_Master_Port->Text(), QStringLiteral("44818"));
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Messages().isEmpty());
    bool found = false;
    EXPECT_EQ(Read_ParGen_File(File(), &found), TParGen_Data{});
    EXPECT_TRUE(found);
}

TEST_F(ParGenWindow, FileLoadsEveryKeyAndSavesItBack)
{
    Use_Fixture("ParGen_all_keys.xml");
    const int result = Show_And_OK([&] {
        EXPECT_EQ(Form->E_EthConn_Device_Name->Text(), QStringLiteral(" plant-gw 7 "));
        EXPECT_FALSE(Form->CB_EthConn_En_DHCP_Cable->Checked()) << "only \"1\" checks a box";
        EXPECT_TRUE(Form->CB_EthConn_En_DHCP_WiFi->Checked());
        EXPECT_TRUE(Form->CB_EthConn_Enable_DNS->Checked());
        EXPECT_EQ(Quad(Form->E_EthConn_Pri_DNS_IP), QStringLiteral("9.9.9.9"));
        EXPECT_EQ(Quad(Form->E_EthConn_Sec_DNS_IP), QStringLiteral("1.0.0.1"));
        EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->ItemIndex(), 2);
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_IP), QStringLiteral("172.16.1.20"));
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_SM), QStringLiteral("255.240.0.0"));
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_GAT), QStringLiteral("172.16.1.254"));
        EXPECT_TRUE(Form->CB_EtherNetIP_Master_GAT->Checked());
        EXPECT_EQ(Form->E_EtherNetIP_Master_Port->Text(), QStringLiteral("44818"));
    });
    ASSERT_EQ(result, mrOk);

    const TParGen_Data saved = Read_ParGen_File(File());
    EXPECT_EQ(saved.Eth_Conn_Device_Name, QStringLiteral(" plant-gw 7 "));
    EXPECT_EQ(saved.Eth_Conn_DHCP_Cable, QStringLiteral("0"));
    EXPECT_EQ(saved.Eth_Conn_DHCP_WiFi, QStringLiteral("1"));
    EXPECT_EQ(saved.IOLink_Slave_Baudrate, QStringLiteral("COM3"));
    EXPECT_EQ(saved.EtherNetIP_Master_Port, QStringLiteral("44818"));
    EXPECT_EQ(saved.EtherNetIP_Master_GAT4, QStringLiteral("254"));
}

TEST_F(ParGenWindow, StoredRateSelectsTheListItem)
{
    const struct {
        const char* Text;
        int Index;
    } cases[] = {{"COM1", 0}, {"COM2", 1}, {"COM3", 2}, {" COM3 ", 2}, {"\tCOM2", 1},
                 {"COM4", 0}, {"", 0},     {"com3", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(Form->Get_IOLink_Slave_Baudrate(QString::fromLatin1(c.Text)), c.Index) << c.Text;
}

TEST_F(ParGenWindow, WithoutFileTheRateListKeepsItsSelection)
{
    Show([&] { Form->CB_IOLink_Slave_Baudrate->SetItemIndex(1); });  // cancelled
    Show([&] { EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->Text(), QStringLiteral("COM2")); });

    // With a file that has no rate the list goes back to COM1.
    Use_Fixture("ParGen_declaration.xml");
    QFile f(File());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<Par_Gen><Eth_Conn_Device_Name>x</Eth_Conn_Device_Name></Par_Gen>");
    f.close();
    Show([&] { EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->ItemIndex(), 0); });
}

// A declaration before the root must not turn the file into defaults (OK would then
// overwrite the user's values).
TEST_F(ParGenWindow, FileWithDeclarationKeepsItsValues)
{
    Use_Fixture("ParGen_declaration.xml");
    Show_And_OK([&] {
        EXPECT_TRUE(Form->CB_EthConn_En_DHCP_Cable->Checked());
        EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->Text(), QStringLiteral("COM2"));
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_IP), QStringLiteral("10.0.0.7"));
        // Loaded DHCP disables the master's address at once.
        EXPECT_FALSE(Form->E_EtherNetIP_Master_IP[0]->Enabled());
    });
    const TParGen_Data saved = Read_ParGen_File(File());
    EXPECT_EQ(saved.Eth_Conn_DHCP_Cable, QStringLiteral("1"));
    EXPECT_EQ(saved.EtherNetIP_Master_IP1, QStringLiteral("10"));
}

// A file the parser rejects is reported, and the values of the last showing (possibly
// another project's) are not left in the controls to be saved here.
TEST_F(ParGenWindow, UnreadableFileIsReportedAndTheControlsStartFromDefaults)
{
    Use_Fixture("ParGen_all_keys.xml");
    Show();  // fills the controls, then cancel
    ASSERT_EQ(Form->CB_IOLink_Slave_Baudrate->ItemIndex(), 2);

    Use_Fixture("ParGen_broken.xml");
    const int result = Show_And_OK([&] {
        ASSERT_EQ(Messages().size(), 1);
        EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("ParGen.xml"))) << Messages().at(0).toStdString();
        EXPECT_EQ(Dialogs->Requests.at(0).DlgType, mtError);
        EXPECT_EQ(Form->E_EthConn_Device_Name->Text(), QString());
        EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->ItemIndex(), 0);
        EXPECT_EQ(Quad(Form->E_EtherNetIP_Master_IP), QStringLiteral("192.168.0.5"));
        EXPECT_FALSE(Form->CB_EtherNetIP_Master_GAT->Checked());
        EXPECT_TRUE(Form->E_EtherNetIP_Master_IP[0]->Enabled());
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Read_ParGen_File(File()), TParGen_Data{});
}

TEST_F(ParGenWindow, DeviceNameLimitLimitsTypingOnly)
{
    const QString longName = QStringLiteral("gateway-of-the-north-plant-line-0042-abc");  // 40
    TParGen_Data d;
    d.Eth_Conn_Device_Name = longName;
    Write_ParGen_File(File(), d);
    Show_And_OK([&] { EXPECT_EQ(Form->E_EthConn_Device_Name->Text(), longName); });
    EXPECT_EQ(Read_ParGen_File(File()).Eth_Conn_Device_Name, longName);

    Form->Show();
    QApplication::setActiveWindow(Form);
    Form->Put_Data(TParGen_Data{}, false);
    TEdit* name = Form->E_EthConn_Device_Name;
    name->SetText(QString(30, u'n'));
    name->SetFocus();
    QApplication::processEvents();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("xyz"));
    EXPECT_EQ(name->Text(), QString(30, u'n') + u'x');
    Form->Hide();
}

// ---------------------------------------------------------------------- validation

TEST_F(ParGenWindow, CheckStopsAtTheFirstBadFieldInOrder)
{
    using TSetup = std::function<void(TFParGen*)>;
    auto set = [](std::array<TEdit*, 4> TFParGen::*row, int i, const char* text) {
        return [=](TFParGen* f) { (f->*row)[size_t(i)]->SetText(QString::fromLatin1(text)); };
    };
    auto both = [](TSetup a, TSetup b) { return [=](TFParGen* f) { a(f); b(f); }; };
    auto dns_on = [](TSetup a) {
        return [=](TFParGen* f) { f->CB_EthConn_Enable_DNS->SetChecked(true); a(f); };
    };
    auto gat_on = [](TSetup a) {
        return [=](TFParGen* f) { f->CB_EtherNetIP_Master_GAT->SetChecked(true); a(f); };
    };
    auto dhcp_on = [](TSetup a) {
        return [=](TFParGen* f) { f->CB_EthConn_En_DHCP_Cable->SetChecked(true); a(f); };
    };
    const auto pri = &TFParGen::E_EthConn_Pri_DNS_IP;
    const auto sec = &TFParGen::E_EthConn_Sec_DNS_IP;
    const auto ip = &TFParGen::E_EtherNetIP_Master_IP;
    const auto sm = &TFParGen::E_EtherNetIP_Master_SM;
    const auto gat = &TFParGen::E_EtherNetIP_Master_GAT;

    const struct {
        const char* Name;
        TSetup Setup;
        const char* Message;  // nullptr: passes
    } cases[] = {
        {"defaults", [](TFParGen*) {}, nullptr},
        {"DNS unchecked is not checked", set(pri, 0, "256"), nullptr},
        {"primary 1", dns_on(set(pri, 0, "256")), "Error Primary DNS!! DNS 1 must be between 0 and 255"},
        {"primary 2", dns_on(set(pri, 1, "x")), "Error Primary DNS!! DNS 2 must be between 0 and 255"},
        {"primary 3", dns_on(set(pri, 2, "-1")), "Error Primary DNS!! DNS 3 must be between 0 and 255"},
        {"primary 4", dns_on(set(pri, 3, "")), "Error Primary DNS!! DNS 4 must be between 0 and 255"},
        {"secondary 1", dns_on(set(sec, 0, "8 ")), "Error Secondary DNS!! DNS 1 must be between 0 and 255"},
        {"secondary 2", dns_on(set(sec, 1, "300")), "Error Secondary DNS!! DNS 2 must be between 0 and 255"},
        {"secondary 3", dns_on(set(sec, 2, "4.4")), "Error Secondary DNS!! DNS 3 must be between 0 and 255"},
        {"secondary 4", dns_on(set(sec, 3, "q")), "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
        {"primary before secondary", dns_on(both(set(sec, 0, "x"), set(pri, 3, "x"))),
         "Error Primary DNS!! DNS 4 must be between 0 and 255"},
        {"DNS before master", dns_on(both(set(ip, 0, "x"), set(sec, 3, "x"))),
         "Error Secondary DNS!! DNS 4 must be between 0 and 255"},
        {"dot kept in master IP", set(ip, 0, "192.168"),
         "Error EtherNet/IP Master!! IP Address 1 must be between 0 and 255"},
        {"master IP 2", set(ip, 1, "256"), "Error EtherNet/IP Master!! IP Address 2 must be between 0 and 255"},
        {"master IP 3", set(ip, 2, ""), "Error EtherNet/IP Master!! IP Address 3 must be between 0 and 255"},
        {"master IP 4", set(ip, 3, "-0x1"), "Error EtherNet/IP Master!! IP Address 4 must be between 0 and 255"},
        {"mask 1 with trailing blank", set(sm, 0, "255 "),
         "Error EtherNet/IP Master!! SUBNET Mask 1 must be between 0 and 255"},
        {"mask 2", set(sm, 1, "x"), "Error EtherNet/IP Master!! SUBNET Mask 2 must be between 0 and 255"},
        {"mask 3", set(sm, 2, "0x100"), "Error EtherNet/IP Master!! SUBNET Mask 3 must be between 0 and 255"},
        {"mask 4", set(sm, 3, "999"), "Error EtherNet/IP Master!! SUBNET Mask 4 must be between 0 and 255"},
        {"IP before mask", both(set(sm, 0, "x"), set(ip, 3, "x")),
         "Error EtherNet/IP Master!! IP Address 4 must be between 0 and 255"},
        {"hex and leading blanks are numbers", both(set(sm, 0, "$FF"), set(ip, 0, "  10")), nullptr},
        {"checked while DHCP disables", dhcp_on(set(ip, 1, "x")),
         "Error EtherNet/IP Master!! IP Address 2 must be between 0 and 255"},
        {"gateway unchecked is not checked", set(gat, 0, "999"), nullptr},
        {"gateway 1", gat_on(set(gat, 0, "999")), "Error EtherNet/IP Master!! GATEWAY IP 1 must be between 0 and 255"},
        {"gateway 2", gat_on(set(gat, 1, "x")), "Error EtherNet/IP Master!! GATEWAY IP 2 must be between 0 and 255"},
        {"gateway 3", gat_on(set(gat, 2, "")), "Error EtherNet/IP Master!! GATEWAY IP 3 must be between 0 and 255"},
        {"gateway 4", gat_on(set(gat, 3, "256")), "Error EtherNet/IP Master!! GATEWAY IP 4 must be between 0 and 255"},
        {"mask before gateway", gat_on(both(set(gat, 0, "x"), set(sm, 3, "x"))),
         "Error EtherNet/IP Master!! SUBNET Mask 4 must be between 0 and 255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->Put_Data(TParGen_Data{}, false);
        Dialogs->Requests.clear();
        c.Setup(Form);
        const bool ok = Form->Controllo_Dati();
        if (!c.Message) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(Messages().isEmpty());
            continue;
        }
        EXPECT_FALSE(ok);
        ASSERT_EQ(Dialogs->Requests.size(), 1u);
        EXPECT_EQ(Dialogs->Requests[0].Text, QString::fromLatin1(c.Message));
        EXPECT_EQ(Dialogs->Requests[0].DlgType, mtError);
        EXPECT_EQ(Dialogs->Requests[0].Buttons, TMsgDlgButtons(mbOK));
    }
}

TEST_F(ParGenWindow, BadFieldKeepsTheWindowOpenAndWritesNothing)
{
    TModalResult afterClick = mrNone;
    const int result = Show([&] {
        Form->E_EtherNetIP_Master_SM[2]->SetText(QStringLiteral("300"));
        Form->Btn_OK->Click();
        afterClick = Form->ModalResult();
        EXPECT_EQ(Form->E_EtherNetIP_Master_SM[2]->Text(), QStringLiteral("300"));
    });
    EXPECT_EQ(afterClick, mrNone);
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Error EtherNet/IP Master!! SUBNET Mask 3 must be between 0 and 255")});
    EXPECT_FALSE(QFile::exists(File()));
}

TEST_F(ParGenWindow, UncheckedDnsAndGatewaySaveTheirTextAsTyped)
{
    Show_And_OK([&] {
        Form->E_EthConn_Pri_DNS_IP[0]->SetText(QStringLiteral("256"));
        Form->E_EtherNetIP_Master_GAT[3]->SetText(QStringLiteral("999"));
        Form->E_EtherNetIP_Master_IP[0]->SetText(QStringLiteral(" 10"));
    });
    const TParGen_Data saved = Read_ParGen_File(File());
    EXPECT_EQ(saved.Eth_Conn_Primary_DNS1, QStringLiteral("256"));
    EXPECT_EQ(saved.EtherNetIP_Master_GAT4, QStringLiteral("999"));
    EXPECT_EQ(saved.EtherNetIP_Master_IP1, QStringLiteral(" 10"));
}

TEST_F(ParGenWindow, SaveFailureLeavesTheWindowOpen)
{
    // The project folder is gone: the write fails, the error goes to the caller.
    Form->Put_Data(TParGen_Data{}, false);
    ASSERT_TRUE(QDir(WS().Dir_Project).removeRecursively());
    EXPECT_THROW(Form->Btn_OKClick(nullptr), Exception);
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_TRUE(Messages().isEmpty());
}

// ---------------------------------------------------------------------- keys

TEST_F(ParGenWindow, DotInADnsEditJumpsToTheNextOne)
{
    Form->Show();
    QApplication::setActiveWindow(Form);
    QApplication::processEvents();
    auto& pri = Form->E_EthConn_Pri_DNS_IP;
    auto& sec = Form->E_EthConn_Sec_DNS_IP;
    const std::array<TEdit*, 8> order = {pri[0], pri[1], pri[2], pri[3], sec[0], sec[1], sec[2], sec[3]};
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        QChar key = u'.';
        Form->KeyPress(order[i], key);
        EXPECT_TRUE(key.isNull()) << i;
        EXPECT_TRUE(order[i + 1]->Focused()) << "after edit " << i;
    }
    QChar key = u'.';
    Form->KeyPress(sec[3], key);
    EXPECT_TRUE(key.isNull());
    EXPECT_TRUE(sec[3]->Focused());

    key = u'7';
    Form->KeyPress(pri[0], key);
    EXPECT_EQ(key, QChar(u'7'));

    // A disabled next edit keeps the focus where it is, the dot is still dropped.
    pri[0]->SetFocus();
    pri[1]->SetEnabled(false);
    key = u'.';
    Form->KeyPress(pri[0], key);
    EXPECT_TRUE(key.isNull());
    EXPECT_TRUE(pri[0]->Focused());
    pri[1]->SetEnabled(true);

    // Typed: "10.1" goes into two edits; the master's edits keep a typed dot.
    pri[0]->SetText(QString());
    pri[1]->SetText(QString());
    pri[0]->SetFocus();
    QApplication::processEvents();
    for (char ch : {'1', '0', '.', '1'}) {  // each key to wherever the focus is
        QTest::keyClick(QApplication::focusWidget(), ch);
        QApplication::processEvents();
    }
    EXPECT_EQ(pri[0]->Text(), QStringLiteral("10"));
    EXPECT_EQ(pri[1]->Text(), QStringLiteral("1"));
    TEdit* ip1 = Form->E_EtherNetIP_Master_IP[0];
    ip1->SetText(QString());
    ip1->SetFocus();
    QApplication::processEvents();
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("192.168"));
    EXPECT_EQ(ip1->Text(), QStringLiteral("192.168"));
    EXPECT_TRUE(ip1->Focused());
    Form->Hide();
}

TEST_F(ParGenWindow, OnlyTheDnsEditsHaveTheKeyHandler)
{
    for (TEdit* e : Form->E_EthConn_Pri_DNS_IP)
        EXPECT_TRUE(bool(e->OnKeyPress));
    for (TEdit* e : Form->E_EthConn_Sec_DNS_IP)
        EXPECT_TRUE(bool(e->OnKeyPress));
    for (auto* row : {&Form->E_EtherNetIP_Master_IP, &Form->E_EtherNetIP_Master_SM, &Form->E_EtherNetIP_Master_GAT})
        for (TEdit* e : *row)
            EXPECT_FALSE(bool(e->OnKeyPress));
}

// ---------------------------------------------------------------------- layout

TEST_F(ParGenWindow, ThreeNumberedSectionsStackWithoutGaps)
{
    const auto sections = Form->All_Sections();
    ASSERT_EQ(sections.size(), 3u);
    const QString captions[] = {QStringLiteral("1. Ethernet Connection"), QStringLiteral("2. IO-Link Slave"),
                                QStringLiteral("3. EtherNet/IP Master")};
    const int tops[] = {0, 178, 245};
    const int heights[] = {178, 67, 150};
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(sections[i]->Visible());
        EXPECT_EQ(sections[i]->Caption(), captions[i]);
        EXPECT_EQ(sections[i]->Top(), tops[i]);
        EXPECT_EQ(sections[i]->Height(), heights[i]);
        EXPECT_EQ(sections[i]->TabOrder(), int(i));
        EXPECT_FALSE(sections[i]->Collapsed());
    }
    EXPECT_EQ(Form->CPG->HeaderHeight(), 24);
    EXPECT_EQ(Form->CPG->ContentHeight(), 395);
    EXPECT_EQ(Form->CPG->ClientHeight(), 591);
    EXPECT_FALSE(Form->CPG->ScrollBarVisible(SB_VERT));

    // Ethernet connection without Wi-Fi.
    EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->Visible());
    EXPECT_EQ(Form->CB_EthConn_Enable_DNS->Top(), 68);
    EXPECT_EQ(Form->L_EthConn_Primary_DNS->Top(), 96);
    EXPECT_EQ(Form->L_EthConn_Secondary_DNS->Top(), 124);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(Form->E_EthConn_Pri_DNS_IP[i]->Top(), 93);
        EXPECT_EQ(Form->E_EthConn_Sec_DNS_IP[i]->Top(), 121);
    }
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Form->Label172_174[i]->Top(), 96);
        EXPECT_EQ(Form->Label175_177[i]->Top(), 124);
    }
}

TEST_F(ParGenWindow, SectionsRestackWhenOneChangesHeightOrHides)
{
    TCategoryPanelGroup* g = Form->CPG;
    Form->CP_IOLink_Slave->SetHeight(100);
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), 278);
    Form->CP_IOLink_Slave->SetVisible(false);
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), 178);
    Form->CP_IOLink_Slave->SetVisible(true);
    Form->CP_Ethernet_Connection->Collapse();
    EXPECT_EQ(Form->CP_Ethernet_Connection->Height(), g->HeaderHeight());
    EXPECT_EQ(Form->CP_IOLink_Slave->Top(), 24);
    Form->CP_Ethernet_Connection->Expand();
    EXPECT_EQ(Form->CP_Ethernet_Connection->Height(), 178);
    EXPECT_EQ(Form->CP_IOLink_Slave->Top(), 178);
    Form->Move_GroupBoxs();
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), 245);

    // A click on a header collapses the section, a second one expands it again.
    Form->Show();
    QApplication::processEvents();
    QTest::mouseClick(Form->CP_IOLink_Slave, Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_TRUE(Form->CP_IOLink_Slave->Collapsed());
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), 178 + 24);
    QTest::mouseClick(Form->CP_IOLink_Slave, Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    EXPECT_FALSE(Form->CP_IOLink_Slave->Collapsed());
    EXPECT_EQ(Form->CP_EtherNetIP_Master->Top(), 245);
    // A click in the client area below the header does nothing.
    QTest::mouseClick(Form->CP_IOLink_Slave, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_FALSE(Form->CP_IOLink_Slave->Collapsed());
    Form->Hide();
}

TEST_F(ParGenWindow, DhcpDisablesTheTwelveMasterByteEdits)
{
    auto byteEdits = [&] {
        std::vector<TEdit*> v;
        for (auto* row : {&Form->E_EtherNetIP_Master_IP, &Form->E_EtherNetIP_Master_SM, &Form->E_EtherNetIP_Master_GAT})
            v.insert(v.end(), row->begin(), row->end());
        return v;
    };
    for (bool dhcp : {true, false, true}) {
        SCOPED_TRACE(dhcp);
        Form->CB_EthConn_En_DHCP_Cable->SetChecked(dhcp);  // the click re-lays out
        for (TEdit* e : byteEdits())
            EXPECT_EQ(e->Enabled(), !dhcp);
        EXPECT_TRUE(Form->CB_EtherNetIP_Master_GAT->Enabled());
        EXPECT_FALSE(Form->E_EtherNetIP_Master_Port->Enabled());
        // "Enable DNS" and "Gateway" enable nothing.
        Form->CB_EthConn_Enable_DNS->SetChecked(dhcp);
        Form->CB_EtherNetIP_Master_GAT->SetChecked(!dhcp);
        EXPECT_TRUE(Form->E_EthConn_Pri_DNS_IP[0]->Enabled());
    }
}

TEST_F(ParGenWindow, ReLayoutIsIdempotent)
{
    auto snapshot = [&] {
        std::vector<std::array<int, 3>> out;
        for (TCategoryPanel* p : Form->All_Sections())
            out.push_back({p->Top(), p->Height(), int(p->Visible())});
        for (TControl* c : Section_Controls(Form))
            out.push_back({c->Top(), c->Height(), int(c->Visible())});
        return out;
    };
    const auto before = snapshot();
    for (int i = 0; i < 3; ++i) {
        Form->Move_GroupBoxs();
        Form->CB_EthConn_En_DHCP_Cable->SetChecked(i % 2 == 0);
    }
    Form->CB_EthConn_En_DHCP_Cable->SetChecked(false);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(ParGenWindow, ClientWidthStaysFixed)
{
    Form->Show();
    QApplication::processEvents();
    Form->SetWidth(Form->Width() + 120);
    QApplication::processEvents();
    EXPECT_EQ(Form->ClientWidth(), 460);
    Form->SetHeight(Form->Height() - 300);
    QApplication::processEvents();
    EXPECT_EQ(Form->ClientWidth(), 460);
    EXPECT_EQ(Form->ClientHeight(), 400);
    Form->Hide();
}

TEST_F(ParGenWindow, WheelOverTheGroupScrollsItByLines)
{
    Form->SetClientHeight(300);  // the sections no longer fit
    TCategoryPanelGroup* g = Form->CPG;
    ASSERT_GT(g->MaxScrollPos(), 0);
    ASSERT_TRUE(g->ScrollBarVisible(SB_VERT));

    bool handled = false;
    const TPoint inside = g->ClientToScreen(Point(20, 20));
    Form->FormMouseWheel(Form, TShiftState(), -120, inside, handled);
    EXPECT_TRUE(handled);
    const int down = Mouse->WheelScrollLines() * g->LineStep();
    EXPECT_EQ(g->ScrollPos(), down);
    EXPECT_EQ(Form->CP_Ethernet_Connection->Top(), -down);
    EXPECT_EQ(Form->CP_IOLink_Slave->Top(), 178 - down);

    Form->FormMouseWheel(Form, TShiftState(), 120, inside, handled);
    EXPECT_EQ(g->ScrollPos(), 0);

    handled = true;
    const TPoint outside = Form->P_Title->ClientToScreen(Point(5, 5));
    Form->FormMouseWheel(Form, TShiftState(), -120, outside, handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(g->ScrollPos(), 0);

    // A real wheel turn over a section reaches the window's handler.
    QWidget* target = Form->CP_IOLink_Slave->Surface();
    const QPointF local(10, 10);
    QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
    EXPECT_EQ(g->ScrollPos(), down);
    g->SetScrollPos(0);
    // Also over an edit of a section.
    QWidget* edit = Form->E_EtherNetIP_Master_IP[0]->findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    QWheelEvent wheel2(local, edit->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(edit, &wheel2);
    EXPECT_EQ(g->ScrollPos(), down);
    g->SetScrollPos(0);

    // Scrolling to the end shows the last section's bottom at the group's bottom.
    g->Perform(WM_VSCROLL, SB_BOTTOM, 0);
    const TCategoryPanel* last = Form->CP_EtherNetIP_Master;
    EXPECT_EQ(last->Top() + last->Height(), g->ClientHeight());
}

// ---------------------------------------------------------------------- texts

TEST_F(ParGenWindow, TextsComeFromTheTable)
{
    EXPECT_EQ(Form->Caption(), QStringLiteral("Set Communication"));
    EXPECT_EQ(Form->L_SW_Desc->Caption(), QStringLiteral("Set Communication Setting"));
    EXPECT_EQ(Form->L_SW_Code->Caption(), QStringLiteral("TK27518"));
    EXPECT_EQ(Form->Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit and Discard the current configuration"));
    EXPECT_EQ(Form->E_EtherNetIP_Master_Port->Hint(), QStringLiteral("Insert the Port of EtherNet/IP (fixed to 44818)"));
    EXPECT_EQ(Form->CB_EthConn_En_DHCP_Cable->Hint(),
              QStringLiteral("Obtain an IP Address Automatically from server DHCP for the connection via Cable"));
    EXPECT_EQ(Form->CB_EthConn_En_DHCP_Cable->Caption(),
              QStringLiteral("Obtain an IP Address Automatically (DHCP for Cable Connection)"));
    EXPECT_EQ(Form->L_EtherNetIP_Master_TunnelPort->Caption(), QStringLiteral("Port"));
    EXPECT_EQ(Form->CB_EtherNetIP_Master_GAT->Caption(), QStringLiteral("Gateway"));
    EXPECT_EQ(Form->E_EtherNetIP_Master_GAT[3]->Hint(), QStringLiteral("Insert Fourth byte of Default Gateway"));
    EXPECT_EQ(Form->E_EthConn_Sec_DNS_IP[3]->Hint(), QStringLiteral("Insert Fourth byte of Secondary DNS"));
    EXPECT_EQ(Form->CB_IOLink_Slave_Baudrate->Hint(), QStringLiteral("Select Baudrate to use in IO-Link Slave"));
}

TEST_F(ParGenWindow, ButtonsWearTheFaceOfTheProgramsWindows)
{
    for (TLbButton* b : {Form->Btn_OK, Form->Btn_Cancel}) {
        SCOPED_TRACE(b->Caption().toStdString());
        EXPECT_EQ(b->Style(), bsEncarta);
        EXPECT_EQ(b->Color(), TColor(0xEDF7F8));
        EXPECT_EQ(b->HotTrackColor(), clYellow);
        EXPECT_EQ(b->ColorWhenDown(), TColor(0x0080FF));
        EXPECT_EQ(b->LightColor(), clGray);
        // Escape is not bound: no window of the program makes a Cancel key button.
        EXPECT_FALSE(b->Cancel());
    }
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->Btn_OK->ModalResult(), mrNone);
}

TEST_F(ParGenWindow, LanguageChangeLeavesTheSectionCaptions)
{
    SL_Lang[1314] = QStringLiteral("DNS attivo");
    SL_Lang[1307] = QStringLiteral("Connessione Ethernet");
    SL_Lang[651] = QStringLiteral("Porta fissa");
    Form->Set_Lang();
    EXPECT_EQ(Form->CB_EthConn_Enable_DNS->Caption(), QStringLiteral("DNS attivo"));
    EXPECT_EQ(Form->E_EtherNetIP_Master_Port->Hint(), QStringLiteral("Porta fissa"));
    EXPECT_EQ(Form->CP_Ethernet_Connection->Caption(), QStringLiteral("1. Ethernet Connection"));
    Init_Lang_Table();
}

TEST(ParGenTexts, BlocksCoverTheWindowsIndexes)
{
    Add_Lang_Block_Source(&ParGen_Lang_Blocks);
    Init_Lang_Table();
    EXPECT_EQ(Lang_Str(400), QStringLiteral("Set Communication"));
    EXPECT_EQ(Lang_Str(406), QStringLiteral("IO-Link Slave"));
    EXPECT_EQ(Lang_Str(633), QStringLiteral("EtherNet/IP Master"));
    EXPECT_EQ(Lang_Str(651), QStringLiteral("Insert the Port of EtherNet/IP (fixed to 44818)"));
    EXPECT_EQ(Lang_Str(1307), QStringLiteral("Ethernet Connection"));
    EXPECT_EQ(Lang_Str(1325), QStringLiteral("Insert Fourth byte of Secondary DNS"));
    EXPECT_EQ(Lang_Str(1405), QStringLiteral("Error Primary DNS!! DNS 1 must be between 0 and 255"));
    EXPECT_EQ(Lang_Str(1412), QStringLiteral("Error Secondary DNS!! DNS 4 must be between 0 and 255"));
    EXPECT_EQ(Lang_Str(1470), QStringLiteral("Error EtherNet/IP Master!! IP Address 1 must be between 0 and 255"));
    EXPECT_EQ(Lang_Str(1481), QStringLiteral("Error EtherNet/IP Master!! GATEWAY IP 4 must be between 0 and 255"));
    // The other products' sections have their texts too.
    EXPECT_EQ(Lang_Str(409), QStringLiteral("Serial"));
    EXPECT_EQ(Lang_Str(1413), QStringLiteral("Error Wi-Fi!! IP Address 1 must be between 0 and 255"));
}

// ---------------------------------------------------------------------- picture

TEST_F(ParGenWindow, RendersToPng)
{
    Form->Show();
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), Form->ClientWidth());
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR "/par_gen_window.png");
    EXPECT_TRUE(img.save(path));
    // The group's background and a header's colour are where the sections put them.
    const TPoint body = Form->CPG->ClientToScreen(Point(5, 395 + 20));
    const QPoint local = Form->mapFromGlobal(QPoint(body.X, body.Y));
    EXPECT_EQ(FromQColor(img.pixelColor(local)), TColor(0x00EDF7F8));
    const TPoint inSection = Form->CP_IOLink_Slave->Surface()->ClientToScreen(Point(5, 35));
    EXPECT_EQ(FromQColor(img.pixelColor(Form->mapFromGlobal(QPoint(inSection.X, inSection.Y)))),
              TColor(0x00EDF7F8));
    const TPoint head = Form->CP_IOLink_Slave->ClientToScreen(Point(3, 3));
    EXPECT_EQ(FromQColor(img.pixelColor(Form->mapFromGlobal(QPoint(head.X, head.Y)))), TColor(0x00D8D8E7));
    Form->Hide();
}

// ---------------------------------------------------------------------- with the bank compiler

TEST_F(ParGenWindow, SavedFileCompilesIntoBankOne)
{
    ASSERT_TRUE(QDir(WS().Dir_Project).mkpath(QStringLiteral("bin")));
    Show_And_OK([&] {
        const char* ip[] = {"10", "20", "30", "40"};
        const char* sm[] = {"255", "255", "252", "0"};
        const char* gat[] = {"10", "20", "30", "1"};
        for (size_t i = 0; i < 4; ++i) {
            Form->E_EtherNetIP_Master_IP[i]->SetText(QString::fromLatin1(ip[i]));
            Form->E_EtherNetIP_Master_SM[i]->SetText(QString::fromLatin1(sm[i]));
            Form->E_EtherNetIP_Master_GAT[i]->SetText(QString::fromLatin1(gat[i]));
        }
        Form->CB_EtherNetIP_Master_GAT->SetChecked(true);
    });
    ASSERT_TRUE(Build_Banks());
    ASSERT_TRUE(Save_Banks());
    QFile f(QDir(WS().Dir_Project).filePath(QStringLiteral("bin/bank1.bin")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bank = f.readAll();
    ASSERT_EQ(bank.size(), Bank1_Size);
    const QByteArray expected("\x0A\x14\x1E\x28" "\xFF\xFF\xFC\x00" "\x0A\x14\x1E\x01", 12);
    EXPECT_EQ(bank.mid(40, 12).toHex(' '), expected.toHex(' '));

    // Without "Gateway" the compiler writes no gateway.
    Show_And_OK([&] { Form->CB_EtherNetIP_Master_GAT->SetChecked(false); });
    ASSERT_TRUE(Build_Banks());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(Bank_Data(1).data()) + 48, 4).toHex(), QByteArray("ffffffff"));
}
