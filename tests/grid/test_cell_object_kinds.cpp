// The kinds of cell graphics: replacement by a new kind, base-cell lookups,
// the angle and colour rules, radio-group stepping, balloons on check boxes,
// and the expand and graphic rectangles.
#include <gtest/gtest.h>

#include "grid/kv_string_grid.h"
#include "platform/ui/forms.h"

#include "counting_grid.h"


TEST(CellObjectKinds, ANewKindReplacesTheOldAndRemoveOnlyTakesItsOwn)
{
    TForm form;
    auto* g = new TCountingGrid(&form);
    const int before = g->Changes;
    g->AddComment(1, 1, QStringLiteral("note"));
    EXPECT_GE(g->Changes - before, 1);   // the writes go through the change hook
    EXPECT_EQ(g->Cells(1, 1), QString());
    EXPECT_EQ(g->CellComment(1, 1), QStringLiteral("note"));
    EXPECT_FALSE(g->RemoveBitmap(1, 1));   // a comment is no bitmap
    TBitmap* b = g->CreateBitmap(1, 1, false, haLeft, vaTop);
    EXPECT_EQ(g->GetBitmap(1, 1), b);
    EXPECT_EQ(g->CellComment(1, 1), QString());
    EXPECT_EQ(g->GetCellImageRef(1, 1), reinterpret_cast<intptr_t>(b));
    EXPECT_TRUE(g->RemoveBitmap(1, 1));
    EXPECT_FALSE(g->HasBitmap(1, 1));
    EXPECT_EQ(g->GetCellImageRef(1, 1), -1);

    TBitmap own;
    g->AddBitmap(2, 2, &own, true, haLeft, vaTop);
    g->RemoveBitmap(2, 2);   // the caller's bitmap stays the caller's
    EXPECT_EQ(own.Width(), own.Width());

    g->SetCellComment(3, 3, QStringLiteral("a"));
    g->SetCellComment(3, 3, QStringLiteral("b"));
    EXPECT_EQ(g->CellComment(3, 3), QStringLiteral("b"));
    g->AddButton(4, 4, 30, 18, QStringLiteral("Go"), haLeft, vaTop);
    g->SetCellComment(4, 4, QStringLiteral("ignored"));
    EXPECT_TRUE(g->HasButton(4, 4));
    EXPECT_EQ(g->GetButtonText(4, 4), QStringLiteral("Go"));
    g->RemoveAllComments();
    g->RemoveAllButtons();
    EXPECT_FALSE(g->HasButton(4, 4));
    EXPECT_EQ(g->CellComment(3, 3), QString());
}

TEST(CellObjectKinds, BaseCellTestsSeeTheMergedAreasGraphic)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->AddProgress(1, 1, clBlue, clWhite);
    g->MergeCells(1, 1, 2, 2);
    EXPECT_TRUE(g->HasProgress(2, 2));
    g->AddScrollBar(3, 1, false);
    EXPECT_EQ(g->GetScrollPosition(3, 1), 0);
    EXPECT_EQ(g->GetScrollProp(3, 1).Range, 100);
    g->SetScrollPosition(3, 1, 40);
    EXPECT_EQ(g->GetScrollPosition(3, 1), 40);
    EXPECT_EQ(g->GetScrollPosition(3, 2), -1);
    EXPECT_EQ(g->GetScrollProp(3, 2).PageSize, -1);
    EXPECT_EQ(g->GetShapeColor(3, 2), clNone);
    g->AddShape(3, 3, 1, clRed, clBlack, haLeft, vaTop);
    g->SetShapeColor(3, 3, clGreen);
    EXPECT_EQ(g->GetShapeColor(3, 3), clGreen);
}

TEST(CellObjectKinds, RotatedAnglesStayWithinAFullTurn)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    struct Case { short in; int out; };
    for (Case k : {Case{-90, 270}, Case{720, 360}, Case{360, 360}, Case{45, 45}}) {
        g->SetRotated(1, 1, k.in);
        int a = -1;
        EXPECT_TRUE(g->IsRotated(1, 1, a));
        EXPECT_EQ(a, k.out) << k.in;
    }
    g->AddRotated(2, 1, 90, QStringLiteral("up"));
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("up"));
}

