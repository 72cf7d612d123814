// Opening, placing and closing the popup of the drop-down edit.
#include "dropdown_test_support.h"

#include "dropdown/kv_button.h"

#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QApplication>
#include <gtest/gtest.h>

namespace {
const std::vector<TMonitorInfo> kScreen = {{TRect(0, 0, 800, 600), TRect(0, 0, 800, 560), true}};
} // namespace

TEST(DropDownPopup, NewEditorHasItsConstructionState)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    EXPECT_EQ(e->Version(), QStringLiteral("1.2.1.4"));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->DropDownButtonWidth(), 17);
    EXPECT_EQ(e->Button()->Width(), 17);
    EXPECT_EQ(e->UserDropDownWidth(), -1);
    EXPECT_EQ(e->DropPosition(), dpAuto);
    EXPECT_EQ(e->DropDownColor(), TColor(0xF3E5DA)) << "the Office 2007 Luna style is applied";
    EXPECT_EQ(e->SelectionColor(), TColor(0xD7FFFD));
    EXPECT_EQ(e->GetComponentStyle(), tsOffice2007Luna);
    EXPECT_TRUE(e->DefaultHandling());
    EXPECT_TRUE(e->CanUndo());
    EXPECT_TRUE(e->FocusDraw());
    EXPECT_TRUE(e->EditorEnabled());
    EXPECT_FALSE(e->DropDownEnabled());
    ASSERT_NE(e->DropDownForm(), nullptr);
    EXPECT_FALSE(e->DropDownForm()->isVisible());
    EXPECT_TRUE(e->DropDownForm()->CancelOnDeActivate());
    EXPECT_TRUE(e->DropDownForm()->Shadow());
    // The edit's text area ends left of the button.
    EXPECT_LT(e->EditRect().Right, e->Button()->Left());
    EXPECT_GT(e->Button()->Left() + e->Button()->Width(), e->Width() - 5);
}

TEST(DropDownPopup, PlacementByDropPosition)
{
    TScreenLayoutScope screen(kScreen);
    struct Row { const char* Name; TDropPosition Pos; int ExpectedTop; };
    // The control is 25 high and its top lies 30 pixels above the screen's bottom;
    // the popup is 100 + 2 x border high.
    const Row rows[] = {
        {"auto opens above", dpAuto, 570 - 102},
        {"down opens below, partly off screen", dpDown, 570 + 25 - 1},
        {"up opens above", dpUp, 570 - 102},
    };
    for (const Row& r : rows) {
        TDropDownHost h(500, 20, 70);
        h.Edit->SetDropPosition(r.Pos);
        h.Edit->ShowDropDown();
        ASSERT_TRUE(h.Edit->DroppedDown()) << r.Name;
        TDropDownForm* f = h.Edit->DropDownForm();
        EXPECT_EQ(f->Top(), r.ExpectedTop) << r.Name;
        EXPECT_EQ(f->Left(), 20) << r.Name;
        EXPECT_EQ(f->Width(), 160) << r.Name;
        EXPECT_EQ(f->Height(), 102) << r.Name;
        EXPECT_TRUE(GetClassLong(f, GCL_STYLE) & CS_DROPSHADOW) << r.Name;
        EXPECT_EQ(f->OwnerWindow(), h.Form) << r.Name;
        EXPECT_TRUE(f->windowFlags() & Qt::WindowStaysOnTopHint) << r.Name;
    }
    // Room below: auto opens below.
    TDropDownHost h(100, 20, 20);
    h.Edit->ShowDropDown();
    EXPECT_EQ(h.Edit->DropDownForm()->Top(), 120 + 25 - 1);
}

TEST(DropDownPopup, OnlyTheRightEdgeOfTheWorkAreaMovesThePopup)
{
    TScreenLayoutScope screen(kScreen);
    {
        TDropDownHost h(100, 700, 20);
        h.Edit->ShowDropDown();
        EXPECT_EQ(h.Edit->DropDownForm()->Left(), 800 - 160) << "right edge ends at the work area's";
        EXPECT_EQ(h.Edit->DropDownForm()->Top(), 144);
    }
    {
        TDropDownHost h(100, -50, 20);
        h.Edit->ShowDropDown();
        EXPECT_EQ(h.Edit->DropDownForm()->Left(), -50) << "no correction at the left edge";
    }
    {
        // Nothing when the work area starts left of 0.
        TScreenLayoutScope odd({{TRect(-100, 0, 800, 600), TRect(-100, 0, 800, 560), true}});
        TDropDownHost h(100, 700, 20);
        h.Edit->ShowDropDown();
        EXPECT_EQ(h.Edit->DropDownForm()->Left(), 700);
    }
}

