#pragma once
// The edit with a small button inside its right edge (the ellipsis editor),
// its value-with-unit variant whose unit is picked from a popup menu, the
// button's host and the button itself.
#include "platform/core/stringlist.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

class TKsgEditButton;

// The button: coloured, themed, flat or classic, with glyph and caption.
class TKvSpeedButton : public TSpeedButton {
public:
    explicit TKvSpeedButton(TKsgEditButton* Host);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v) { FIsWinXP = v; Invalidate(); }
    // The button's own flat flag (a set button colour switches it on for good).
    bool Flat() const { return FKvFlat; }
    void SetFlat(bool v) { FKvFlat = v; Invalidate(); }
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed || FDown; }
protected:
    void Paint() override;
private:
    TKsgEditButton* FHost;
    bool FIsWinXP = false;
    bool FKvFlat = false;
};

// Hosts the button inside the edit: a left-button release anywhere clicks,
// then the focus goes back to FocusControl.
class TKsgEditButton : public TWinControl {
public:
    explicit TKsgEditButton(TComponent* AOwner = nullptr);
    TKvSpeedButton* Button() const { return FButton; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* c);
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    QString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const QString& s) { FButton->SetCaption(s); }
    TBitmap* Glyph() { return FButton->Glyph(); }
    int NumGlyphs = 1;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TColor ButtonColorDown = clNone, ButtonBorderColor = clNone, ButtonTextColor = clNone,
           ButtonTextColorHot = clNone, ButtonColor = clNone, ButtonColorHot = clNone,
           ButtonTextColorDown = clNone;
protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
private:
    void BtnMouseUp(TMouseButton Button);
    TKvSpeedButton* FButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    bool FFlat = false;
};

class TKsgEditBtn : public TMaskEdit {
public:
    explicit TKsgEditBtn(TComponent* AOwner = nullptr);
    TKsgEditButton* Button() const { return FButton; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool v);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    bool IsWinXP() const { return FIsWinXP; }
    void SetIsWinXP(bool v);
    QString ButtonCaption() const { return FButton->ButtonCaption(); }
    void SetButtonCaption(const QString& s) { FButton->SetButtonCaption(s); }
    TBitmap* Glyph() { return FButton->Glyph(); }
    TBorderStyle BorderStyle() const { return FEditBorder; }
    void SetBorderStyle(TBorderStyle b);
    int GetMinHeight() const;
    TNotifyEvent OnClickBtn;
    virtual void ClickButton(TObject* Sender);
    void WndProc(TMessage& m) override;
protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoEnter() override;
    void Resize() override;
    void SetEditRect();
    int FUnitSize = 0;
    bool FRightAlign = false;
    TKsgEditButton* FButton;
    bool FEditorEnabled = true;
    int FButtonWidth = 18;
    bool FIsWinXP = false;
    TBorderStyle FEditBorder = bsSingle;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const QString& NewUnit)>;

class TKsgUnitEditBtn : public TKsgEditBtn {
public:
    explicit TKsgUnitEditBtn(TComponent* AOwner = nullptr);
    ~TKsgUnitEditBtn() override;
    QString UnitID() const { return FUnitID; }
    void SetUnitID(const QString& v);
    const TStringList* Units() const { return &FUnits; }
    TStringList* Units() { return &FUnits; }
    // Copies the list; a null list is ignored.
    void SetUnits(const TStrings* List);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int v);
    // The text followed by the unit.
    QString TextAndUnit() const { return Text() + FUnitID; }
    // Splits off the first listed unit that ends the value (and occurs nowhere
    // earlier in it); without one nothing changes.
    void SetTextAndUnit(const QString& V);
    TUnitChangeEvent OnUnitChanged;
    void ClickButton(TObject* Sender) override;
    void WndProc(TMessage& m) override;
protected:
    void Resize() override;
private:
    void PlaceUnitLabel();
    QString FUnitID;
    TStringList FUnits;
    class TUnitLabel* FUnitLabel = nullptr;
};
