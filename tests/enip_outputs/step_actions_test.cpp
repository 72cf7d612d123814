// Steps 5 and 6 as the main window runs them: working state paths, the
// folder question and the messages the user sees.

#include "enip_outputs/bank_compiler.h"
#include "enip_outputs/iodd_writer.h"
#include "enip_test_support.h"
#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

namespace {

class StepActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        Init_Lang_Table();
        auto ws = std::make_unique<TWorkingState>(Exe.path());
        ws->Create_Program_Folders();
        ws->Dir_Project = ws->Dir_Projects + QStringLiteral("/P1");
        Copy_Tree(Fixture_Path(QStringLiteral("full_project")), ws->Dir_Project);
        ws->Set_Files();
        for (const QString& p : IODD_Picture_Names)
            QFile::copy(QStringLiteral(KV_FIXTURES_DIR "/../../resources/program/IODD/") + p,
                        ws->Dir_IODD + QLatin1Char('/') + p);
        Saved = Install_Working_State(std::move(ws));
    }
    void TearDown() override { Install_Working_State(std::move(Saved)); }

    QString Base() const { return IODD_Base_Name(QDate::currentDate()); }
    QString Package() const { return Target.filePath(Base() + QStringLiteral(".zip")); }
    QString Document() const { return WS().Dir_IODD + QLatin1Char('/') + Base() + QStringLiteral(".xml"); }

    QStringList Package_Entries() const
    {
        QProcess p;
        p.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), Package()});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir Exe;
    QTemporaryDir Target;
    std::unique_ptr<TWorkingState> Saved;
    TDialogResponder Dialogs;
};

TEST_F(StepActions, UpdateStepWritesTheThreeBanksIntoTheProject)
{
    ASSERT_TRUE(Build_Banks());
    ASSERT_TRUE(Save_Banks());
    EXPECT_EQ(Dialogs.MessageCount(), 0);
    const QString bin = WS().Dir_Project + QStringLiteral("/bin/");
    EXPECT_EQ(Read_File(bin + QStringLiteral("bank1.bin")).size(), 2048);
    EXPECT_EQ(Read_File(bin + QStringLiteral("bank2.bin")).size(), 427);
    EXPECT_EQ(Read_File(bin + QStringLiteral("bank3.bin")).size(), 68);
}

TEST_F(StepActions, BankFileThatCannotBeWrittenIsNamed)
{
    QDir(WS().Dir_Project + QStringLiteral("/bin")).removeRecursively();
    ASSERT_TRUE(Build_Banks());
    EXPECT_FALSE(Save_Banks());
    ASSERT_EQ(Dialogs.MessageCount(), 1);
    EXPECT_TRUE(Dialogs.LastText().contains(QStringLiteral("bank1.bin"))) << Dialogs.LastText().toStdString();
}

TEST_F(StepActions, MalformedProjectFileStopsTheUpdateStep)
{
    Write_File(WS().Name_File_EtherNetIP_Master_Rules, "<EtherNetIP_Master_Access><row");
    EXPECT_FALSE(Build_Banks());
    EXPECT_TRUE(Dialogs.LastText().contains(QStringLiteral("EtherNetIP_Master_Rules.xml")));
}

TEST_F(StepActions, IoddStepWritesThePackageIntoTheChosenFolder)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip not installed: archive check skipped";
    Dialogs.QueueFile(Target.path());
    ASSERT_TRUE(Save_IODD_File());
    EXPECT_EQ(Dialogs.MessageCount(), 0) << Dialogs.LastText().toStdString();
    ASSERT_EQ(Dialogs.Requests.size(), 1u);
    EXPECT_EQ(Dialogs.Requests[0].Kind, TDialogRequest::dkFolder);
    EXPECT_EQ(Dialogs.Requests[0].InitialDir, WS().Dir_Project);
    EXPECT_TRUE(QFile::exists(Document()));
    EXPECT_FALSE(QFile::exists(Target.filePath(Base() + QStringLiteral(".xml"))));
    EXPECT_EQ(Package_Entries(), (QStringList{Base() + QStringLiteral(".xml"), QStringLiteral("Norvel-pic.png"),
                                              QStringLiteral("Norvel-icon.png"), QStringLiteral("Norvel-logo.png")}));

    // The package exists now: "No" leaves everything as it was.
    const QByteArray package = Read_File(Package());
    const QByteArray document = Read_File(Document());
    QFile::remove(Document());
    Dialogs.QueueFile(Target.path());
    Dialogs.QueueResult(mrNo);
    EXPECT_FALSE(Save_IODD_File());
    EXPECT_EQ(Dialogs.LastText(), QStringLiteral("File already exists. Do you want to overwrite?"));
    EXPECT_EQ(Dialogs.Requests.back().DlgType, mtConfirmation);
    EXPECT_FALSE(QFile::exists(Document()));
    EXPECT_EQ(Read_File(Package()), package);

    // "Yes" writes both again.
    Dialogs.QueueFile(Target.path());
    Dialogs.QueueResult(mrYes);
    EXPECT_TRUE(Save_IODD_File());
    EXPECT_EQ(Read_File(Document()), document);  // same day: same document, same stamp
}

TEST_F(StepActions, MissingLogoIsReportedAndTheOtherEntriesStay)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip not installed: archive check skipped";
    QFile::remove(WS().Dir_IODD + QStringLiteral("/Norvel-logo.png"));
    Dialogs.QueueFile(Target.path());
    EXPECT_FALSE(Save_IODD_File());
    EXPECT_TRUE(Dialogs.LastText().contains(QStringLiteral("Norvel-logo.png"))) << Dialogs.LastText().toStdString();
    EXPECT_EQ(Package_Entries(), (QStringList{Base() + QStringLiteral(".xml"), QStringLiteral("Norvel-pic.png"),
                                              QStringLiteral("Norvel-icon.png")}));
}

