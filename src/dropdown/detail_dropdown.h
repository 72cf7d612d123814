#pragma once
// The detail drop-down: an edit that chooses one of a list of detail items,
// each with an image, a caption and optional notes in mini-HTML. The popup
// shows the items one per row in an item selector whose item content this
// control draws itself. Typing completes the text with the first caption that
// starts with what was typed (the typed characters keep their case); keys and
// the wheel move the selection.
//
// Where the contract leaves the choice open: completion needs a typed part
// (text left of the caret); a text set by the control itself (a chosen
// item's caption) is never completed again. A cancelled close restores the
// item of the opening only when the popup was open.

#include <memory>

#include "dropdown/list_picker.h"
#include "dropdown/picker_items.h"

class TDetailItem : public TPictureListItem {
public:
    explicit TDetailItem(TCollection* ACollection) : TPictureListItem(ACollection) {}

    // Shown under the caption, in mini-HTML.
    QString Notes() const { return FNotes; }
    void SetNotes(const QString& Value) { FNotes = Value; }
    // A reference the application attaches; not owned.
    TObject* ItemObject() const { return FItemObject; }
    void SetItemObject(TObject* Value) { FItemObject = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }

    void Assign(const TPersistent* Source) override;

private:
    QString FNotes;
    TObject* FItemObject = nullptr;
    int FTag = 0;
};

class TDetailItems : public TPickerItems<TDetailItem> {
public:
    using TPickerItems::TPickerItems;
    // The first item whose caption equals AValue exactly (case counts), or -1.
    int IndexOf(const QString& AValue) const;
};

class TKvDetailDropDown : public TKvItemListDropDown {
public:
    explicit TKvDetailDropDown(TComponent* AOwner = nullptr);
    ~TKvDetailDropDown() override;

    int ItemIndex() const { return FItemIndex; }
    // A valid new index: its caption becomes the text, wholly selected, and
    // OnSelect fires; -1 clears the text silently; anything else is ignored.
    void SetItemIndex(int Value);
    void SelectFirst();
    void SelectLast();
    void SelectNext();
    void SelectPrevious();

    TDetailItems* Items() const { return FItems.get(); }
    void SetItems(const TDetailItems* Value) { FItems->Assign(Value); }
    TItemLayout Layout() const { return FLayout; }
    void SetLayout(TItemLayout Value) { FLayout = Value; }
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int Value) { FItemHeight = Value; }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(const TFont& Value) { FCaptionFont->Assign(Value); }
    TFont* NotesFont() const { return FNotesFont.get(); }
    void SetNotesFont(const TFont& Value) { FNotesFont->Assign(Value); }
    bool MatchCase() const { return FMatchCase; }
    void SetMatchCase(bool Value) { FMatchCase = Value; }
    // Stored only: completion always matches from the start of a caption.
    bool MatchStart() const { return FMatchStart; }
    void SetMatchStart(bool Value) { FMatchStart = Value; }
    // Typing mode: Change completes the text.
    bool TypingMode() const { return FWorkMode; }

    // When set, draws every item's content instead of the control.
    TOnDrawSelectedItem OnDrawSelectedImage;

    // Completion of the typed text, run on every change of the edit text.
    void Change() override;

    // ---- overrides of the drop-down's operations
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void UpdateDropDownSize() override;
    void DoShowDropDown() override;
    void DoHideDropDown(bool Cancelled) override;
    void DropDownFormSizing() override;
    void HandleMouseWheelDown() override;
    void HandleMouseWheelUp() override;
    void WndProc(TMessage& Message) override;

    // The selector's item size and item drawing.
    void DetailItemSize(TObject* Sender, TSize& ASize);
    void DrawDetailItem(TObject* Sender, TCanvas* Canvas, TRect R, int Index);

    // Test hooks into the protected key handlers.
    void TestKeyDown(WORD& Key, TShiftState Shift) { KeyDown(Key, Shift); }
    void TestKeyUp(WORD& Key, TShiftState Shift) { KeyUp(Key, Shift); }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;

private:
    void DetailItemSelected();
    void StepItem(TListStep Step);
    // Sets the text as the control's own, so Change does not complete it.
    void SetOwnText(const QString& Value);
    // Moves the selector to N (inside its list) with the popup kept open.
    void MoveSelectorTo(int N);
    // Refills the selector's items from Items.
    void FillSelector();
    // The selector's previous or next index (from no selection: 0).
    int SelectorStep(bool Down) const;

    TItemLayout FLayout = ilCaptionRight;
    std::unique_ptr<TDetailItems> FItems;
    int FItemIndex = -1;
    int FItemHeight = 22;
    std::unique_ptr<TFont> FCaptionFont;
    std::unique_ptr<TFont> FNotesFont;
    bool FWorkMode = true;
    bool FItemChange = false;
    int FItemIdx = 0;
    int FItemSel = 0;
    QString FOldValue;
    bool FMatchCase = false;
    bool FMatchStart = false;
};
