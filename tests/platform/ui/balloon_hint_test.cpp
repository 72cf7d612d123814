// The balloon as a control's tooltip: what the control answers when the mouse
// rests on it, where the balloon points, and every way it goes away again
// (its timeout, the mouse, the window losing the activation, the tool changing),
// each told to the control once.
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/messages.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {
// A control that answers the balloon's text request and keeps what it was told.
class TTipped : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    QString Title, Text;
    int Icon = 0;
    std::vector<UINT> Told;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_NOTIFY) {
            auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
            Told.push_back(hdr->code);
            if (hdr->code == TTN_GETDISPINFOW) {
                auto* req = reinterpret_cast<TToolTipTextRequest*>(hdr);
                req->Title = Title;
                req->Text = Text;
                req->Icon = Icon;
            }
            m.Result = 0;
            return;
        }
        TCustomControl::WndProc(m);
    }
    int Count(UINT code) const { return int(std::count(Told.begin(), Told.end(), code)); }
};

struct TTipForm {
    TForm form;
    TTipped* tool;
    TBalloonHint balloon;
    TTipForm()
    {
        form.SetBounds(40, 40, 300, 200);
        tool = new TTipped(&form);
        tool->SetParent(&form);
        tool->SetBounds(20, 20, 200, 100);
        form.Show();
        QApplication::setActiveWindow(&form);
        QApplication::processEvents();
        balloon.SetTool(tool);
    }
    ~TTipForm() { balloon.HideHint(); }
    // Rests the mouse on the tool and starts the balloon as the rest timer would.
    bool ActivateAt(const TPoint& client)
    {
        Mouse->SetCursorPos(tool->ClientToScreen(client));
        if (tool->ScreenToClient(Mouse->CursorPos()) != client) return false;
        balloon.ActivateTool();
        return true;
    }
};

// The balloon's own window, while one is open.
TPopupWindow* OpenBalloon()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = dynamic_cast<TPopupWindow*>(w); p && p->IsOpen()) return p;
    return nullptr;
}

} // namespace

TEST(BalloonTool, ShowsTheToolsTitleAndTextPointingAtTheMouse)
{
    TTipForm f;
    f.tool->Title = QStringLiteral("Limits");
    f.tool->Text = QStringLiteral("Enter a number from 1 to 10.");
    f.tool->Icon = 2;
    const TPoint at(60, 40);
    if (!f.ActivateAt(at)) GTEST_SKIP() << "the pointer cannot be placed here";
    ASSERT_TRUE(f.balloon.Showing());
    EXPECT_EQ(f.balloon.Title, QStringLiteral("Limits"));
    EXPECT_EQ(f.balloon.Description, QStringLiteral("Enter a number from 1 to 10."));
    EXPECT_EQ(f.balloon.Icon, 2);
    EXPECT_EQ(f.tool->Count(TTN_GETDISPINFOW), 1);
    EXPECT_EQ(f.tool->Count(TTN_SHOW), 1);
    TPopupWindow* w = OpenBalloon();
    ASSERT_NE(w, nullptr);
    // The stem's tip, 20 pixels in on the balloon's top edge, touches the mouse point.
    const TPoint mouse = f.tool->ClientToScreen(at);
    EXPECT_EQ(w->Left() + 20, mouse.X);
    EXPECT_EQ(w->Top(), mouse.Y);
    // Wide enough for the text in one line beside its margins, and tall enough for two lines.
    EXPECT_GT(w->Width(), QFontMetrics(w->font()).horizontalAdvance(f.balloon.Description));
    EXPECT_GT(w->Height(), 2 * QFontMetrics(w->font()).height());
    // The tool's own control shows the same place: the centre of its bottom edge.
    f.balloon.HideHint();
    f.balloon.ShowHint(f.tool);
    w = OpenBalloon();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(TPoint(w->Left() + 20, w->Top()), f.tool->ClientToScreen(TPoint(100, 100)));
}

TEST(BalloonTool, AnEmptyAnswerShowsNothing)
{
    TTipForm f;
    f.tool->Title = QStringLiteral("Title only");
    if (!f.ActivateAt(TPoint(10, 10))) GTEST_SKIP() << "the pointer cannot be placed here";
    EXPECT_FALSE(f.balloon.Showing());
    EXPECT_EQ(f.tool->Count(TTN_SHOW), 0);
    f.balloon.HideHint();
    EXPECT_EQ(f.tool->Count(TTN_POP), 0);
}

TEST(BalloonTool, EveryWayOfGoingAwayHidesItAndTellsTheToolOnce)
{
    struct Row {
        const char* name;
        int hideAfter;
        std::function<void(TTipForm&)> away;
    };
    const Row rows[] = {
        {"timeout", 60, [](TTipForm& f) { (void)QTest::qWaitFor([&] { return !f.balloon.Showing(); }, 3000); }},
        {"hide", 0, [](TTipForm& f) { f.balloon.HideHint(); }},
        {"press", 0,
         [](TTipForm& f) { QTest::mousePress(f.tool, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10)); }},
        {"deactivate", 0,
         [](TTipForm&) {
             TForm other;
             other.SetBounds(400, 40, 100, 100);
             other.Show();
             QApplication::setActiveWindow(&other);
             QApplication::processEvents();
         }},
        {"tool hidden", 0, [](TTipForm& f) { f.tool->SetVisible(false); }},
        {"tool changed", 0, [](TTipForm& f) { f.balloon.SetTool(nullptr); }},
    };
    for (const Row& r : rows) {
        TTipForm f;
        f.tool->Text = QStringLiteral("text");
        f.balloon.HideAfter = r.hideAfter;
        if (!f.ActivateAt(TPoint(10, 10))) GTEST_SKIP() << "the pointer cannot be placed here";
        ASSERT_TRUE(f.balloon.Showing()) << r.name;
        r.away(f);
        QApplication::processEvents();
        EXPECT_FALSE(f.balloon.Showing()) << r.name;
        EXPECT_EQ(f.tool->Count(TTN_POP), 1) << r.name;
        f.balloon.HideHint();
        EXPECT_EQ(f.tool->Count(TTN_POP), 1) << r.name;
    }
}

TEST(BalloonTool, AnEarlierShowingsTimeoutDoesNotCutTheNextOneShort)
{
    TTipForm f;
    f.tool->Text = QStringLiteral("text");
    f.balloon.HideAfter = 600;
    if (!f.ActivateAt(TPoint(10, 10))) GTEST_SKIP() << "the pointer cannot be placed here";
    QTest::qWait(400);
    f.balloon.HideHint();
    f.balloon.ActivateTool();
    // The first showing's time has run out here; the second one's has not.
    QTest::qWait(300);
    EXPECT_TRUE(f.balloon.Showing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.balloon.Showing(); }, 3000));
}
