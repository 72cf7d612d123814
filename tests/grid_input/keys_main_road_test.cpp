// The keys and clicks a rule grid lives on, sent as real key and mouse events
// to a column grid on a shown form: Space and a click on the "Enable" boxes,
// typing into a cell, Enter to the window, Tab out of the grid, the header
// border double click and the cell double click.
#include <gtest/gtest.h>

#include "grid/column_grid.h"
#include "platform/ui/forms.h"
#include "platform/ui/stdctrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

namespace {
// A column grid that records the column fits it is asked for.
class TFitGrid : public TKvColumnGrid {
public:
    using TKvColumnGrid::TKvColumnGrid;
    void AutoSizeCol(int Index, int Padding) override { Fits.push_back({Index, Padding}); }
    void QSort() override { ++Sorts; }
    std::vector<std::pair<int, int>> Fits;
    int Sorts = 0;
};

// Column 1 a name, 2 "Enable" editable, 3 "Enable" read-only, 4 a value.
struct TRuleForm {
    TForm form;
    TFitGrid* g;
    TEdit* next;
    std::vector<QString> log;
    explicit TRuleForm(bool HideName = false)
    {
        form.SetBounds(0, 0, 600, 300);
        g = new TFitGrid(&form);
        g->SetParent(&form);
        g->SetBounds(10, 10, 500, 200);
        g->SetColCount(5);
        g->SetRowCount(5);
        g->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect | goColSizing |
                      goEditing);
        g->Columns()->Items(2)->SetEditor(edDataCheckBox);
        g->Columns()->Items(3)->SetEditor(edDataCheckBox);
        g->Columns()->Items(3)->SetReadOnly(true);
        for (int r = 1; r < 5; ++r) {
            g->SetCells(1, r, QStringLiteral("name%1").arg(r));
            g->SetCells(2, r, QStringLiteral("N"));
            g->SetCells(3, r, QStringLiteral("N"));
        }
        if (HideName) g->HideColumn(1);
        g->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) {
            log.push_back(QStringLiteral("change %1 %2 %3").arg(c).arg(r).arg(s));
        };
        g->OnCheckBoxClick = [this](TObject*, int c, int r, bool s) {
            log.push_back(QStringLiteral("click %1 %2 %3").arg(c).arg(r).arg(s));
        };
        g->OnClick = [this](TObject*) { log.push_back(QStringLiteral("onclick")); };
        g->OnDblClick = [this](TObject*) { log.push_back(QStringLiteral("dblclick")); };
        g->OnDblClickCell = [this](TObject*, int r, int c) {
            log.push_back(QStringLiteral("dblclickcell %1 %2").arg(c).arg(r));
        };
        next = new TEdit(&form);
        next->SetParent(&form);
        next->SetBounds(10, 220, 100, 22);
        form.Show();
        QApplication::setActiveWindow(&form);
        g->SetFocus();
    }
    ~TRuleForm() { form.Hide(); }
    QPoint Center(int c, int r)
    {
        const TRect R = g->CellRect(c, r);
        const TPoint o = g->ClientOrigin();
        return QPoint(o.X + (R.Left + R.Right) / 2, o.Y + (R.Top + R.Bottom) / 2);
    }
    QPoint Widget(int x, int y)
    {
        const TPoint o = g->ClientOrigin();
        return QPoint(o.X + x, o.Y + y);
    }
};
} // namespace

TEST(KeysMainRoad, SpaceTogglesTheEnableBoxBothWays)
{
    TRuleForm f;
    f.g->FocusCell(2, 2);
    QTest::keyClick(f.g, Qt::Key_Space);
    EXPECT_EQ(f.g->Cells(2, 2), QStringLiteral("Y"));
    QTest::keyClick(f.g, Qt::Key_Space);
    EXPECT_EQ(f.g->Cells(2, 2), QStringLiteral("N"));
    const std::vector<QString> want{QStringLiteral("change 2 2 1"), QStringLiteral("click 2 2 1"),
                                    QStringLiteral("change 2 2 0"), QStringLiteral("click 2 2 0")};
    std::vector<QString> got;
    for (const QString& s : f.log)
        if (s != QStringLiteral("onclick")) got.push_back(s);
    EXPECT_EQ(got, want);
    EXPECT_FALSE(f.g->EditorMode());
}

