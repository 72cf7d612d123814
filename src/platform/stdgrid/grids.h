#pragma once
// The stock grid controls: TCustomGrid (geometry, current cell, selection,
// scrolling, keyboard and mouse, in-place editor hosting), TDrawGrid (adds the
// owner-draw and edit events), TStringGrid (adds a text and an object per
// cell) and TInplaceEdit (the masked edit placed over the current cell).
//
// Behaviour worth knowing where callers rely on it:
// - All input arrives through WndProc, so a descendant's override sees each
//   message before the grid handles it. Key, mouse and wheel messages end in
//   the virtual KeyDown/KeyPress/MouseDown/MouseMove/MouseUp/DoMouseWheel*.
// - Cell texts and objects are stored apart from the counts: lowering
//   ColCount or RowCount hides data, raising the count shows it again, and
//   cells at or beyond the counts can be read and written. The grid never
//   frees objects it holds.
// - Grid lines take room: each cell is followed by GridLineWidth pixels of
//   line. With GridLineWidth 0 the cells touch.
// - VisibleColCount/VisibleRowCount count the scrollable columns/rows fully
//   shown from LeftCol/TopRow, but at least one while there is a scrollable
//   column/row at all.
// - The scroll bars use the fixed scale 0..127: position p stands for
//   TopRow = FixedRows + MulDiv(p, RowCount - VisibleRowCount - FixedRows, 127)
//   (LeftCol likewise). A bar shows only while some rows/columns do not fit.
//   Line moves by one, page by the visible count; the thumb scrolls while it is
//   dragged only with goThumbTracking, otherwise when it is released.
// - Moving the current cell hides the in-place editor first; it opens again
//   on the new cell when goAlwaysShowEditor is on.
// - DeleteRow/DeleteColumn move the row/column to the end through
//   MoveRow/MoveColumn (so RowMoved/ColumnMoved run) and lower the count; the
//   height/width entry of the deleted row/column goes with it. MoveRow and
//   MoveColumn themselves leave heights and widths alone.
// - PgUp/PgDn move the current row by the visible row count and scroll the
//   view by a page; Ctrl+Home/End go to the first/last cell, Home/End to the
//   first/last column of the row (with goRowSelect: first/last row).
// - A press on a fixed cell that is not a sizing border starts a move with
//   goColMoving/goRowMoving; otherwise fixed cells do nothing on a press.
//   Sizing starts within 3 pixels of a column border inside the fixed rows
//   (goColSizing) or of a row border inside the fixed columns (goRowSizing).
// - Enter toggles the editor (goEditing without goAlwaysShowEditor), F2 opens
//   it, a typed character opens it holding that character, a second click on
//   the current cell opens it. Enter in the editor writes the text back and
//   closes it; Escape puts back the text the cell had and closes it. The text
//   reaches the cell only when the editor closes (SetEditText).
// - Paint walks only the cells in view (fixed and scrollable, partly visible
//   ones included), so its cost does not grow with the row or column count.
//   With DefaultDrawing the grid fills each cell (FixedColor, Color or the
//   highlight for selected cells) before DrawCell and draws the focus
//   rectangle after it; the string grid then draws the cell text. With
//   DefaultDrawing and Ctl3D, fixed cells get a raised edge after DrawCell on
//   the sides whose fixed lines are on (goFixedVertLine: left and right,
//   goFixedHorzLine: top and bottom).
// - The wheel moves the current row by one per notch. While a press selects or
//   moves outside the view, a timer (WM_TIMER id 1) scrolls one cell at a time
//   towards the last mouse position. The right button never moves the current
//   cell; the control's PopupMenu opens on it. Keyboard, wheel and Col/Row moves go
//   through FocusCell, which fires OnClick like a click does.
// - Indexes outside the grid raise EInvalidGridOperation ("Grid index out of
//   range") for Col/Row, widths and heights; cell storage accepts any index
//   of 0 or more.
// - Right to left (BiDiMode bdRightToLeft): column 0 sits at the right. Client
//   coordinates stay those of the window: CellRect answers the mirrored place and
//   MouseCoord/MouseToCell read a mirrored point. Painting runs on a canvas laid out
//   right to left (see TCanvas::SetRightToLeftLayout), so DrawCell and everything
//   drawn from it work in the unmirrored layout, and CellRect answers that layout
//   while the grid paints. The vertical bar is on the left and the horizontal bar
//   starts at the right; the scroll messages keep their meaning (line down is the
//   next column).
#include "platform/core/classes.h"
#include "platform/core/stringlist.h"
#include "platform/ui/controls.h"
#include "platform/ui/graphics.h"
#include "platform/ui/keys.h"
#include "platform/ui/menus.h"
#include "platform/ui/messages.h"
#include "platform/ui/stdctrls.h"
#include "platform/stdgrid/grid_cell_store.h"

