// The grid control's painting: the paint entry, the look of one cell resolved
// in one place, and the cell content drawn in a fixed order (fixed-cell
// backgrounds, row indicator, modified marker, editor buttons, text, borders,
// fixed-cell edges, tree lines, graphic, focus rectangle).
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionSlider>
#include <algorithm>
#include <cmath>

#include "grid/cell_paint.h"
#include "grid/draw_utils.h"
#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "platform/ui/controls.h"
#include "platform/ui/drawing.h"

namespace {

bool MouseButtonDown() { return GetKeyState(VK_LBUTTON) < 0; }

TColor HalfColor(TColor c)
{
    const TColor v = ColorToRGB(c);
    return RGB((v & 0xFF) / 2, ((v >> 8) & 0xFF) / 2, ((v >> 16) & 0xFF) / 2);
}

// A vertical scroll bar of the application style with the given range, page and
// position, as a picture W x H.
void ScrollBarPicture(TBitmap& B, int W, int H, int Range, int Page, int Pos)
{
    QImage img(std::max(1, W), std::max(1, H), QImage::Format_RGB32);
    img.fill(Qt::white);
    QStyleOptionSlider o;
    o.rect = QRect(0, 0, img.width(), img.height());
    o.orientation = Qt::Vertical;
    o.minimum = 0;
    o.maximum = std::max(0, Range - Page);
    o.pageStep = std::max(1, Page);
    o.singleStep = 10;
    o.sliderPosition = o.sliderValue = std::clamp(Pos, 0, o.maximum);
    o.state = QStyle::State_Enabled;
    o.subControls = QStyle::SC_All;
    o.palette = QApplication::palette();
    QPainter p(&img);
    QApplication::style()->drawComplexControl(QStyle::CC_ScrollBar, &o, &p);
    p.end();
    B.SetImage(img);
}

} // namespace

// Each channel rounded to nearest (halves to even) and kept within 255.
TColor MixSelectionColor(TColor Sel, TColor Cell, bool Mixer, int Factor)
{
    if (!Mixer) return Sel;
    if (Factor >= 100) return Sel;
    if (Factor < 1 || Sel == clNone) return Cell;
    if (Cell == clNone) return Sel;
    const TColor s = ColorToRGB(Sel), c = ColorToRGB(Cell);
    const double f = Factor / 100.0;
    auto ch = [&](int shift) {
        const double v = f * ((s >> shift) & 0xFF) + (1 - f) * ((c >> shift) & 0xFF);
        return std::min(255, int(std::nearbyint(v)));
    };
    return RGB(ch(0), ch(8), ch(16));
}

bool TKvStringGrid::VisualStylesActive() const { return FIsWinXP && FIsThemed && IsThemeActive(); }

// ============================================================ paint entry

void TKvStringGrid::Paint()
{
    Canvas()->Pen()->SetStyle(psSolid);
    Canvas()->Brush()->SetStyle(bsSolid);
    TBaseGrid::Paint();
    if (EditMode) {
        const bool lines = GridLineWidth() >= 1 &&
                           (Options().Contains(goHorzLine) || Options().Contains(goVertLine));
        Canvas()->Pen()->SetColor(lines ? GridLineColor() : Color());
        Canvas()->Brush()->SetStyle(bsClear);
        Canvas()->Rectangle(TBaseGrid::CellRect(Col(), Row()));
        Canvas()->Brush()->SetStyle(bsSolid);
    }
    Canvas()->Pen()->SetColor(clBlack);
    if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone) PaintEmptyArea(Canvas());
    if (FDesigning && FShowDesignHelper) PaintDesignHelper(Canvas());
    if (OnPainted) OnPainted(this);
}

void TKvStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    const TRect R = ARect;
    TBaseGrid::DrawCell(ACol, ARow, R, AState);
}

// ============================================================ selection query

