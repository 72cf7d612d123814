// Key mapping, posted and sent messages, WndProc dispatch and exceptions at
// the dispatch point.
#include "platform/ui/dialogs.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QWheelEvent>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

TEST(Keys, QtKeysMapToVirtualKeys)
{
    struct Case { int qt; bool keypad; bool right; WORD vk; };
    const Case cases[] = {
        {Qt::Key_A, false, false, 'A'}, {Qt::Key_Z, false, false, 'Z'}, {Qt::Key_0, false, false, '0'},
        {Qt::Key_F2, false, false, VK_F2}, {Qt::Key_F12, false, false, VK_F12},
        {Qt::Key_Return, false, false, VK_RETURN}, {Qt::Key_Enter, true, false, VK_RETURN},
        {Qt::Key_Escape, false, false, VK_ESCAPE}, {Qt::Key_Tab, false, false, VK_TAB},
        {Qt::Key_Backtab, false, false, VK_TAB}, {Qt::Key_Backspace, false, false, VK_BACK},
        {Qt::Key_Delete, false, false, VK_DELETE}, {Qt::Key_Insert, false, false, VK_INSERT},
        {Qt::Key_Home, false, false, VK_HOME}, {Qt::Key_End, false, false, VK_END},
        {Qt::Key_PageUp, false, false, VK_PRIOR}, {Qt::Key_PageDown, false, false, VK_NEXT},
        {Qt::Key_Left, false, false, VK_LEFT}, {Qt::Key_Down, false, false, VK_DOWN},
        {Qt::Key_Space, false, false, VK_SPACE}, {Qt::Key_Shift, false, false, VK_SHIFT},
        {Qt::Key_Control, false, false, VK_CONTROL}, {Qt::Key_Alt, false, false, VK_MENU},
        {Qt::Key_Alt, false, true, VK_RMENU}, {Qt::Key_AltGr, false, false, VK_RMENU},
        {Qt::Key_Period, true, false, VK_DECIMAL}, {Qt::Key_Comma, true, false, VK_DECIMAL},
        {Qt::Key_Period, false, false, VK_OEM_PERIOD}, {Qt::Key_Comma, false, false, VK_OEM_COMMA},
        {Qt::Key_Minus, false, false, VK_OEM_MINUS}, {Qt::Key_Minus, true, false, VK_SUBTRACT},
        {Qt::Key_Plus, true, false, VK_ADD}, {Qt::Key_Asterisk, true, false, VK_MULTIPLY},
        {Qt::Key_Slash, true, false, VK_DIVIDE}, {Qt::Key_5, true, false, VK_NUMPAD5},
        {Qt::Key_Exclam, false, false, '1'}, {Qt::Key_unknown, false, false, 0},
        {Qt::Key_Delete, true, false, VK_DELETE},   // keypad Del with NumLock off
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtKeyToVK(c.qt, c.keypad, c.right), c.vk) << std::hex << c.qt;
    for (WORD vk : {WORD('A'), WORD('7'), WORD(VK_F5), WORD(VK_RETURN), WORD(VK_ESCAPE), WORD(VK_LEFT), WORD(VK_DELETE)})
        EXPECT_EQ(QtKeyToVK(VKToQtKey(vk)), vk) << vk;
}

TEST(Keys, CharactersOfKeyPresses)
{
    struct Case { int key; Qt::KeyboardModifiers mods; QString text; char16_t ch; };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", u'a'},
        {Qt::Key_A, Qt::ShiftModifier, "A", u'A'},
        {Qt::Key_C, Qt::ControlModifier, "", 3},       // Ctrl+C
        {Qt::Key_V, Qt::ControlModifier, "", 0x16},    // Ctrl+V
        {Qt::Key_Return, Qt::NoModifier, "\r", 13},
        {Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
        {Qt::Key_Escape, Qt::NoModifier, "", 27},
        {Qt::Key_Period, Qt::KeypadModifier, ",", u','},  // keypad decimal gives the locale's separator
        {Qt::Key_F2, Qt::NoModifier, "", 0},
    };
    for (const Case& c : cases) {
        QKeyEvent e(QEvent::KeyPress, c.key, c.mods, c.text);
        EXPECT_EQ(KeyEventToChar(&e).unicode(), c.ch) << c.key;
    }
    QKeyEvent kp(QEvent::KeyPress, Qt::Key_Period, Qt::KeypadModifier, QStringLiteral("."));
    EXPECT_EQ(KeyEventToVK(&kp), VK_DECIMAL);
    EXPECT_EQ(ShiftStateFromQt(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton),
              TShiftState(ssShift) | ssCtrl | ssLeft);
}

