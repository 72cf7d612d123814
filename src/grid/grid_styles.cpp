// Whole-grid colour schemes: the named styles, the operating system's colour
// schemes, the five colour tones of the flat look, following the Office
// theme, and the Look presets with their names.
#include "dropdown/kv_dropdown.h"
#include "grid/cell_paint.h"
#include "grid/draw_utils.h"
#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "grid_data/grid_enum_names.h"

namespace {

struct TStyleRow {
    int Look; // -1 unchanged
    TColor G[4];
    bool KeepGradient, KeepMirrors;
    TColor Active[2];
    bool KeepActive;
    TColor Lines[2];
    bool KeepLines;
    TColor Sel[3]; // clNone where the common start stays; Sel[0] == 0 with KeepSel
    bool KeepSel;
};

constexpr TColor N = clNone;

} // namespace

void TKvStringGrid::SetStyle(TKvGridStyle AStyle)
{
    // common start
    FSelectionColor = clHighlight;
    FSelectionColorTo = clNone;
    FSelectionTextColor = clHighlightText;
    SetSelectionStyle(ssDefault);
    FSortSettings->SetHeaderColor(clNone);
    FSortSettings->SetHeaderColorTo(clNone);
    FSortSettings->SetHeaderMirrorColor(clNone);
    FSortSettings->SetHeaderMirrorColorTo(clNone);
    {
        TControlLook defaults(nullptr);
        FControlLook->Assign(&defaults);
    }
    const int xp = glXP, o7 = glOffice2007, keep = -1;
    // Look, gradient, active, lines, selection per style (in the order of TKvGridStyle).
    static const TStyleRow rows[] = {
        {xp, {0xFCE1CB, 0xE0A57D, N, N}, false, false, {0x94E6FB, 0x1595EE}, false, {0xC0C0C0, 0x808080}, false, {0x94E6FB, 0x1595EE, clBlack}, false},
        {xp, {0xECE2E1, 0xB39698, N, N}, false, false, {0x94E6FB, 0x1595EE}, false, {0xC0C0C0, 0x808080}, false, {0x94E6FB, 0x1595EE, clBlack}, false},
        {xp, {0xCFF0EA, 0x8CC0B1, N, N}, false, false, {0x94E6FB, 0x1595EE}, false, {0xC0C0C0, 0x808080}, false, {0x94E6FB, 0x1595EE, clBlack}, false},
        {xp, {0xFFFFFF, 0xCCD4D8, N, N}, false, false, {0xD8D5D4, 0xD8D5D4}, false, {0xC0C0C0, 0x808080}, false, {}, true},
        {o7, {0xFBF9F6, 0xE8DBD2, N, N}, false, false, {0x9DD8F9, 0x5EC1F1}, false, {0xF1EDEB, 0xD1BBA4}, false, {0x5EC1F1, N, clBlack}, false},
        {o7, {0xF7F7F7, 0xDEDEDE, N, N}, false, false, {0x9DD8F9, 0x5EC1F1}, false, {0xE5D7D0, 0x808080}, false, {0x5EC1F1, N, clBlack}, false},
        {xp, {clBtnFace, clBtnFace, N, N}, false, false, {clBtnFace, clBtnFace}, false, {0xC0C0C0, 0x808080}, false, {}, true},
        {keep, {0xFFFFFF, clBtnFace, N, N}, false, false, {0x94E6FB, 0x1595EE}, false, {0xC0C0C0, 0x808080}, false, {}, true},
        {keep, {}, true, true, {}, true, {}, true, {}, true},
        {o7, {0xF3F3F1, 0xCAC9C8, N, N}, false, true, {0x99CCFF, 0x699CFF}, false, {0xE5D7D0, 0x808080}, false, {0x95C7F5, N, clBlack}, false},
        {glVista, {0xFFFFFF, 0xFFFFFF, 0xFAF8F7, 0xF4F2F1}, false, false, {0xFDF8F1, 0xFCEFD5}, false, {0xECECF0, 0xD4D2D1}, false, {0xEACAB6, N, clBlack}, false},
        {glWin7, {0xFDFCFA, 0xFAF0E6, 0xF4E6DC, 0xF7E9DD}, false, false, {0xFCEBDC, 0xFCDBC1}, false, {0xECECF0, 0xD4D2D1}, false, {0xEACAB6, N, clBlack}, false},
        {glStandard, {}, true, true, {}, true, {}, true, {}, true},
        {o7, {0xF5E7DA, 0xF5E7DA, 0xF5E7DA, 0xF5E7DA}, false, false, {0x5BD5FF, 0x71EFFF}, false, {0xC0C0C0, 0xC7B0A0}, false, {0xFFDBB7, N, clBlack}, false},
        {o7, {0xE8E3DF, 0xE8E3DF, 0xE8E3DF, 0xE8E3DF}, false, false, {0x5BD5FF, 0x71EFFF}, false, {0xC0C0C0, 0xBAB5B1}, false, {0xFFDBB7, N, clBlack}, false},
        {o7, {0x6A6A6A, 0x6A6A6A, 0x6A6A6A, 0x6A6A6A}, false, false, {0x5BD5FF, 0x71EFFF}, false, {0xC0C0C0, 0x444444}, false, {0xFFDBB7, N, clBlack}, false},
    };
    if (AStyle < gsOffice2003Blue || AStyle > gsOffice2010Black) return;
    const TStyleRow& row = rows[AStyle];
    if (row.Look >= 0) {
        SetLook(TGridLook(row.Look));
        if (AStyle == gsWindowsXP) SetLook(glXP);
    }
    if (!row.KeepGradient) {
        // Written directly: a system colour keeps its form.
        FQRVGradientFrom = row.G[0];
        FQRVGradientTo = row.G[1];
        if (!row.KeepMirrors) {
            FQRVGradientMirrorFrom = row.G[2];
            FQRVGradientMirrorTo = row.G[3];
        }
        FControlLook->SetFixedGradientFrom(row.G[0]);
        FControlLook->SetFixedGradientTo(row.G[1]);
        FQRVGradientFrom = row.G[0];
        FQRVGradientTo = row.G[1];
    }
    if (!row.KeepActive) {
        FActiveCellColor = row.Active[0];
        FActiveCellColorTo = row.Active[1];
    }
    if (!row.KeepLines) {
        SetGridLineColor(row.Lines[0]);
        SetGridFixedLineColor(row.Lines[1]);
    }
    if (!row.KeepSel) {
        FSelectionColor = row.Sel[0];
        FSelectionColorTo = row.Sel[1];
        FSelectionTextColor = row.Sel[2];
    }
    auto hover = [this](TColor f, TColor t, TColor mf, TColor mt, TColor b) {
        FQRVGradientHoverFrom = f;
        FQRVGradientHoverTo = t;
        FQRVGradientHoverMirrorFrom = mf;
        FQRVGradientHoverMirrorTo = mt;
        FQRVGradientHoverBorder = b;
    };
    auto down = [this](TColor f, TColor t, TColor mf, TColor mt, TColor b) {
        FQRVGradientDownFrom = f;
        FQRVGradientDownTo = t;
        FQRVGradientDownMirrorFrom = mf;
        FQRVGradientDownMirrorTo = mt;
        FQRVGradientDownBorder = b;
    };
    auto sortHeader = [this](TColor a, TColor b, TColor c, TColor d) {
        FSortSettings->SetHeaderColor(a);
        FSortSettings->SetHeaderColorTo(b);
        FSortSettings->SetHeaderMirrorColor(c);
        FSortSettings->SetHeaderMirrorColorTo(d);
    };
    auto noFixedGradient = [this]() {
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
    };
    switch (AStyle) {
    case gsOffice2003Classic:
    case gsWindowsXP:
    case gsWhidbey:
        noFixedGradient();
        break;
    case gsOffice2007Luna:
        hover(0xE4E2DF, 0xDBD3CD, 0xDBD3CD, 0xD2C5BC, 0xB79F87);
        down(0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D, 0xE4C19D);
        SetSelectionStyle(ssOffice2007);
        break;
    case gsWindowsVista:
        hover(0xFFF7E3, 0xFFF7E3, 0xFFEDBD, 0xFBE7B7, 0xE3C993);
        down(0xF9E4BC, 0xF9E4BC, 0xF7D68D, 0xF5D18A, 0xAE904F);
        sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        noFixedGradient();
        SetSelectionStyle(ssVista);
        break;
    case gsWindows7:
        hover(0xFEFBF8, 0xFAF2ED, 0xF4E4D7, 0xE8D2C1, 0xEEE8E3);
        down(0xF1E8DD, 0xF1E4D8, 0xECDBCF, 0xEDDCCF, 0xD5BCAA);
        sortHeader(0xFCF9F2, 0xFCF9F2, 0xF9F1E1, 0xF6ECD8);
        noFixedGradient();
        SetSelectionStyle(ssWin7);
        break;
    case gsOffice2010Blue:
    case gsOffice2010Silver:
    case gsOffice2010Black: {
        hover(0x6BDFFF, 0xAFEFFF, 0xAFEFFF, 0xE6FCFF, 0x3ABFE8);
        down(0x5BD5FF, 0x64E0FF, 0x64E0FF, 0x71EFFF, 0x308AC2);
        const TColor h = AStyle == gsOffice2010Blue ? 0xD6CEC7 : AStyle == gsOffice2010Silver ? 0xAAAAAA : 0xBABABA;
        sortHeader(h, h, h, h);
        noFixedGradient();
        SetSelectionStyle(ssDefault);
        break;
    }
    default:
        break;
    }
    if (AStyle != gsCustom && AStyle != gsTerminal) {
        FSearchFooter->SetColor(FQRVGradientFrom);
        FSearchFooter->SetColorTo(FQRVGradientMirrorTo);
    }
    Invalidate();
}

