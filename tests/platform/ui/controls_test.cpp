// Behaviour of the controls: alignment, labels, combo keys while open, masks,
// check and radio boxes, page control, tree view, timers, scroll bars, and the
// demo form rendered to PNG.
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/drawing.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/menus.h"
#include "platform/ui/stdctrls.h"

#include <QtTest/QTest>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTreeWidget>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyleOptionSlider>
#include <gtest/gtest.h>

TEST(Controls, AlignLaysOutChildrenInTheClassicOrder)
{
    TForm f;
    f.SetBounds(0, 0, 300, 200);
    auto* top = new TPanel(&f);
    top->SetParent(&f);
    top->SetHeight(30);
    top->SetAlign(alTop);
    auto* bottom = new TPanel(&f);
    bottom->SetParent(&f);
    bottom->SetHeight(20);
    bottom->SetAlign(alBottom);
    auto* left = new TPanel(&f);
    left->SetParent(&f);
    left->SetWidth(50);
    left->SetAlign(alLeft);
    auto* client = new TPanel(&f);
    client->SetParent(&f);
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), TRect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 30, 50, 180));
    EXPECT_EQ(client->BoundsRect(), TRect(50, 30, 300, 180));
    int resized = 0;
    client->OnResize = [&](TObject*) { ++resized; };
    f.SetBounds(0, 0, 400, 250);
    EXPECT_EQ(client->BoundsRect(), TRect(50, 30, 400, 230));
    EXPECT_EQ(resized, 1);
    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), TRect(50, 0, 400, 230));
    // Children inherit the parent's font until they get their own.
    f.Font()->SetSize(12);
    EXPECT_EQ(client->Font()->Size(), 12);
    client->Font()->SetColor(clRed);
    f.Font()->SetSize(9);
    EXPECT_EQ(client->Font()->Size(), 12);
    EXPECT_FALSE(client->ParentFont());
}

TEST(Controls, LabelAutoSizeAndAccelerator)
{
    TForm f;
    auto* l = new TLabel(&f);
    l->SetParent(&f);
    l->Font()->SetName(QStringLiteral("DejaVu Sans"));
    l->SetCaption(QStringLiteral("&Name"));
    TBitmap probe(1, 1);
    probe.Canvas()->SetFont(*l->Font());
    EXPECT_EQ(l->Width(), probe.Canvas()->TextWidth(QStringLiteral("Name")));
    EXPECT_EQ(l->Height(), probe.Canvas()->TextHeight(QStringLiteral("Name")));
    const int w = l->Width();
    l->SetCaption(QStringLiteral("&Name of the device"));
    EXPECT_GT(l->Width(), w);
    l->SetWordWrap(true);
    l->SetWidth(40);
    l->AdjustBounds();
    EXPECT_GT(l->Height(), probe.Canvas()->TextHeight(QStringLiteral("N")));
    EXPECT_EQ(l->Width(), 40);

    auto* e = new TEdit(&f);
    e->SetParent(&f);
    l->SetFocusControl(e);
    f.Show();
    QApplication::setActiveWindow(&f);
    auto* other = new TEdit(&f);
    other->SetParent(&f);
    other->SetFocus();
    QTest::keyClick(other->LineEdit(), Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(e->Focused());
    f.Hide();
}

TEST(Controls, ComboKeepsTheKeysWhileDroppedDown)
{
    TForm f;
    auto* c = new TComboBox(&f);
    c->SetParent(&f);
    c->SetStyle(csDropDownList);
    for (const char* s : {"one", "two", "three"}) c->Items()->Add(QString::fromLatin1(s));
    c->SetItemIndex(0);
    std::vector<WORD> keys;
    int selects = 0, closes = 0, drops = 0;
    c->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { keys.push_back(k); };
    c->OnSelect = [&](TObject*) { ++selects; };
    c->OnCloseUp = [&](TObject*) { ++closes; };
    c->OnDropDown = [&](TObject*) { ++drops; };
    f.Show();
    QApplication::setActiveWindow(&f);
    c->SetFocus();
    c->SetDroppedDown(true);
    EXPECT_EQ(drops, 1);
    QWidget* list = c->Combo()->view();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    // The control saw the keys although the list was open.
    EXPECT_EQ(keys, (std::vector<WORD>{VK_DOWN, VK_DOWN, VK_RETURN}));
    EXPECT_FALSE(c->DroppedDown());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), QStringLiteral("three"));
    EXPECT_EQ(selects, 1);
    // Items keep their objects; Text selects the matching item.
    TObject tag;
    c->Items()->AddObject(QStringLiteral("four"), &tag);
    EXPECT_EQ(c->Items()->Objects(3), &tag);
    c->SetText(QStringLiteral("two"));
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(c->Perform(CB_GETCOUNT), 4);
    f.Hide();
}

