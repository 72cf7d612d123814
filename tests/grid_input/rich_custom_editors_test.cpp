// The rich-text cell editor (sub- and superscript, row growth while typing,
// closing when the grid gets the focus back, the cell's RTF kept when nothing
// was typed) and custom editors behind an EditLink over a line edit, in place
// and in the popup form.
#include "edit_fixture.h"

#include "grid_input/edit_link.h"
#include "grid_input/kv_rich_edit.h"

#include <gtest/gtest.h>

namespace {

// A custom editor over a line edit, as an application writes one.
class TLineLink : public TEditLink {
public:
    using TEditLink::TEditLink;
    TEdit* Edit = nullptr;
    int Created = 0;
    void CreateEditor(TWinControl* AParent) override
    {
        ++Created;
        if (!Edit) {
            Edit = new TEdit(AParent);
            Edit->OnKeyDown = [this](TObject* s, WORD& k, TShiftState sh) { EditKeyDown(s, k, sh); };
        }
        Edit->SetParent(AParent);
    }
    // The popup's editor goes while its own key is handled: it is freed once that is done.
    void DestroyEditor() override
    {
        if (Edit) Edit->deleteLater();
        Edit = nullptr;
    }
    TWinControl* GetEditControl() override { return Edit; }
    QString GetEditorValue() override { return Edit ? Edit->Text() : QString(); }
    void SetEditorValue(const QString& S) override
    {
        if (Edit) Edit->SetText(S);
    }
};

// The edit grid with a custom column (the "combo" column turned custom) and a rich-text column.
struct TCustomGridForm : TEditGridForm {
    enum { cCustom = cCombo, cRich = cAfter };
    TLineLink* link;
    TCustomGridForm()
    {
        link = new TLineLink(&form);
        grid->Columns()->Items(cCustom)->SetEditor(edCustom);
        grid->Columns()->Items(cCustom)->SetEditLink(link);
        grid->Columns()->Items(cRich)->SetEditor(edRichEdit);
        for (int r = 1; r < grid->RowCount(); ++r) grid->SetCells(cCustom, r, QStringLiteral("c%1").arg(r));
    }
    bool LinkShown() const { return link->Edit && link->Edit->Visible(); }
    void LinkKey(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(link->Edit->InputWidget(), k, m);
    }
    TKvRichEdit* Rich() const { return grid->InplaceRichEdit(); }
};

} // namespace

TEST(RichCellEditor, SuperAndSubscriptOfTheSelection)
{
    TEditGridForm f;
    TKvRichEdit re(f.grid);
    re.SetPlainText(QStringLiteral("x2"));
    re.SetSelStart(1);
    re.SetSelLength(1);
    re.SelSuperscript();
    EXPECT_TRUE(re.IsSelSuperscript());
    EXPECT_FALSE(re.IsSelNormal());
    EXPECT_FALSE(re.IsSelSubscript());
    re.SelSubscript();
    EXPECT_TRUE(re.IsSelSubscript());
    EXPECT_FALSE(re.IsSelSuperscript());
    re.SelNormal();
    EXPECT_TRUE(re.IsSelNormal());
    EXPECT_FALSE(re.IsSelSuperscript());
    EXPECT_FALSE(re.IsSelSubscript());
    // A rich edit of the grid needs the grid as its owner.
    EXPECT_THROW(TKvRichEdit(&f.form), EKvGridError);
    // The Tab is the editor's to take.
    EXPECT_TRUE(re.Perform(WM_GETDLGCODE) & DLGC_WANTTAB);
}

TEST(RichCellEditor, ACellsRtfSurvivesOpenAndClose)
{
    TCustomGridForm f;
    const QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\\'e9 {\\up4 2}\\par x}");
    f.grid->SetCells(TCustomGridForm::cRich, 2, rtf);
    f.GoTo(TCustomGridForm::cRich, 2);
    f.F2();
    ASSERT_TRUE(f.Rich()->Visible());
    EXPECT_EQ(f.grid->CurrentEditor(), edRichEdit);
    EXPECT_EQ(f.Rich()->PlainText(), QStringLiteral("caf\u00e9 2\nx"));
    EXPECT_EQ(f.Rich()->SelLength(), f.Rich()->PlainText().size()) << "EditSelectAll";
    TRect format;
    f.Rich()->Perform(EM_GETRECT, 0, LPARAM(&format));
    const TRect cell = f.grid->CellRect(f.Disp(TCustomGridForm::cRich), 2);
    EXPECT_EQ(format, TRect(2, 2, cell.Width() - 2, cell.Height() - 2));
    f.grid->HideCellEdit();
    EXPECT_FALSE(f.Rich()->Visible());
    EXPECT_EQ(f.grid->Cells(TCustomGridForm::cRich, 2), rtf);
}

