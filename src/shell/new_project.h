#pragma once
// The new-project dialog: creates PROJECTS/<name> with its "bin" folder and makes it
// the open project.

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

class TFNew_Project : public TForm {
    Q_OBJECT
public:
    explicit TFNew_Project(TComponent* AOwner = nullptr);

    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* E_New_Proj = nullptr;
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

    void FormCreate();
    void FormShow();
    void Btn_OKClick();
    void Set_Lang();
};

extern TFNew_Project* FNew_Project;