void TKvStringGrid::SetComponentStyle(TQRVStyle AStyle)
{
    FComponentStyle = AStyle;
    SetStyle(TKvGridStyle(int(AStyle)));
    if (!FDesigning) StyleDropDownEditors(AStyle);
    // Through the setter, so the thin scroll controls go and the real bars come back.
    if (AStyle != tsCustom && FScrollType == ssMetro) SetScrollType(ssNormal);
}

// The drop-down editors the grid has created so far; the others take the
// grid's look when they are made.
std::vector<TComponent*> TKvStringGrid::CreatedDropDownEditors() const
{
    std::vector<TComponent*> res;
    for (TComponent* c : {FColorPicker, FImagePicker})
        if (c) res.push_back(c);
    // The in-place editors of the drop-down kinds.
    for (TComponent* c : FEditorControls)
        if (dynamic_cast<TKvCustomDropDown*>(c)) res.push_back(c);
    return res;
}

void TKvStringGrid::StyleDropDownEditors(TQRVStyle AStyle)
{
    for (TComponent* c : CreatedDropDownEditors())
        if (auto* s = dynamic_cast<IQRVStyle*>(c)) s->SetComponentStyle(AStyle);
}

void TKvStringGrid::SetTheme(TXPColorScheme Scheme)
{
    if (Scheme == xpNone) {
        FActiveCellColor = 0xFFFFFF;
        FActiveCellColorTo = 0xFFD9B3;
        FQRVGradientFrom = 0xFFFFFF;
        FQRVGradientTo = clBtnFace;
        FQRVGradientMirrorFrom = clNone;
        FQRVGradientMirrorTo = clNone;
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
        FSearchFooter->SetColor(0xFFFFFF);
        FSearchFooter->SetColorTo(0xFFD9B3);
        return;
    }
    static const TColor g[4][2] = {{0xFCE1CB, 0xE0A57D}, {0xCFF0EA, 0x8CC0B1}, {0xECE2E1, 0xB39698}, {0xFFFFFF, 0xFFFFFF}};
    const TColor* p = g[Scheme - 1];
    FControlLook->SetFixedGradientFrom(p[0]);
    FControlLook->SetFixedGradientTo(p[1]);
    FQRVGradientFrom = p[0];
    FQRVGradientTo = p[1];
    FQRVGradientMirrorFrom = Scheme == vistaAero ? 0xFAF8F7 : clNone;
    FQRVGradientMirrorTo = Scheme == vistaAero ? 0xF4F2F1 : clNone;
    FActiveCellColor = 0x94E6FB;
    FActiveCellColorTo = 0x1595EE;
    FSearchFooter->SetColor(Scheme == vistaAero ? 0xECE2E1 : p[0]);
    FSearchFooter->SetColorTo(Scheme == vistaAero ? 0xB39698 : p[1]);
}

