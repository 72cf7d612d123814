// The options dialog and its language pages.

#include "shell/soft_options.h"

#include "platform/core/files.h"
#include "platform/core/shell_open.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/project_folders.h"
#include "shell/shell_look.h"
#include "shell/version_check.h"

TFSoftOptions* FSoftOptions = nullptr;

namespace {

constexpr int Slot_Image[6][2] = {{24, 40}, {26, 94}, {24, 148}, {254, 40}, {254, 94}, {254, 148}};
constexpr int Slot_Name[6][2] = {{80, 56}, {80, 110}, {80, 164}, {310, 56}, {310, 110}, {310, 164}};

TCheckBox* Make_Check(TForm* owner, TWinControl* parent, const QString& name, int left, int top)
{
    auto* c = new TCheckBox(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(left, top, 440, 17);
    return c;
}

QString Without_Ext(const QString& file) { return file.left(file.size() - 4); }

} // namespace

TFSoftOptions::TFSoftOptions(TComponent* AOwner) : TForm(AOwner)
{
    SetName(QStringLiteral("FSoftOptions"));
    OnCreate = [this](TObject*) { FormCreate(); };
    OnShow = [this](TObject*) { FormShow(); };
}

void TFSoftOptions::FormCreate()
{
    Apply_Shell_Look(this, 509, 373);
    const TTitlePanel t = Make_Title_Panel(this);
    P_Title = t.P_Title;
    L_SW_Code = t.L_SW_Code;
    L_SW_Desc = t.L_SW_Desc;
    P_Button = Make_Button_Panel(this);
    Btn_OK = Make_Button(this, P_Button, QStringLiteral("Btn_OK"), 16, 6, 110, 28);
    Btn_OK->OnClick = [this](TObject*) { Btn_OKClick(); };
    Btn_Cancel = Make_Button(this, P_Button, QStringLiteral("Btn_Cancel"), 134, 6, 110, 28);
    Btn_Cancel->SetModalResult(mrCancel);

    PC_Options = new TPageControl(this);
    PC_Options->SetName(QStringLiteral("PC_Options"));
    PC_Options->SetParent(this);
    PC_Options->SetAlign(alClient);
    auto page = [this](const char* name) {
        auto* ts = new TTabSheet(this);
        ts->SetName(QString::fromLatin1(name));
        ts->SetPageControl(PC_Options);
        ts->SetTabVisible(true);
        return ts;
    };
    TS_Language = page("TS_Language");
    TS_Con_Options = page("TS_Con_Options");
    TS_Soft_Settings = page("TS_Soft_Settings");

    // Language page.
    L_Sel_Lang = Make_Label(this, TS_Language, QStringLiteral("L_Sel_Lang"), 12, 11);
    for (int i = 0; i < 6; ++i) {
        I_L[i] = new TImage(this);
        I_L[i]->SetName(QStringLiteral("I_L%1").arg(i + 1));
        I_L[i]->SetParent(TS_Language);
        I_L[i]->SetBounds(Slot_Image[i][0], Slot_Image[i][1], 48, 48);
        I_L[i]->SetTransparent(true);
        I_L[i]->SetCursor(crHandPoint);
        I_L[i]->OnClick = [this, i](TObject*) { LangClick(i + 1); };
        L_L[i] = Make_Label(this, TS_Language, QStringLiteral("L_L%1").arg(i + 1), Slot_Name[i][0], Slot_Name[i][1]);
        L_L[i]->SetCursor(crHandPoint);
        L_L[i]->OnClick = [this, i](TObject*) { LangClick(i + 1); };
    }
    L_Page_Lang = Make_Label(this, TS_Language, QStringLiteral("L_Page_Lang"), 220, 212);
    Btn_Prev = Make_Button(this, TS_Language, QStringLiteral("Btn_Prev"), 12, 204, 110, 28);
    Btn_Prev->OnClick = [this](TObject* s) { Btn_NextClick(s); };
    Btn_Next = Make_Button(this, TS_Language, QStringLiteral("Btn_Next"), 379, 205, 110, 28);
    Btn_Next->SetLayout(blGlyphRight);
    Btn_Next->OnClick = [this](TObject* s) { Btn_NextClick(s); };

    // Connection page.
    CB_En_Con = Make_Check(this, TS_Con_Options, QStringLiteral("CB_En_Con"), 12, 16);
    CB_Update = Make_Check(this, TS_Con_Options, QStringLiteral("CB_Update"), 36, 47);
    Btn_Check_Update = Make_Button(this, TS_Con_Options, QStringLiteral("Btn_Check_Update"), 36, 78, 204, 28);
    Btn_Check_Update->OnClick = [this](TObject*) { Btn_Check_UpdateClick(); };
    LL_Check_Update = new TLinkLabel(this);
    LL_Check_Update->SetName(QStringLiteral("LL_Check_Update"));
    LL_Check_Update->SetParent(TS_Con_Options);
    LL_Check_Update->SetBounds(40, 120, 420, 17);
    LL_Check_Update->SetVisible(false);
    LL_Check_Update->OnLinkClick = [this](TObject*, const QString& link, TSysLinkType) {
        LL_Check_UpdateLinkClick(link);
    };

    // Grid settings page.
    CB_Soft_Set_Jump_Table = Make_Check(this, TS_Soft_Settings, QStringLiteral("CB_Soft_Set_Jump_Table"), 12, 16);
    CB_DoubleClick_Auto_Size =
        Make_Check(this, TS_Soft_Settings, QStringLiteral("CB_DoubleClick_Auto_Size"), 12, 39);

    for (TCheckBox* c : {CB_En_Con, CB_Update, CB_Soft_Set_Jump_Table, CB_DoubleClick_Auto_Size})
        c->OnClick = [this](TObject*) { CB_En_ConClick(); };

    SL_Languages.clear();
    L_SW_Code->SetCaption(WS().SW_Code);
    Set_Lang();
}

void TFSoftOptions::FormShow()
{
    const TWorkingState& ws = WS();
    Language_In_Use = ws.Language_Name;
    Create_Lang_List();
    Update_CheckBox();
    LL_Check_Update->SetVisible(false);
    PC_Options->SetActivePage(TS_Language);
    CB_En_Con->SetChecked(ws.Enable_Internet);
    CB_Update->SetChecked(ws.Enable_Update);
    CB_Soft_Set_Jump_Table->SetChecked(ws.Enable_Jump_Field_Tables);
    CB_DoubleClick_Auto_Size->SetChecked(ws.Double_Click_Auto_Size);
    Update_CheckBox();
}

void TFSoftOptions::Set_Lang()
{
    SetCaption(Lang_Str(300));
    L_SW_Desc->SetCaption(Lang_Str(301));
    TS_Language->SetCaption(Lang_Str(302));
    TS_Con_Options->SetCaption(Lang_Str(303));
    TS_Soft_Settings->SetCaption(Lang_Str(319));
    L_Sel_Lang->SetCaption(Lang_Str(304));
    L_Page_Lang->SetCaption(Lang_Str(305) + QStringLiteral("1") + Lang_Str(306) + QStringLiteral("1"));
    Btn_Prev->SetCaption(Lang_Str(307));
    Btn_Next->SetCaption(Lang_Str(308));
    CB_En_Con->SetCaption(Lang_Str(309));
    CB_Update->SetCaption(Lang_Str(310));
    Btn_Check_Update->SetCaption(Lang_Str(311));
    Btn_OK->SetCaption(Lang_Str(312));
    Btn_Cancel->SetCaption(Lang_Str(313));
    CB_Soft_Set_Jump_Table->SetCaption(Lang_Str(320));
    CB_DoubleClick_Auto_Size->SetCaption(Lang_Str(321));
}

void TFSoftOptions::Create_Lang_List()
{
    // Read-only files count too: an installed language file is often read-only.
    SL_Languages = Language_File_List(WS().Dir_Language);
    Show_Page = 1;
    Update_Lang_Page(1);
}

void TFSoftOptions::Update_Lang_Page(int Num_Page)
{
    const int n = int(SL_Languages.size());
    const int pages = Page_Count();
    L_Sel_Lang->SetCaption(Lang_Str(304) + Language_In_Use);
    L_Page_Lang->SetCaption(Lang_Str(305) + QString::number(Num_Page) + Lang_Str(306) + QString::number(pages));
    Btn_Prev->SetVisible(Num_Page != 1);
    Btn_Next->SetVisible(Num_Page != pages);
    const int k = std::clamp(n - 6 * (Num_Page - 1), 0, 6);
    const QString dir = WS().Dir_Language;
    for (int i = 0; i < 6; ++i) {
        const bool shown = i < k;
        L_L[i]->SetVisible(shown);
        I_L[i]->SetVisible(shown);
        if (!shown)
            continue;
        const QString name = Without_Ext(SL_Languages[6 * (Num_Page - 1) + i]);
        L_L[i]->SetCaption(name);
        const QString flag = Get_Lang_Flag_File(dir, name);
        bool loaded = false;
        if (!flag.isEmpty()) {
            try {
                I_L[i]->Picture()->LoadFromFile(flag);
                loaded = true;
            } catch (...) {
            }
        }
        if (!loaded) {
            I_L[i]->Picture()->Clear();
            I_L[i]->SetVisible(false);
        }
    }
}

void TFSoftOptions::Btn_NextClick(TObject* Sender)
{
    if (Sender == Btn_Next) {
        if (Page_Count() >= Show_Page + 1)
            ++Show_Page;
    } else if (Show_Page - 1 > 0) {
        --Show_Page;
    }
    Update_Lang_Page(Show_Page);
}

void TFSoftOptions::LangClick(int slot)
{
    const int index = 6 * (Show_Page - 1) + slot - 1;
    if (index < 0 || index >= SL_Languages.size())
        return;
    const QString name = Without_Ext(SL_Languages[index]);
    const QString question = Lang_Str(316) + Language_In_Use + Lang_Str(317) + name + Lang_Str(318);
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes)
        return;
    Language_In_Use = name;
    TWorkingState& ws = WS();
    const QString kept = ws.Language_Name;
    ws.Language_Name = name;
    Load_Language(ws);
    ws.Language_Name = kept;  // stored only on OK
    if (FKalvoraFirmWare)
        FKalvoraFirmWare->Change_Language();
    L_Sel_Lang->SetCaption(Lang_Str(304) + Language_In_Use);
}

