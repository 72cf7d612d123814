#pragma once
// The open-project dialog: lists the project folders and hands back the chosen name.

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include <QStringList>

class TFOpenConf : public TForm {
    Q_OBJECT
public:
    explicit TFOpenConf(TComponent* AOwner = nullptr);

    TPanel* P_Title = nullptr;
    TLabel* L_SW_Code = nullptr;
    TLabel* L_SW_Desc = nullptr;
    TLabel* Label1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;

    QStringList SL;     // project folder names found at the last show
    QString Name_Conf;  // the chosen project; survives between showings

    void FormCreate();
    void FormShow();
    void ListBox1Click();
    void Load_Existing_Configuration();
    int Search_Open_Conf(const QString& name) const;
    void Set_Lang();
};

extern TFOpenConf* FOpenConf;