TEST(CellObjectKinds, BalloonsRideOnCheckBoxesOnly)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->AddButton(1, 1, 20, 20, QStringLiteral("B"), haLeft, vaTop);
    g->AddBalloon(1, 1, QStringLiteral("T"), QStringLiteral("x"), biInfo);
    QString t, x;
    TBalloonIcon icon = biNone;
    EXPECT_FALSE(g->IsBalloon(1, 1, t, x, icon));
    EXPECT_TRUE(g->HasButton(1, 1));
    g->AddCheckBox(2, 1, true, false);
    g->AddBalloon(2, 1, QStringLiteral("Title"), QStringLiteral("Text"), biWarning);
    EXPECT_TRUE(g->HasCheckBox(2, 1));
    EXPECT_TRUE(g->IsBalloon(2, 1, t, x, icon));
    EXPECT_EQ(t, QStringLiteral("Title"));
    EXPECT_EQ(icon, biWarning);
    EXPECT_FALSE(g->HasBalloon(2, 1));
    g->RemoveBalloon(2, 1);
    EXPECT_FALSE(g->IsBalloon(2, 1, t, x, icon));
    g->AddBalloon(3, 1, QStringLiteral("A"), QStringLiteral("B"), biError);
    EXPECT_TRUE(g->HasBalloon(3, 1));
}

TEST(CellObjectKinds, RadioGroupStepsThroughItsItems)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    TStrings* items = g->CreateRadio(1, 1, 0, -1);
    for (const char* s : {"a", "b", "c"}) items->Add(QString::fromLatin1(s));
    g->SetRadioIdx(1, 1, -1);
    g->GetCellGraphic(1, 1)->SetCellAngle(3);
    std::vector<QString> seen;
    for (int i = 0; i < 4; ++i) {
        g->SelectNextRadio(1, 1, false);
        seen.push_back(g->Cells(1, 1));
    }
    EXPECT_EQ(seen, (std::vector<QString>{"a", "b", "c", "a"}));
    int idx = -5;
    EXPECT_TRUE(g->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(g->GetRadioStrings(1, 1), items);
    EXPECT_TRUE(g->RemoveRadio(1, 1));
}

TEST(CellObjectKinds, ExpandAndGraphicRectangles)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->SetFixedCols(0);
    g->SetFixedRows(0);
    g->SetColWidths(0, 100);
    g->SetRowHeights(0, 20);
    EXPECT_EQ(g->GetExpandRect(0, 0), TRect(0, 0, 0, 0));
    g->AddExpand(0, 0, 60);
    const TRect R = g->CellRect(0, 0);
    EXPECT_EQ(g->GetExpandRect(0, 0), TRect(R.Left + 87, R.Top + 2, R.Left + 98, R.Top + 13));
    EXPECT_EQ(g->GetExpandHeight(0, 0, true), 60);
    EXPECT_EQ(g->GetExpandHeight(0, 0, false), 20);
    EXPECT_TRUE(g->ToggleExpand(0, 0));
    EXPECT_TRUE(g->GetExpandState(0, 0));
    g->AddButton(1, 1, 30, 18, QStringLiteral("B"), haLeft, vaTop);
    g->GetCellGraphic(1, 1)->SetCellValue(double(3 | (4 << 16)));
    const TRect C = g->CellRect(1, 1);
    EXPECT_EQ(g->GetCellGraphicRect(1, 1), TRect(C.Left + 3, C.Top + 4, C.Left + 33, C.Top + 22));
}

TEST(CellObjectKinds, MarkersKeepTheGraphicOrGoWithAnEmptyOne)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->AddMarker(1, 1, 2, 3);
    int p = 0, l = 0;
    g->GetMarker(1, 1, p, l);
    EXPECT_EQ(p, 2);
    EXPECT_EQ(l, 3);
    EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
    g->RemoveMarker(1, 1);
    EXPECT_EQ(g->GetCellGraphic(1, 1), nullptr);
    g->AddComment(2, 2, QStringLiteral("c"));
    g->AddMarker(2, 2, 1, 1);
    g->RemoveAllMarkers();
    g->GetMarker(2, 2, p, l);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(g->CellComment(2, 2), QStringLiteral("c"));
    double rate = 3;
    g->OnRatingChange = [](TObject*, int, int, double& r, bool& allow) { allow = r < 5; };
    EXPECT_TRUE(g->RatingChange(1, 1, rate));
    rate = 6;
    EXPECT_FALSE(g->RatingChange(1, 1, rate));
}

namespace {
class TFixedCell : public TObject, public IInterfacedCell {
public:
    void Draw(TCanvas*, const TRect&, int, int, bool, TObject*) override {}
    int GetWidth() override { return 33; }
    int GetHeight() override { return 0; }
    bool IsBefore() override { return false; }
};
} // namespace