#include <QtCore/QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QScrollBar;
class QTimer;

// A small set over one flag enumeration.
template <class E>
class TGridFlags {
public:
    constexpr TGridFlags() = default;
    constexpr TGridFlags(E f) : FBits(unsigned(f)) {}
    static constexpr TGridFlags FromBits(unsigned b) { TGridFlags s; s.FBits = b; return s; }
    constexpr bool Contains(E f) const { return (FBits & unsigned(f)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr unsigned Bits() const { return FBits; }
    TGridFlags& operator<<(E f) { FBits |= unsigned(f); return *this; }
    TGridFlags& operator>>(E f) { FBits &= ~unsigned(f); return *this; }
    constexpr TGridFlags operator|(TGridFlags o) const { return FromBits(FBits | o.FBits); }
    constexpr TGridFlags operator|(E f) const { return FromBits(FBits | unsigned(f)); }
    constexpr TGridFlags operator-(TGridFlags o) const { return FromBits(FBits & ~o.FBits); }
    constexpr bool operator==(const TGridFlags&) const = default;
private:
    unsigned FBits = 0;
};

enum TGridOption : unsigned {
    goFixedVertLine = 1u << 0, goFixedHorzLine = 1u << 1, goVertLine = 1u << 2,
    goHorzLine = 1u << 3, goRangeSelect = 1u << 4, goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6, goColSizing = 1u << 7, goRowMoving = 1u << 8,
    goColMoving = 1u << 9, goEditing = 1u << 10, goTabs = 1u << 11,
    goRowSelect = 1u << 12, goAlwaysShowEditor = 1u << 13, goThumbTracking = 1u << 14,
};
using TGridOptions = TGridFlags<TGridOption>;
constexpr TGridOptions operator|(TGridOption a, TGridOption b)
{ return TGridOptions::FromBits(unsigned(a) | unsigned(b)); }

enum TGridDrawStateFlag : unsigned {
    gdSelected = 1u << 0, gdFocused = 1u << 1, gdFixed = 1u << 2,
    gdRowSelected = 1u << 3, gdHotTrack = 1u << 4, gdPressed = 1u << 5,
};
using TGridDrawState = TGridFlags<TGridDrawStateFlag>;
constexpr TGridDrawState operator|(TGridDrawStateFlag a, TGridDrawStateFlag b)
{ return TGridDrawState::FromBits(unsigned(a) | unsigned(b)); }

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

struct TGridCoord {
    int X = 0, Y = 0;
    constexpr bool operator==(const TGridCoord&) const = default;
};

// A block of cells; Right and Bottom are inclusive.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    constexpr TGridRect() = default;
    constexpr TGridRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr bool operator==(const TGridRect&) const = default;
    constexpr bool Contains(int c, int r) const { return c >= Left && c <= Right && r >= Top && r <= Bottom; }
};

// Layout of one axis for the current client size and scroll position.
struct TGridAxisDrawInfo {
    int EffectiveLineWidth = 0;
    int FixedBoundary = 0;       // pixel just after the fixed cells (and their lines)
    int GridBoundary = 0;        // pixel just after the last (partly) visible cell
    int GridExtent = 0;          // client extent along the axis
    int LastFullVisibleCell = 0;
    int FullVisBoundary = 0;     // pixel just after the last fully visible cell
    int FixedCellCount = 0;
    int FirstGridCell = 0;       // LeftCol / TopRow
    int GridCellCount = 0;       // ColCount / RowCount
    std::function<int(int)> GetExtent;
};
struct TGridDrawInfo {
    TGridAxisDrawInfo Horz, Vert;
};

enum : unsigned { ESB_ENABLE_BOTH = 0, ESB_DISABLE_BOTH = 3 };

class TCustomGrid;

class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

// The masked edit that the grid places over its current cell.
class TInplaceEdit : public TMaskEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);
    ~TInplaceEdit() override;

    TCustomGrid* Grid() const { return FGrid; }
    // Loads the text, mask, limit and font of the grid's current cell.
    virtual void UpdateContents();
    // Places the editor over the rectangle (client coordinates of the grid) and shows it.
    void Move(const TRect& Loc);
    // Makes the window anew with the styles CreateParams gives now (one line or
    // multi-line, wrapping, want-return); text, selection and focus stay.
    void ReCreate();

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void WndProc(TMessage& Message) override;
    // Keys the grid handles instead of the editor.
    virtual bool ForwardsToGrid(WORD Key, TShiftState Shift) const;
    virtual void BoundsChanged();