TEST_F(StepActions, ProjectWithoutEnabledVariableIsRefusedWithAMessage)
{
    Write_File(WS().Name_File_IOLink_Slave,
               "<VIZediZadud><Variables><row Enable=\"N\" Index=\"64\" Length=\"8\" Access=\"Read Only\"/></Variables>"
               "<Process_Data><Process_Data_Input><row Enable=\"Y\" Length=\"8\"/></Process_Data_Input>"
               "<Process_Data_Output/></Process_Data></VIZediZadud>");
    Dialogs.QueueFile(Target.path());
    EXPECT_FALSE(Save_IODD_File());
    EXPECT_TRUE(Dialogs.LastText().contains(QStringLiteral("no enabled IO-Link variable")));
    EXPECT_FALSE(QFile::exists(Document()));
    EXPECT_FALSE(QFile::exists(Package()));
}

TEST_F(StepActions, DataTheSchemaWouldRejectIsRefusedBeforeAnyFileIsTouched)
{
    const struct {
        const char* variables;
        const char* message;
    } cases[] = {
        {"<row Enable=\"Y\" Index=\"70000\" Name=\"Far\" Length=\"8\" Access=\"Read Only\"/>",
         "\"Far\" has the index 70000"},
        {"<row Enable=\"Y\" Index=\"9\" Name=\"A\" Length=\"8\" Access=\"Read Only\"/>"
         "<row Enable=\"N\" Index=\"9\" Name=\"Off\" Length=\"8\" Access=\"Read Only\"/>"
         "<row Enable=\"Y\" Index=\"0x9\" Name=\"B\" Length=\"8\" Access=\"Read Only\"/>",
         "\"A\" and \"B\" both have the index 9"},
        {"<row Enable=\"Y\" Index=\"9\" Name=\"U\" Length=\"8\" UnitCode=\"-1\" Access=\"Read Only\"/>",
         "\"U\" (index 9) has the unit code -1"},
    };
    for (const auto& c : cases) {
        Write_File(WS().Name_File_IOLink_Slave,
                   QByteArray("<VIZediZadud><Variables>") + c.variables +
                       "</Variables><Process_Data><Process_Data_Input><row Enable=\"Y\" Length=\"8\"/>"
                       "</Process_Data_Input></Process_Data></VIZediZadud>");
        Dialogs.QueueFile(Target.path());
        const int before = Dialogs.MessageCount();
        EXPECT_FALSE(Save_IODD_File()) << c.message;
        EXPECT_EQ(Dialogs.MessageCount(), before + 1) << c.message;
        EXPECT_TRUE(Dialogs.LastText().contains(QString::fromLatin1(c.message))) << Dialogs.LastText().toStdString();
        EXPECT_FALSE(QFile::exists(Document())) << c.message;
        EXPECT_FALSE(QFile::exists(Package())) << c.message;
    }
}

TEST_F(StepActions, PackageThatCannotBeWrittenKeepsThePreviousOneAndSaysSo)
{
    Dialogs.QueueFile(Target.path());
    ASSERT_TRUE(Save_IODD_File());
    const QByteArray package = Read_File(Package());
    // Only the package's write fails, as on a full target folder.
    SetAtomicWriteHookForTests([](const QString& temp) {
        if (temp.contains(QStringLiteral(".zip.")))
            throw EInOutError(QStringLiteral("No space left on device"));
    });
    Dialogs.QueueFile(Target.path());
    Dialogs.QueueResult(mrYes);
    const bool written = Save_IODD_File();
    SetAtomicWriteHookForTests(nullptr);
    EXPECT_FALSE(written);
    EXPECT_EQ(Dialogs.LastText(),
              QStringLiteral("The IODD package %1 cannot be written; the previous package is kept.").arg(Package()));
    EXPECT_EQ(Read_File(Package()), package);
}

TEST_F(StepActions, SurplusVariablesAreLeftOutWithOneMessage)
{
    QByteArray xml = "<VIZediZadud><Variables>";
    for (int i = 0; i < 600; ++i)
        xml += "<row Enable=\"Y\" Index=\"" + QByteArray::number(1000 + i) + "\" Name=\"V" + QByteArray::number(i) +
               "\" Access=\"Read Only\" Length=\"8\" UnitCode=\"1000\"/>";
    xml += "</Variables><Process_Data><Process_Data_Input><row Enable=\"Y\" Length=\"8\"/></Process_Data_Input>"
           "</Process_Data></VIZediZadud>";
    Write_File(WS().Name_File_IOLink_Slave, xml);
    Dialogs.QueueFile(Target.path());
    EXPECT_TRUE(Save_IODD_File());
    EXPECT_EQ(Dialogs.MessageCount(), 1);
    EXPECT_EQ(Dialogs.LastText(), QStringLiteral("The IO-Link device takes 512 variables; 88 further enabled variables "
                                                 "were left out."));
    EXPECT_EQ(Dialogs.Requests.back().DlgType, mtWarning);
    const QByteArray doc = Read_File(Document());
    EXPECT_TRUE(doc.contains("<Variable id=\"PAR_511\" accessRights=\"ro\"  index=\"1511\""));
    EXPECT_FALSE(doc.contains("PAR_512"));
    EXPECT_EQ(doc.count("<Variable id="), 512);
}

TEST_F(StepActions, CancelledFolderQuestionWritesNothing)
{
    Dialogs.QueueCancel();
    EXPECT_FALSE(Save_IODD_File());
    EXPECT_FALSE(QFile::exists(Document()));
    EXPECT_EQ(Dialogs.MessageCount(), 0);
}

}  // namespace
