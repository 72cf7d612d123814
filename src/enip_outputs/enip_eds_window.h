#pragma once
// The EDS connection picker: reads an adapter's EDS file, lists the I/O connections its
// connection manager offers and lets the user pick one for the scanner rules editor,
// which then reads the current row, List_Conn and the identity values. A file without
// a usable connection closes the picker with Cancel once it is on screen.

#include "enip_outputs/eds_connections.h"

#include "enip_outputs/enip_window_frame.h"

#include "grid/column_grid.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

class TLbButton;

class TFEtherNEtIP_EDS : public TForm, public TEnip_Frame, public TEDS_Connections {
    Q_OBJECT
public:
    explicit TFEtherNEtIP_EDS(TComponent* AOwner = nullptr);
    ~TFEtherNEtIP_EDS() override;

    // The frame gives P_Title with L_SW_Code and L_SW_Desc, and P_Button with Btn_OK and
    // Btn_Cancel.

    TKvColumnGrid* KCG = nullptr;
    TTimer* TClose = nullptr;

    void FormCreate(TObject* Sender);
    // Reads EDS_FileName and lists its connections. A file that exists but cannot be
    // read is named in one message and the picker closes with Cancel.
    void FormShow(TObject* Sender);
    void TCloseTimer(TObject* Sender);
    void ShowDatainGrid();
    void Set_Lang();

    // The connection of the list's current row; nullptr when the list holds none.
    const TConnData* Current_Connection() const;

    static constexpr int Col_Count = 9;
};

extern TFEtherNEtIP_EDS* FEtherNEtIP_EDS;