TEST(KeysMainRoad, ReadOnlyBoxesToggleOnlyWhenAlwaysActive)
{
    for (bool always : {false, true}) {
        TRuleForm f;
        f.g->ControlLook()->SetCheckAlwaysActive(always);
        f.g->FocusCell(3, 1);
        f.log.clear();
        QTest::keyClick(f.g, Qt::Key_Space);
        QTest::mouseClick(f.g, Qt::LeftButton, {}, f.Center(3, 2));
        EXPECT_EQ(f.g->Cells(3, 1), always ? QStringLiteral("Y") : QStringLiteral("N")) << always;
        EXPECT_EQ(f.g->Cells(3, 2), always ? QStringLiteral("Y") : QStringLiteral("N")) << always;
        const bool anyBoxEvent = std::any_of(f.log.begin(), f.log.end(), [](const QString& s) {
            return s.startsWith(QStringLiteral("change")) || s.startsWith(QStringLiteral("click"));
        });
        EXPECT_EQ(anyBoxEvent, always);
    }
}

TEST(KeysMainRoad, AClickTogglesMakesCurrentAndFiresOnClickOnce)
{
    TRuleForm f;
    QTest::mouseClick(f.g, Qt::LeftButton, {}, f.Center(2, 3));
    EXPECT_EQ(f.g->Cells(2, 3), QStringLiteral("Y"));
    const std::vector<QString> want{QStringLiteral("change 2 3 1"), QStringLiteral("click 2 3 1"),
                                    QStringLiteral("onclick")};
    EXPECT_EQ(f.log, want);
    EXPECT_EQ(f.g->Col(), 2);
    EXPECT_EQ(f.g->Row(), 3);
    EXPECT_FALSE(f.g->EditorMode());
    EXPECT_EQ(f.g->Selection(), TGridRect(2, 3, 2, 3)) << "no range selection starts";
}

TEST(KeysMainRoad, PreciseCheckBoxCheckLimitsTheClickToTheBox)
{
    for (bool precise : {false, true}) {
        TRuleForm f;
        f.g->MouseActions()->SetPreciseCheckBoxCheck(precise);
        const TRect R = f.g->CellRect(2, 1);
        QTest::mouseClick(f.g, Qt::LeftButton, {}, f.Widget(R.Right - 3, R.Bottom - 3));
        EXPECT_EQ(f.g->Cells(2, 1), precise ? QStringLiteral("N") : QStringLiteral("Y")) << precise;
        QTest::mouseClick(f.g, Qt::LeftButton, {}, f.Widget(R.Left + 5, R.Top + 5));
        EXPECT_EQ(f.g->Cells(2, 1), precise ? QStringLiteral("Y") : QStringLiteral("N")) << precise;
    }
}

TEST(KeysMainRoad, WithAHiddenColumnTheClickReportsTheDisplayColumnAndSpaceTheRealOne)
{
    TRuleForm f(true);
    // The "Enable" column (real 2) shows at display column 1.
    QTest::mouseClick(f.g, Qt::LeftButton, {}, f.Center(1, 2));
    EXPECT_EQ(f.g->AllCells(2, 2), QStringLiteral("Y"));
    ASSERT_GE(f.log.size(), 2u);
    EXPECT_EQ(f.log[0], QStringLiteral("change 2 2 1"));
    EXPECT_EQ(f.log[1], QStringLiteral("click 1 2 1"));
    f.log.clear();
    QTest::keyClick(f.g, Qt::Key_Space);
    ASSERT_GE(f.log.size(), 2u);
    EXPECT_EQ(f.log[0], QStringLiteral("change 2 2 0"));
    EXPECT_EQ(f.log[1], QStringLiteral("click 2 2 0"));
}

