// The scanner rules editor: loading and saving the rules file, the checks of enabled
// rules, the configuration slots that follow their rows, the EDS import and the
// data-segment editor reached from a rule.

#include "enip_outputs/enip_data_seg_window.h"
#include "enip_outputs/enip_eds_window.h"
#include "enip_outputs/enip_master_window.h"

#include "platform/core/files.h"
#include "platform/core/format_settings.h"
#include "common/lb_button.h"

#include "enip_test_support.h"
#include "enip_window_support.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <functional>

namespace {

const QStringList Valid_Rule = {"Y", "192.168.1.10", "0",       "10",      "0", "10", "100", "1", "100", "1",
                                "101", "Default", "Default", "N", "", "N", "", "N", "rule"};

TTargetConfig Config_Named(const QString& format)
{
    TTargetConfig tc;
    tc.FileName = QStringLiteral("/eds/a.eds");
    tc.Format = format;
    tc.Size = QStringLiteral("2");
    TTC_ParamObj m;
    m.BitSize = QStringLiteral("8");
    m.ParamName = QStringLiteral("Param1");
    m.Name = QStringLiteral("Speed");
    m.DataSizeByte = 1;
    m.DataType = 0xC6;
    m.Max = 255;
    m.Value = m.Default = 7;
    tc.ListParamObject.push_back(m);
    TTC_ParamObj r;
    r.BitSize = QStringLiteral("32");
    r.ParamName = QStringLiteral("Param2");
    r.Name = QStringLiteral("Gain");
    r.DataSizeByte = 4;
    r.DataType = TC_Real_Single;
    r.MaxReal = 100;
    r.ValueReal = r.DefaultReal = 1.25;
    tc.ListParamObject.push_back(r);
    return tc;
}

class MasterWindow : public EnipWindowTest {
protected:
    void SetUp() override
    {
        EnipWindowTest::SetUp();
        Picker = new TFEtherNEtIP_EDS();
        FEtherNEtIP_EDS = Picker;
        Picker->DoCreate();
        Form = new TFEtherNetIP_Master_Access();
        FEtherNetIP_Master_Access = Form;
        Form->DoCreate();
        Editor = new TFEtherNetIP_Data_Seg();
        FEtherNetIP_Data_Seg = Editor;
        Editor->DoCreate();
    }

    void TearDown() override
    {
        delete Editor;
        delete Form;
        delete Picker;
        EnipWindowTest::TearDown();
    }

    QString File() const { return WS().Name_File_EtherNetIP_Master_Rules; }

    // Shows the editor modally; `act` runs while it is open; nested windows answer
    // through `nested` (mrNone: as the window decides).
    int Show(const std::function<void()>& act = {}, const std::function<int(TCustomForm*)>& nested = {})
    {
        TModalScope scope([&](TCustomForm* f) {
            if (f != Form)
                return nested ? nested(f) : int(mrCancel);
            if (act)
                act();
            return int(mrNone);
        });
        return Form->ShowModal();
    }

    QString Cell(int c, int r) const { return Form->KCG->Cells(c, r); }
    void Set(int c, int r, const QString& v) const { Form->KCG->SetCells(c, r, v); }
    void Put_Rule(int r, const QStringList& values = Valid_Rule) const
    {
        for (int c = 1; c <= 19; ++c)
            Set(c, r, values[c - 1]);
    }

    TFEtherNetIP_Master_Access* Form = nullptr;
    TFEtherNEtIP_EDS* Picker = nullptr;
    TFEtherNetIP_Data_Seg* Editor = nullptr;
};

}  // namespace

