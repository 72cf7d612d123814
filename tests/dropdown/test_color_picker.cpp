// The colour drop-down: its constructed state, value and list index, the colour
// texts, the four popup styles with their controls and sizes, picks from each
// style, the key tables of the list and the palette, type-ahead, the wheel, a
// cancelled close, the edit's painting, and pictures of the open popups.
#include "dropdown/color_picker.h"

#include "dropdown/web_colors.h"
#include "dropdown_test_support.h"
#include "grid/kv_string_grid.h"
#include "platform/ui/messages.h"

#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

using TPickerHost = TEditorHost<TKvColorPickerDropDown>;

QRgb Rgb(TColor c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

void Key(TKvColorPickerDropDown* E, WORD Vk) { E->Perform(WM_KEYDOWN, Vk, 0); }

struct TSelectCounter {
    int Count = 0;
    void Bind(TKvColorPickerDropDown* E)
    {
        E->OnSelect = [this](TObject*) { ++Count; };
    }
};

} // namespace

TEST(ColorPicker, ConstructedStateHasTheListOnly)
{
    TPickerHost h;
    auto* e = h.Edit;
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->SelectedColor(), clNone);
    EXPECT_EQ(e->ColorSelectionStyle(), csList);
    EXPECT_EQ(e->ColorValueText(), cvtNone);
    EXPECT_TRUE(e->ShowText());
    EXPECT_EQ(e->Columns(), 1);
    EXPECT_EQ(e->ColorBoxWidth(), 14);
    EXPECT_EQ(e->ColorBoxHeight(), 14);
    EXPECT_EQ(e->Layout(), ilCaptionRight);
    EXPECT_EQ(e->DropDownHeight(), 200);
    EXPECT_FALSE(e->EditorEnabled());
    EXPECT_EQ(e->Cursor(), crArrow);
    EXPECT_TRUE(e->DropDownEnabled());
    EXPECT_FALSE(e->DropDownHeader()->Visible());
    EXPECT_FALSE(e->DropDownFooter()->Visible());
    EXPECT_EQ(e->Colors()->Count(), 0);
    ASSERT_NE(e->ItemSelector(), nullptr);
    EXPECT_EQ(e->ItemSelector()->Parent(), e->DropDownForm());
    EXPECT_EQ(e->ItemSelector()->SelectorType(), stColor);
    EXPECT_EQ(e->Control(), e->ItemSelector());
    EXPECT_EQ(e->ColorSelector(), nullptr);
    EXPECT_EQ(e->ColorCubePanel(), nullptr);
    EXPECT_EQ(e->SpectrumPanel(), nullptr);
    EXPECT_FALSE(e->TypeAhead()->Timer()->Enabled());
    EXPECT_EQ(e->TypeAhead()->Timer()->Interval(), 500u);
    // The component style coloured the picker's own item appearance.
    EXPECT_EQ(e->ItemAppearance()->ColorStyle(), scOffice2007);
}

TEST(ColorPicker, SelectedColorFindsTheFirstNamedColour)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    ASSERT_EQ(e->Colors()->Count(), 16);
    EXPECT_EQ(e->Colors()->Items(0)->Caption(), QStringLiteral("Black"));
    EXPECT_EQ(e->Colors()->Items(15)->Color(), TColor(0xFFFFFF));
    TSelectCounter selects;
    selects.Bind(e);
    e->SetSelectedColor(0x0000FF);
    EXPECT_EQ(e->ItemIndex(), 9);
    EXPECT_EQ(selects.Count, 1);
    for (TColorValueText t : {cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML}) {
        e->SetColorValueText(t);
        EXPECT_EQ(e->SelectedColorText(), QStringLiteral("Red")) << t;
    }
    // A colour outside the list leaves the entry (and, in list style, its caption).
    e->SetSelectedColor(0x123456);
    EXPECT_EQ(e->SelectedColor(), TColor(0x123456));
    EXPECT_EQ(e->ItemIndex(), 9);
    EXPECT_EQ(e->SelectedColorText(), QStringLiteral("Red"));
    EXPECT_EQ(selects.Count, 1);
    e->SetSelectedColor(0x123456);
    EXPECT_EQ(selects.Count, 1) << "an unchanged colour does nothing";
    // Appending keeps what is there.
    e->AddDefaultColors();
    EXPECT_EQ(e->Colors()->Count(), 32);
}