TEST(RichCellEditor, TypingASecondLineGrowsTheRowWithinTheGrid)
{
    struct TCase {
        const char* Name;
        bool Locked;
        int GridHeight;
        bool Grows;
    };
    for (const TCase& c : {TCase{"grows", false, 200, true}, TCase{"locked", true, 200, false},
                           TCase{"the grid's bottom is near", false, 52, false}}) {
        SCOPED_TRACE(c.Name);
        TCustomGridForm f;
        f.grid->SetHeight(c.GridHeight);
        f.grid->SizeWhileTyping()->SetHeight(true);
        int ended = -1;
        f.grid->OnEndRowSize = [&](TObject*, int r) { ended = r; };
        f.GoTo(TCustomGridForm::cRich, 1);
        f.F2();
        TKvRichEdit* re = f.Rich();
        ASSERT_TRUE(re->Visible());
        const int before = f.grid->RowHeights(1);
        if (c.Locked) re->Lock();
        re->SetSelStart(re->PlainText().size());
        re->Perform(WM_CHAR, 13, 0);
        re->Perform(WM_CHAR, 'z', 0);
        const int H = re->RequestedSize().cy;
        if (c.Grows) {
            EXPECT_EQ(f.grid->RowHeights(1), H + 10);
            EXPECT_EQ(re->Height(), H + 9);
            EXPECT_EQ(ended, 1);
        } else {
            EXPECT_EQ(f.grid->RowHeights(1), before);
            EXPECT_EQ(ended, -1);
        }
        re->Unlock();
    }
}

TEST(RichCellEditor, TheGridTakingTheFocusBackClosesTheEditAndStoresIt)
{
    TCustomGridForm f;
    f.GoTo(TCustomGridForm::cRich, 3);
    f.F2();
    TKvRichEdit* re = f.Rich();
    ASSERT_TRUE(re->Visible());
    ASSERT_TRUE(re->Focused());
    re->SelectAll();
    re->Perform(WM_CHAR, 'Q', 0);
    const int done = f.editingDone;
    f.grid->SetFocus();
    EXPECT_FALSE(re->Visible());
    EXPECT_EQ(f.editingDone, done + 1);
    EXPECT_EQ(RTF_To_Plain_Text([&] {
                  const QString c = f.grid->Cells(TCustomGridForm::cRich, 3);
                  std::vector<uint8_t> b;
                  for (QChar ch : c) b.push_back(uint8_t(ch.unicode()));
                  return b;
              }()),
              QStringLiteral("Q"));
    // Moving the focus to another control leaves an open editor alone.
    f.F2();
    ASSERT_TRUE(re->Visible());
    f.other->SetFocus();
    EXPECT_TRUE(re->Visible());
}

TEST(CustomEditor, UpAndDownStayInTheControlOnlyWhenWanted)
{
    for (bool want : {true, false}) {
        SCOPED_TRACE(want);
        TCustomGridForm f;
        f.link->WantKeyUpDown = want;
        f.GoTo(TCustomGridForm::cCustom, 2);
        f.F2();
        ASSERT_TRUE(f.LinkShown());
        EXPECT_EQ(f.link->Edit->Text(), QStringLiteral("c2"));
        EXPECT_EQ(f.grid->EditCtrl, f.link->Edit);
        f.link->Edit->SetText(QStringLiteral("new"));
        f.LinkKey(Qt::Key_Down);
        EXPECT_EQ(f.LinkShown(), want);
        EXPECT_EQ(f.grid->Row(), want ? 2 : 3);
        if (!want) {
            EXPECT_EQ(f.grid->Cells(TCustomGridForm::cCustom, 2), QStringLiteral("new"));
            EXPECT_FALSE(f.link->SubClassed()) << "the key claim is taken back";
        }
    }
}

TEST(CustomEditor, EscapeStoresTheTextFromTheStartAndKeepsTheCell)
{
    TCustomGridForm f;
    f.GoTo(TCustomGridForm::cCustom, 3);
    f.F2();
    ASSERT_TRUE(f.LinkShown());
    f.link->Edit->SetText(QStringLiteral("typed"));
    f.LinkKey(Qt::Key_Escape);
    EXPECT_FALSE(f.LinkShown());
    EXPECT_EQ(f.grid->Cells(TCustomGridForm::cCustom, 3), QStringLiteral("c3"));
    EXPECT_EQ(f.grid->Row(), 3);
    EXPECT_EQ(f.grid->Col(), f.Disp(TCustomGridForm::cCustom));
}

