// Keys typed at once after a modal window of an editor closes land in the editor, as
// they do when the desktop gives the window below the keyboard back.

#include "editor_session.h"

#include "editors_modbus_bacnet/modbus_tcp_master_window.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using ModalFocus = TEditorSession;

TEST_F(ModalFocus, ValueRetypedRightAfterItsErrorMessageLands)
{
    Run([&](TE2eUser& u) {
        auto* w = FModbus_TCP_Master_Set_Access;
        Open_Editor(u, FKalvoraFirmWare->Btn_Modbus_Set_Access, w);
        TKvStringGrid* g = w->KCG_Modbus_Read;
        Type_Cell(u, g, 2, 1, QStringLiteral("192.168.1.300"));
        Type_Cell(u, g, 3, 1, QStringLiteral("502"));
        u.Click(w->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Error row 1!! [Modbus Read] Slave IP Address must be a valid TCP "
                                                   "IP Address (Ex. 192.168.1.125)"));
        u.Answer(QStringLiteral("OK"));
        Type_Cell(u, g, 2, 1, QStringLiteral("192.168.1.30"));
        u.Snapshot(w, QStringLiteral("retyped"));
    });
}
