// The program started on a temporary program folder: the 42 windows, the steps, the
// project dialogs, a language change, the update check and the settings file.

#include "platform/core/files.h"
#include "platform/core/process.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"
#include "shell/program_windows.h"
#include "shell/version_check.h"
#include "shell/window_set.h"

#include "loopback_stub.h"
#include "qt_print.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {

class ShellProgram : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    std::unique_ptr<TWorkingState> Saved;

    QString ProgramDir() const { return Dir.path(); }
    TWorkingState& Ws() { return WS(); }

    void SetUp() override
    {
        // The program starts in an empty folder: everything it shows is built in.
        ASSERT_TRUE(Dir.isValid());
    }
    // Separate from SetUp so a test can prepare the folder first.
    void Start()
    {
        Saved = Install_Working_State(std::make_unique<TWorkingState>(ProgramDir()));
        Create_Program_Windows();
    }
    void TearDown() override
    {
        TFKalvoraFirmWare::Set_Lang_Trace = nullptr;
        if (FKalvoraFirmWare)
            Destroy_Program_Windows();
        if (Saved)
            Install_Working_State(std::move(Saved));
    }
    void WriteFile(const QString& rel, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(Dir.filePath(rel)).path());
        QFile f(Dir.filePath(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

// Shows modal windows through a script: the handler gets each form and returns the
// result; the class names shown are recorded.
struct TModalScript {
    QStringList Shown;
    TModalScope Scope;
    explicit TModalScript(std::function<int(TCustomForm*)> h)
        : Scope([this, h](TCustomForm* f) {
              Shown << f->ClassName();
              return h ? h(f) : int(mrCancel);
          })
    {
    }
};

} // namespace

TEST_F(ShellProgram, FirstStartCreatesTheWindowsInOrderAndTheProgramFolders)
{
    Start();
    const QStringList expected = {
        "TFKalvoraFirmWare", "TFNew_Project", "TFOpenConf", "TFAbout", "TFSoftOptions", "TFParGen",
        "TFVIZediZadud", "TFBoot", "TFSetAccess", "TFModbus_TCP_Master_Set_Access", "TFBACnetAccess",
        "TFImportEDEFile", "TFBACnet_Eng_Unit", "TFBACnetSlaveSetAccess", "TFReceiveCAN", "TFTransmitCAN",
        "TFSet_PDO_Access", "TFSet_SDO_Client_Access", "TFSet_SDO_Server_Access", "TFDefOffset", "TFDNet",
        "TFEtherCATSlave", "TFIEC_61850_Access", "TFIEC61850_Variables", "TFTLS_Server_Known_Cert",
        "TFReceiveJ1939", "TFTransmitJ1939", "TFMQTT_Set_Topic", "TFTopicTemplate", "TFReceiveNMEA",
        "TFTransmitNMEA", "TFOPC_UA_Add_Server", "TFOPC_UA_Client_Access", "TFOPC_UA_Scan_Server",
        "TFOPC_UA_Server_Access", "TFProfinetFileName", "TFS7_Protocol_Set_Access", "TFSNMPManagerAccess",
        "TFSNMP_Trap_Access", "TFEtherNEtIP_EDS", "TFEtherNetIP_Master_Access", "TFEtherNetIP_Data_Seg"};
    EXPECT_EQ(Program_Window_Classes(), expected);
    EXPECT_EQ(Application->MainForm(), FKalvoraFirmWare);

    for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE", "IODD"})
        EXPECT_TRUE(QDir(Dir.filePath(QString::fromLatin1(folder))).exists()) << folder;
    EXPECT_FALSE(QFile::exists(Dir.filePath(QStringLiteral("Kalvora.xml"))));

    TFKalvoraFirmWare* w = FKalvoraFirmWare;
    EXPECT_EQ(w->Caption(), QStringLiteral("Norvel - Configurator TK27518 - IO-Link Slave / EtherNet/IP Master "));
    EXPECT_EQ(w->ClientWidth(), 694);
    EXPECT_EQ(w->ClientHeight(), 484);
    EXPECT_EQ(w->L_Name_Conf->Caption(), QStringLiteral("None Configuration Opened "));
    EXPECT_EQ(w->L_SW_Code->Caption(), QStringLiteral("TK27518"));
    EXPECT_FALSE(w->Timer_Update->Enabled());
    EXPECT_FALSE(w->LL_Update->Visible());

    // The steps of this product are shown at their places, the other protocols hidden.
    struct Shown {
        TLbButton* b;
        int left, top;
        const char* caption;
    };
    const Shown shown[] = {
        {w->Btn_New, 80, 112, "New Configuration"}, {w->Btn_Open, 258, 112, "Open Configuration"},
        {w->Btn_Prm_Gen, 80, 156, "Set Communication"}, {w->Btn_IOLink_Set_Access, 80, 200, "IO-Link Set Access"},
        {w->Btn_EtherNetIP_Access, 80, 244, nullptr}, {w->Btn_IOLink_IODD, 80, 288, "IO-Link IODD File"},
        {w->Btn_CreateBin, 80, 332, "Update Device UDP"},
    };
    for (const Shown& s : shown) {
        SCOPED_TRACE(s.b->Name().toStdString());
        EXPECT_TRUE(s.b->Visible());
        EXPECT_EQ(s.b->Left(), s.left);
        EXPECT_EQ(s.b->Top(), s.top);
        EXPECT_EQ(s.b->Width(), 170);
        EXPECT_EQ(s.b->Height(), 36);
        if (s.caption) {
            EXPECT_EQ(s.b->Caption(), QString::fromLatin1(s.caption));
        }
    }
    const auto all = w->Step_Buttons();
    EXPECT_EQ(all.size(), 31u);
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](TLbButton* b) { return b->Visible(); }), 7);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(w->L_Step[i]->Visible(), i < 6);
}