private:
    friend class TCustomGrid;
    TCustomGrid* FGrid = nullptr;
    int FColE = -1, FRowE = -1; // the cell whose text the editor holds
};

class TCustomGrid : public TCustomControl {
public:
    explicit TCustomGrid(TComponent* AOwner = nullptr);
    ~TCustomGrid() override;

    // ---- dimensions
    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    int GridWidth();  // pixels of all columns (up to the client width)
    int GridHeight();

    // ---- current cell, selection, view
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    void FocusCell(int ACol, int ARow, bool MoveAnchor);
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    TGridCoord Anchor() const { return FAnchor; }
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    int VisibleColCount();
    int VisibleRowCount();
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TGridState GridState() const { return FGridState; }
    void SetGridState(TGridState Value) { FGridState = Value; }
    void ScrollInView(int ACol, int ARow);

    // ---- geometry
    TRect CellRect(int ACol, int ARow);
    // The client rectangle mirrored for a right-to-left grid outside painting (the
    // unmirrored layout is the one painting uses); the same rectangle otherwise.
    TRect ClientLayoutRect(const TRect& R) const;
    // The unmirrored x of a client x (a pixel) of a right-to-left grid.
    int LayoutX(int X) const;
    // True while Paint runs on the right-to-left canvas.
    bool PaintingMirrored() const { return FPaintingMirrored; }
    TGridCoord MouseCoord(int X, int Y);
    void MouseToCell(int X, int Y, int& ACol, int& ARow);
    void CalcDrawInfo(TGridDrawInfo& DrawInfo);
    void CalcFixedInfo(TGridDrawInfo& DrawInfo);
    // Client area the cells occupy (inside the border, beside the scroll bars).
    int GridClientWidth() const;
    int GridClientHeight() const;

    // ---- look
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TScrollStyle ScrollBars() const { return FScrollStyle; }
    void SetScrollBars(TScrollStyle Value);

    // ---- invalidation
    void InvalidateCell(int ACol, int ARow);
    void InvalidateCol(int ACol);
    void InvalidateRow(int ARow);
    void InvalidateRect(const TGridRect& ARect);
    void InvalidateGrid();
    void InvalidateEditor();
    // Update lock: while held, nothing is painted (redraw off/on).
    void LockRedraw();
    void UnlockRedraw();
    bool RedrawLocked() const { return FRedrawLock > 0; }

    // ---- rows and columns
    void DeleteColumn(int ACol);
    void DeleteRow(int ARow);
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);

    // ---- editor
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(QChar Ch);
    void UpdateEdit();

    // ---- scroll bars (the classic scroll-info calls are those of TWinControl)
    void EnableScrollBar(int Bar, unsigned Arrows);
    bool ScrollBarEnabled(int Bar) const;
    QScrollBar* ScrollBarWidget(int Bar) const;
    // Re-sets the range, position and visibility of both bars from the grid.
    // Overridable so that other bar mappings (proportional thumbs) can be laid over it.
    virtual void UpdateScrollRange();
    virtual void UpdateScrollPos();

    // ---- timers delivered as WM_TIMER through WndProc
    void SetGridTimer(unsigned Id, int Interval);
    void KillGridTimer(unsigned Id);

    // ---- events
    std::function<void(TObject* Sender)> OnTopLeftChanged;

protected:
    // ---- hooks for descendants
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void TopLeftChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                 int& SizingOfs, TGridDrawInfo& FixedInfo);
    virtual bool BeginColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool BeginRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool CheckColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool CheckRowDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndColumnDrag(int& Origin, int& Destination, const TPoint& MousePt);
    virtual bool EndRowDrag(int& Origin, int& Destination, const TPoint& MousePt);

    virtual TInplaceEdit* CreateEditor();
    virtual bool CanEditShow();
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(QChar Key);
    virtual bool CanGridAcceptKey(WORD Key, TShiftState Shift);
    virtual QString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const QString& Value);
    virtual QString GetEditMask(int ACol, int ARow);
    virtual int GetEditLimit();

    // ---- input (reached from WndProc)
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void CreateParams(TCreateParams& Params) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(QChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void Resize() override;
    virtual void TimedScroll(unsigned Direction);
    // WM_SETFOCUS / WM_KILLFOCUS; the default lets the control handle the message and
    // repaints the current cell (the editor takes the focus back while it is shown).
    virtual void WMSetFocus(TMessage& Message);
    virtual void WMKillFocus(TMessage& Message);

    void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
    void MoveAnchor(const TGridCoord& NewAnchor);
    void MoveTopLeft(int ALeft, int ATop);
    void ScrollData(int DX, int DY);
    bool IsActiveControl();
    TGridCoord CalcCoordFromPoint(int X, int Y, const TGridDrawInfo& DrawInfo);
    // Scroll message handling on the 0..127 scale (WM_HSCROLL / WM_VSCROLL).
    void ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos, bool UseRightToLeft = false);

    // The grid's auto-scroll timer while selecting or moving outside the view.
    static constexpr unsigned kScrollTimerId = 1;

    TGridState FGridState = gsNormal;
    int FSizingIndex = 0;
    int FSizingPos = 0;
    int FSizingOfs = 0;
    int FMoveIndex = 0;
    int FMovePos = 0;
    TPoint FHitTest;
    bool FCanEditModify = true;
    QString FEditText;

