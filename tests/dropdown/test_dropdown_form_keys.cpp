// The popup form's activation rules, hit test and background, and the keys of
// the drop-down edit.
#include "dropdown_test_support.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {
// A dialog owned by a popup (as a picker's colour dialog is).
class TOwnedDialog : public TForm {
public:
    explicit TOwnedDialog(TWinControl* owner) : TForm(nullptr), FOwnerWnd(owner) {}
protected:
    void CreateParams(TCreateParams& p) override
    {
        TForm::CreateParams(p);
        p.WndParent = FOwnerWnd;
    }
private:
    TWinControl* FOwnerWnd;
};
} // namespace

TEST(DropDownForm, DeactivationClosesUnlessAWindowOfThePopupTookOver)
{
    struct Row {
        const char* Name;
        bool CancelOnDeActivate, Block, OwnedDialog;
        bool StaysOpen, Stamped, Restored;
    };
    const Row rows[] = {
        {"outside window cancels", true, false, false, false, true, true},
        {"outside window without cancelling", false, false, false, false, true, false},
        {"dialog owned by the popup", true, false, true, true, true, false},
        {"blocked activation", true, true, false, true, false, false},
    };
    for (const Row& r : rows) {
        TDropDownHost h;
        TTestDropDown* e = h.Edit;
        e->SetText(QStringLiteral("kept"));
        e->ShowDropDown();
        ASSERT_TRUE(e->DroppedDown()) << r.Name;
        e->SetTextDirect(QStringLiteral("changed"));
        TDropDownForm* f = e->DropDownForm();
        f->SetCancelOnDeActivate(r.CancelOnDeActivate);
        f->SetBlockActivate(r.Block);
        h.Clock.Advance(500);
        TForm other;
        TOwnedDialog dialog(f);
        dialog.HandleNeeded();
        TControl* taker = r.OwnedDialog ? static_cast<TControl*>(&dialog) : &other;
        f->Perform(WM_ACTIVATE, 0, LPARAM(taker));
        EXPECT_EQ(e->DroppedDown(), r.StaysOpen) << r.Name;
        EXPECT_EQ(f->isVisible(), r.StaysOpen) << r.Name;
        EXPECT_EQ(f->DeActivateTime(), r.Stamped ? 100500u : 0u) << r.Name;
        EXPECT_EQ(e->Text(), r.Restored ? QStringLiteral("kept") : QStringLiteral("changed")) << r.Name;
    }
}

TEST(DropDownForm, HitTestDialogCodeAndOwnerCaption)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->ShowDropDown();
    TDropDownForm* f = e->DropDownForm();
    EXPECT_EQ(f->Perform(WM_GETDLGCODE), LRESULT(5));
    const TPoint o = f->ClientToScreen(TPoint(0, 0));
    auto hit = [&](int x, int y) { return f->Perform(WM_NCHITTEST, 0, MAKELPARAM(unsigned(o.X + x), unsigned(o.Y + y))); };
    EXPECT_EQ(hit(f->Width() - 5, f->Height() - 5), LRESULT(0)) << "not sizeable";
    f->SetSizeable(true);
    EXPECT_EQ(hit(f->Width() - 5, f->Height() - 5), LRESULT(HTBOTTOMRIGHT));
    EXPECT_EQ(hit(f->Width() - 10, f->Height() - 5), LRESULT(0)) << "the zone is the last 9 pixels";
    EXPECT_EQ(hit(f->Width() - 5, f->Height() - 10), LRESULT(0));
    EXPECT_EQ(f->GetParentWnd(), h.Form);
    // The grip sizes the popup, and the editor hears about it.
    int sizing = 0;
    struct Spy : TTestDropDown { using TTestDropDown::TTestDropDown; };
    f->OnSizing = [&](TObject*) { ++sizing; };
    const int w = f->Width();
    f->Perform(WM_LBUTTONDOWN, 0, MAKELPARAM(unsigned(w - 3), unsigned(f->Height() - 3)));
    f->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(unsigned(w + 17), unsigned(f->Height() - 3)));
    f->Perform(WM_LBUTTONUP, 0, MAKELPARAM(unsigned(w + 17), unsigned(f->Height() - 3)));
    EXPECT_EQ(f->Width(), w + 20);
    EXPECT_GE(sizing, 1);
}

TEST(DropDownForm, BackgroundIsSolidOrStripedInsideTheBorder)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetDropDownColor(0x00FF00);
    e->SetDropDownColorTo(clNone);
    e->SetDropDownBorderColor(0x0000FF);
    e->SetDropDownBorderWidth(2);
    e->ShowDropDown();
    TDropDownForm* f = e->DropDownForm();
    f->SetBounds(f->Left(), f->Top(), 100, 60);
    QImage img(100, 60, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        TCanvas c(&img);
        f->DrawBackground(&c);
    }
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black)) << "the pen is inset by width div 2";
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(50, 30), QColor(Qt::green));
    // A gradient from black to blue changes from left to right.
    e->SetDropDownColor(0x000000);
    e->SetDropDownColorTo(0xFF0000);
    e->SetDropDownBorderWidth(0);
    {
        TCanvas c(&img);
        f->DrawBackground(&c);
    }
    EXPECT_LT(img.pixelColor(5, 30).blue(), 20);
    EXPECT_GT(img.pixelColor(94, 30).blue(), 230);
    EXPECT_EQ(img.pixelColor(94, 5), img.pixelColor(94, 55));
}