TEST(Keys, KeyDataCarriesTheScanCode)
{
    // The keypad's decimal key is told apart by bit 0x40 of its scan code (bit 22).
    EXPECT_TRUE(KeyData(VK_DECIMAL, true, false, false, false) & (1u << 22));
    EXPECT_FALSE(KeyData(VK_OEM_PERIOD, false, false, false, false) & (1u << 22));
    EXPECT_EQ(KeyData('A', false, false, false, false), 1u | (0x1Eu << 16));
    EXPECT_TRUE(KeyData(VK_LEFT, false, false, false, false) & (1u << 24));   // extended
    EXPECT_FALSE(KeyData(VK_LEFT, true, false, false, false) & (1u << 24));   // keypad 4 without NumLock
    const uint32_t up = KeyData(VK_RETURN, false, false, true, false);
    EXPECT_TRUE(up & (1u << 31));
    EXPECT_TRUE(up & (1u << 30));

    struct TCharSpy : TCustomControl {
        std::vector<std::pair<WPARAM, LPARAM>> Chars;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_CHAR) Chars.emplace_back(m.WParam, m.LParam);
            TCustomControl::WndProc(m);
        }
    };
    TForm f;
    auto* spy = new TCharSpy;
    spy->SetParent(&f);
    spy->SetTabStop(true);
    f.Show();
    QApplication::setActiveWindow(&f);
    spy->SetFocus();
    QTest::keyClick(spy, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClick(spy, Qt::Key_Period);
    ASSERT_EQ(spy->Chars.size(), 2u);
    EXPECT_EQ(spy->Chars[0].first, WPARAM('.'));
    EXPECT_TRUE(spy->Chars[0].second & (1 << 22));
    EXPECT_FALSE(spy->Chars[1].second & (1 << 22));
    f.Hide();
    spy->SetParent(nullptr);
    delete spy;
}

namespace {
// Records the order in which messages arrive.
class TRecorder : public TCustomControl {
public:
    explicit TRecorder(TComponent* owner = nullptr) : TCustomControl(owner) {}
    std::vector<QString> Log;
    UINT Custom = RegisterWindowMessage(QStringLiteral("GridEditDone"));
    void WndProc(TMessage& m) override
    {
        if (m.Msg == Custom) {
            Log.push_back(QStringLiteral("custom %1").arg(m.WParam));
            return;
        }
        if (m.Msg == WM_USER + 1) {
            Log.push_back(QStringLiteral("handler start"));
            PostMessage(this, Custom, 1);
            PostMessage(this, Custom, 2);
            Log.push_back(QStringLiteral("sent %1").arg(SendMessage(this, WM_USER + 2)));
            Log.push_back(QStringLiteral("handler end"));
            return;
        }
        if (m.Msg == WM_USER + 2) { m.Result = 42; return; }
        if (m.Msg == WM_GETDLGCODE) { m.Result = DLGC_WANTARROWS; return; }
        TCustomControl::WndProc(m);
    }
};
} // namespace

TEST(Messages, PostedMessagesArriveAfterTheHandlerInOrder)
{
    TRecorder r;
    EXPECT_EQ(RegisterWindowMessage(QStringLiteral("GridEditDone")), r.Custom);
    const UINT other = RegisterWindowMessage(QStringLiteral("DTPShiftFocus"));
    EXPECT_NE(other, r.Custom);
    EXPECT_GE(other, 0xC000u);

    r.Perform(WM_USER + 1);
    EXPECT_EQ(r.Log, (std::vector<QString>{"handler start", "sent 42", "handler end"}));
    QApplication::sendPostedEvents();
    EXPECT_EQ(r.Log, (std::vector<QString>{"handler start", "sent 42", "handler end", "custom 1", "custom 2"}));

    // A message posted to a control destroyed meanwhile is dropped.
    auto* gone = new TRecorder;
    PostMessage(gone, gone->Custom, 3);
    delete gone;
    QApplication::sendPostedEvents();
}

