// The item list of the pickers: layout sizes, selection and hot rules, the
// caption lookup, caption placement, state colours as painted, the page size,
// and the type-ahead text.
#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "dropdown/dropdown_draw.h"
#include "dropdown/item_selector.h"
#include "dropdown/type_ahead.h"
#include "platform/core/exceptions.h"
#include "platform/ui/forms.h"

namespace {

QRgb Rgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

struct SelectorFixture {
    TForm form;
    TKvCustomItemSelector* host;
    TCustomItemSelector* panel;
    int selects = 0;
    explicit SelectorFixture(int count, int columns = 1)
    {
        form.SetBounds(0, 0, 300, 300);
        host = new TKvCustomItemSelector(&form);
        host->SetParent(&form);
        host->SetBounds(0, 0, 280, 280);
        host->SetSelectorType(stColor);
        host->SetColumns(columns);
        for (int i = 0; i < count; ++i) host->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(i));
        host->UpdateSelectorPanel();
        host->OnItemSelect = [this](TObject* Sender) {
            EXPECT_EQ(Sender, host);
            ++selects;
        };
        panel = host->SelectorPanel();
    }
    TRect ItemRect(int i)
    {
        TRect r;
        panel->GetItemRect(i, r);
        return r;
    }
};

} // namespace

TEST(ItemSelector, LayoutFillsRowsOfColumnsAndAnEmptyListIsTheDefaultSize)
{
    SelectorFixture f(7, 3);
    TSize item{0, 0};
    f.panel->GetItemSize(item);
    ASSERT_GT(item.cx, 0);
    ASSERT_GT(item.cy, 0);
    TSize panel;
    f.host->GetSelectorPanelSize(panel);
    EXPECT_EQ(panel.cx, 3 * item.cx + 2 * f.panel->OffSetX());
    EXPECT_EQ(panel.cy, 3 * item.cy + 2 * f.panel->OffSetY());
    EXPECT_EQ(f.ItemRect(6), TRect(2, 2 + 2 * item.cy, 2 + item.cx, 2 + 3 * item.cy));
    EXPECT_EQ(f.ItemRect(7), TRect(-1, -1, -1, -1));

    SelectorFixture empty(0);
    empty.host->GetSelectorPanelSize(panel);
    EXPECT_EQ(panel.cx, 100);
    EXPECT_EQ(panel.cy, 50);
}

TEST(ItemSelector, ItemSizeOfColourBoxesAndCaptionsByLayout)
{
    SelectorFixture f(1);
    f.host->Items()->Items(0)->SetCaption(QString());
    TSize s;
    f.panel->GetItemSize(s);
    EXPECT_EQ(s.cx, 14 + 8);
    EXPECT_EQ(s.cy, 14 + 8);
    f.host->OnItemSize = [](TObject*, TSize& Size) { Size = TSize{33, 0}; };
    f.host->UpdateSelectorPanel();
    f.panel->GetItemSize(s);
    EXPECT_EQ(s.cx, 33);
    // A handler answering height 0 leaves no page to step by.
    EXPECT_EQ(f.host->GetVisibleItemCount(), 0);
}

TEST(ItemSelector, NoPageBeforeALayoutAndPagesByTheFirstItemsHeight)
{
    SelectorFixture f(0);
    EXPECT_EQ(f.host->GetVisibleItemCount(), 0);
    // Items added without a layout have no height yet.
    f.host->Items()->Add();
    EXPECT_EQ(f.host->GetVisibleItemCount(), 0);
    f.host->OnItemSize = [](TObject*, TSize& Size) { Size = TSize{50, 20}; };
    f.host->SetColumns(2);
    EXPECT_EQ(f.host->GetVisibleItemCount(), 280 / 20 * 2);
    // A panel wider than the host brings the horizontal bar, which takes 20 pixels.
    f.form.Show();
    f.host->OnItemSize = [](TObject*, TSize& Size) { Size = TSize{500, 20}; };
    f.host->UpdateSelectorPanel();
    ASSERT_TRUE(f.host->HorzScrollBarVisible());
    EXPECT_EQ(f.host->GetVisibleItemCount(), 260 / 20 * 2);
}

TEST(ItemSelector, SelectingScrollsTheItemIntoView)
{
    SelectorFixture f(0);
    f.form.Show();
    f.host->OnItemSize = [](TObject*, TSize& Size) { Size = TSize{50, 40}; };
    for (int i = 0; i < 20; ++i) f.host->Items()->Add();
    f.host->UpdateSelectorPanel();
    ASSERT_TRUE(f.host->VertScrollBarVisible());
    f.host->SetItemIndex(19);
    const int client = f.host->ClientRect().Height();
    EXPECT_EQ(f.host->VertPosition(), 2 + 20 * 40 - client);
    f.host->SetItemIndex(3);
    EXPECT_EQ(f.host->VertPosition(), 2 + 3 * 40);
}