void TFSoftOptions::Update_CheckBox()
{
    CB_Update->SetEnabled(CB_En_Con->Checked());
    if (!CB_En_Con->Checked())
        Btn_Check_Update->SetEnabled(false);
    Btn_Check_Update->SetEnabled(CB_Update->Enabled() && CB_Update->Checked());
}

void TFSoftOptions::CB_En_ConClick() { Update_CheckBox(); }

void TFSoftOptions::Btn_Check_UpdateClick()
{
    if (Check_Version())
        LL_Check_Update->SetCaption(Download_Link_Html(Lang_Str(314)));
    else
        LL_Check_Update->SetCaption(Lang_Str(315).toHtmlEscaped());
    LL_Check_Update->SetVisible(true);
}

void TFSoftOptions::LL_Check_UpdateLinkClick(const QString& Link) { ShellOpen(Link); }

void TFSoftOptions::Btn_OKClick()
{
    TWorkingState& ws = WS();
    ws.Language_Name = Language_In_Use;
    ws.Enable_Internet = CB_En_Con->Checked();
    ws.Enable_Update = CB_Update->Checked();
    if (FKalvoraFirmWare)
        FKalvoraFirmWare->Apply_Update_Timer_Rule();
    ws.Enable_Jump_Field_Tables = CB_Soft_Set_Jump_Table->Checked();
    ws.Double_Click_Auto_Size = CB_DoubleClick_Auto_Size->Checked();
    SetModalResult(mrOk);
}
