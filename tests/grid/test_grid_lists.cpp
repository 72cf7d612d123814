// Integer lists, sort index lists, control lists, the line-cursor string list,
// file pictures and the order of the shared enumerations.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include "grid/grid_lists.h"
#include "grid/style_interfaces.h"
#include "platform/core/exceptions.h"
#include "platform/ui/controls.h"

namespace {

struct Counter {
    int calls = 0;
    int col = 0, row = 0;
    TImageChangeEvent Handler()
    {
        return [this](TObject*, int c, int r) {
            ++calls;
            col = c;
            row = r;
        };
    }
};

std::vector<int> Entries(const TIntList& l)
{
    return std::vector<int>(l.begin(), l.end());
}

} // namespace

TEST(GridLists, IntListTextForm)
{
    TIntList l(0, 0);
    EXPECT_EQ(l.StrValue(), QString());
    l.Add(5);
    l.Add(-2);
    EXPECT_EQ(l.StrValue(), QStringLiteral("5,-2"));
    l.SetStrValue(QStringLiteral("1, 2,3"));
    EXPECT_EQ(Entries(l), (std::vector<int>{1, 2, 3}));
    l.SetStrValue(QStringLiteral("3,10,-1"));
    EXPECT_EQ(l.StrValue(), QStringLiteral("3,10,-1"));
    // A part that is no integer stops the load, keeping what came before it.
    EXPECT_THROW(l.SetStrValue(QStringLiteral("7,x,9")), EConvertError);
    EXPECT_EQ(Entries(l), (std::vector<int>{7}));
}

TEST(GridLists, IntListNotifiesExactlyOncePerChange)
{
    TIntList l(4, 9);
    Counter n;
    l.OnChange = n.Handler();
    l.Insert(0, 1);
    l.Insert(1, 2);
    EXPECT_EQ(n.calls, 0);

    struct Step { const char* name; std::function<void()> run; int expected; };
    const Step steps[] = {
        {"Add", [&] { l.Add(3); }, 1},
        {"SetItems", [&] { l.SetItems(0, 10); }, 1},
        {"Delete", [&] { l.Delete(0); }, 1},
        {"DeleteValue present", [&] { l.DeleteValue(3); }, 1},
        {"DeleteValue absent", [&] { l.DeleteValue(42); }, 0},
    };
    for (const Step& s : steps) {
        n.calls = 0;
        s.run();
        EXPECT_EQ(n.calls, s.expected) << s.name;
    }
    EXPECT_EQ(n.col, 4);
    EXPECT_EQ(n.row, 9);
    EXPECT_EQ(Entries(l), (std::vector<int>{2}));
    EXPECT_TRUE(l.HasValue(2));
    EXPECT_THROW(l.Items(5), EListError);
}

TEST(GridLists, IntListSortsByTheCallersOrder)
{
    TIntList l(0, 0);
    for (int v : {30, -4, 12, 7, 30, 0})
        l.Add(v);
    Counter n;
    l.OnChange = n.Handler();
    l.Sort([](int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); });
    EXPECT_EQ(Entries(l), (std::vector<int>{-4, 0, 7, 12, 30, 30}));
    // By the last digit, descending: equal keys keep their order.
    l.Sort([](int a, int b) { return std::abs(b % 10) - std::abs(a % 10); });
    EXPECT_EQ(Entries(l), (std::vector<int>{7, -4, 12, 0, 30, 30}));
    EXPECT_EQ(n.calls, 0);
}

TEST(GridLists, SortIndexList)
{
    TSortIndexList l;
    Counter n;
    l.OnChange = n.Handler();
    l.AddIndex(2, true);
    l.AddIndex(0, false);
    EXPECT_EQ(l.SaveToString(), QStringLiteral("u2;d0"));
    EXPECT_EQ(l.FindIndex(0), 1); // descending entry found by its plain column
    EXPECT_EQ(l.FindIndex(5), -1);
    EXPECT_FALSE(l.SortDirections(1));
    EXPECT_EQ(l.SortColumns(1), 0);

    n.calls = 0;
    l.ToggleIndex(0);
    EXPECT_EQ(n.calls, 1);
    EXPECT_TRUE(l.SortDirections(1));
    l.ToggleIndex(7);
    EXPECT_EQ(n.calls, 1);

    l.SetSortDirections(0, false);
    l.SetSortColumns(0, 6);
    EXPECT_EQ(l.SaveToString(), QStringLiteral("d6;u0"));

    l.LoadFromString(QStringLiteral("u3;x;d12;"));
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l.SortColumns(0), 3);
    EXPECT_TRUE(l.SortDirections(0));
    EXPECT_EQ(l.SortColumns(1), 12);
    EXPECT_FALSE(l.SortDirections(1));
    l.LoadFromString(QStringLiteral("U1"));
    EXPECT_EQ(l.Count(), 1);
    EXPECT_FALSE(l.SortDirections(0));
    l.LoadFromString(QString());
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.SaveToString(), QString());

    l.AddIndex(70000, true);
    EXPECT_EQ(l.SaveToString(), QStringLiteral("u4464"));
}

