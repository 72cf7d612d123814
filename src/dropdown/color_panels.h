#pragma once
// The free colour choosers of the colour picker's popup: the honeycomb cube of
// 127 fixed colours and the spectrum picture from which the colour under the
// mouse is taken. Both report a pick through OnSelect and ask the popup to
// close through OnShouldHide when the mouse button is released over them.
//
// The spectrum picture (128 x 128, hue across, white to full colour to black
// downwards) and the pointer shown over it are program resources that this
// unit draws itself once and registers under SpectrumResourceName and
// SpectrumCursorName; the spectrum panel registers the pointer as screen
// cursor 54.

#include <array>

#include "platform/ui/controls.h"
#include "platform/ui/extctrls.h"

// Names of the two resources drawn by RegisterColorSpectrumResources.
extern const char* const SpectrumResourceName;
extern const char* const SpectrumCursorName;
// The screen cursor number the spectrum panel shows over its picture.
constexpr TCursor crColorSpectrum = 54;

// Draws and registers the spectrum picture and its pointer; later calls do nothing.
void RegisterColorSpectrumResources();
// The spectrum picture's pixel rule: hue runs once around the colour circle
// from left to right, lightness from white (row 0) through the full colour
// (row 64) to black (row 127).
TColor SpectrumColorAt(int X, int Y);

// Base of the colour picker's popup panels.
class TKvCustomColorSelectorPanel : public TCustomControl {
public:
    explicit TKvCustomColorSelectorPanel(TComponent* AOwner = nullptr);

    TNotifyEvent OnShouldHide;

protected:
    void SetDefaultSize(int AWidth, int AHeight) { SetBounds(Left(), Top(), AWidth, AHeight); }
    void DoShouldHide() { if (OnShouldHide) OnShouldHide(this); }
};

class TKvColorCubePanel : public TKvCustomColorSelectorPanel {
public:
    static constexpr int CubeCellCount = 127;
    struct TCubeCell {
        int X = 0, Y = 0;
        TColor Color = clNone;
    };

    explicit TKvColorCubePanel(TComponent* AOwner = nullptr);

    // Cell colours and centres; the colour picker runs it every time it shows the cube.
    void InitCubeCells();
    // Clears the hot cell and gives the panel its fixed size.
    void InitializePanel();

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { SelectColor(Value, -1); }
    // Index 1..127 selects that cell; any other index selects the first cell of
    // Color, or none. No repaint.
    void SelectColor(TColor Color, int Index);
    int SelectedIndex() const { return FSelectedIndex; }
    int HotIndex() const { return FHotIndex; }
    bool ShowRGBHint() const { return FShowRGBHint; }
    void SetShowRGBHint(bool Value);

    // Cell number (1..127) under the point, or -1.
    int CellAtPos(int X, int Y) const;
    bool PtInCell(int Index, TPoint P) const;
    // Cell Index (1..127); a zero cell outside the range.
    const TCubeCell& Cell(int Index) const;
    TPoint CubeSize() const { return FCubeSize; }

    static void DrawHexagon(TCanvas* Canvas, TPoint Centre, int QuarterHeight, int HalfWidth);

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void DrawCell(int Index);
    void DrawCube();
    void DrawHotMark(TCanvas* Canvas, TPoint Centre);
    void DrawSelectedMark(TCanvas* Canvas, TPoint Centre);

private:
    void DrawCellOn(TCanvas* Canvas, int Index);

    std::array<TCubeCell, CubeCellCount> FCubeCells{};
    TPoint FCubeSize;
    TColor FSelectedColor = clNone;
    int FSelectedIndex = -1;
    int FHotIndex = -1;
    bool FShowRGBHint = false;
};

class TKvColorSpectrumPanel : public TKvCustomColorSelectorPanel {
public:
    explicit TKvColorSpectrumPanel(TComponent* AOwner = nullptr);

    // Fixed size, the picture and the two sample boxes placed, hot colour cleared.
    void InitializePanel();

    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value) { FSelectedColor = Value; }
    TColor HotColor() const { return FHotColor; }
    TImage* SpectrumImage() const { return FSpectrumImage; }
    TRect SelectedRect() const { return FSelectedRect; }
    TRect HotRect() const { return FHotRect; }

    // Mouse events of the picture, in its own coordinates.
    void SpectrumMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void SpectrumMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void SpectrumMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    TNotifyEvent OnSelect;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DrawSelectedColor(TCanvas* Canvas);
    void DrawHotColor(TCanvas* Canvas);

private:
    void DrawSampleBox(TCanvas* Canvas, const TRect& R, TColor Color);

    TImage* FSpectrumImage = nullptr;
    TColor FHotColor = clNone;
    TColor FSelectedColor = clWhite;
    TRect FHotRect;
    TRect FSelectedRect;
};
