// The IO-Link slave editor: packing, defaults and checks on its grids, the row
// commands, the file's round trip through the window, the texts and a picture.

#include "params_iolink/iolink_slave_tables.h"
#include "params_iolink/iolink_slave_texts.h"
#include "params_iolink/iolink_slave_window.h"

#include "enip_outputs/bank_compiler.h"
#include "grid/column_grid.h"
#include "platform/core/format_settings.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/iolink_slave_file.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/qstring_print.h"
#include "common/working_state.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/modal_show.h"
#include "support/test_project.h"

#include "support/file_bytes.h"

#include <functional>
#include <memory>

namespace {

class IOLinkSlaveWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Tmp.isValid());
        Previous = Install_Test_Project(Tmp);
        ASSERT_TRUE(QDir(WS().Dir_Project).exists());
        Add_Lang_Block_Source(&IOLinkSlave_Lang_Blocks);
        Init_Lang_Table();
        Dialogs = std::make_unique<TDialogResponder>();
        Form = new TFVIZediZadud();
        Form->DoCreate();
        In = Form->KCG_ProcessData_In;
        Out = Form->KCG_ProcessData_Out;
        Var = Form->KCG_Variable;
    }

    void TearDown() override
    {
        delete Form;
        Dialogs.reset();
        Remove_Lang_Block_Source(&IOLinkSlave_Lang_Blocks);
        Init_Lang_Table();
        Install_Working_State(std::move(Previous));
    }

    QString File() const { return WS().Name_File_IOLink_Slave; }

    void Write(const QByteArray& bytes)
    {
        QFile f(File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    int Show(const std::function<void()>& act = {}) { return Show_Modal(Form, act); }

    QStringList Messages() const { return Message_Texts(*Dialogs); }

    // A process-data row that passes the checks.
    static void Item(TKvStringGrid* G, int Row, const QString& Name, int Length)
    {
        G->SetCells(pd_Name, Row, Name);
        G->SetCells(pd_Length, Row, QString::number(Length));
        Fill_Length_Defaults(G, Row);
    }

    // A variable row that passes the checks with empty process data.
    static void Variable(TKvStringGrid* G, int Row, int Index)
    {
        const char* cells[] = {"Y", "", "v", "Read Write", "8", "1", "0", "1000", "0", "0", "0", "0", "0", "", ""};
        for (int i = 0; i < 15; ++i)
            G->SetCells(i + 1, Row, QString::fromLatin1(cells[i]));
        G->SetCells(var_Index, Row, QString::number(Index));
    }

    QTemporaryDir Tmp;
    std::unique_ptr<TWorkingState> Previous;
    std::unique_ptr<TDialogResponder> Dialogs;
    TFVIZediZadud* Form = nullptr;
    TKvColumnGrid *In = nullptr, *Out = nullptr, *Var = nullptr;
};

}  // namespace

// ---------------------------------------------------------------------- packing

TEST_F(IOLinkSlaveWindow, PackingLaysEnabledItemsBitAfterBit)
{
    Clear_IOLink_Grid(In);
    Item(In, 1, QStringLiteral("a"), 12);
    Item(In, 2, QStringLiteral("off"), 7);
    In->SetCells(pd_Enable, 2, QStringLiteral("N"));
    In->SetCells(pd_Position, 2, QStringLiteral("44"));
    In->SetCells(pd_StartBit, 2, QStringLiteral("5"));
    Item(In, 3, QStringLiteral("b"), 5);
    Item(In, 5, QStringLiteral("c"), 1);  // row 4 empty: the walk goes on
    Form->Compile_Input_Pos_Bit();
    EXPECT_EQ(In->Cells(pd_Position, 1), QStringLiteral("0"));
    EXPECT_EQ(In->Cells(pd_StartBit, 1), QStringLiteral("0"));
    EXPECT_EQ(In->Cells(pd_Position, 2), QStringLiteral("44"));
    EXPECT_EQ(In->Cells(pd_StartBit, 2), QStringLiteral("5"));
    EXPECT_EQ(In->Cells(pd_Position, 3), QStringLiteral("1"));
    EXPECT_EQ(In->Cells(pd_StartBit, 3), QStringLiteral("4"));
    EXPECT_EQ(In->Cells(pd_Position, 5), QStringLiteral("2"));
    EXPECT_EQ(In->Cells(pd_StartBit, 5), QStringLiteral("1"));
}

