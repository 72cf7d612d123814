// The discrete colour selector: the palette's layout, selection and hot rules,
// the key tables of a closed and an open popup, the mouse, and the boxes and
// joined tone strips as painted.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "dropdown/color_selector.h"
#include "platform/ui/forms.h"

namespace {

QRgb Rgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

struct PaletteFixture {
    TForm form;
    TCustomColorSelector* sel;
    int selects = 0;
    PaletteFixture()
    {
        form.SetBounds(0, 0, 240, 160);
        form.SetColor(clWhite);
        sel = new TCustomColorSelector(&form);
        sel->SetParent(&form);
        sel->FillDefaultPalette();
        sel->SetItemsPosition();
        sel->OnItemSelect = [this](TObject*) { ++selects; };
        form.Show();
    }
    QImage Shot() { return sel->Snapshot().convertToFormat(QImage::Format_RGB32); }
    TRect Box(int i)
    {
        TRect r;
        sel->GetItemRect(i, r);
        return r;
    }
};

} // namespace

TEST(ColorSelector, ConstructionAndTheAppearanceColours)
{
    TCustomColorSelector sel;
    EXPECT_EQ(sel.ItemIndex(), -1);
    EXPECT_EQ(sel.ItemHot(), -1);
    EXPECT_EQ(sel.Columns(), 10);
    EXPECT_EQ(sel.ColumnGap(), 4);
    EXPECT_EQ(sel.ColorBoxWidth(), 12);
    EXPECT_EQ(sel.ColorBoxHeight(), 12);
    EXPECT_EQ(sel.ItemColorStyle(), scOffice2007);
    EXPECT_EQ(sel.SelectedColor(), clNone);
    EXPECT_TRUE(sel.ParentColor());
    const TColorBoxAppearance* a = sel.ColorBoxAppearance();
    EXPECT_EQ(a->BorderColor(), 0xC5C5C5);
    EXPECT_EQ(a->OuterBorderColorHot(), 0x3694F2);
    EXPECT_EQ(a->InnerBorderColorHot(), 0x94E2FF);
    EXPECT_EQ(a->OuterBorderColorSelected(), 0x0000FF);
    EXPECT_EQ(a->InnerBorderColorSelected(), 0x94E2FF);

    // A custom style keeps changed colours; a named style loads the five again.
    sel.ColorBoxAppearance()->SetBorderColor(0x123456);
    sel.SetItemColorStyle(scCustom);
    EXPECT_EQ(a->BorderColor(), 0x123456);
    sel.SetItemColorStyle(scWindows7);
    EXPECT_EQ(a->BorderColor(), 0xC5C5C5);
}

TEST(ColorSelector, PaletteLayoutJoinsTheTonesAndSeparatesTheBaseRow)
{
    TCustomColorSelector sel;
    sel.SetItemsPosition();
    EXPECT_EQ(sel.Width(), 100) << "empty";
    EXPECT_EQ(sel.Height(), 50);

    sel.FillDefaultPalette();
    sel.SetItemsPosition();
    ASSERT_EQ(sel.Items()->Count(), 60);
    EXPECT_EQ(sel.Width(), 165);
    EXPECT_EQ(sel.Height(), 84);
    struct Row { int index; TRect rect; TColor color; TItemPos pos; };
    const Row rows[] = {
        {0, TRect(4, 4, 16, 16), 0xFFFFFF, ipStandAlone},  {9, TRect(148, 4, 160, 16), 0x4696F7, ipStandAlone},
        {10, TRect(4, 20, 16, 32), 0xF2F2F2, ipTop},       {12, TRect(36, 20, 48, 32), 0xC3D9DD, ipTop},
        {20, TRect(4, 32, 16, 44), 0xD8D8D8, ipMiddle},    {45, TRect(84, 56, 96, 68), 0x343795, ipMiddle},
        {59, TRect(148, 68, 160, 80), 0x064897, ipBottom},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.index);
        EXPECT_EQ(sel.Items()->Items(r.index)->Rect(), r.rect);
        EXPECT_EQ(sel.Items()->Items(r.index)->Color(), r.color);
        EXPECT_EQ(sel.Items()->Items(r.index)->ColorBoxPos(), r.pos);
    }
    TRect out;
    sel.GetItemRect(60, out);
    EXPECT_EQ(out, TRect(-1, -1, -1, -1));
    EXPECT_EQ(sel.ItemAtPos(37, 21), 12);
    EXPECT_EQ(sel.ItemAtPos(17, 5), -1) << "gap between boxes";

    sel.SetColumns(5);
    EXPECT_EQ(sel.Items()->Items(5)->Rect(), TRect(4, 20, 16, 32));
}

