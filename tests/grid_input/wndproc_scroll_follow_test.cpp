#include "wndproc_fixture.h"

#include "grid/grid_editor_controls.h"
#include "platform/ui/extctrls.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(GridScrollFollow, ScrollingClosesAComboEditorAndMovesATextEditor)
{
    for (TEditorType kind : {edComboList, edNormal}) {
        TGridOnForm<> f(40, 4);
        f.Show();
        f.grid->OnGetEditorType = [kind](TObject*, int, int, TEditorType& e) { e = kind; };
        f.grid->SetRow(3);
        f.grid->SetFocus();
        f.grid->ShowEditor();
        if (kind == edComboList) {
            // The combo editor opens instead of the text editor.
            TGridCombo* combo = f.grid->EditCombo();
            ASSERT_TRUE(combo && combo->Visible());
            f.grid->SetTopRow(2);
            EXPECT_FALSE(f.grid->EditorMode()) << "closed";
            EXPECT_FALSE(combo->Visible());
            EXPECT_EQ(f.grid->Cells(0, 3), combo->Text()) << "and stored";
            continue;
        }
        TInplaceEdit* ed = f.grid->InplaceEditor();
        ASSERT_NE(ed, nullptr);
        ed->SetText(QStringLiteral("typed"));
        const int top = ed->Top();
        f.grid->SetTopRow(2);
        EXPECT_TRUE(f.grid->EditorMode()) << "stays";
        EXPECT_EQ(ed->Top(), top - f.grid->RowHeights(1)) << "moves with its cell";
    }
}

TEST(GridScrollFollow, CellControlHidesAndReturnsAtItsCell)
{
    TGridOnForm<> f(40, 5);
    f.Show();
    auto* ctl = new TPanel(f.grid);
    ctl->SetParent(f.grid);
    f.grid->HideColumn(1);
    f.grid->SetCellControls(3, 4, ctl); // real column 3, shown as column 2
    f.grid->CellControlsUpdate(true);
    const TRect R = f.grid->CellRect(2, 4);
    const TRect expect(R.Left - 1, R.Top - 1, R.Right, R.Bottom);
    EXPECT_TRUE(ctl->Visible());
    EXPECT_EQ(ctl->BoundsRect(), expect);
    f.grid->SetTopRow(20);
    EXPECT_FALSE(ctl->Visible());
    f.grid->SetTopRow(1);
    EXPECT_TRUE(ctl->Visible());
    EXPECT_EQ(ctl->BoundsRect(), expect);
}

TEST(GridScrollFollow, FormResizeGuardKeepsTheReferenceSize)
{
    TGridOnForm<> f(10, 4, 400, 200);
    f.grid->SetSizeWithForm(true);
    const int fw = f.form->Width(), fh = f.form->Height();
    f.form->SetBounds(0, 0, fw - 500, fh);
    f.grid->OwnerFormResize(f.form.get());
    EXPECT_EQ(f.grid->Width(), 400) << "a width of 0 or less is not taken";
    f.form->SetBounds(0, 0, fw + 10, fh + 20);
    f.grid->OwnerFormResize(f.form.get());
    EXPECT_EQ(f.grid->Width(), 410) << "measured from the size before the refused one";
    EXPECT_EQ(f.grid->Height(), 220);
}

TEST(GridScrollFollow, ChainedFormHandlerThatRaisesIsSwallowed)
{
    TForm form;
    form.SetBounds(0, 0, 500, 300);
    int calls = 0;
    form.OnResize = [&](TObject*) {
        ++calls;
        throw Exception(QStringLiteral("form handler failed"));
    };
    auto* g = new TKvStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 400, 200);
    g->SetColCount(3);
    for (int c = 0; c < 3; ++c) g->SetColWidths(c, 50);
    g->ColumnSize()->SetStretch(true);
    calls = 0;
    EXPECT_NO_THROW(g->OwnerFormResize(&form));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(g->ColWidths(2), g->GridClientWidth() - 100 - 1) << "the stretch still runs";
}

TEST(GridScrollFollow, SynchronisedGridFollowsTheTopRow)
{
    TGridOnForm<> f(40, 4);
    auto* partner = new TKvStringGrid(f.form.get());
    partner->SetParent(f.form.get());
    partner->SetRowCount(40);
    f.grid->SyncGrid()->SetGrid(partner);
    f.grid->SyncGrid()->SetScrollVertical(true);
    f.grid->SetTopRow(7);
    EXPECT_EQ(partner->TopRow(), 7);
}

TEST(GridScrollFollow, IntegralHeightFitsWholeRows)
{
    TGridOnForm<> f(40, 4, 400, 200);
    f.grid->SetBorderStyle(bsNone);
    f.grid->SetBounds(0, 0, 400, 205);
    f.grid->SetIntegralHeight(true);
    const int s = f.grid->VisibleColCount() + f.grid->FixedCols() < f.grid->ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
    EXPECT_EQ((f.grid->Height() - s) % f.grid->DefaultRowHeight(), 0);
}
