// Faults a user met on the main road with real keys and clicks, each pinned where the
// user met it: the data-segment editor, the list cells of step 3 and their first
// opening, keys typed at once after reaching a list cell, the double click on the
// current data-segment cell, texts cut short, and buttons left in their hover colour.

#include "main_road.h"

#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_eds_window.h"
#include "enip_outputs/enip_master_window.h"
#include "grid/column_grid.h"
#include "grid/grid_editor_controls.h"
#include "params_iolink/iolink_slave_window.h"
#include "platform/ui/graphics.h"
#include "common/lb_button.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

namespace {

using MainRoadInput = TProgramSession;

// The open in-place editor of a grid: its combo, or the focused text editor.
bool Editor_Open(TKvStringGrid* G)
{
    QWidget* f = QApplication::focusWidget();
    return G->EditMode && f && f != G && G->isAncestorOf(f);
}

// What the screen shows of a control.
QImage Screen_Image(TE2eUser& U, const QWidget* W)
{
    const QRect r = U.Screen_Rect(W);
    U.Sync();
    return U.Ui([r] { return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage(); });
}

}  // namespace

// Typing, F2, a click on the current cell and a double click all open the value's
// editor, on plain rows and on enumerated ones; a value out of range is refused.
TEST_F(MainRoadInput, DataSegmentEditorTakesInput)
{
    Open_Project(QStringLiteral("Valves"));
    Run([](TE2eUser& u) {
        Open_Step4_With_Valve_Island(u);
        Open_Data_Segment(u, 1);
        TKvStringGrid* g = FEtherNetIP_Data_Seg->KSG_DataSeg;

        // Row 1, "Switch Delay" (10 to 1000): typed over the cell.
        Type_Into(u, g, 4, 1, QStringLiteral("250"));
        Wait_Cell(u, g, 4, 1, QStringLiteral("250"));
        // Row 4, "Pressure Limit" (a real): F2, then the text replaced.
        u.Click_Cell(g, 4, 4);
        u.Keys(QStringLiteral("F2 ctrl+a"));
        u.Type(QStringLiteral("7.25"));
        u.Keys(QStringLiteral("Return"));
        Wait_Cell(u, g, 4, 4, QStringLiteral("7.25"));
        // A second click on the current cell, then a double click on it: each opens the editor.
        u.Click_Cell(g, 4, 4);
        u.Wait(QStringLiteral("the editor opened by a click on the current cell"), [g] { return Editor_Open(g); });
        u.Keys(QStringLiteral("Escape"));
        u.Click_Cell(g, 4, 1);
        u.Sync();
        u.Double_Click_Cell(g, 4, 1);
        u.Wait(QStringLiteral("the editor opened by a double click"), [g] { return Editor_Open(g); });
        u.Keys(QStringLiteral("Escape"));
        // Row 2, "Fault Mode": enumerated, its list opens on the current cell.
        u.Click_Cell(g, 4, 2);
        u.Click_Cell(g, 4, 2);
        u.Wait(QStringLiteral("the list of the enumerated value"), [g] { return g->EditCombo()->isVisible(); });
        u.Keys(QStringLiteral("Escape"));
        // Out of range: the message names the row and the range, and the window stays.
        Type_Into(u, g, 4, 1, QStringLiteral("5000"));
        Wait_Cell(u, g, 4, 1, QStringLiteral("5000"));
        u.Snapshot(FEtherNetIP_Data_Seg, QStringLiteral("typed"));
        u.Click(FEtherNetIP_Data_Seg->Btn_OK);
        EXPECT_EQ(u.Message_Text(), QStringLiteral("Param Number 1. The Value must be between 10 and 1000"));
        u.Answer(QStringLiteral("OK"));
        EXPECT_TRUE(u.Ui([] { return FEtherNetIP_Data_Seg->isVisible(); }));
    });
}

// A fresh program: the first list cell clicked twice opens its list editor, keeps the
// keys, and takes the item chosen.
TEST_F(MainRoadInput, FirstListOpeningWorks)
{
    Open_Project(QStringLiteral("Plant"));
    Run([](TE2eUser& u) {
        Open_Step3(u, FVIZediZadud->TS_Variables);
        TKvStringGrid* g = FVIZediZadud->KCG_Variable;
        u.Click_Cell(g, 4, 1);
        u.Click_Cell(g, 4, 1);
        u.Wait(QStringLiteral("the Access list editor"), [g] { return Editor_Open(g) && g->EditCombo()->isVisible(); });
        u.Keys(QStringLiteral("alt+Down"));
        u.Wait(QStringLiteral("the Access list dropped down"), [g] { return g->EditCombo()->DroppedDown(); });
        u.Snapshot(FVIZediZadud, QStringLiteral("list"));
        // The list opens on its first item, "Read Only"; Down takes the next.
        u.Keys(QStringLiteral("Down Return Return"));
        Wait_Cell(u, g, 4, 1, QStringLiteral("Write Only"));
    });
}

// A fresh program: a digit typed as the first entry of a list cell is the digit.
TEST_F(MainRoadInput, FirstDigitInAListCellLands)
{
    Open_Project(QStringLiteral("Plant"));
    Run([](TE2eUser& u) {
        Open_Step3(u, FVIZediZadud->TS_Variables);
        TKvStringGrid* g = FVIZediZadud->KCG_Variable;
        Type_Into(u, g, 11, 1, QStringLiteral("5"));
        Wait_Cell(u, g, 11, 1, QStringLiteral("5"));
    });
}