TEST(KeysMainRoad, ATypedCharacterOpensTheEditorAndArrivesOnce)
{
    for (QChar ch : {QChar('a'), QChar(0xE9), QChar(0x3A9)}) {
        TRuleForm f;
        int presses = 0;
        f.g->OnKeyPress = [&](TObject*, QChar&) { ++presses; };
        f.g->FocusCell(4, 2);
        QKeyEvent press(QEvent::KeyPress, ch.unicode() < 128 ? ch.toUpper().unicode() : 0, Qt::NoModifier,
                        QString(ch));
        QApplication::sendEvent(f.g, &press);
        EXPECT_TRUE(f.g->EditorMode()) << int(ch.unicode());
        ASSERT_NE(f.g->InplaceEditor(), nullptr);
        EXPECT_EQ(f.g->InplaceEditor()->Text(), QString(ch)) << int(ch.unicode());
        EXPECT_EQ(presses, 1) << int(ch.unicode());
    }
}

TEST(KeysMainRoad, EnterGoesToTheWindowsKeyPressWhichCanStopIt)
{
    for (bool zero : {false, true}) {
        TRuleForm f;
        int enters = 0;
        f.g->OnKeyPress = [&](TObject*, QChar& k) {
            if (k.unicode() != 13) return;
            ++enters;
            if (zero) k = QChar(0);
        };
        f.g->FocusCell(4, 2);
        QTest::keyClick(f.g, Qt::Key_Return);
        EXPECT_EQ(enters, 1);
        EXPECT_EQ(f.g->EditorMode(), !zero) << "the grid toggles its editor only when Enter is left alone";
    }
}

TEST(KeysMainRoad, EnterInAReadOnlyGridIsSwallowedUnlessTheFormPreviewsKeys)
{
    for (bool preview : {false, true}) {
        TRuleForm f;
        f.g->SetOptions(f.g->Options() - TGridOptions(goEditing));
        f.form.SetKeyPreview(preview);
        int formEnters = 0, gridKeyDowns = 0;
        f.form.OnKeyPress = [&](TObject*, QChar& k) { formEnters += k.unicode() == 13; };
        f.g->OnKeyDown = [&](TObject*, WORD& k, TShiftState) { gridKeyDowns += k == VK_RETURN; };
        f.g->FocusCell(4, 2);
        QTest::keyClick(f.g, Qt::Key_Return);
        EXPECT_EQ(formEnters, preview ? 1 : 0);
        EXPECT_EQ(gridKeyDowns, 1) << preview;
        EXPECT_FALSE(f.g->EditorMode());
    }
}

TEST(KeysMainRoad, TabLeavesTheGridForTheNextControl)
{
    TRuleForm f;
    f.g->FocusCell(2, 2);
    QTest::keyClick(f.g, Qt::Key_Tab);
    EXPECT_TRUE(f.next->Focused());
    EXPECT_EQ(f.g->Col(), 2);
}

TEST(KeysMainRoad, ADoubleClickOnAHeaderBorderFitsTheColumnAndTheReleaseDoesNotSort)
{
    TRuleForm f;
    f.g->SortSettings()->Show = true;
    int endSize = -1;
    f.g->OnEndColumnSize = [&](TObject*, int c) { endSize = c; };
    const TRect R = f.g->CellRect(3, 0);
    QTest::mouseDClick(f.g, Qt::LeftButton, {}, f.Widget(R.Right - 1, (R.Top + R.Bottom) / 2));
    ASSERT_EQ(f.g->Fits.size(), 1u);
    EXPECT_EQ(f.g->Fits[0], std::make_pair(3, 0));
    EXPECT_EQ(endSize, 3);
    EXPECT_EQ(f.g->Sorts, 0);
}

TEST(KeysMainRoad, ADataCellDoubleClickFiresOnDblClickCellAfterOnDblClick)
{
    TRuleForm f;
    QTest::mouseDClick(f.g, Qt::LeftButton, {}, f.Center(1, 3));
    const auto dbl = std::find(f.log.begin(), f.log.end(), QStringLiteral("dblclick"));
    const auto cell = std::find(f.log.begin(), f.log.end(), QStringLiteral("dblclickcell 1 3"));
    ASSERT_NE(dbl, f.log.end());
    ASSERT_NE(cell, f.log.end());
    EXPECT_LT(dbl, cell);
}