TEST(Controls, EditableComboFiresOnChangeForTyping)
{
    TForm f;
    auto* c = new TComboBox(&f);
    c->SetParent(&f);
    c->Items()->Add(QStringLiteral("alpha"));
    int changes = 0;
    c->OnChange = [&](TObject*) { ++changes; };
    f.Show();
    QApplication::setActiveWindow(&f);
    c->SetFocus();
    QTest::keyClicks(c->Combo()->lineEdit(), QStringLiteral("ab"));
    EXPECT_EQ(c->Text(), QStringLiteral("ab"));
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(c->ItemIndex(), -1);
    c->SetText(QStringLiteral("alpha"));
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(changes, 2);
    f.Hide();
}

TEST(Controls, MaskEditConvertsTheClassicMask)
{
    struct Case { const char* classic; const char* qt; bool literals; QChar blank; };
    const Case cases[] = {
        {"!90:00:00;1; ", "09:99:99; ", true, QLatin1Char(' ')},
        {"000.000.000.000;1;_", "999.999.999.999;_", true, QLatin1Char('_')},
        {">LL-0000;0;*", ">AA-9999;*", false, QLatin1Char('*')},
        {"\\H\\9aa", "\\H\\9nn;_", true, QLatin1Char('_')},
        {"<>cC", "!xX;_", true, QLatin1Char('_')},
    };
    for (const Case& c : cases) {
        bool lit = false;
        QChar blank;
        EXPECT_EQ(ConvertEditMask(QString::fromLatin1(c.classic), &lit, &blank), QString::fromLatin1(c.qt)) << c.classic;
        EXPECT_EQ(lit, c.literals) << c.classic;
        EXPECT_EQ(blank, c.blank) << c.classic;
    }
    TMaskEdit m;
    m.SetEditMask(QStringLiteral("!90:00:00;1; "));
    m.SetText(QStringLiteral("12:34:56"));
    EXPECT_EQ(m.Text(), QStringLiteral("12:34:56"));
    EXPECT_TRUE(m.IsComplete());
    m.SetText(QString());
    EXPECT_EQ(m.EditText(), QStringLiteral("  :  :  "));
    EXPECT_FALSE(m.IsComplete());
}

TEST(Controls, CheckBoxGrayedAndRadioGroups)
{
    TForm f;
    auto* cb = new TCheckBox(&f);
    cb->SetParent(&f);
    cb->SetAllowGrayed(true);
    std::vector<TCheckBoxState> seen;
    cb->OnClick = [&](TObject*) { seen.push_back(cb->State()); };
    f.Show();
    for (int i = 0; i < 3; ++i) QTest::mouseClick(cb->Box(), Qt::LeftButton);
    EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));

    auto* p1 = new TPanel(&f);
    p1->SetParent(&f);
    auto* a = new TRadioButton(&f);
    a->SetParent(p1);
    auto* b = new TRadioButton(&f);
    b->SetParent(p1);
    auto* other = new TRadioButton(&f);
    other->SetParent(&f);
    a->SetChecked(true);
    other->SetChecked(true);
    QTest::mouseClick(b->Radio(), Qt::LeftButton);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(other->Checked());   // another parent: another group
    f.Hide();
}