TEST_F(MasterWindow, WindowSizeTextsColumnsAndHeaderHints)
{
    EXPECT_EQ(Form->ClientWidth(), 1180);
    EXPECT_EQ(Form->ClientHeight(), 337);
    EXPECT_EQ(Form->Caption(), QStringLiteral("Set EtherNet/IP Slaves Access"));
    EXPECT_EQ(Form->L_SW_Code->Caption(), WS().SW_Code);
    EXPECT_EQ(Form->Btn_DelRow->Caption(), QStringLiteral("Delete Row"));
    EXPECT_EQ(Form->Btn_PasteRow->Hint(), QStringLiteral("Paste the Copied Fields in the Selected Row"));
    EXPECT_EQ(Form->Btn_Import_EDS->Caption(), QStringLiteral("Import EDS"));
    EXPECT_EQ(Form->Btn_Import_EDS->Hint(), QStringLiteral("Import a slave EtherNet/IP from EDS File"));
    EXPECT_FALSE(Form->Btn_OK->Hint().isEmpty());
    EXPECT_FALSE(Form->Btn_Cancel->Hint().isEmpty());
    EXPECT_EQ(Form->Btn_Cancel->ModalResult(), mrCancel);
    EXPECT_EQ(Form->Btn_OK->ModalResult(), mrNone);

    TKvColumnGrid* g = Form->KCG;
    ASSERT_EQ(g->ColCount(), 20);
    EXPECT_EQ(g->RowCount(), 11);
    EXPECT_EQ(g->FixedCols(), 1);
    const QStringList headers = {"N",
                                 "Enable",
                                 "IP Address",
                                 "Start Input",
                                 "Num Input",
                                 "Start Output",
                                 "Num Output",
                                 "Time Poll",
                                 "Instance T > O",
                                 "Conn. Point T > O",
                                 "Instance O > T",
                                 "Conn. Point O > T",
                                 "Dim Header T > O",
                                 "Dim Header O > T",
                                 "Enable",
                                 "Electronic Key",
                                 "Enable",
                                 "Data Segment",
                                 "Reset Data",
                                 "Mnemonic"};
    const int widths[] = {40, 50, 110, 70, 70, 85, 85, 70, 90, 105, 95, 105, 120, 110, 45, 100, 45, 100, 80, 95};
    for (int c = 0; c < 20; ++c) {
        EXPECT_EQ(g->Cells(c, 0), headers[c]) << c;
        EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
        const TEditorType e = g->Columns()->Items(c)->Editor();
        const bool box = c == 1 || c == 14 || c == 16 || c == 18;
        const bool combo = c == 12 || c == 13;
        EXPECT_EQ(e, box ? edDataCheckBox : combo ? edComboEdit : edNormal) << c;
        if (combo) {
            EXPECT_EQ(g->Columns()->Items(c)->ComboItems()->Text(), QStringLiteral("Default\r\n"));
        }
    }

    ASSERT_EQ(Form->Hint_List.size(), 19);
    const std::pair<int, const char*> hints[] = {
        {1, "Enable or Disable the Row"},
        {8, "Insert the Instance Target To Oginator (T > O). Default Value 1"},
        {10, "Insert the Instance Oginator To Target (O > T). Default Value 1"},
        {13, "Insert the Dimension Header Oginator To Target (O > T). Default Value 4"},
        {17, "Insert Data Segment bytes. Max 510 bytes"},
        {19, "Description of Slave EtherNet/IP"},
    };
    for (const auto& [c, text] : hints) {
        QString h = QStringLiteral("grid's own");
        Form->GridHint(g, 0, c, h);
        EXPECT_EQ(h, QString::fromUtf8(text)) << c;
    }
    QString h = QStringLiteral("grid's own");
    Form->GridHint(g, 0, 0, h);
    Form->GridHint(g, 3, 5, h);
    EXPECT_EQ(h, QStringLiteral("grid's own"));
}

TEST_F(MasterWindow, ShowingClearsTheRowsAndSlotsAndLoadsTheFile)
{
    ASSERT_TRUE(QFile::copy(Fixture_Path(QStringLiteral("full_project/EtherNetIP_Master_Rules.xml")), File()));
    Show([&] {
        EXPECT_EQ(Cell(2, 1), QStringLiteral("192.168.1.10"));
        EXPECT_EQ(Cell(17, 1), QStringLiteral("1, 0, 232"));
        EXPECT_EQ(Cell(19, 3), QStringLiteral("second"));
        ASSERT_TRUE(Form->ArrTargetConf[0]);
        EXPECT_EQ(Form->ArrTargetConf[0]->Format, QStringLiteral("Assem1"));
        EXPECT_FALSE(Form->ArrTargetConf[1]);
        for (int r = 4; r <= 10; ++r) {
            EXPECT_EQ(Cell(0, r), QString::number(r));
            EXPECT_EQ(Cell(1, r), QStringLiteral("Y"));
            for (int c = 2; c < 20; ++c)
                EXPECT_EQ(Cell(c, r), QString()) << c << "," << r;
        }
        Set(2, 5, QStringLiteral("left over"));
    });
    // Cancel leaves the slot until the next showing, which reads the file afresh.
    EXPECT_TRUE(Form->ArrTargetConf[0]);
    QFile::remove(File());
    Show([&] {
        EXPECT_EQ(Cell(2, 5), QString());
        EXPECT_EQ(Cell(2, 1), QString());
        EXPECT_FALSE(Form->ArrTargetConf[0]);
    });
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MasterWindow, LoadAndSaveUnchangedReproducesTheFile)
{
    // Enabled rules with a key and configurations, and a disabled rule holding anything.
    std::vector<TEtherNetIP_Master_Row> rules(3);
    for (int r = 0; r < 3; ++r)
        for (int a = 0; a < 19; ++a)
            rules[size_t(r)].Field(a) = Valid_Rule[a];
    rules[0].Mnemonic = QStringLiteral("with \"quotes\" & <marks>");
    rules[0].EnableElectronicKey = QStringLiteral("Y");
    rules[0].ElectronicKey = QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0x02, 0x01, 0x82, 0x01");
    rules[0].EnableDataSegment = QStringLiteral("Y");
    rules[0].DataSegment = QStringLiteral("1, 0, 232");
    rules[0].TargetCong = Config_Named(QStringLiteral("Assem1"));
    rules[1].Enable = QStringLiteral("N");
    rules[1].Time_Poll = QStringLiteral("junk");
    rules[1].DataSegment = QStringLiteral("0x10, 300, abc");
    TTargetConfig tc = Config_Named(QStringLiteral("Assem7"));
    tc.ListParamObject[0].Enum = true;
    tc.ListParamObject[0].ListEnum = {{0, QStringLiteral("Off")}, {7, QStringLiteral("On")}};
    tc.ListParamObject[0].EnumString = {QStringLiteral("Off"), QStringLiteral("On")};
    rules[2].TargetCong = tc;
    rules[2].Dim_Header_T_O = QStringLiteral(" default ");
    const QString source = Tmp.filePath(QStringLiteral("source.xml"));
    Write_EtherNetIP_Master_Rules(source, rules);
    ASSERT_TRUE(QFile::copy(source, File()));

    EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk) << Messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Read_File(File()), Read_File(source));
    EXPECT_EQ(Read_EtherNetIP_Master_Rules(File()).Rows, Read_EtherNetIP_Master_Rules(source).Rows);
    // OK frees the configurations once written.
    for (const auto& slot : Form->ArrTargetConf)
        EXPECT_FALSE(slot);
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty()) {
        std::printf("xmllint not installed: well-formedness check skipped\n");
        return;
    }
    EXPECT_EQ(QProcess::execute(QStringLiteral("xmllint"), {QStringLiteral("--noout"), File()}), 0);
}

