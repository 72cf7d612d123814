// The grid's binary cell format: round trips through files and streams, placement at a
// point, the record encoding, and foreign or odd streams.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include "grid/cell_properties.h"
#include "grid/kv_string_grid.h"
#include "grid_data/grid_binary_io.h"
#include "platform/core/files.h"
#include "platform/core/stringlist.h"
#include "support/fpc_object_dump.h"

namespace {

std::vector<uint8_t> Save(TKvStringGrid& G, const TRect* Rect = nullptr)
{
    TMemoryStream ms;
    if (Rect)
        G.SaveRectToBinStream(TGridRect(Rect->Left, Rect->Top, Rect->Right, Rect->Bottom), &ms);
    else
        G.SaveToBinStream(&ms);
    return ms.Bytes();
}

void Load(TKvStringGrid& G, const std::vector<uint8_t>& Bytes, const TPoint* At = nullptr)
{
    TMemoryStream ms;
    ms.WriteBuffer(Bytes.data(), qint64(Bytes.size()));
    ms.SetPosition(0);
    if (At)
        G.LoadAtPointFromBinStream(*At, &ms);
    else
        G.LoadFromBinStream(&ms);
}

std::vector<TComponentRecord> Records(const std::vector<uint8_t>& Bytes)
{
    std::vector<TComponentRecord> out;
    TComponentReader rd(Bytes);
    while (rd.Remaining() >= 2) out.push_back(rd.ReadRecord());
    return out;
}

QImage Filled(int W, int H, QRgb Colour)
{
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(Colour);
    return img;
}

}  // namespace

