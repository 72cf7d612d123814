// The EtherNet/IP road from the running program's main window: step 4 imports an
// adapter from its EDS file, the rule is completed and its configuration edited, OK
// writes the rules, and step 6 compiles them into bank 2.

#include "enip_outputs/boot_window.h"
#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_eds_window.h"
#include "enip_outputs/enip_master_window.h"
#include "enip_test_support.h"
#include "support/grid_user_input.h"
#include "platform/ui/dialogs.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/main_window.h"
#include "shell/program_windows.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A started program with the fixture project open, its scanner rules removed, and the
// sample adapter's EDS file under an upper-case extension.
class EnipAccessRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto state = std::make_unique<TWorkingState>(Exe.path());
        state->Create_Program_Folders();
        const QString project = state->Dir_Projects + QStringLiteral("/P1");
        Copy_Tree(Fixture_Path(QStringLiteral("full_project")), project);
        QFile::remove(project + QStringLiteral("/EtherNetIP_Master_Rules.xml"));
        Saved = Install_Working_State(std::move(state));
        Eds = Exe.filePath(QStringLiteral("ADAPTER.EDS"));
        ASSERT_TRUE(QFile::copy(Fixture_Path(QStringLiteral("eds/opener_sample_app.eds")), Eds));

        Dialogs = std::make_unique<TDialogResponder>();
        Create_Program_Windows();
        TWorkingState& ws = WS();
        ws.Project_Name = QStringLiteral("P1");
        ws.Dir_Project = project;
        FKalvoraFirmWare->Set_Files();
    }

    void TearDown() override
    {
        Destroy_Program_Windows();
        Dialogs.reset();
        Install_Working_State(std::move(Saved));
    }

    // Runs step 4; `editor` acts in the rules editor, `nested` answers the windows it opens.
    void Step4(const std::function<void(TFEtherNetIP_Master_Access*)>& editor,
               const std::function<int(TCustomForm*)>& nested)
    {
        TModalScope modal([&](TCustomForm* f) {
            if (f != FEtherNetIP_Master_Access)
                return nested(f);
            editor(FEtherNetIP_Master_Access);
            return int(mrNone);
        });
        FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_EtherNetIP_Access);
    }

    // The picker lists the sample's three connections and its first one is taken.
    int Pick_First(TCustomForm* f)
    {
        EXPECT_EQ(f, FEtherNEtIP_EDS);
        EXPECT_EQ(FEtherNEtIP_EDS->KCG->RowCount(), 4);
        EXPECT_EQ(FEtherNEtIP_EDS->KCG->Row(), 1);
        FEtherNEtIP_EDS->Btn_OK->Click();
        return int(mrNone);
    }

    // The data-segment editor refuses 1 for the first member, then takes 0.
    int Edit_Data_Segment(TCustomForm* f, const std::function<void(int Row, const QString& Text)>& type)
    {
        EXPECT_EQ(f, FEtherNetIP_Data_Seg);
        type(1, QStringLiteral("1"));
        FEtherNetIP_Data_Seg->Btn_OK->Click();
        EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Param Number 1. The Value must be between 0 and 0"));
        EXPECT_EQ(f->ModalResult(), mrNone);
        type(1, QStringLiteral("0"));
        FEtherNetIP_Data_Seg->Btn_OK->Click();
        EXPECT_EQ(f->ModalResult(), mrOk);
        return int(mrNone);
    }

    void Expect_Imported_Row(TFEtherNetIP_Master_Access* w)
    {
        EXPECT_EQ(w->KCG->Cells(15, 1), QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0xE9, 0xFD, 0x82, 0x03"));
        EXPECT_EQ(w->KCG->Cells(17, 1), QStringList(10, QStringLiteral("0x00")).join(QLatin1Char(',')));
        EXPECT_EQ(w->KCG->Cells(10, 1), QStringLiteral("151"));
    }

    // Step 6 compiles the banks; bank 2 holds the rule with its two path strings.
    void Expect_Bank2()
    {
        {
            TModalScope modal([](TCustomForm*) { return int(mrCancel); });
            FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_CreateBin);
        }
        const QByteArray bank = Read_File(WS().Dir_Project + QStringLiteral("/bin/bank2.bin"));
        ASSERT_EQ(bank.size(), 402 + 12 + 14);
        const QByteArray key("\x0A\x00\x34\x04\x01\x00\x0C\x00\xE9\xFD\x82\x03", 12);
        QByteArray segment("\x0C\x00\x80\x05", 4);
        segment += QByteArray(10, '\0');
        EXPECT_EQ(bank.mid(402, 12).toHex(' '), key.toHex(' '));
        EXPECT_EQ(bank.mid(414).toHex(' '), segment.toHex(' '));
        // The entry's key and data-segment addresses point at them.
        EXPECT_EQ(bank.mid(32, 8).toHex(' '), QByteArray("92 01 08 00 9e 01 08 00"));
    }

    QTemporaryDir Exe;
    QString Eds;
    std::unique_ptr<TWorkingState> Saved;
    std::unique_ptr<TDialogResponder> Dialogs;
};

}  // namespace

