#pragma once
// The grid's own side of drag and drop: the drop target that turns dropped text,
// rich text, grid cells, columns, file names and URLs into cells, rows, moved
// columns and loaded files, and the drop source that moves the floating picture
// of the dragged cells along and keeps the last copy or move effect.
//
// Both sit on the base classes of ksg_drag_drop.h. The hooks are public here so
// that tests call them with payloads of their own; the base target calls them
// with screen points. Where markers and pictures go is worked out by the static
// functions below, which need no window.
#include "grid/kv_string_grid.h"
#include "grid_input/ksg_drag_drop.h"

// Nothing to start on this platform; kept as the grid's start-up step.
void InitializeOle();
void OleUninitialize();
bool OleInitialized();

class TGridDropTarget : public TKSGDropTarget {
public:
    explicit TGridDropTarget(TKvStringGrid* AGrid) : FGrid(AGrid) {}
    TKvStringGrid* Grid() const { return FGrid; }

    void DropText(TPoint Pt, const QString& Text) override;
    void DropStream(TPoint Pt, TMemoryStream* Stream) override;
    void DropCol(TPoint Pt, int Column) override;
    void DropRTF(TPoint Pt, const QString& RTF) override;
    void DropFiles(TPoint Pt, TStrings* Files) override;
    void DropURL(TPoint Pt, const QString& URL) override;
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;

    // Top-left corners of the markers, from screen rectangles: the down arrow 8 pixels
    // above the header cell a column goes to and the up arrow at its bottom; the left
    // arrow 10 pixels left of the drop cell, one row lower when the drop appends.
    static TKvStringGrid::TDropArrowPlaces ColumnDropArrowPlaces(const TRect& HeaderCell);
    static TPoint CellDropArrowPlace(const TRect& Cell, bool Appending);

private:
    using TTextDropEvent = std::function<void(TObject*, int ARow, int ACol, const QString&, bool& Allow)>;
    // Rich text and URLs replace the text of the cell under the point unless the event refuses.
    void DropIntoCell(TPoint Pt, const QString& Text, const TTextDropEvent& Event);
    // Moves a column with enhanced moving on for the move.
    void MoveColumnEnhanced(int From, int To);
    // A drop below the last row of a grid that appends whole rows lands on the last row.
    bool AppendTest(const TPoint& ClientPt, TDropFormats Formats, int& ACol, int& ARow) const;
    TRect ScreenCellRect(int ACol, int ARow) const;
    void HideArrows(bool Up, bool Down, bool Left, bool Button);
    TKvStringGrid* FGrid;
};

class TGridDropSource : public TKSGDropSource {
public:
    explicit TGridDropSource(TKvStringGrid* AGrid) : FGrid(AGrid) {}
    TKvStringGrid* Grid() const { return FGrid; }
    // The last copy or move effect the drag reported (0 before any).
    DWORD LastEffect() const { return FLastEffect; }

    void DragFinished() override;
    void CurrentEffect(DWORD Effect) override;
    void QueryDrag() override;

    // The floating picture hangs 4 pixels right of and below the cursor; the header
    // button stands on the cursor with its left edge there.
    static TPoint MoveFormPlace(const TPoint& Cursor);
    static TPoint MoveButtonPlace(const TPoint& Cursor, int ButtonHeight);

private:
    TKvStringGrid* FGrid;
    DWORD FLastEffect = DROPEFFECT_NONE;
};
