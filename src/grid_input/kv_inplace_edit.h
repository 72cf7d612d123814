#pragma once
// The grid's text editor: the one edit the grid places over the current cell
// for the editor kinds without a control of their own. It filters typed and
// pasted characters by the cell's kind, validates through the grid on Enter,
// Tab, the arrows at the text's edges and on losing the focus, restores the
// cell on Escape, completes from the grid's lookup list and reports changes.
// Placing, loading and writing back are the stock in-place edit's.

#include <QString>

#include "grid/grid_enums.h"
#include "platform/stdgrid/grids.h"

class TKvStringGrid;

class TKvInplaceEdit : public TInplaceEdit {
public:
    explicit TKvInplaceEdit(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TKvInplaceEdit"); }
    TKvStringGrid* KvGrid() const { return FGrid; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Right alignment of the text; set whenever the grid loads the editor.
    bool Valign() const { return FValign; }
    void SetValign(bool Value);
    int LengthLimit() const { return FLengthLimit; }
    bool AlternateBackground = false;
    bool GotKey = false;
    bool Workmode = true;
    bool GotFocus() const { return FGotFocus; }
    int ColE() const { return FColE; }
    int RowE() const { return FRowE; }

    void UpdateContents() override;

protected:
    void WndProc(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void BoundsChanged() override;
    void Change() override;
    void CreateWnd() override;
    void CreateParams(TCreateParams& Params) override;

private:
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMPaste(TMessage& Message);
    void ApplyWindowStyle();
    void UpdateWindowStyle();
    bool WantsLines() const;
    // Editor text := the grid's FNewCellText selected (or caret at the end), the old text kept.
    void RestoreRejected(const QString& Saved);
    void DoLookup();
    bool FirstLine() const;
    bool LastLine() const;
    TKvStringGrid* FGrid;
    int FSelKeyDown = 0;
    int FOldSelStart = 0;
    // 32 bits: a limit above 32,767 must not wrap into no limit.
    int FLengthLimit = 0;
    bool FValign = false;
    bool FWordWrap = false;
    bool FGotFocus = false;
    bool FAltBack = false;
    bool FValidatedArrow = false;
    int FColE = -1, FRowE = -1;
};