TEST(ColorSelector, SelectionRules)
{
    PaletteFixture f;
    f.sel->SelectPrevious();
    EXPECT_EQ(f.sel->ItemIndex(), -1) << "previous from none does nothing";
    f.sel->SelectNext();
    EXPECT_EQ(f.sel->ItemIndex(), 0) << "next from none selects the first box";
    f.sel->SelectPrevious();
    EXPECT_EQ(f.sel->ItemIndex(), 0) << "no wrap at the start";
    f.sel->SelectLast();
    f.sel->SelectNext();
    EXPECT_EQ(f.sel->ItemIndex(), 59) << "no wrap at the end";

    f.selects = 0;
    f.sel->SetItemIndex(59);
    EXPECT_EQ(f.selects, 1) << "the same box again fires again";
    EXPECT_EQ(f.sel->SelectedColor(), 0x064897);

    f.sel->Items()->Items(3)->SetEnabled(false);
    f.sel->SetItemIndex(3);
    EXPECT_EQ(f.sel->ItemIndex(), 59) << "a disabled box is refused";
    f.sel->SetItemHot(3);
    EXPECT_EQ(f.sel->ItemHot(), -1);
    f.sel->SetItemIndex(600);
    EXPECT_EQ(f.sel->ItemIndex(), 59) << "an index past the list is ignored";

    f.sel->SetSelectedColor(0xFFFFFF);
    EXPECT_EQ(f.sel->ItemIndex(), 0);
    f.sel->SetSelectedColor(0x123456);
    EXPECT_EQ(f.sel->ItemIndex(), -1);
    EXPECT_EQ(f.sel->SelectedColor(), 0x123456);
    f.sel->SetSelectedColor(0x4D50C0);
    EXPECT_EQ(f.sel->ItemIndex(), 5);
    f.sel->SetSelectedColor(clNone);
    EXPECT_EQ(f.sel->ItemIndex(), -1);
    EXPECT_EQ(f.sel->SelectedColor(), clNone);
}

TEST(ColorSelector, KeyTablesOfAClosedAndAnOpenPopup)
{
    struct Case { const char* name; WORD key; bool editor; bool open; int start; int expected; };
    const Case cases[] = {
        {"PageUp closed", VK_PRIOR, false, false, 30, 0},   {"Home open", VK_HOME, true, true, 30, 0},
        {"PageDown open", VK_NEXT, false, true, 3, 59},     {"End closed", VK_END, true, false, 3, 59},
        {"Left closed", VK_LEFT, false, false, 3, 2},       {"Left closed editor", VK_LEFT, true, false, 3, 3},
        {"Left open editor", VK_LEFT, true, true, 3, 2},    {"Right closed", VK_RIGHT, false, false, 3, 4},
        {"Right closed editor", VK_RIGHT, true, false, 3, 3}, {"Right open editor", VK_RIGHT, true, true, 3, 4},
        {"Up closed", VK_UP, true, false, 12, 11},          {"Down closed", VK_DOWN, true, false, 12, 13},
        {"Up open", VK_UP, false, true, 12, 2},             {"Up open first row", VK_UP, false, true, 2, 2},
        {"Down open column 3", VK_DOWN, false, true, 2, 12}, {"Down open last row", VK_DOWN, false, true, 55, 55},
        {"Down open none", VK_DOWN, false, true, -1, 0},    {"Up open none", VK_UP, false, true, -1, 0},
        {"Escape", VK_ESCAPE, false, true, 12, 12},         {"Return", VK_RETURN, false, false, 12, 12},
    };
    PaletteFixture f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.sel->SetItemIndex(-1);
        f.sel->SetItemIndex(c.start);
        f.sel->HandleKeyDown(c.key, c.editor, c.open);
        EXPECT_EQ(f.sel->ItemIndex(), c.expected);
    }
    f.sel->SetItemIndex(12);
    f.sel->SetEnabled(false);
    f.sel->HandleKeyDown(VK_HOME, false, true);
    EXPECT_EQ(f.sel->ItemIndex(), 12) << "a disabled selector ignores keys";
}

TEST(ColorSelector, MouseSelectsAndTracksTheHotBox)
{
    PaletteFixture f;
    const TRect b = f.Box(12);
    QTest::mouseMove(f.sel, QPoint(b.Left + 3, b.Top + 3));
    EXPECT_EQ(f.sel->ItemHot(), 12);
    QTest::mouseMove(f.sel, QPoint(17, 5));
    EXPECT_EQ(f.sel->ItemHot(), -1) << "over no box";
    QTest::mouseMove(f.sel, QPoint(b.Left + 3, b.Top + 3));
    f.sel->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(f.sel->ItemHot(), -1) << "leaving clears it";

    QTest::mouseClick(f.sel, Qt::LeftButton, {}, QPoint(b.Left + 3, b.Top + 3));
    EXPECT_EQ(f.sel->ItemIndex(), 12);
    EXPECT_EQ(f.selects, 1);
    f.sel->Items()->Items(13)->SetEnabled(false);
    const TRect d = f.Box(13);
    QTest::mouseClick(f.sel, Qt::LeftButton, {}, QPoint(d.Left + 3, d.Top + 3));
    EXPECT_EQ(f.sel->ItemIndex(), 12) << "a disabled box cannot be clicked";
}

