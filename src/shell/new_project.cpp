// The new-project dialog.

#include "shell/new_project.h"

#include "platform/core/files.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"
#include "shell/project_folders.h"
#include "shell/shell_look.h"

TFNew_Project* FNew_Project = nullptr;

TFNew_Project::TFNew_Project(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FNew_Project"));
    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TFNew_Project::FormCreate()
{
    Apply_Shell_Look(this, 331, 162);
    const TTitlePanel t = Make_Title_Panel(this);
    P_Title = t.P_Title;
    L_SW_Code = t.L_SW_Code;
    L_SW_Desc = t.L_SW_Desc;
    P_Button = Make_Button_Panel(this);
    Label1 = Make_Label(this, this, QStringLiteral("Label1"), 16, 70);
    E_New_Proj = new TEdit(this);
    E_New_Proj->SetName(QStringLiteral("E_New_Proj"));
    E_New_Proj->SetParent(this);
    E_New_Proj->SetBounds(16, 94, 297, 21);
    E_New_Proj->SetShowHint(true);
    E_New_Proj->OnKeyPress = [this](TObject*, QChar& key) {
        if (key == QChar(13))
            Btn_OKClick();
    };
    Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 85, 6, 110, 28);
    Btn_OK->OnClick = [this](TObject*) { Btn_OKClick(); };
    Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 203, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    L_SW_Code->SetCaption(WS().SW_Code);
    Set_Lang();
}

void TFNew_Project::FormShow()
{
    E_New_Proj->SetText(QString());
    if (E_New_Proj->CanFocus())
        E_New_Proj->SetFocus();
}

void TFNew_Project::Btn_OKClick()
{
    TWorkingState& ws = WS();
    const QString name = E_New_Proj->Text();  // as typed: a leading blank stays
    const int refusal = Create_Project_Folder(ws.Dir_Projects, name);
    if (refusal != 0) {
        MessageDlg(Lang_Str(refusal), mtError, mbOK);
        return;
    }
    ws.Project_Name = name;
    ws.Dir_Project = PathJoin(ws.Dir_Projects, name);
    ws.Set_Files();
    SetModalResult(mrOk);
}

void TFNew_Project::Set_Lang()
{
    SetCaption(Lang_Str(100));
    L_SW_Desc->SetCaption(Lang_Str(101));
    Label1->SetCaption(Lang_Str(102));
    Btn_OK->SetCaption(Lang_Str(103));
    Btn_Cancel->SetCaption(Lang_Str(104));
    E_New_Proj->SetHint(Lang_Str(108));
    Btn_OK->SetHint(Lang_Str(109));
    Btn_Cancel->SetHint(Lang_Str(110));
}
