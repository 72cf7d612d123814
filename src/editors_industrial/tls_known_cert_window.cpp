// The known TLS server certificates.

#include "editors_industrial/tls_known_cert_window.h"

#include "grid/kv_string_grid.h"
#include "common/grid_row_commands.h"
#include "common/lb_button.h"
#include "common/working_state.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

namespace {

constexpr TColor Color_Enable = 0x00B0D8FF;
constexpr TColor Color_Certificate = 0x00FEFAE0;

TRuleFile Make_File()
{
  TRuleFile f;
  f.Root = QStringLiteral("TLS_Server_Known_Cert");
  f.Version = QStringLiteral("1.000");
  TRuleGrid g;
  g.Rows = TFTLS_Server_Known_Cert::Cert_Rows;
  g.Key_Col = TFTLS_Server_Known_Cert::Col_Certificate;
  g.Check_Boxes = true;
  // Only a stored "N" clears the box.
  TRuleColumn enable = Rule_Defaulted(Rule_Column(3615, "Enable", 50, Color_Enable, edDataCheckBox), "Y");
  enable.Load = [](int, bool, const QString& stored) {
    return stored == QLatin1String("N") ? QStringLiteral("N") : QStringLiteral("Y");
  };
  g.Columns = {Rule_Row_Number(3614), enable,
               Rule_Defaulted(Rule_Column(3616, "Certificate", 500, Color_Certificate), ""),
               Rule_Defaulted(Rule_Column(3617, "Mnemonic", 160, clWhite), "")};
  f.Grids = {g};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 3600;
  t.Buttons = {3602, 3603, 3604, 3605, 3606, 3607};
  t.Button_Hints = {3608, 3609, 3610, 3611, 3612, 3613};
  t.Column_Hints = {{3618, 3619, 3620}};
  t.Delete_Question = 3621;
  t.Header_Hints_Only = true;
  return t;
}

}  // namespace

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(), Make_Texts(), 800, 337, AOwner)
{
  SetName(QStringLiteral("FTLS_Server_Known_Cert"));
  KSG = Grids.front();
  KSG->SetName(QStringLiteral("KSG"));
  for (TLbButton* b : {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
    b->SetShowHint(true);
  Init_Table();
}

void TFTLS_Server_Known_Cert::Init_Table()
{
  // A certificate spans many lines: its rows are tall, wrap their text, and the user may
  // make rows and columns larger still.
  KSG->SetOptions(KSG->Options() | goRowSizing | goColSizing);
  KSG->SetWordWrap(true);
  const TRuleGrid& D = Desc().Grids.front();
  Paint_Rule_Rows(D, KSG);
  for (int r = 1; r <= D.Rows; ++r)
    KSG->SetRowHeights(r, Cert_Row_Height);
}

QString TFTLS_Server_Known_Cert::Project_File() const
{
  return WS().Name_File_TLS_Known_Cert;
}


void TFTLS_Server_Known_Cert::Delete_Rule_Row(int, int Row)
{
  Grid_Delete_Row_Check(Row, KSG, true);
}