void TKvStringGrid::SetColorTones(const TColorTones& ATones)
{
    FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    // A grid without a window yet gets its thin scroll controls now as well.
    CreateMetroScrollControls();
    SetFixedColor(ATones.Foreground.BrushColor);
    FFixedFont->SetColor(ATones.Foreground.TextColor);
    FFixedFont->SetName(DefaultGridFontName());
    Font()->SetName(DefaultGridFontName());
    SetColor(ATones.Background.BrushColor);
    Font()->SetColor(ATones.Background.TextColor);
    FSelectionColor = ATones.Selected.BrushColor;
    FSelectionTextColor = ATones.Selected.TextColor;
    FSelectionColorTo = clNone;
    SetGridLineColor(0xE6E6E6);
    SetGridFixedLineColor(AdjustColorByPercent(ColorToRGB(ATones.Foreground.BrushColor), -20));
    SetBorderStyle(bsNone);
    RegisterGridResourceImages();
    FControlLook->SetControlStyle(csGlyph);
    TBitmap b;
    b.SetImage(ResourceImage(QStringLiteral("metrocheckon")));
    FControlLook->SetCheckedGlyph(b);
    b.SetImage(ResourceImage(QStringLiteral("metrocheckoff")));
    FControlLook->SetUnCheckedGlyph(b);
    b.SetImage(ResourceImage(QStringLiteral("metroradioon")));
    FControlLook->SetRadioOnGlyph(b);
    b.SetImage(ResourceImage(QStringLiteral("metroradiooff")));
    FControlLook->SetRadioOffGlyph(b);
    if (!FDesigning)
        for (TComponent* c : CreatedDropDownEditors())
            if (auto* t = dynamic_cast<IQRVTones*>(c)) t->SetColorTones(ATones);
    FControlLook->SetFlatButton(true);
    FFloatingFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FCellNode->SetNodeType(cnFlat);
    Invalidate();
}