TEST(GridBinaryIO, AWholeGridSurvivesAFileWithItsPropertiesAndGraphics)
{
    QTemporaryDir dir;
    const QString picFile = PathJoin(dir.path(), QStringLiteral("pic.png"));
    WriteFileAtomic(picFile, ImageFileBytes(Filled(7, 5, qRgb(0, 0, 255)), "PNG"));
    TImageList images(16, 16);

    TKvStringGrid g;
    g.SetGridImages(&images);
    g.SetColCount(6);
    g.SetRowCount(9);
    g.SetColWidths(2, 91);
    g.SetRowHeights(3, 33);
    g.SetCells(1, 1, QStringLiteral("a b"));
    g.SetCells(5, 8, QStringLiteral("Grüße ∑"));
    g.MergeCells(1, 2, 2, 2);
    g.SetCells(1, 2, QStringLiteral("merged"));
    TCellProperties* p = g.GetCellProperties(3, 1);
    p->SetBrushColor(clWindow);
    p->SetBrushColorTo(TColor(0x123456));
    p->SetFontName(QStringLiteral("Serif"));
    p->SetFontSize(14);
    p->SetFontStyle(fsBold | fsStrikeOut);
    p->SetAlignment(taCenter);
    p->SetEditor(edComboList);
    g.CreateBitmap(1, 4, true, haRight, vaBottom)->SetImage(Filled(4, 3, qRgb(255, 0, 0)));
    g.CreateIcon(2, 4, haLeft, vaTop)->SetImage(Filled(16, 16, qRgb(0, 255, 0)));
    TStrings* radio = g.CreateRadio(3, 4, 1, 2);
    radio->Add(QStringLiteral("one"));
    radio->Add(QStringLiteral("two"));
    radio->Add(QStringLiteral("three"));
    g.AddMultiImage(4, 4, 0, haLeft, vaTop);
    g.CellImages(4, 4)->Add(3);
    g.CellImages(4, 4)->Add(7);
    g.CreatePicture(1, 5, false, StretchWithAspectRatio, 2, haCenter, vaCenter)
        ->LoadFromData(ImageFileBytes(Filled(6, 2, qRgb(9, 9, 9)), "PNG"));
    g.CreateFilePicture(2, 5, false, noStretch, 0, haLeft, vaTop)->SetFilename(picFile);

    const QString file = PathJoin(dir.path(), QStringLiteral("cells.bin"));
    g.SaveToBinFile(file);
    TKvStringGrid t;
    t.SetGridImages(&images);
    t.LoadFromBinFile(file);

    EXPECT_EQ(t.ColCount(), 6);
    EXPECT_EQ(t.RowCount(), 9);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(t.ColWidths(c), g.ColWidths(c)) << c;
    for (int r = 0; r < 9; ++r) EXPECT_EQ(t.RowHeights(r), g.RowHeights(r)) << r;
    EXPECT_EQ(t.Cells(1, 1), QStringLiteral("a b"));
    EXPECT_EQ(t.Cells(5, 8), QStringLiteral("Grüße ∑"));
    EXPECT_EQ(t.CellSpan(1, 2), g.CellSpan(1, 2));
    EXPECT_TRUE(t.IsMergedCell(2, 3));
    EXPECT_EQ(t.Cells(1, 2), QStringLiteral("merged"));
    ASSERT_TRUE(t.HasCellProperties(3, 1));
    const TCellProperties* q = t.GetCellProperties(3, 1);
    EXPECT_EQ(q->BrushColor(), clWindow);
    EXPECT_EQ(q->BrushColorTo(), TColor(0x123456));
    EXPECT_EQ(q->FontName(), QStringLiteral("Serif"));
    EXPECT_EQ(q->FontSize(), 14);
    EXPECT_EQ(q->FontStyle(), fsBold | fsStrikeOut);
    EXPECT_EQ(q->Alignment(), taCenter);
    EXPECT_EQ(q->Editor(), edComboList);

    ASSERT_NE(t.GetBitmap(1, 4), nullptr);
    EXPECT_EQ(t.GetBitmap(1, 4)->ToImage().convertToFormat(QImage::Format_RGB32).pixel(2, 1), qRgb(255, 0, 0));
    EXPECT_EQ(t.GetCellGraphic(1, 4)->CellHAlign(), haRight);
    EXPECT_TRUE(t.GetCellGraphic(1, 4)->CellTransparent());
    ASSERT_EQ(t.GetCellType(2, 4), ctIcon);
    const auto* icon = std::get_if<TGraphic*>(&t.GetCellGraphic(2, 4)->FCellIcon);
    ASSERT_TRUE(icon && *icon);
    EXPECT_EQ((*icon)->Width(), 16);
    int idx = -1;
    ASSERT_TRUE(t.GetRadioIdx(3, 4, idx));
    EXPECT_EQ(idx, 2);
    auto* items = dynamic_cast<TStrings*>(std::get<TObject*>(t.GetCellGraphic(3, 4)->FCellBitmap));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Strings(2), QStringLiteral("three"));
    ASSERT_NE(t.CellImages(4, 4), nullptr);
    EXPECT_EQ(t.CellImages(4, 4)->StrValue(), QStringLiteral("3,7"));
    ASSERT_NE(t.GetPicture(1, 5), nullptr);
    EXPECT_EQ(t.GetPicture(1, 5)->Width(), 6);
    EXPECT_EQ(t.GetCellGraphic(1, 5)->CellAngle(), int(StretchWithAspectRatio));
    ASSERT_NE(t.GetFilePicture(2, 5), nullptr);
    EXPECT_EQ(t.GetFilePicture(2, 5)->Filename(), picFile);
    EXPECT_EQ(t.GetFilePicture(2, 5)->Width(), 7);
}

TEST(GridBinaryIO, ARectangleLandsAtThePointWhateverItsSavedPlace)
{
    TKvStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(5);
    g.SetCells(2, 3, QStringLiteral("x"));
    g.SetCells(3, 4, QStringLiteral("y"));
    g.GetCellProperties(3, 4)->SetFontSize(20);
    const TRect rect(2, 3, 3, 4);
    const std::vector<uint8_t> bytes = Save(g, &rect);

    TKvStringGrid t;
    t.SetColCount(10);
    t.SetRowCount(10);
    t.SetCells(2, 3, QStringLiteral("kept"));
    const TPoint at(5, 7);
    Load(t, bytes, &at);
    EXPECT_EQ(t.Cells(5, 7), QStringLiteral("x"));
    EXPECT_EQ(t.Cells(6, 8), QStringLiteral("y"));
    EXPECT_EQ(t.GetCellProperties(6, 8)->FontSize(), 20);
    EXPECT_EQ(t.Cells(2, 3), QStringLiteral("kept"));
    EXPECT_EQ(t.ColCount(), 10);
}