TEST(ItemSelector, StepsStopAtTheEndsAndStartAtTheFirstItem)
{
    struct Case {
        int start;
        void (TKvCustomItemSelector::*step)();
        int expected;
    };
    const Case cases[] = {
        {-1, &TKvCustomItemSelector::SelectNext, 0},   {-1, &TKvCustomItemSelector::SelectPrevious, 0},
        {3, &TKvCustomItemSelector::SelectNext, 3},    {0, &TKvCustomItemSelector::SelectPrevious, 0},
        {1, &TKvCustomItemSelector::SelectNext, 2},    {2, &TKvCustomItemSelector::SelectPrevious, 1},
        {-1, &TKvCustomItemSelector::SelectLast, 3},   {2, &TKvCustomItemSelector::SelectFirst, 0},
    };
    for (const Case& c : cases) {
        SelectorFixture f(4);
        f.panel->SetItemIndex(c.start);
        (f.host->*c.step)();
        EXPECT_EQ(f.host->ItemIndex(), c.expected) << "from " << c.start;
    }
    SelectorFixture f(3);
    f.host->HotPrevious();
    EXPECT_EQ(f.host->ItemHot(), 0);
    f.host->HotNext();
    f.host->HotNext();
    f.host->HotNext();
    EXPECT_EQ(f.host->ItemHot(), 2);
    EXPECT_EQ(f.selects, 0);
}

TEST(ItemSelector, SettingTheSameIndexFiresAgainAndDisabledItemsAreRefused)
{
    SelectorFixture f(3);
    f.host->SetItemIndex(1);
    f.host->SetItemIndex(1);
    EXPECT_EQ(f.selects, 2);
    f.host->Items()->Items(2)->SetEnabled(false);
    f.host->SetItemIndex(2);
    EXPECT_EQ(f.host->ItemIndex(), 1);
    EXPECT_EQ(f.selects, 2);
    f.panel->SetItemHot(2);
    EXPECT_EQ(f.host->ItemHot(), -1);
    // A layout clears the hot item and keeps the selection.
    f.panel->SetItemHot(0);
    f.host->UpdateSelectorPanel();
    EXPECT_EQ(f.host->ItemHot(), -1);
    EXPECT_EQ(f.host->ItemIndex(), 1);
}

TEST(ItemSelector, OnlyItemPropertyChangesNotify)
{
    TSelectorItems items(nullptr);
    int changes = 0;
    items.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &items);
        ++changes;
    };
    TSelectorItem* it = items.Add();
    items.Insert(0);
    EXPECT_EQ(changes, 0);
    it->SetCaption(QStringLiteral("A"));
    it->SetCaption(QStringLiteral("A"));
    it->SetColor(clRed);
    it->SetImageIndex(2);
    it->SetHint(QStringLiteral("h"));
    EXPECT_EQ(changes, 3);
    items.Delete(0);
    EXPECT_EQ(changes, 3);
}

TEST(ItemSelector, LookupMatchesThePlainUpperCaseStartOfCaptions)
{
    SelectorFixture f(0);
    f.host->Items()->Add()->SetCaption(QStringLiteral("Blue"));
    f.host->Items()->Add()->SetCaption(QStringLiteral("  <b>Red</b> colour"));
    f.host->UpdateSelectorPanel();
    const struct {
        const char* text;
        bool found;
    } cases[] = {{"RE", true}, {"RED C", true}, {"COLOUR", false}, {"re", false}, {"", true}};
    for (const auto& c : cases) {
        f.host->SetItemIndex(-1);
        EXPECT_EQ(f.host->LookupItem(QString::fromLatin1(c.text)), c.found) << c.text;
        if (c.found && *c.text) {
            EXPECT_EQ(f.host->ItemIndex(), 1) << c.text;
        }
        if (!c.found) {
            EXPECT_EQ(f.host->ItemIndex(), -1) << c.text;
        }
    }
}

TEST(ItemSelector, PanelNeedsAnItemSelectorOwner)
{
    TForm form;
    try {
        TCustomItemSelector panel(&form);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid parent"));
    }
}

