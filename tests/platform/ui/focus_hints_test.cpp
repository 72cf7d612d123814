// Focus changes with their peers, cursors chosen per position, hints, themed
// parts and window placement.
#include "platform/ui/drawing.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {
// A plain mouse move straight to the widget, independent of where earlier
// tests left the pointer and its buttons.
void MoveTo(QWidget* w, const QPoint& p)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

TEST(Focus, EnterAndExitKnowTheOtherControl)
{
    TForm f;
    auto* a = new TEdit(&f);
    a->SetParent(&f);
    auto* b = new TEdit(&f);
    b->SetParent(&f);
    b->SetTop(30);
    std::vector<QString> log;
    auto name = [&](TWinControl* c) { return c == a ? QStringLiteral("a") : c == b ? QStringLiteral("b") : QStringLiteral("-"); };
    a->OnExit = [&](TObject*) { log.push_back(QStringLiteral("exit a to ") + name(a->FocusPeer())); };
    b->OnEnter = [&](TObject*) { log.push_back(QStringLiteral("enter b from ") + name(b->FocusPeer())); };
    f.Show();
    QApplication::setActiveWindow(&f);
    a->SetFocus();
    log.clear();
    b->SetFocus();
    EXPECT_EQ(log, (std::vector<QString>{"exit a to b", "enter b from a"}));
    EXPECT_EQ(f.ActiveControl(), b);
    EXPECT_EQ(Screen->ActiveControl(), b);
    // A hidden or disabled control cannot take the focus.
    a->SetEnabled(false);
    EXPECT_FALSE(a->CanFocus());
    EXPECT_THROW(a->SetFocus(), EInvalidOperation);
    f.Hide();
}

TEST(Cursor, SetCursorMessageChoosesByPosition)
{
    struct TSplitArea : TCustomControl {
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_SETCURSOR) {
                const QPoint p = mapFromGlobal(QCursor::pos());
                if (LastX >= 50) { SetCurrentCursor(crHSplit); m.Result = 1; return; }
                (void)p;
            }
            if (m.Msg == WM_MOUSEMOVE) LastX = GET_X_LPARAM(m.LParam);
            TCustomControl::WndProc(m);
        }
        int LastX = 0;
    };
    TForm f;
    auto* s = new TSplitArea;
    s->SetParent(&f);
    s->SetBounds(0, 0, 100, 40);
    s->SetCursor(crIBeam);
    f.Show();
    MoveTo(s, QPoint(10, 10));
    EXPECT_EQ(s->cursor().shape(), Qt::IBeamCursor);
    s->LastX = 60;
    MoveTo(s, QPoint(70, 10));
    EXPECT_EQ(s->cursor().shape(), Qt::SplitHCursor);
    f.Hide();
    s->SetParent(nullptr);
    delete s;
}

TEST(Hints, HintShowMessageCanChangeOrCancelTheHint)
{
    struct THinted : TCustomControl {
        bool Cancel = false;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == CM_HINTSHOW) {
                auto* info = reinterpret_cast<THintInfo*>(m.LParam);
                info->HintStr = QStringLiteral("cell ") + QString::number(info->CursorPos.X / 10);
                info->HintColor = clYellow;
                m.Result = Cancel ? 1 : 0;
                return;
            }
            TCustomControl::WndProc(m);
        }
    };
    TForm f;
    f.SetShowHint(true);
    auto* h = new THinted;
    h->SetParent(&f);
    h->SetBounds(0, 0, 100, 20);
    h->SetHint(QStringLiteral("plain"));
    f.Show();
    Application->ShowHintFor(h, h->ClientToScreen(TPoint(35, 5)));
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(Application->HintWindow()->isVisible());
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("cell 3"));
    EXPECT_EQ(Application->HintWindow()->Color(), clYellow);
    h->Cancel = true;
    Application->ShowHintFor(h, h->ClientToScreen(TPoint(35, 5)));
    EXPECT_FALSE(Application->HintWindow()->isVisible());
    // ShowHint off on the control's chain: no hint.
    h->Cancel = false;
    f.SetShowHint(false);
    Application->ShowHintFor(h, h->ClientToScreen(TPoint(35, 5)));
    EXPECT_FALSE(Application->HintWindow()->isVisible());
    Application->CancelHint();
    f.Hide();
    h->SetParent(nullptr);
    delete h;

    TBalloonHint balloon;
    balloon.Title = QStringLiteral("Invalid value");
    balloon.Description = QStringLiteral("Enter a number from 1 to 10.");
    TEdit e;
    balloon.ShowHint(&e);
    EXPECT_TRUE(balloon.Showing());
    balloon.HideHint();
    EXPECT_FALSE(balloon.Showing());
}

