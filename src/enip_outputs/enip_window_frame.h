#pragma once
// The frame the scanner windows share: the windows' look at a fixed client size, the
// title panel, the button panel with OK and Cancel at its right end (Cancel closes with
// Cancel), and a grid that fills the rest.

#include <QString>

class TForm;
class TLabel;
class TLbButton;
class TPanel;
class TKvStringGrid;

struct TEnip_Frame {
    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
};

TEnip_Frame Make_Enip_Frame(TForm* Form, int ClientWidth, int ClientHeight);

// Names the grid, puts it on the form and lets it fill the client area.
void Place_Client_Grid(TForm* Form, TKvStringGrid* Grid, const QString& Name);

// Makes the header row one line of its font taller: a long header wraps onto a second line
// within the width its column is given instead of being cut at the cell's edge.
void Two_Line_Header(TKvStringGrid* Grid);
