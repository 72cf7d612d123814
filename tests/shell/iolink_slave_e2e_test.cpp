// Step 3 from the main window, typed as a user would: the IO-Link slave editor
// packs the process data as each edit ends, OK writes IOLink_Slave.xml and step 6
// compiles it into bank 3.

#include "grid/column_grid.h"
#include "params_iolink/iolink_slave_tables.h"
#include "params_iolink/iolink_slave_window.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/forms.h"
#include "common/lb_button.h"
#include "common/qstring_print.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"
#include "shell/window_set.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "support/file_bytes.h"

namespace {

class IOLinkSlaveStep : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Saved = Install_Working_State(std::make_unique<TWorkingState>(Dir.path()));
        Create_Program_Windows();
        TWorkingState& ws = WS();
        Folder = PathJoin(ws.Dir_Projects, QStringLiteral("plant"));
        ASSERT_TRUE(QDir().mkpath(Folder + QStringLiteral("/bin")));
        ws.Project_Name = QStringLiteral("plant");
        ws.Dir_Project = Folder;
        ws.Set_Files();
    }
    void TearDown() override
    {
        if (FKalvoraFirmWare)
            Destroy_Program_Windows();
        Install_Working_State(std::move(Saved));
    }

    // Types Text into a cell as a user does: the first key opens the editor, Return ends the edit.
    static void Type(TKvColumnGrid* G, int ACol, int ARow, const QString& Text)
    {
        G->SetFocus();
        G->FocusCell(ACol, ARow);
        QApplication::processEvents();
        for (const QChar ch : Text) {
            QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : G;
            QTest::keyClicks(w, QString(ch));
        }
        QWidget* w = QApplication::focusWidget() ? QApplication::focusWidget() : G;
        QTest::keyClick(w, Qt::Key_Return);
        QApplication::processEvents();
    }

    static QPoint Center(TKvColumnGrid* G, int ACol, int ARow)
    {
        const TRect r = G->CellRect(ACol, ARow);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }

    static QString Pos(TKvColumnGrid* G, int ARow)
    {
        return G->Cells(pd_Position, ARow) + QLatin1Char('/') + G->Cells(pd_StartBit, ARow);
    }

    QTemporaryDir Dir;
    std::unique_ptr<TWorkingState> Saved;
    QString Folder;
};

}  // namespace

