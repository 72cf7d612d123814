// The footer panel below the grid: painting per footer style, the column
// under the mouse with its hint, and clicks reported as clicks on the last row.

#include "grid/html_render.h"
#include "grid/kv_string_grid.h"

namespace {

// The columns the footer shows, in order: the fixed ones, then those from the
// grid's left column on.
template <class F>
void ForEachFooterColumn(TKvStringGrid* G, F&& Visit)
{
    int x = 0;
    const int fixed = G->TBaseGrid::FixedCols();
    for (int c = 0; c < fixed && c < G->ColCount(); ++c) {
        const int w = G->ColWidths(c);
        if (!Visit(c, x, w, true)) return;
        x += w;
    }
    for (int c = std::max(G->LeftCol(), fixed); c < G->ColCount(); ++c) {
        const int w = G->ColWidths(c);
        if (!Visit(c, x, w, false)) return;
        x += w;
    }
}

} // namespace

void TKvStringGrid::SearchFooterClose()
{
    if (OnSearchFooterClose) OnSearchFooterClose(this);
    FSearchFooter->SetVisible(false);
}

int TFooterPanel::ColumnAt(int X) const
{
    int found = -1;
    ForEachFooterColumn(FGrid, [&](int c, int x, int w, bool) {
        if (X >= x && X < x + w) {
            found = c;
            return false;
        }
        return true;
    });
    return found;
}

int TFooterPanel::ColumnsWidth() const
{
    int total = 0;
    ForEachFooterColumn(FGrid, [&](int, int, int w, bool) {
        total += w;
        return true;
    });
    return total;
}

void TFooterPanel::CreateWnd()
{
    TCustomPanel::CreateWnd();
    TFloatingFooter* ff = FGrid->FloatingFooter();
    SetHeight(ff->Visible() ? ff->Height() : 0);
    if (FGrid->OnCreatedFloatingFooter) FGrid->OnCreatedFloatingFooter(FGrid, this);
}

bool TFooterPanel::HintRequest(int X, QString& HintStr)
{
    const int col = ColumnAt(X);
    const bool show = FGrid->FloatingFooter()->ShowHint();
    if (FGrid->OnGridHint && col >= 0) FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, col, HintStr);
    FLastHintX = show && col >= 0 ? col : -1;
    return show;
}

void TFooterPanel::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_HINTSHOW && Message.LParam) {
        auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
        const bool show = HintRequest(info->CursorPos.X, info->HintStr);
        Message.Result = show ? 0 : 1;
        return;
    }
    if (Message.Msg == CM_MOUSELEAVE) FLastHintX = -1;
    TCustomPanel::WndProc(Message);
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    if (!FGrid->FloatingFooter()->ShowHint()) return;
    const int col = ColumnAt(X);
    if (FLastHintX >= 0 && col != FLastHintX) {
        if (Application) Application->CancelHint();
        FLastHintX = col;
    }
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    if (FGrid->OnClick) FGrid->OnClick(FGrid);
    if (FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, ColumnAt(X));
}

void TFooterPanel::PaintPreviewFrame(TCanvas* C, int W)
{
    const int h = Height();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(FGrid->FloatingFooter()->Color());
    C->FillRect(TRect(0, 0, W, h));
    C->Brush()->SetColor(FGrid->Color());
    C->FillRect(TRect(W, 0, Width(), h));
    C->Pen()->SetColor(0x808080);
    C->MoveTo(0, h - 1);
    C->LineTo(W - 1, h - 1);
    C->LineTo(W - 1, -1);
    C->Pen()->SetColor(clWhite);
    C->MoveTo(0, h - 1);
    C->LineTo(0, 0);
    C->LineTo(W - 1, 0);
}

