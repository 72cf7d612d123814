#pragma once
// The editor controls the grid creates at run time as hidden children: the
// combo editor, the transparent edit and combo, the check box, the edit with
// a button and its unit variant, the cell button (grid_editor_wrappers.h) and
// the controls of HTML forms in cells.

#include <QString>
#include <functional>
#include <memory>

#include "grid_input/grid_editor_wrappers.h"
#include "grid_input/ksg_combo.h"
#include "platform/ui/stdctrls.h"

class TKvStringGrid;

// What the combo editor asks of the grid it edits for. The defaults ask the
// grid's editing core (validation, Tab claim, ending an edit, lookup settings);
// a grid that answers otherwise sets a link of its own (TGridCombo::SetLink).
class TGridComboLink {
public:
    explicit TGridComboLink(TKvStringGrid* Grid) : FGrid(Grid) {}
    virtual ~TGridComboLink() = default;
    TKvStringGrid* Grid() const { return FGrid; }

    // Text of the current cell: the base cell of the real column and Row.
    virtual QString CurrentCell();
    virtual void SetCurrentCell(const QString& Value);
    // The check of a committed text: the grid's ValidateCell.
    virtual bool ValidateCell(const QString& Value);
    // The text the last check ended with.
    virtual QString NewCellText();
    // Whether the editor keeps Tab: with goTabs or a cell validator.
    virtual bool EditorWantsTab();
    virtual void HideInplaceEdit();
    virtual void ShowInplaceEdit();
    // Ends the edit on a key: closes the editor, focuses the grid, hands Tab and
    // the arrow keys to the grid's key handling and advances after Return.
    virtual void DoneInplaceEdit(WORD& Key, TShiftState Shift);
    virtual void TabToNextCell(bool Backward);
    virtual void AdvanceToNextCell(int ACol, int ARow, bool Edit, bool Recursing, bool Forward, bool AutoEdit,
                                   bool Force);
    // The grid's own key-down handling (moves the current cell).
    virtual void GridKeyDown(WORD& Key, TShiftState Shift);
    // Completion from the items and the grid's lookup list, and the typed-text
    // history: the grid's settings (off by default).
    virtual bool Lookup();
    virtual bool LookupCaseSensitive();
    virtual bool LookupHistory();
    // Set when a click opened the editor, for the caret placement.
    virtual bool LButFlg();
    virtual void SetLButFlg(bool Value);
    // The message the grid takes for wheel turns.
    virtual UINT WheelMsg();
    // The grid's combo events (Sender the grid), each when assigned.
    virtual void ComboChange(int ACol, int ARow, int AItemIndex, const QString& ASelection);
    virtual void ComboObjectChange(int ACol, int ARow, int AItemIndex, const QString& ASelection, TObject* AObject);

private:
    TKvStringGrid* FGrid;
};

// The in-place editor of combo cells: the flat combo with the grid's keyboard
// protocol. It decides which keys it keeps, commits its text to the current
// cell through the grid's check, cancels on Escape, walks out of the cell with
// the arrow keys, steps the selection with the wheel, completes typed text
// from lookup lists and fires the grid's combo events. Its owner must be a grid.
class TGridCombo : public TKsgComboBox {
public:
    explicit TGridCombo(TComponent* AOwner);
    ~TGridCombo() override;
    QString ClassName() const override { return QStringLiteral("TGridCombo"); }

    TKvStringGrid* Grid() const { return FGrid; }
    TGridComboLink* Link() const { return FLink.get(); }
    void SetLink(std::unique_ptr<TGridComboLink> Link);

    // The list as wide as its widest item (never narrower than the combo).
    void SizeDropDownWidth();
    // Completes the text before the caret from the items or the grid's lookup list.
    void DoChange();
    // List mode: a pick-only list, or the list is open.
    bool ListMode() const;

    // False after Backspace or Delete, so deleting never completes again.
    bool WorkMode = true;
    TNotifyEvent OnReturnKey;
    bool IsVistaComCtl6 = false;

    void WndProc(TMessage& Message) override;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void Change() override;
    void DoExit() override;

private:
    void FocusGrid();
    void CursorWalk(bool Forward);
    void PlaceCaret();
    TKvStringGrid* FGrid;
    std::unique_ptr<TGridComboLink> FLink;
};

class TKvStringGrid;

// The header-cell editors: an edit and a combo placed over a fixed cell. Enter
// does nothing in them; the edit ends when the focus leaves (header_editors.cpp).
class TGridTransEdit : public TEdit {
public:
    explicit TGridTransEdit(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridTransEdit"); }
    // Validates and writes the text back; True when the editor is hidden afterwards.
    bool StopEdit();
    int FRow = -1;
    int FCol = -1; // real column
    TKvStringGrid* FGrid = nullptr;

protected:
    void DoExit() override;
    void KeyPress(QChar& Key) override;
};

class TGridTransCombo : public TComboBox {
public:
    explicit TGridTransCombo(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridTransCombo"); }
    bool StopEdit();
    int FRow = -1;
    int FCol = -1; // real column
    TKvStringGrid* FGrid = nullptr;

protected:
    void DoExit() override;
    void KeyPress(QChar& Key) override;
};

// The editors of the form controls in a cell's HTML (cell_form_controls.cpp):
// Enter ends the edit and gives the grid the focus, Tab ends it and goes on
// to the next control or cell.
class TControlEdit : public TMaskEdit {
public:
    explicit TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TControlEdit"); }

protected:
    void WndProc(TMessage& Message) override;
    void KeyPress(QChar& Key) override;
};

// The combo shown over a COMBO control of a cell's HTML form.
class TControlCombo : public TKsgComboBox {
public:
    explicit TControlCombo(TComponent* AOwner) : TKsgComboBox(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TControlCombo"); }

protected:
    void WndProc(TMessage& Message) override;
    void KeyPress(QChar& Key) override;
};
