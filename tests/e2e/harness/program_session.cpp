#include "program_session.h"

#include "platform/ui/forms.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

void Copy_Tree(const QString& From, const QString& To)
{
    QDirIterator it(From, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString target = To + QLatin1Char('/') + QDir(From).relativeFilePath(f);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(f, target);
    }
}

}  // namespace

TProgramSession::TProgramSession() = default;
TProgramSession::~TProgramSession() = default;

void TProgramSession::SetUp()
{
    ASSERT_TRUE(FDir.isValid());
    // The files the build copies beside the executable.
    Copy_Tree(QStringLiteral(KV_PROGRAM_RESOURCES), FDir.path());
    FSaved_State = Install_Working_State(std::make_unique<TWorkingState>(FDir.path()));
}

void TProgramSession::TearDown()
{
    if (FKalvoraFirmWare)
        Destroy_Program_Windows();
    Install_Working_State(std::move(FSaved_State));
}

void TProgramSession::Open_Project(const QString& Name, const QString& From)
{
    ASSERT_FALSE(FKalvoraFirmWare) << "the program has started already";
    // The program reopens the project of its last run, as it finds it in its settings.
    TWorkingState& ws = WS();
    ws.Create_Program_Folders();
    const QString folder = ws.Dir_Projects + QLatin1Char('/') + Name;
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/bin")));
    if (!From.isEmpty())
        Copy_Tree(From, folder);
    ws.Project_Name = Name;
    ws.Save_Setting();
}

void TProgramSession::Run(const std::function<void(TE2eUser&)>& Script)
{
    if (!FKalvoraFirmWare) {
        Application->ClearTerminated();
        Application->SetTitle(QStringLiteral("Kalvora"));
        Create_Program_Windows();
    }
    // The start shows the main window; the loop that follows is the user's.
    FKalvoraFirmWare->Show();
    Run_As_User(Script);
}

void TProgramSession::Press_Hidden(TE2eUser& User, TLbButton* Button)
{
    EXPECT_FALSE(User.Ui([Button] { return Button->Visible(); })) << "the button is visible: click it instead";
    User.Post([Button] { TControl::Guard([Button] { FKalvoraFirmWare->Btn_Click(Button); }); });
}
