// The cell hint window: mini-HTML hints measured and drawn by the markup
// renderer, wide-text hints as one line in the wide-hint font.
#include "grid/html_hint_window.h"

#include <algorithm>

#include "grid/cell_paint.h"
#include "grid/grid_text.h"
#include "grid/html_render.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/drawing.h"

namespace {

void MeasureHint(TCanvas* C, const QString& Hint, int Width, TImageList* Images, TPictureContainer* Container,
                 int& W, int& H, QString& Wide)
{
    if (GetCellTextKind(Hint, false) == ctkWideText) {
        Wide = DecodeWideCellText(Hint);
        TFont keep;
        keep.Assign(*C->Font());
        C->Font()->SetName(KvGridUnit::GridHintFontName);
        W = C->TextWidth(Wide);
        H = C->TextHeight(Wide);
        C->Font()->Assign(keep);
        return;
    }
    Wide.clear();
    THTMLTextParams p;
    p.Canvas = C;
    p.Text = Hint;
    p.Rect = TRect(0, 0, Width, 4096);
    p.Images = Images;
    p.Container = Container;
    p.URLColor = 0xFF0000;
    p.CalcOnly = true;
    DrawHTMLText(p);
    W = p.XSize;
    H = p.YSize;
}

} // namespace

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner)
{
    // No border; the platform's tool-tip window casts the shadow.
    FParams.Style &= ~unsigned(WS_BORDER);
    FParams.WindowClassStyle |= CS_DROPSHADOW;
    ScreenArea = TRect(0, 0, Screen->Width(), Screen->Height());
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const QString& AHint, void*)
{
    int w = 0, h = 0;
    QString wide;
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(*Font());
    MeasureHint(probe.Canvas(), AHint, MaxWidth, Images, Container, w, h, wide);
    return TRect(0, 0, w, h);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const QString& AHint, void* AData)
{
    FHint = AHint;
    FData = AData;
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(*Font());
    MeasureHint(probe.Canvas(), AHint, 1008, Images, Container, TextWidth, TextHeight, WideCaption);
    const int extra = WideCaption.isEmpty() && GetCellTextKind(AHint, false) != ctkWideText ? 16 : 8;
    TRect R(Rect.Left, Rect.Top, Rect.Left + TextWidth + extra, Rect.Top + TextHeight + 4);
    if (R.Right > ScreenArea.Right - 2) OffsetRect(R, ScreenArea.Right - 2 - R.Right, 0);
    if (R.Bottom > ScreenArea.Bottom - 2) OffsetRect(R, 0, ScreenArea.Bottom - 2 - R.Bottom);
    THintWindow::ActivateHint(R, AHint, AData);
}

void THTMLHintWindow::ActivateHintData(const TRect& Rect, const QString& AHint, void* AData)
{
    if (auto* g = dynamic_cast<TKvStringGrid*>(static_cast<TObject*>(AData))) {
        Images = g->GridImages();
        Container = nullptr;
    }
    ActivateHint(Rect, AHint, AData);
}

void THTMLHintWindow::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    DrawRaisedFrame(c, r, cl3DLight, cl3DDkShadow);
    c->Brush()->SetStyle(bsClear);
    c->SetFont(*Font());
    TRect t(r.Left + 4, r.Top + (r.Height() - TextHeight) / 2, r.Right - 4, 0);
    t.Bottom = t.Top + TextHeight + 8;
    if (!WideCaption.isEmpty()) {
        c->Font()->SetName(KvGridUnit::GridHintFontName);
        DrawText(c, WideCaption, t, DT_SINGLELINE | DT_NOPREFIX);
    } else {
        THTMLTextParams p;
        p.Canvas = c;
        p.Text = FHint;
        p.Rect = t;
        p.Images = Images;
        p.Container = Container;
        p.URLColor = 0xFF0000;
        DrawHTMLText(p);
    }
    c->Brush()->SetStyle(bsSolid);
}