TEST(ColorPicker, ItemIndexIgnoresTheCountAndFiresAlsoForNone)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    TSelectCounter selects;
    selects.Bind(e);
    e->SetItemIndex(12);
    EXPECT_EQ(e->SelectedColor(), TColor(0xFF0000));
    EXPECT_EQ(selects.Count, 1);
    e->SetItemIndex(16);
    EXPECT_EQ(e->ItemIndex(), 12);
    EXPECT_EQ(selects.Count, 1);
    e->SetItemIndex(-1);
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->SelectedColor(), TColor(0xFF0000)) << "no entry keeps the colour";
    EXPECT_EQ(selects.Count, 2);
    e->SetItemIndex(12);
    e->SetItemIndex(12);
    EXPECT_EQ(selects.Count, 4) << "the same entry fires again";
}

TEST(ColorPicker, ColourTextsByValueText)
{
    const struct {
        TColor Color;
        TColorValueText Text;
        const char* Expected;
    } cases[] = {
        {0x4D50C0, cvtHTML, "#C0504D"},   {0x4D50C0, cvtRGB, "Red:192,Green:80,Blue:77"},
        {0x4D50C0, cvtHex, "4D50C0"},     {0x0000FF, cvtHex, "0000FF"},
        {0xFFFF00, cvtWebName, "clWebCyan"}, {0x123456, cvtWebName, "#563412"},
        {0x4D50C0, cvtNone, ""},          {0x000000, cvtWebName, "clWebBlack"},
        {0xFFFFFF, cvtWebName, "clWebWhite"}, {0x8B008B, cvtWebName, "clWebDarkMagenta"},
        {TColor(clWindow), cvtHTML, "#FFFFFF"},
    };
    TPickerHost h;
    auto* e = h.Edit;
    e->SetColorSelectionStyle(csDiscrete);
    for (const auto& c : cases) {
        e->SetColorValueText(c.Text);
        e->SetSelectedColor(c.Color);
        EXPECT_EQ(e->SelectedColorText(), QString::fromLatin1(c.Expected)) << std::hex << c.Color;
    }
}

TEST(ColorPicker, WebColourTableHasTheNamedColoursOnce)
{
    int count = 0;
    const TWebColor* table = WebColors(count);
    ASSERT_EQ(count, 138);
    QSet<QString> names;
    for (int i = 0; i < count; ++i) names.insert(QString::fromLatin1(table[i].Name));
    EXPECT_EQ(names.size(), 138);
    EXPECT_EQ(WebColorName(0x00D7FF), QStringLiteral("clWebGold"));
    EXPECT_EQ(WebColorName(0x00D7FE), QString());
}

TEST(ColorPicker, DiscretePickFromThePaletteGivesTheTexts)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->SetColorSelectionStyle(csDiscrete);
    e->SetColorValueText(cvtHTML);
    TSelectCounter selects;
    selects.Bind(e);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    TCustomColorSelector* s = e->ColorSelector();
    ASSERT_NE(s, nullptr);
    TRect box;
    s->GetItemRect(5, box); // $004D50C0 of the base row
    QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(box.Left + 3, box.Top + 3));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->SelectedColor(), TColor(0x4D50C0));
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_EQ(e->SelectedColorText(), QStringLiteral("#C0504D"));
    EXPECT_GE(selects.Count, 1);
}

TEST(ColorPicker, StylesMakeTheirControlOnFirstUseAndSizeThePopup)
{
    const struct {
        TColorSelectionStyle Style;
        int Width, Height; // of the control
    } cases[] = {{csDiscrete, 165, 84}, {csColorCube, 182, 160}, {csSpectrum, 150, 174}};
    for (const auto& c : cases) {
        TPickerHost h;
        auto* e = h.Edit;
        e->SetColorSelectionStyle(c.Style);
        ASSERT_NE(e->Control(), nullptr) << c.Style;
        EXPECT_NE(e->Control(), e->ItemSelector());
        EXPECT_FALSE(e->ItemSelector()->Visible());
        EXPECT_TRUE(e->Control()->Visible());
        e->ShowDropDown();
        ASSERT_TRUE(e->DroppedDown());
        EXPECT_EQ(e->DropDownForm()->Width(), c.Width + 2) << c.Style;
        EXPECT_EQ(e->DropDownForm()->Height(), c.Height + 2) << c.Style;
        EXPECT_FALSE(e->DropDownForm()->Sizeable());
        e->HideDropDown(true);
    }
    // Back to the list: the other controls are kept, hidden.
    TPickerHost h;
    auto* e = h.Edit;
    e->SetColorSelectionStyle(csColorCube);
    TKvColorCubePanel* cube = e->ColorCubePanel();
    e->SetColorSelectionStyle(csList);
    EXPECT_EQ(e->ColorCubePanel(), cube);
    EXPECT_FALSE(cube->Visible());
    EXPECT_TRUE(e->ItemSelector()->Visible());
    EXPECT_EQ(e->Control(), e->ItemSelector());
}

