// The data-segment editor: one row per configuration member, range checks with their
// messages, enumerations picked from a list, and the copy it edits.

#include "enip_outputs/enip_data_seg_window.h"

#include "platform/core/format_settings.h"
#include "common/lb_button.h"

#include "enip_window_support.h"

#include <QApplication>
#include <QTest>

#include <functional>

namespace {

TTC_ParamObj Member(const char* name, int type, int bytes, int64_t min, int64_t max, int64_t def)
{
    TTC_ParamObj m;
    m.BitSize = QString::number(bytes * 8);
    m.ParamName = QStringLiteral("Param_") + QString::fromLatin1(name);
    m.Name = QString::fromLatin1(name);
    m.DataType = type;
    m.DataSizeByte = bytes;
    m.Min = min;
    m.Max = max;
    m.Default = def;
    m.Value = def;
    return m;
}

// Speed 0..255, Gain a real 0..100, Mode an enumeration, then a filler byte.
TTargetConfig Sample_Config()
{
    TTargetConfig tc;
    tc.FileName = QStringLiteral("/eds/adapter.eds");
    tc.Size = QStringLiteral("8");
    tc.Format = QStringLiteral("Assem5");
    tc.AO_Name = QStringLiteral("Config");
    tc.AO_SizeBit = QStringLiteral("8");
    tc.ListParamObject.push_back(Member("Speed", 0xC6, 1, 0, 255, 10));
    TTC_ParamObj gain = Member("Gain", TC_Real_Single, 4, 0, 0, 0);
    gain.MinReal = 0;
    gain.MaxReal = 100;
    gain.DefaultReal = gain.ValueReal = 1.5;
    tc.ListParamObject.push_back(gain);
    TTC_ParamObj mode = Member("Mode", 0xC6, 1, 0, 2, 1);
    mode.Enum = true;
    for (const auto& [v, d] : {std::pair{0, "Off"}, {1, "On"}, {2, "Fast"}, {3, "On"}}) {
        mode.ListEnum.push_back({v, QString::fromLatin1(d)});
        mode.EnumString << QString::fromLatin1(d);
    }
    tc.ListParamObject.push_back(mode);
    TTC_ParamObj filler;
    filler.BitSize = QStringLiteral("8");
    filler.Empty = true;
    filler.DataSizeByte = 1;
    tc.ListParamObject.push_back(filler);
    return tc;
}

TFormatSettings Comma_Locale()
{
    TFormatSettings s;
    s.DecimalSeparator = QLatin1Char(',');
    s.ThousandSeparator = QLatin1Char('.');
    return s;
}

class DataSegWindow : public EnipWindowTest {
protected:
    void SetUp() override
    {
        EnipWindowTest::SetUp();
        Form = new TFEtherNetIP_Data_Seg();
        FEtherNetIP_Data_Seg = Form;
        Form->DoCreate();
        Config = Sample_Config();
        Form->TC = &Config;
    }

    void TearDown() override
    {
        delete Form;
        EnipWindowTest::TearDown();
    }

    // Shows the editor modally; `act` runs while it is open.
    int Show(const std::function<void()>& act = {})
    {
        TModalScope scope([&](TCustomForm*) {
            if (act)
                act();
            return int(mrNone);
        });
        return Form->ShowModal();
    }

    QString Cell(int c, int r) const { return Form->KSG_DataSeg->Cells(c, r); }
    void Type(int r, const char* text) const { Form->KSG_DataSeg->SetCells(4, r, QString::fromUtf8(text)); }

    TFEtherNetIP_Data_Seg* Form = nullptr;
    TTargetConfig Config;
};

}  // namespace

TEST_F(DataSegWindow, WindowSizeTextsAndHeaders)
{
    EXPECT_EQ(Form->ClientWidth(), 800);
    EXPECT_EQ(Form->ClientHeight(), 337);
    EXPECT_EQ(Form->Caption(), QStringLiteral("EtherNet/IP Data Segment Editor"));
    EXPECT_EQ(Form->L_SW_Desc->Caption(), QStringLiteral("EtherNet/IP Data Segment Editor"));
    EXPECT_EQ(Form->L_SW_Code->Caption(), WS().SW_Code);
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the Data Segment octet string"));
    EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit without save the Data Segment"));
    const TKvStringGrid* g = Form->KSG_DataSeg;
    ASSERT_EQ(g->ColCount(), 9);
    EXPECT_EQ(g->FixedCols(), 1);
    EXPECT_EQ(g->FixedRows(), 1);
    const QStringList headers = {"Param", "Name", "Num Bytes", "Data Type", "Value", "Default", "Min", "Max", "Value (int)"};
    const int widths[] = {45, 100, 60, 60, 200, 60, 60, 60, 60};
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(g->Cells(c, 0), headers[c]) << c;
        EXPECT_EQ(g->ColWidths(c), widths[c]) << c;
    }
    EXPECT_TRUE(g->Options().Contains(goEditing));
}

