// The graphic a cell shows beside its text: its size and text flag, its place
// in the cell, and its drawing by kind (check boxes, radio buttons, pictures,
// progress bars, buttons, comment marks, shapes, ratings). The check-box,
// radio and node bitmaps are drawn here once and kept in the resource registry.
#include <QImage>
#include <algorithm>
#include <cmath>

#include "grid/cell_paint.h"
#include "grid/draw_utils.h"
#include "grid/grid_text.h"
#include "grid/kv_string_grid.h"
#include "grid/theme_services.h"
#include "platform/ui/drawing.h"

namespace {

const TIntList* ImagesOf(const TCellGraphic* g)
{
    if (auto* o = std::get_if<TObject*>(&g->FCellBitmap)) return dynamic_cast<const TIntList*>(*o);
    return nullptr;
}

TColor SlotColor(const TCellSlot& s, TColor Default)
{
    if (const TColor* c = std::get_if<TColor>(&s)) return *c;
    return Default;
}

// A cell value read for drawing: a text that is no number counts 0.
double CellNumber(const QString& Text, bool* Ok = nullptr)
{
    bool ok = false;
    double v = 0;
    const QString t = Text.trimmed();
    const int k = ClassifyNumberText(t);
    if (k == nkInteger || k == nkDecimal || k == nkExponent) v = ExtractNumberText(t).toDouble(&ok);
    if (!ok) v = 0;
    if (Ok) *Ok = ok;
    return v;
}

QImage NewImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0xFF, 0x00, 0xFF));
    return img;
}

void Tick(TCanvas& c, int x, int y, TColor col)
{
    c.Pen()->SetColor(col);
    for (int d = 0; d < 2; ++d) {
        c.MoveTo(x, y + 2 + d);
        c.LineTo(x + 2, y + 4 + d);
        c.LineTo(x + 7, y - 1 + d);
    }
}

QImage CheckImage(TColor frame, TColor fill, TColor tick, bool checked)
{
    QImage img = NewImage(15, 15);
    TCanvas c(&img);
    c.Brush()->SetColor(fill);
    c.Pen()->SetColor(frame);
    c.Rectangle(1, 1, 14, 14);
    if (checked) Tick(c, 4, 6, tick);
    return img;
}

QImage RadioImage(TColor frame, TColor fill, TColor dot, bool checked)
{
    QImage img = NewImage(16, 16);
    TCanvas c(&img);
    c.Brush()->SetColor(fill);
    c.Pen()->SetColor(frame);
    c.Ellipse(2, 2, 15, 15);
    if (checked) {
        c.Brush()->SetColor(dot);
        c.Pen()->SetColor(dot);
        c.Ellipse(6, 6, 11, 11);
    }
    return img;
}

QImage NodeImage(int size, TColor frame, bool plus)
{
    QImage img = NewImage(size + 2, size + 2);
    TCanvas c(&img);
    c.Brush()->SetColor(clWhite);
    c.Pen()->SetColor(frame);
    c.Rectangle(1, 1, size + 1, size + 1);
    c.Pen()->SetColor(clBlack);
    const int m = 1 + size / 2;
    c.MoveTo(3, m);
    c.LineTo(size, m);
    if (plus) {
        c.MoveTo(m, 3);
        c.LineTo(m, size);
    }
    return img;
}

} // namespace

void DrawRaisedFrame(TCanvas* Canvas, const TRect& R, TColor Light, TColor Dark)
{
    Canvas->Pen()->SetColor(Light);
    Canvas->MoveTo(R.Left, R.Bottom - 1);
    Canvas->LineTo(R.Left, R.Top);
    Canvas->LineTo(R.Right - 1, R.Top);
    Canvas->Pen()->SetColor(Dark);
    Canvas->LineTo(R.Right - 1, R.Bottom - 1);
    Canvas->LineTo(R.Left, R.Bottom - 1);
}