TEST_F(MasterWindow, DamagedOrOverfullFilesSayWhatHappened)
{
    Write_File(File(), "<EtherNetIP_Master_Access><row Enable=\"Y\" IP_Address=\"1.2.3.4\"");
    Show([&] {
        EXPECT_EQ(Cell(2, 1), QString());
        EXPECT_EQ(Cell(1, 1), QStringLiteral("Y"));
    });
    QStringList shown = Messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(File())) << shown[0].toStdString();

    // Twelve rows: ten are read and one message says so.
    QByteArray xml = "<EtherNetIP_Master_Access>";
    for (int i = 1; i <= 12; ++i)
        xml += QStringLiteral("<row Enable=\"Y\" IP_Address=\"10.0.0.%1\"/>").arg(i).toUtf8();
    xml += "</EtherNetIP_Master_Access>";
    Write_File(File(), xml);
    Dialogs->Requests.clear();
    Show([&] {
        EXPECT_EQ(Cell(2, 10), QStringLiteral("10.0.0.10"));
        // A row without an attribute gets the reader's default.
        EXPECT_EQ(Cell(12, 1), QStringLiteral("Default"));
        EXPECT_EQ(Cell(14, 1), QStringLiteral("N"));
    });
    shown = Messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("2 further rules"))) << shown[0].toStdString();
}