TEST_F(DataSegWindow, ShowingFillsOneRowPerMember)
{
    Show([&] {
        const TKvStringGrid* g = Form->KSG_DataSeg;
        // Editing is on, and no edit is open until the user starts one.
        EXPECT_TRUE(g->Options().Contains(goEditing));
        EXPECT_FALSE(g->EditMode);
        ASSERT_EQ(g->RowCount(), 5);
        const QStringList rows[] = {
            {"1", "Speed", "1", "198", "10", "10", "0", "255", ""},
            {"2", "Gain", "4", "202", "1.5", "1.5", "0", "100", ""},
            {"3", "Mode", "1", "198", "On", "1", "0", "2", "1"},
            {"4", "", "1", "0", "0", "0", "0", "0", ""},
        };
        for (int r = 1; r <= 4; ++r) {
            for (int c = 0; c < 9; ++c) {
                EXPECT_EQ(Cell(c, r), rows[r - 1][c]) << c << "," << r;
                // Only the value column takes typing, and not for a filler.
                EXPECT_EQ(g->ReadOnly(c, r), c != 4 || r == 4) << c << "," << r;
            }
            EXPECT_EQ(g->Colors(4, r), TFEtherNetIP_Data_Seg::Value_Color);
        }
    });
    // Reals follow the user's decimal separator.
    const TFormatSettingsScope comma(Comma_Locale());
    Show([&] { EXPECT_EQ(Cell(4, 2), QStringLiteral("1,5")); });
}

TEST_F(DataSegWindow, EnumeratedValuesGetAListOthersPlainText)
{
    TKvStringGrid* g = Form->KSG_DataSeg;
    Show();
    g->AddComboString(QStringLiteral("left over"));
    TEditorType e = edNormal;
    Form->KSG_DataSegGetEditorType(g, 4, 3, e);
    EXPECT_EQ(e, edComboList);
    EXPECT_EQ(g->ComboItems()->Text(), QStringLiteral("Off\r\nOn\r\nFast\r\nOn\r\n"));
    Form->KSG_DataSegGetEditorType(g, 4, 1, e);
    EXPECT_EQ(e, edNormal);
    EXPECT_EQ(g->GetComboCount(), 0);
    // Other columns keep the grid's choice.
    e = edSpinEdit;
    Form->KSG_DataSegGetEditorType(g, 5, 3, e);
    EXPECT_EQ(e, edSpinEdit);

    // A pick writes the number at once; a repeated description gives its first value, an
    // unknown one the default.
    Form->KSG_DataSegComboChange(g, 4, 3, 2, QStringLiteral("Fast"));
    EXPECT_EQ(Cell(8, 3), QStringLiteral("2"));
    EXPECT_EQ(Config.ListParamObject[2].Value, 2);
    Form->KSG_DataSegComboChange(g, 4, 3, 3, QStringLiteral("On"));
    EXPECT_EQ(Config.ListParamObject[2].Value, 1);
    Form->KSG_DataSegComboChange(g, 4, 3, 0, QStringLiteral("Stop"));
    EXPECT_EQ(Config.ListParamObject[2].Value, 1);
}