TEST(ColorPicker, CubeClickSelectsTheCellsColourAndCloses)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->SetItemIndex(3);
    e->SetColorSelectionStyle(csColorCube);
    TSelectCounter selects;
    selects.Bind(e);
    e->ShowDropDown();
    TKvColorCubePanel* cube = e->ColorCubePanel();
    ASSERT_NE(cube, nullptr);
    const auto& cell = cube->Cell(64);
    QTest::mouseClick(cube, Qt::LeftButton, {}, QPoint(cell.X, cell.Y));
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->SelectedColor(), TColor(0xFFFFFF));
    EXPECT_EQ(e->ItemIndex(), -1);
    EXPECT_GE(selects.Count, 1);
    // Opening again shows the picked cell.
    e->ShowDropDown();
    EXPECT_EQ(cube->SelectedIndex(), 64);
    e->HideDropDown(true);
}

TEST(ColorPicker, SpectrumClickBeforeAnyMoveGivesNoColour)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetSelectedColor(0x00FF00);
    e->SetColorSelectionStyle(csSpectrum);
    e->ShowDropDown();
    TKvColorSpectrumPanel* s = e->SpectrumPanel();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->SelectedColor(), TColor(0x00FF00));
    EXPECT_EQ(s->SpectrumImage()->Left(), 11);
    EXPECT_EQ(s->SpectrumImage()->Top(), 10);
    s->SpectrumMouseDown(s->SpectrumImage(), mbLeft, TShiftState(), 5, 5);
    EXPECT_EQ(e->SelectedColor(), clNone);
    EXPECT_FALSE(e->DroppedDown());
    // A move first takes the picture's pixel.
    e->ShowDropDown();
    s->SpectrumMouseMove(s->SpectrumImage(), TShiftState(), 0, 64);
    s->SpectrumMouseDown(s->SpectrumImage(), mbLeft, TShiftState(), 0, 64);
    EXPECT_EQ(e->SelectedColor(), SpectrumColorAt(0, 64));
}

TEST(ColorPicker, ListKeysWithTheOpenPopup)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->SetColumns(3);
    e->SetItemIndex(1);
    TSelectCounter selects;
    selects.Bind(e);
    e->ShowDropDown();
    ASSERT_TRUE(e->DroppedDown());
    TKvCustomItemSelector* list = e->ItemSelector();
    ASSERT_EQ(list->Columns(), 3);
    EXPECT_EQ(list->ItemIndex(), 1);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 4) << "a row down";
    EXPECT_TRUE(e->DroppedDown()) << "moves by keys keep the popup open";
    Key(e, VK_UP);
    EXPECT_EQ(e->ItemIndex(), 1);
    Key(e, VK_UP);
    EXPECT_EQ(e->ItemIndex(), 1) << "no row above";
    Key(e, VK_RIGHT);
    EXPECT_EQ(e->ItemIndex(), 2);
    Key(e, VK_LEFT);
    EXPECT_EQ(e->ItemIndex(), 1);
    Key(e, VK_END);
    EXPECT_EQ(e->ItemIndex(), 15);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 15) << "nothing below the last row";
    Key(e, VK_HOME);
    EXPECT_EQ(e->ItemIndex(), 0);
    const int page = list->GetVisibleItemCount();
    ASSERT_GT(page, 0);
    Key(e, VK_NEXT);
    EXPECT_EQ(e->ItemIndex(), std::min(page, 15));
    Key(e, VK_PRIOR);
    EXPECT_EQ(e->ItemIndex(), 0);
    EXPECT_TRUE(e->DroppedDown());
    const int before = selects.Count;
    // Return with a hot entry picks it and closes.
    list->SelectorPanel()->SetItemHot(7);
    Key(e, VK_RETURN);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 7);
    EXPECT_EQ(selects.Count, before + 1) << "the pick fires; Return adds no second event";
}

