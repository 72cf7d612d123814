#pragma once
// The base through which an application plugs its own editor control into the
// grid for cells of the kind edCustom. A descendant creates the control, moves
// values between it and the cell and connects the control's key-down event to
// EditKeyDown; the grid drives the rest: where the control lives (over the cell
// or in a borderless stay-on-top popup form named "gridform"), which keys go
// back to the grid, how the value returns to the cell, and the key claim the
// grid makes for an in-place control while it edits (an event filter on the
// control stands for the borrowed window procedure).
#include "platform/ui/controls.h"

class TCustomForm;
class TKvStringGrid;

enum TEditStyle : int { esInplace, esPopup };

class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner = nullptr);
    ~TEditLink() override;
    QString ClassName() const override { return QStringLiteral("TEditLink"); }

    // ---- the protocol the grid drives, in this order of declaration
    // The key handler descendants connect to their control.
    virtual void EditKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* AParent) { (void)AParent; }
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(const TRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, TFont* AFont) { (void)AColor; (void)AFont; }
    virtual QString GetEditorValue() { return QString(); }
    virtual void SetEditorValue(const QString& S) { (void)S; }

    void EditExit(TObject* Sender);
    // The popup form's deactivation handler.
    void FormExit(TObject* Sender);
    QString GetCellValue();
    void SetCellValue(const QString& S);
    TWinControl* GetParent();
    void HideEditor();
    void RestoreWinProc();

    // ---- published wishes and placement
    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 100;
    int PopupHeight = 100;
    bool AutoPopupWidth = false;
    // Screen position of the popup; -1 places it at the cell.
    int PopupLeft = -1;
    int PopupTop = -1;

    // ---- state the grid keeps in the link
    TKvStringGrid* Grid() const { return FOwner; }
    void SetGrid(TKvStringGrid* Grid);
    TPoint EditCell() const { return FEditCell; }
    void SetEditCell(const TPoint& Cell) { FEditCell = Cell; }
    TCustomForm* PopupForm() const { return FPopupForm; }
    void SetPopupForm(TCustomForm* Form);
    bool SubClassed() const { return FSubClassed; }
    bool ForcedExit() const { return FForcedExit; }
    bool FWantReturns = false; // not consulted by the grid
    bool FWantTabs = false;    // Tab stays in the control

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The grid takes the focus while the link itself moves it.
    void ForceGridFocus();
    TKvStringGrid* FOwner = nullptr;
    TCustomForm* FPopupForm = nullptr;
    TPoint FEditCell{-1, -1};
    bool FForcedExit = false;
    bool FSubClassed = false;
};