TEST(Controls, PageControlTabsAndTreeView)
{
    TForm f;
    auto* pc = new TPageControl(&f);
    pc->SetParent(&f);
    TTabSheet* pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TTabSheet(&f);
        pages[i]->SetPageControl(pc);
        pages[i]->SetCaption(QStringLiteral("Page %1").arg(i));
    }
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    pages[1]->SetTabVisible(false);
    EXPECT_EQ(pages[2]->TabIndex(), 1);
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->ActivePage(), pages[2]);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(pages[2]->Visible());
    EXPECT_FALSE(pages[0]->Visible());

    auto* tv = new TTreeView(&f);
    tv->SetParent(&f);
    TImageList images(16, 16);
    images.AddImage(ResourceImage(QStringLiteral("CHECK_ON")));
    tv->SetImages(&images);
    TTreeNode* root = tv->Items()->AddChild(nullptr, QStringLiteral("Device"));
    int payload = 7;
    TTreeNode* child = tv->Items()->AddChildObject(root, QStringLiteral("Port 1"), &payload);
    tv->Items()->AddChild(root, QStringLiteral("Port 2"));
    child->SetImageIndex(0);
    root->Expand(false);
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(child->Level(), 1);
    EXPECT_EQ(tv->Items()->Count(), 3);
    EXPECT_EQ(child->GetNextSibling()->Text(), QStringLiteral("Port 2"));
    TTreeNode* changed = nullptr;
    tv->OnChange = [&](TObject*, TTreeNode* n) { changed = n; };
    tv->SetSelected(child);
    EXPECT_EQ(changed, child);
    EXPECT_EQ(*static_cast<int*>(tv->Selected()->Data()), 7);
    EXPECT_FALSE(child->Item()->icon(0).isNull());
    child->Delete();
    EXPECT_EQ(root->Count(), 1);
}

TEST(Controls, TabSheetGetsTheClassicDisplayArea)
{
    // The pages' area is what a classic tab control leaves: a tab row of about
    // 20 pixels for an 11-pixel font and a 4-pixel frame, so a page laid out
    // for it (a 28-pixel button at top 205 of a 264-pixel control) is not cut.
    TForm f;
    f.Font()->SetName(QStringLiteral("Verdana"));
    f.Font()->SetHeight(-11);
    auto* pc = new TPageControl(&f);
    pc->SetParent(&f);
    pc->SetBounds(0, 69, 509, 264);
    auto* ts = new TTabSheet(&f);
    ts->SetPageControl(pc);
    ts->SetCaption(QStringLiteral("Language"));
    const int row = pc->TabRowHeight();
    EXPECT_GE(row, 19);
    EXPECT_LE(row, 22);
    EXPECT_EQ(pc->TabBar()->height(), row);
    EXPECT_EQ(ts->BoundsRect(), TRect(4, row + 4, 505, 260));
    EXPECT_EQ(ts->ClientRect(), TRect(0, 0, 501, 256 - row));
    EXPECT_GE(ts->ClientHeight(), 205 + 28);

    pc->SetBounds(0, 0, 289, 193);
    EXPECT_EQ(ts->BoundsRect(), TRect(4, row + 4, 285, 189));

    // A larger font makes a taller tab row, and the page moves down with it.
    f.Font()->SetHeight(-20);
    EXPECT_GT(pc->TabRowHeight(), row);
    EXPECT_EQ(ts->Top(), pc->TabRowHeight() + 4);
    EXPECT_EQ(ts->Height(), 189 - ts->Top());
}

