// The open-project dialog.

#include "shell/open_conf.h"

#include "platform/core/files.h"
#include "common/lang_table.h"
#include "common/working_state.h"
#include "shell/project_folders.h"
#include "shell/shell_look.h"

TFOpenConf* FOpenConf = nullptr;

TFOpenConf::TFOpenConf(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FOpenConf"));
    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TFOpenConf::FormCreate()
{
    Apply_Shell_Look(this, 377, 351, true);
    const TTitlePanel t = Make_Title_Panel(this);
    P_Title = t.P_Title;
    L_SW_Code = t.L_SW_Code;
    L_SW_Desc = t.L_SW_Desc;
    P_Button = Make_Button_Panel(this);
    Label1 = Make_Label(this, this, QStringLiteral("Label1"), 16, 70);
    ListBox1 = new TListBox(this);
    ListBox1->SetName(QStringLiteral("ListBox1"));
    ListBox1->SetParent(this);
    // Follows all four edges: fills the room between the panels with the same margins.
    ListBox1->SetBounds(16, 94, 335, ClientHeight() - 94 - 40 - 8);
    ListBox1->SetShowHint(true);
    ListBox1->OnClick = [this](TObject*) { ListBox1Click(); };
    Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 123, 6, 110, 28);
    Btn_OK->SetModalResult(mrOk);
    Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 241, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);
    OnResize = [this](TObject*) {
        ListBox1->SetBounds(16, 94, std::max(0, ClientWidth() - 32), std::max(0, ClientHeight() - 94 - 40 - 8));
        Btn_OK->SetLeft(ClientWidth() - 254);
        Btn_Cancel->SetLeft(ClientWidth() - 136);
    };
    L_SW_Code->SetCaption(WS().SW_Code);
    Set_Lang();
}

void TFOpenConf::Load_Existing_Configuration()
{
    SL = ::Load_Existing_Configuration(WS().Dir_Projects);
}

int TFOpenConf::Search_Open_Conf(const QString& name) const { return ::Search_Open_Conf(SL, name); }

void TFOpenConf::FormShow()
{
    SL.clear();
    Load_Existing_Configuration();
    ListBox1->Items()->Clear();
    for (const QString& s : SL)
        ListBox1->Items()->Add(s);

    const TWorkingState& ws = WS();
    QString open;
    const QString prefix = IncludeTrailingPathDelimiter(ws.Dir_Projects);
    if (!ws.Dir_Project.isEmpty() && ws.Dir_Project.startsWith(prefix))
        open = ws.Dir_Project.mid(prefix.size());

    const int found = Search_Open_Conf(open);
    if (found >= 0) {
        ListBox1->SetItemIndex(found);
        Name_Conf = ListBox1->Items()->Strings(found);
    } else if (!SL.isEmpty()) {
        ListBox1->SetItemIndex(0);
        Name_Conf = ListBox1->Items()->Strings(0);
    }
}

void TFOpenConf::ListBox1Click()
{
    const int i = ListBox1->ItemIndex();
    if (i >= 0)
        Name_Conf = ListBox1->Items()->Strings(i);
}

void TFOpenConf::Set_Lang()
{
    SetCaption(Lang_Str(200));
    L_SW_Desc->SetCaption(Lang_Str(201));
    Label1->SetCaption(Lang_Str(202));
    Btn_OK->SetCaption(Lang_Str(203));
    Btn_Cancel->SetCaption(Lang_Str(204));
    ListBox1->SetHint(Lang_Str(205));
    Btn_OK->SetHint(Lang_Str(206));
    Btn_Cancel->SetHint(Lang_Str(207));
}