void TKvStringGrid::UpdateOfficeTheme()
{
    if (FDesigning) return;
    const TOfficeTheme t = GetOfficeTheme();
    if (int(t) == FLastOfficeTheme) return;
    static const TQRVStyle map[] = {tsOffice2003Blue,  tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic,
                                    tsOffice2007Luna,  tsOffice2007Silver, tsOffice2007Obsidian,
                                    tsOffice2010Blue,  tsOffice2010Silver, tsOffice2010Black};
    if (t >= ot2003Blue && t <= ot2010Black) SetComponentStyle(map[t]);
    FLastOfficeTheme = int(t);
}

// ============================================================ looks

void TKvStringGrid::SetLook(TGridLook Value)
{
    if (Value == FLook) return;
    FLook = Value;
    if (Value != glCustom) {
        FControlLook->SetFixedGradientMirrorFrom(clNone);
        FControlLook->SetFixedGradientMirrorTo(clNone);
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
        FQRVGradientFrom = FQRVGradientTo = FQRVGradientMirrorFrom = FQRVGradientMirrorTo = clNone;
        FSortSettings->SetHeaderColor(clNone);
    }
    auto styled = [this](TQRVStyle s, TGridSelectionStyle sel) {
        SetStyle(TKvGridStyle(int(s)));
        FComponentStyle = s;
        SetSelectionStyle(sel);
    };
    switch (Value) {
    case glVista: styled(tsWindowsVista, ssVista); break;
    case glWin7: styled(tsWindows7, ssWin7); break;
    case glOffice2007: styled(tsOffice2007Luna, ssOffice2007); break;
    case glCustom: break;
    default:
        // The grid keeps its own stored style; only its drop-downs take the XP one.
        if (!FDesigning) StyleDropDownEditors(tsWindowsXP);
        SetSelectionStyle(ssDefault);
        if (!IsLoading()) {
            const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
            if (plain) {
                SetFixedColor(clBtnFace);
                FControlLook->SetFixedGradientFrom(clBtnFace);
                FControlLook->SetFixedGradientTo(clNone);
            } else {
                FControlLook->SetFixedGradientFrom(clWhite);
                FControlLook->SetFixedGradientTo(clBtnFace);
            }
            SetGridFixedLineColor(clGray);
            FControlLook->SetFixedGradientMirrorFrom(clNone);
            FControlLook->SetFixedGradientMirrorTo(clNone);
            FQRVGradientMirrorFrom = FQRVGradientMirrorTo = clNone;
            SetGridLineColor(clSilver);
            if (Value == glQRV || Value == glXP) {
                FActiveCellColor = 0xEACAB6;
                FActiveCellColorTo = clNone;
                FSelectionColor = 0xEACAB6;
                FSelectionColorTo = clNone;
                FSelectionTextColor = clBlack;
                FSearchFooter->SetColor(FQRVGradientFrom);
                FSearchFooter->SetColorTo(FQRVGradientTo);
                FControlLook->SetFixedGradientFrom(clWhite);
                FControlLook->SetFixedGradientTo(Value == glXP ? clBtnFace : clSilver);
                if (Value == glQRV) {
                    FControlLook->SetFixedGradientHoverFrom(0xCFD0D1);
                    FControlLook->SetFixedGradientHoverTo(0xBEC6C8);
                    FControlLook->SetFixedGradientHoverMirrorFrom(0xBEC6C8);
                    FControlLook->SetFixedGradientHoverMirrorTo(0xABBCBF);
                    FControlLook->SetFixedGradientDownFrom(0x868788);
                    FControlLook->SetFixedGradientDownTo(0x737C7E);
                    FControlLook->SetFixedGradientDownMirrorFrom(0x737C7E);
                    FControlLook->SetFixedGradientDownMirrorTo(0x627376);
                }
            } else {
                FActiveCellColor = clGray;
                FActiveCellColorTo = clNone;
                FSelectionColor = clHighlight;
                FSelectionTextColor = clHighlightText;
                FSearchFooter->SetColor(clBtnFace);
                FSearchFooter->SetColorTo(clBtnFace);
            }
        }
        break;
    }
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    FBorderColor = 0xB99D7F;
    Invalidate();
    if (!IsLoading()) UpdateFooter();
}