TEST(Controls, TimerByHandAndControlTimers)
{
    TTimer t;
    int ticks = 0;
    t.OnTimer = [&](TObject*) { ++ticks; };
    t.SetEnabled(false);
    t.Tick();
    t.Tick();
    EXPECT_EQ(ticks, 2);
    // An exception in OnTimer is shown, not thrown.
    TDialogResponder r;
    t.OnTimer = [](TObject*) { throw std::runtime_error("late"); };
    t.Tick();
    EXPECT_EQ(r.LastText(), QStringLiteral("late."));

    struct TTicker : TCustomControl {
        std::vector<WPARAM> Ids;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_TIMER) Ids.push_back(m.WParam);
            TCustomControl::WndProc(m);
        }
    } c;
    SetTimer(&c, 5, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.Ids.empty(); }, 1000));
    KillTimer(&c, 5);
    ASSERT_FALSE(c.Ids.empty());
    EXPECT_EQ(c.Ids[0], 5u);
}

TEST(Controls, WindowScrollBarsSendScrollMessages)
{
    struct TScrolled : TCustomControl {
        std::vector<std::pair<int, int>> Msgs;
        void CreateParams(TCreateParams& p) override
        {
            TCustomControl::CreateParams(p);
            p.Style |= WS_VSCROLL;
        }
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_VSCROLL) {
                Msgs.emplace_back(m.WParamLo(), int16_t(m.WParamHi()));
                if (m.WParamLo() == SB_LINEDOWN) SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) + 1);
                return;
            }
            TCustomControl::WndProc(m);
        }
    } s;
    s.SetBorderStyle(bsSingle);
    s.SetBounds(0, 0, 100, 80);
    s.HandleNeeded();
    EXPECT_EQ(s.ClientOrigin(), TPoint(2, 2));
    TScrollInfo si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 50;
    si.nPage = 10;
    si.nPos = 3;
    s.SetScrollInfo(SB_VERT, si);
    EXPECT_TRUE(s.ScrollBarVisible(SB_VERT));
    // The bar is as thick as the system metrics say (17 pixels).
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(GetSystemMetrics(SM_CYHSCROLL), 17);
    EXPECT_EQ(s.ClientRect(), TRect(0, 0, 100 - 4 - GetSystemMetrics(SM_CXVSCROLL), 80 - 4));
    s.Perform(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(s.GetScrollPos(SB_VERT), 4);
    // A range that fits in one page hides the bar.
    si.fMask = SIF_RANGE;
    si.nMax = 5;
    s.SetScrollInfo(SB_VERT, si);
    EXPECT_FALSE(s.ScrollBarVisible(SB_VERT));
    EXPECT_EQ(s.GetScrollPos(SB_VERT), 0);
}

namespace {
// A control with both bars that records its scroll messages.
struct TTwoBars : TCustomControl {
    std::vector<std::pair<UINT, int>> Msgs;
    void CreateParams(TCreateParams& p) override
    {
        TCustomControl::CreateParams(p);
        p.Style |= WS_VSCROLL | WS_HSCROLL;
    }
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
            Msgs.emplace_back(m.Msg, m.WParamLo());
            return;
        }
        TCustomControl::WndProc(m);
    }
    void Ranges()
    {
        TScrollInfo si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMax = 50;
        si.nPage = 10;
        SetScrollInfo(SB_VERT, si);
        SetScrollInfo(SB_HORZ, si);
    }
};
} // namespace