TEST(DropDownPopup, AButtonClickOnTheOpenPopupClosesItAndALaterOneReopens)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    ClickWidget(Arrow(e));
    ASSERT_TRUE(e->DroppedDown()) << "the release on the button opens";
    // Pressing the button activates the editor's form first: the popup loses the activation.
    e->DropDownForm()->Perform(WM_ACTIVATE, 0, LPARAM(h.Form));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->DropDownForm()->DeActivateTime(), 100000u);
    h.Clock.Advance(120);
    ClickWidget(Arrow(e));
    EXPECT_FALSE(e->DroppedDown()) << "within 250 ms of the deactivation";
    h.Clock.Advance(131); // 251 ms after the deactivation
    ClickWidget(Arrow(e));
    EXPECT_TRUE(e->DroppedDown());
    // A right click does nothing.
    e->HideDropDown(false);
    h.Clock.Advance(1000);
    ClickWidget(Arrow(e), Qt::RightButton);
    EXPECT_FALSE(e->DroppedDown());
}

TEST(DropDownPopup, TheUserSizeIsRememberedUntilTheWidthIsSetAgain)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->ShowDropDown();
    TDropDownForm* f = e->DropDownForm();
    f->SetBounds(f->Left(), f->Top(), 230, 140);
    e->HideDropDown(false);
    EXPECT_EQ(e->UserDropDownWidth(), 230);
    e->ShowDropDown();
    EXPECT_EQ(f->Width(), 230);
    EXPECT_EQ(f->Height(), 140);
    e->HideDropDown(false);
    e->SetDropDownWidth(0); // unchanged value: nothing is reset
    EXPECT_EQ(e->UserDropDownWidth(), 230);
    e->SetDropDownWidth(190);
    EXPECT_EQ(e->UserDropDownWidth(), -1);
    e->ShowDropDown();
    EXPECT_EQ(f->Width(), 190);
    EXPECT_EQ(f->Height(), 140) << "the height keeps the user's";
}

TEST(DropDownPopup, ThePopupNeverGetsSmallerThan80By50)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetDropDownWidth(30);
    e->SetDropDownHeight(20);
    e->ShowDropDown();
    EXPECT_EQ(e->DropDownForm()->Width(), 80);
    EXPECT_EQ(e->DropDownForm()->Height(), 50);
}

TEST(DropDownPopup, HidingCancelledRestoresTheLastSetTextElseKeeps)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->OnDropUp = [e](TObject*, bool c) { e->DropUps.push_back(c); };
    int beforeUp = 0;
    e->OnBeforeDropUp = [&](TObject*) { ++beforeUp; };
    e->SetText(QStringLiteral("first"));
    e->ShowDropDown();
    e->SetTextDirect(QStringLiteral("typed"));
    e->HideDropDown(true);
    EXPECT_EQ(e->Text(), QStringLiteral("first"));
    e->ShowDropDown();
    e->SetTextDirect(QStringLiteral("typed"));
    e->HideDropDown(false);
    EXPECT_EQ(e->Text(), QStringLiteral("typed"));
    EXPECT_EQ(e->DropUps, (std::vector<bool>{true, false}));
    EXPECT_EQ(beforeUp, 2);
    e->HideDropDown(true); // closed already: nothing
    EXPECT_EQ(e->DropUps.size(), 2u);
}

TEST(DropDownPopup, RefusedDisabledAndReadOnlyEditorsNeverOpen)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->OnDropDown = [](TObject*, bool& accept) { accept = false; };
    e->ShowDropDown();
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_FALSE(e->DropDownForm()->isVisible());
    EXPECT_EQ(e->Befores, 1) << "the content is prepared before the handler refuses";
    e->OnDropDown = nullptr;

    e->SetReadOnly(true);
    e->ShowDropDown();
    ClickWidget(Arrow(e));
    EXPECT_FALSE(e->DroppedDown());
    e->SetReadOnly(false);
    e->SetEnabled(false);
    e->ShowDropDown();
    EXPECT_FALSE(e->DroppedDown());
    e->SetEnabled(true);
    e->ShowDropDown();
    EXPECT_TRUE(e->DroppedDown());
    EXPECT_EQ(e->Panel->Parent(), e->DropDownForm());
    EXPECT_EQ(e->Panel->Align(), alClient);
}