TEST(GridBinaryIO, ProgressIsReportedPerRowOnlyWhenItChanges)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(12);
    std::vector<short> heard;
    g.OnFileProgress = [&](TObject*, short p) { heard.push_back(p); };
    // Rows 2 to 6 of the grid: four steps from the rectangle's first row.
    const TRect rect(0, 2, 2, 6);
    const std::vector<uint8_t> bytes = Save(g, &rect);
    EXPECT_EQ(heard, (std::vector<short>{0, 25, 50, 75, 100}));

    // Reading: the target row against the grid's rows, halves to even (3 of 8 is 37.5).
    TKvStringGrid t;
    t.SetColCount(3);
    t.SetRowCount(8);
    t.OnFileProgress = [&](TObject*, short p) { heard.push_back(p); };
    heard.clear();
    const TPoint at(0, 3);
    Load(t, bytes, &at);
    EXPECT_EQ(heard, (std::vector<short>{38, 50, 62, 75, 88}));
}

TEST(GridBinaryIO, RecordsCarryWhatTheCellHasAndNoMore)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, QStringLiteral("a b"));
    g.GetCellProperties(1, 1)->SetBrushColor(clWindow);
    g.GetCellProperties(1, 1)->SetCellObject(0xDEADBEEF);
    TCellGraphic* gr = g.CreateCellGraphic(1, 1);
    gr->SetCellType(ctValue);
    gr->SetCellValue(1.5);
    g.SetCells(0, 1, QString());
    const TRect rect(0, 1, 1, 1);
    const std::vector<TComponentRecord> recs = Records(Save(g, &rect));

    ASSERT_EQ(recs.size(), 5u);   // grid, empty cell, cell, properties, graphic
    EXPECT_EQ(recs[0].ClassName, QStringLiteral("TGridPropIO"));
    EXPECT_EQ(recs[0].Find(QStringLiteral("ColCount"))->Int, 2);
    EXPECT_EQ(recs[1].ClassName, QStringLiteral("TGridCellIO"));
    EXPECT_EQ(recs[1].Find(QStringLiteral("Cell")), nullptr);
    EXPECT_EQ(recs[2].Find(QStringLiteral("Cell"))->Str, QStringLiteral("a b"));
    EXPECT_EQ(recs[3].ClassName, QStringLiteral("TGridCellPropIO"));
    EXPECT_EQ(recs[3].Find(QStringLiteral("CellProperties.BrushColor"))->Str, QStringLiteral("clWindow"));
    // the user object is a pointer of this process: never written
    EXPECT_EQ(recs[3].Find(QStringLiteral("CellProperties.CellObject"))->Int, 0);
    EXPECT_EQ(recs[3].Find(QStringLiteral("CellProperties.OwnerCol")), nullptr);
    EXPECT_EQ(recs[4].ClassName, QStringLiteral("TGridGraphicIO"));
    const TComponentValue* v = recs[4].Find(QStringLiteral("CellGraphic.CellValue"));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->Tag, TValueTag::Extended);
    EXPECT_EQ(v->Real, 1.5);
    EXPECT_EQ(recs[4].Find(QStringLiteral("CellGraphic.CellType"))->Str, QStringLiteral("ctValue"));

    // Reading leaves the target's own object alone.
    TKvStringGrid t;
    t.SetColCount(2);
    t.SetRowCount(2);
    t.GetCellProperties(1, 1)->SetCellObject(77);
    const TRect r2(0, 1, 1, 1);
    const std::vector<uint8_t> bytes = Save(g, &r2);
    const TPoint at(0, 1);
    Load(t, bytes, &at);
    EXPECT_EQ(t.GetCellProperties(1, 1)->CellObject(), 77u);
    EXPECT_EQ(t.GetCellProperties(1, 1)->BrushColor(), clWindow);
    EXPECT_EQ(t.GetCellGraphic(1, 1)->CellValue(), 1.5);
}