// Start-up makes the costly parts of a window (list views, a grid's editors, native
// windows) only when they are first needed; every window must still exist right after
// start-up, in its place in the order, with its texts set from the language table.
TEST_F(ShellProgram, AfterStartEveryWindowExistsInOrderWithItsTexts)
{
    Start();
    TCustomForm* const inOrder[] = {
        FKalvoraFirmWare, FNew_Project, FOpenConf, FAbout, FSoftOptions, FParGen, FVIZediZadud, FBoot, FSetAccess,
        FModbus_TCP_Master_Set_Access, FBACnetAccess, FImportEDEFile, FBACnet_Eng_Unit, FBACnetSlaveSetAccess,
        FReceiveCAN, FTransmitCAN, FSet_PDO_Access, FSet_SDO_Client_Access, FSet_SDO_Server_Access, FDefOffset,
        FDNet, FEtherCATSlave, FIEC_61850_Access, FIEC61850_Variables, FTLS_Server_Known_Cert, FReceiveJ1939,
        FTransmitJ1939, FMQTT_Set_Topic, FTopicTemplate, FReceiveNMEA, FTransmitNMEA, FOPC_UA_Add_Server,
        FOPC_UA_Client_Access, FOPC_UA_Scan_Server, FOPC_UA_Server_Access, FProfinetFileName,
        FS7_Protocol_Set_Access, FSNMPManagerAccess, FSNMP_Trap_Access, FEtherNEtIP_EDS,
        FEtherNetIP_Master_Access, FEtherNetIP_Data_Seg};
    ASSERT_EQ(Application->FormCount(), 42);
    for (int i = 0; i < 42; ++i) {
        TCustomForm* f = inOrder[i];
        ASSERT_NE(f, nullptr) << "window " << i;
        SCOPED_TRACE(f->ClassName().toStdString());
        EXPECT_EQ(Application->Forms(i), f);
        EXPECT_FALSE(f->Visible());
        // The update window's title names the kind of update; it is chosen when the window opens.
        if (f != FBoot)
            EXPECT_FALSE(f->Caption().trimmed().isEmpty());
        int texts = 0;
        for (const TControl* c : f->findChildren<TControl*>())
            if (!c->Caption().trimmed().isEmpty())
                ++texts;
        EXPECT_GT(texts, 0) << "no control of the window has its text";
    }
    // Texts from the language table, on the first window and on the last ones made.
    EXPECT_EQ(FKalvoraFirmWare->Btn_New->Caption(), Lang_Str(15));
    EXPECT_EQ(FNew_Project->Caption(), Lang_Str(100));
    EXPECT_EQ(FEtherNetIP_Master_Access->Caption(), Lang_Str(5300));
    EXPECT_EQ(FEtherNetIP_Master_Access->L_SW_Desc->Caption(), Lang_Str(5301));
}