TEST(Messages, ExceptionInOnClickIsShownAndTheProgramGoesOn)
{
    TDialogResponder responder;
    TForm f;
    auto* b = new TButton(&f);
    b->SetParent(&f);
    int calls = 0;
    b->OnClick = [&](TObject*) {
        ++calls;
        throw EConvertError(QStringLiteral("'x' is not a valid integer value"));
    };
    f.Show();
    QTest::mouseClick(b->PushButton(), Qt::LeftButton);
    QTest::mouseClick(b->PushButton(), Qt::LeftButton);
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(responder.MessageCount(), 2);
    EXPECT_EQ(responder.Requests[0].Text, QStringLiteral("'x' is not a valid integer value."));
    EXPECT_EQ(responder.Requests[0].DlgType, mtError);
    EXPECT_EQ(responder.Requests[0].Buttons, TMsgDlgButtons(mbOK));

    // EAbort is silent; a standard exception shows its text.
    b->OnClick = [](TObject*) { throw EAbort(QStringLiteral("quiet")); };
    QTest::mouseClick(b->PushButton(), Qt::LeftButton);
    EXPECT_EQ(responder.MessageCount(), 2);
    b->OnClick = [](TObject*) { throw Exception(QStringLiteral("Stop!")); };
    QTest::mouseClick(b->PushButton(), Qt::LeftButton);
    EXPECT_EQ(responder.LastText(), QStringLiteral("Stop!"));   // ends in punctuation: no full stop added
    b->OnClick = [](TObject*) { throw std::runtime_error("disk full"); };
    QTest::mouseClick(b->PushButton(), Qt::LeftButton);
    EXPECT_EQ(responder.LastText(), QStringLiteral("disk full."));
    // A direct call from program code is not a dispatch point: the caller sees the exception.
    EXPECT_THROW(b->Click(), std::runtime_error);
    f.Hide();
}

TEST(Messages, MouseAndKeyboardReachTheVirtualMethods)
{
    TForm f;
    f.SetBounds(0, 0, 200, 200);
    auto* r = new TRecorder(&f);
    r->SetParent(&f);
    r->SetBounds(10, 10, 100, 100);
    r->SetTabStop(true);
    std::vector<QString> log;
    r->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back(QStringLiteral("down %1 %2,%3%4").arg(int(b)).arg(x).arg(y).arg(s.Contains(ssDouble) ? " dbl" : ""));
    };
    r->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) { log.push_back(QStringLiteral("up %1,%2").arg(x).arg(y)); };
    r->OnClick = [&](TObject*) { log.push_back(QStringLiteral("click")); };
    r->OnDblClick = [&](TObject*) { log.push_back(QStringLiteral("dblclick")); };
    r->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { log.push_back(QStringLiteral("key %1").arg(k)); };
    r->OnKeyPress = [&](TObject*, QChar& c) { log.push_back(QStringLiteral("char %1").arg(c)); };
    f.Show();
    QApplication::setActiveWindow(&f);
    QTest::mouseClick(r, Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    EXPECT_EQ(log, (std::vector<QString>{"down 0 5,6", "up 5,6", "click"}));
    log.clear();
    QTest::mouseDClick(r, Qt::LeftButton, Qt::NoModifier, QPoint(7, 8));
    EXPECT_NE(std::find(log.begin(), log.end(), QStringLiteral("dblclick")), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), QStringLiteral("down 0 7,8 dbl")), log.end());
    log.clear();
    r->SetFocus();
    QTest::keyClick(r, Qt::Key_A);
    QTest::keyClick(r, Qt::Key_Down);   // claimed through WM_GETDLGCODE, so it reaches the control
    EXPECT_EQ(log, (std::vector<QString>{"key 65", "char a", QStringLiteral("key %1").arg(VK_DOWN)}));
    f.Hide();
}

TEST(Messages, KeyPressZeroSwallowsAndKeyPreviewComesFirst)
{
    TForm f;
    auto* e = new TEdit(&f);
    e->SetParent(&f);
    std::vector<QString> order;
    f.SetKeyPreview(true);
    f.OnKeyPress = [&](TObject*, QChar& c) {
        order.push_back(QStringLiteral("form"));
        if (c == QLatin1Char('x')) c = QChar();   // the form eats 'x'
    };
    e->OnKeyPress = [&](TObject*, QChar& c) {
        order.push_back(QStringLiteral("edit"));
        if (c == QLatin1Char('b')) c = QLatin1Char('B');   // replaced character goes in
        if (c == QLatin1Char('q')) c = QChar();
    };
    f.Show();
    QApplication::setActiveWindow(&f);
    e->SetFocus();
    QTest::keyClicks(e->LineEdit(), QStringLiteral("abxq"));
    EXPECT_EQ(e->Text(), QStringLiteral("aB"));
    EXPECT_EQ(order, (std::vector<QString>{"form", "edit", "form", "edit", "form", "form", "edit"}));
    f.Hide();
}