private:
    friend class TInplaceEdit;
    void ChangeSize(int NewColCount, int NewRowCount);
    void ExtentChanged();
    void ClampInView(TGridCoord& Coord);
    void CalcAxis(TGridAxisDrawInfo& Axis, int ClientExtent, int FirstCell);
    TGridCoord CalcMaxTopLeft(const TGridCoord& Coord, const TGridDrawInfo& DrawInfo);
    void InvalidateGridRect(const TGridRect& R);
    void GridRectToScreenRect(const TGridRect& GridRect, TRect& ScreenRect, bool IncludeLine);
    void SelectionMoved(const TGridRect& OldSel);
    void HideEdit();
    void UpdateText();
    int ScrollPosFor(int Bar);

    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    bool FDefaultDrawing = true;
    TGridOptions FOptions;
    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollStyle = ssBoth;
    TGridCoord FCurrent{1, 1};
    TGridCoord FAnchor{1, 1};
    TGridCoord FTopLeft{1, 1};
    bool FEditorMode = false;
    TInplaceEdit* FInplaceEdit = nullptr;
    int FRedrawLock = 0;
    bool FInPaint = false;
    bool FSettingBars = false;
    bool FClickOnCurrent = false;
    TPoint FLastMousePos;
    std::map<unsigned, QTimer*> FTimers;
    int FSizingLinePos = -1; // pixel of the sizing line shown while sizing (-1 none)
    bool FPaintingMirrored = false;
};

// A grid whose cells the owner paints (OnDrawCell) and whose editor text the
// owner supplies (OnGetEditText/OnSetEditText).
class TDrawGrid : public TCustomGrid {
public:
    explicit TDrawGrid(TComponent* AOwner = nullptr);

    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& Rect, TGridDrawState State)> OnDrawCell;
    std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnColumnMoved;
    std::function<void(TObject* Sender, int FromIndex, int ToIndex)> OnRowMoved;
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditMask;
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditText;
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnSetEditText;

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    QString GetEditMask(int ACol, int ARow) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;
    void TopLeftChanged() override;
};

class TStringGrid;

// Cols[i] / Rows[i]: a string list view of one column or row of a string grid.
class TStringGridStrings : public TStrings {
public:
    TStringGridStrings(TStringGrid* AGrid, int AIndex, bool AIsColumn);
    int Count() const override;
    QString Get(int Index) const override;
    void Put(int Index, const QString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    // Adds at the first empty position; inserting and deleting are not possible.
    int Add(const QString& S) override;
    void Insert(int Index, const QString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    void Assign(const TPersistent* Source) override;

private:
    TStringGrid* FGrid;
    int FIndex;
    bool FIsColumn;
};

class TStringGrid : public TDrawGrid {
public:
    explicit TStringGrid(TComponent* AOwner = nullptr);
    ~TStringGrid() override;

    QString Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const QString& Value);
    TObject* Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject* Value);
    // Exchanges the texts and objects of two cells, as two SetCells and SetObjects would.
    void ExchangeCells(int ACol1, int ARow1, int ACol2, int ARow2);
    TStrings* Cols(int Index);
    void SetCols(int Index, const TStrings* Value);
    TStrings* Rows(int Index);
    void SetRows(int Index, const TStrings* Value);

protected:
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    void ColumnMoved(int FromIndex, int ToIndex) override;
    void RowMoved(int FromIndex, int ToIndex) override;
    QString GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const QString& Value) override;

private:
    TGridCellStore<TObject> FData;
    std::map<int, std::unique_ptr<TStringGridStrings>> FColLists, FRowLists;
    bool FUpdating = false;
};
