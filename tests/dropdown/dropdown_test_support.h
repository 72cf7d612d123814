#pragma once
// A drop-down editor as the suite's editors build one: a panel (or an edit) as
// content, created on the first opening, on a shown form at a known place of a
// known screen.
#include "dropdown/kv_dropdown.h"
#include "platform/core/datetime.h"
#include "platform/core/format_settings.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

#include <QtWidgets/QApplication>

#include <memory>

QString DropDownTestFontFamily();

// Format settings with the given number separators (the rest left at their defaults).
inline TFormatSettings NumberSeparators(char Decimal, char Thousand)
{
    TFormatSettings fs;
    fs.DecimalSeparator = QLatin1Char(Decimal);
    fs.ThousandSeparator = QLatin1Char(Thousand);
    return fs;
}

class TTestDropDown : public TKvCustomDropDown {
public:
    explicit TTestDropDown(TComponent* AOwner, bool EditContent = false)
        : TKvCustomDropDown(AOwner), FEditContent(EditContent)
    {
        ConstructOverrides();
    }
    TPanel* Panel = nullptr;
    TEdit* ContentEdit = nullptr;
    int Befores = 0;
    std::vector<bool> DropUps;

    void BeforeDropDown() override
    {
        ++Befores;
        if (!Panel && !ContentEdit) {
            if (FEditContent) {
                ContentEdit = new TEdit(this);
                ContentEdit->SetBounds(0, 0, 150, 24);
                SetControl(ContentEdit);
            } else {
                Panel = new TPanel(this);
                Panel->SetBounds(0, 0, 160, 100);
                Panel->SetColor(clWhite);
                SetControl(Panel);
            }
        }
        TKvCustomDropDown::BeforeDropDown();
    }
    using TKvCustomDropDown::HandleWmKeyDown;

private:
    bool FEditContent;
};

// A form at the screen's origin area holding one drop-down editor; the popup's
// header and footer are hidden unless asked for.
struct TDropDownHost {
    explicit TDropDownHost(int FormTop = 0, int EditLeft = 20, int EditTop = 20, bool EditContent = false,
                           bool Panels = false);
    ~TDropDownHost();
    TForm* Form;
    TTestDropDown* Edit;
    TManualClock Clock;
    std::unique_ptr<TClockScope> ClockScope;
};

// The inner speed button of an editor's drop-down button.
inline TKvDropDownSpeedButton* Arrow(TKvCustomDropDown* e) { return e->Button()->InnerButton(); }
void ClickWidget(QWidget* w, Qt::MouseButton b = Qt::LeftButton);
// The editor's form with the editor's open popup beneath it, saved as Name in
// the build folder; returns the popup's own picture.
QImage SaveOpenPopupSheet(TForm* Form, TKvCustomDropDown* Edit, const char* Name);

// A borderless form at the screen's origin holding one editor of type T at
// (10, 10), 120 x 25, with the tick clock far from 0 (so a first opening is
// not taken for a click right after a close).
template <class T>
struct TEditorHost {
    explicit TEditorHost(int FormHeight = 80)
    {
        Clock.Ticks = 100000;
        Form = new TForm(nullptr);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, 300, FormHeight);
        Edit = new T(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 120, 25);
        Form->Show();
        QApplication::processEvents();
    }
    ~TEditorHost() { delete Form; }
    TManualClock Clock;
    TClockScope Scope{Clock};
    TForm* Form;
    T* Edit;
};
