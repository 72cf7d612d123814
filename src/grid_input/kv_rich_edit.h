#pragma once
// The grid's rich edit: the in-place editor of rich-text cells and the hidden
// converter the grid turns rich-text cells into plain text with. Beside the
// platform's rich edit it sets sub- and superscript on the selection, grows
// the current row to the content while the user types (SizeWhileTyping), and
// hands Tab and the vertical arrows back to the grid.
#include "platform/ui/richedit.h"

class TKvStringGrid;

class TKvRichEdit : public TRichEdit {
    Q_OBJECT
public:
    // The owner must be a grid (EKvGridError otherwise).
    explicit TKvRichEdit(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TKvRichEdit"); }
    TKvStringGrid* Grid() const { return FGrid; }
    void ReCreate() { RecreateWnd(); }

    // Vertical offset of the selected characters: 0, -40 or +40 twips.
    void SelNormal();
    void SelSubscript();
    void SelSuperscript();
    bool IsSelNormal();
    bool IsSelSubscript();
    bool IsSelSuperscript();

    // While locked the in-place editor leaves the row height alone (the grid
    // locks it around the loading of a cell).
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    // The content size the converter last reported.
    int ReqWidth() const { return FReqWidth; }
    int ReqHeight() const { return FReqHeight; }

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    void SetOffset(int Twips);
    int Offset();
    void RequestResize(const TReqResize& Request);
    TKvStringGrid* FGrid;
    int FReqWidth = 0, FReqHeight = 0;
    bool FLocked = false;
};