// ---------------------------------------------------------------- keys
TEST(DropDownKeys, KeysOpenAndCloseThePopup)
{
    struct Row { const char* Name; bool Open; bool Posted; int Vk; Qt::Key Key; Qt::KeyboardModifiers Mods; bool ExpectOpen; bool Restored; };
    const Row rows[] = {
        {"Alt+Down opens", false, false, 0, Qt::Key_Down, Qt::AltModifier, true, false},
        {"Alt+Up closes", true, false, 0, Qt::Key_Up, Qt::AltModifier, false, false},
        {"F4 opens", false, false, 0, Qt::Key_F4, Qt::NoModifier, true, false},
        {"F4 closes", true, false, 0, Qt::Key_F4, Qt::NoModifier, false, false},
        {"Return closes", true, false, 0, Qt::Key_Return, Qt::NoModifier, false, false},
        {"Escape cancels", true, false, 0, Qt::Key_Escape, Qt::NoModifier, false, true},
        {"posted F4 opens", false, true, VK_F4, Qt::Key_unknown, Qt::NoModifier, true, false},
        {"posted Return closes", true, true, VK_RETURN, Qt::Key_unknown, Qt::NoModifier, false, false},
        {"posted Escape cancels", true, true, VK_ESCAPE, Qt::Key_unknown, Qt::NoModifier, false, true},
        {"plain Down does nothing", false, false, 0, Qt::Key_Down, Qt::NoModifier, false, false},
    };
    for (const Row& r : rows) {
        TDropDownHost h;
        TTestDropDown* e = h.Edit;
        e->SetText(QStringLiteral("old"));
        if (r.Open) e->ShowDropDown();
        e->SetTextDirect(QStringLiteral("new"));
        if (r.Posted) {
            PostMessage(e, WM_KEYDOWN, WPARAM(r.Vk), 0);
            QApplication::processEvents();
        } else {
            QTest::keyClick(e->LineEdit(), r.Key, r.Mods);
        }
        EXPECT_EQ(e->DroppedDown(), r.ExpectOpen) << r.Name;
        EXPECT_EQ(e->Text(), r.Restored ? QStringLiteral("old") : QStringLiteral("new")) << r.Name;
    }
}

TEST(DropDownKeys, EscapeIsClaimedWhileOpenWhenItIsNotUndone)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetCanUndo(false);
    EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_ESCAPE), LRESULT(0));
    e->ShowDropDown();
    EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_ESCAPE), LRESULT(1));
    EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_RETURN), LRESULT(0));
    // With undo the Escape selects the value and clears the modified state.
    e->SetCanUndo(true);
    e->SetTextDirect(QStringLiteral("abc"));
    e->SetModified(true);
    EXPECT_EQ(e->Perform(CM_WANTSPECIALKEY, VK_ESCAPE), LRESULT(0));
    EXPECT_EQ(e->SelLength(), 3);
    EXPECT_FALSE(e->Modified());
    // Without a parent form nothing at all happens.
    TTestDropDown loose(nullptr);
    EXPECT_EQ(loose.Perform(CM_WANTSPECIALKEY, VK_ESCAPE), LRESULT(0));
}

TEST(DropDownKeys, WithTheEditorDisabledOnlyReturnEscapeAndF4Act)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetEditorEnabled(false);
    e->SetTextDirect(QStringLiteral("value"));
    int keyDowns = 0;
    e->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };
    QTest::keyClick(e->LineEdit(), Qt::Key_X);
    QTest::keyClick(e->LineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(e->Text(), QStringLiteral("value"));
    EXPECT_EQ(keyDowns, 0) << "dropped keys reach no key event";
    QTest::keyClick(e->LineEdit(), Qt::Key_F4);
    EXPECT_TRUE(e->DroppedDown());
    QTest::keyClick(e->LineEdit(), Qt::Key_Return);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(keyDowns, 1) << "Return goes on to the key event";
    // A press on the non-editable edit opens the popup.
    h.Clock.Advance(1000);
    QTest::mouseClick(e->LineEdit(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(e->DroppedDown());
}

TEST(DropDownKeys, KeysTypedInTheContentReachTheEdit)
{
    TDropDownHost h(0, 20, 20, true);
    TTestDropDown* e = h.Edit;
    e->SetTextDirect(QStringLiteral("ab"));
    e->LineEdit()->end(false);
    e->ShowDropDown();
    ASSERT_NE(e->ContentEdit, nullptr);
    QTest::keyClick(e->ContentEdit->LineEdit(), Qt::Key_C);
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
    QTest::keyClick(e->ContentEdit->LineEdit(), Qt::Key_Return);
    EXPECT_FALSE(e->DroppedDown()) << "Return in the content closes the popup";
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
}

TEST(DropDownKeys, ReturnAsACharacterIsDroppedAndCanGoToTheParent)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    std::vector<WORD> parentKeys;
    h.Form->SetKeyPreview(false);
    h.Form->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { parentKeys.push_back(k); };
    int presses = 0;
    e->OnKeyPress = [&](TObject*, QChar& k) { if (k == QChar(13)) ++presses; };
    e->Perform(WM_CHAR, 13, 0);
    QApplication::processEvents();
    EXPECT_EQ(presses, 1);
    EXPECT_TRUE(parentKeys.empty()) << "default handling keeps it";
    e->SetDefaultHandling(false);
    e->Perform(WM_CHAR, 13, 0);
    QApplication::processEvents();
    EXPECT_EQ(parentKeys, std::vector<WORD>{VK_RETURN});
}