void TFooterPanel::PaintFixedLastRow(TCanvas* C, int W)
{
    TKvStringGrid* g = FGrid;
    const int h = Height();
    const int last = g->RowCount() - 1;
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(g->FloatingFooter()->Color());
    C->FillRect(TRect(0, 0, W, h));
    C->Brush()->SetColor(g->Color());
    C->FillRect(TRect(W, 0, Width(), h));
    const bool vert = g->Options().Contains(goFixedVertLine);
    const bool horz = g->Options().Contains(goFixedHorzLine);
    const TGridLook look = g->Look();
    const bool whiteEdge = vert && !g->Flat() && (look == glSoft || look == glQRV || look == glXP || look == glVista);
    ForEachFooterColumn(g, [&](int, int x, int w, bool fixed) {
        if (whiteEdge) {
            C->Pen()->SetColor(clWhite);
            C->MoveTo(x, h);
            C->LineTo(x, 0);
        }
        if (horz) {
            C->Pen()->SetColor(g->GridLineColor());
            C->MoveTo(x, 0);
            C->LineTo(x + w, 0);
        }
        if (vert) {
            C->Pen()->SetColor(fixed || look == glVista ? g->GridLineColor() : TColor(0x808080));
            C->MoveTo(x + w - 1, 0);
            C->LineTo(x + w - 1, h);
        }
        return true;
    });
    if (last < 0) return;
    const int top = horz ? 1 : 0;
    // Column edges in footer order, for the width of a merged cell.
    std::vector<std::pair<int, int>> spans;
    ForEachFooterColumn(g, [&](int c, int x, int w, bool) {
        if (int(spans.size()) <= c) spans.resize(size_t(c) + 1, {-1, 0});
        spans[size_t(c)] = {x, w};
        return true;
    });
    ForEachFooterColumn(g, [&](int c, int x, int w, bool fixed) {
        // A cell covered by another's merged area is drawn with that cell.
        if (g->IsMergedNonBaseCell(c, last)) return true;
        TRect R(x, top, x + w, h);
        if (g->IsMergedCell(c, last)) {
            const int extra = std::max(0, g->CellSpan(c, last).X);
            for (int k = 1; k <= extra && c + k < int(spans.size()); ++k)
                if (spans[size_t(c + k)].first >= 0) R.Right = spans[size_t(c + k)].first + spans[size_t(c + k)].second;
        }
        if (!fixed) {
            if (g->OnGetCellColor) {
                TBrush brush;
                brush.SetColor(clNone);
                TFont font;
                font.Assign(*g->Font());
                g->OnGetCellColor(g, last, c, TGridDrawState(gdFixed), &brush, &font);
                if (brush.Color() != clNone) {
                    C->Brush()->SetColor(brush.Color());
                    C->FillRect(R);
                }
            }
            const int real = g->RealColIndex(c);
            if (g->HasCellProperties(real, last)) {
                const TColor own = g->GridObjects(real, last)->BrushColor();
                if (own != clNone) {
                    C->Brush()->SetColor(own);
                    C->FillRect(R);
                }
            }
            if (g->OnFooterPaint) {
                g->OnFooterPaint(this, c, C, R);
                return true;
            }
        }
        C->Brush()->SetStyle(bsClear);
        g->DrawCellContent(C, c, last, R, TGridDrawState(gdFixed));
        C->Brush()->SetStyle(bsSolid);
        return true;
    });
}

void TFooterPanel::Paint()
{
    TCanvas* C = Canvas();
    TFloatingFooter* ff = FGrid->FloatingFooter();
    int W = ColumnsWidth();
    C->Font()->Assign(*FGrid->Font());
    switch (ff->FooterStyle()) {
    case fsFixedLastRow:
        PaintFixedLastRow(C, W);
        break;
    case fsColumnPreview: {
        PaintPreviewFrame(C, W);
        const TRect R(0, 0, W, Height());
        const TColor selText = FGrid->SelectionTextColor();
        FGrid->SetSelectionTextColor(clBlack);
        if (FGrid->OnFooterPaint) {
            FGrid->OnFooterPaint(this, ff->Column(), C, R);
        } else if (FGrid->Row() >= 0 && ff->Column() >= 0 && ff->Column() < FGrid->ColCount()) {
            C->Brush()->SetStyle(bsClear);
            FGrid->DrawCellContent(C, ff->Column(), FGrid->Row(), R, TGridDrawState());
            C->Brush()->SetStyle(bsSolid);
        }
        FGrid->SetSelectionTextColor(selText);
        break;
    }
    case fsCustomPreview: {
        PaintPreviewFrame(C, W);
        const TRect R(0, 2, W, Height());
        C->Brush()->SetStyle(bsClear);
        if (FGrid->IsRunTime()) {
            THTMLTextParams p;
            p.Canvas = C;
            p.Text = ExpandFooterTemplate(FGrid, ff->CustomTemplate());
            p.Rect = R;
            p.Images = FGrid->GridImages();
            p.ImageCache = FGrid->ImageCache();
            p.URLColor = FGrid->URLColor();
            p.WindowHandle = this;
            DrawHTMLText(p);
        } else {
            C->TextOut(R.Left, R.Top, ff->CustomTemplate());
        }
        C->Brush()->SetStyle(bsSolid);
        break;
    }
    case fsCustomPaint:
        W = Width();
        if (FGrid->OnFooterPaint) FGrid->OnFooterPaint(this, ff->Column(), C, ClientRect());
        break;
    }
    if (ff->BorderColor() != clNone) {
        C->Pen()->SetColor(ff->BorderColor());
        C->MoveTo(0, 0);
        C->LineTo(W, 0);
    }
}