TEST(ItemSelector, CaptionBelowTheColourBoxByTheGap)
{
    SelectorFixture f(1);
    f.host->SetItemLayout(ilCaptionBottom);
    f.host->UpdateSelectorPanel();
    TRecordingCanvas canvas;
    f.panel->DrawItem(0, &canvas);
    const auto boxes = canvas.OpsOf(QStringLiteral("Rectangle"));
    ASSERT_EQ(boxes.size(), 1u);
    int textTop = INT_MAX;
    for (const auto& op : canvas.Ops)
        if (op.Kind.startsWith(QStringLiteral("Text"))) textTop = std::min(textTop, op.R.Top != op.R.Bottom ? op.R.Top : op.Y);
    ASSERT_NE(textTop, INT_MAX);
    EXPECT_EQ(textTop, boxes[0].R.Bottom + f.panel->CaptionGap());
    // Centred horizontally in the item.
    const TRect item = f.ItemRect(0);
    EXPECT_EQ(boxes[0].R.Left, item.Left + 4 + (item.Width() - 8 - 14) / 2);
}

TEST(ItemSelector, HotAndSelectedItemPaintsTheSelectedColours)
{
    SelectorFixture f(3);
    f.form.Show();
    TItemAppearance* a = f.host->ItemAppearance();
    a->SetColorStyle(scCustom);
    a->SetBorderColorTop(clNone);
    a->SetColorHot(clLime);
    a->SetColorHotTo(clNone);
    a->SetColorSelected(clBlue);
    a->SetColorSelectedTo(clNone);
    a->SetBorderColorSelected(clRed);
    f.host->SetItemIndex(1);
    f.panel->SetItemHot(1);
    f.panel->SetItemHot(1);
    f.panel->SetItemHot(0);
    f.panel->SetItemHot(1);
    const QImage shot = f.panel->Snapshot().convertToFormat(QImage::Format_RGB32);
    const TRect r = f.ItemRect(1);
    EXPECT_EQ(shot.pixel(r.Left, r.Top + r.Height() / 2), Rgb(clRed));
    EXPECT_EQ(shot.pixel(r.Right - 2, r.Top + 2), Rgb(clBlue));
    const TRect r0 = f.ItemRect(0);
    EXPECT_EQ(shot.pixel(r0.Right - 2, r0.Top + 2), qRgb(255, 255, 255));
}

TEST(ItemSelector, TypeAheadCollectsKeysUntilTheTimerFromTheFirstKey)
{
    TTypeAhead t;
    EXPECT_FALSE(t.Timer()->Enabled());
    EXPECT_EQ(t.Timer()->Interval(), 500u);
    t.Add('R');
    EXPECT_TRUE(t.Timer()->Enabled());
    EXPECT_EQ(t.Add('E'), QStringLiteral("RE"));
    t.Timer()->Tick();
    EXPECT_FALSE(t.Timer()->Enabled());
    EXPECT_EQ(t.Text(), QString());
    EXPECT_EQ(t.Add('B'), QStringLiteral("B"));
}

TEST(ItemSelector, MouseTracksTheHotItemWithItsHintAndSelectsEnabledItems)
{
    SelectorFixture f(3);
    f.form.Show();
    f.host->Items()->Items(1)->SetHint(QStringLiteral("Second"));
    f.host->Items()->Items(2)->SetEnabled(false);
    f.host->Items()->Items(2)->SetHint(QStringLiteral("Third"));
    const TRect r1 = f.ItemRect(1), r2 = f.ItemRect(2);
    QTest::mouseMove(f.panel, QPoint(r1.Left + 3, r1.Top + 3));
    EXPECT_EQ(f.panel->ItemHot(), 1);
    EXPECT_EQ(f.panel->Hint(), QStringLiteral("Second"));
    QTest::mouseMove(f.panel, QPoint(r2.Left + 3, r2.Top + 3));
    EXPECT_EQ(f.panel->ItemHot(), -1) << "a disabled item is never hot";
    EXPECT_EQ(f.panel->Hint(), QStringLiteral("Third"));
    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(r2.Left + 3, r2.Top + 3));
    EXPECT_EQ(f.host->ItemIndex(), -1);
    QTest::mouseClick(f.panel, Qt::LeftButton, {}, QPoint(r1.Left + 3, r1.Top + 3));
    EXPECT_EQ(f.host->ItemIndex(), 1);
    EXPECT_EQ(f.selects, 1);
    f.panel->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(f.panel->ItemHot(), -1);
}

TEST(ItemSelector, HostWantsArrowsAndAllKeysAndFollowsTheThumb)
{
    SelectorFixture f(0);
    f.form.Show();
    EXPECT_EQ(f.host->Perform(WM_GETDLGCODE), 5);
    f.host->OnItemSize = [](TObject*, TSize& Size) { Size = TSize{50, 40}; };
    for (int i = 0; i < 20; ++i) f.host->Items()->Add();
    f.host->UpdateSelectorPanel();
    f.host->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 123), 0);
    EXPECT_EQ(f.host->VertPosition(), 123);
}

