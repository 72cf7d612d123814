#pragma once
// A drop-down edit whose value is a list of lines (MemoText), edited in a memo
// in the popup. With typing on the edit shows the whole text; with typing off
// it shows the first line, with "..." when more lines follow, shortened with
// an ellipsis to the edit's width when too long.
#include "dropdown/kv_dropdown.h"

#include "platform/core/stringlist.h"

#include <memory>

class TMemo;
class TPopupMenu;

class TKvMemoDropDown : public TKvCustomDropDown {
    Q_OBJECT
public:
    explicit TKvMemoDropDown(TComponent* AOwner = nullptr);
    ~TKvMemoDropDown() override;

    TStringList* MemoText() const { return FMemoText.get(); }
    void SetMemoText(const TStrings* Value);
    TMemo* Memo() const { return FMemo; }
    TPopupMenu* MemoPopup() const { return FMemoPopup; }
    void SetMemoPopup(TPopupMenu* Value) { FMemoPopup = Value; }
    TScrollStyle MemoScrollBars() const { return FMemoScrollBars; }
    void SetMemoScrollBars(TScrollStyle Value) { FMemoScrollBars = Value; }
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool Value);
    bool AutoDrop() const { return FAutoDrop; }
    void SetAutoDrop(bool Value) { FAutoDrop = Value; }
    TNotifyEvent OnMemoChange;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoHideDropDown(bool Cancelled) override;
    void AfterDropUp() override;
    void ControlKeyDown(WORD& Key, TShiftState Shift) override;
    void ControlKeyUp(WORD& Key, TShiftState Shift) override;
    void ControlKeyPress(QChar& Key) override;
    // Typed text becomes MemoText (split at line breaks), then OnChange.
    void Change() override;
    // Shows MemoText in the edit (see the file comment).
    void UpdateEditText();

protected:
    void DoEnter() override;
    // MemoText's lines joined with line breaks, without a trailing one.
    QString JoinedText() const;

    std::unique_ptr<TStringList> FMemoText;
    TPopupMenu* FMemoPopup = nullptr;
    TMemo* FMemo = nullptr;
    TScrollStyle FMemoScrollBars = ssNone;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
    bool FAutoDrop = false;
};
