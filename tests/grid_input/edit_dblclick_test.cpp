// A double click on the open text editor reaches the grid's cell double-click
// event with the editor's cell, and leaves the editor open.
#include "edit_fixture.h"

#include "grid/kv_string_grid.h"

#include <gtest/gtest.h>

TEST(GridTextEditor, DoubleClickOnTheEditorIsADoubleClickOnItsCell)
{
    TEditGridForm f;
    std::vector<std::pair<int, int>> calls;
    TObject* sender = nullptr;
    f.grid->OnDblClickCell = [&](TObject* s, int r, int c) {
        sender = s;
        calls.emplace_back(r, c);
    };
    f.GoTo(TEditGridForm::cAfter, 3);
    f.F2();
    ASSERT_TRUE(f.EditorShown());
    QTest::mouseDClick(f.Editor()->InputWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(sender, f.grid);
    // Display column: the hidden column before it shifts the real one.
    EXPECT_EQ(calls[0], std::make_pair(3, f.Disp(TEditGridForm::cAfter)));
    EXPECT_TRUE(f.EditorShown());
    // Without a handler the double click is the editor's own (selects a word) and nothing breaks.
    f.grid->OnDblClickCell = nullptr;
    QTest::mouseDClick(f.Editor()->InputWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 4));
    EXPECT_TRUE(f.EditorShown());
}
