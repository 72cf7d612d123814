// The shared look of the program's windows.

#include "common/window_look.h"

#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"
#include "common/working_state.h"

namespace {

void Set_Shell_Font(TFont* f)
{
    f->SetName(QStringLiteral("Verdana"));
    f->SetHeight(-11);
}

} // namespace

void Apply_Shell_Look(TForm* form, int clientWidth, int clientHeight, bool sizeable)
{
    form->SetColor(Shell_Back_Color);
    Set_Shell_Font(form->Font());
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetBorderStyle(sizeable ? bsSizeable : bsSingle);
    form->SetBorderIcons(biSystemMenu);
    form->SetPosition(poScreenCenter);
}

TLabel* Make_Label(TForm* owner, TWinControl* parent, const QString& name, int left, int top, bool boldGrey)
{
    auto* l = new TLabel(owner);
    l->SetName(name);
    l->SetParent(parent);
    l->SetLeft(left);
    l->SetTop(top);
    if (boldGrey) {
        l->Font()->SetStyle(fsBold);
        l->Font()->SetColor(clGray);
    }
    return l;
}

TTitlePanel Make_Title_Panel(TForm* form)
{
    TTitlePanel t;
    t.P_Title = new TPanel(form);
    t.P_Title->SetName(QStringLiteral("P_Title"));
    t.P_Title->SetParent(form);
    t.P_Title->SetAlign(alTop);
    t.P_Title->SetHeight(69);
    t.P_Title->SetBevelOuter(bvNone);
    t.P_Title->SetCaption(QString());
    t.P_Title->SetColor(Shell_Back_Color);
    t.L_SW_Code = Make_Label(form, t.P_Title, QStringLiteral("L_SW_Code"), 16, 8);
    t.L_SW_Code->Font()->SetHeight(-32);
    t.L_SW_Code->Font()->SetColor(clGray);
    t.L_SW_Code->SetCaption(WS().SW_Code);
    t.L_SW_Desc = Make_Label(form, t.P_Title, QStringLiteral("L_SW_Desc"), 16, 42, true);
    return t;
}

TPanel* Make_Plain_Panel(TForm* form, const QString& name, int height, TAlign align)
{
    auto* p = new TPanel(form);
    p->SetName(name);
    p->SetParent(form);
    p->SetAlign(align);
    p->SetHeight(height);
    p->SetBevelOuter(bvNone);
    p->SetCaption(QString());
    p->SetColor(Shell_Back_Color);
    return p;
}

TPanel* Make_Button_Panel(TForm* form)
{
    return Make_Plain_Panel(form, QStringLiteral("P_Button"), 40, alBottom);
}

TLbButton* Make_Button(TForm* owner, TWinControl* parent, const QString& name, int left, int top, int width,
                       int height, TLbButtonStyle style)
{
    auto* b = new TLbButton(owner);
    b->SetName(name);
    b->SetParent(parent);
    b->SetBounds(left, top, width, height);
    Set_Window_Button_Look(b, style);
    b->SetShowHint(true);
    return b;
}

std::array<TLbButton*, 6> Make_Table_Buttons(TForm* owner, TWinControl* parent)
{
    static const char* const names[6] = {"Btn_OK",    "Btn_Cancel",  "Btn_DelRow",
                                         "Btn_InsRow", "Btn_CopyRow", "Btn_PasteRow"};
    std::array<TLbButton*, 6> buttons{};
    for (int i = 0; i < 6; ++i)
        buttons[size_t(i)] = Make_Button(owner, parent, QString::fromLatin1(names[i]), 16 + 118 * i, 6, 110, 28);
    return buttons;
}