TEST(Themed, CheckBoxPartsDifferByState)
{
    auto render = [](unsigned states) {
        TBitmap b(20, 20);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(TRect(0, 0, 20, 20));
        DrawThemedPart(b.Canvas(), TRect(2, 2, 15, 15), tpCheckBox, states);
        return b.ToImage();
    };
    const QImage off = render(tsNormal), on = render(tsChecked), disabled = render(tsChecked | tsDisabled);
    EXPECT_FALSE(off == on);
    EXPECT_FALSE(on == disabled);
    // The part stays inside its rectangle.
    EXPECT_EQ(on.pixelColor(18, 18), QColor(Qt::white));
    EXPECT_EQ(on.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_TRUE(ThemesEnabled());
    const TSize sz = ThemedPartSize(tpCheckBox);
    EXPECT_GT(sz.cx, 8);
}

TEST(Windows, PositionMoveHookAndRegions)
{
    TForm f;
    f.SetBounds(0, 0, 200, 100);
    f.SetPosition(poScreenCenter);
    f.Show();
    const TRect area = Screen->WorkAreaRect();
    // Centred up to the window frame the platform adds.
    EXPECT_NEAR(f.Left(), area.Left + (area.Width() - 200) / 2, 4);
    EXPECT_NEAR(f.Top(), area.Top + (area.Height() - 100) / 2, 4);
    int moves = 0;
    const int id = f.AddMoveHook([&](TCustomForm*) { ++moves; });
    f.SetLeft(f.Left() + 10);
    QApplication::processEvents();
    EXPECT_GE(moves, 1);
    f.RemoveMoveHook(id);
    const int before = moves;
    f.SetLeft(f.Left() + 10);
    QApplication::processEvents();
    EXPECT_EQ(moves, before);

    SetWindowRgn(&f, CreateEllipticRgn(0, 0, 200, 100));
    EXPECT_FALSE(f.mask().contains(QPoint(1, 1)));
    EXPECT_TRUE(f.mask().contains(QPoint(100, 50)));
    SetWindowRgn(&f, QRegion());
    EXPECT_TRUE(f.mask().isEmpty());
    EXPECT_TRUE(CreateRoundRectRgn(0, 0, 20, 20, 8, 8).contains(QPoint(10, 10)));
    EXPECT_FALSE(CreateRoundRectRgn(0, 0, 20, 20, 8, 8).contains(QPoint(0, 0)));
    f.SetAlphaBlend(true, 128);
    EXPECT_EQ(f.AlphaBlendValue(), 128);
    // A dialog border fixes the size for the user only.
    f.SetBorderStyle(bsDialog);
    f.SetBounds(f.Left(), f.Top(), 260, 140);
    EXPECT_EQ(f.size(), QSize(260, 140));
    EXPECT_EQ(f.ClientWidth(), 260);
    f.Hide();
}

TEST(Windows, CloseBoxEndsAModalFormWithCancel)
{
    TForm f;
    TCloseAction seen = caNone;
    f.OnClose = [&](TObject*, TCloseAction& a) { seen = a; };
    TModalScope modal([&](TCustomForm*) {
        f.close();   // what the window manager's close box does
        return int(mrNone);
    });
    EXPECT_EQ(f.ShowModal(), mrCancel);
    EXPECT_EQ(seen, caHide);
}

TEST(Windows, PopupFormStylesFromCreateParams)
{
    struct TDropForm : TForm {
        TDropForm() { SetBorderStyle(bsNone); }
        void CreateParams(TCreateParams& p) override
        {
            TForm::CreateParams(p);
            p.ExStyle |= WS_EX_TOPMOST | WS_EX_NOACTIVATE;
        }
    };
    TForm owner;
    owner.Show();
    QApplication::setActiveWindow(&owner);
    TDropForm drop;
    drop.SetBounds(10, 10, 120, 80);
    drop.Show();
    const Qt::WindowFlags f = drop.windowFlags();
    EXPECT_TRUE(f & Qt::FramelessWindowHint);
    EXPECT_TRUE(f & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(f & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(drop.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(drop.ClientRect(), TRect(0, 0, 120, 80));
    EXPECT_TRUE(drop.isVisible());
    drop.Hide();
    owner.Hide();
}

TEST(Hints, DisabledControlShowsItsOwnHint)
{
    // The mouse move reaches the panel under the disabled edit; the edit's hint
    // is the one shown, and the panel's own hint away from it.
    TForm f;
    f.SetShowHint(true);
    f.SetBounds(100, 100, 300, 120);
    auto* panel = new TPanel(&f);
    panel->SetParent(&f);
    panel->SetBounds(0, 0, 300, 100);
    panel->SetHint(QStringLiteral("panel"));
    auto* port = new TEdit(&f);
    port->SetParent(panel);
    port->SetBounds(50, 20, 100, 21);
    port->SetHint(QStringLiteral("Insert the Port of EtherNet/IP (fixed to 44818)"));
    port->SetEnabled(false);
    f.Show();
    // The hint window is as wide as its text, well below the 400-pixel wrapping width.
    const struct {
        QPoint at;
        const char* hint;
        int maxWidth;
    } cases[] = {{QPoint(60, 25), "Insert the Port of EtherNet/IP (fixed to 44818)", 380},
                 {QPoint(200, 70), "panel", 60}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hint);
        Application->CancelHint();
        MoveTo(panel, c.at);
        Application->HintTimerExpired();
        ASSERT_NE(Application->HintWindow(), nullptr);
        EXPECT_TRUE(Application->HintWindow()->isVisible());
        EXPECT_EQ(Application->HintWindow()->Caption().toStdString(), c.hint);
        EXPECT_LT(Application->HintWindow()->Width(), c.maxWidth);
    }
    Application->CancelHint();
    f.Hide();
}

TEST(Hints, PauseThenPerCellHintsFollowTheMouse)
{
    struct TCells : TCustomControl {
        void WndProc(TMessage& m) override
        {
            if (m.Msg == CM_HINTSHOW) {
                auto* info = reinterpret_cast<THintInfo*>(m.LParam);
                const int cell = info->CursorPos.X / 10;
                info->HintStr = QStringLiteral("cell %1").arg(cell);
                info->CursorRect = TRect(cell * 10, 0, cell * 10 + 10, Height());
                return;
            }
            TCustomControl::WndProc(m);
        }
    };
    TForm f;
    f.SetShowHint(true);
    auto* c = new TCells;
    c->SetParent(&f);
    c->SetBounds(0, 0, 100, 20);
    c->SetHint(QStringLiteral("x"));
    f.Show();
    MoveTo(c, QPoint(35, 5));
    EXPECT_TRUE(Application->HintWindow() == nullptr || !Application->HintWindow()->isVisible());
    Application->HintTimerExpired();   // the pause has elapsed
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_TRUE(Application->HintWindow()->isVisible());
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("cell 3"));
    MoveTo(c, QPoint(37, 6));   // same cell: the hint stays
    EXPECT_TRUE(Application->HintWindow()->isVisible());
    MoveTo(c, QPoint(55, 6));   // another cell: asked again after the short pause
    EXPECT_FALSE(Application->HintWindow()->isVisible());
    Application->HintTimerExpired();
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("cell 5"));
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(55, 6));   // a click hides it
    EXPECT_FALSE(Application->HintWindow()->isVisible());
    f.Hide();
    c->SetParent(nullptr);
    delete c;
}
