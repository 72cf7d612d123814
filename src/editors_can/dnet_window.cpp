// The DeviceNet network editor.

#include "editors_can/dnet_window.h"

#include "editors_can/single_grid_editor.h"
#include "grid/column_grid.h"
#include "common/lb_button.h"
#include "common/working_state.h"

TFDNet* FDNet = nullptr;

namespace {

TRuleGrid Make_Grid()
{
  TRuleGrid g = Untrimmed_Key_Grid(64, 1, 3123,
                                   {Rule_Row_Number(3114), Rule_Column(3115, "ID", 100, clWhite),
                                    Rule_Column(3116, "NB_IN", 100, clWhite), Rule_Column(3117, "NB_OUT", 100, clWhite),
                                    Rule_Column(3118, "Mnemonic", 375, clWhite)});
  // The texts say "0 or 63" and "0 or 65535"; every value between passes.
  g.Check_Row = [](TKvStringGrid* G, int Row) {
    if (!Cell_In_Range(G, 1, Row, 0, 63))
      return Rule_Failure(3124);
    if (!Cell_In_Range(G, 2, Row, 0, 65535))
      return Rule_Failure(3125);
    if (!Cell_In_Range(G, 3, Row, 0, 65535))
      return Rule_Failure(3126);
    return TRuleFailure{};
  };
  return g;
}

}  // namespace

TFDNet::TFDNet(TComponent* AOwner)
    : TRuleEditorFrame(Single_Grid_File("DNET_Net", Make_Grid()),
                       Single_Grid_Texts(3100, 3108, Text_Run(3119, 4), 3127), 745, 337, AOwner)
{
  SetName(QStringLiteral("FDNet"));
  KSG = static_cast<TKvColumnGrid*>(Grids[0]);
  KSG->SetName(QStringLiteral("KSG"));
  KSG->Columns()->Items(0)->SetWidth(45);
  Btn_OK->OnClick = [this](TObject* s) { bitbtn1Click(s); };
  Btn_DelRow->OnClick = [this](TObject* s) { Btn_DelRow_Click(s); };
}

QString TFDNet::Project_File() const
{
  return WS().Name_File_DNETM_Net;
}