TEST_F(ShellProgram, ProjectStepsWithoutAProjectShowTheErrorAndNothingElse)
{
    Start();
    TDialogResponder answers;
    TModalScript modal(nullptr);
    TFKalvoraFirmWare* w = FKalvoraFirmWare;
    for (TLbButton* b : {w->Btn_Prm_Gen, w->Btn_IOLink_Set_Access, w->Btn_EtherNetIP_Access, w->Btn_IOLink_IODD,
                         w->Btn_CreateBin, w->Btn_SNMP_MIB}) {
        SCOPED_TRACE(b->Name().toStdString());
        const int before = answers.MessageCount();
        w->Btn_Click(b);  // also the hidden buttons keep their action
        EXPECT_EQ(answers.MessageCount(), before + 1);
        EXPECT_EQ(answers.LastText(), QStringLiteral("Error! Project not Valid"));
        EXPECT_EQ(answers.Requests.back().DlgType, mtError);
        EXPECT_EQ(answers.Requests.back().Buttons, TMsgDlgButtons(mbOK));
    }
    EXPECT_TRUE(modal.Shown.isEmpty());

    // Information and options need no project.
    w->Btn_Info->Click();
    w->Btn_Opz->Click();
    EXPECT_EQ(modal.Shown, (QStringList{"TFAbout", "TFSoftOptions"}));
}

TEST_F(ShellProgram, NewProjectCreatesItsFolderAndOpensIt)
{
    Start();
    TDialogResponder answers;
    QString typed = QStringLiteral("x");
    bool pressEnter = false;
    TModalScript modal([&](TCustomForm* f) -> int {
        if (f == FNew_Project) {
            EXPECT_TRUE(FNew_Project->E_New_Proj->Text().isEmpty()) << "emptied on every show";
            FNew_Project->E_New_Proj->SetText(typed);
            if (pressEnter)
                QTest::keyClick(FNew_Project->E_New_Proj->LineEdit(), Qt::Key_Return);
            else
                FNew_Project->Btn_OK->Click();
            return FNew_Project->ModalResult() == mrOk ? int(mrOk) : int(mrCancel);
        }
        return mrCancel;
    });
    TFKalvoraFirmWare* w = FKalvoraFirmWare;
    w->Btn_New->Click();
    const QString folder = PathJoin(Ws().Dir_Projects, QStringLiteral("x"));
    EXPECT_TRUE(QDir(folder + QStringLiteral("/bin")).exists());
    EXPECT_EQ(Ws().Dir_Project, folder);
    EXPECT_EQ(Ws().Name_File_ParGen, folder + QStringLiteral("/ParGen.xml"));
    EXPECT_EQ(w->L_Name_Conf->Caption(), Lang_Str(11));
    EXPECT_EQ(w->L_Name_Conf_L2->Caption(), QStringLiteral("x"));
    EXPECT_EQ(answers.MessageCount(), 0);

    // Now the steps reach their windows.
    w->Btn_Prm_Gen->Click();
    w->Btn_IOLink_Set_Access->Click();
    w->Btn_EtherNetIP_Access->Click();
    EXPECT_EQ(modal.Shown.mid(1), (QStringList{"TFParGen", "TFVIZediZadud", "TFEtherNetIP_Master_Access"}));

    // The same name in other letters is refused and nothing changes; Enter in the
    // name field is the OK button.
    typed = QStringLiteral("X");
    pressEnter = true;
    w->Btn_New->Click();
    EXPECT_EQ(answers.LastText(), Lang_Str(106));
    EXPECT_EQ(Ws().Dir_Project, folder);
}

TEST_F(ShellProgram, OpenPreselectsTheOpenProjectIgnoringCase)
{
    Start();
    QDir().mkpath(PathJoin(Ws().Dir_Projects, QStringLiteral("Alpha")));
    QDir().mkpath(PathJoin(Ws().Dir_Projects, QStringLiteral("Beta")));
    Ws().Project_Name = QStringLiteral("BETA");
    Ws().Dir_Project = PathJoin(Ws().Dir_Projects, QStringLiteral("BETA"));

    int selected = -2;
    TModalScript modal([&](TCustomForm* f) -> int {
        if (f != FOpenConf)
            return mrCancel;
        selected = FOpenConf->ListBox1->ItemIndex();
        return mrOk;
    });
    FKalvoraFirmWare->Btn_Open->Click();
    ASSERT_GE(selected, 0);
    EXPECT_EQ(FOpenConf->ListBox1->Items()->Strings(selected), QStringLiteral("Beta"));
    EXPECT_EQ(FOpenConf->Name_Conf, QStringLiteral("Beta"));
    EXPECT_EQ(Ws().Dir_Project, PathJoin(Ws().Dir_Projects, QStringLiteral("Beta")));
    EXPECT_EQ(FKalvoraFirmWare->L_Name_Conf_L2->Caption(), QStringLiteral("Beta"));
}

