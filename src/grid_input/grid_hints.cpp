// Hints of the grid: the hint request of a cell, the sizing hint while an edge
// is dragged, the application's hint window class and the balloon's setup.

#include "grid/grid_text.h"
#include "grid/html_hint_window.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"

void TKvStringGrid::PrepareCellHint(QString& HintStr, THintInfo& HintInfo)
{
    const TPoint cp = HintInfo.CursorPos;
    if (FControlLook->HintMaxWidth() > 0) HintInfo.HintMaxWidth = FControlLook->HintMaxWidth();
    KvGridUnit::GridHintFontName = Font()->Name();
    int c = -1, r = -1;
    MouseToCell(cp.X, cp.Y, c, r);
    if (c < 0 || r < 0 || c >= ColCount() || r >= RowCount()) {
        HintInfo.HintColor = FHintColor;
        return;
    }
    const TPoint base = BaseCell(c, r);
    c = base.X;
    r = base.Y;
    FLastHintPos = base;
    const TRect R = CellRect(c, r);
    const int W = R.Width(), H = R.Height();
    TPoint pos(cp.X, R.Bottom + 6);

    QString comment;
    if (IsComment(c, r, comment)) {
        HintStr = comment;
        pos = TPoint(R.Right, R.Top);
    }
    const QString raw = Cells(c, r);
    const int kind = GetCellTextKind(raw, FEnableHTML);
    if (kind == ctkHTML && AnchorHint) {
        QString anchor, hint;
        if (AnchorAt(c, r, cp.X, cp.Y, anchor, hint)) {
            if (hint.isEmpty()) hint = anchor;
            if (OnAnchorHint) OnAnchorHint(this, r, c, hint);
            FLastAnchorHint = hint;
            HintStr = hint;
            pos = TPoint(cp.X + 8, cp.Y - 16);
        }
    }
    const bool normal = c >= TBaseGrid::FixedCols() && c <= ColCount() - FFixedRightCols - 1 &&
                        r >= TBaseGrid::FixedRows() && r <= RowCount() - FFixedFooters - 1;
    const bool wide = IsWideCell(c, r);
    if (HintShowCells && normal) {
        pos.Y = R.Top;
        HintStr = wide || HTMLHint ? raw : GetStrippedCell(c, r);
    }
    if (HintShowLargeText) {
        const TSize sz = GetCellTextSize(c, r, false, false);
        if (sz.cx > W || sz.cy > H) {
            if (!HintShowLargeTextPos) pos = TPoint(R.Left, R.Top);
            HintStr = wide || kind != ctkHTML || HTMLHint ? raw : GetStrippedCell(c, r);
        }
    }
    if (!(FFloatingFooter->Visible() && r == RowCount() - 1)) {
        QString wideHint;
        GridHint(c, r, wideHint, HintStr);
    }
    if ((GetCellTextKind(HintStr, true) == ctkHTML || GetCellTextKind(HintStr, false) == ctkWideText) &&
        FUseInternalHintClass)
        HintInfo.HintData = this;
    HintInfo.HintPos = ClientToScreen(pos);
    HintInfo.HintStr = HintStr;
    HintInfo.HintColor = FHintColor;
}

void TKvStringGrid::ShowSizingHint(bool Column, int Size)
{
    FSizingHintText = (Column ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) + QString::number(Size) +
                      QStringLiteral("</b>");
    TPoint cell;
    if (Column) cell = FSizingFixed ? TPoint(0, 0) : Colclicked >= 0 ? TPoint(Colclicked, Rowclicked) : TPoint(ColCount() - 1, 0);
    else cell = FSizingFixedR ? TPoint(0, 0) : Rowclicked >= 0 ? TPoint(Colclicked, Rowclicked) : TPoint(0, RowCount() - 1);
    const TRect R = CellRect(std::max(0, cell.X), std::max(0, cell.Y));
    const TPoint at = ClientToScreen(TPoint(R.Left, R.Top));
    if (!FScrollHintWnd) FScrollHintWnd = std::make_unique<THTMLHintWindow>(nullptr);
    TRect hr = FScrollHintWnd->CalcHintRect(200, FSizingHintText, nullptr);
    OffsetRect(hr, at.X, at.Y);
    FScrollHintWnd->SetColor(FHintColor);
    FScrollHintWnd->ActivateHint(hr, FSizingHintText, nullptr);
    FScrollHintShow = true;
}

void TKvStringGrid::HideSizingHint()
{
    if (FScrollHintWnd) FScrollHintWnd->ReleaseHandle();
    FScrollHintShow = false;
}

void TKvStringGrid::SetUseHTMLHints(bool Value)
{
    FUseHTMLHints = Value;
    if (!Application) return;
    if (Value) Application->HintWindowClass = [] { return static_cast<THintWindow*>(new THTMLHintWindow(nullptr)); };
    else Application->HintWindowClass = nullptr;
}

void TKvStringGrid::BalloonEnableChange()
{
    if (IsLoading()) return;
    if (FBalloon->Enable()) BalloonInit();
    else BalloonDone();
}

void TKvStringGrid::AddBalloonTool(int Icon, const QString& Title)
{
    if (!FBalloonHint) return;
    FBalloonHint->Title = Title.left(255);
    FBalloonHint->Icon = Icon >= 0 && Icon <= 3 ? Icon : 0;
}
