#pragma once
// The grid's editors of the drop-down kinds (edTrackbarDropDown to
// edKvGridDropDown): the stand-alone drop-down editors with the grid's
// keyboard protocol. Escape cancels to the cell's text; Return (and Up and
// Down, except in the colour editor) commit the text to the current cell
// through the grid's check; Tab commits when the grid wants it; the page keys
// and, with the popup open, End leave the cell with the value stored
// unchecked. Their owner must be a grid.
//
// The protocol sits in front of the drop-down's own message handling, so it
// sees the keys of an editor that cannot be typed into (the colour and image
// pickers), which the drop-down edit drops before its key events.
#include "dropdown/calculator_dropdown.h"
#include "dropdown/color_picker.h"
#include "dropdown/detail_dropdown.h"
#include "dropdown/grid_dropdown.h"
#include "dropdown/image_picker.h"
#include "dropdown/memo_dropdown.h"
#include "dropdown/multicolumn_dropdown.h"
#include "dropdown/timepicker_dropdown.h"
#include "dropdown/trackbar_dropdown.h"

#include <functional>

class TKvStringGrid;

// What the editors differ in.
struct TGridDropDownKind {
    // The colour editor: its key set shrinks to Tab, Return and Escape while its
    // popup is open, Home joins it while closed, and only Return commits.
    bool ColourKeys = false;
    // Return and Escape are claimed from the form's dialog keys.
    bool ClaimsReturnEscape = false;
    // A click that opened the editor puts the caret under the pointer.
    bool CaretOnClick = false;
};

// The shared protocol of one editor: its key-down, character, special-key and
// focus steps and its change notification.
class TGridDropDownSteps {
public:
    TGridDropDownSteps(TKvCustomDropDown* Edit, TKvStringGrid* Grid, const TGridDropDownKind& Kind)
        : FEdit(Edit), FGrid(Grid), FKind(Kind)
    {
    }
    // The editor's value as the grid reads and writes it.
    std::function<QString()> GetValue;
    std::function<void(const QString&)> SetValue;
    // What Return does before its commit (the calculator finishes its sum).
    std::function<void()> BeforeReturn;
    // After a cancel: the editor's value taken from the cell again, where the
    // value is more than the text (the colour and image editors).
    std::function<void()> Reload;
    // The drop-down's own message handling.
    std::function<void(TMessage&)> ParentWndProc;

    void WndProc(TMessage& Message);
    // After the drop-down's own change handling: the grid's OnEditChange.
    void Changed();
    // The keys the protocol takes; the others are the drop-down's own.
    bool Intercepts(WORD Key) const;

private:
    // True when the key was used up.
    bool KeyDown(WORD& Key, TShiftState Shift);
    void KeyPress(TMessage& Message);
    void PlaceCaret();

    TKvCustomDropDown* FEdit;
    TKvStringGrid* FGrid;
    TGridDropDownKind FKind;
};

// The drop-down editor TParent with the grid's protocol.
template <class TParent>
class TGridDropDownEditor : public TParent {
public:
    TGridDropDownEditor(TComponent* AOwner, const TGridDropDownKind& Kind);
    TKvStringGrid* OwnerGrid() const { return FGrid; }
    TGridDropDownSteps& Steps() { return FSteps; }
    void WndProc(TMessage& Message) override { FSteps.WndProc(Message); }
    void Change() override
    {
        TParent::Change();
        FSteps.Changed();
    }

protected:
    void DoExit() override;
    // The text the grid shows in the editor (no prefix, suffix or formatting).
    virtual void ShowValue(const QString& Value) { this->SetTextDirect(Value); }

    TKvStringGrid* FGrid;
    TGridDropDownSteps FSteps;
};

class TGridTrackbarDropDown : public TGridDropDownEditor<TKvTrackBarDropDown> {
public:
    explicit TGridTrackbarDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridTrackbarDropDown"); }
    // Callers may announce a change; the editor's own change handling already told the grid.
    void DoChange() {}

protected:
    // Key releases are the drop-down's own.
    void KeyUp(WORD& Key, TShiftState Shift) override { TGridDropDownEditor::KeyUp(Key, Shift); }
    // Through the edit's formatting: prefix, suffix and edit type applied.
    void ShowValue(const QString& Value) override { SetText(Value); }
};

class TGridMemoDropDown : public TGridDropDownEditor<TKvMemoDropDown> {
public:
    explicit TGridMemoDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridMemoDropDown"); }
    // The lines joined with line breaks.
    QString Lines() const { return JoinedText(); }
};

class TGridCalculatorDropDown : public TGridDropDownEditor<TKvCalculatorDropdown> {
public:
    explicit TGridCalculatorDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridCalculatorDropDown"); }
};

class TGridTimepickerDropDown : public TGridDropDownEditor<TKvTimePickerDropDown> {
public:
    explicit TGridTimepickerDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridTimepickerDropDown"); }
};

class TGridDetailPickerDropDown : public TGridDropDownEditor<TKvDetailDropDown> {
public:
    explicit TGridDetailPickerDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridDetailPickerDropDown"); }
};

class TGridGridDropDown : public TGridDropDownEditor<TKvMultiColumnDropDown> {
public:
    explicit TGridGridDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridGridDropDown"); }
};

// Its value as text is the selected colour's text, as the editor shows it.
class TGridColorDropDown : public TGridDropDownEditor<TKvColorPickerDropDown> {
public:
    explicit TGridColorDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridColorDropDown"); }
};

class TGridImageDropDown : public TGridDropDownEditor<TKvImagePickerDropDown> {
public:
    explicit TGridImageDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridImageDropDown"); }
    // The selected item's caption, empty without a selection: the editor's value as text.
    QString SelectedCaption() const;
};

class TGridKvGridDropDown : public TGridDropDownEditor<TCustomKvGridDropDown> {
public:
    explicit TGridKvGridDropDown(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridKvGridDropDown"); }
    // The popup's grid.
    TKvStringGrid* Grid() const;
};

extern template class TGridDropDownEditor<TKvTrackBarDropDown>;
extern template class TGridDropDownEditor<TKvMemoDropDown>;
extern template class TGridDropDownEditor<TKvCalculatorDropdown>;
extern template class TGridDropDownEditor<TKvTimePickerDropDown>;
extern template class TGridDropDownEditor<TKvDetailDropDown>;
extern template class TGridDropDownEditor<TKvMultiColumnDropDown>;
extern template class TGridDropDownEditor<TKvColorPickerDropDown>;
extern template class TGridDropDownEditor<TKvImagePickerDropDown>;
extern template class TGridDropDownEditor<TCustomKvGridDropDown>;