TEST_F(ShellProgram, OpenWithAnEmptyListDoesNotReopenADeletedProject)
{
    Start();
    const QString gone = PathJoin(Ws().Dir_Projects, QStringLiteral("Gone"));
    QDir().mkpath(gone);
    TModalScript modal([](TCustomForm* f) -> int { return f == FOpenConf ? int(mrOk) : int(mrCancel); });
    FKalvoraFirmWare->Btn_Open->Click();
    ASSERT_EQ(FOpenConf->Name_Conf, QStringLiteral("Gone"));
    ASSERT_EQ(Ws().Dir_Project, gone);

    QDir(gone).removeRecursively();
    FKalvoraFirmWare->Btn_Open->Click();  // the list is empty, OK still returns the old name
    EXPECT_TRUE(Ws().Dir_Project.isEmpty());
    EXPECT_EQ(FKalvoraFirmWare->L_Name_Conf->Caption(), Lang_Str(9));
    EXPECT_EQ(FKalvoraFirmWare->L_Name_Conf_L2->Caption(), Lang_Str(10));
    TDialogResponder answers;
    FKalvoraFirmWare->Btn_Prm_Gen->Click();
    EXPECT_EQ(answers.LastText(), QStringLiteral("Error! Project not Valid"));
}

TEST_F(ShellProgram, ALanguageChosenInOptionsRelabelsTheFortyWindowsInOrder)
{
    WriteFile(QStringLiteral("LANGUAGE/Italiano.lng"),
              "/#/ test language\r\n"
              "STR15 = Nuova Configurazione\r\n"
              "STR18 = Errore! Progetto non valido\r\n"
              "STR100 = Crea Nuova Configurazione\r\n"
              "STR312 = Conferma\r\n");
    Start();
    QStringList trace;
    TFKalvoraFirmWare::Set_Lang_Trace = [&](const QString& c) { trace << c; };
    TDialogResponder answers;
    answers.QueueResult(mrYes);  // change the language?
    TModalScript modal([](TCustomForm* f) -> int {
        if (f != FSoftOptions)
            return mrCancel;
        EXPECT_EQ(FSoftOptions->SL_Languages, QStringList{QStringLiteral("Italiano.lng")});
        EXPECT_TRUE(FSoftOptions->L_L[0]->Visible());
        FSoftOptions->LangClick(1);
        FSoftOptions->Btn_OKClick();
        return mrOk;
    });
    FKalvoraFirmWare->Btn_Opz->Click();

    EXPECT_EQ(trace, TFKalvoraFirmWare::Change_Language_Order());
    EXPECT_EQ(trace.size(), 40);
    EXPECT_FALSE(trace.contains(QStringLiteral("TFAbout")));
    EXPECT_FALSE(trace.contains(QStringLiteral("TFEtherNetIP_Data_Seg")));
    EXPECT_EQ(FKalvoraFirmWare->Btn_New->Caption(), QStringLiteral("Nuova Configurazione"));
    EXPECT_EQ(FNew_Project->Caption(), QStringLiteral("Crea Nuova Configurazione"));
    EXPECT_EQ(FSoftOptions->Btn_OK->Caption(), QStringLiteral("Conferma"));
    EXPECT_EQ(FAbout->Label3->Caption(), QStringLiteral("Version :"));

    // OK stored the language and wrote the settings file.
    EXPECT_EQ(Ws().Language_Name, QStringLiteral("Italiano"));
    const QString xml = QString::fromUtf8(ReadBinaryFile(Dir.filePath(QStringLiteral("Kalvora.xml"))));
    EXPECT_TRUE(xml.contains(QStringLiteral("<language>Italiano</language>"))) << xml.toStdString();

    FKalvoraFirmWare->Btn_Prm_Gen->Click();
    EXPECT_EQ(answers.LastText(), QStringLiteral("Errore! Progetto non valido"));
}

