// The EDS connection picker: the list of an adapter's connections, the close by timer
// when a file offers none, and an unreadable file.

#include "enip_outputs/enip_eds_window.h"

#include "enip_test_support.h"
#include "enip_window_support.h"

#include "common/lb_button.h"

#include <QApplication>
#include <QElapsedTimer>

#include <functional>

namespace {

class EdsWindow : public EnipWindowTest {
protected:
    void SetUp() override
    {
        EnipWindowTest::SetUp();
        Form = new TFEtherNEtIP_EDS();
        FEtherNEtIP_EDS = Form;
        Form->DoCreate();
    }

    void TearDown() override
    {
        delete Form;
        EnipWindowTest::TearDown();
    }

    // Shows the picker modally for a file; `act` runs while it is open and its answer
    // is the button pressed (mrNone: the window decides).
    int Show(const QString& file, const std::function<int()>& act = {})
    {
        Form->EDS_FileName = file;
        TModalScope scope([&](TCustomForm*) { return act ? act() : int(mrNone); });
        return Form->ShowModal();
    }

    // Lets the event loop run until the window has chosen its result, or 2 s.
    int Wait_For_Close()
    {
        QElapsedTimer t;
        t.start();
        while (Form->ModalResult() == mrNone && t.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return mrNone;
    }

    QString Cell(int c, int r) const { return Form->KCG->Cells(c, r); }

    QString Sample() const { return Fixture_Path(QStringLiteral("eds/opener_sample_app.eds")); }

    TFEtherNEtIP_EDS* Form = nullptr;
};

}  // namespace

TEST_F(EdsWindow, WindowSizeTextsAndColumns)
{
    EXPECT_EQ(Form->ClientWidth(), 1150);
    EXPECT_EQ(Form->ClientHeight(), 337);
    EXPECT_EQ(Form->Caption(), QStringLiteral("EtherNet/IP EDS Decode - Select the Connection to use"));
    EXPECT_EQ(Form->L_SW_Desc->Caption(), QStringLiteral("Select the Connection To use"));
    EXPECT_EQ(Form->L_SW_Code->Caption(), WS().SW_Code);
    EXPECT_EQ(Form->Btn_OK->Caption(), QStringLiteral("OK"));
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm the Connection to use with the EtherNet/IP Device"));
    EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit without select any EtherNet/IP Device Connection"));
    const TKvColumnGrid* g = Form->KCG;
    ASSERT_EQ(g->ColCount(), 9);
    EXPECT_EQ(g->FixedCols(), 0);
    EXPECT_EQ(g->FixedRows(), 1);
    EXPECT_TRUE(g->Options().Contains(goRowSelect));
    EXPECT_FALSE(g->Options().Contains(goEditing));
    const QStringList headers = {"Connection",        "Connection Name",  "Help String",
                                 "Instance O > T",    "Conn. Point O > T", "Instance T > O",
                                 "Conn. Point T > O", "Dim Header O > T",  "Dim Header T > O"};
    const int widths[] = {100, 200, 100, 110, 120, 110, 120, 125, 125};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(g->Columns()->Items(c)->Header(), headers[c]) << c;
        EXPECT_EQ(g->Cells(c, 0), headers[c]) << c;
        EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
    }
}

TEST_F(EdsWindow, ListsTheConnectionsOfTheSampleAdapter)
{
    const int result = Show(Sample(), [&] {
        EXPECT_EQ(Form->KCG->RowCount(), 4);
        EXPECT_EQ(Form->KCG->Row(), 1);
        Form->Btn_OK->Click();
        return int(mrNone);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Messages().isEmpty());
    const QStringList row1 = {"Connection1", "\"Exlusive Owner\"", "\"\"", "151", "150", "151", "100", "Default", "Default"};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(Cell(c, 1), row1[c]) << c;
    EXPECT_EQ(Cell(0, 3), QStringLiteral("Connection3"));
    EXPECT_EQ(Cell(4, 2), QStringLiteral("152"));
    EXPECT_EQ(Cell(7, 2), QStringLiteral("3"));  // a format other than the default shows its number
    ASSERT_EQ(Form->List_Conn.size(), 3u);
    EXPECT_EQ(Form->Current_Connection(), &Form->List_Conn[0]);
    EXPECT_EQ(Form->VendCode, 1);
    EXPECT_EQ(Form->ProdCode, 65001);
}

TEST_F(EdsWindow, NoConnectionClosesWithOneMessageOnceOnScreen)
{
    Show(Sample(), [] { return int(mrCancel); });
    QTemporaryDir dir;
    const QString none = dir.filePath(QStringLiteral("none.eds"));
    Write_File(none, "[Device]\nVendCode = 5;\n[Connection Manager]\nConnection1 = 0,1,,,;\n");
    for (const QString& file : {none, dir.filePath(QStringLiteral("missing.eds"))}) {
        Dialogs->Requests.clear();
        int rows = -1;
        const int result = Show(file, [&] {
            // Nothing is said before the window has been on screen.
            EXPECT_TRUE(Messages().isEmpty());
            EXPECT_TRUE(Form->TClose->Enabled());
            rows = Form->KCG->RowCount();
            return Wait_For_Close();
        });
        EXPECT_EQ(result, mrCancel) << file.toStdString();
        EXPECT_EQ(Messages(), QStringList{QStringLiteral("Error!! No Valid Connection found")});
        EXPECT_EQ(rows, 2);
        for (int c = 0; c < 9; ++c)
            EXPECT_EQ(Cell(c, 1), QString()) << c;
        EXPECT_TRUE(Form->List_Conn.empty());
        EXPECT_FALSE(Form->TClose->Enabled());
    }
    EXPECT_EQ(Form->VendCode, 0);  // the missing file came last
}

TEST_F(EdsWindow, CancelBeforeTheTimerSaysNothing)
{
    QTemporaryDir dir;
    const QString none = dir.filePath(QStringLiteral("none.eds"));
    Write_File(none, "[Connection Manager]\n");
    EXPECT_EQ(Show(none, [] { return int(mrCancel); }), mrCancel);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(EdsWindow, UnreadableFileIsNamedOnceAndCancels)
{
    Show(Sample(), [] { return int(mrCancel); });
    ASSERT_EQ(Form->List_Conn.size(), 3u);
    // Reading this file fails with an I/O error, as a damaged medium would.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    const int result = Show(unreadable, [&] { return Wait_For_Close(); });
    EXPECT_EQ(result, mrCancel);
    const QStringList shown = Messages();
    ASSERT_EQ(shown.size(), 1) << shown.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(shown[0].contains(unreadable)) << shown[0].toStdString();
    EXPECT_TRUE(Form->List_Conn.empty());
    EXPECT_EQ(Form->KCG->RowCount(), 2);
    EXPECT_EQ(Cell(1, 1), QString());
    EXPECT_EQ(Form->Current_Connection(), nullptr);
}

TEST_F(EdsWindow, RendersToPng)
{
    Show(Sample(), [&] {
        QApplication::processEvents();
        QImage img;
        EXPECT_TRUE(Save_Window_Png(Form, "enip_eds_window.png", &img));
        EXPECT_EQ(img.width(), 1150);
        EXPECT_EQ(img.height(), 337);
        return int(mrCancel);
    });
}