TEST_F(DataSegWindow, PickedEnumerationSurvivesOK)
{
    const int result = Show([&] {
        // The grid reports the pick through its event.
        ASSERT_TRUE(Form->KSG_DataSeg->OnComboChange);
        Form->KSG_DataSeg->OnComboChange(Form->KSG_DataSeg, 4, 3, 2, QStringLiteral("Fast"));
        // Column 4 still holds the old description; the picked number counts.
        Form->Btn_OK->Click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Config.ListParamObject[2].Value, 2);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(DataSegWindow, ValuesAreCheckedAgainstTheirRanges)
{
    struct TCase {
        int Row;
        const char* Text;
        const char* Message;  // "" when the value passes
    };
    const TCase cases[] = {
        {1, "256", "Param Number 1. The Value must be between 0 and 255"},
        {1, "-1", "Param Number 1. The Value must be between 0 and 255"},
        {1, "12 ", "Param Number 1. The Value must be between 0 and 255"},  // a trailing blank is no number
        {1, "", "Param Number 1. The Value must be between 0 and 255"},
        {1, "255", ""},
        {1, " 12", ""},
        {1, "$1F", ""},
        {2, "100.5", "Param Number 2. The Value must be between 0.00 and 100.00"},
        {2, "abc", "Param Number 2. The Value must be between 0.00 and 100.00"},
        {2, "50,5", ""},
        {2, "50.5", ""},
        {2, " 100 ", ""},
        {4, "1", "Param Number 4. The Value must be between 0 and 0"},
    };
    for (const TCase& c : cases) {
        Dialogs->Requests.clear();
        Show([&] {
            Type(c.Row, c.Text);
            EXPECT_EQ(Form->Check_Value(), !*c.Message) << c.Row << " '" << c.Text << "'";
        });
        const QStringList shown = Messages();
        if (*c.Message) {
            ASSERT_EQ(shown.size(), 1) << c.Text;
            EXPECT_EQ(shown[0], QString::fromUtf8(c.Message));
            EXPECT_EQ(Dialogs->Requests[0].DlgType, mtError);
        } else {
            EXPECT_TRUE(shown.isEmpty()) << c.Text << ": " << shown.join(QLatin1Char('|')).toStdString();
        }
    }
}

TEST_F(DataSegWindow, EitherDecimalMarkUnderEitherLocale)
{
    for (const TFormatSettings& locale : {TFormatSettings(), Comma_Locale()}) {
        const TFormatSettingsScope scope(locale);
        for (const char* text : {"50,5", "50.5"}) {
            Config.ListParamObject[1].ValueReal = 0;
            EXPECT_EQ(Show([&] {
                          Type(2, text);
                          Form->Btn_OK->Click();
                      }),
                      mrOk)
                << text;
            EXPECT_DOUBLE_EQ(Config.ListParamObject[1].ValueReal, 50.5) << text;
        }
    }
    // The message's reals carry the locale's separators and two decimals.
    Config.ListParamObject[1].MaxReal = 1000.5;
    const TFormatSettingsScope scope(Comma_Locale());
    Show([&] {
        Type(2, "2000");
        EXPECT_FALSE(Form->Check_Value());
    });
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Param Number 2. The Value must be between 0,00 and 1.000,50"));
}

TEST_F(DataSegWindow, OneBadMemberStoresNothing)
{
    const int result = Show([&] {
        Type(1, "20");
        Type(2, "99");
        Type(4, "5");
        Form->Btn_OK->Click();
        EXPECT_EQ(Form->ModalResult(), mrNone);
        Form->Btn_Cancel->Click();
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(Config, Sample_Config());
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Param Number 4. The Value must be between 0 and 0")});

    // All good: every plain member takes its typed value.
    EXPECT_EQ(Show([&] {
                  Type(1, "0x20");
                  Type(2, " 99,25 ");
                  Form->Btn_OK->Click();
              }),
              mrOk);
    EXPECT_EQ(Config.ListParamObject[0].Value, 32);
    EXPECT_DOUBLE_EQ(Config.ListParamObject[1].ValueReal, 99.25);
    EXPECT_EQ(Config.ListParamObject[3].Value, 0);
}

TEST_F(DataSegWindow, ConfigurationWithoutMembersShowsOneEmptyRow)
{
    TTargetConfig empty;
    empty.Size = QStringLiteral("4");
    Form->TC = &empty;
    Show([&] {
        TKvStringGrid* g = Form->KSG_DataSeg;
        ASSERT_EQ(g->RowCount(), 2);
        for (int c = 0; c < 9; ++c) {
            EXPECT_EQ(Cell(c, 1), QString()) << c;
            EXPECT_TRUE(g->ReadOnly(c, 1)) << c;
        }
    });
    // Shown again with members after an empty one, the value cells take typing again.
    Form->TC = &Config;
    Show([&] { EXPECT_FALSE(Form->KSG_DataSeg->ReadOnly(4, 1)); });
    Form->TC = &empty;
    EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(DataSegWindow, CopyIsDeep)
{
    const std::unique_ptr<TTargetConfig> copy = TFEtherNetIP_Data_Seg::CopyTargetConf(Config);
    ASSERT_NE(copy.get(), &Config);
    EXPECT_EQ(*copy, Config);
    copy->ListParamObject[2].ListEnum[0].Description = QStringLiteral("changed");
    copy->ListParamObject[0].Value = 99;
    EXPECT_EQ(Config, Sample_Config());
}

TEST_F(DataSegWindow, RendersToPng)
{
    Show([&] {
        QApplication::processEvents();
        QImage img;
        ASSERT_TRUE(Save_Window_Png(Form, "enip_data_seg_window.png", &img));
        EXPECT_EQ(img.width(), 800);
        EXPECT_EQ(img.height(), 337);
        // The value column's light blue, off the text.
        const TRect r = Form->KSG_DataSeg->CellRect(4, 1);
        const TPoint p = Form->KSG_DataSeg->ClientToScreen(Point(r.Right - 4, r.Bottom - 3));
        const QPoint local = Form->mapFromGlobal(QPoint(p.X, p.Y));
        EXPECT_EQ(FromQColor(img.pixelColor(local)), TFEtherNetIP_Data_Seg::Value_Color);
    });
}

TEST_F(DataSegWindow, ListPickByKeyboardReachesTheValue)
{
    Show([&] {
        Form->Show();
        QApplication::processEvents();
        TKvStringGrid* g = Form->KSG_DataSeg;
        g->FocusCell(4, 3);
        g->SetFocus();
        QApplication::processEvents();
        QTest::keyClick(g, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(g);
        QTest::keyClick(editor, Qt::Key_Down);  // "On" to "Fast"
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(Cell(4, 3), QStringLiteral("Fast"));
        EXPECT_EQ(Cell(8, 3), QStringLiteral("2"));
        Form->Btn_OK->Click();
    });
    EXPECT_EQ(Config.ListParamObject[2].Value, 2);
}