TEST_F(ShellProgram, OptionsOkAppliesTheUpdateTimerRule)
{
    Start();
    TFKalvoraFirmWare* w = FKalvoraFirmWare;
    struct Case {
        bool internet, update, timer;
    };
    for (const Case c : {Case{true, true, true}, Case{true, false, false}, Case{false, true, false}}) {
        TModalScript modal([&](TCustomForm* f) -> int {
            if (f != FSoftOptions)
                return mrCancel;
            FSoftOptions->CB_En_Con->SetChecked(c.internet);
            FSoftOptions->CB_Update->SetChecked(c.update);
            FSoftOptions->Update_CheckBox();
            EXPECT_EQ(FSoftOptions->CB_Update->Enabled(), c.internet);
            EXPECT_EQ(FSoftOptions->Btn_Check_Update->Enabled(), c.internet && c.update);
            FSoftOptions->Btn_OKClick();
            return mrOk;
        });
        w->Btn_Opz->Click();
        EXPECT_EQ(w->Timer_Update->Enabled(), c.timer);
        EXPECT_EQ(Ws().Enable_Update, c.update) << "kept even while its box is disabled";
    }
    EXPECT_EQ(w->Timer_Update->Interval(), 60000u);
}

TEST_F(ShellProgram, UpdateTimerShowsTheLinkOnlyForANewerVersion)
{
    Start();
    TFKalvoraFirmWare* w = FKalvoraFirmWare;
    const TVersionServer saved = Version_Server();
    {
        TLoopbackHttpStub stub("VER. 1.002");
        Version_Server() = {QStringLiteral("127.0.0.1"), stub.Port(), 3000};
        w->Timer_UpdateTimer();
        EXPECT_TRUE(w->LL_Update->Visible());
        EXPECT_TRUE(w->LL_Update->Caption().contains(Lang_Str(19)));
        EXPECT_TRUE(w->LL_Update->Caption().contains(QStringLiteral("download.asp#MB31804")));
        EXPECT_EQ(w->Timer_Update->Interval(), 7200000u);
        EXPECT_TRUE(w->Timer_Update->Enabled());
    }
    {
        TLoopbackHttpStub silent("", true);
        Version_Server() = {QStringLiteral("127.0.0.1"), silent.Port(), 800};
        QElapsedTimer t;
        t.start();
        w->Timer_UpdateTimer();
        EXPECT_LT(t.elapsed(), 5000);
        EXPECT_FALSE(w->LL_Update->Visible());
    }
    {
        // The options dialog's own check says so in words.
        TLoopbackHttpStub stub("VER. 1.001");
        Version_Server() = {QStringLiteral("127.0.0.1"), stub.Port(), 3000};
        FSoftOptions->Btn_Check_UpdateClick();
        EXPECT_TRUE(FSoftOptions->LL_Check_Update->Visible());
        EXPECT_EQ(FSoftOptions->LL_Check_Update->Caption(), QStringLiteral("No Update Available"));
    }
    Version_Server() = saved;
}

TEST_F(ShellProgram, ClosingWritesTheSettingsFile)
{
    Start();
    Ws().Project_Name = QStringLiteral("Line 1");
    FKalvoraFirmWare->Btn_Close->Click();
    const QString path = Dir.filePath(QStringLiteral("Kalvora.xml"));
    ASSERT_TRUE(QFile::exists(path));
    const QString xml = QString::fromUtf8(ReadBinaryFile(path));
    EXPECT_TRUE(xml.contains(QStringLiteral("<projectname>Line 1</projectname>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<ipaddress>192.168.2.205</ipaddress>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<enable_internet>0</enable_internet>")));
}

TEST_F(ShellProgram, TheLastProjectIsReopenedOnlyWhenItsFolderExists)
{
    WriteFile(QStringLiteral("Kalvora.xml"),
              "<?xml version=\"1.0\"?><Conf_Settings><lastproj><projectname>Kept</projectname></lastproj>"
              "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update></lastinternet>"
              "</Conf_Settings>");
    QDir().mkpath(Dir.filePath(QStringLiteral("PROJECTS/Kept")));
    Start();
    EXPECT_EQ(FKalvoraFirmWare->L_Name_Conf_L2->Caption(), QStringLiteral("Kept"));
    EXPECT_TRUE(FKalvoraFirmWare->Timer_Update->Enabled());
    EXPECT_EQ(FKalvoraFirmWare->Timer_Update->Interval(), 60000u);
    Destroy_Program_Windows();

    QDir(Dir.filePath(QStringLiteral("PROJECTS/Kept"))).removeRecursively();
    Create_Program_Windows();
    EXPECT_EQ(FKalvoraFirmWare->L_Name_Conf->Caption(), QStringLiteral("None Configuration Opened "));
    EXPECT_TRUE(Ws().Dir_Project.isEmpty());
}