TEST_F(MasterWindow, EnabledRulesAreCheckedInOrder)
{
    struct TCase {
        int Col;
        const char* Text;
        const char* Message;  // after "Error row 1"; "" when the rule passes
    };
    const char* ip = "!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)";
    const char* poll = "!! Poll Time must be between 1 and 100000000";
    const char* key = "!! Eletronic Key must contain 8 bytes";
    const char* keyByte = "!! Eletronic Key one or more bytes are wrong. Bytes must have a value between 0 and 255";
    const char* segByte = "!! Data Segment one or more bytes are wrong. Bytes must have a value between 0 and 255";
    const QString items510 = QStringList(510, QStringLiteral("0x00")).join(QLatin1Char(','));
    const std::string seg510 = items510.toStdString(), seg511 = (items510 + QStringLiteral(",1")).toStdString();
    const TCase cases[] = {
        {2, "192.168.1.256", ip},
        {2, "192.168.1", ip},
        {3, "-1", "!! Start Input must be major or equal to 0"},
        {4, "65536", "!! Num Input must be major or equal to 0"},
        {5, "x", "!! Start Output must be major or equal to 0"},
        {6, "", "!! Num Output must be major or equal to 0"},
        {7, "0", poll},
        {7, "100000001", poll},
        {7, "1", ""},
        {7, "100000000", ""},
        {7, "50 ", poll},  // a trailing blank is no number
        {8, "65536", "!! Instance T > O must be between 0 and 65535. Default Value 1"},
        {9, "-2", "!! Connection Point T > O must be between 0 and 65535. Default Value 100"},
        {10, "$10000", "!! Instance O > T must be between 0 and 65535. Default Value 1"},
        {11, "0x10000", "!! Connection Point O > T must be between 0 and 65535. Default Value 101"},
        {11, "0xFFFF", ""},
        {12, " default ", ""},
        {12, "DEFAULT", ""},
        {12, "7", ""},
        {12, "8", "!! Dimension Header T > O must be between 0 and 7. Default Value 0"},
        {13, "8", "!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
        {13, "", "!! Dimension Header O > T must be between 0 and 7. Default Value 4"},
        {15, "", "!! Eletronic Key must contain 8 bytes"},
        {15, "1,2,3,4,5,6,7", key},
        {15, "1,2,3,4,5,6,7,256", keyByte},
        {15, "1,2,3,4,5,6,7,8,", keyByte},
        {15, "0x01, 0x00, 0x0C, 0x00, 0x02, 0x01, 0x82, 0x01", ""},
        {15, " 1, $2 ,3,4,5,6,7,8 ", ""},
        {17, "", "!! Data Segment must contain at least one byte"},
        {17, "1,,2", segByte},
        {17, "0x100", segByte},
        {17, "1, 0, 232", ""},
        {17, seg510.c_str(), ""},
        {17, seg511.c_str(), "!! Data Segment must at max 510 bytes"},
    };
    for (const TCase& c : cases) {
        Dialogs->Requests.clear();
        Show([&] {
            Put_Rule(1);
            Set(14, 1, QStringLiteral("Y"));
            Set(15, 1, QStringLiteral("1,2,3,4,5,6,7,8"));
            Set(16, 1, QStringLiteral("y"));
            Set(17, 1, QStringLiteral("1"));
            Set(c.Col, 1, QString::fromUtf8(c.Text));
            EXPECT_EQ(Form->Controllo_dati(), !*c.Message) << c.Col << " '" << c.Text << "'";
        });
        const QStringList shown = Messages();
        if (*c.Message) {
            ASSERT_EQ(shown.size(), 1) << c.Col << " '" << c.Text << "'";
            EXPECT_EQ(shown[0], QStringLiteral("Error row 1") + QString::fromUtf8(c.Message));
            EXPECT_EQ(Dialogs->Requests[0].DlgType, mtError);
        } else {
            EXPECT_TRUE(shown.isEmpty()) << c.Col << " '" << c.Text << "': " << shown.join(QLatin1Char('|')).toStdString();
        }
    }
}

TEST_F(MasterWindow, TheWalkStopsAtAnEmptyEnabledRowAndDisabledRowsAreSkipped)
{
    // Row 2 enabled without an address ends the walk; row 3 is never looked at, and
    // saving writes row 1 only.
    Show([&] {
        Put_Rule(1);
        Put_Rule(3);
        Set(7, 3, QStringLiteral("0"));
        EXPECT_TRUE(Form->Controllo_dati());
        Form->Btn_OK->Click();
    });
    TEtherNetIP_Master_Rules saved = Read_EtherNetIP_Master_Rules(File());
    ASSERT_EQ(saved.Rows.size(), 1u);
    EXPECT_EQ(saved.Rows[0].IP_Address, QStringLiteral("192.168.1.10"));

    // A disabled empty row 1 does not end the walk, but it ends the writing.
    QFile::remove(File());
    Show([&] {
        Set(1, 1, QStringLiteral("N"));
        Put_Rule(2);
        Set(2, 2, QStringLiteral("300.1.1.1"));
        EXPECT_FALSE(Form->Controllo_dati());
        EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Error row 2!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"));
        Set(2, 2, QStringLiteral("10.0.0.2"));
        Form->Btn_OK->Click();
    });
    EXPECT_TRUE(Read_EtherNetIP_Master_Rules(File()).Rows.empty());
    // A disabled row with anything in it is not checked, and is written as it is.
    Show([&] {
        Put_Rule(1);
        Set(1, 1, QStringLiteral("N"));
        Set(7, 1, QStringLiteral("never"));
        Form->Btn_OK->Click();
    });
    saved = Read_EtherNetIP_Master_Rules(File());
    ASSERT_EQ(saved.Rows.size(), 1u);
    EXPECT_EQ(saved.Rows[0].Time_Poll, QStringLiteral("never"));
}

TEST_F(MasterWindow, TotalsAreCheckedAfterTheWalk)
{
    struct TCase {
        int In1, In2, Out1, Out2;
        const char* Message;
    };
    const TCase cases[] = {
        {1000, 439, 0, 0, "Error!! The Total Number of Input Bytes must be between 0 and 1438"},
        {1000, 438, 0, 0, ""},
        {0, 0, 1438, 1, "Error!! The Total Number of Output Bytes must be between 0 and 1438"},
        // A bad row after the totals' excess is found first: totals come last.
        {1000, 439, 0, 0, "Error row 3!! Poll Time must be between 1 and 100000000"},
    };
    for (const TCase& c : cases) {
        const bool badThird = std::string(c.Message).find("row 3") != std::string::npos;
        Dialogs->Requests.clear();
        Show([&] {
            Put_Rule(1);
            Put_Rule(2);
            Set(4, 1, QString::number(c.In1));
            Set(4, 2, QString::number(c.In2));
            Set(6, 1, QString::number(c.Out1));
            Set(6, 2, QString::number(c.Out2));
            if (badThird) {
                Put_Rule(3);
                Set(4, 3, QStringLiteral("0"));
                Set(7, 3, QStringLiteral("0"));
            }
            // Disabled rules do not count.
            Put_Rule(5);
            Set(1, 5, QStringLiteral("N"));
            Set(4, 5, QStringLiteral("1000"));
            Form->Controllo_dati();
        });
        const QStringList shown = Messages();
        if (*c.Message)
            EXPECT_EQ(shown, QStringList{QString::fromUtf8(c.Message)});
        else
            EXPECT_TRUE(shown.isEmpty()) << shown.join(QLatin1Char('|')).toStdString();
    }
}

TEST_F(MasterWindow, ByteListChecks)
{
    struct TCase {
        const char* Text;
        int Key, Segment;
    };
    const TCase cases[] = {
        {"1,2,3,4,5,6,7,8", 255, 255},
        {"0x01, 0x00, 0x0C, 0x00, 0xE9, 0xFD, 0x82, 0x03", 255, 255},
        {"1,2,3,4,5,6,7", 2, 255},
        {"1,2,3,4,5,6,7,8,9", 2, 255},
        {"1,2,3,4,5,6,7,256", 1, 1},
        {"1,2,,4,5,6,7,8", 1, 1},
        {"1,2,3,4,5,6,7,8,", 1, 1},
        {"0x82 ", 2, 255},
        {"x", 1, 1},
        {"-1", 1, 1},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(TFEtherNetIP_Master_Access::CheckBytesElectronicKey(QString::fromUtf8(c.Text)), c.Key) << c.Text;
        EXPECT_EQ(TFEtherNetIP_Master_Access::CheckBytesDataSegment(QString::fromUtf8(c.Text)), c.Segment) << c.Text;
    }
    // Path items are hexadecimal digits.
    EXPECT_EQ(TFEtherNetIP_Master_Access::Err_Check_Data_Path(QStringLiteral("20, 04,24 ,FF"), 4), 0);
    EXPECT_EQ(TFEtherNetIP_Master_Access::Err_Check_Data_Path(QStringLiteral("20,04"), 4), 2);
    EXPECT_EQ(TFEtherNetIP_Master_Access::Err_Check_Data_Path(QStringLiteral("20,100"), 2), 1);
    EXPECT_EQ(TFEtherNetIP_Master_Access::Err_Check_Data_Path(QStringLiteral("20,zz"), 2), 1);
}

TEST_F(MasterWindow, SlotsFollowTheirRows)
{
    Show([&] {
        for (int r = 1; r <= 5; ++r) {
            Put_Rule(r);
            Set(19, r, QStringLiteral("rule %1").arg(r));
            Form->ArrTargetConf[size_t(r - 1)] =
                std::make_unique<TTargetConfig>(Config_Named(QStringLiteral("Assem%1").arg(r)));
        }
        auto format = [&](int r) {
            const auto& s = Form->ArrTargetConf[size_t(r - 1)];
            return s ? s->Format : QString();
        };

        // No to the question keeps everything.
        Form->KCG->SetRow(3);
        Dialogs->QueueResult(mrNo);
        Form->Btn_DelRow->Click();
        EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 3"));
        EXPECT_EQ(format(3), QStringLiteral("Assem3"));

        Dialogs->QueueResult(mrYes);
        Form->Btn_DelRow->Click();
        EXPECT_EQ(Cell(19, 3), QStringLiteral("rule 4"));
        EXPECT_EQ(Cell(19, 4), QStringLiteral("rule 5"));
        EXPECT_EQ(format(3), QStringLiteral("Assem4"));
        EXPECT_EQ(format(4), QStringLiteral("Assem5"));
        EXPECT_EQ(format(5), QString());
        EXPECT_EQ(Cell(2, 10), QString());
        EXPECT_EQ(format(10), QString());

        Form->KCG->SetRow(2);
        Form->Btn_InsRow->Click();
        EXPECT_EQ(Cell(1, 2), QStringLiteral("Y"));
        EXPECT_EQ(Cell(2, 2), QString());
        EXPECT_EQ(format(2), QString());
        EXPECT_EQ(format(3), QStringLiteral("Assem2"));
        EXPECT_EQ(format(5), QStringLiteral("Assem5"));
        EXPECT_EQ(Cell(19, 5), QStringLiteral("rule 5"));

        // A full table refuses the insert with the row routine's message; the slots
        // stay with their rows.
        for (int r = 6; r <= 10; ++r)
            Put_Rule(r);
        Form->ArrTargetConf[9] = std::make_unique<TTargetConfig>(Config_Named(QStringLiteral("Last")));
        const int before = Dialogs->MessageCount();
        Form->Btn_InsRow->Click();
        EXPECT_EQ(Dialogs->MessageCount(), before + 1);
        EXPECT_EQ(format(10), QStringLiteral("Last"));
        EXPECT_EQ(format(3), QStringLiteral("Assem2"));

        // Paste gives the target row a copy of the copied row's configuration with its texts.
        Form->KCG->SetRow(3);
        Form->Btn_CopyRowClick(nullptr);
        EXPECT_TRUE(Form->Do_Copy);
        Form->KCG->SetRow(4);
        Dialogs->QueueResult(mrYes);
        Form->Btn_PasteRowClick(nullptr);
        EXPECT_EQ(Cell(19, 4), Cell(19, 3));
        EXPECT_EQ(format(4), QStringLiteral("Assem2"));
        EXPECT_NE(Form->ArrTargetConf[3].get(), Form->ArrTargetConf[2].get());
    });
}

TEST_F(MasterWindow, APastedRowTakesTheCopiedConfigurationThroughSaveAndReload)
{
    TTargetConfig own = Config_Named(QStringLiteral("Assem3"));
    own.ListParamObject.resize(1);
    own.ListParamObject[0].Name = QStringLiteral("Row three");
    own.ListParamObject[0].Value = 3;
    auto segment = [&](int r, const TTargetConfig& tc) {
        Set(16, r, QStringLiteral("Y"));
        Set(17, r, tc.GetConfigStrData());
        Form->ArrTargetConf[size_t(r - 1)] = std::make_unique<TTargetConfig>(tc);
    };
    // Copy row 1, paste on row 3 (saving writes the rows up to the first without address).
    Show([&] {
        for (int r = 1; r <= 4; ++r)
            Put_Rule(r);
        segment(1, Config_Named(QStringLiteral("Assem1")));
        segment(3, own);
        segment(4, own);
        Form->KCG->SetRow(1);
        Form->Btn_CopyRow->Click();
        Form->KCG->SetRow(3);
        Dialogs->QueueResult(mrYes);
        Form->Btn_PasteRow->Click();
        EXPECT_EQ(Cell(17, 3), Cell(17, 1));
        ASSERT_TRUE(Form->ArrTargetConf[2]);
        EXPECT_EQ(*Form->ArrTargetConf[2], *Form->ArrTargetConf[0]);

        // A clipboard that holds another grid's row since brings no configuration.
        WS().SL_Copy_Row[18] = QStringLiteral("from elsewhere");
        Form->KCG->SetRow(4);
        Dialogs->QueueResult(mrYes);
        Form->Btn_PasteRow->Click();
        EXPECT_EQ(Cell(19, 4), QStringLiteral("from elsewhere"));
        EXPECT_FALSE(Form->ArrTargetConf[3]);
        Set(16, 4, QStringLiteral("N"));
        Form->Btn_OK->Click();
    });
    ASSERT_EQ(Form->ModalResult(), mrOk) << Messages().join(QLatin1Char('|')).toStdString();

    QStringList members;
    Show(
        [&] {
            ASSERT_TRUE(Form->ArrTargetConf[2]);
            EXPECT_EQ(Form->ArrTargetConf[2]->GetConfigStrData(), Cell(17, 3));
            EXPECT_EQ(Cell(17, 3), Cell(17, 1));
            EXPECT_FALSE(Form->ArrTargetConf[3]);
            Form->DblClickCell(Form->KCG, 3, 17);
        },
        [&](TCustomForm* f) {
            EXPECT_EQ(f, Editor);
            for (int r = 1; r < Editor->KSG_DataSeg->RowCount(); ++r)
                members << Editor->KSG_DataSeg->Cells(1, r);
            return int(mrCancel);
        });
    EXPECT_EQ(members, (QStringList{QStringLiteral("Speed"), QStringLiteral("Gain")}));
}

TEST_F(MasterWindow, DoubleClickOnADataSegmentEditsItsConfiguration)
{
    int shown = 0;
    auto editor = [&](int answer, const char* typed) {
        return [&, answer, typed](TCustomForm* f) {
            EXPECT_EQ(f, Editor);
            ++shown;
            EXPECT_NE(Editor->TC, nullptr);
            EXPECT_NE(Editor->TC, Form->ArrTargetConf[1].get());  // a copy is edited
            Editor->KSG_DataSeg->SetCells(4, 1, QString::fromUtf8(typed));
            Editor->KSG_DataSeg->SetCells(4, 2, QStringLiteral("2,5"));
            if (answer == mrOk)
                Editor->Btn_OK->Click();
            return answer;
        };
    };
    Show(
        [&] {
            Put_Rule(2);
            Set(17, 2, QStringLiteral("typed"));
            Form->ArrTargetConf[1] = std::make_unique<TTargetConfig>(Config_Named(QStringLiteral("Assem9")));
            // Cancel: the rule stays as it was.
            Form->DblClickCell(Form->KCG, 2, 17);
            EXPECT_EQ(Cell(17, 2), QStringLiteral("typed"));
            EXPECT_EQ(Form->ArrTargetConf[1]->ListParamObject[0].Value, 7);
        },
        editor(mrCancel, "20"));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Editor->TC, nullptr);
    Show(
        [&] {
            Form->ArrTargetConf[1] = std::make_unique<TTargetConfig>(Config_Named(QStringLiteral("Assem9")));
            Form->DblClickCell(Form->KCG, 2, 17);
            EXPECT_EQ(Cell(17, 2), QStringLiteral("0x14,0x00,0x00,0x20,0x40"));
            EXPECT_EQ(Form->ArrTargetConf[1]->ListParamObject[0].Value, 20);
            EXPECT_DOUBLE_EQ(Form->ArrTargetConf[1]->ListParamObject[1].ValueReal, 2.5);
            // Other cells, and rows without a configuration, open nothing.
            Form->DblClickCell(Form->KCG, 2, 16);
            Form->DblClickCell(Form->KCG, 3, 17);
            Form->DblClickCell(Form->KCG, 0, 17);
        },
        editor(mrOk, "20"));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(Editor->TC, nullptr);
}

