// Steps 5 and 6 from the main window on a project that holds its three files: the IODD
// package written into the folder chosen in the folder dialog (and the overwrite
// question the second time), then the banks compiled and the update window, where the
// address typed is checked by echo and the update job written. The echo and the
// launch of the outside updater go through their seams: the echo answers only for
// 127.0.0.1 and nothing leaves the machine; the updater is not part of the build.

#include "main_road.h"

#include "enip_outputs/boot_window.h"
#include "enip_outputs/update_job.h"
#include "platform/core/files.h"
#include "platform/core/icmp.h"
#include "platform/core/process.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSet>

using MainRoadSteps5And6 = TProgramSession;

namespace {

// Answers an echo from the loopback address only, and remembers every address asked.
class TLoopback_Pinger : public IPinger {
public:
    TPingReply Echo(const QString& Host, const QByteArray& Payload, int) override
    {
        QMutexLocker lock(&Mutex);
        Hosts << Host;
        TPingReply r;
        if (Host == QLatin1String("127.0.0.1")) {
            r.TimedOut = false;
            r.BytesReceived = int(Payload.size()) + 8;
            r.FromAddress = Host;
        }
        return r;
    }
    QMutex Mutex;
    QStringList Hosts;
};

QString Project_File(const QString& Name) { return WS().Dir_Project + QLatin1Char('/') + Name; }

}  // namespace

TEST_F(MainRoadSteps5And6, IoddPackageThenBanksAndUpdateJob)
{
    Open_Project(QStringLiteral("P1"), QStringLiteral(KV_FIXTURES_DIR "/enip_outputs/full_project"));
    TLoopback_Pinger pinger;
    TRecordingLauncher launcher;
    SetPinger(&pinger);
    SetProcessLauncher(&launcher);
    QTemporaryDir target;
    Run([&](TE2eUser& u) {
        // Step 5, twice: the second time the package exists and the question comes.
        for (const bool again : {false, true}) {
            u.Click(FKalvoraFirmWare->Btn_IOLink_IODD);
            u.Choose_File(target.path());
            if (again) {
                EXPECT_FALSE(u.Message_Text().isEmpty());
                u.Answer(QStringLiteral("Yes"));
            }
            u.Wait(QStringLiteral("the IODD package"),
                   [&] { return !QDir(target.path()).entryList({QStringLiteral("*.zip")}).isEmpty(); });
        }

        // Step 6: the banks, then the update window; the address typed with its dots.
        u.Click(FKalvoraFirmWare->Btn_CreateBin);
        u.Wait_Shown(FBoot);
        Type_Over(u, FBoot->E_IP1, QStringLiteral("127.0.0.1"));
        u.Wait(QStringLiteral("the address in the four fields"), [] { return FBoot->IP_Text() == QLatin1String("127.0.0.1"); });
        u.Snapshot(FBoot, QStringLiteral("address"));
        u.Click(FBoot->Btn_Update);
        u.Wait(QStringLiteral("the updater launched"), [&] { return !launcher.Requests.empty(); });
        // The window stays open afterwards.
        EXPECT_TRUE(u.Ui([] { return FBoot->isVisible(); }));
        u.Click(FBoot->Btn_Cancel);
        u.Wait_Hidden(FBoot);
    });
    SetPinger(nullptr);
    SetProcessLauncher(nullptr);

    const QStringList packages = QDir(target.path()).entryList({QStringLiteral("*.zip")});
    ASSERT_EQ(packages.size(), 1);
    EXPECT_TRUE(FileExists(WS().Dir_IODD + QLatin1Char('/') + QFileInfo(packages[0]).completeBaseName() +
                           QStringLiteral(".xml")));
    for (const char* bank : {"bin/bank1.bin", "bin/bank2.bin", "bin/bank3.bin"})
        EXPECT_TRUE(FileExists(Project_File(QString::fromLatin1(bank)))) << bank;
    EXPECT_EQ(QSet<QString>(pinger.Hosts.begin(), pinger.Hosts.end()), QSet<QString>({QStringLiteral("127.0.0.1")}));
    ASSERT_EQ(launcher.Requests.size(), 1u);
    EXPECT_EQ(launcher.Requests[0].Program, Program_Dir() + QLatin1Char('/') + Updater_Program_Name);
    QFile job(Program_Dir() + QLatin1Char('/') + Update_Job_File_Name);
    ASSERT_TRUE(job.open(QIODevice::ReadOnly));
    EXPECT_TRUE(job.readAll().contains("127.0.0.1"));
    EXPECT_EQ(WS().Last_IP_Address, QStringLiteral("127.0.0.1"));
}
