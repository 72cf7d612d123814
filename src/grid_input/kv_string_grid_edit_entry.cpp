// The grid's editing entry points: opening and closing the editor, the end of
// an edit with its posted "GridEditDone", the editor text path between cell
// and editor, the current-cell accessors and the relays of the editor controls.
#include "grid/kv_string_grid.h"

#include "grid/html_markup.h"
#include "grid_input/kv_inplace_edit.h"

#include <QtCore/QScopeGuard>
#include <QtGui/QKeyEvent>

void TKvStringGrid::ShowInplaceEdit()
{
    if (HasClickControl(RealColIndex(Col()), Row())) return;
    if (Row() < TopRow()) SetTopRow(Row());
    if (Col() < LeftCol()) SetLeftCol(Col());
    FEditText = Cells(RealColIndex(Col()), Row());
    ShowEditor();
}

void TKvStringGrid::HideInplaceEdit()
{
    if (!EditorMode() && !EditMode) return;
    HideEditor();
    HideEditControl(Col(), Row());
    EditMode = false;
    SelectCell(Col(), Row());
}

void TKvStringGrid::DoneInplaceEdit(WORD Key, TShiftState Shift)
{
    FBlockFocus = true;
    auto unblock = qScopeGuard([this] { FBlockFocus = false; });
    FEditing = false;
    HideInplaceEdit();
    if (FNavigation->AppendOnArrowDown() && Key == VK_DOWN) EditorAppendRow();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        WORD k = Key;
        KeyDown(k, Shift);
    }
    const bool alwaysEdit = FNavigation->AlwaysEdit();
    FNavigation->SetAlwaysEdit(false);
    auto restore = qScopeGuard([this, alwaysEdit] { FNavigation->SetAlwaysEdit(alwaysEdit); });
    if (CanFocus()) SetFocus();
    if (Key == VK_RETURN) EditorAdvanceToNextCell(Col(), Row(), false, false, true, false, false);
}

void TKvStringGrid::PostEditDone(WPARAM wParam, LPARAM lParam)
{
    if (OnEditingDone) OnEditingDone(this);
    EditMode = false;
    PostMessage(this, KvGridUnit::GridEditDoneMessage, wParam, lParam);
}

void TKvStringGrid::EditorAdvanceToNextCell(int ACol, int ARow, bool Edit, bool Recursing, bool Forward,
                                            bool AutoEdit, bool Force)
{
    AdvanceToNextCell(ACol, ARow, Edit, Recursing, Forward, AutoEdit, Force);
}

void TKvStringGrid::EditorTabToNextCell(TShiftState Shift)
{
    WORD k = VK_TAB;
    KeyDown(k, Shift);
}

// ============================================================ editor text

QString TKvStringGrid::GetEditText(int ACol, int ARow)
{
    FNoEditChange = true;
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    QString v = TBaseGrid::GetEditText(b.X, b.Y);
    if (!EditWithTags) v = HTMLToPlainText(v);
    return v;
}

void TKvStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(ACol), ARow);
    TBaseGrid::SetEditText(b.X, b.Y, Value);
}

QString TKvStringGrid::CurrentCell()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return TBaseGrid::GridCells(b.X, b.Y);
}

void TKvStringGrid::SetCurrentCell(const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    SetCellEx(b.X, b.Y, Value);
}

QString TKvStringGrid::GetCurrentCellText()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    return GetCellEx(b.X, b.Y);
}

void TKvStringGrid::SetCurrentCellText(const QString& Value)
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (b.X == RealColIndex(Col()) && b.Y == Row()) SetEditText(Col(), Row(), Value);
    else SetEditText(DisplColIndexOf(b.X), b.Y, Value);
}

// ============================================================ relays

QString TKvStringGrid::EllipsClick(const QString& Text)
{
    QString s = Text;
    if (OnEllipsClick) OnEllipsClick(this, RealColIndex(Col()), Row(), s);
    return s;
}

void TKvStringGrid::DropDownHeaderButtonClick(int ButtonIndex)
{
    if (OnDropDownHeaderButtonClick) OnDropDownHeaderButtonClick(this, Col(), Row(), ButtonIndex);
}

void TKvStringGrid::DropDownFooterButtonClick(int ButtonIndex)
{
    if (OnDropDownFooterButtonClick) OnDropDownFooterButtonClick(this, Col(), Row(), ButtonIndex);
}

void TKvStringGrid::MemoDropDownChange(const QString& Text)
{
    SetEditText(Col(), Row(), Text);
}

void TKvStringGrid::UnitChanged(TObject* Sender, const QString& AUnit)
{
    (void)Sender;
    if (OnUnitChanged) OnUnitChanged(this, Col(), AUnit, Row());
}

namespace {
// Gives a custom editor's edit control the keys it claims under goTabs before the
// form's dialog handling sees them.
class TEditLinkKeyFilter : public QObject {
public:
    TEditLinkKeyFilter(TKvStringGrid* Grid, TWinControl* Control) : QObject(Control), FGrid(Grid), FControl(Control) {}

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override
    {
        if (Event->type() != QEvent::KeyPress || !FGrid || !FGrid->Options().Contains(goTabs)) return false;
        (void)Watched;
        auto* ke = static_cast<QKeyEvent*>(Event);
        WORD vk = 0;
        switch (ke->key()) {
        case Qt::Key_Tab: case Qt::Key_Backtab: vk = VK_TAB; break;
        case Qt::Key_Left: vk = VK_LEFT; break;
        case Qt::Key_Right: vk = VK_RIGHT; break;
        case Qt::Key_Up: vk = VK_UP; break;
        case Qt::Key_Down: vk = VK_DOWN; break;
        case Qt::Key_Return: case Qt::Key_Enter: vk = VK_RETURN; break;
        case Qt::Key_Escape: vk = VK_ESCAPE; break;
        default: return false;
        }
        FControl->Perform(WM_KEYDOWN, vk, 0);
        if (vk == VK_TAB) FControl->Perform(WM_CHAR, 9, 0);
        return true;
    }

private:
    QPointer<TKvStringGrid> FGrid;
    TWinControl* FControl;
};
} // namespace

void TKvStringGrid::EditLinkControlWndProc(TWinControl* Control)
{
    if (!Control || Control->property("kvEditLinkHooked").toBool()) return;
    Control->setProperty("kvEditLinkHooked", true);
    auto* filter = new TEditLinkKeyFilter(this, Control);
    filter->setObjectName(QStringLiteral("kvEditLinkKeyFilter"));
    Control->InputWidget()->installEventFilter(filter);
}

void TKvStringGrid::RestoreEditLinkControlWndProc(TWinControl* Control)
{
    if (!Control || !Control->property("kvEditLinkHooked").toBool()) return;
    Control->setProperty("kvEditLinkHooked", false);
    auto* filter = Control->findChild<TEditLinkKeyFilter*>(QStringLiteral("kvEditLinkKeyFilter"),
                                                           Qt::FindDirectChildrenOnly);
    if (!filter) return;
    Control->InputWidget()->removeEventFilter(filter);
    delete filter;
}