TEST(Controls, ScrollBarPressesEndWithEndScroll)
{
    TTwoBars s;
    s.SetBounds(0, 0, 200, 120);
    s.HandleNeeded();
    s.Ranges();
    s.Show();
    QScrollBar* h = s.findChildren<QScrollBar*>().value(0);
    for (QScrollBar* b : s.findChildren<QScrollBar*>())
        if (b->orientation() == Qt::Horizontal) h = b;
    ASSERT_TRUE(h);
    // An arrow: the line step, then the end when the button comes up.
    QTest::mouseClick(h, Qt::LeftButton, Qt::NoModifier, QPoint(h->width() - 4, h->height() / 2));
    using M = std::vector<std::pair<UINT, int>>;
    EXPECT_EQ(s.Msgs, (M{{WM_HSCROLL, SB_LINEDOWN}, {WM_HSCROLL, SB_ENDSCROLL}}));
    // A thumb drag ends once, after its final position.
    s.Msgs.clear();
    QStyleOptionSlider opt;
    opt.initFrom(h);
    opt.orientation = Qt::Horizontal;
    opt.minimum = h->minimum();
    opt.maximum = h->maximum();
    opt.sliderPosition = opt.sliderValue = h->value();
    opt.pageStep = h->pageStep();
    opt.singleStep = h->singleStep();
    opt.subControls = QStyle::SC_All;
    const QPoint from = h->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, h).center();
    const QPoint to = from + QPoint(30, 0);
    QTest::mousePress(h, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(h, to);
    QTest::mouseRelease(h, Qt::LeftButton, Qt::NoModifier, to);
    ASSERT_FALSE(s.Msgs.empty());
    EXPECT_EQ(s.Msgs.back(), std::make_pair(UINT(WM_HSCROLL), int(SB_ENDSCROLL)));
    EXPECT_EQ(std::count(s.Msgs.begin(), s.Msgs.end(), std::make_pair(UINT(WM_HSCROLL), int(SB_ENDSCROLL))), 1);
}

TEST(Controls, RightToLeftPutsTheVerticalBarLeftAndRunsTheHorizontalBarFromTheRight)
{
    TTwoBars s;
    s.SetBorderStyle(bsSingle);
    s.SetBounds(0, 0, 200, 120);
    s.HandleNeeded();
    s.Ranges();
    auto bars = [&] {
        QScrollBar *v = nullptr, *h = nullptr;
        for (QScrollBar* b : s.findChildren<QScrollBar*>()) (b->orientation() == Qt::Vertical ? v : h) = b;
        return std::make_pair(v, h);
    };
    EXPECT_EQ(s.ClientOrigin(), TPoint(2, 2));
    EXPECT_FALSE(bars().second->invertedAppearance());
    s.SetBiDiMode(bdRightToLeft);
    s.Ranges();
    const auto [v, h] = bars();
    ASSERT_TRUE(v && h);
    EXPECT_EQ(v->geometry().left(), 2);
    EXPECT_EQ(h->geometry().left(), 2 + 17);
    EXPECT_TRUE(h->invertedAppearance());
    EXPECT_EQ(s.ClientOrigin(), TPoint(2 + 17, 2)) << "the client area starts after the bar";
    EXPECT_EQ(s.ClientRect(), TRect(0, 0, 200 - 4 - 17, 120 - 4 - 17));
    // Reading only: text from the right, the bars where they were.
    s.SetBiDiMode(bdRightToLeftNoAlign);
    s.Ranges();
    EXPECT_EQ(s.ClientOrigin(), TPoint(2, 2));
    EXPECT_FALSE(bars().second->invertedAppearance());
}

TEST(Controls, PopupMenuAndModalResultOfButtons)
{
    TPopupMenu menu;
    int clicked = 0;
    TMenuItem* item = menu.CreateItem(QStringLiteral("&Copy"), [&](TObject*) { ++clicked; });
    item->Click();
    item->SetEnabled(false);
    item->Click();
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(menu.Items()->Count(), 1);

    TForm f;
    auto* b = new TButton(&f);
    b->SetParent(&f);
    b->SetModalResult(mrAbort);
    TModalScope modal([&](TCustomForm*) {
        QTest::mouseClick(b->PushButton(), Qt::LeftButton);
        return int(mrNone);
    });
    EXPECT_EQ(f.ShowModal(), mrAbort);
}

