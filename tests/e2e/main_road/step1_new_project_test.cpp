// Step 1 from the main window: a new project is named, made and opened.

#include "program_session.h"

#include "platform/core/files.h"
#include "platform/ui/stdctrls.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/new_project.h"

using MainRoadStep1 = TProgramSession;

TEST_F(MainRoadStep1, NewProjectIsMadeAndOpened)
{
    Run([&](TE2eUser& u) {
        u.Wait_Shown(FKalvoraFirmWare);
        u.Click(FKalvoraFirmWare->Btn_New);
        u.Wait_Shown(FNew_Project);
        u.Type(QStringLiteral("Plant 1"));
        u.Wait(QStringLiteral("the typed name"),
               [] { return FNew_Project->E_New_Proj->Text() == QLatin1String("Plant 1"); });
        u.Snapshot(FNew_Project, QStringLiteral("typed"));
        u.Click(FNew_Project->Btn_OK);
        u.Wait_Hidden(FNew_Project);
        EXPECT_EQ(u.Ui([] { return FKalvoraFirmWare->L_Name_Conf_L2->Caption(); }), QStringLiteral("Plant 1"));
        EXPECT_EQ(u.Ui([] { return WS().Dir_Project; }), WS().Dir_Projects + QStringLiteral("/Plant 1"));
    });
    EXPECT_TRUE(DirectoryExists(WS().Dir_Projects + QStringLiteral("/Plant 1/bin")));
}