TEST_F(ShellProgram, StartProgramReportsAProgramThatCannotStart)
{
    Start();
    TDialogResponder answers;
    const QString missing = Dir.filePath(QStringLiteral("Ethernet_Update"));
    EXPECT_FALSE(FKalvoraFirmWare->Start_Program(missing, QString(), 0));
    ASSERT_EQ(answers.MessageCount(), 1);
    EXPECT_TRUE(answers.LastText().contains(missing));

    TRecordingLauncher launcher;
    SetProcessLauncher(&launcher);
    EXPECT_TRUE(FKalvoraFirmWare->Start_Program(missing, QString(), 0));
    SetProcessLauncher(nullptr);
    ASSERT_EQ(launcher.Requests.size(), 1u);
    EXPECT_EQ(launcher.Requests[0].ShowMode, 0);
    EXPECT_EQ(launcher.Requests[0].TimeoutMs, 150000);
    EXPECT_EQ(answers.MessageCount(), 1);
}

TEST_F(ShellProgram, MainWindowRendersToPng)
{
    Start();
    FKalvoraFirmWare->Show();
    const QImage img = FKalvoraFirmWare->Snapshot();
    const QString out = QStringLiteral(KV_TEST_BINARY_DIR "/main_window.png");
    ASSERT_TRUE(img.save(out));
    EXPECT_EQ(img.pixel(300, 460) & 0xFFFFFF, 0xF8F7EDu) << "window background";
    // A step button's face next to its glyph.
    const TLbButton* b = FKalvoraFirmWare->Btn_New;
    EXPECT_EQ(img.pixel(b->Left() + 160, b->Top() + 3) & 0xFFFFFF, 0xF8F7EDu);
    FKalvoraFirmWare->Hide();
}

// Started from a folder that holds nothing but the program: every picture button shows
// its picture, because the pictures are built in.
TEST_F(ShellProgram, EveryButtonPictureShowsWhenStartedFromAnEmptyFolder)
{
    ASSERT_TRUE(QDir(ProgramDir()).isEmpty());
    Start();
    FKalvoraFirmWare->Show();
    const QImage with = FKalvoraFirmWare->Snapshot();
    ASSERT_TRUE(with.save(QStringLiteral(KV_TEST_BINARY_DIR "/main_window_empty_folder.png")));
    EXPECT_FALSE(QDir(Dir.filePath(QStringLiteral("Pictures"))).exists());

    TFKalvoraFirmWare* w = FKalvoraFirmWare;
    TLbButton* const buttons[] = {w->Btn_Info,    w->Btn_Opz,        w->Btn_Close,
                                  w->Btn_New,     w->Btn_Open,       w->Btn_Prm_Gen,
                                  w->Btn_IOLink_Set_Access, w->Btn_EtherNetIP_Access, w->Btn_IOLink_IODD,
                                  w->Btn_CreateBin};
    for (TLbButton* b : buttons) {
        ASSERT_TRUE(b->Visible()) << b->Name().toStdString();
        EXPECT_EQ(b->NumGlyphs(), 1) << b->Name().toStdString();
        // The picture is what changes when the button loses it.
        b->SetGlyph(nullptr);
        const QImage without = FKalvoraFirmWare->Snapshot();
        int changed = 0;
        for (int y = b->Top(); y < b->Top() + b->Height(); ++y)
            for (int x = b->Left(); x < b->Left() + b->Width(); ++x)
                changed += with.pixel(x, y) != without.pixel(x, y);
        EXPECT_GT(changed, 50) << b->Name().toStdString();
    }
    FKalvoraFirmWare->Hide();
}