TEST(ColorPicker, ListKeysWithTheClosedPopup)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    TSelectCounter selects;
    selects.Bind(e);
    const struct {
        WORD Key;
        int From, To;
    } cases[] = {
        {VK_DOWN, -1, 0}, {VK_DOWN, 3, 4}, {VK_DOWN, 15, 15}, {VK_UP, -1, 0}, {VK_UP, 3, 2}, {VK_UP, 0, 0},
        {VK_HOME, 5, 0},  {VK_END, 5, 15}, {VK_LEFT, 5, 5},   {VK_RIGHT, 5, 5},
    };
    for (const auto& c : cases) {
        e->SetItemIndex(c.From);
        Key(e, c.Key);
        EXPECT_EQ(e->ItemIndex(), c.To) << c.Key << " from " << c.From;
        EXPECT_FALSE(e->DroppedDown());
    }
    selects.Count = 0;
    Key(e, VK_RETURN);
    EXPECT_EQ(selects.Count, 1) << "Return reports the value";
}

TEST(ColorPicker, TypeAheadSearchesTheKeysOfHalfASecond)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->Colors()->Insert(0)->SetCaption(QStringLiteral("Rose"));
    e->ShowDropDown();
    Key(e, 'R');
    EXPECT_EQ(e->ItemIndex(), 0) << "Rose";
    EXPECT_TRUE(e->TypeAhead()->Timer()->Enabled());
    Key(e, 'E');
    EXPECT_EQ(e->ItemIndex(), 10) << "Red: the keys are searched together";
    EXPECT_TRUE(e->DroppedDown());
    e->TypeAhead()->Timer()->Tick();
    EXPECT_TRUE(e->TypeAhead()->Text().isEmpty());
    Key(e, 'B');
    EXPECT_EQ(e->ItemIndex(), 1) << "after the timer a new search starts: Black";
    e->HideDropDown(false);
}

TEST(ColorPicker, CancelledCloseRestoresTheEntryOfTheOpening)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->SetItemIndex(2);
    e->ShowDropDown();
    Key(e, VK_DOWN);
    Key(e, VK_DOWN);
    EXPECT_EQ(e->ItemIndex(), 4);
    Key(e, VK_ESCAPE);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->ItemIndex(), 2);
    EXPECT_EQ(e->SelectedColor(), TColor(0x008000));
    // Escape in the closed editor restores nothing.
    e->SetItemIndex(6);
    Key(e, VK_ESCAPE);
    EXPECT_EQ(e->ItemIndex(), 6);
}

TEST(ColorPicker, PaletteKeysAndCancelInDiscreteStyle)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetColorSelectionStyle(csDiscrete);
    e->SetSelectedColor(0xE1ECEE); // the base colour of column 3
    e->ShowDropDown();
    TCustomColorSelector* s = e->ColorSelector();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ItemIndex(), 2);
    Key(e, VK_DOWN);
    EXPECT_EQ(s->ItemIndex(), 12) << "the first tone below";
    EXPECT_EQ(e->SelectedColor(), s->Items()->Items(12)->Color());
    EXPECT_TRUE(e->DroppedDown());
    Key(e, VK_ESCAPE);
    EXPECT_FALSE(e->DroppedDown());
    EXPECT_EQ(e->SelectedColor(), TColor(0xE1ECEE));
    // A colour the palette does not hold comes back too.
    e->SetSelectedColor(0x123456);
    e->ShowDropDown();
    EXPECT_EQ(s->ItemIndex(), -1);
    Key(e, VK_DOWN);
    EXPECT_EQ(s->ItemIndex(), 0);
    Key(e, VK_ESCAPE);
    EXPECT_EQ(e->SelectedColor(), TColor(0x123456));
    // Closed: Down selects the next box (the editor is not typable).
    Key(e, VK_DOWN);
    EXPECT_EQ(s->ItemIndex(), 0);
    EXPECT_EQ(e->SelectedColor(), TColor(0xFFFFFF));
    Key(e, VK_RIGHT);
    EXPECT_EQ(s->ItemIndex(), 1);
}

TEST(ColorPicker, WheelMovesTheHotEntryOpenAndTheSelectionClosed)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->ShowDropDown();
    e->HandleMouseWheelDown();
    e->HandleMouseWheelDown();
    EXPECT_EQ(e->ItemSelector()->ItemHot(), 1);
    EXPECT_EQ(e->ItemIndex(), -1);
    e->HideDropDown(false);
    e->HandleMouseWheelDown();
    EXPECT_EQ(e->ItemIndex(), 0);
    e->HandleMouseWheelDown();
    e->HandleMouseWheelUp();
    EXPECT_EQ(e->ItemIndex(), 0);
    EXPECT_FALSE(e->DroppedDown());
}