TEST(DemoForm, RendersToPng)
{
    TForm f;
    f.SetCaption(QStringLiteral("Demo"));
    f.SetBounds(0, 0, 360, 230);
    f.Font()->SetName(QStringLiteral("Tahoma"));
    auto* group = new TGroupBox(&f);
    group->SetParent(&f);
    group->SetBounds(8, 8, 344, 120);
    group->SetCaption(QStringLiteral("Connection"));
    auto* lbl = new TLabel(&f);
    lbl->SetParent(group);
    lbl->SetBounds(12, 26, 80, 13);
    lbl->SetCaption(QStringLiteral("IP &address:"));
    auto* ip = new TEdit(&f);
    ip->SetParent(group);
    ip->SetBounds(100, 22, 140, 21);
    ip->SetText(QStringLiteral("192.168.2.205"));
    auto* port = new TComboBox(&f);
    port->SetParent(group);
    port->SetBounds(100, 52, 140, 21);
    port->SetStyle(csDropDownList);
    port->Items()->Add(QStringLiteral("Port 1"));
    port->Items()->Add(QStringLiteral("Port 2"));
    port->SetItemIndex(0);
    auto* check = new TCheckBox(&f);
    check->SetParent(group);
    check->SetBounds(100, 84, 140, 17);
    check->SetCaption(QStringLiteral("Read back"));
    check->SetChecked(true);
    auto* panel = new TPanel(&f);
    panel->SetParent(&f);
    panel->SetBounds(8, 136, 344, 40);
    panel->SetCaption(QStringLiteral("Status: ready"));
    auto* ok = new TButton(&f);
    ok->SetParent(&f);
    ok->SetBounds(196, 190, 75, 25);
    ok->SetCaption(QStringLiteral("OK"));
    ok->SetDefault(true);
    auto* cancel = new TButton(&f);
    cancel->SetParent(&f);
    cancel->SetBounds(277, 190, 75, 25);
    cancel->SetCaption(QStringLiteral("Cancel"));
    f.Show();
    QApplication::processEvents();
    const QImage img = f.grab().toImage();
    ASSERT_EQ(img.size(), QSize(360, 230));
    const QString path = QStringLiteral(KV_TEST_BINARY_DIR "/demo_form.png");
    ASSERT_TRUE(img.save(path));
    // Fonts substituted, controls where SetBounds put them.
    EXPECT_EQ(lbl->Font()->ToQFont().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ip->LineEdit()->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ip->mapTo(&f, QPoint(0, 0)), QPoint(108, 30));
    EXPECT_EQ(img.pixelColor(4, 4), ToQColor(clBtnFace));
    // The check box indicator has ink (its mark) near its left end.
    int dark = 0;
    const QPoint cbo = check->mapTo(&f, QPoint(0, 0));
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            if (img.pixelColor(cbo.x() + x, cbo.y() + y).lightness() < 100) ++dark;
    EXPECT_GT(dark, 3);
    f.Hide();
}

TEST(Controls, DisabledControlsShowGreyTextAndTheirDisabledBackground)
{
    // Font and colour set by the program must not hide that a control is disabled.
    struct TCase {
        const char* name;
        bool check;
        TColor font, back, disabledBack;
    };
    const TCase cases[] = {
        {"window edit", false, clWindowText, clWindow, clBtnFace},
        {"red text on window", false, clRed, clWindow, clBtnFace},
        {"yellow edit", false, clBlack, clYellow, clYellow},
        {"check box", true, clBlack, clBtnFace, clBtnFace},
    };
    // The pixel of the text with most ink: the one farthest from the background.
    auto ink = [](const QImage& img, int x0, const QColor& bg) {
        QColor best = bg;
        int bestDist = -1;
        for (int y = 4; y < img.height() - 4; ++y)
            for (int x = x0; x < img.width() - 4; ++x) {
                const QColor c = img.pixelColor(x, y);
                const int d = std::abs(c.red() - bg.red()) + std::abs(c.green() - bg.green()) +
                              std::abs(c.blue() - bg.blue());
                if (d > bestDist) { bestDist = d; best = c; }
            }
        return best;
    };
    auto near = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
               std::abs(a.blue() - b.blue()) < 40;
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TForm f;
        f.SetBounds(0, 0, 200, 60);
        TWinControl* ctl = nullptr;
        if (c.check) {
            auto* b = new TCheckBox(&f);
            b->SetCaption(QStringLiteral("MMMMH"));
            ctl = b;
        } else {
            auto* e = new TEdit(&f);
            e->SetText(QStringLiteral("MMMMH"));
            ctl = e;
        }
        ctl->SetParent(&f);
        ctl->SetBounds(8, 8, 150, 23);
        ctl->Font()->SetHeight(-15);
        ctl->Font()->SetColor(c.font);
        ctl->SetColor(c.back);
        f.Show();
        const int x0 = c.check ? 24 : 4;
        const int bgX = 140, bgY = 11;   // right of the text, inside the frame
        QImage img = ctl->grab().toImage();
        if (!c.check) {
            EXPECT_EQ(img.pixelColor(bgX, bgY).name().toStdString(), ToQColor(c.back).name().toStdString());
        }
        EXPECT_TRUE(near(ink(img, x0, img.pixelColor(bgX, bgY)), ToQColor(c.font)));

        ctl->SetEnabled(false);
        img = ctl->grab().toImage();
        const QColor bg = img.pixelColor(bgX, bgY);
        if (!c.check) {
            EXPECT_EQ(bg.name().toStdString(), ToQColor(c.disabledBack).name().toStdString());
        }
        const QColor text = ink(img, x0, bg);
        EXPECT_TRUE(near(text, ToQColor(clGrayText))) << text.name().toStdString();

        ctl->SetEnabled(true);   // and back to the program's colours
        img = ctl->grab().toImage();
        EXPECT_TRUE(near(ink(img, x0, img.pixelColor(bgX, bgY)), ToQColor(c.font)));
        f.Hide();
    }
}