TEST_F(IOLinkSlaveWindow, HugeLengthsDoNotOverflowThePacking)
{
    Clear_IOLink_Grid(Out);
    Item(Out, 1, QStringLiteral("a"), 2147483647);
    Item(Out, 2, QStringLiteral("b"), 2147483647);
    Item(Out, 3, QStringLiteral("c"), 8);
    Form->Compile_Output_Pos_Bit();
    EXPECT_EQ(Out->Cells(pd_Position, 3), QStringLiteral("536870911"));
    EXPECT_EQ(Out->Cells(pd_StartBit, 3), QStringLiteral("6"));
}

TEST_F(IOLinkSlaveWindow, ALengthEditPacksAndFillsTheDefaults)
{
    Clear_IOLink_Grid(In);
    In->SetCells(pd_Name, 1, QStringLiteral("a"));
    In->SetCells(pd_Length, 1, QStringLiteral("12"));
    In->SetCells(pd_Offset, 1, QStringLiteral("-4"));
    In->SetCells(pd_Length, 2, QStringLiteral("5"));
    QString v = QStringLiteral("5");
    bool ok = true;
    // Another column: nothing happens.
    Form->KCG_ProcessData_InCellValidate(In, pd_Name, 2, v, ok);
    EXPECT_EQ(In->Cells(pd_Position, 2), QString());
    Form->KCG_ProcessData_InCellValidate(In, pd_Length, 2, v, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(v, QStringLiteral("5"));
    EXPECT_EQ(In->Cells(pd_Position, 2), QStringLiteral("1"));
    EXPECT_EQ(In->Cells(pd_StartBit, 2), QStringLiteral("4"));
    EXPECT_EQ(In->Cells(pd_Gradient, 2), QStringLiteral("1"));
    EXPECT_EQ(In->Cells(pd_Offset, 2), QStringLiteral("0"));
    EXPECT_EQ(In->Cells(pd_UnitCode, 2), QStringLiteral("1000"));
    // Only the edited row gets defaults; typed values stay.
    EXPECT_EQ(In->Cells(pd_Gradient, 1), QString());
    Form->KCG_ProcessData_InCellValidate(In, pd_Length, 1, v, ok);
    EXPECT_EQ(In->Cells(pd_Offset, 1), QStringLiteral("-4"));
}

TEST_F(IOLinkSlaveWindow, TogglingAnEnableBoxRepacks)
{
    Clear_IOLink_Grid(In);
    Item(In, 1, QStringLiteral("a"), 12);
    Item(In, 2, QStringLiteral("b"), 5);
    Form->Compile_Input_Pos_Bit();
    // The grid's own toggle, as a click on the box does it.
    ASSERT_TRUE(In->ToggleCellCheck(pd_Enable, 1, true));
    EXPECT_EQ(In->Cells(pd_Enable, 1), QStringLiteral("N"));
    EXPECT_EQ(In->Cells(pd_Position, 2), QStringLiteral("0"));
    EXPECT_EQ(In->Cells(pd_StartBit, 2), QStringLiteral("0"));
    ASSERT_TRUE(In->ToggleCellCheck(pd_Enable, 1, true));
    EXPECT_EQ(In->Cells(pd_Position, 2), QStringLiteral("1"));
    EXPECT_EQ(In->Cells(pd_StartBit, 2), QStringLiteral("4"));
}

TEST_F(IOLinkSlaveWindow, HeaderDoubleClickSizesTheColumnWithTheOptionOn)
{
    Clear_IOLink_Grid(In);
    In->SetCells(pd_Description, 3, QStringLiteral("a rather long description of an item"));
    const int before = In->ColWidths(pd_Description);
    Form->DoubleClickCell(In, 0, pd_Description);
    EXPECT_EQ(In->ColWidths(pd_Description), before);
    WS().Double_Click_Auto_Size = true;
    Form->DoubleClickCell(In, 1, pd_Description);  // not the header
    EXPECT_EQ(In->ColWidths(pd_Description), before);
    Form->DoubleClickCell(In, 0, pd_Description);
    int widest = 0;
    for (int r = 0; r < In->RowCount(); ++r)
        widest = std::max(widest, In->GetCellTextSize(pd_Description, r, false, false).cx);
    EXPECT_EQ(In->ColWidths(pd_Description), widest + 8);
    EXPECT_GT(widest, In->GetCellTextSize(pd_Description, 0, false, false).cx);
}

TEST_F(IOLinkSlaveWindow, InsertIsRefusedWhenTheLastRowIsInUse)
{
    Clear_IOLink_Grid(Var);
    Variable(Var, 1, 100);
    Variable(Var, 512, 612);
    Form->PageControl1->SetActivePage(Form->TS_Variables);
    Var->SetRow(1);
    Form->Btn_InsRowClick(nullptr);
    EXPECT_EQ(Messages(), QStringList{Lang_Str(1509)});
    EXPECT_EQ(Var->Cells(var_Index, 1), QStringLiteral("100"));
    EXPECT_EQ(Var->Cells(var_Index, 512), QStringLiteral("612"));
}

// ---------------------------------------------------------------------- checks

TEST_F(IOLinkSlaveWindow, ChecksInTheirOrderWithTheirMessages)
{
    struct Case {
        const char* Name;
        std::function<void(TKvStringGrid*, TKvStringGrid*, TKvStringGrid*)> Change;
        const char* Message;  // "" passes
    };
    const Case cases[] = {
        {"valid", [](auto*, auto*, auto*) {}, ""},
        {"unit 999", [](auto* i, auto*, auto*) { i->SetCells(pd_UnitCode, 1, "999"); },
         "Error row 1!! [Process Data Input] Unit Code must be between 1000 and 65535"},
        {"unit 65535", [](auto* i, auto*, auto*) { i->SetCells(pd_UnitCode, 1, "65535"); }, ""},
        {"unit 65536", [](auto*, auto* o, auto*) { o->SetCells(pd_UnitCode, 1, "65536"); },
         "Error row 1!! [Process Data Output] Unit Code must be between 1000 and 65535"},
        {"name", [](auto* i, auto*, auto*) { i->SetCells(pd_Name, 1, " "); },
         "Error row 1!! [Process Data Input] Name Cannot be Empty"},
        {"length 257", [](auto*, auto* o, auto*) { o->SetCells(pd_Length, 1, "257"); },
         "Error row 1!! [Process Data Output] Length must be between 1 and 256"},
        {"offset empty", [](auto* i, auto*, auto*) { i->SetCells(pd_Offset, 1, ""); },
         "Error row 1!! [Process Data Input] Offset must be a valid integer value"},
        {"offset fraction", [](auto*, auto*, auto* v) { v->SetCells(var_Offset, 1, "1.5"); },
         "Error row 1!! [Variables] Offset must be a valid integer value"},
        {"offset negative", [](auto*, auto*, auto* v) { v->SetCells(var_Offset, 1, "-3"); }, ""},
        {"default empty", [](auto*, auto*, auto* v) { v->SetCells(var_DefaultValue, 1, ""); },
         "Error row 1!! [Variables] Default Value must be a valid integer value"},
        {"default fraction", [](auto*, auto*, auto* v) { v->SetCells(var_DefaultValue, 1, "1.5"); },
         "Error row 1!! [Variables] Default Value must be a valid integer value"},
        {"default negative", [](auto*, auto*, auto* v) { v->SetCells(var_DefaultValue, 1, "-3"); }, ""},
        {"gradient comma", [](auto*, auto*, auto* v) { v->SetCells(var_Gradient, 1, "1,5"); }, ""},
        {"gradient point", [](auto* i, auto*, auto*) { i->SetCells(pd_Gradient, 1, "1.5"); }, ""},
        {"gradient huge", [](auto*, auto*, auto* v) { v->SetCells(var_Gradient, 1, "1e40"); },
         "Error row 1!! [Variables] Gradient must be a valid float value"},
        {"index 59", [](auto*, auto*, auto* v) { v->SetCells(var_Index, 1, "59"); },
         "Error row 1!! [Variables] Index must be between 60 and 65535"},
        {"index 60", [](auto*, auto*, auto* v) { v->SetCells(var_Index, 1, "60"); }, ""},
        {"access", [](auto*, auto*, auto* v) { v->SetCells(var_Access, 1, ""); },
         "Error row 1!! [Variables] Access Cannot be Empty"},
        {"unit 1000 variable", [](auto*, auto*, auto* v) { v->SetCells(var_UnitCode, 1, "999"); },
         "Error row 1!! [Variables] Unit Code must be between 1000 and 65535"},
        {"start bit read", [](auto*, auto*, auto* v) { v->SetCells(var_StartBitRead, 1, ""); },
         "Error row 1!! [Variables] Start Read Bit Cannot be Empty"},
        {"start bit write", [](auto*, auto*, auto* v) { v->SetCells(var_StartBitWrite, 1, ""); },
         "Error row 1!! [Variables] Start Write Bit Cannot be Empty"},
        // The first failing check of a row wins: Name before Length.
        {"order", [](auto* i, auto*, auto*) { i->SetCells(pd_Name, 1, ""); i->SetCells(pd_Length, 1, "0"); },
         "Error row 1!! [Process Data Input] Name Cannot be Empty"},
        // A disabled row with bad values passes.
        {"disabled", [](auto* i, auto*, auto* v) {
             i->SetCells(pd_Enable, 1, "N"); i->SetCells(pd_UnitCode, 1, "1");
             v->SetCells(var_Enable, 1, " n "); v->SetCells(var_Index, 1, "1"); }, ""},
        // An empty key ends the table: rows below are not checked.
        {"empty key", [](auto* i, auto*, auto* v) {
             i->SetCells(pd_Length, 1, " "); v->SetCells(var_Index, 1, ""); }, ""},
    };
    for (const QChar sep : {QChar(u'.'), QChar(u',')}) {
        TFormatSettings fs = FormatSettings();
        fs.DecimalSeparator = sep;
        TFormatSettingsScope scope(fs);
        for (const Case& c : cases) {
            for (TKvStringGrid* g : {static_cast<TKvStringGrid*>(In), static_cast<TKvStringGrid*>(Out)})
                Clear_IOLink_Grid(g);
            Clear_IOLink_Grid(Var);
            Item(In, 1, QStringLiteral("a"), 8);
            Item(Out, 1, QStringLiteral("b"), 8);
            Variable(Var, 1, 100);
            Var->SetCells(var_PositionRead, 1, QStringLiteral("1"));
            Var->SetCells(var_PositionWrite, 1, QStringLiteral("1"));
            Item(In, 3, QStringLiteral(""), 0);  // behind the first empty key once row 1's is cleared
            In->SetCells(pd_Length, 2, QString());
            c.Change(In, Out, Var);
            EXPECT_EQ(Check_IOLink_Slave_Grids(In, Out, Var), QString::fromLatin1(c.Message))
                << c.Name << " separator " << sep.toLatin1();
        }
    }
}

TEST_F(IOLinkSlaveWindow, VariablePositionsStartBehindTheProcessData)
{
    struct Case {
        int InBits, OutBits, Read, Write;
        const char* Message;
    } cases[] = {
        {17, 0, 2, 0, "Error row 1!! [Variables] Position Read must be between 3 and  1399"},
        {17, 0, 3, 0, ""},
        {17, 0, 1399, 0, ""},
        {17, 0, 1400, 0, "Error row 1!! [Variables] Position Read must be between 3 and  1399"},
        {0, 0, 0, 0, ""},
        {0, 9, 0, 1, "Error row 1!! [Variables] Position Write must be between 2 and 1399"},
        {0, 9, 0, 2, ""},
    };
    for (const Case& c : cases) {
        for (TKvStringGrid* g : {static_cast<TKvStringGrid*>(In), static_cast<TKvStringGrid*>(Out),
                                 static_cast<TKvStringGrid*>(Var)})
            Clear_IOLink_Grid(g);
        if (c.InBits > 0) {
            Item(In, 1, QStringLiteral("a"), 9);
            Item(In, 2, QStringLiteral("b"), c.InBits - 9);
        }
        if (c.OutBits > 0)
            Item(Out, 1, QStringLiteral("c"), c.OutBits);
        Variable(Var, 1, 100);
        Var->SetCells(var_PositionRead, 1, QString::number(c.Read));
        Var->SetCells(var_PositionWrite, 1, QString::number(c.Write));
        EXPECT_EQ(Check_IOLink_Slave_Grids(In, Out, Var), QString::fromLatin1(c.Message)) << c.Read << " " << c.Write;
    }
}

// ---------------------------------------------------------------------- file

TEST_F(IOLinkSlaveWindow, OkWritesEveryCellUntrimmedAndShowingAgainReadsItBack)
{
    EXPECT_EQ(Show([&] {
                  Item(In, 1, QStringLiteral(" in "), 12);
                  In->SetCells(pd_Description, 1, QStringLiteral("desc "));
                  Item(In, 2, QStringLiteral("off"), 300);  // bad but disabled: passes and is written
                  In->SetCells(pd_Enable, 2, QStringLiteral("N"));
                  Item(Out, 1, QStringLiteral("out"), 9);
                  Variable(Var, 1, 100);
                  Var->SetCells(var_Mnemonic, 1, QStringLiteral("M"));
                  Var->SetCells(var_PositionRead, 1, QStringLiteral("5"));
                  Var->SetCells(var_PositionWrite, 1, QStringLiteral("2"));
                  Variable(Var, 3, 200);  // behind the empty key of row 2: not written
                  Form->Btn_OK->Click();
              }),
              mrOk);
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('\n')).toStdString();
    const TIOLink_Slave_Data d = Read_IOLink_Slave_File(File());
    ASSERT_EQ(d.Process_Data_Input.size(), 2u);
    EXPECT_EQ(d.Process_Data_Input[0].Name, QStringLiteral(" in "));
    EXPECT_EQ(d.Process_Data_Input[0].Description, QStringLiteral("desc "));
    EXPECT_EQ(d.Process_Data_Input[1].Enable, QStringLiteral("N"));
    ASSERT_EQ(d.Variables.size(), 1u);
    EXPECT_EQ(d.Variables[0].Mnemonic, QStringLiteral("M"));
    QFile f(File());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("<VIZediZadud><Variables><row Enable=\"Y\" Index=\"100\" Name=\"v\" "
                                 "Access=\"Read Write\" Length=\"8\""));
    EXPECT_TRUE(bytes.contains("</VIZediZadud>\r\n<!--SW_VERSION = 1.001-->\r\n")) << bytes.constData();

    // Every cell comes back, of every grid.
    const TIOLink_Slave_Data before = Get_IOLink_Slave_Data(In, Out, Var);
    Show();
    const TIOLink_Slave_Data after = Get_IOLink_Slave_Data(In, Out, Var);
    EXPECT_EQ(after.Process_Data_Input[0], before.Process_Data_Input[0]);
    EXPECT_EQ(after.Process_Data_Output[0].Name, QStringLiteral("out"));
    EXPECT_EQ(after.Variables[0].Field(var_Mnemonic - 1), QStringLiteral("M"));
    EXPECT_EQ(Var->Cells(var_Index, 3), QString());

    // The bank compiler sees the rows the editor wrote.
    Clear_IOLink_Slave_Data();
    Compile_IOLink_Slave(File(), Bank3_Address);
    std::vector<uint8_t> raw;
    Make_Bank3(0, raw);
    const QByteArray bank(reinterpret_cast<const char*>(raw.data()), qsizetype(raw.size()));
    EXPECT_EQ(Le32_At(bank, 4), 1u);    // one variable
    EXPECT_EQ(Le32_At(bank, 20), 12u);  // the enabled input bits
    EXPECT_EQ(Le32_At(bank, 24), 9u);
}