TEST(ColorPicker, EditShowsTheColourBoxAndText)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->AddDefaultColors();
    e->SetSelectedColor(0x0000FF);
    QApplication::processEvents();
    const QImage img = e->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int y = 1 + (e->Height() - 14) / 2 + 7;
    EXPECT_EQ(img.pixel(1 + 4 + 7, y), Rgb(0x0000FF)) << "inside the box";
    EXPECT_EQ(img.pixel(1 + 4, y), qRgb(0, 0, 0)) << "its black frame";
    // The caption beside the box: pixels of another colour than the text's background.
    const int right = e->Width() - e->DropDownButtonWidth() - 2;
    const QRgb background = img.pixel(right - 3, e->Height() / 2);
    int text = 0;
    for (int x = 1 + 4 + 14 + 4; x < right - 3; ++x)
        for (int yy = 3; yy < e->Height() - 3; ++yy)
            if (std::abs(qGray(img.pixel(x, yy)) - qGray(background)) > 80) ++text;
    EXPECT_GT(text, 10) << "the caption beside the box";
    int drawn = 0;
    e->OnDrawSelectedColor = [&](TObject*, TCanvas*, TRect R) {
        ++drawn;
        EXPECT_EQ(R, TRect(1, 1, e->Width() - e->DropDownButtonWidth() - 2, e->Height() - 2));
    };
    (void)e->grab();
    EXPECT_GE(drawn, 1);
}

TEST(ColorPicker, OpenPopupsOfTheFourStylesArePictured)
{
    const struct {
        TColorSelectionStyle Style;
        const char* File;
    } cases[] = {{csList, "color_picker_list.png"},
                 {csDiscrete, "color_picker_palette.png"},
                 {csColorCube, "color_picker_cube.png"},
                 {csSpectrum, "color_picker_spectrum.png"}};
    for (const auto& c : cases) {
        TPickerHost h(60);
        auto* e = h.Edit;
        e->AddDefaultColors();
        e->SetColorValueText(cvtHTML);
        e->SetColorSelectionStyle(c.Style);
        e->SetSelectedColor(0x008000);
        e->ShowDropDown();
        ASSERT_TRUE(e->DroppedDown());
        const QImage popup = SaveOpenPopupSheet(h.Form, e, c.File);
        if (c.Style == csList) {
            TCustomItemSelector* panel = e->ItemSelector()->SelectorPanel();
            TRect r;
            panel->GetItemRect(2, r);
            const QPoint at = panel->mapTo(e->DropDownForm(), QPoint(r.Left + 4 + 7, r.Top + 4 + 7));
            EXPECT_EQ(popup.pixel(at), Rgb(0x008000)) << "the box of the selected Green entry";
            EXPECT_TRUE(e->ItemSelector()->VertScrollBarVisible());
            EXPECT_FALSE(e->ItemSelector()->HorzScrollBarVisible()) << "the popup leaves room for the bar";
        }
        e->HideDropDown(true);
    }
}

TEST(ColorPicker, DestroyedPopupFormTakesTheControlReferences)
{
    TPickerHost h;
    auto* e = h.Edit;
    e->SetColorSelectionStyle(csColorCube);
    ASSERT_NE(e->ColorCubePanel(), nullptr);
    delete e->DropDownForm();
    EXPECT_EQ(e->ItemSelector(), nullptr);
    EXPECT_EQ(e->ColorCubePanel(), nullptr);
    EXPECT_EQ(e->ColorSelector(), nullptr);
    EXPECT_EQ(e->SpectrumPanel(), nullptr);
}

TEST(ColorPicker, GridFindsThePickerByItsRegisteredName)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    auto* picker = dynamic_cast<TKvColorPickerDropDown*>(g->ColorPickerDropDown());
    ASSERT_NE(picker, nullptr);
    picker->AddDefaultColors();
    picker->SetSelectedColor(0x00FF00);
    int fired = 0;
    g->OnColorSelect = [&](TObject*, int, int, TColor Color, const QString& Text) {
        ++fired;
        EXPECT_EQ(Color, TColor(0x00FF00));
        EXPECT_EQ(Text, QStringLiteral("Lime"));
    };
    g->ColorSelect();
    EXPECT_EQ(fired, 1);
}