void TKvStringGrid::LookToString(TGridLook Look, QString& Text)
{
    // The custom look has no name: Text stays as it was.
    const QString name = GridLookNames.Name(Look);
    if (!name.isEmpty()) Text = name;
}

void TKvStringGrid::LookToDisplayName(TGridLook Look, QString& Text)
{
    switch (Look) {
    case glStandard: Text = QStringLiteral("Standard"); break;
    case glSoft: Text = QStringLiteral("Soft"); break;
    case glClassic: Text = QStringLiteral("Classic"); break;
    case glQRV: Text = QStringLiteral("QRV"); break;
    case glXP: Text = QStringLiteral("Windows XP"); break;
    case glVista: Text = QStringLiteral("Windows Vista"); break;
    case glListView: Text = QStringLiteral("ListView"); break;
    case glWin7: Text = QStringLiteral("Windows 7"); break;
    case glOffice2007: Text = QStringLiteral("Office2007"); break;
    default: break;
    }
}

// ============================================================ URL display

void TKvStringGrid::SetURLColor(TColor Value)
{
    if (Value == FURLColor) return;
    FURLColor = Value;
    if (FURLShow) Invalidate();
}

void TKvStringGrid::SetURLShow(bool Value)
{
    if (Value == FURLShow) return;
    FURLShow = Value;
    Invalidate();
}

void TKvStringGrid::SetURLShowInText(bool Value)
{
    if (Value == FURLShowInText) return;
    FURLShowInText = Value;
    Invalidate();
}

void TKvStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow) Invalidate();
}

void TKvStringGrid::SetGridImages(TImageList* Value)
{
    FGridImages = Value;
    Invalidate();
}

bool TKvStringGrid::HasSortIndicator(int ACol, int ARow)
{
    int r = ARow;
    if (IsMergedCell(ACol, ARow)) r += CellSpan(ACol, ARow).Y;
    return r == FSortSettings->Row && FSortSettings->Show && RowCount() > TBaseGrid::FixedRows() + 1;
}

void TKvStringGrid::RepaintActiveHeaders(int Col1, int Row1, int Col2, int Row2)
{
    const int fr = TBaseGrid::FixedRows(), fc = TBaseGrid::FixedCols();
    for (const TPoint& p : {TPoint(Col1, Row1), TPoint(Col2, Row2)}) {
        if (fr > 0) RepaintCell(p.X, fr - 1);
        if (fc > 0) RepaintCell(fc - 1, p.Y);
    }
}

void TKvStringGrid::CreateMetroScrollControls()
{
    if (!FVScrollControl) {
        // Qt widgets paint through a back buffer already.
        FVScrollControl = new TScrollControl(this);
        FVScrollControl->SetParent(this);
        FVScrollControl->SetWidth(6);
        FVScrollControl->SetAlign(alRight);
        FVScrollControl->SetVisible(true);
    }
    if (!FHScrollControl) {
        FHScrollControl = new TScrollControl(this);
        FHScrollControl->Direction = sdHorizontal;
        FHScrollControl->SetParent(this);
        FHScrollControl->SetHeight(6);
        FHScrollControl->SetAlign(alBottom);
        FHScrollControl->SetVisible(true);
    }
}