TEST_F(IOLinkSlaveStep, TypedRowsArePackedSavedAndCompiledIntoBankThree)
{
    TDialogResponder answers;
    TModalScope modal([&](TCustomForm* f) -> int {
        if (f != FVIZediZadud)
            return mrCancel;
        TFVIZediZadud* w = FVIZediZadud;
        TKvColumnGrid* in = w->KCG_ProcessData_In;
        Type(in, pd_Name, 1, QStringLiteral("Temperature"));
        Type(in, pd_Length, 1, QStringLiteral("12"));
        EXPECT_EQ(Pos(in, 1), QStringLiteral("0/0"));
        EXPECT_EQ(in->Cells(pd_UnitCode, 1), QStringLiteral("1000"));
        Type(in, pd_Name, 2, QStringLiteral("Status"));
        Type(in, pd_Length, 2, QStringLiteral("5"));
        EXPECT_EQ(Pos(in, 2), QStringLiteral("1/4"));
        // The new Length is in its cell when the edit ends, so row 2 moves at once.
        Type(in, pd_Length, 1, QStringLiteral("16"));
        EXPECT_EQ(Pos(in, 2), QStringLiteral("2/0"));
        Type(in, pd_Length, 1, QStringLiteral("12"));
        EXPECT_EQ(Pos(in, 2), QStringLiteral("1/4"));

        w->PC_ProcessData->SetActivePage(w->TS_PD_Output);
        TKvColumnGrid* out = w->KCG_ProcessData_Out;
        Type(out, pd_Name, 1, QStringLiteral("Command"));
        Type(out, pd_Length, 1, QStringLiteral("9"));
        EXPECT_EQ(Pos(out, 1), QStringLiteral("0/0"));

        w->PageControl1->SetActivePage(w->TS_Variables);
        TKvColumnGrid* var = w->KCG_Variable;
        const char* cells[] = {"100", "Setpoint", "", "8", "1", "0", "1000", "0", "3", "", "2", ""};
        for (int i = 0; i < 12; ++i)
            if (cells[i][0])
                Type(var, var_Index + i, 1, QString::fromLatin1(cells[i]));
        var->SetCells(var_Access, 1, QStringLiteral("Read Write"));  // combo lists are picked, not typed
        var->SetCells(var_StartBitRead, 1, QStringLiteral("0"));
        var->SetCells(var_StartBitWrite, 1, QStringLiteral("0"));

        // An Enable box clicked off and on again repacks.
        w->PageControl1->SetActivePage(w->TS_ProcessData);
        w->PC_ProcessData->SetActivePage(w->TS_PD_Input);
        QApplication::processEvents();
        QTest::mouseClick(in, Qt::LeftButton, {}, Center(in, pd_Enable, 1));
        EXPECT_EQ(in->Cells(pd_Enable, 1), QStringLiteral("N"));
        EXPECT_EQ(Pos(in, 2), QStringLiteral("0/0"));
        QTest::mouseClick(in, Qt::LeftButton, {}, Center(in, pd_Enable, 1));
        EXPECT_EQ(Pos(in, 2), QStringLiteral("1/4"));

        // With the option on, a double click on a header sizes that column to its widest cell + 8.
        WS().Double_Click_Auto_Size = true;
        QTest::mouseDClick(in, Qt::LeftButton, {}, Center(in, pd_Name, 0));
        EXPECT_EQ(in->ColWidths(pd_Name), in->GetCellTextSize(pd_Name, 1, false, false).cx + 8);

        w->Btn_OK->Click();
        return mrNone;
    });
    FKalvoraFirmWare->Btn_IOLink_Set_Access->Click();
    EXPECT_EQ(answers.MessageCount(), 0) << answers.LastText().toStdString();
    ASSERT_TRUE(QFile::exists(WS().Name_File_IOLink_Slave));

    FKalvoraFirmWare->Btn_CreateBin->Click();
    const QByteArray bank = Read_All(Folder + QStringLiteral("/bin/bank3.bin"));
    ASSERT_GE(bank.size(), 28 + 20);
    EXPECT_EQ(Le32_At(bank, 4), 1u);  // one parameter record
    EXPECT_EQ(Le32_At(bank, 20), 17u);
    EXPECT_EQ(Le32_At(bank, 24), 9u);
    EXPECT_EQ(bank.size(), 28 + 20);
}

// The same path without typing: cells filled directly, the packing run as a Length edit
// runs it, OK from step 3, then step 6.
TEST_F(IOLinkSlaveStep, StepThreeSavesWhatStepSixCompiles)
{
    TDialogResponder answers;
    TModalScope modal([&](TCustomForm* f) -> int {
        if (f != FVIZediZadud)
            return mrCancel;
        TFVIZediZadud* w = FVIZediZadud;
        auto item = [](TKvColumnGrid* g, int r, const char* name, const char* length) {
            g->SetCells(pd_Name, r, QString::fromLatin1(name));
            g->SetCells(pd_Length, r, QString::fromLatin1(length));
            Fill_Length_Defaults(g, r);
        };
        item(w->KCG_ProcessData_In, 1, "Temperature", "12");
        item(w->KCG_ProcessData_In, 2, "Status", "5");
        item(w->KCG_ProcessData_Out, 1, "Command", "9");
        w->Compile_Input_Pos_Bit();
        w->Compile_Output_Pos_Bit();
        const char* cells[] = {"Y", "100", "Setpoint", "Read Write", "8", "1", "0", "1000", "0", "3", "0", "2", "0"};
        for (int i = 0; i < 13; ++i)
            w->KCG_Variable->SetCells(var_Enable + i, 1, QString::fromLatin1(cells[i]));
        w->Btn_OK->Click();
        return mrNone;
    });
    FKalvoraFirmWare->Btn_IOLink_Set_Access->Click();
    EXPECT_EQ(answers.MessageCount(), 0) << answers.LastText().toStdString();
    FKalvoraFirmWare->Btn_CreateBin->Click();
    const QByteArray bank = Read_All(Folder + QStringLiteral("/bin/bank3.bin"));
    ASSERT_EQ(bank.size(), 28 + 20);
    EXPECT_EQ(Le32_At(bank, 4), 1u);
    EXPECT_EQ(Le32_At(bank, 20), 17u);
    EXPECT_EQ(Le32_At(bank, 24), 9u);
}