TEST(ItemSelector, CaptionLayoutsPlaceTheCaptionAndTheBox)
{
    struct Case {
        TItemLayout layout;
        // Box and caption top-left relative to the item's inner rectangle; -1: centred.
        int boxX, boxY, textX, textY;
    };
    SelectorFixture f(1);
    TRecordingCanvas probe;
    TSize cs{0, 0};
    probe.Font()->Assign(*f.host->ItemAppearance()->Font());
    DrawHTMLTextEx(&probe, f.host->Items()->Items(0)->Caption(), TRect(0, 0, 1000, 500), cs, nullptr, false, nullptr);
    ASSERT_GT(cs.cx, 0);
    const Case cases[] = {
        {ilCaptionRight, 0, 0, 14 + 4, -1},
        {ilCaptionLeft, cs.cx + 4, 0, 0, -1},
        {ilCaptionTop, -1, cs.cy + 4, 0, 0},
        {ilCaptionBottom, -1, 0, 0, 14 + 4},
    };
    for (const Case& c : cases) {
        f.host->SetItemLayout(c.layout);
        f.host->UpdateSelectorPanel();
        TRect inner = f.ItemRect(0);
        InflateRect(inner, -f.panel->ItemOffSetX(), -f.panel->ItemOffSetY());
        TRecordingCanvas canvas;
        f.panel->DrawItem(0, &canvas);
        const auto boxes = canvas.OpsOf(QStringLiteral("Rectangle"));
        ASSERT_EQ(boxes.size(), 1u);
        const TRecordingCanvas::Op* text = nullptr;
        for (const auto& op : canvas.Ops)
            if (op.Kind.startsWith(QStringLiteral("Text")) && !text) text = &op;
        ASSERT_TRUE(text) << c.layout;
        const int boxX = c.boxX < 0 ? (inner.Width() - 14) / 2 : c.boxX;
        const int textY = c.textY < 0 ? (inner.Height() - cs.cy) / 2 : c.textY;
        EXPECT_EQ(boxes[0].R.Left - inner.Left, boxX) << c.layout;
        EXPECT_EQ(boxes[0].R.Top - inner.Top, c.boxY) << c.layout;
        // The mini-HTML renderer starts a line one pixel inside its rectangle.
        EXPECT_EQ(text->X - inner.Left - 1, c.textX) << c.layout;
        EXPECT_EQ(text->Y - inner.Top, textY) << c.layout;
    }
}

TEST(ItemSelector, PaintingAnAreaDrawsOnlyTheItemsMeetingItWithTheSamePixels)
{
    SelectorFixture f(40, 2);
    f.host->SetItemIndex(21);
    const TRect item = f.ItemRect(20);
    const TRect area(0, item.Top + item.Height() / 2, f.panel->Width(), item.Top + 3 * item.Height());
    auto paint = [&](bool clipped) {
        QImage img(f.panel->Width(), f.panel->Height(), QImage::Format_RGB32);
        img.fill(Qt::white);
        TCanvas c(&img);
        if (clipped) c.SetClipRect(area);
        f.panel->DrawItems(&c);
        return img.copy(area.ToQRect());
    };
    EXPECT_EQ(paint(true), paint(false));
    // The items drawn are those of the three rows the area meets.
    TRecordingCanvas rec(7, 13, 10, f.panel->Width(), f.panel->Height());
    rec.SetClipRect(area);
    f.panel->DrawItems(&rec);
    auto boxes = [&] {
        int n = 0;
        for (const auto& op : rec.OpsOf(QStringLiteral("Rectangle"))) n += op.R.Width() == 14 && op.R.Height() == 14;
        return n;
    };
    EXPECT_EQ(boxes(), 6) << "one colour box per item";
    // Items added after the layout have no place yet: every item is looked at.
    f.host->Items()->Insert(0);
    rec.Clear();
    f.panel->DrawItems(&rec);
    EXPECT_EQ(boxes(), 6);
}

TEST(ItemSelector, ALongListPaintsOnlyItsExposedPart)
{
    SelectorFixture f(0);
    f.form.Show();
    f.host->Items()->BeginUpdate();
    for (int i = 0; i < 5000; ++i) f.host->Items()->Add()->SetCaption(QStringLiteral("Entry %1").arg(i));
    f.host->Items()->EndUpdate();
    f.host->UpdateSelectorPanel();
    f.host->SetItemIndex(4000);
    QApplication::processEvents();
    int drawn = 0;
    f.host->OnDrawItem = [&](TObject*, TCanvas*, TRect, int) { ++drawn; };
    const QImage shot = f.host->grab().toImage();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 40) << "only the rows in the scroll box's view are drawn";
    EXPECT_EQ(shot.size(), QSize(280, 280));
}