TEST(Controls, DragAndDropBetweenControls)
{
    TForm f;
    f.SetBounds(0, 0, 300, 100);
    auto* src = new TPanel(&f);
    src->SetParent(&f);
    src->SetBounds(0, 0, 100, 100);
    src->SetDragMode(dmAutomatic);
    auto* dst = new TPanel(&f);
    dst->SetParent(&f);
    dst->SetBounds(150, 0, 100, 100);
    std::vector<QString> log;
    dst->OnDragOver = [&](TObject*, TObject* s, int, int, TDragState st, bool& accept) {
        accept = s == src;
        if (st == dsDragEnter) log.push_back(QStringLiteral("enter"));
    };
    dst->OnDragDrop = [&](TObject*, TObject* s, int x, int y) {
        log.push_back(QStringLiteral("drop %1,%2").arg(x).arg(y));
        EXPECT_EQ(s, src);
    };
    src->OnEndDrag = [&](TObject*, TObject* target, int, int) { log.push_back(target == dst ? "end on dst" : "end nowhere"); };
    int downs = 0;
    src->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
    f.Show();
    QApplication::processEvents();
    QTest::mousePress(src, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(src->Dragging());
    EXPECT_EQ(downs, 0);   // automatic dragging takes the press
    QTest::mouseMove(src, QPoint(170, 20));
    QTest::mouseRelease(src, Qt::LeftButton, Qt::NoModifier, QPoint(170, 20));
    EXPECT_FALSE(src->Dragging());
    EXPECT_EQ(log, (std::vector<QString>{"enter", "drop 20,20", "end on dst"}));

    // A drop where nobody accepts ends the drag without a target.
    log.clear();
    src->BeginDrag(true);
    src->EndDrag(true);
    EXPECT_EQ(log, (std::vector<QString>{"end nowhere"}));
    f.Hide();
}

TEST(Controls, CustomControlPaintsClientAndFrameAndKeepsOutsideDrawing)
{
    struct TRed : TCustomControl {
        int Paints = 0;
        void Paint() override
        {
            ++Paints;
            Canvas()->Brush()->SetColor(clRed);
            Canvas()->FillRect(ClientRect());
        }
    };
    TForm f;
    auto* c = new TRed;
    c->SetParent(&f);
    c->SetBorderStyle(bsSingle);
    c->SetBounds(0, 0, 40, 30);
    f.Show();
    QImage img = c->Snapshot();
    const int paints = c->Paints;
    EXPECT_GE(paints, 1);
    EXPECT_EQ(img.pixelColor(0, 0), ToQColor(clBtnShadow));      // sunken client edge
    EXPECT_EQ(img.pixelColor(1, 1), ToQColor(cl3DDkShadow));
    EXPECT_EQ(img.pixelColor(39, 29), ToQColor(clBtnHighlight));
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::red));           // client (0,0) sits inside the edge
    EXPECT_EQ(c->ClientRect(), TRect(0, 0, 36, 26));

    // Drawing outside Paint: the clip set between calls holds, and the next
    // repaint shows it without running Paint again.
    c->Canvas()->SetClipRect(TRect(0, 0, 5, 5));
    c->Canvas()->Brush()->SetColor(clBlue);
    c->Canvas()->FillRect(TRect(0, 0, 36, 26));
    img = c->Snapshot();
    EXPECT_EQ(img.pixelColor(4, 4), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(12, 12), QColor(Qt::red));
    EXPECT_EQ(c->Paints, paints);
    c->Invalidate();
    img = c->Snapshot();
    EXPECT_EQ(img.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(c->Paints, paints + 1);
    f.Hide();
    c->SetParent(nullptr);
    delete c;
}

