// Steps 5 and 6 driven from the running program's main window.

#include "enip_outputs/boot_window.h"
#include "enip_outputs/iodd_writer.h"
#include "enip_test_support.h"
#include "platform/ui/dialogs.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(MainWindowSteps, UpdateAndIoddStepsWriteTheirFiles)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip not installed: archive check skipped";
    QTemporaryDir exe, target;
    auto state = std::make_unique<TWorkingState>(exe.path());
    state->Create_Program_Folders();
    for (const QString& p : IODD_Picture_Names)
        QFile::copy(QStringLiteral(KV_FIXTURES_DIR "/../../resources/program/IODD/") + p,
                    state->Dir_IODD + QLatin1Char('/') + p);
    Copy_Tree(Fixture_Path(QStringLiteral("full_project")), state->Dir_Projects + QStringLiteral("/P1"));
    auto saved = Install_Working_State(std::move(state));

    TDialogResponder dialogs;
    Create_Program_Windows();
    TWorkingState& ws = WS();
    ws.Project_Name = QStringLiteral("P1");
    ws.Dir_Project = ws.Dir_Projects + QStringLiteral("/P1");
    FKalvoraFirmWare->Set_Files();

    // Step 6: the banks, then the update window in its Ethernet form.
    QString shownCaption;
    {
        TModalScope modal([&](TCustomForm* f) {
            if (f == FBoot)
                shownCaption = f->Caption();
            return int(mrCancel);
        });
        FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_CreateBin);
    }
    EXPECT_EQ(dialogs.MessageCount(), 0) << dialogs.LastText().toStdString();
    const QString bin = ws.Dir_Project + QStringLiteral("/bin/");
    EXPECT_EQ(Read_File(bin + QStringLiteral("bank1.bin")).size(), 2048);
    EXPECT_EQ(Read_File(bin + QStringLiteral("bank2.bin")).size(), 427);
    EXPECT_EQ(Read_File(bin + QStringLiteral("bank3.bin")).size(), 68);
    EXPECT_EQ(FBoot->Form_Type, 1);
    EXPECT_EQ(shownCaption, QStringLiteral("Update Device by Ethernet (UDP)"));

    // Step 5 with the folder answered by the test.
    dialogs.QueueFile(target.path());
    FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_IOLink_IODD);
    EXPECT_EQ(dialogs.MessageCount(), 0) << dialogs.LastText().toStdString();
    const QString base = IODD_Base_Name(QDate::currentDate());
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), target.filePath(base + QStringLiteral(".zip"))});
    unzip.waitForFinished(30000);
    EXPECT_EQ(QString::fromUtf8(unzip.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{base + QStringLiteral(".xml"), QStringLiteral("Norvel-pic.png"),
                           QStringLiteral("Norvel-icon.png"), QStringLiteral("Norvel-logo.png")}));

    Destroy_Program_Windows();
    Install_Working_State(std::move(saved));
}

}  // namespace