TEST_F(IOLinkSlaveWindow, ReadingFollowsTheFileNotItsRootName)
{
    Write("<Other><Variables><row Index=\"70\" Access=\"read only\" Name=\"x\"/></Variables>"
          "<Process_Data><Process_Data_Output><row Enable=\"N\" Length=\"4\"/></Process_Data_Output></Process_Data></Other>");
    Show();
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Var->Cells(var_Index, 1), QStringLiteral("70"));
    EXPECT_EQ(Var->Cells(var_Enable, 1), QStringLiteral("Y"));   // no Enable attribute
    EXPECT_EQ(Var->Cells(var_Access, 1), QString());             // not one of the three items
    EXPECT_EQ(Out->Cells(pd_Length, 1), QStringLiteral("4"));
    EXPECT_EQ(Out->Cells(pd_Position, 1), QString());  // positions are not recomputed on loading
    EXPECT_EQ(Var->Cells(0, 512), QStringLiteral("512"));
    Var->SetCells(var_Length, 1, QStringLiteral("8"));
    Var->SetCells(var_Gradient, 1, QStringLiteral("1"));
    EXPECT_EQ(Check_IOLink_Slave_Grids(In, Out, Var),
              QStringLiteral("Error row 1!! [Variables] Access Cannot be Empty"));
}