TEST(Controls, FontCopiesAreDetachedAndAssignmentNotifies)
{
    TLabel l;
    l.SetCaption(QStringLiteral("Text"));
    const int h = l.Height();
    TFont copy = *l.Font();
    copy.SetSize(30);
    EXPECT_NE(l.Font()->Size(), 30);
    EXPECT_EQ(l.Height(), h);
    *l.Font() = copy;   // goes through Assign: the label resizes
    EXPECT_EQ(l.Font()->Size(), 30);
    EXPECT_GT(l.Height(), h);
    EXPECT_FALSE(l.ParentFont());
}

TEST(Controls, WrappedControlsPaintThroughWmPaint)
{
    // A combo with its own frame drawn over the native painting.
    struct TFramedCombo : TComboBox {
        bool Native = true;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_PAINT) {
                auto* c = reinterpret_cast<TCanvas*>(m.WParam);
                if (Native) TComboBox::WndProc(m);   // the combo paints itself first
                c->Brush()->SetColor(clRed);
                c->FrameRect(ClientRect());
                return;
            }
            TComboBox::WndProc(m);
        }
    };
    TForm f;
    auto* c = new TFramedCombo;
    c->SetParent(&f);
    c->SetBounds(0, 0, 120, 22);
    c->Items()->Add(QStringLiteral("item"));
    c->SetItemIndex(0);
    f.Show();
    QImage img = c->grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(119, 21), QColor(Qt::red));
    EXPECT_NE(img.pixelColor(60, 11), QColor(Qt::red));
    f.Hide();
    c->SetParent(nullptr);
    delete c;
}

TEST(Controls, ChangeScaleScalesPlaceSizeAndAnOwnFont)
{
    TForm f;
    auto* own = new TPanel(&f);
    own->SetParent(&f);
    own->SetBounds(10, 20, 100, 41);
    own->SetParentFont(false);
    own->Font()->SetSize(8);
    auto* inherits = new TPanel(&f);
    inherits->SetParent(&f);
    inherits->SetBounds(3, 5, 50, 25);
    const int inheritedSize = inherits->Font()->Size();

    own->ChangeScale(120, 96);
    EXPECT_EQ(own->BoundsRect(), TRect(13, 25, 13 + 125, 25 + 51)); // 12.5 and 51.25: halves away from zero
    EXPECT_EQ(own->Font()->Size(), 10);
    inherits->ChangeScale(120, 96);
    EXPECT_EQ(inherits->BoundsRect(), TRect(4, 6, 4 + 63, 6 + 31));
    EXPECT_EQ(inherits->Font()->Size(), inheritedSize);

    own->ChangeScale(96, 96);
    EXPECT_EQ(own->BoundsRect(), TRect(13, 25, 13 + 125, 25 + 51));
    EXPECT_EQ(own->Font()->Size(), 10);
}