// The program's own check, radio, node and filter bitmaps, drawn once.
void RegisterGridResourceImages()
{
    if (HasResourceImage(QStringLiteral("KSGCHK01"))) return;
    const TColor xpFrame = 0x80511C, qrvFrame = 0x808080, off = 0xC0C0C0, green = 0x21A121;
    // QRV 01..04 and XP 05..08: checked enabled, unchecked enabled, checked disabled, unchecked disabled.
    struct S { int n; TColor frame; TColor tick; };
    using TMaker = QImage (*)(TColor, TColor, TColor, bool);
    const std::pair<const char*, TMaker> kinds[] = {{"KSGCHK%1", &CheckImage}, {"KSGRAD%1", &RadioImage}};
    for (const auto& [name, make] : kinds)
        for (const S& s : {S{1, qrvFrame, clBlack}, S{5, xpFrame, green}}) {
            auto reg = [&, name = name](int n, const QImage& img) {
                RegisterResourceImage(QString::fromLatin1(name).arg(n, 2, 10, QLatin1Char('0')), img);
            };
            reg(s.n, make(s.frame, clWhite, s.tick, true));
            reg(s.n + 1, make(s.frame, clWhite, s.tick, false));
            reg(s.n + 2, make(off, 0xF0F0F0, clGray, true));
            reg(s.n + 3, make(off, 0xF0F0F0, clGray, false));
        }
    RegisterResourceImage(QStringLiteral("metrocheckon"), CheckImage(0x9D5B00, 0x9D5B00, clWhite, true));
    RegisterResourceImage(QStringLiteral("metrocheckoff"), CheckImage(0x9D5B00, clWhite, clWhite, false));
    RegisterResourceImage(QStringLiteral("metroradioon"), RadioImage(0x9D5B00, clWhite, 0x9D5B00, true));
    RegisterResourceImage(QStringLiteral("metroradiooff"), RadioImage(0x9D5B00, clWhite, 0x9D5B00, false));
    RegisterResourceImage(QStringLiteral("KSGLEAFOPEN"), NodeImage(10, clGray, false));
    RegisterResourceImage(QStringLiteral("KSGLEAFCLOSE"), NodeImage(10, clGray, true));
    RegisterResourceImage(QStringLiteral("XPNODEO"), NodeImage(8, 0xA0A0A0, false));
    RegisterResourceImage(QStringLiteral("XPNODEC"), NodeImage(8, 0xA0A0A0, true));
    QImage f = NewImage(16, 16);
    {
        TCanvas c(&f);
        c.Brush()->SetColor(clBlack);
        c.Pen()->SetColor(clBlack);
        c.Polygon({TPoint(3, 4), TPoint(12, 4), TPoint(8, 8), TPoint(8, 12), TPoint(7, 12), TPoint(7, 8)});
    }
    RegisterResourceImage(QStringLiteral("KSGFILT"), f);
}

// ============================================================ size and text flag

TKvStringGrid::TCellGraphicInfo TKvStringGrid::GetCellGraphicInfo(int ACol, int ARow)
{
    TCellGraphicInfo gi;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return gi;
    gi.Graphic = g;
    gi.HAlign = g->CellHAlign();
    gi.VAlign = g->CellVAlign();
    auto graphicOf = [](const TCellSlot& s) -> TGraphic* {
        if (TGraphic* const* p = std::get_if<TGraphic*>(&s)) return *p;
        if (TPicture* const* p = std::get_if<TPicture*>(&s)) return *p ? (*p)->Graphic() : nullptr;
        return nullptr;
    };
    switch (g->CellType()) {
    case ctBitmap:
    case ctIcon: {
        TGraphic* gr = graphicOf(g->CellType() == ctBitmap ? g->FCellBitmap : g->FCellIcon);
        if (gr) {
            gi.Width = gr->Width();
            gi.Height = gr->Height();
        }
        break;
    }
    case ctImageList:
    case ctDataImage:
        if (TImageList* il = GetCellImageList()) {
            gi.Width = il->Width();
            gi.Height = il->Height();
        }
        gi.ShowText = g->CellType() == ctImageList;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        gi.Width = gi.Height = FControlLook->CheckSize();
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        gi.Width = gi.Height = FControlLook->CheckSize();
        gi.ShowText = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        gi.ShowText = false;
        break;
    case ctImages: {
        const TIntList* list = ImagesOf(g);
        const int n = list ? list->Count() : 0;
        if (TImageList* il = GetCellImageList()) {
            gi.Width = g->CellBoolean() ? n * il->Width() : il->Width();
            gi.Height = g->CellBoolean() ? il->Height() : n * il->Height();
        }
        break;
    }
    case ctPicture:
    case ctFilePicture: {
        const TPoint s = CellSize(DisplColIndex(ACol), ARow);
        const TPoint p = g->GetPictureSize(s.X, s.Y, !Cells(ACol, ARow).isEmpty());
        gi.Width = p.X;
        gi.Height = p.Y;
        break;
    }
    case ctButton:
    case ctBitButton:
        gi.Width = g->CellIndex() & 0xFFFF;
        gi.Height = (unsigned(g->CellIndex()) >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        gi.Width = gi.Height = 20;
        break;
    case ctInterface:
        if (IInterfacedCell* ic = InterfaceOf(g)) {
            gi.Width = ic->GetWidth();
            gi.Height = ic->GetHeight();
        }
        break;
    case ctRadioButton:
        gi.Width = gi.Height = FControlLook->RadioSize() + 4;
        break;
    case ctShape:
        gi.Width = gi.Height = RowHeights(ARow) - 2 * FXYOffset.Y;
        break;
    case ctRating:
        gi.Width = 18 * g->CellAngle();
        gi.Height = 16;
        gi.ShowText = false;
        break;
    default:
        break;
    }
    return gi;
}

// ============================================================ check boxes and radio buttons

void TKvStringGrid::DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed,
                              TControlStyle Style, bool TriState, TCheckBoxState State)
{
    RegisterGridResourceImages();
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive()) Enabled = true;
    if (Style == csTheme && !VisualStylesActive()) Style = csClassic;
    if (TriState) {
        Checked = State == cbChecked;
        Grayed = State == cbGrayed;
    }
    const int S = FControlLook->CheckSize();
    auto bitmap = [&](const char* on, const char* onOff, const char* offOn, const char* offOff) {
        const char* n = Checked ? (Enabled ? on : onOff) : (Enabled ? offOn : offOff);
        DrawResourceBitmapTransparent(ACanvas, ACanvas->Brush()->Color(), R, QString::fromLatin1(n));
    };
    switch (Style) {
    case csWinXP:
        bitmap("KSGCHK05", "KSGCHK07", "KSGCHK06", "KSGCHK08");
        break;
    case csQRV:
        bitmap("KSGCHK01", "KSGCHK03", "KSGCHK02", "KSGCHK04");
        break;
    case csGlyph: {
        TBitmap* gl = Checked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph();
        if (gl && !gl->Empty())
            DrawBitmapTransparent(ACanvas, gl, ACanvas->Brush()->Color(),
                                  TRect(R.Left, R.Top, R.Left + gl->Width(), R.Top + gl->Height()));
        break;
    }
    case csQuillet: {
        const TRect B(R.Left, R.Top, R.Left + S, R.Top + S);
        ACanvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        ACanvas->Pen()->SetColor(clBtnFace);
        ACanvas->Rectangle(B);
        DrawRaisedFrame(ACanvas, B, clBtnHighlight, clBtnShadow);
        if (Checked) {
            const int L = B.Left, T = B.Top, Rt = B.Right, Bt = B.Bottom;
            ACanvas->Pen()->SetColor(Enabled ? FControlLook->Color() : clGray);
            ACanvas->MoveTo(L + 2, T + S / 2);
            ACanvas->LineTo(L + 2, Bt - 2);
            ACanvas->MoveTo(L + 3, T - 1 + S / 2);
            ACanvas->LineTo(L + 3, Bt - 3);
            ACanvas->MoveTo(L + 2, Bt - 2);
            ACanvas->LineTo(Rt - 2, T + 2);
            ACanvas->MoveTo(L + 3, Bt - 2);
            ACanvas->LineTo(Rt - 1, T + 2);
        }
        break;
    }
    case csTheme: {
        HTHEME th = OpenThemeData(Handle(), QStringLiteral("button"));
        int st = Grayed ? (Enabled ? 9 : 12) : Checked ? (Enabled ? 5 : 8) : (Enabled ? 1 : 4);
        DrawThemeBackground(th, ACanvas, 3, st, TRect(R.Left, R.Top, R.Left + S, R.Top + S));
        CloseThemeData(th);
        break;
    }
    default: { // csClassic, csFlat: the frame-control box centred in R
        TRect B(R.Left + (R.Width() - S) / 2, R.Top + (R.Height() - S) / 2, 0, 0);
        B.Right = B.Left + S;
        B.Bottom = B.Top + S;
        unsigned flags = DFCS_BUTTONCHECK;
        if (Checked) flags |= DFCS_CHECKED;
        if (Grayed) flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (Style == csFlat) flags |= DFCS_FLAT;
        if (!Enabled) flags |= DFCS_INACTIVE;
        DrawFrameControl(ACanvas, B, DFC_BUTTON, flags);
        break;
    }
    }
}