TEST(ColorSelector, BoxesAndToneStripsAsPainted)
{
    PaletteFixture f;
    f.sel->SetItemIndex(5);
    f.sel->SetItemHot(14);
    const QImage img = f.Shot();
    const TColor border = 0xC5C5C5;
    // A base box framed on all four sides around its colour.
    const TRect b0 = f.Box(1);
    EXPECT_EQ(img.pixel(b0.Left, b0.Top), Rgb(border));
    EXPECT_EQ(img.pixel(b0.Right - 1, b0.Bottom - 1), Rgb(border));
    EXPECT_EQ(img.pixel(b0.Left + 5, b0.Top + 5), Rgb(0x000000));
    // Selected: red outer frame, light inner frame, colour inside.
    const TRect s = f.Box(5);
    EXPECT_EQ(img.pixel(s.Left, s.Top), Rgb(0x0000FF));
    EXPECT_EQ(img.pixel(s.Left + 1, s.Top + 1), Rgb(0x94E2FF));
    EXPECT_EQ(img.pixel(s.Left + 5, s.Top + 5), Rgb(0x4D50C0));
    // Hot: orange outer frame.
    const TRect h = f.Box(14);
    EXPECT_EQ(img.pixel(h.Left, h.Top), Rgb(0x3694F2));
    // A tone column: side lines run through, no line between the tones, a bottom line at the end.
    const TRect top = f.Box(11), mid = f.Box(21), bottom = f.Box(51);
    EXPECT_EQ(img.pixel(top.Left + 5, top.Top), Rgb(border)) << "top of the strip";
    EXPECT_EQ(img.pixel(mid.Left + 5, mid.Top), Rgb(0x595959)) << "no line between tones";
    for (int y = top.Top; y < bottom.Bottom; ++y) {
        ASSERT_EQ(img.pixel(top.Left, y), Rgb(border)) << "left side at " << y;
        ASSERT_EQ(img.pixel(top.Right - 1, y), Rgb(border)) << "right side at " << y;
    }
    EXPECT_EQ(img.pixel(bottom.Left + 5, bottom.Bottom - 1), Rgb(border)) << "bottom of the strip";
    EXPECT_EQ(img.pixel(bottom.Left + 5, bottom.Bottom), Rgb(clWhite)) << "the parent's colour below";
    ASSERT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/color_palette.png")));
}

TEST(ColorSelector, DrawsOnlyValidBoxes)
{
    TCustomColorSelector sel;
    sel.FillDefaultPalette();
    TRecordingCanvas canvas;
    sel.DrawItem(0, &canvas);
    EXPECT_TRUE(canvas.Ops.empty()) << "no rectangle before the layout";
    sel.SetItemsPosition();
    sel.DrawItem(60, &canvas);
    sel.DrawItem(-1, &canvas);
    sel.DrawItem(0, nullptr);
    EXPECT_TRUE(canvas.Ops.empty());
    sel.DrawItems(&canvas);
    // One fill per box; frame lines: 4 stand-alone, 3 top, 2 middle, 3 bottom.
    EXPECT_EQ(canvas.OpsOf(QStringLiteral("Rectangle")).size(), 60u);
    EXPECT_EQ(canvas.OpsOf(QStringLiteral("LineTo")).size(), size_t(10 * 4 + 10 * 3 + 30 * 2 + 10 * 3));
}

TEST(ColorSelector, OnlyAColourChangeOfABoxNotifiesTheList)
{
    TColorBoxItems items(nullptr);
    int changes = 0;
    items.OnChange = [&](TObject*) { ++changes; };
    TColorBoxItem* a = items.Add();
    EXPECT_EQ(changes, 0) << "adding is no item change";
    a->SetColor(clRed);
    a->SetColor(clRed);
    a->SetColorBoxPos(ipBottom);
    EXPECT_EQ(changes, 1);
    a->SetEnabled(false);
    TColorBoxItem* b = items.Add();
    b->Assign(a);
    EXPECT_EQ(b->Color(), clRed);
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->ColorBoxPos(), ipStandAlone) << "the position is not copied";
    EXPECT_EQ(changes, 2);
}