TEST_F(MasterWindow, TargetConfigurationRealsSurviveALocaleChange)
{
    TFormatSettings comma;
    comma.DecimalSeparator = QLatin1Char(',');
    comma.ThousandSeparator = QLatin1Char('.');
    const TTargetConfig tc = Config_Named(QStringLiteral("Assem3"));
    {
        const TFormatSettingsScope scope(comma);
        Show([&] {
            Put_Rule(1);
            Form->ArrTargetConf[0] = std::make_unique<TTargetConfig>(tc);
            Form->Btn_OK->Click();
        });
        EXPECT_TRUE(Read_File(File()).contains("ValueReal=\"1,25\""));
    }
    Show([&] {
        ASSERT_TRUE(Form->ArrTargetConf[0]);
        EXPECT_EQ(*Form->ArrTargetConf[0], tc);
        Form->Btn_OK->Click();
    });
    EXPECT_TRUE(Read_File(File()).contains("ValueReal=\"1.25\""));
    const TFormatSettingsScope scope(comma);
    Show([&] {
        ASSERT_TRUE(Form->ArrTargetConf[0]);
        EXPECT_EQ(*Form->ArrTargetConf[0], tc);
    });
}

TEST_F(MasterWindow, RendersToPng)
{
    ASSERT_TRUE(QFile::copy(Fixture_Path(QStringLiteral("full_project/EtherNetIP_Master_Rules.xml")), File()));
    Show([&] {
        QApplication::processEvents();
        QImage img;
        EXPECT_TRUE(Save_Window_Png(Form, "enip_master_window.png", &img));
        EXPECT_EQ(img.width(), 1180);
        EXPECT_EQ(img.height(), 337);
    });
}