TEST_F(ShellProgram, StepSixCompilesTheBanksThenShowsTheUpdateDialogForTheNetwork)
{
    Start();
    const QString folder = PathJoin(Ws().Dir_Projects, QStringLiteral("p"));
    QDir().mkpath(folder + QStringLiteral("/bin"));
    Ws().Project_Name = QStringLiteral("p");
    Ws().Dir_Project = folder;
    Ws().Set_Files();
    TDialogResponder answers;  // the IODD step's folder picker is cancelled
    int formType = -1;
    TModalScript modal([&](TCustomForm* f) -> int {
        if (f == FBoot)
            formType = FBoot->Form_Type;
        return mrCancel;
    });
    FBoot->Form_Type = 0;
    FKalvoraFirmWare->Btn_CreateBin->Click();
    for (const char* bank : {"bank1.bin", "bank2.bin", "bank3.bin"})
        EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/bin/") + QLatin1String(bank))) << bank;
    EXPECT_EQ(modal.Shown, QStringList{QStringLiteral("TFBoot")});
    EXPECT_EQ(formType, 1);

    FKalvoraFirmWare->Btn_IOLink_IODD->Click();
    EXPECT_EQ(modal.Shown.size(), 1);
}

TEST_F(ShellProgram, LanguagePagesShowSixSlotsAPage)
{
    for (const char* name : {"A1", "b2", "C3", "d4", "E5", "f6", "G7"})
        WriteFile(QStringLiteral("LANGUAGE/%1.lng").arg(QLatin1String(name)), "STR0 = x\n");
    WriteFile(QStringLiteral("LANGUAGE/A1.bmp"), QByteArray());  // unreadable: no picture for A1
    Start();
    // The build places the default flag; here the test does.
    QFile::copy(QStringLiteral(KV_FIXTURES_DIR "/../../resources/program/LANGUAGE/DefaultFlag.bmp"),
                Dir.filePath(QStringLiteral("LANGUAGE/DefaultFlag.bmp")));
    TModalScript modal([](TCustomForm* f) -> int {
        if (f != FSoftOptions)
            return mrCancel;
        TFSoftOptions* o = FSoftOptions;
        EXPECT_EQ(o->Page_Count(), 2);
        EXPECT_EQ(o->L_Page_Lang->Caption(), Lang_Str(305) + "1" + Lang_Str(306) + "2");
        EXPECT_FALSE(o->Btn_Prev->Visible());
        EXPECT_TRUE(o->Btn_Next->Visible());
        for (int i = 0; i < 6; ++i)
            EXPECT_TRUE(o->L_L[i]->Visible()) << i;
        EXPECT_EQ(o->L_L[1]->Caption(), QStringLiteral("b2"));  // ignoring case: A1, b2, C3, ...
        EXPECT_FALSE(o->I_L[0]->Visible()) << "a flag that cannot be read shows nothing";
        EXPECT_TRUE(o->I_L[1]->Visible()) << "the default flag stands in";

        o->Btn_NextClick(o->Btn_Next);
        EXPECT_EQ(o->Show_Page, 2);
        EXPECT_EQ(o->L_Page_Lang->Caption(), Lang_Str(305) + "2" + Lang_Str(306) + "2");
        EXPECT_TRUE(o->Btn_Prev->Visible());
        EXPECT_FALSE(o->Btn_Next->Visible());
        EXPECT_TRUE(o->L_L[0]->Visible());
        EXPECT_EQ(o->L_L[0]->Caption(), QStringLiteral("G7"));
        for (int i = 1; i < 6; ++i)
            EXPECT_FALSE(o->L_L[i]->Visible()) << i;
        o->Btn_NextClick(o->Btn_Next);  // no third page
        EXPECT_EQ(o->Show_Page, 2);
        o->Btn_NextClick(o->Btn_Prev);
        EXPECT_EQ(o->Show_Page, 1);
        return mrCancel;
    });
    FKalvoraFirmWare->Btn_Opz->Click();
    EXPECT_EQ(modal.Shown, QStringList{QStringLiteral("TFSoftOptions")});
}

TEST_F(ShellProgram, ASettingsFileThatCannotBeWrittenIsReportedAndTheProgramStillCloses)
{
    Start();
    TDialogResponder answers;
    SetAtomicWriteHookForTests([](const QString&) { throw EInOutError(QStringLiteral("disk full")); });
    FKalvoraFirmWare->Show();
    FKalvoraFirmWare->Btn_Close->Click();
    SetAtomicWriteHookForTests(nullptr);
    ASSERT_EQ(answers.MessageCount(), 1);
    EXPECT_TRUE(answers.LastText().contains(QStringLiteral("Kalvora.xml")));
    EXPECT_FALSE(FKalvoraFirmWare->isVisible());
    EXPECT_FALSE(QFile::exists(Dir.filePath(QStringLiteral("Kalvora.xml"))));
}
