#pragma once
// The options dialog: interface language, internet and update check, the two grid
// options, and a version check on demand.

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include <QStringList>

class TPageControl;
class TTabSheet;

class TFSoftOptions : public TForm {
    Q_OBJECT
public:
    explicit TFSoftOptions(TComponent* AOwner = nullptr);

    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    TPageControl* PC_Options = nullptr;
    TTabSheet* TS_Language = nullptr;
    TTabSheet* TS_Con_Options = nullptr;
    TTabSheet* TS_Soft_Settings = nullptr;

    TLabel* L_Sel_Lang = nullptr;
    TImage* I_L[6] = {};  // I_L1 .. I_L6
    TLabel* L_L[6] = {};  // L_L1 .. L_L6
    TLabel* L_Page_Lang = nullptr;
    TLbButton* Btn_Prev = nullptr;
    TLbButton* Btn_Next = nullptr;

    TCheckBox* CB_En_Con = nullptr;
    TCheckBox* CB_Update = nullptr;
    TLbButton* Btn_Check_Update = nullptr;
    TLinkLabel* LL_Check_Update = nullptr;

    TCheckBox* CB_Soft_Set_Jump_Table = nullptr;
    TCheckBox* CB_DoubleClick_Auto_Size = nullptr;

    QStringList SL_Languages;  // language file names with ".lng", sorted ignoring case
    int Show_Page = 1;
    QString Language_In_Use;

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void Create_Lang_List();
    void Update_Lang_Page(int Num_Page);
    void Btn_NextClick(TObject* Sender);
    void LangClick(int slot);  // slot 1..6
    void Update_CheckBox();
    void CB_En_ConClick();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString& Link);
    void Btn_OKClick();

    // Number of language pages: (n + 5) div 6.
    int Page_Count() const { return (int(SL_Languages.size()) + 5) / 6; }
};

extern TFSoftOptions* FSoftOptions;