// The road with the rule's cells written as the grid's editors would leave them.
TEST_F(EnipAccessRoad, ImportEditSaveAndCompile)
{
    int shown = 0;
    Step4(
        [&](TFEtherNetIP_Master_Access* w) {
            Dialogs->QueueFile(Eds);
            w->Btn_Import_EDS->Click();
            Expect_Imported_Row(w);
            const std::pair<int, const char*> typed[] = {{2, "192.168.1.50"}, {3, "0"},  {4, "4"}, {5, "0"},
                                                         {6, "4"},            {7, "100"}, {14, "Y"}, {16, "Y"}};
            for (const auto& [c, text] : typed)
                w->KCG->SetCells(c, 1, QString::fromUtf8(text));
            w->DblClickCell(w->KCG, 1, 17);
            w->Btn_OK->Click();
            EXPECT_EQ(w->ModalResult(), mrOk) << Dialogs->LastText().toStdString();
        },
        [&](TCustomForm* f) {
            ++shown;
            if (f == FEtherNEtIP_EDS)
                return Pick_First(f);
            return Edit_Data_Segment(
                f, [](int r, const QString& t) { FEtherNetIP_Data_Seg->KSG_DataSeg->SetCells(4, r, t); });
        });
    EXPECT_EQ(shown, 2);
    const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(WS().Name_File_EtherNetIP_Master_Rules);
    ASSERT_EQ(rules.Rows.size(), 1u);
    ASSERT_TRUE(rules.Rows[0].TargetCong);
    EXPECT_EQ(rules.Rows[0].TargetCong->Format, QStringLiteral("Assem151"));
    Expect_Bank2();
}

// The same road driven by the keyboard and the mouse as the user drives it.
TEST_F(EnipAccessRoad, ImportEditSaveAndCompileByKeyboardAndMouse)
{
    {
        Step4(
            [&](TFEtherNetIP_Master_Access* w) {
                w->Show();
                QApplication::processEvents();
                Dialogs->QueueFile(Eds);
                QTest::mouseClick(w->Btn_Import_EDS, Qt::LeftButton);
                QApplication::processEvents();
                Expect_Imported_Row(w);
                const std::pair<int, const char*> typed[] = {{2, "192.168.1.50"}, {3, "0"}, {4, "4"},
                                                             {5, "0"},            {6, "4"}, {7, "100"}};
                for (const auto& [c, text] : typed) {
                    Type_In_Cell(w->KCG, c, 1, QString::fromUtf8(text));
                    EXPECT_EQ(w->KCG->Cells(c, 1), QString::fromUtf8(text)) << c;
                }
                for (const int c : {14, 16}) {
                    EXPECT_EQ(w->KCG->Cells(c, 1), QString()) << c;
                    Click_Cell(w->KCG, c, 1);
                    EXPECT_EQ(w->KCG->Cells(c, 1), QStringLiteral("Y")) << c;
                }
                Click_Cell(w->KCG, 17, 1, true);
                QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
                EXPECT_EQ(w->ModalResult(), mrOk) << Dialogs->LastText().toStdString();
            },
            [&](TCustomForm* f) {
                if (f == FEtherNEtIP_EDS)
                    return Pick_First(f);
                f->Show();
                QApplication::processEvents();
                return Edit_Data_Segment(
                    f, [](int r, const QString& t) { Type_In_Cell(FEtherNetIP_Data_Seg->KSG_DataSeg, 4, r, t); });
            });
        Expect_Bank2();
    }
}

// Typing into the rule cells reaches the rules file.
TEST_F(EnipAccessRoad, TypedRuleIsSaved)
{
    Step4(
        [&](TFEtherNetIP_Master_Access* w) {
            w->Show();
            QApplication::processEvents();
            const std::pair<int, const char*> typed[] = {{2, "10.1.2.3"}, {4, "8"}, {6, "2"}, {7, "250"}};
            for (const auto& [c, text] : typed) {
                Type_In_Cell(w->KCG, c, 1, QString::fromUtf8(text));
                EXPECT_EQ(w->KCG->Cells(c, 1), QString::fromUtf8(text)) << c;
            }
            for (const int c : {3, 5, 8, 9, 10, 11})
                w->KCG->SetCells(c, 1, QStringLiteral("1"));
            for (const int c : {12, 13})
                w->KCG->SetCells(c, 1, QStringLiteral("Default"));
            QTest::mouseClick(w->Btn_OK, Qt::LeftButton);
            EXPECT_EQ(w->ModalResult(), mrOk) << Dialogs->LastText().toStdString();
        },
        [](TCustomForm*) { return int(mrCancel); });
    const TEtherNetIP_Master_Rules rules = Read_EtherNetIP_Master_Rules(WS().Name_File_EtherNetIP_Master_Rules);
    ASSERT_EQ(rules.Rows.size(), 1u);
    EXPECT_EQ(rules.Rows[0].IP_Address, QStringLiteral("10.1.2.3"));
    EXPECT_EQ(rules.Rows[0].Num_Input, QStringLiteral("8"));
    EXPECT_EQ(rules.Rows[0].Time_Poll, QStringLiteral("250"));
}
