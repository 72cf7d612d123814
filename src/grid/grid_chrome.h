#pragma once
// The grid's chrome around the cells: the floating footer (settings and the
// panel that shows the footer row), the search bar panel, the filter lists,
// the focus frame, the arrows and header button shown while a column is
// dragged, and the scroll controls of the Metro scroll look. The grid owns
// them; their painting and input are added with the grid's chrome.

#include <functional>

#include "grid/cell_properties.h"
#include "platform/core/classes.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

class TKvStringGrid;
class TFooterPanel;

enum TFooterStyle : int { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

using TFooterCalcEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TKvStringGrid* AGrid) : FGrid(AGrid) {}
    QString ClassName() const override { return QStringLiteral("TFloatingFooter"); }
    void Assign(const TPersistent* Source) override;

    bool Visible() const { return FVisible; }
    // The grid then keeps one fixed footer row and paints its last row blank.
    void SetVisible(bool Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& Value);
    bool CalculateHiddenRows() const { return FCalculateHiddenRows; }
    void SetCalculateHiddenRows(bool Value) { FCalculateHiddenRows = Value; }
    bool EnableCalculation() const { return FEnableCalculation; }
    void SetEnableCalculation(bool Value) { FEnableCalculation = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // Kept in the cell properties of the footer cell (c, last row).
    TColumnCalcType ColumnCalc(int c) const;
    void SetColumnCalc(int c, TColumnCalcType Value);
    void Invalidate();

    TFooterCalcEvent OnCalcFooter;

private:
    TKvStringGrid* FGrid;
    bool FVisible = false;
    int FHeight = 0;
    TColor FColor = clBtnFace;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    QString FCustomTemplate;
    bool FCalculateHiddenRows = true;
    bool FEnableCalculation = true;
    bool FShowHint = false;
    TColor FBorderColor = clNone;
};

// Shows the footer row below the grid.
class TFooterPanel : public TCustomPanel {
public:
    explicit TFooterPanel(TKvStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TFooterPanel"); }
    TKvStringGrid* Grid() const { return FGrid; }

private:
    TKvStringGrid* FGrid;
    int FLastHintX = -1;
};

// A one-line edit that hands Return and Ctrl+Return to its owner instead of
// inserting a line break.
class TRetEdit : public TEdit {
    Q_OBJECT
public:
    explicit TRetEdit(TComponent* AOwner = nullptr) : TEdit(AOwner) {}
    TNotifyEvent OnReturn, OnCtrlReturn;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
};

class TKvGridButton;
class TKvCheckBox;

// The search bar at the grid's bottom.
class TSearchPanel : public TCustomPanel {
public:
    explicit TSearchPanel(TKvStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TSearchPanel"); }
    TKvStringGrid* Grid() const { return FGrid; }

    TRetEdit* EditControl() const { return FEdit; }
    TKvGridButton* ForwardButton() const { return FForwardButton; }
    TKvGridButton* BackwardButton() const { return FBackwardButton; }
    TKvGridButton* HiliteButton() const { return FHiliteButton; }
    TKvGridButton* ExitButton() const { return FExitButton; }
    TKvCheckBox* MatchCase() const { return FMatchCase; }
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    // Places the controls and takes the captions and hints.
    void LayoutControls();

    QString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
    QString HintFindNext, HintFindPrev, HintClose, HintHighlight;
    std::function<void(TObject*)> OnForwardClick, OnBackwardClick, OnEditChange, OnExitClick, OnHighlightClick;

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    void EditChanged();
    TKvStringGrid* FGrid;
    TRetEdit* FEdit;
    TKvGridButton *FForwardButton, *FBackwardButton, *FHiliteButton, *FExitButton;
    TKvCheckBox* FMatchCase;
    TColor FColorTo = clNone;
};

// Registers the search bar's pictures (arrows, highlight and close) once.
void RegisterSearchBarImages();

// The footer preview template: "<#n>" becomes the text of cell n of the
// current row; an "<#" without a closing ">" is kept as text.
QString ExpandFooterTemplate(const TKvStringGrid* Grid, const QString& Template);

using TDropSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The filter lists close when the user clicks outside them (the cancel-mode
// notice) and reset the grid's open filter column.
class TDropList : public TListBox {
public:
    explicit TDropList(TComponent* AOwner);
    ~TDropList() override;
    QString ClassName() const override { return QStringLiteral("TDropList"); }
    void WndProc(TMessage& Message) override;
    TDropSelectEvent OnSelect;

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    QObject* FOutsideWatch;
};

class TDropCheckList : public TCheckListBox {
public:
    explicit TDropCheckList(TComponent* AOwner);
    ~TDropCheckList() override;
    QString ClassName() const override { return QStringLiteral("TDropCheckList"); }
    void WndProc(TMessage& Message) override;
    TDropSelectEvent OnSelect;

private:
    QObject* FOutsideWatch;
};

// The glowing frame around the focused cell's editor.
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TGridFocusWindow"); }
};

// An arrow shown beside the drop position while a column is dragged.
class TArrowWindow : public TCustomControl {
public:
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction) : TCustomControl(AOwner), FDirection(Direction) {}
    QString ClassName() const override { return QStringLiteral("TArrowWindow"); }
    TArrowDirection Direction() const { return FDirection; }

private:
    TArrowDirection FDirection;
};

// The picture of a header cell that follows the mouse while a column is dragged.
class THeaderDragButton : public TCustomControl {
public:
    explicit THeaderDragButton(TComponent* AOwner) : TCustomControl(AOwner) {}
    QString ClassName() const override { return QStringLiteral("THeaderDragButton"); }
    TKvStringGrid* Grid = nullptr;
};

// A scroll bar of the Metro scroll look.
class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TScrollControl"); }
};