bool TKvStringGrid::IsSelected(int ACol, int ARow)
{
    if (ARow < TBaseGrid::FixedRows() || ACol < TBaseGrid::FixedCols()) return false;
    if (FMouseActions->DisjunctCellSelect()) return FSelectedCells->HasValue((ARow << 16) | (ACol & 0xFFFF));
    if (FMouseActions->DisjunctRowSelect())
        return RowSelect(FMouseActions->RowSelectPersistent() ? RealRowIndex(ARow) : ARow);
    if (FMouseActions->DisjunctColSelect()) return ColSelect(ACol);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

// ============================================================ visual properties

void TKvStringGrid::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                        bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                        TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                        bool& WW, TCellGradientDirection& GD)
{
    const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
    const bool normal = ACol >= fc && ARow >= fr;
    // 1. font
    if (normal) AFont->Assign(Print && !FPrintSettings->UseDisplayFont ? *FPrintSettings->Font() : *Font());
    else AFont->Assign(Print && !FPrintSettings->UseDisplayFont ? *FPrintSettings->FixedFont() : *FFixedFont);
    // 2. real column; the row flags of a persistent or enabled-rows selection are kept by real row
    const int RC = Remap ? RealColIndex(ACol) : ACol;
    const int selRow = (FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent()) || FUseEnabledRows
                           ? RealRowIndex(ARow)
                           : ARow;
    // 3.
    ABrush->SetColor(clNone);
    AColorTo = AMirrorColor = AMirrorColorTo = clNone;
    // 4. cell properties
    bool ownColor = false;
    if (HasCellProperties(RC, ARow)) {
        TCellProperties* p = GridObjects(RC, ARow);
        ABrush->SetColor(p->BrushColor());
        const TCellType t = GetCellType(RC, ARow);
        if ((t == ctNone || t == ctRotated || t == ctEmpty) && p->BrushColor() != clNone) ownColor = true;
        if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
        WW = p->WordWrap();
        AColorTo = p->BrushColorTo();
        GD = p->GradientDirection();
    }
    // 5.
    if (AState.Contains(gdSelected)) GD = GradientVertical;
    // 6. default colouring
    const bool inFooter = ARow >= RowCount() - FFixedFooters;
    const bool inRight = ACol >= ColCount() - FFixedRightCols;
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        if (FBands->Active() && (!Print || FBands->Print()) && normal &&
            RC < ColCount() + FNumHiddenColumns - FFixedRightCols && ARow < RowCount() - FFixedFooters) {
            const int len = FBands->TotalLength();
            if (len > 0)
                ABrush->SetColor((ARow - fr) % len < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                             : FBands->SecondaryColor());
        }
        if (!normal || inFooter || inRight) ABrush->SetColor(FixedColor());
    }
    // 7. fixed cells
    const bool fixed = IsFixed(ACol, ARow) || ACol < fc || ARow < fr;
    if (fixed && !ownColor) {
        if (!Print) {
            ABrush->SetColor(FixedColor());
            AFont->Assign(*FFixedFont);
            AState << gdFixed;
        }
        if (LookAfterClassic()) {
            ABrush->SetColor(FQRVGradientFrom);
            AColorTo = FQRVGradientTo;
            AMirrorColor = FQRVGradientMirrorFrom;
            AMirrorColorTo = FQRVGradientMirrorTo;
        }
    }
    // 8. colour hook
    if (Print) GetCellPrintColor(RC, ARow, AState, ABrush, AFont);
    else GetCellColor(RC, ARow, AState, ABrush, AFont);
    // 9.
    if (OnGetCellGradient) {
        TColor c = ABrush->Color();
        OnGetCellGradient(this, ARow, RC, c, AColorTo, AMirrorColor, AMirrorColorTo, GD);
        ABrush->SetColor(c);
    }
    // 10. unselected colours
    const TColor plainBrush = ABrush->Color(), plainFont = AFont->Color();
    const TColor plainTo = AColorTo, plainMirror = AMirrorColor, plainMirrorTo = AMirrorColorTo;
    bool shownSelected = false;
    const bool down = MouseButtonDown();
    // 11. and 12. disjunct rows and columns
    auto disjunct = [&](bool sel) {
        if (sel) {
            AState = TGridDrawState(gdSelected);
            ABrush->SetColor(FSelectionColor);
            shownSelected = true;
        } else {
            AState >> gdSelected;
        }
    };
    const bool disjunctOk = normal && !Print && Select && FShowSelection && !fixed;
    if (disjunctOk && FMouseActions->DisjunctRowSelect()) {
        const bool flagged = RowSelect(selRow);
        disjunct(!down ? flagged : flagged ? ARow != Row() : AState.Contains(gdSelected));
    }
    if (disjunctOk && FMouseActions->DisjunctColSelect()) {
        const bool flagged = ColSelect(RC);
        disjunct((flagged && (!down || RC != Col())) || (down && !flagged && AState.Contains(gdSelected)));
    }
    // 13. range selection
    const TGridRect s = Selection();
    const bool inSel = ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
    if ((Select && !Print && FShowSelection && !fixed && inSel && !FMouseActions->DisjunctRowSelect() &&
         !FMouseActions->DisjunctColSelect()) ||
        (AState.Contains(gdSelected) && down && FShowSelection && !Print)) {
        if (ABrush->Color() == Color()) ABrush->SetColor(FSelectionColor);
        else ABrush->SetColor(MixSelectionColor(FSelectionColor, ABrush->Color(), FSelectionColorMixer,
                                       FSelectionColorMixerFactor));
        AState << gdSelected;
        shownSelected = true;
    }
    // 14. selection colours
    auto selectionColours = [&]() {
        AColorTo = FSelectionColorTo;
        AMirrorColor = FSelectionMirrorColor;
        AMirrorColorTo = FSelectionMirrorColorTo;
        if (FSelectionTextColor != clNone) AFont->SetColor(FSelectionTextColor);
    };
    if (shownSelected) selectionColours();
    // 15. disjunct cells
    if (FMouseActions->DisjunctCellSelect() && FShowSelection && !Print) {
        if (FSelectedCells->HasValue((ARow << 16) | (RC & 0xFFFF))) {
            AState << gdSelected;
            ABrush->SetColor(FSelectionColor);
            selectionColours();
        } else if (ACol == Col() && ARow == Row()) {
            AState >> gdSelected;
            ABrush->SetColor(plainBrush);
            AFont->SetColor(plainFont);
            AColorTo = plainTo;
            AMirrorColor = plainMirror;
            AMirrorColorTo = plainMirrorTo;
        }
    }
    // 16. disabled look
    if (FUseDisabledFont && ((FUseEnabledRows && !RowEnabled(ARow)) || !Enabled()))
        AFont->SetColor(FDisabledFontColor);
    // 17.
    if (AState.Contains(gdSelected) && ARow != Row() && FMouseActions->DisjunctRowSelect() &&
        FSelectionColorTo == clNone)
        ABrush->SetColor(AdjustColorByPercent(ColorToRGB(ABrush->Color()), 7));
    // 19.
    GetCellWordWrap(RC, ARow, WW);
    CalcCellAlignment(ACol, ARow, HA, VA);
}

