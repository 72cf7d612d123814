#pragma once
// The about box: product, software code, version and manual code, with fixed English
// texts and a link to the maker's home page.

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

class TFAbout : public TForm {
    Q_OBJECT
public:
    explicit TFAbout(TComponent* AOwner = nullptr);

    TImage* Image2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label4 = nullptr;
    TLbButton* LbButton1 = nullptr;

    void FormShow();
    void Label4Click();
};

extern TFAbout* FAbout;