TEST(DropDownPopup, TextWithoutPrefixAndSuffix)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    e->SetPrefix(QStringLiteral("$"));
    e->SetSuffix(QStringLiteral(" EUR"));
    struct Row { const char* Window; const char* Text; };
    const Row rows[] = {
        {"$12345 EUR", "12345"},     // ten characters: characters 2 to 6
        {"$ab", "ab"},                // shorter than the suffix after the prefix: tail kept
        {"ab", "ab"},                 // shorter than the suffix
        {"$12345 USD", "12345"},      // a different tail is cut all the same
        {"12345 EUR", "12345"},       // no prefix to remove
        {"$ EUR", ""},
    };
    for (const Row& r : rows) {
        e->SetTextDirect(QString::fromUtf8(r.Window));
        EXPECT_EQ(e->Text(), QString::fromUtf8(r.Text)) << r.Window;
    }
    e->SetText(QStringLiteral("7"));
    EXPECT_EQ(e->LineEdit()->text(), QStringLiteral("$7 EUR"));
    EXPECT_EQ(e->OldText(), QStringLiteral("7"));
    e->SetTextDirect(QStringLiteral("x"));
    EXPECT_EQ(e->OldText(), QStringLiteral("7")) << "a direct write leaves the remembered value";
}

TEST(DropDownPopup, AssignCopiesOnlyFromAnotherDropDown)
{
    TDropDownHost h;
    TTestDropDown* src = h.Edit;
    src->SetDropDownColor(0x010203);
    src->SetDropDownBorderWidth(3);
    src->SetDropPosition(dpUp);
    src->SetPrefix(QStringLiteral("#"));
    src->SetDropDownButtonWidth(21);
    src->SetDropDownButtonHint(QStringLiteral("Open"));
    src->SetEditorEnabled(false);
    src->DropDownHeader()->SetCaption(QStringLiteral("Head"));
    src->ButtonAppearance()->SetColor(0x0A0B0C);
    src->SetSelectionColorStyle(scWindows7);
    TTestDropDown dst(h.Form);
    dst.Assign(src);
    EXPECT_EQ(dst.DropDownColor(), TColor(0x010203));
    EXPECT_EQ(dst.DropDownBorderWidth(), 3);
    EXPECT_EQ(dst.DropPosition(), dpUp);
    EXPECT_EQ(dst.Prefix(), QStringLiteral("#"));
    EXPECT_EQ(dst.DropDownButtonWidth(), 21);
    EXPECT_EQ(dst.Button()->BWidth(), 21);
    EXPECT_EQ(dst.DropDownButtonHint(), QStringLiteral("Open"));
    EXPECT_FALSE(dst.EditorEnabled());
    EXPECT_EQ(dst.DropDownHeader()->Caption(), QStringLiteral("Head"));
    EXPECT_EQ(dst.ButtonAppearance()->Color(), TColor(0x0A0B0C));
    EXPECT_EQ(dst.SelectionColor(), TColor(0xFCEBDC));
    // Anything else is ignored, not even the inherited assignment runs.
    TEdit plain(h.Form);
    TTestDropDown untouched(h.Form);
    untouched.Assign(&plain);
    EXPECT_EQ(untouched.DropDownColor(), TColor(0xF3E5DA));
}

TEST(DropDownPopup, ReturnIsTabMovesTheFocusOn)
{
    TDropDownHost h;
    TTestDropDown* e = h.Edit;
    TEdit next(h.Form);
    next.SetParent(h.Form);
    next.SetBounds(200, 20, 80, 21);
    e->SetReturnIsTab(true);
    e->SetFocus();
    QApplication::processEvents();
    std::vector<WORD> keys;
    e->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { keys.push_back(k); };
    e->Perform(WM_KEYDOWN, VK_RETURN, 0);
    QApplication::processEvents();
    ASSERT_GE(keys.size(), 1u);
    EXPECT_EQ(keys.front(), WORD(VK_TAB)) << "Return becomes Tab";
}
