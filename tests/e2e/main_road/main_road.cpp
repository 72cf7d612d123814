#include "main_road.h"

#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_eds_window.h"
#include "enip_outputs/enip_master_window.h"
#include "grid/column_grid.h"
#include "grid/grid_editor_controls.h"
#include "params_iolink/iolink_slave_window.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

QString Valve_Island_Eds() { return QStringLiteral(KV_FIXTURES_DIR "/e2e/valve_island.eds"); }

void Open_Step3(TE2eUser& U, TTabSheet* Page)
{
    U.Click(FKalvoraFirmWare->Btn_IOLink_Set_Access);
    U.Wait_Shown(FVIZediZadud);
    if (Page != FVIZediZadud->TS_Variables)
        U.Click_Tab(FVIZediZadud->TS_ProcessData);
    U.Click_Tab(Page);
}

void Open_Step4(TE2eUser& U)
{
    U.Click(FKalvoraFirmWare->Btn_EtherNetIP_Access);
    U.Wait_Shown(FEtherNetIP_Master_Access);
}

void Import_Eds(TE2eUser& U, const QString& Path)
{
    U.Click(FEtherNetIP_Master_Access->Btn_Import_EDS);
    U.Choose_File(Path);
    U.Wait_Shown(FEtherNEtIP_EDS);
    U.Click(FEtherNEtIP_EDS->Btn_OK);
    U.Wait_Hidden(FEtherNEtIP_EDS);
}

void Open_Step4_With_Valve_Island(TE2eUser& U)
{
    Open_Step4(U);
    Import_Eds(U, Valve_Island_Eds());
}

void Open_Data_Segment(TE2eUser& U, int Row)
{
    U.Double_Click_Cell(FEtherNetIP_Master_Access->KCG, 17, Row);
    U.Wait_Shown(FEtherNetIP_Data_Seg);
}

void Type_Into(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text)
{
    U.Click_Cell(Grid, Col, Row);
    U.Type(Text);
    U.Keys(QStringLiteral("Return"));
}

void Pick_In_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Item)
{
    U.Click_Cell(Grid, Col, Row);
    U.Click_Cell(Grid, Col, Row);
    U.Wait(QStringLiteral("the list editor of cell %1,%2").arg(Col).arg(Row),
           [Grid] { return Grid->EditCombo()->isVisible(); });
    U.Pick_Item(Grid->EditCombo(), Item);
    U.Keys(QStringLiteral("Return"));
}

void Type_Over(TE2eUser& U, const QWidget* Edit, const QString& Text)
{
    U.Click(Edit);
    U.Keys(QStringLiteral("ctrl+a"));
    U.Type(Text);
}

bool Wait_Cell(TE2eUser& U, TKvStringGrid* Grid, int Col, int Row, const QString& Text)
{
    QString now;
    const bool ok = U.Wait(QStringLiteral("cell %1,%2 to hold '%3'").arg(Col).arg(Row).arg(Text), [&] {
        now = Grid->Cells(Col, Row);
        return now == Text;
    });
    if (!ok)
        ADD_FAILURE() << "cell " << Col << "," << Row << " holds '" << now.toStdString() << "'";
    return ok;
}