void TKvStringGrid::DrawRadioButtons(TCanvas* ACanvas, TRect R, int Count, int ItemIndex, bool Horizontal,
                                     bool Disabled, const TStrings* Items, bool Selected, int ACol, int ARow,
                                     TControlStyle Style, double Scale, bool Upward)
{
    RegisterGridResourceImages();
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive()) Disabled = false;
    if (Style == csTheme && !VisualStylesActive()) Style = csClassic;
    ACanvas->Brush()->SetStyle(bsClear);
    const QString cellText = ACol >= 0 && ARow >= 0 ? Cells(ACol, ARow) : QString();
    if (Selected && FShowSelection) ACanvas->Font()->SetColor(FSelectionTextColor);
    const int rs = FControlLook->RadioSize();
    const bool classic = Style == csClassic || Style == csFlat;
    const int lineH = classic ? ACanvas->TextHeight(QStringLiteral("gh"))
                              : std::max(16, ACanvas->TextHeight(QStringLiteral("gh")));
    int widths = 0;
    for (int i = 1; i <= Count; ++i) {
        const QString text = Items && i - 1 < Items->Count() ? Items->Strings(i - 1) : QString();
        const bool checked = (ItemIndex == -1 && text == cellText && Items) || i == ItemIndex + 1;
        int x, y, tx, ty;
        const int step = Upward ? -1 : 1;
        if (classic) {
            const int size = int(std::nearbyint(rs * Scale)) + (Style == csFlat ? 2 : 0);
            if (Horizontal) {
                x = R.Left + 2 + (i - 1) * rs + widths;
                y = R.Top + (R.Height() - size) / 2;
                tx = x + int(std::nearbyint(Scale * rs));
                ty = y - 2;
            } else {
                x = R.Left + 2;
                y = R.Top + step * lineH * (i - 1) + 2;
                if (text.isEmpty()) x = R.Left + (R.Width() - size) / 2;
                tx = x + int(std::nearbyint(Scale * (rs + 4)));
                ty = y - 2;
            }
            TRect B(x, y, x + size, y + size);
            unsigned flags = DFCS_BUTTONRADIO;
            if (Style == csFlat) flags |= DFCS_FLAT;
            if (Disabled) flags |= DFCS_INACTIVE;
            if (checked) flags |= DFCS_CHECKED;
            DrawFrameControl(ACanvas, B, DFC_BUTTON, flags);
        } else {
            if (Horizontal) {
                x = R.Left + widths + 16 * i - 14;
                y = R.Top + (R.Height() - 16) / 2;
            } else {
                x = R.Left + 2;
                y = R.Top + step * lineH * (i - 1) + 2;
            }
            const bool bitmapStyle = Style == csWinXP || Style == csQRV || Style == csGlyph;
            tx = Horizontal ? x + 16 : R.Left + (bitmapStyle ? 18 : 20);
            ty = y + (bitmapStyle ? 1 : 0);
            if (Style == csQuillet) {
                ACanvas->Brush()->SetStyle(bsSolid);
                ACanvas->Brush()->SetColor(clBtnFace);
                ACanvas->Pen()->SetColor(clBtnFace);
                ACanvas->Polygon({TPoint(x + 2, y + 8), TPoint(x + 8, y + 2), TPoint(x + 14, y + 8),
                                  TPoint(x + 8, y + 14)});
                ACanvas->Pen()->SetColor(checked ? clGray : clWhite);
                ACanvas->MoveTo(x + 2, y + 8);
                ACanvas->LineTo(x + 8, y + 2);
                ACanvas->LineTo(x + 14, y + 8);
                ACanvas->Pen()->SetColor(checked ? clWhite : clGray);
                ACanvas->LineTo(x + 8, y + 14);
                ACanvas->LineTo(x + 2, y + 8);
                if (checked) {
                    ACanvas->Brush()->SetColor(FControlLook->Color());
                    ACanvas->Pen()->SetColor(FControlLook->Color());
                    ACanvas->Polygon({TPoint(x + 6, y + 8), TPoint(x + 8, y + 6), TPoint(x + 10, y + 8),
                                      TPoint(x + 8, y + 10)});
                }
                ACanvas->Brush()->SetStyle(bsClear);
            } else if (Style == csTheme) {
                HTHEME th = OpenThemeData(Handle(), QStringLiteral("button"));
                DrawThemeBackground(th, ACanvas, 2, checked ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1),
                                    TRect(x, y, x + 16, y + 16));
                CloseThemeData(th);
            } else if (Style == csGlyph) {
                TBitmap* gl = checked ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph();
                if (gl && !gl->Empty())
                    DrawBitmapTransparent(ACanvas, gl, Color(), TRect(x, y, x + gl->Width(), y + gl->Height()));
            } else {
                const bool xp = Style == csWinXP;
                const char* n = checked ? (Disabled ? (xp ? "KSGRAD07" : "KSGRAD03") : (xp ? "KSGRAD05" : "KSGRAD01"))
                                        : (Disabled ? (xp ? "KSGRAD08" : "KSGRAD04") : (xp ? "KSGRAD06" : "KSGRAD02"));
                DrawResourceBitmapTransparent(ACanvas, Color(), TRect(x, y, x + 16, y + 16), QString::fromLatin1(n));
            }
        }
        if (!text.isEmpty()) {
            ACanvas->Brush()->SetStyle(bsClear);
            ACanvas->TextOut(tx, ty, text);
        }
        widths += ACanvas->TextWidth(text);
    }
    ACanvas->Brush()->SetStyle(bsSolid);
}