TEST(CellGraphicSizes, ScreenAndPrintSizesByKind)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(0, 0));
    g->AddCheckBox(1, 1, false, false);
    const int cs = g->ControlLook()->CheckSize();
    EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(cs, cs));
    EXPECT_EQ(g->GetRawGraphicSize(1, 1, 50, 20, 1.0), TPoint(cs, cs));
    g->AddProgressPie(2, 1, clRed, 40);
    EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(20, 20));
    g->AddRating(3, 1, 5, clYellow, clGray);
    EXPECT_EQ(g->GetCellGraphicSize(3, 1), TPoint(90, 16));   // full width does not override it
    g->AddButton(1, 2, 30, 18, QStringLiteral("B"), haLeft, vaTop);
    EXPECT_EQ(g->GetCellGraphicSize(1, 2), TPoint(30, 18));
    EXPECT_EQ(g->GetRawGraphicSize(1, 2, 0, 0, 1.0), TPoint(30, 18));
    g->SetCells(1, 2, QStringLiteral("text"));
    EXPECT_EQ(g->GetCellGraphicSize(1, 2), TPoint(30, 0));

    TStrings* items = g->CreateRadio(2, 2, 0, 0);
    for (const char* s : {"a", "b", "c"}) items->Add(QString::fromLatin1(s));
    const TPoint screen = g->GetCellGraphicSize(2, 2);
    const TPoint print = g->GetRawGraphicSize(2, 2, 0, 0, 1.0);
    EXPECT_EQ(screen.Y, 3 * std::max(16, print.Y / 3));
    EXPECT_EQ(print.Y % 3, 0);

    TFixedCell cell;
    g->AddInterfacedCell(3, 2, &cell);
    const TPoint whole = g->CellSize(3, 2);
    EXPECT_EQ(g->GetCellGraphicSize(3, 2), whole);   // a zero height takes the cell's size
    const TRect R = g->CellRect(3, 2);
    EXPECT_EQ(g->GetRawGraphicSize(3, 2, 0, 0, 1.0), TPoint(33, R.Bottom - R.Top));
}

TEST(CellObjectKinds, ImageListKindsNeedTheGridsImages)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    int idx = -1;
    g->AddImageIdx(1, 1, 3, haLeft, vaTop);
    g->AddDataImage(2, 1, 4, haLeft, vaTop);
    g->AddMultiImage(3, 1, 0, haLeft, vaTop);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(g->GetCellType(c, 1), ctEmpty);   // no image list: nothing attached
    EXPECT_EQ(g->Cells(2, 1), QString());
    EXPECT_EQ(g->CellImages(3, 1), nullptr);

    TImageList images(16, 12);
    g->SetGridImages(&images);
    g->AddImageIdx(1, 1, 3, haLeft, vaTop);
    ASSERT_TRUE(g->GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 3);
    EXPECT_EQ(g->GetCellImageRef(1, 1), 3);
    g->SetImageIdx(1, 1, 5);
    EXPECT_TRUE(g->GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 5);
    EXPECT_FALSE(g->GetImageIdx(2, 2, idx));
    g->SetImageIdx(2, 2, 9);   // no such graphic: nothing attached
    EXPECT_EQ(g->GetCellType(2, 2), ctEmpty);

    g->AddDataImage(2, 1, 4, haLeft, vaTop);   // an empty text takes the index
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("4"));
    EXPECT_TRUE(g->HasDataImage(2, 1));
    g->SetCells(2, 2, QStringLiteral("1"));
    g->AddDataImage(2, 2, 4, haLeft, vaTop);   // a present text stays
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("1"));
    EXPECT_TRUE(g->RemoveDataImage(2, 2));
    EXPECT_EQ(g->Cells(2, 2), QString());
    EXPECT_FALSE(g->RemoveDataImage(1, 1));   // an image-list cell is no data image
    EXPECT_EQ(g->GetCellType(1, 1), ctImageList);

    g->AddMultiImage(3, 1, 0, haLeft, vaTop);
    TIntList* list = g->CellImages(3, 1);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Col(), 3);
    EXPECT_EQ(list->Row(), 1);
    EXPECT_EQ(g->CellImages(1, 1), nullptr);
    EXPECT_TRUE(g->RemoveMultiImage(3, 1));   // the list goes with the graphic
    EXPECT_EQ(g->CellImages(3, 1), nullptr);
    EXPECT_TRUE(g->RemoveImageIdx(1, 1));
    EXPECT_FALSE(g->GetImageIdx(1, 1, idx));
}