namespace {

// A small adapter file: one connection without configuration assembly, and the
// identity lines when given.
QString Small_Eds(const QString& dir, const QString& name, const char* device)
{
    QStringList items(15);
    items[0] = QStringLiteral("0x84010002");
    items[1] = QStringLiteral("0x0400");
    items[12] = QStringLiteral("\"Name\"");
    items[13] = QStringLiteral("\"Help\"");
    items[14] = QStringLiteral("\"20 04 24 66 2C 64 2C 65\"");
    const QString path = dir + QLatin1Char('/') + name;
    Write_File(path, QByteArray(device) + "[Connection Manager]\nConnection1 = " + items.join(QLatin1Char(',')).toUtf8() +
                         ";\n");
    return path;
}

}  // namespace

TEST_F(MasterWindow, ImportFillsTheFirstFreeRowFromThePickedConnection)
{
    int pickerShown = 0;
    auto pick = [&](TCustomForm* f) {
        EXPECT_EQ(f, Picker);
        ++pickerShown;
        Picker->KCG->SetRow(1);
        return int(mrOk);
    };
    Dialogs->QueueFile(Fixture_Path(QStringLiteral("eds/opener_sample_app.eds")));
    Show(
        [&] {
            Put_Rule(1);
            Set(8, 2, QStringLiteral("5"));  // an instance alone makes the row taken
            Set(14, 3, QStringLiteral("N"));
            Set(15, 3, QStringLiteral("old key"));
            Form->Btn_Import_EDS->Click();
            const std::pair<int, const char*> expected[] = {{10, "151"}, {11, "150"},      {8, "151"},
                                                            {9, "100"},  {12, "Default"}, {13, "Default"}};
            for (const auto& [c, text] : expected)
                EXPECT_EQ(Cell(c, 3), QString::fromUtf8(text)) << c;
            EXPECT_EQ(Cell(15, 3), QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0xE9, 0xFD, 0x82, 0x03"));
            EXPECT_EQ(Cell(17, 3), QStringList(10, QStringLiteral("0x00")).join(QLatin1Char(',')));
            // The Enable boxes and the address are the user's.
            EXPECT_EQ(Cell(14, 3), QStringLiteral("N"));
            EXPECT_EQ(Cell(1, 3), QStringLiteral("Y"));
            EXPECT_EQ(Cell(2, 3), QString());
            ASSERT_TRUE(Form->ArrTargetConf[2]);
            EXPECT_EQ(Form->ArrTargetConf[2]->Format, QStringLiteral("Assem151"));
            EXPECT_EQ(Form->ArrTargetConf[2]->ListParamObject.size(), 10u);
            EXPECT_EQ(Cell(8, 2), QStringLiteral("5"));
            EXPECT_EQ(Cell(10, 2), QString());
        },
        pick);
    EXPECT_EQ(pickerShown, 1);
    ASSERT_GE(Dialogs->Requests.size(), 1u);
    const TDialogRequest& open = Dialogs->Requests[0];
    EXPECT_EQ(open.Kind, TDialogRequest::dkOpenFile);
    EXPECT_EQ(open.Filter, QStringLiteral("EtherNet/IP EDS (*.eds)|*.eds"));
    EXPECT_TRUE(MatchesFilterPattern(QStringLiteral("ADAPTER.EDS"), QStringLiteral("*.eds")));
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(MasterWindow, ImportKeyIdentityAndRefusals)
{
    QTemporaryDir dir;
    const QString identity = Small_Eds(dir.path(), QStringLiteral("IDENT.EDS"),
                                       "[Device]\nVendCode = 1;\nProdType = 12;\nProdCode = 0x0102;\n"
                                       "MajRev = 2;\nMinRev = 1;\n");
    const QString zero = Small_Eds(dir.path(), QStringLiteral("zero.eds"), "");
    int pickerShown = 0;
    int answer = mrOk;
    auto pick = [&](TCustomForm*) {
        ++pickerShown;
        return answer;
    };
    Show(
        [&] {
            Dialogs->QueueFile(identity);
            Form->Btn_Import_EDS->Click();
            EXPECT_EQ(Cell(15, 1), QStringLiteral("0x01, 0x00, 0x0C, 0x00, 0x02, 0x01, 0x82, 0x01"));
            EXPECT_EQ(Cell(10, 1), QStringLiteral("102"));
            EXPECT_EQ(Cell(17, 1), QString());
            EXPECT_FALSE(Form->ArrTargetConf[0]);

            // An all-zero identity leaves the key cell as it is.
            Set(15, 2, QStringLiteral("mine"));
            Dialogs->QueueFile(zero);
            Form->Btn_Import_EDS->Click();
            EXPECT_EQ(Cell(10, 2), QStringLiteral("102"));
            EXPECT_EQ(Cell(15, 2), QStringLiteral("mine"));

            // A cancelled file question shows no picker; the picker's Cancel changes nothing.
            const int before = pickerShown;
            Dialogs->QueueCancel();
            Form->Btn_Import_EDS->Click();
            EXPECT_EQ(pickerShown, before);
            answer = mrCancel;
            Dialogs->QueueFile(identity);
            Form->Btn_Import_EDS->Click();
            EXPECT_EQ(pickerShown, before + 1);
            EXPECT_EQ(Cell(10, 3), QString());

            // A full grid: nothing happens, and nothing is said.
            answer = mrOk;
            for (int r = 1; r <= 10; ++r)
                Put_Rule(r);
            const std::vector<TEtherNetIP_Master_Row> full = Form->Grid_Rules();
            Dialogs->QueueFile(identity);
            Form->Btn_Import_EDS->Click();
            EXPECT_EQ(Form->Grid_Rules(), full);
        },
        pick);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(MasterWindow, ImportOfAnUnreadableFileChangesNothing)
{
    Dialogs->QueueFile(QStringLiteral("/proc/self/mem"));
    Show(
        [&] {
            Form->Btn_Import_EDS->Click();
            for (int c = 2; c < 20; ++c)
                EXPECT_EQ(Cell(c, 1), QString()) << c;
        },
        [](TCustomForm*) { return int(mrNone); });  // the picker decides: it cancels
    const QStringList shown = Messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("/proc/self/mem")));
}

TEST_F(MasterWindow, ImportOfAnUndecodableConfigurationKeepsValuesAndKey)
{
    const QString file = QStringLiteral(KV_SHARED_TESTDATA_DIR "/eds_enip/murr_55542_MVK_ME_DIO16_4P_V1_15.eds");
    if (!FileExists(file))
        GTEST_SKIP() << "shared EDS test data not present: " << file.toStdString();
    Dialogs->QueueFile(file);
    Show(
        [&] {
            Form->Btn_Import_EDS->Click();
            EXPECT_EQ(Cell(10, 1), QStringLiteral("170"));
            EXPECT_EQ(Cell(8, 1), QStringLiteral("170"));
            EXPECT_EQ(Cell(11, 1), QStringLiteral("140"));
            EXPECT_EQ(Cell(9, 1), QStringLiteral("100"));
            EXPECT_EQ(Cell(15, 1), QStringLiteral("0x80, 0x02, 0x07, 0x00, 0xF6, 0xD8, 0x81, 0x0D"));
            EXPECT_EQ(Cell(17, 1), QString());
            EXPECT_FALSE(Form->ArrTargetConf[0]);
        },
        [](TCustomForm*) { return int(mrOk); });
    const QStringList shown = Messages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("Assem200"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(file)) << shown[0].toStdString();
}

TEST_F(MasterWindow, LanguageChangeRelabelsTheEditorAndThePicker)
{
    const QString file = Tmp.filePath(QStringLiteral("Other.lng"));
    Write_File(file, "STR5300 =Regeln\nSTR5304 =Zeile weg\nSTR5310 =Loescht die Zeile\nSTR5316 =Adresse\n"
                     "STR5324 =Die Adresse\nSTR5400 =Verbindung waehlen\nSTR5407 =Name der Verbindung\n");
    ASSERT_TRUE(Load_Lang_File(file));
    Form->Set_Lang();
    Picker->Set_Lang();
    EXPECT_EQ(Form->Caption(), QStringLiteral("Regeln"));
    EXPECT_EQ(Form->Btn_DelRow->Caption(), QStringLiteral("Zeile weg"));
    EXPECT_EQ(Form->Btn_DelRow->Hint(), QStringLiteral("Loescht die Zeile"));
    EXPECT_EQ(Form->KCG->Cells(2, 0), QStringLiteral("Adresse"));
    ASSERT_EQ(Form->Hint_List.size(), 19);
    EXPECT_EQ(Form->Hint_List[1], QStringLiteral("Die Adresse"));
    EXPECT_EQ(Picker->Caption(), QStringLiteral("Verbindung waehlen"));
    EXPECT_EQ(Picker->KCG->Cells(1, 0), QStringLiteral("Name der Verbindung"));
}

TEST_F(MasterWindow, EnterJumpsToTheNextCellWhenTheOptionIsOn)
{
    Show([&] {
        Form->KCG->FocusCell(19, 1);
        QChar enter(13);
        WS().Enable_Jump_Field_Tables = false;
        Form->KCG->OnKeyPress(Form->KCG, enter);
        EXPECT_EQ(enter, QChar(13));
        WS().Enable_Jump_Field_Tables = true;
        Form->KCG->OnKeyPress(Form->KCG, enter);
        EXPECT_EQ(enter, QChar(0));
        EXPECT_EQ(Form->KCG->Col(), 1);
        EXPECT_EQ(Form->KCG->Row(), 2);
    });
}
