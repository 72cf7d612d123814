#pragma once
// The data-segment editor: the configuration parameters of one scanner rule, one row
// per assembly member, typed as numbers or picked from their enumerations. It edits a
// copy of the rule's configuration that the rules editor hands over in TC and reads
// back after OK, so Cancel leaves the rule as it was.

#include "enip_outputs/target_config.h"

#include "enip_outputs/enip_window_frame.h"

#include "grid/kv_string_grid.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <memory>

class TLbButton;

class TFEtherNetIP_Data_Seg : public TForm, public TEnip_Frame {
    Q_OBJECT
public:
    explicit TFEtherNetIP_Data_Seg(TComponent* AOwner = nullptr);
    ~TFEtherNetIP_Data_Seg() override;

    // The frame gives P_Title with L_SW_Code and L_SW_Desc, and P_Button with Btn_OK and
    // Btn_Cancel.

    TKvStringGrid* KSG_DataSeg = nullptr;

    // The configuration being edited; set by the caller before showing, owned by it.
    TTargetConfig* TC = nullptr;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Init_Table();
    // Texts of the current language; run at creation only.
    void Set_Lang();
    void KSG_DataSegGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void KSG_DataSegComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);
    // Checks every member's typed value against its range and, when all pass, stores
    // them; false after the first bad member's message.
    bool Check_Value();
    void Btn_OKClick(TObject* Sender);

    // A deep copy for the caller to own.
    static std::unique_ptr<TTargetConfig> CopyTargetConf(const TTargetConfig& app);

    static constexpr TColor Value_Color = TColor(0x00FEFAE0);
    static constexpr int Value_Col = 4;
    static constexpr int Enum_Value_Col = 8;
};

extern TFEtherNetIP_Data_Seg* FEtherNetIP_Data_Seg;