TEST(CellGraphicSizes, ImageListKindsTakeTheListsImageSize)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    TImageList images(16, 12);
    g->SetGridImages(&images);
    struct Case {
        TCellType Type;
        TCellHAlign H;
        TCellVAlign V;
        bool Text;
        TPoint Screen, Print;
    };
    const Case cases[] = {
        {ctImageList, haLeft, vaTop, false, {16, 12}, {16, 12}},
        {ctImageList, haLeft, vaTop, true, {0, 0}, {0, 12}},
        {ctImageList, haBeforeText, vaTop, true, {16, 0}, {16, 12}},
        {ctImageList, haLeft, vaUnderText, true, {0, 12}, {0, 12}},
        {ctDataImage, haLeft, vaTop, true, {0, 0}, {16, 12}},
        {ctDataImage, haAfterText, vaAboveText, true, {16, 12}, {16, 12}},
        {ctImageList, haFull, vaFull, false, {0, 0}, {16, 12}},   // the screen size takes the cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Type) * 100 + int(c.H) * 10 + int(c.V));
        g->SetCells(1, 1, QString());
        if (c.Type == ctImageList) g->AddImageIdx(1, 1, 0, c.H, c.V);
        else g->AddDataImage(1, 1, 0, c.H, c.V);
        g->SetCells(1, 1, c.Text ? QStringLiteral("7") : QString());
        TPoint screen = c.Screen;
        if (c.H == haFull) {
            const TRect R = g->CellRect(1, 1);
            screen = TPoint(R.Right - R.Left, R.Bottom - R.Top);
        }
        EXPECT_EQ(g->GetCellGraphicSize(1, 1), screen);
        EXPECT_EQ(g->GetRawGraphicSize(1, 1, 50, 20, 1.0), c.Print);
    }
    g->AddMultiImage(2, 1, 0, haLeft, vaTop);
    for (int i : {0, 1, 2}) g->CellImages(2, 1)->Add(i);
    EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(48, 12));
    EXPECT_EQ(g->GetRawGraphicSize(2, 1, 10, 10, 2.0), TPoint(48, 12));
    g->AddMultiImage(2, 1, 1, haLeft, vaTop);
    for (int i : {0, 1}) g->CellImages(2, 1)->Add(i);
    EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(16, 24));
    g->SetGridImages(nullptr);
    EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(0, 0));
}

TEST(CellObjectKinds, ProgressBarsRightAlignTheCellWithAutoNumAlign)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->AddProgress(1, 1, clBlue, clWhite);
    EXPECT_NE(g->Alignments(1, 1), taRightJustify);
    g->AutoNumAlign = true;
    g->AddProgress(1, 2, clBlue, clWhite);
    g->AddProgressEx(2, 2, clBlue, clWhite, clWhite, clBlack);
    g->AddProgressFormatted(3, 2, clBlue, clWhite, clWhite, clBlack, QStringLiteral("%d%%"), 0, 10);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(g->Alignments(c, 2), taRightJustify);
    g->AddKvProgress(4, 2, 0, 10);   // the themed bar shows no text
    EXPECT_NE(g->Alignments(4, 2), taRightJustify);
}

TEST(CellGraphicSizes, AutoRangeScrollBarFollowsTheText)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    g->SetCells(1, 1, QStringLiteral("one two three four five six seven eight nine ten eleven twelve"));
    g->AddScrollBar(1, 1, true);
    EXPECT_TRUE(g->HasAutoRangeScrollBar(1, 1));
    const TScrollProp p = g->GetScrollProp(1, 1);
    EXPECT_EQ(p.PageSize, g->RowHeights(1));
    EXPECT_GT(p.Range, 0);
    g->AddScrollBar(2, 1, false);
    EXPECT_EQ(g->GetScrollProp(2, 1).Range, 100);
}

namespace {
class TTestColorPicker : public TComponent, public IColorPickerSelection {
public:
    using TComponent::TComponent;
    TColor SelectedColor() const override { return 0x00FF00; }
    QString SelectedColorText() const override { return QStringLiteral("Lime"); }
};
} // namespace

TEST(CellObjectKinds, ColourSelectionReportsThePickersChoiceForTheCurrentCell)
{
    TForm form;
    auto* g = new TKvStringGrid(&form);
    int fired = 0;
    g->OnColorSelect = [&](TObject*, int c, int r, TColor col, const QString& v) {
        ++fired;
        EXPECT_EQ(c, 2);
        EXPECT_EQ(r, 3);
        EXPECT_EQ(col, TColor(0x00FF00));
        EXPECT_EQ(v, QStringLiteral("Lime"));
    };
    g->FocusCell(2, 3);
    auto& reg = KvGridUnit::ClassRegistry();
    const auto saved = reg.find(QStringLiteral("TColorPickerDropDown")) != reg.end()
                           ? reg[QStringLiteral("TColorPickerDropDown")]
                           : std::function<TComponent*(TComponent*)>();
    reg[QStringLiteral("TColorPickerDropDown")] = [](TComponent* o) { return new TTestColorPicker(o); };
    g->ColorSelect();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(g->ColorPickerDropDown(), g->ColorPickerDropDown());   // made once
    if (saved) reg[QStringLiteral("TColorPickerDropDown")] = saved;
    else reg.erase(QStringLiteral("TColorPickerDropDown"));
    g->ImageSelect();   // no image picker registered: nothing happens
}
