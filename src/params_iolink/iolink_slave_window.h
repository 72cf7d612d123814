#pragma once
// The IO-Link slave editor ("IO-Link Set Access"): the slave's variables and its
// input and output process data in three fixed 512-row grids. IOLink_Slave.xml is
// read each time the window is shown, checked on OK and written whole. The work on
// the grids (packing, checks, file exchange) is in iolink_slave_tables.h.

#include "platform/ui/forms.h"

#include <QStringList>

class TKvColumnGrid;
class TKvStringGrid;
class TLabel;
class TLbButton;
class TPageControl;
class TPanel;
class TTabSheet;

class TFVIZediZadud : public TForm {
public:
    explicit TFVIZediZadud(TComponent* AOwner = nullptr);
    QString ClassName() const override { return QStringLiteral("TFVIZediZadud"); }

    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    TLbButton* Btn_DelRow = nullptr;
    TLbButton* Btn_InsRow = nullptr;
    TLbButton* Btn_CopyRow = nullptr;
    TLbButton* Btn_PasteRow = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TS_ProcessData = nullptr;
    TPageControl* PC_ProcessData = nullptr;
    TTabSheet* TS_PD_Input = nullptr;
    TTabSheet* TS_PD_Output = nullptr;
    TTabSheet* TS_Variables = nullptr;
    TKvColumnGrid* KCG_ProcessData_In = nullptr;
    TKvColumnGrid* KCG_ProcessData_Out = nullptr;
    TKvColumnGrid* KCG_Variable = nullptr;

    // Header hints of the grids' columns 1 and up (entry c - 1 for column c).
    QStringList Hint_Var, Hint_ProcDataIn, Hint_ProcDataOut;
    // Which grid last filled the shared row clipboard from this window.
    bool Do_Copy_Var = false, Do_Copy_PD_In = false, Do_Copy_PD_Out = false;
    // Bytes of the exchange memory's read and write areas.
    int Max_Byte_Read = 1400, Max_Byte_Write = 1400;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    void KCG_ProcessData_InCellValidate(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid);
    void KCG_ProcessData_OutCellValidate(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid);
    void KCG_ProcessData_InCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
    void KCG_ProcessData_OutCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
    void GridHint(TObject* Sender, int ARow, int ACol, QString& Hint);
    void KeyPress(TObject* Sender, QChar& Key);
    void DoubleClickCell(TObject* Sender, int ARow, int ACol);

    // True when every row is valid; otherwise the first failure's message has been shown.
    bool Controllo_dati();
    void Compile_Input_Pos_Bit();
    void Compile_Output_Pos_Bit();
    void Set_Lang();

    // The grid of the page shown, on which the row commands act.
    TKvColumnGrid* Active_Grid() const;

    static constexpr int Client_Width = 1300;
    static constexpr int Client_Height = 337;

private:
    TKvColumnGrid* Make_Grid(TTabSheet* Page, const QString& Name);
    void Process_Data_Validated(TKvColumnGrid* G, int ACol, int ARow);
    void Wire_Grid_Events(TKvColumnGrid* G);
};

extern TFVIZediZadud* FVIZediZadud;