TEST(GridLists, ControlListNeverFreesControls)
{
    TWinControl parent;
    auto* edit = new TWinControl(&parent);
    edit->SetParent(&parent);
    auto* other = new TWinControl(&parent);
    TControlList list;
    list.AddControl(1, 2, edit);
    list.AddControl(3, 4, other);
    EXPECT_EQ(list.ControlIndex(3, 4), 1);
    EXPECT_EQ(list.ControlIndex(4, 3), -1);
    EXPECT_TRUE(list.HasHandle(edit->Handle()));

    list.RemoveControl(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Control(0)->Control, other);
    EXPECT_EQ(edit->Parent(), &parent); // still alive and in place
    EXPECT_FALSE(list.HasHandle(edit->Handle()));
    EXPECT_THROW(list.RemoveControl(5), EListError);
}

TEST(GridLists, FileStringListCursor)
{
    TFileStringList f;
    f.Reset();
    EXPECT_TRUE(f.Eof());
    f.Write(QStringLiteral("a"));
    f.Write(QStringLiteral("b"));
    f.WriteLn(QStringLiteral("c"));
    f.WriteLn(QStringLiteral("second"));
    EXPECT_EQ(f.Count(), 2);
    QString line;
    f.ReadLn(line);
    EXPECT_EQ(line, QStringLiteral("abc"));
    f.ReadLn(line);
    EXPECT_EQ(line, QStringLiteral("second"));
    EXPECT_TRUE(f.Eof());
    EXPECT_THROW(f.ReadLn(line), EListError);
    f.Reset();
    EXPECT_FALSE(f.Eof());
}

TEST(GridLists, FilePicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = QDir(dir.path()).filePath(QStringLiteral("pic.png"));
    QImage img(12, 7, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(path));

    TFilePicture p;
    p.SetFilename(path);
    EXPECT_EQ(p.Width(), 12);
    EXPECT_EQ(p.Height(), 7);
    TFilePicture copy;
    copy.Assign(&p);
    EXPECT_EQ(copy.Filename(), path);
    EXPECT_EQ(copy.Height(), 7);

    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        TCanvas canvas(&target);
        p.DrawPicture(&canvas, TRect(2, 2, 10, 10));
        TFilePicture empty;
        empty.DrawPicture(&canvas, TRect(10, 10, 20, 20)); // no file, nothing drawn
        canvas.ReleasePainter();
    }
    EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(target.pixelColor(15, 15), QColor(Qt::white));

    TFilePicture missing;
    EXPECT_ANY_THROW(missing.SetFilename(QDir(dir.path()).filePath(QStringLiteral("none.png"))));
}

TEST(GridLists, EnumerationOrders)
{
    EXPECT_EQ(int(edMaskEditBtn), 42);
    EXPECT_EQ(int(edCustom), 25);
    EXPECT_EQ(int(edKvGridDropDown), 38);
    EXPECT_EQ(int(ssAlphaNumericNoCase), 19);
    EXPECT_EQ(int(ssFinancial), 9);
    EXPECT_EQ(int(adTopBottomInCol), 3);
    EXPECT_EQ(int(fceRightClick), 3);
    EXPECT_EQ(int(fceComboList), 2);
    EXPECT_EQ(int(heFirstLastCell), 2);
    EXPECT_EQ(int(waScroll), 1);
    EXPECT_EQ(int(csHalfStar), 18);
    EXPECT_EQ(int(tsCustom), 8);
    EXPECT_EQ(int(tsOffice2010Black), 15);
}