TEST_F(IOLinkSlaveWindow, MoreThan512RowsLoad512AndSaySo)
{
    QByteArray xml = "<VIZediZadud><Variables>";
    for (int i = 0; i < 513; ++i)
        xml += "<row Index=\"" + QByteArray::number(100 + i) + "\"/>";
    xml += "</Variables></VIZediZadud>";
    Write(xml);
    Show();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(QStringLiteral("only the first 512"))) << Messages()[0].toStdString();
    EXPECT_EQ(Var->Cells(var_Index, 512), QStringLiteral("611"));
}

TEST_F(IOLinkSlaveWindow, AFileThatIsNotWellFormedIsNamedAndTheGridsStayCleared)
{
    Item(In, 4, QStringLiteral("left over"), 3);
    Write("<VIZediZadud><Variables><row Index=\"70\"");
    Show();
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages()[0].contains(File())) << Messages()[0].toStdString();
    EXPECT_EQ(In->Cells(pd_Name, 4), QString());
    EXPECT_EQ(Var->Cells(var_Index, 1), QString());
    EXPECT_EQ(In->Cells(pd_Enable, 4), QStringLiteral("Y"));
}

// ---------------------------------------------------------------------- row commands

TEST_F(IOLinkSlaveWindow, RowCommandsActOnTheGridShownAndDeleteRepacks)
{
    Show([&] {
        Item(In, 1, QStringLiteral("a"), 12);
        Item(In, 2, QStringLiteral("b"), 5);
        Item(In, 3, QStringLiteral("c"), 3);
        Form->Compile_Input_Pos_Bit();
        EXPECT_EQ(Form->Active_Grid(), In);
        In->SetRow(1);
        Dialogs->QueueResult(mrNo);
        Form->Btn_DelRow->Click();
        EXPECT_EQ(In->Cells(pd_Name, 1), QStringLiteral("a"));
        Dialogs->QueueResult(mrYes);
        Form->Btn_DelRow->Click();
        EXPECT_EQ(In->Cells(pd_Name, 1), QStringLiteral("b"));
        EXPECT_EQ(In->Cells(pd_Position, 2), QStringLiteral("0"));
        EXPECT_EQ(In->Cells(pd_StartBit, 2), QStringLiteral("5"));
        EXPECT_EQ(In->Cells(0, 1), QStringLiteral("1"));

        // Paste without a copy from this grid, then a copy and a paste onto a used row.
        Form->PC_ProcessData->SetActivePage(Form->TS_PD_Output);
        EXPECT_EQ(Form->Active_Grid(), Out);
        Form->Btn_PasteRowClick(nullptr);
        Form->PC_ProcessData->SetActivePage(Form->TS_PD_Input);
        In->SetRow(1);
        Form->Btn_CopyRowClick(nullptr);
        EXPECT_TRUE(Form->Do_Copy_PD_In);
        EXPECT_FALSE(Form->Do_Copy_Var);
        In->SetRow(2);
        Dialogs->QueueResult(mrYes);
        Form->Btn_PasteRowClick(nullptr);
        EXPECT_EQ(In->Cells(pd_Name, 2), QStringLiteral("b"));
        // Paste after no paste into the variables: their flag is clear.
        Form->PageControl1->SetActivePage(Form->TS_Variables);
        EXPECT_EQ(Form->Active_Grid(), Var);
        Form->Btn_PasteRowClick(nullptr);

        // Insert moves the rows down and sets Enable in the new row.
        Form->PageControl1->SetActivePage(Form->TS_ProcessData);
        In->SetCells(pd_Enable, 1, QStringLiteral("N"));
        In->SetRow(1);
        Form->Btn_InsRowClick(nullptr);
        EXPECT_EQ(In->Cells(pd_Name, 1), QString());
        EXPECT_EQ(In->Cells(pd_Enable, 1), QStringLiteral("Y"));
        EXPECT_EQ(In->Cells(pd_Name, 2), QStringLiteral("b"));
        EXPECT_EQ(In->RowCount(), 513);
    });
    const QStringList m = Messages();
    ASSERT_EQ(m.size(), 5) << m.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(m[0], QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(m[2], Lang_Str(1502));
    EXPECT_EQ(m[3], Lang_Str(1500));
    EXPECT_EQ(m[4], Lang_Str(1502));
    EXPECT_TRUE(Form->Do_Copy_PD_In);
    Show();  // every show starts without a copy of this window's
    EXPECT_FALSE(Form->Do_Copy_PD_In);
}

// ---------------------------------------------------------------------- texts, hints, picture

TEST_F(IOLinkSlaveWindow, TextsHeadersAndHeaderHints)
{
    EXPECT_EQ(Form->Caption(), QStringLiteral("IO-Link Slave Set Access"));
    EXPECT_EQ(Form->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));
    EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the Variables List of IEC61850"));
    EXPECT_EQ(Form->TS_Variables->Caption(), QStringLiteral("Variables"));
    EXPECT_EQ(Form->TS_PD_Input->Caption(), QStringLiteral("Process Data - Input"));
    EXPECT_EQ(Var->Cells(15, 0), QStringLiteral("Mnemonic"));
    EXPECT_EQ(In->Cells(9, 0), QStringLiteral("Description"));
    EXPECT_EQ(Out->Cells(8, 0), QStringLiteral("Start Bit"));
    EXPECT_EQ(Form->ClientWidth(), 1300);
    EXPECT_EQ(Form->ClientHeight(), 337);
    EXPECT_EQ(In->ColWidths(10), 420);
    EXPECT_TRUE(In->Columns()->Items(pd_Position)->ReadOnly());
    EXPECT_EQ(In->RowCount(), 513);

    QString hint;
    Form->GridHint(Var, 0, 4, hint);
    EXPECT_EQ(hint, QStringLiteral("Select the Access of Variable (Read Only or Write Only or Read Wreite)"));
    Form->GridHint(In, 0, 9, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Description of Process Data"));
    Form->GridHint(Out, 0, 10, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Mnemonic of Process Data"));
    Form->GridHint(Out, 1, 3, hint);
    EXPECT_EQ(hint, QString());
    Form->GridHint(Var, 0, 0, hint);
    EXPECT_EQ(hint, QString());
    // The grid asks the window for its hints.
    QString wide;
    In->GridHint(3, 0, wide, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Dimension of Process Data"));
}

TEST_F(IOLinkSlaveWindow, RendersToPng)
{
    Form->Show();  // showing clears the grids
    Item(In, 1, QStringLiteral("Temperature"), 16);
    Item(In, 2, QStringLiteral("Status"), 8);
    Form->Compile_Input_Pos_Bit();
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 1300);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/iolink_slave_window.png")));
    Form->PageControl1->SetActivePage(Form->TS_Variables);
    Variable(Var, 1, 100);
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/iolink_slave_window_variables.png")));
    Form->Hide();
}