TEST(Messages, ChildNotificationsArriveAsCommands)
{
    struct TParentPanel : TPanel {
        std::vector<std::pair<uint16_t, TControl*>> Seen;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_COMMAND) Seen.emplace_back(m.WParamHi(), reinterpret_cast<TControl*>(m.LParam));
            TPanel::WndProc(m);
        }
    } panel;
    auto* e = new TEdit(&panel);
    e->SetParent(&panel);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    e->SetText(QStringLiteral("1"));
    ASSERT_EQ(panel.Seen.size(), 1u);
    EXPECT_EQ(panel.Seen[0].first, EN_CHANGE);
    EXPECT_EQ(panel.Seen[0].second, e);
    EXPECT_EQ(changes, 1);   // reflected back as CN_COMMAND

    auto* c = new TComboBox(&panel);
    c->SetParent(&panel);
    c->Items()->Add(QStringLiteral("a"));
    c->SetDroppedDown(true);
    EXPECT_TRUE(c->DroppedDown());
    EXPECT_EQ(c->Perform(CB_GETDROPPEDSTATE), 1);
    c->SetDroppedDown(false);
    EXPECT_EQ(panel.Seen[1].first, CBN_DROPDOWN);
    EXPECT_EQ(panel.Seen[2].first, CBN_CLOSEUP);
}

TEST(Messages, EditQueriesAndClipboardKeys)
{
    TEdit e;
    e.SetText(QStringLiteral("hello world"));
    e.Perform(EM_SETSEL, 6, 11);
    EXPECT_EQ(e.SelText(), QStringLiteral("world"));
    int s = 0, en = 0;
    e.Perform(EM_GETSEL, WPARAM(&s), LPARAM(&en));
    EXPECT_EQ(s, 6);
    EXPECT_EQ(en, 11);
    e.Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(e.SelLength(), 11);
    e.Perform(EM_LIMITTEXT, 4);
    EXPECT_EQ(e.MaxLength(), 4);
    e.Perform(EM_SETREADONLY, 1);
    EXPECT_TRUE(e.ReadOnly());

    // Ctrl+V arrives as WM_PASTE, which a control can refuse.
    struct TNoPaste : TEdit {
        int Pastes = 0;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_PASTE) { ++Pastes; return; }
            TEdit::WndProc(m);
        }
    } np;
    TForm f;
    np.SetParent(&f);
    f.Show();
    QApplication::setActiveWindow(&f);
    np.SetFocus();
    QTest::keyClick(np.LineEdit(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(np.Pastes, 1);
    np.SetParent(nullptr);
    f.Hide();
}

TEST(Messages, WheelGoesThroughTheFocusedControlUpToTheForm)
{
    TForm f;
    f.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&f);
    panel->SetParent(&f);
    panel->SetBounds(0, 0, 300, 100);
    auto* e = new TEdit(&f);
    e->SetParent(panel);
    std::vector<QString> log;
    f.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint pos, bool& handled) {
        log.push_back(QStringLiteral("form %1 %2,%3").arg(delta).arg(pos.X).arg(pos.Y));
        handled = true;
    };
    panel->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool&) { log.push_back(QStringLiteral("panel")); };
    // A control that handles the raw message itself (as the grid does).
    struct TWheelGrid : TCustomControl {
        int Steps = 0;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_MOUSEWHEEL) { Steps += int16_t(m.WParamHi()) / 120; m.Result = 1; return; }
            TCustomControl::WndProc(m);
        }
    };
    auto* grid = new TWheelGrid;
    grid->SetParent(&f);
    grid->SetBounds(0, 120, 100, 60);
    f.Show();
    QApplication::setActiveWindow(&f);
    e->SetFocus();
    auto wheel = [&](QWidget* w, int delta) {
        const QPoint local(5, 5);
        QWheelEvent ev(QPointF(local), QPointF(w->mapToGlobal(local)), QPoint(), QPoint(0, delta), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &ev);
    };
    wheel(panel, -120);
    const QPoint g = panel->mapToGlobal(QPoint(5, 5));
    EXPECT_EQ(log, (std::vector<QString>{"panel", QStringLiteral("form -120 %1,%2").arg(g.x()).arg(g.y())}));
    wheel(grid, -240);
    EXPECT_EQ(grid->Steps, -2);
    EXPECT_EQ(log.size(), 2u);

    // Unhandled by the form, the wheel goes on to the parent window, as the
    // default window procedure passes it up: a scrolling container takes it.
    f.OnMouseWheel = nullptr;
    panel->OnMouseWheel = nullptr;
    e->SetParent(grid);
    wheel(e->LineEdit(), -120);
    EXPECT_EQ(grid->Steps, -3);
    f.Hide();
    grid->SetParent(nullptr);
    delete grid;
}
