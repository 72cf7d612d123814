// Steps 5 and 6 as the main window runs them: working state paths, the
// folder question and the messages the user sees.

#include "enip_outputs/bank_compiler.h"
#include "enip_outputs/iodd_writer.h"
#include "enip_test_support.h"
#include "platform/ui/dialogs.h"
#include "shell/common/lang_table.h"
#include "shell/common/working_state.h"

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

TEST_F(StepActions, CancelledFolderQuestionWritesNothing)
{
    Dialogs.QueueCancel();
    EXPECT_FALSE(Save_IODD_File());
    EXPECT_FALSE(QFile::exists(Document()));
    EXPECT_EQ(Dialogs.MessageCount(), 0);
}

}  // namespace