bool TKvStringGrid::LookAfterClassic() const
{
    // The looks after the classic one paint their fixed cells with the gradient set.
    return FLook > glClassic;
}

void TKvStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                      TBrush* ABrush, bool Remap)
{
    (void)Remap;
    const bool fixed = IsFixed(ACol, ARow) || ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
    AFont->Assign(fixed ? *FFixedFont : *Font());
    if (HasCellProperties(RCol, ARow)) {
        TCellProperties* p = GridObjects(RCol, ARow);
        if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
        if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
        if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
        if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
    }
    GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

// ============================================================ cell content

void TKvStringGrid::DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    TRect R = ARect;
    const int RC = RealColIndex(ACol);
    const int fc = TBaseGrid::FixedCols(), fr = TBaseGrid::FixedRows();
    // 1. the border look follows Flat; filter button
    if (Ctl3D() == FFlat) SetCtl3D(!FFlat);
    bool filterButton = false;
    if (ARow == FilterDropDownRow && ARow >= 0) filterButton = GetFilterList(RC);
    // 2. cell scroll bar
    FPaintScrollPos = 0;
    if (GetCellType(RC, ARow) == ctScrollbar) DrawCellScrollBar(ACanvas, RC, ARow, R);
    // 3. look of the cell
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = FKvWordWrap;
    TCellGradientDirection GD = GradientVertical;
    GetVisualProperties(ACol, ARow, AState, false, false, true, ACanvas->Brush(), colorTo, mirror, mirrorTo,
                        ACanvas->Font(), HA, VA, WW, GD);
    TCellGraphicInfo gi = GetCellGraphicInfo(RC, ARow);
    // 4.
    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && FSelectionColor == clNone) {
        // The frame had no selection colour to fill with.
        ACanvas->Brush()->SetColor(clHighlight);
        FillRectColor(ACanvas, R, clHighlight);
    }
    if (ZoomFactor != 0) ACanvas->Font()->SetSize(ACanvas->Font()->Size() + ZoomFactor);
    const TColor keepBrush = ACanvas->Brush()->Color(), keepFont = ACanvas->Font()->Color();
    // 5.
    bool fixedFlag = IsFixed(ACol, ARow) || ACol < fc || ARow < fr;
    if (ARow == HoverRowIdx() && HoverRowCells().Contains(hcFixed)) fixedFlag = false;
    // 6. no application-wide style is ever active.
    // 7. fixed-cell background
    const bool gradientLook = FLook == glQRV || FLook == glXP || FLook == glVista || FLook == glWin7 ||
                              FLook == glOffice2007;
    if (fixedFlag && gradientLook) {
        const bool moving = GridState() == gsColMoving;
        const bool hovered = FHoverFixedCell == TPoint(ACol, ARow) || (moving && ACol == FMoveIndex);
        if (!FDesigning && IsHoverFixedCell(ACol, ARow) && hovered) {
            R.Bottom += 1;
            const bool down = MouseButtonDown();
            const bool dropDown = FControlLook->FixedDropDownButton() && CanShowFixedDropDown(RC);
            auto hoverFill = [&](const TRect& Q) {
                DrawMirroredGradient(ACanvas, Q, FQRVGradientHoverFrom, FQRVGradientHoverTo,
                                     FQRVGradientHoverMirrorFrom, FQRVGradientHoverMirrorTo, 1,
                                     FQRVGradientHoverBorder, false, true);
            };
            auto downFill = [&](const TRect& Q) {
                DrawMirroredGradient(ACanvas, Q, FQRVGradientDownFrom, FQRVGradientDownTo, FQRVGradientDownMirrorFrom,
                                     FQRVGradientDownMirrorTo, 1, FQRVGradientDownBorder, false, true);
            };
            if (!down && !moving) {
                hoverFill(R);
            } else if (dropDown) {
                // The button part and the caption part are pressed in turn.
                const TRect button(R.Right - 16, R.Top, R.Right, R.Bottom), caption(R.Left, R.Top, R.Right - 16, R.Bottom);
                if (FDropDownDown) {
                    downFill(button);
                    hoverFill(caption);
                } else {
                    hoverFill(button);
                    downFill(caption);
                }
            } else {
                downFill(R);
            }
            if (dropDown) {
                ACanvas->Pen()->SetColor(down ? FQRVGradientDownBorder : FQRVGradientHoverBorder);
                ACanvas->MoveTo(R.Right - 16, R.Top);
                ACanvas->LineTo(R.Right - 16, R.Bottom);
                ACanvas->Brush()->SetColor(clBlack);
                ACanvas->Pen()->SetColor(clBlack);
                const int cx = R.Right - 8, cy = R.Top + 8;
                ACanvas->Polygon({TPoint(cx - 3, cy - 1), TPoint(cx + 3, cy - 1), TPoint(cx, cy + 2)});
                R.Right -= 16;
            }
        } else if (FActiveCellShow && ((ARow == Row() && ACol == fc - 1) || (ACol == Col() && ARow == fr - 1))) {
            FillGradient(ACanvas, FActiveCellColor, FActiveCellColorTo, 128, R, false);
        } else if (FSortSettings->Column == RC && FSortSettings->HeaderColor() != clNone && ARow == fr - 1 &&
                   (ACol >= fc || FSortSettings->FixedCols)) {
            DrawMirroredGradient(ACanvas, R, FSortSettings->HeaderColor(), FSortSettings->HeaderColorTo(),
                                 FSortSettings->HeaderMirrorColor(), FSortSettings->HeaderMirrorColorTo(), 1, clNone,
                                 false, true);
        } else if (!FFlat) {
            const TColor from = ACanvas->Brush()->Color();
            if (from != clNone) {
                if (mirror == clNone) {
                    if (colorTo == clNone) FillRectColor(ACanvas, R, from);
                    else FillGradient(ACanvas, from, colorTo, 128, R, false);
                } else {
                    DrawMirroredGradient(ACanvas, R, from, colorTo, mirror, mirrorTo, 1, clNone, false, true);
                }
            }
            if (FLook == glVista) {
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(R.Left, R.Top);
                ACanvas->LineTo(R.Left, R.Bottom);
                ACanvas->MoveTo(R.Right - 1, R.Top);
                ACanvas->LineTo(R.Right - 1, R.Bottom);
            }
        }
        ACanvas->Brush()->SetColor(keepBrush);
    }
    // 8. row indicator
    int indicatorWidth = 0;
    if (RC == 0 && ARow == Row() && fc > 0 && !FRowIndicator->Empty() &&
        !(FFixedRowAlways && RowCount() == fr)) {
        const int h = FRowIndicator->Height();
        int y = R.Top;
        if (FVAlignment == vtaCenter) y = R.Top + (R.Height() - h) / 2;
        else if (FVAlignment == vtaBottom) y = R.Bottom - h;
        DrawBitmapTransparent(ACanvas, FRowIndicator.get(), ACanvas->Brush()->Color(),
                              TRect(R.Left + 2, y, R.Left + 2 + FRowIndicator->Width(), y + h));
        indicatorWidth = FRowIndicator->Width() + 2;
        R.Left += indicatorWidth;
    }
    // 9. the list-view header
    if (FLook == glListView && fixedFlag && !FFlat) DrawListViewHeader(ACanvas, R);
    // 10. modified marker
    if (ACol == 0 && FShowModified->Enabled() && RowModified(RealRowIndex(ARow)))
        FillRectColor(ACanvas, TRect(R.Right - 4, R.Top, R.Right, R.Bottom), FShowModified->Color());
    // 11.
    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, RC, ARow, AState, R, false);
    // 12. always-visible editor buttons
    const int keepRight = R.Right;
    if (!fixedFlag && (FControlLook->DropDownAlwaysVisible() || FControlLook->SpinButtonsAlwaysVisible())) {
        const int style = CellButtonStyle();
        bool can = true;
        CanEdit(RC, ARow, can);
        const int state = can ? ebNormal : ebDisabled;
        if (FControlLook->DropDownAlwaysVisible() && HasComboBox(RC, ARow)) {
            DrawComboButton(ACanvas, Handle(), TRect(R.Right - 16, R.Top - 1, R.Right + 1, R.Bottom), style, state,
                            FTones);
            R.Right -= 16;
        } else if (FControlLook->SpinButtonsAlwaysVisible() && HasSpinEdit(RC, ARow)) {
            DrawSpinButtons(ACanvas, Handle(), TRect(R.Right - 16, R.Top, R.Right, R.Bottom), style, state, FTones);
            R.Right -= 16;
        }
    }
    // 13. an interfaced cell that draws before its text, then the text
    if (gi.Graphic && gi.Graphic->CellType() == ctInterface) {
        if (IInterfacedCell* ic = InterfaceOf(gi.Graphic); ic && ic->IsBefore()) {
            TRect E = R;
            InflateRect(E, 1, 1);
            ic->Draw(ACanvas, E, RC, ARow, AState.Contains(gdSelected), this);
        }
    }
    LastTextWidth = 0;
    const bool eventDraw = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw;
    if (!(gi.Graphic && NoImageAndText) && !eventDraw)
        DrawCellText(ACanvas, ACol, ARow, R, AState, HA, VA, WW, gi, filterButton, keepBrush, keepFont, fixedFlag);
    // 14. restore, borders
    R.Right = keepRight;
    ACanvas->Brush()->SetColor(keepBrush);
    ACanvas->Font()->SetColor(keepFont);
    InflateRect(R, 1, 1);
    DrawCellBorders(ACanvas, RC, ARow, R);
    if (ACol == 0 && ARow == Row() && fc > 0 && indicatorWidth > 0) R.Left -= indicatorWidth;
    // 15. fixed-cell edges
    if (fixedFlag && !FFlat) {
        const TGridOptions opts = Options();
        if (FLook == glClassic) {
            TRect E = R;
            E.Top += 1;
            E.Bottom += 1;
            E.Left += 1;
            TRect E1 = E;
            DrawEdge(ACanvas, E1, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
            TRect E2 = E;
            DrawEdge(ACanvas, E2, BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
            ACanvas->Pen()->SetColor(clBlack);
            ACanvas->MoveTo(E.Right - 1, E.Top);
            ACanvas->LineTo(E.Right - 1, E.Bottom - 1);
            ACanvas->LineTo(E.Left - 1, E.Bottom - 1);
        } else if (FLook == glQRV || FLook == glXP || FLook == glSoft) {
            TRect E = R;
            E.Bottom += 1;
            if (FLook == glSoft) E.Right += 1;
            // bottom line in half the fixed colour, white top and left lines
            if (opts.Contains(goFixedHorzLine)) {
                ACanvas->Pen()->SetColor(HalfColor(FixedColor()));
                ACanvas->MoveTo(E.Left, E.Bottom - 1);
                ACanvas->LineTo(E.Right - 1, E.Bottom - 1);
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(FLook == glSoft ? E.Right : E.Right - 2, E.Top + 1);
                ACanvas->LineTo(E.Left + 1, E.Top + 1);
                ACanvas->LineTo(E.Left + 1, E.Bottom - 1);
            }
            if (FLook == glSoft && opts.Contains(goFixedVertLine)) {
                ACanvas->Pen()->SetColor(HalfColor(FixedColor()));
                ACanvas->MoveTo(E.Right - 2, E.Top);
                ACanvas->LineTo(E.Right - 2, E.Bottom - 1);
                ACanvas->Pen()->SetColor(clWhite);
                ACanvas->MoveTo(E.Right - 1, E.Top);
                ACanvas->LineTo(E.Right - 1, E.Bottom - 1);
            }
        }
    }
    // 16. fixed right columns of a flat grid
    if (FFlat && FLook != glClassic && FFixedRightCols > 0 && RC >= ColCount() - FFixedRightCols) {
        const TGridOptions opts = Options();
        ACanvas->Pen()->SetColor(clGray);
        ACanvas->Pen()->SetWidth(1);
        if (opts.Contains(goFixedHorzLine)) {
            ACanvas->MoveTo(R.Left - 1, R.Top - 1);
            ACanvas->LineTo(R.Right + 1, R.Top - 1);
            ACanvas->MoveTo(R.Left - 1, R.Bottom);
            ACanvas->LineTo(R.Right + 1, R.Bottom);
        }
        if (opts.Contains(goFixedVertLine)) {
            ACanvas->MoveTo(R.Left - 1, R.Top - 1);
            ACanvas->LineTo(R.Left - 1, R.Bottom + 1);
            ACanvas->MoveTo(R.Right, R.Top - 1);
            ACanvas->LineTo(R.Right, R.Bottom + 1);
        }
    }
    // 17. tree lines
    if (RC == 0 && ARow >= fr && HasNodes() && FCellNode->ShowTree()) DrawTreeLines(ACanvas, ARow, R);
    // 18. the cell graphic
    if (gi.Graphic) {
        TRect G = R;
        if (fixedFlag) G.Top += 1;
        DrawCellGraphic(ACanvas, ACol, ARow, G, AState, gi, HA, VA);
        R = G;
    }
    // 19. events
    if (OnDrawCell) {
        const TRect E(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth());
        OnDrawCell(this, RC, ARow, E, AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, RC, ARow, AState, R, false);
    // 20. focus rectangle
    if (!HideFocusRect && !Options().Contains(goRowSelect) && Focused() && Col() >= fc && Row() >= fr) {
        const TPoint b = BaseCell(ACol, ARow);
        if (b.X == Col() && b.Y == Row()) {
            TRect F = R;
            InflateRect(F, GridLineWidth() - 1, GridLineWidth() - 1);
            F.Right -= 1;
            F.Bottom -= 1;
            ACanvas->DrawFocusRect(F);
        }
    }
    // 21. column numbers of the design box
    if (FDesigning && DesignColumnNumbers && ARow == 0) {
        TFont keep;
        keep.Assign(*ACanvas->Font());
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->Font()->SetName(QString());
        ACanvas->Font()->SetSize(8);
        ACanvas->Font()->SetStyle(TFontStyles());
        ACanvas->Font()->SetColor(0x808080);
        TRect N = R;
        N.Right -= 2;
        DrawText(ACanvas, QString::number(RC), N, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
        ACanvas->Font()->Assign(keep);
        ACanvas->Brush()->SetStyle(bsSolid);
    }
}

int TKvStringGrid::CellButtonStyle()
{
    if (FFlat && FTones.Background.BrushColor != clNone) return ebsTones;
    if (FControlLook->FlatButton()) return ebsFlat;
    return VisualStylesActive() ? ebsThemed : ebsClassic;
}

void TKvStringGrid::DrawCellScrollBar(TCanvas* ACanvas, int RC, int ARow, TRect& R)
{
    const TScrollProp prop = GetScrollProp(RC, ARow);
    if (prop.PageSize >= prop.Range) return;
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    const int pos = std::max(0, GetScrollPosition(RC, ARow));
    R.Right -= w;
    TBitmap bar;
    ScrollBarPicture(bar, w, R.Height(), prop.Range, prop.PageSize, pos);
    ACanvas->Draw(R.Right, R.Top, &bar);
    FPaintScrollPos = pos;
}

void TKvStringGrid::DrawListViewHeader(TCanvas* ACanvas, const TRect& R)
{
    if (VisualStylesActive()) {
        TRect H = R;
        H.Bottom += 1;
        const TPoint m = ScreenToClient(Mouse ? Mouse->CursorPos() : TPoint(-1, -1));
        HTHEME th = OpenThemeData(Handle(), QStringLiteral("header"));
        if (PtInRect(H, m)) DrawThemeBackground(th, ACanvas, 1, MouseButtonDown() ? 3 : 2, H);
        else DrawThemeBackground(th, ACanvas, 3, 1, H);
        CloseThemeData(th);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(H.Left, H.Top);
        ACanvas->LineTo(H.Right, H.Top);
    } else {
        ACanvas->Brush()->SetColor(clBtnFace);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->Rectangle(R);
    }
}

void TKvStringGrid::DrawTreeLines(TCanvas* ACanvas, int ARow, TRect R)
{
    auto level = [this](int r) { return HasCellProperties(0, r) ? GridObjects(0, r)->NodeLevel() : 0; };
    const int ni = FCellNode->NodeIndent();
    const int lv = level(ARow);
    ACanvas->Pen()->SetColor(FCellNode->TreeColor());
    ACanvas->Pen()->SetWidth(1);
    R.Left = lv * ni;
    const int x0 = R.Left + ni / 2 - ni + 2;
    const int mid = R.Top + (R.Bottom - R.Top) / 2;
    auto line = [ACanvas](int x1, int y1, int x2, int y2) {
        ACanvas->MoveTo(x1, y1);
        ACanvas->LineTo(x2, y2);
    };
    if (lv > 0) line(x0, mid, FCellNode->ShowTreeFull() ? R.Right : R.Left + 4, mid);
    const int span = GetNodeSpanType(ARow);
    if (span == 1) line(x0, R.Top, x0, mid);
    else if (span == 2) line(x0, R.Top, x0, R.Bottom + 4);
    const bool nextChild = ARow < RowCount() - 1 && level(ARow + 1) > 0;
    for (int i = 1; i <= lv; ++i) {
        const int x = x0 - ni * i;
        line(x, R.Top, x, mid);
        if (nextChild) line(x, mid, x, R.Bottom + 4);
        else if (i < lv) line(x, mid, x0 + ni - ni * i, mid);
    }
    ACanvas->Pen()->SetStyle(psSolid);
}

void TKvStringGrid::DrawCellBorders(TCanvas* ACanvas, int RC, int ARow, const TRect& R)
{
    TPen pen;
    pen.Assign(*ACanvas->Pen());
    TCellBorders borders;
    GetCellBorder(RC, ARow, &pen, borders);
    if (borders.Empty()) return;
    TPen lp, tp, rp, bp;
    lp.Assign(pen);
    tp.Assign(pen);
    rp.Assign(pen);
    bp.Assign(pen);
    if (OnGetCellBorderProp) OnGetCellBorderProp(this, ARow, RC, &lp, &tp, &rp, &bp);
    const int h = (pen.Width() + 1) / 2;
    const TGridOptions opts = Options();
    TRect E = R;
    if (opts.Contains(goVertLine)) {
        E.Left += h;
        E.Right -= h;
    }
    if (opts.Contains(goHorzLine)) E.Bottom -= h;
    TPen keep;
    keep.Assign(*ACanvas->Pen());
    const int g = GridLineWidth();
    if (borders.Contains(cbLeft)) {
        ACanvas->Pen()->Assign(lp);
        ACanvas->MoveTo(std::max(0, E.Left), E.Top);
        ACanvas->LineTo(std::max(0, E.Left), E.Bottom);
    }
    if (borders.Contains(cbRight)) {
        ACanvas->Pen()->Assign(rp);
        ACanvas->MoveTo(E.Right - 1, E.Top);
        ACanvas->LineTo(E.Right - 1, E.Bottom);
    }
    if (borders.Contains(cbTop)) {
        ACanvas->Pen()->Assign(tp);
        const int hh = opts.Contains(goHorzLine) ? h : 0;
        const int y = g == 0 ? E.Top + 1 : std::max(0, E.Top + hh - g);
        ACanvas->MoveTo(E.Left, y);
        ACanvas->LineTo(E.Right, y);
    }
    if (borders.Contains(cbBottom)) {
        ACanvas->Pen()->Assign(bp);
        ACanvas->MoveTo(E.Left - g - 1, E.Bottom - 1);
        ACanvas->LineTo(E.Right, E.Bottom - 1);
    }
    ACanvas->Pen()->Assign(keep);
}