// ============================================================ placement and drawing

void TKvStringGrid::DrawCellGraphic(TCanvas* ACanvas, int ACol, int ARow, TRect& R, TGridDrawState AState,
                                    const TCellGraphicInfo& GI, TAlignment HA, TVAlignment VA)
{
    RegisterGridResourceImages();
    TCellGraphic* g = GI.Graphic;
    const int RC = RealColIndex(ACol);
    const TCellType t = g->CellType();
    const int W = GI.Width, H = GI.Height;
    // 1.
    if (t != ctNode && t != ctProgress && t != ctRangeIndicator && t != ctXPProgress)
        InflateRect(R, -(FXYOffset.X - 1), -(FXYOffset.Y - 1));
    // 2.
    int TW = LastTextWidth;
    if (TW > 0) TW += 2;
    // 3. horizontal
    TRect G = R;
    const int width = R.Right - R.Left;
    switch (GI.HAlign) {
    case haLeft: G.Left = R.Left + 1; break;
    case haRight: G.Left = R.Right - 1 - W; break;
    case haCenter: G.Left = W < width ? R.Left + (width - W) / 2 : R.Left + 1; break;
    case haBeforeText:
        if (HA == taRightJustify) G.Left = std::max(R.Left + 1, R.Right - TW - W);
        else if (HA == taCenter) G.Left = std::max(R.Left + 1, R.Left + (width - TW - W) / 2);
        else G.Left = R.Left + 1;
        break;
    case haAfterText:
        if (HA == taRightJustify) G.Left = R.Right - 1 - W;
        else if (HA == taCenter) G.Left = std::max(R.Left + 1, R.Left + TW + (width - TW - W) / 2);
        else G.Left = R.Left + TW;
        break;
    case haFull: break;
    }
    if (GI.HAlign != haFull) G.Right = G.Left + W;
    // 4. check boxes follow the cell's vertical alignment when it differs from the grid's
    const bool checkLike = t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox ||
                           t == ctRadioButton || t == ctTriStateCheckBox;
    TCellVAlign cva = GI.VAlign;
    if (checkLike && VA != FVAlignment) cva = VA == vtaTop ? vaTop : VA == vtaCenter ? vaCenter : vaBottom;
    // 5. vertical
    const int height = R.Bottom - R.Top;
    switch (cva) {
    case vaTop:
    case vaAboveText: G.Top = R.Top + 1; G.Bottom = G.Top + H; break;
    case vaBottom: G.Top = R.Bottom - 1 - H; G.Bottom = G.Top + H; break;
    case vaCenter: G.Top = H < height ? R.Top + (height - H) / 2 : R.Top + 1; G.Bottom = G.Top + H; break;
    case vaUnderText: G.Top = R.Bottom - H; G.Bottom = R.Bottom; break;
    case vaFull: break;
    }

    bool can = true;
    auto enabled = [&]() {
        bool e = true;
        CanEdit(RC, ARow, e);
        return e;
    };
    switch (t) {
    case ctBitmap:
    case ctIcon: {
        TGraphic* gr = nullptr;
        const TCellSlot& s = t == ctBitmap ? g->FCellBitmap : g->FCellIcon;
        if (TGraphic* const* p = std::get_if<TGraphic*>(&s)) gr = *p;
        if (gr) {
            auto* bmp = dynamic_cast<TBitmap*>(gr);
            if (bmp && g->CellTransparent())
                DrawBitmapTransparent(ACanvas, bmp, ACanvas->Brush()->Color(),
                                      TRect(G.Left, G.Top, G.Left + W, G.Top + H));
            else
                ACanvas->Draw(G.Left, G.Top, gr);
        }
        break;
    }
    case ctImageList: {
        TImageList* il = GetCellImageList();
        if (il && g->CellIndex() >= 0 && g->CellIndex() < il->Count())
            il->Draw(ACanvas, G.Left, G.Top, g->CellIndex(), true);
        break;
    }
    case ctDataImage: {
        bool ok = false;
        const double v = CellNumber(Cells(RC, ARow), &ok);
        const long long idx = (long long)std::trunc(v) + g->CellIndex();
        TImageList* il = GetCellImageList();
        if (ok && il && idx >= 0 && idx < il->Count()) il->Draw(ACanvas, G.Left, G.Top, int(idx), true);
        break;
    }
    case ctImages:
        if (TImageList* il = GetCellImageList()) {
            int x = G.Left, y = G.Top;
            const TIntList* list = ImagesOf(g);
            for (const int idx : list ? std::vector<int>(list->begin(), list->end()) : std::vector<int>()) {
                if (idx >= 0 && idx < il->Count()) il->Draw(ACanvas, x, y, idx, true);
                if (g->CellBoolean()) x += il->Width();
                else y += il->Height();
            }
        }
        break;
    case ctFilePicture:
        if (TObject* const* p = std::get_if<TObject*>(&g->FCellBitmap)) {
            if (auto* fp = dynamic_cast<TFilePicture*>(*p)) {
                // A file gone since it was attached draws nothing: painting never raises.
                try {
                    fp->DrawPicture(ACanvas, G);
                } catch (const std::exception&) {
                }
            }
        }
        break;
    case ctInterface:
        if (IInterfacedCell* ic = InterfaceOf(g); ic && !ic->IsBefore())
            ic->Draw(ACanvas, TRect(R.Left - 1, R.Top - 1, R.Right, R.Bottom), RC, ARow, AState.Contains(gdSelected),
                     this);
        break;
    case ctPicture: {
        TGraphic* gr = nullptr;
        if (TPicture* const* p = std::get_if<TPicture*>(&g->FCellBitmap)) gr = *p ? (*p)->Graphic() : nullptr;
        else if (TGraphic* const* p2 = std::get_if<TGraphic*>(&g->FCellBitmap)) gr = *p2;
        if (gr) {
            if (g->CellAngle() != 0) ACanvas->StretchDraw(G, gr);
            else ACanvas->Draw(G.Left, G.Top, gr);
        }
        break;
    }
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
    case ctRadioButton: {
        const bool plain = t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
        if (HA == taLeftJustify) G.Left = R.Left + 1;
        else if (HA == taRightJustify) G.Left = plain ? R.Right - W - 1 : std::max(R.Left + 1, R.Right - TW - W - 1);
        else if (plain || TW == 0) G.Left = R.Left + std::max(0, R.Right - W - R.Left) / 2;
        else G.Left = std::max(R.Left + 1, R.Left - W + std::max(0, R.Right - TW - R.Left) / 2);
        G.Right = G.Left + W;
        can = enabled();
        const TControlStyle cs = FControlLook->ControlStyle();
        if (t == ctCheckBox || t == ctRowCheckBox) {
            DrawCheck(ACanvas, G, g->CellBoolean(), can, g->CellAngle() > 0, cs, false, cbUnchecked);
        } else if (t == ctDataCheckBox || t == ctVirtCheckBox) {
            QString ct = FCheckTrue;
            GetCheckTrue(RC, ARow, ct);
            DrawCheck(ACanvas, G, Cells(RC, ARow) == ct, can, false, cs, false, cbUnchecked);
        } else if (t == ctTriStateCheckBox) {
            DrawCheck(ACanvas, G, false, can, g->CellAngle() > 0, cs, true, g->CellCheckBoxState());
        } else {
            G.Left += FXYOffset.X;
            G.Right = G.Left + FControlLook->RadioSize();
            G.Bottom = G.Top + FControlLook->RadioSize();
            DrawRadioButtons(ACanvas, G, 1, g->CellBoolean() ? 0 : -1, false, !can, nullptr, false, -1, -1, cs, 1.0,
                             false);
        }
        break;
    }
    case ctRadio: {
        can = enabled();
        const TStrings* items = nullptr;
        if (TObject* const* p = std::get_if<TObject*>(&g->FCellBitmap)) items = dynamic_cast<const TStrings*>(*p);
        DrawRadioButtons(ACanvas, R, items ? items->Count() : 0, g->CellIndex(), g->CellBoolean(), !can, items,
                         AState.Contains(gdSelected), RC, ARow, FControlLook->ControlStyle(), 1.0, false);
        break;
    }
    case ctRotated: {
        G = R;
        TFont keep;
        keep.Assign(*ACanvas->Font());
        ACanvas->Font()->SetOrientation(g->CellAngle() * 10);
        QString text = GetFormattedCell(RC, ARow);
        TRect O = R;
        RotatedTextOrigin(ACanvas, O, g->CellAngle(), text, HA == taRightJustify ? 1 : HA == taCenter ? 2 : 0,
                          VA == vtaBottom ? 1 : VA == vtaCenter ? 2 : 0);
        TRect clip = R;
        InflateRect(clip, -2, -2);
        ACanvas->SaveState();
        ACanvas->IntersectClipRect(clip);
        ACanvas->Brush()->SetStyle(bsClear);
        ACanvas->TextOut(O.Left, O.Top, text);
        ACanvas->RestoreState();
        ACanvas->Font()->Assign(keep);
        if (ShowsSortIndicator(RC, ARow) && TBaseGrid::FixedRows() > 0)
            DrawSortIndicator(ACanvas, RC, G.Top + 8, G.Right - 10);
        break;
    }
    case ctNode: {
        TCellNode* cn = FCellNode.get();
        const int indent = GetRowIndent(ARow);
        const int ni = cn->NodeIndent();
        R.Left = indent - ni;
        const bool contracted = g->CellBoolean();
        if (cn->ShowTree() && ARow >= TBaseGrid::FixedRows()) {
            ACanvas->Pen()->SetColor(cn->TreeColor());
            const int x = R.Left + ni / 2 + 2;
            if (ARow + 1 < RowCount() && GetRowIndent(ARow + 1) > 0 &&
                !(contracted && GetRowIndent(ARow + 1) < indent)) {
                ACanvas->MoveTo(x, R.Top + R.Height() / 2);
                ACanvas->LineTo(x, R.Bottom);
            }
            if (ARow > 0 && GetRowIndent(ARow - 1) >= indent) {
                ACanvas->MoveTo(x, R.Top);
                ACanvas->LineTo(x, R.Top + 6);
            }
        }
        R.Left = indent - ni / 2 - 4;
        TColor back = ACanvas->Brush()->Color();
        if (back == clNone) back = TBaseGrid::FixedCols() > 0 ? FixedColor() : Color();
        if (FShowSelection && AState.Contains(gdSelected) && !FMouseActions->DisjunctRowSelect())
            back = FSelectionColor;
        auto glyph = [&](const QString& name, int dy) {
            DrawResourceBitmapTransparent(ACanvas, back, TRect(R.Left, R.Top + dy, R.Right, R.Bottom), name);
        };
        switch (cn->NodeType()) {
        case cnLeaf:
            glyph(contracted ? QStringLiteral("KSGLEAFCLOSE") : QStringLiteral("KSGLEAFOPEN"), (R.Height() - 12) / 2);
            break;
        case cnXP:
            R.Left += 4;
            glyph(contracted ? QStringLiteral("XPNODEC") : QStringLiteral("XPNODEO"), (R.Height() - 10) / 2);
            break;
        case cnGlyph:
            if (!cn->ExpandGlyph()->Empty() && !cn->ContractGlyph()->Empty()) {
                TBitmap* b = contracted ? cn->ContractGlyph() : cn->ExpandGlyph();
                const int y = R.Top + (R.Height() - b->Height()) / 2;
                DrawBitmapTransparent(ACanvas, b, back, TRect(R.Left, y, R.Left + b->Width(), y + b->Height()));
            }
            break;
        default: {
            const int top = R.Top + (R.Height() - 8) / 2, left = R.Left + 4;
            TRect B(left, top, left + 8, top + 8);
            if (cn->NodeType() == cn3D) {
                FillRectColor(ACanvas, R, cn->Color());
                DrawRaisedFrame(ACanvas, R, clWhite, clGray);
            }
            ACanvas->Brush()->SetColor(cn->Color());
            if (cn->NodeType() == cnFlat) {
                ACanvas->Pen()->SetColor(cn->NodeColor());
                ACanvas->Rectangle(TRect(B.Left - 1, B.Top - 1, B.Right + 1, B.Bottom + 1));
                ACanvas->MoveTo(left + 2, top + 4);
                ACanvas->LineTo(left + 7, top + 4);
                if (contracted) {
                    ACanvas->MoveTo(left + 4, top + 2);
                    ACanvas->LineTo(left + 4, top + 7);
                }
            } else {
                FillRectColor(ACanvas, B, cn->Color());
                DrawEdge(ACanvas, B, contracted ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_SOFT);
            }
            break;
        }
        }
        break;
    }
    case ctProgress: {
        const double v = CellNumber(Cells(RC, ARow));
        const TControlStyle cs = FControlLook->ControlStyle();
        if ((cs == csWinXP || cs == csTheme) && VisualStylesActive() && FControlLook->ProgressXP()) {
            TRect P = R;
            InflateRect(P, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
            HTHEME th = OpenThemeData(Handle(), QStringLiteral("Progress"));
            DrawThemeBackground(th, ACanvas, 1, 1, P);
            InflateRect(P, -2, -2);
            const int w = int(std::nearbyint(ClampPercent(v) * P.Width() / 100.0));
            DrawThemeBackground(th, ACanvas, 3, 1, TRect(P.Left, P.Top, P.Left + w, P.Bottom));
            CloseThemeData(th);
        } else {
            TRect P = R;
            InflateRect(P, -2, -2);
            const TColor fg = SlotColor(g->FCellBitmap, clRed), bg = SlotColor(g->FCellIcon, clWhite);
            TColor fgText = g->CellIndex(), bgText = g->CellAngle();
            if (!g->CellBoolean()) {
                fgText = ColorToRGB(fg) ^ 0xFFFFFF;
                bgText = ColorToRGB(bg) ^ 0xFFFFFF;
            }
            DrawProgressBar(ACanvas, P, fg, fgText, bg, bgText, v, FControlLook->ProgressMarginX(),
                            FControlLook->ProgressMarginY(), g->CellErrFrom(), g->CellErrLen(), g->CellText(),
                            FControlLook->ProgressBorderColor(), false);
        }
        break;
    }
    case ctProgressPie:
        DrawProgressPie(ACanvas, TRect(G.Left, G.Top, G.Left + 20, G.Top + 20), SlotColor(g->FCellBitmap, clRed),
                        g->CellAngle(), false);
        break;
    case ctRangeIndicator: {
        TRect P = R;
        InflateRect(P, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
        DrawRangeIndicator(ACanvas, P, int(CellNumber(Cells(RC, ARow))), g->CellErrLen(), g->CellBoolean(),
                           SlotColor(g->FCellBitmap, clRed), SlotColor(g->FCellIcon, clGreen));
        break;
    }
    case ctXPProgress: {
        TGridProgressAppearance* pa = FProgressAppearance.get();
        TXPProgressAppearance a;
        a.Level0Color = pa->Level0Color();
        a.Level0ColorTo = pa->Level0ColorTo();
        a.Level1Color = pa->Level1Color();
        a.Level1ColorTo = pa->Level1ColorTo();
        a.Level2Color = pa->Level2Color();
        a.Level2ColorTo = pa->Level2ColorTo();
        a.Level3Color = pa->Level3Color();
        a.Level3ColorTo = pa->Level3ColorTo();
        a.Level1Perc = pa->Level1Perc();
        a.Level2Perc = pa->Level2Perc();
        a.BorderColor = pa->BorderColor();
        a.ShowBorder = pa->ShowBorder();
        a.Stacked = pa->Stacked();
        a.ShowPercentage = pa->ShowPercentage();
        a.CompletionSmooth = pa->CompletionSmooth();
        a.ShowGradient = pa->ShowGradient();
        a.Steps = pa->Steps();
        a.CompleteFontColor = pa->CompleteFontColor();
        a.Font = Font();
        a.UnCompleteColor = pa->UnCompleteColor() == clNone ? ACanvas->Brush()->Color() : pa->UnCompleteColor();
        TRect P = R;
        InflateRect(P, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
        P.Right -= 1;
        P.Bottom -= 1;
        // Equal limits draw 0 per cent instead of dividing by zero.
        const double span = double(g->CellErrLen()) - g->CellErrFrom();
        const double v = std::trunc(CellNumber(Cells(RC, ARow)));
        const int percent = span == 0 ? 0 : int(std::nearbyint(std::abs(v - g->CellErrFrom()) / span * 100.0));
        DrawXPProgressBar(ACanvas, P, percent, a);
        break;
    }
    case ctComment:
        if (FControlLook->CommentColor() != clNone) {
            const TColor c = TColor(g->CellAngle()) != clNone && g->CellIndex() != 0 ? TColor(g->CellIndex())
                                                                                     : FControlLook->CommentColor();
            ACanvas->Brush()->SetColor(c);
            ACanvas->Pen()->SetColor(c);
            const int x = R.Right + FXYOffset.X, y = R.Top - FXYOffset.Y;
            ACanvas->Polygon({TPoint(x - 8, y + 1), TPoint(x - 3, y + 1), TPoint(x - 3, y + 6)});
            ACanvas->Brush()->SetColor(Color());
        }
        break;
    case ctButton:
    case ctBitButton:
    case ctExpand: {
        if (t == ctExpand) G = TRect(R.Right - 13, R.Top, R.Right, R.Top + 13);
        const TRect cr = TBaseGrid::CellRect(ACol, ARow);
        g->SetCellValue(double(((G.Top - cr.Top) << 16) | ((G.Left - cr.Left) & 0xFFFF)));
        can = FControlLook->NoDisabledButtonLook() ? true : enabled();
        const int style = CellButtonStyle();
        int state = g->CellBoolean() ? ebDown : (FCellButtonPushed == TPoint(ACol, ARow) ? ebHot : ebNormal);
        if (!can && t != ctExpand) state = ebDisabled;
        DrawPushButton(ACanvas, Handle(), G, style, state, FTones);
        TRect C = G;
        if (state == ebDown) OffsetRect(C, 1, 1);
        if (t == ctExpand) {
            ACanvas->Pen()->SetColor(clBlack);
            if (g->FCellVar.toBool()) {
                ACanvas->MoveTo(R.Right - 10, R.Top + 8);
                ACanvas->LineTo(R.Right - 7, R.Top + 5);
                ACanvas->LineTo(R.Right - 3, R.Top + 9);
            } else {
                ACanvas->MoveTo(R.Right - 10, R.Top + 5);
                ACanvas->LineTo(R.Right - 7, R.Top + 8);
                ACanvas->LineTo(R.Right - 3, R.Top + 4);
            }
            break;
        }
        if (t == ctBitButton) {
            TBitmap* gl = nullptr;
            if (TGraphic* const* p = std::get_if<TGraphic*>(&g->FCellBitmap)) gl = dynamic_cast<TBitmap*>(*p);
            if (gl && !gl->Empty()) {
                const bool room = C.Width() >= gl->Width() + 6;
                const int y = gl->Height() <= C.Height() ? C.Top + (C.Height() - gl->Height()) / 2 : C.Top + 3;
                int x = C.Left + (C.Width() - gl->Width()) / 2;
                if (!g->CellText().isEmpty() || !room) {
                    x = C.Left + 3;
                    C.Left += gl->Width() + 4;
                }
                DrawBitmapTransparent(ACanvas, gl, clBtnFace, TRect(x, y, x + gl->Width(), y + gl->Height()));
            }
        }
        ACanvas->Brush()->SetStyle(bsClear);
        if (style == ebsTones) {
            const TColorTone& tone = state == ebDisabled ? FTones.Disabled
                                     : state == ebDown   ? FTones.Selected
                                     : state == ebHot    ? FTones.Hover
                                                         : FTones.Background;
            ACanvas->Font()->SetColor(tone.TextColor);
        } else {
            ACanvas->Font()->SetColor(can ? clBtnText : clGrayText);
        }
        TRect TR(C.Left + 1, C.Top, C.Right, C.Bottom);
        const bool multi = g->CellText().contains(QLatin1Char('\r'));
        DrawText(ACanvas, g->CellText(), TR,
                 DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | (multi ? DT_WORDBREAK : DT_SINGLELINE));
        ACanvas->Brush()->SetStyle(bsSolid);
        break;
    }
    case ctShape:
        DrawShape(ACanvas, G.Left, G.Top, G.Width() - 1, G.Height() - 1, TCellShape(g->CellIndex() & 0xFF),
                  SlotColor(g->FCellBitmap, clBlack), SlotColor(g->FCellIcon, clBlack));
        break;
    case ctRating: {
        const double v = std::trunc(CellNumber(Cells(RC, ARow)) * 2) / 2;
        const TColor full = TColor(g->CellIndex()), empty = SlotColor(g->FCellBitmap, clSilver);
        for (int i = 0; i < g->CellAngle(); ++i) {
            const int x = G.Left + 18 * i;
            if (i + 1 > v) DrawShape(ACanvas, x, G.Top, 16, 16, csStar, empty, empty);
            else DrawShape(ACanvas, x, G.Top, 16, 16, csStar, full, full);
            if (i < v && v < i + 1) DrawShape(ACanvas, x, G.Top, 16, 16, csHalfStar, full, full);
        }
        break;
    }
    default:
        break;
    }
    R = G;
}