// Keys typed at full speed right after reaching a list cell, by an arrow key or by a
// click, land in order in every row.
TEST_F(MainRoadInput, KeysRightAfterReachingAListCellLand)
{
    Open_Project(QStringLiteral("Plant"));
    Run([](TE2eUser& u) {
        Open_Step3(u, FVIZediZadud->TS_Variables);
        TKvStringGrid* g = FVIZediZadud->KCG_Variable;
        // A list opens on its first item; each letter takes the next item it begins.
        const std::pair<const char*, const char*> access[] = {
            {"W", "Write Only"}, {"R", "Read Write"}, {"RR", "Read Only"}};
        for (int r = 1; r <= 8; ++r) {
            u.Click_Cell(g, 3, r);
            u.Keys(QStringLiteral("Right"));
            u.Type(QString::fromLatin1(access[r % 3].first));
            u.Keys(QStringLiteral("Return"));
        }
        for (int r = 1; r <= 8; ++r) {
            u.Click_Cell(g, 13, r);
            u.Type(QString::number(r % 8));
            u.Keys(QStringLiteral("Return"));
        }
        for (int r = 1; r <= 8; ++r) {
            Wait_Cell(u, g, 4, r, QString::fromLatin1(access[r % 3].second));
            Wait_Cell(u, g, 13, r, QString::number(r % 8));
        }
        u.Snapshot(FVIZediZadud, QStringLiteral("typed"));
    });
}

// A double click on the current Data Segment cell opens the data-segment editor, also
// when a click on it has opened the text editor already.
TEST_F(MainRoadInput, DoubleClickOnTheCurrentDataSegmentCellOpensItsEditor)
{
    Open_Project(QStringLiteral("Valves"));
    Run([](TE2eUser& u) {
        Open_Step4_With_Valve_Island(u);
        TKvStringGrid* g = FEtherNetIP_Master_Access->KCG;
        for (const bool editing : {false, true}) {
            u.Click_Cell(g, 17, 1);
            if (editing) {
                u.Click_Cell(g, 17, 1);
                u.Wait(QStringLiteral("the text editor on the cell"), [g] { return Editor_Open(g); });
            }
            u.Sync();
            Open_Data_Segment(u, 1);
            u.Click(FEtherNetIP_Data_Seg->Btn_Cancel);
            u.Wait_Hidden(FEtherNetIP_Data_Seg);
        }
    });
}

namespace {

// Whether a header wraps whole into its cell: each word within the column's width and
// the lines, filled word by word, within the header row, measured in the header font.
bool Header_Fits(TKvStringGrid* G, int Col)
{
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font()->Assign(*G->FixedFont());
    const int width = G->ColWidths(Col) - 4;
    int lines = 1;
    QString line;
    for (const QString& word : G->Cells(Col, 0).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (c->TextWidth(word) > width)
            return false;
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (c->TextWidth(longer) > width) {
            ++lines;
            line = word;
        } else {
            line = longer;
        }
    }
    return lines * c->TextHeight(QStringLiteral("Wg")) <= G->RowHeights(0) - 2;
}

void Expect_Headers_Readable(TE2eUser& U, TKvStringGrid* G)
{
    const QStringList cut = U.Ui([G] {
        QStringList out;
        for (int c = 0; c < G->ColCount(); ++c)
            if (!Header_Fits(G, c))
                out << G->Cells(c, 0);
        return out;
    });
    EXPECT_TRUE(cut.isEmpty()) << "headers cut short: " << cut.join(QStringLiteral(" | ")).toStdString();
}

}  // namespace

// Step 4's texts read whole: the EDS dialog's filter, the rules' headers and the
// data-segment editor's headers.
TEST_F(MainRoadInput, TextsReadWhole)
{
    Open_Project(QStringLiteral("Valves"));
    Run([](TE2eUser& u) {
        Open_Step4(u);
        u.Click(FEtherNetIP_Master_Access->Btn_Import_EDS);
        EXPECT_EQ(u.File_Dialog_Filter(), QStringLiteral("EtherNet/IP EDS (*.eds)"));
        u.Choose_File(Valve_Island_Eds());
        u.Wait_Shown(FEtherNEtIP_EDS);
        u.Click(FEtherNEtIP_EDS->Btn_OK);
        u.Wait_Hidden(FEtherNEtIP_EDS);
        Expect_Headers_Readable(u, FEtherNetIP_Master_Access->KCG);
        u.Snapshot(FEtherNetIP_Master_Access, QStringLiteral("rule_headers"));
        Open_Data_Segment(u, 1);
        Expect_Headers_Readable(u, FEtherNetIP_Data_Seg->KSG_DataSeg);
        u.Snapshot(FEtherNetIP_Data_Seg, QStringLiteral("data_segment_headers"));
    });
}

// A data-segment editor opened again shows OK and Cancel as at its first opening,
// not in the hover colour of the click that closed it.
TEST_F(MainRoadInput, ReopenedEditorButtonsAreNotHovered)
{
    Open_Project(QStringLiteral("Valves"));
    Run([](TE2eUser& u) {
        Open_Step4_With_Valve_Island(u);
        Open_Data_Segment(u, 1);
        const QImage ok = Screen_Image(u, FEtherNetIP_Data_Seg->Btn_OK);
        const QImage cancel = Screen_Image(u, FEtherNetIP_Data_Seg->Btn_Cancel);
        u.Click(FEtherNetIP_Data_Seg->Btn_OK);
        u.Wait_Hidden(FEtherNetIP_Data_Seg);
        Open_Data_Segment(u, 1);
        EXPECT_EQ(Screen_Image(u, FEtherNetIP_Data_Seg->Btn_OK), ok);
        EXPECT_EQ(Screen_Image(u, FEtherNetIP_Data_Seg->Btn_Cancel), cancel);
        u.Snapshot(FEtherNetIP_Data_Seg, QStringLiteral("reopened"));
    });
}
