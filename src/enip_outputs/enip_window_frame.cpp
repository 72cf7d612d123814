#include "enip_outputs/enip_window_frame.h"

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/graphics.h"
#include "common/lb_button.h"
#include "common/window_look.h"

namespace {

constexpr int Button_Width = 110;
constexpr int Button_Height = 28;
constexpr int Button_Top = 6;
constexpr int Button_Gap = 8;
constexpr int Right_Margin = 16;

}  // namespace

TEnip_Frame Make_Enip_Frame(TForm* Form, int ClientWidth, int ClientHeight)
{
    Apply_Shell_Look(Form, ClientWidth, ClientHeight);
    Form->SetShowHint(true);
    TEnip_Frame f;
    const TTitlePanel title = Make_Title_Panel(Form);
    f.P_Title = title.P_Title;
    f.L_SW_Code = title.L_SW_Code;
    f.L_SW_Desc = title.L_SW_Desc;
    f.P_Button = Make_Button_Panel(Form);
    const int cancelLeft = ClientWidth - Right_Margin - Button_Width;
    f.Btn_OK = Make_Button(Form, f.P_Button, QStringLiteral("Btn_OK"), cancelLeft - Button_Gap - Button_Width, Button_Top,
                           Button_Width, Button_Height);
    f.Btn_Cancel = Make_Button(Form, f.P_Button, QStringLiteral("Btn_Cancel"), cancelLeft, Button_Top, Button_Width,
                               Button_Height);
    f.Btn_Cancel->SetModalResult(mrCancel);
    return f;
}

void Place_Client_Grid(TForm* Form, TKvStringGrid* Grid, const QString& Name)
{
    Grid->SetName(Name);
    Grid->SetParent(Form);
    Grid->SetAlign(alClient);
}

void Two_Line_Header(TKvStringGrid* Grid)
{
    TBitmap measure(1, 1);
    measure.Canvas()->Font()->Assign(*Grid->FixedFont());
    Grid->SetRowHeights(0, Grid->RowHeights(0) + measure.Canvas()->TextHeight(QStringLiteral("Wg")));
}