TEST(CustomEditor, EnterAdvancesAndShiftEnterGoesBack)
{
    TCustomGridForm f;
    f.grid->Navigation()->SetAdvanceOnEnter(true);
    const int col = f.Disp(TCustomGridForm::cCustom);
    f.GoTo(TCustomGridForm::cCustom, 2);
    f.F2();
    f.link->Edit->SetText(QStringLiteral("v"));
    f.LinkKey(Qt::Key_Return);
    EXPECT_EQ(f.grid->Cells(TCustomGridForm::cCustom, 2), QStringLiteral("v"));
    EXPECT_EQ(f.grid->Col(), col + 1);
    f.GoTo(TCustomGridForm::cCustom, 2);
    f.F2();
    f.LinkKey(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(f.grid->Col(), col - 1);
}

TEST(CustomEditor, ARefusedValueOpensTheEditorAgain)
{
    TCustomGridForm f;
    f.GoTo(TCustomGridForm::cCustom, 4);
    f.F2();
    f.link->Edit->SetText(QStringLiteral("bad"));
    f.refuse = true;
    f.LinkKey(Qt::Key_Return);
    EXPECT_TRUE(f.LinkShown());
    EXPECT_EQ(f.grid->CurrentEditor(), edCustom);
    EXPECT_EQ(f.grid->Cells(TCustomGridForm::cCustom, 4), QStringLiteral("c4"));
    EXPECT_EQ(f.grid->Row(), 4);
    EXPECT_TRUE(f.grid->LastValidation());
}

TEST(CustomEditor, APopupEditorStoresItsValueOnEnter)
{
    TCustomGridForm f;
    f.link->EditStyle = esPopup;
    f.link->PopupWidth = 150;
    f.link->PopupHeight = 40;
    f.GoTo(TCustomGridForm::cCustom, 1);
    f.F2();
    TCustomForm* popup = f.link->PopupForm();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Name(), QStringLiteral("gridform"));
    EXPECT_EQ(Application->ComponentOwner()->FindComponent(QStringLiteral("gridform")), popup);
    EXPECT_TRUE(popup->Visible());
    EXPECT_EQ(popup->FormStyle(), fsStayOnTop);
    const TRect cell = f.grid->CellRect(f.Disp(TCustomGridForm::cCustom), 1);
    EXPECT_EQ(TPoint(popup->Left(), popup->Top()), f.grid->ClientToScreen(TPoint(cell.Left, cell.Top)));
    EXPECT_EQ(popup->Width(), 150);
    ASSERT_TRUE(f.LinkShown());
    EXPECT_EQ(f.link->Edit->Parent(), popup);
    f.link->Edit->SetText(QStringLiteral("from popup"));
    f.LinkKey(Qt::Key_Return);
    EXPECT_EQ(f.grid->Cells(TCustomGridForm::cCustom, 1), QStringLiteral("from popup"));
    EXPECT_FALSE(popup->Visible());
    EXPECT_EQ(f.link->Edit, nullptr) << "the popup's editor is destroyed";
}

TEST(CustomEditor, AfterAPopupDeactivationTheNextFocusGainStillReopensWithAlwaysEdit)
{
    TCustomGridForm f;
    f.link->EditStyle = esPopup;
    // A text edit first, so that the grid's text editor exists.
    f.GoTo(TEditGridForm::cNormal, 1);
    f.F2();
    f.Key(Qt::Key_Escape);
    f.GoTo(TCustomGridForm::cCustom, 1);
    f.F2();
    TCustomForm* popup = f.link->PopupForm();
    ASSERT_NE(popup, nullptr);
    f.link->Edit->SetText(QStringLiteral("left"));
    // The popup loses the activation.
    ASSERT_TRUE(bool(popup->OnDeactivate));
    popup->OnDeactivate(popup);
    EXPECT_EQ(f.grid->Cells(TCustomGridForm::cCustom, 1), QStringLiteral("left"));
    EXPECT_FALSE(popup->Visible());
    EXPECT_TRUE(f.grid->InvokedFocusChange);
    // The focus it announced reaches the grid and is the last it skips.
    f.grid->Perform(WM_SETFOCUS, 0, 0);
    EXPECT_FALSE(f.grid->InvokedFocusChange);

    f.grid->Navigation()->SetAlwaysEdit(true);
    f.GoTo(TEditGridForm::cNormal, 2);
    f.F2();
    f.Key(Qt::Key_Escape);
    ASSERT_EQ(f.grid->CurrentEditor(), edNormal);
    ASSERT_FALSE(f.EditorShown());
    // A later focus gain from another control opens the text editor again.
    f.grid->Perform(WM_SETFOCUS, WPARAM(f.other), 0);
    EXPECT_TRUE(f.EditorShown());
}

TEST(RichCellEditor, DownAndTabGoBackToTheGrid)
{
    TCustomGridForm f;
    f.grid->SetWordWrap(false);
    f.GoTo(TCustomGridForm::cRich, 2);
    f.F2();
    TKvRichEdit* re = f.Rich();
    ASSERT_TRUE(re->Visible());
    re->SelectAll();
    re->Perform(WM_CHAR, 'd', 0);
    re->Perform(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(re->Visible());
    EXPECT_EQ(f.grid->Row(), 3);
    EXPECT_TRUE(f.grid->Cells(TCustomGridForm::cRich, 2).startsWith(QStringLiteral("{\\rtf1")));

    // With goTabs the Tab moves the current cell and the editor opens there again.
    f.grid->SetOptions(f.grid->Options() | goTabs);
    f.GoTo(TEditGridForm::cNormal, 4);
    f.grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& e) { e = edRichEdit; };
    f.F2();
    ASSERT_TRUE(re->Visible());
    const int col = f.grid->Col();
    re->Perform(WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(f.grid->Col(), col + 1);
    EXPECT_TRUE(re->Visible());
    EXPECT_EQ(f.grid->CurrentEditor(), edRichEdit);
}
