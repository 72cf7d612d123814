#pragma once
// The header and footer panels of a drop-down popup: a gradient background
// with a border, an image, a mini-HTML caption and one panel button per
// button of the editor's header or footer appearance. The footer can carry a
// size grip with which the user sizes the popup from its corner.
#include "dropdown/kv_button.h"
#include "dropdown/kv_dropdown.h"
#include "grid/dropdown_appearance.h"

// A pointer list whose indexed access checks the upper bound.
class TDbgList : public TList {
public:
    void* GetItemsEx(int Index) const;
    void SetItemsEx(int Index, void* Value);
    void AssignList(const TList* ListA);
};

// What header and footer share; each keeps its own kind of appearance.
class TKvPopupPanel : public TCustomControl {
    Q_OBJECT
public:
    explicit TKvPopupPanel(TComponent* AOwner);
    ~TKvPopupPanel() override;

    TImageList* Images() const { return FImages; }
    void SetImages(TImageList* Value) { FImages = Value; }
    TKvCustomDropDown* KvDropDown() const { return FKvDropDown; }
    // Binds the panel to an editor and copies the editor's appearance.
    void SetKvDropDown(TKvCustomDropDown* Value);
    int ButtonCount() const { return FButtonList.Count(); }
    TKvButton* PanelButton(int Index) const { return static_cast<TKvButton*>(FButtonList.GetItemsEx(Index)); }

    void RefreshButtons();
    virtual void CreateButtons();
    virtual void ClearButtons();
    virtual void ArrangeButtons();
    virtual void UpdateButtons();

    TDrawBackGroundEvent OnDrawBackGround;
    TGetTextEvent OnGetText;

protected:
    struct TLook {
        TColor Color, ColorTo, BorderColor;
        int BorderWidth;
        TGradientDirection Gradient;
        QString Caption;
        const TFont* Font;
        int ImageIndex;
        TButtonAlignment Alignment;
        bool Visible;
        int Height;
    };
    virtual TLook Look() const = 0;
    virtual TAppearanceButtonsBase* AppearanceButtons() const = 0;
    virtual void CopyAppearanceFrom(TKvCustomDropDown* Editor) = 0;
    virtual bool IsFooter() const = 0;
    virtual TRect ButtonArea() const;
    virtual void PaintGrip(TCanvas*) {}
    virtual void FireButtonClick(int Index) = 0;
    // The appearance's change notification: visibility and height follow it.
    void AppearanceChanged();
    void Paint() override;
    void Resize() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TImageList* FImages = nullptr;
    TKvCustomDropDown* FKvDropDown = nullptr;
    TDbgList FButtonList;
};

class TKvHeader : public TKvPopupPanel {
    Q_OBJECT
public:
    explicit TKvHeader(TComponent* AOwner);
    ~TKvHeader() override;
    THeaderAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(const THeaderAppearance* Value) { if (Value) FAppearance->Assign(Value); }
    THeaderButtons* Buttons() const;
protected:
    TLook Look() const override;
    TAppearanceButtonsBase* AppearanceButtons() const override;
    void CopyAppearanceFrom(TKvCustomDropDown* Editor) override;
    bool IsFooter() const override { return false; }
    void FireButtonClick(int Index) override;
    THeaderAppearance* FAppearance;
};

class TKvFooter : public TKvPopupPanel {
    Q_OBJECT
public:
    explicit TKvFooter(TComponent* AOwner);
    ~TKvFooter() override;
    TFooterAppearance* Appearance() const { return FAppearance; }
    void SetAppearance(const TFooterAppearance* Value) { if (Value) FAppearance->Assign(Value); }
    TFooterButtons* Buttons() const;
    // The grip shows with SizeGrip on, an editor bound and its popup sizeable.
    bool GripShows() const;
    // x > width - 12 and y > height - 15.
    bool InGripZone(int X, int Y) const;
    void WndProc(TMessage& Message) override;
protected:
    TLook Look() const override;
    TAppearanceButtonsBase* AppearanceButtons() const override;
    void CopyAppearanceFrom(TKvCustomDropDown* Editor) override;
    bool IsFooter() const override { return true; }
    TRect ButtonArea() const override;
    void PaintGrip(TCanvas* Canvas) override;
    void FireButtonClick(int Index) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    TFooterAppearance* FAppearance;
    TCursor FOldCursor = crDefault;
};
