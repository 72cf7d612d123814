#pragma once
// The grid's chrome around the cells: the floating footer (settings and the
// panel that shows the footer row), the search bar panel, the filter lists,
// the focus frame, the arrows and header button shown while a column is
// dragged, and the scroll controls of the Metro scroll look. The grid owns
// them; their painting and input are added with the grid's chrome.

#include <functional>
#include <vector>

#include "grid/cell_properties.h"
#include "platform/core/classes.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
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

// Shows the footer row below the grid: the last row as a fixed row, a
// preview of the current row (one cell or a template) or the application's
// own painting.
class TFooterPanel : public TCustomPanel {
public:
    explicit TFooterPanel(TKvStringGrid* AGrid);
    QString ClassName() const override { return QStringLiteral("TFooterPanel"); }
    TKvStringGrid* Grid() const { return FGrid; }
    // The grid column under panel position X: the fixed columns, then the
    // columns from the grid's left column on; -1 past the last.
    int ColumnAt(int X) const;
    // The width of those columns together.
    int ColumnsWidth() const;
    // The hint of the column under X (the hint request); false when none shows.
    bool HintRequest(int X, QString& HintStr);
    int LastHintColumn() const { return FLastHintX; }
    void WndProc(TMessage& Message) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    void PaintFixedLastRow(TCanvas* C, int W);
    void PaintPreviewFrame(TCanvas* C, int W);
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

// The glowing frame around the focused cell's editor: a frameless top-most
// tool window that never activates and lets input through. It draws nothing
// itself; its picture comes from the per-pixel alpha update the grid makes.
class TGridFocusWindow : public TCustomForm {
public:
    explicit TGridFocusWindow(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridFocusWindow"); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override {}
};

// The windows that mark a drag over the grid are top-level tool windows of their own,
// owned by the grid's window: they may reach past the grid's edge (an arrow above the
// header row, a header picture beside the grid), never take the activation and let the
// mouse through. Their bounds are screen coordinates.
class TGridOverlayWindow : public TCustomForm {
public:
    explicit TGridOverlayWindow(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
};

// An arrow shown beside the drop position while a column is dragged; its
// window is cut to the arrow's seven-point outline.
class TArrowWindow : public TGridOverlayWindow {
public:
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction);
    QString ClassName() const override { return QStringLiteral("TArrowWindow"); }
    TArrowDirection Direction() const { return FDirection; }
    // The outline's corner points, in pixels, in their order.
    static std::vector<TPoint> ArrowPoints(TArrowDirection Direction);

protected:
    void CreateWnd() override;
    void Paint() override;

private:
    TArrowDirection FDirection;
};

// The picture of a header cell that follows the mouse while a column is dragged, in a
// thin border.
class THeaderDragButton : public TGridOverlayWindow {
public:
    explicit THeaderDragButton(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("THeaderDragButton"); }
    TKvStringGrid* Grid = nullptr;
    QString Caption;
    bool Flat = false;

protected:
    void Paint() override;
};

enum TScrollControlDirection : int { sdVertical, sdHorizontal };

// A thin scroll indicator of the Metro scroll look; it scrolls its parent
// grid by pages on a press beside the thumb and follows a drag of the thumb.
class TScrollControl : public TCustomControl {
public:
    explicit TScrollControl(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TScrollControl"); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    int ScrollWidth = 4;
    TScrollControlDirection Direction = sdVertical;
    // The thumb's position and length along the control; false when every
    // row (column) is visible and no thumb shows.
    bool ThumbGeometry(int& Position, int& Length);
    bool DownOnScroller() const { return FDownOnScroller; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
    void Paint() override;

private:
    TKvStringGrid* ParentGrid() const;
    TColor FColor = clSilver;
    bool FDownOnScroller = false;
    int FDownPos = 0;
    int FDownRow = 0;
};

// A borderless pop-up form that never takes the activation.
class TNoActiveForm : public TCustomForm {
public:
    explicit TNoActiveForm(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TNoActiveForm"); }

protected:
    void CreateParams(TCreateParams& Params) override;
};

// A 32-bit picture with pre-multiplied alpha and an overall opacity.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();
    uint8_t Opacity = 255;
    // Alpha from Mask's red byte, colour from Bitmap pre-multiplied by it;
    // nothing unless Bitmap is 24-bit and Mask has its size.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap);
    void Assign(const TGridAlphaMask& Source);
    void Assign(const TBitmap& Source);
    // The picture as a pre-multiplied ARGB image.
    QImage ToPremultiplied() const;
};

// A 24-bit black picture with a white rounded frame (filled when PenWidth is
// 0), blurred with radius Blur when it is above 0.
void MakeFocusMask(TBitmap* Bitmap, int Width, int Height, int PenWidth, int Corner, double Blur);

// The Gaussian weights from -Size to Size (index j + Size), trimmed where the
// tail adds less than half a grey step.
struct TBlurKernel {
    int Size = 10;
    float Weights[21] = {};
};
TBlurKernel BuildBlurKernel(double Radius);
// Blurs one line of N pixels of Stride bytes (the first three bytes colour).
void BlurPixelLine(const TBlurKernel& Kernel, uint8_t* Line, int N, int Stride);
// Blurs a 24-bit picture in place; any other raises "Blur only works for 24-bit bitmaps".
void BlurBitmap(TBitmap* Bitmap, double Radius);
