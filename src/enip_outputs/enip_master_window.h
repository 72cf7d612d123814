#pragma once
// The EtherNet/IP scanner rules editor ("EtherNet/IP Access"): one rule per connection
// to an adapter, ten at most. It reads EtherNetIP_Master_Rules.xml when shown, checks
// the enabled rules on OK and writes the whole file. Rules can be filled from an
// adapter's EDS file, and a rule whose configuration came from one edits its data
// segment parameter by parameter; each row's configuration lives in the slot of the
// same index and follows its row through delete and insert.

#include "enip_outputs/enip_master_rules_file.h"
#include "enip_outputs/target_config.h"

#include "enip_outputs/enip_window_frame.h"

#include "grid/column_grid.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <array>
#include <memory>

class TLbButton;
class TOpenDialog;

class TFEtherNetIP_Master_Access : public TForm, public TEnip_Frame {
    Q_OBJECT
public:
    explicit TFEtherNetIP_Master_Access(TComponent* AOwner = nullptr);
    ~TFEtherNetIP_Master_Access() override;

    // The frame gives P_Title with L_SW_Code and L_SW_Desc, and P_Button with Btn_OK and
    // Btn_Cancel.

    TLbButton* Btn_DelRow = nullptr;
    TLbButton* Btn_InsRow = nullptr;
    TLbButton* Btn_CopyRow = nullptr;
    TLbButton* Btn_PasteRow = nullptr;
    TLbButton* Btn_Import_EDS = nullptr;
    TKvColumnGrid* KCG = nullptr;
    TOpenDialog* OD_EDS = nullptr;

    // Header hints of columns 1 to 19 (entry c - 1 for column c). Named apart from the
    // window's own Hint.
    QStringList Hint_List;
    // The shared row clipboard was filled from this grid.
    bool Do_Copy = false;
    // Sizes of the converter's input and output areas that the rules share.
    int32_t Num_Byte_In = 1438;
    int32_t Num_Byte_Out = 1438;
    // Slot r - 1 holds the configuration of grid row r, decoded from an EDS file.
    std::array<std::unique_ptr<TTargetConfig>, EtherNetIP_Master_Max_Rows> ArrTargetConf;
    // The configuration of the row last copied, and the texts it was copied with: Paste
    // Row gives the target row its own copy, so the slot agrees with the pasted data
    // segment. A clipboard that another grid refilled since pastes no configuration.
    std::unique_ptr<TTargetConfig> Copied_Conf;
    QStringList Copied_Row;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void Btn_OKClick(TObject* Sender);
    void Btn_DelRowClick(TObject* Sender);
    void Btn_InsRowClick(TObject* Sender);
    void Btn_CopyRowClick(TObject* Sender);
    void Btn_PasteRowClick(TObject* Sender);
    void Btn_Import_EDSClick(TObject* Sender);
    void DblClickCell(TObject* Sender, int ARow, int ACol);
    void GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);
    void KeyPress(TObject* Sender, QChar& Key);

    // True when every enabled rule is valid; otherwise the first error has been shown.
    bool Controllo_dati();
    // 255 when the text is eight byte items, 1 for an item that is no byte, 2 for
    // another count.
    static int CheckBytesElectronicKey(const QString& listBytes);
    // 255 when the text is at most 510 byte items, 1 for an item that is no byte, 2 for
    // more items.
    static int CheckBytesDataSegment(const QString& listBytes);
    // Items read as hexadecimal digits: 1 for an item that is no byte, 2 for fewer than
    // Num_DP items, else 0.
    static int Err_Check_Data_Path(const QString& Data_Path, int Num_DP);
    void Set_Lang();

    // The rules as the grid and the slots hold them, rows 1 to 10.
    std::vector<TEtherNetIP_Master_Row> Grid_Rules() const;

    static constexpr int Rule_Rows = EtherNetIP_Master_Max_Rows;
    static constexpr int Col_Count = 20;
    static constexpr int Col_Data_Segment = 17;

private:
    void Load_Rules();
    bool Rule_Error(int Row, int Text);
};

extern TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access;