TEST(GridBinaryIO, ATrailingByteEndsTheLoopAndAnUnknownPropertyRaisesAfterTheCellsBeforeIt)
{
    TKvStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCells(0, 0, QStringLiteral("a"));
    const TRect rect(0, 0, 1, 0);
    std::vector<uint8_t> bytes = Save(g, &rect);

    std::vector<uint8_t> trailing = bytes;
    trailing.push_back(0);
    TKvStringGrid t;
    t.SetColCount(3);
    t.SetRowCount(3);
    const TPoint at(1, 1);
    EXPECT_NO_THROW(Load(t, trailing, &at));
    EXPECT_EQ(t.Cells(1, 1), QStringLiteral("a"));

    TComponentWriter w(bytes);
    w.BeginRecord(QStringLiteral("TGridCellIO"));
    w.WriteInteger(QStringLiteral("Col"), 2);
    w.WriteInteger(QStringLiteral("Row"), 0);
    w.WriteString(QStringLiteral("Colour"), QStringLiteral("red"));
    w.EndRecord();
    TKvStringGrid u;
    u.SetColCount(3);
    u.SetRowCount(3);
    try {
        Load(u, bytes, &at);
        ADD_FAILURE() << "no error";
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Colour"))) << e.Message().toStdString();
    }
    EXPECT_EQ(u.Cells(1, 1), QStringLiteral("a"));

    // Cut short: the reader's error, never a read past the end.
    for (size_t n : {size_t(3), bytes.size() / 2, bytes.size() - 3}) {
        std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + qsizetype(n));
        TKvStringGrid v;
        EXPECT_THROW(Load(v, cut), EReadError) << n;
    }
}

TEST(GridBinaryIO, AWholeGridWithoutItsFixedCellsLandsAfterThem)
{
    TKvStringGrid g;
    g.SetColCount(5);
    g.SetRowCount(4);
    g.SetFixedCols(1);
    g.SetFixedRows(1);
    g.SetSaveFixedCells(false);
    for (int c = 1; c < 5; ++c) g.SetColWidths(c, 40 + c);
    for (int r = 1; r < 4; ++r) g.SetRowHeights(r, 20 + r);
    g.SetCells(1, 1, QStringLiteral("first"));
    g.SetCells(4, 3, QStringLiteral("last"));
    const std::vector<uint8_t> bytes = Save(g);

    TKvStringGrid t;
    Load(t, bytes);
    EXPECT_EQ(t.ColCount(), 5);
    EXPECT_EQ(t.RowCount(), 4);
    for (int c = 1; c < 5; ++c) EXPECT_EQ(t.ColWidths(c), 40 + c) << c;
    for (int r = 1; r < 4; ++r) EXPECT_EQ(t.RowHeights(r), 20 + r) << r;
    EXPECT_EQ(t.Cells(1, 1), QStringLiteral("first"));
    EXPECT_EQ(t.Cells(4, 3), QStringLiteral("last"));
}

TEST(GridBinaryIO, RowsBeyondSixteenBitsKeepTheirPlace)
{
    TKvStringGrid g;
    g.SetColCount(1);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    g.SetRowCount(65540);
    g.SetCells(0, 0, QStringLiteral("first"));
    g.SetCells(0, 65539, QStringLiteral("last"));
    const std::vector<uint8_t> bytes = Save(g);
    TKvStringGrid t;
    Load(t, bytes);
    EXPECT_EQ(t.RowCount(), 65540);
    EXPECT_EQ(t.Cells(0, 0), QStringLiteral("first"));
    EXPECT_EQ(t.Cells(0, 65539), QStringLiteral("last"));
}

