#pragma once
// The look the program's windows share: background, font, title and button panels,
// and the push buttons in their usual colours.

#include "common/lb_button.h"

#include <QString>

#include <array>

class TForm;
class TLabel;
class TPanel;
class TWinControl;

constexpr TColor Shell_Back_Color = 0xEDF7F8;

// Background colour, Verdana 11 pixels, the client size, single border with only the
// system menu, centred on the screen. The size comes first: a single border fixes it.
void Apply_Shell_Look(TForm* form, int clientWidth, int clientHeight, bool sizeable = false);

TLabel* Make_Label(TForm* owner, TWinControl* parent, const QString& name, int left, int top,
                   bool boldGrey = false);

// The usual title panel (69 pixels, software code and description) and button panel
// (40 pixels at the bottom).
struct TTitlePanel {
    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
};
TTitlePanel Make_Title_Panel(TForm* form);
TPanel* Make_Button_Panel(TForm* form);

// A borderless panel on the windows' background, as the title and button panels are.
TPanel* Make_Plain_Panel(TForm* form, const QString& name, int height, TAlign align);

// A push button in the windows' colours (face 0xEDF7F8, yellow under the cursor,
// orange while pressed, gray frame).
TLbButton* Make_Button(TForm* owner, TWinControl* parent, const QString& name, int left, int top,
                       int width, int height, TLbButtonStyle style = bsEncarta);

// The button row of the table editors: OK, Cancel, Delete Row, Insert Row, Copy Row and
// Paste Row (named Btn_OK ... Btn_PasteRow), 110 x 28 from left 16, 118 apart, in that order.
std::array<TLbButton*, 6> Make_Table_Buttons(TForm* owner, TWinControl* parent);