TEST(GridBinaryIO, CellsThatWouldLandOutsideTheGridAreDropped)
{
    TKvStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) {
            g.SetCells(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
            g.GetCellProperties(c, r)->SetFontSize(9);
        }
    const TRect rect(0, 0, 2, 2);
    const std::vector<uint8_t> bytes = Save(g, &rect);

    TKvStringGrid t;
    t.SetColCount(10);
    t.SetRowCount(10);
    const TPoint at(8, 8);
    Load(t, bytes, &at);
    EXPECT_EQ(t.Cells(9, 9), QStringLiteral("1/1"));
    EXPECT_EQ(t.ColCount(), 10);
    t.SetColCount(12);
    t.SetRowCount(12);
    for (const TPoint& p : {TPoint(10, 8), TPoint(8, 10), TPoint(10, 10)}) {
        EXPECT_EQ(t.Cells(p.X, p.Y), QString()) << p.X << "," << p.Y;
        EXPECT_FALSE(t.HasCellProperties(p.X, p.Y)) << p.X << "," << p.Y;
    }
}

TEST(GridBinaryIO, ForeignSizesRaiseBeforeTheGridChanges)
{
    struct Case {
        const char* What;
        int Cols, Rows;
        QString Widths, Heights;
    };
    const Case cases[] = {
        {"widths shorter than the count", 3, 1, QStringLiteral("10,10"), QStringLiteral("10")},
        {"a width that is no number", 2, 1, QStringLiteral("10,x"), QStringLiteral("10")},
        {"a huge count", 2000000000, 1, QStringLiteral("1"), QStringLiteral("1")},
    };
    for (const Case& k : cases) {
        std::vector<uint8_t> bytes;
        TComponentWriter w(bytes);
        TGridPropIO gp;
        gp.ColCount = k.Cols;
        gp.RowCount = k.Rows;
        gp.ColWidths = k.Widths;
        gp.RowHeights = k.Heights;
        gp.FullGrid = true;
        gp.Write(w);
        TKvStringGrid t;
        t.SetColCount(3);
        t.SetRowCount(3);
        t.SetCells(1, 1, QStringLiteral("kept"));
        EXPECT_ANY_THROW(Load(t, bytes)) << k.What;
        EXPECT_EQ(t.Cells(1, 1), QStringLiteral("kept")) << k.What;
        EXPECT_EQ(t.ColCount(), 3) << k.What;
    }
}

TEST(GridBinaryIO, TheFreePascalRuntimeReadsTheGridsRecords)
{
    TKvStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(2);
    g.SetCells(1, 1, QStringLiteral("a b"));
    g.GetCellProperties(1, 1)->SetBrushColor(clWindow);
    TCellGraphic* gr = g.CreateCellGraphic(1, 1);
    gr->SetCellType(ctValue);
    gr->SetCellValue(1.5);
    const TRect rect(1, 1, 1, 1);
    const std::vector<uint8_t> bytes = Save(g, &rect);
    const TFpcObjectDump dump =
        FpcObjectBinaryToText(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    if (!dump.Skip.isEmpty()) GTEST_SKIP() << dump.Skip.toStdString();
    EXPECT_EQ(dump.ExitCode, 0) << dump.Errors.toStdString();
    const char* expected[] = {
        "object TGridPropIO", "ColWidths = '", "FullGrid = False", "object TGridCellIO", "Col = 1", "Cell = 'a b'",
        "HasProp = True", "object TGridCellPropIO", "CellProperties.BrushColor = clWindow",
        "CellProperties.CellObject = 0", "HasGraphic = True", "object TGridGraphicIO",
        "CellGraphic.CellType = ctValue", "CellGraphic.CellValue =  1.50000000000000000000E+0000",
    };
    for (const char* e : expected)
        EXPECT_TRUE(dump.Text.contains(QString::fromUtf8(e))) << e << "\n--- decoder output ---\n"
                                                              << dump.Text.toStdString();
}
