// The SNMP agent variable editor: the row checks and the description uniqueness with
// their exact messages, the numbering of enabled rows, the file's round trip and its
// sections read each on its own, the row commands, and a render.

#include "editors_it/snmp_agent_window.h"
#include "editors_it/snmp_texts.h"

#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"

#include "snmp_mqtt_window_fixture.h"

#include <QApplication>

namespace {

class SNMPAgentWindow : public TITWindowTest<TFSNMP_Trap_Access> {
protected:
  SNMPAgentWindow() : TITWindowTest({&SNMP_Agent_Lang_Blocks}) {}
  QString File() const { return WS().Name_File_SNMP_Trap; }
};

// Enable, Community, Type, On Change, On CMD, On Timer, Time, Position, Start Bit, Num
// Bits, Description, IP Address, Conversion, Mnemonic; row r has description "r" + r.
QStringList Good_Read(int r)
{
  return {"Y", "public", "Int", "N", "N", "N", "", "0", "0", "16", "r" + QString::number(r), "10.0.0.1", "None", ""};
}

// Enable, Community, Type, Position, Start Bit, Num Bits, Description, Conversion, Mnemonic.
QStringList Good_Write(int r)
{
  return {"Y", "private", "String", "0", "0", "8", "w" + QString::number(r), "None", ""};
}

}  // namespace

TEST_F(SNMPAgentWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    bool write;
    std::vector<std::pair<int, const char*>> cells;  // column of row 2, text
    const char* message;
  };
  const Case cases[] = {
      {"description a1b2", false, {{11, "a1b2"}}, ""},
      {"description A1", false, {{11, "A1"}}, "Error row 2!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
      {"description 1a", true, {{7, "1a"}}, "Error row 2!! [SNMP Write] Descrtiption is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
      {"description a b", false, {{11, "a b"}}, "Error row 2!! [SNMP Read] Description is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\"). First character must be a letter and must be lowercase"},
      {"two empty descriptions", false, {{11, ""}, {12, "10.0.0.2"}}, ""},
      {"community with a leading blank", false, {{2, " public"}}, "Error row 2!! [SNMP Read] Community Name is not correct (allowed characters are \"a\"..\"z\", \"A\"..\"Z\" and \"0\"..\"9\")"},
      {"int of 64 bits", false, {{10, "64"}}, ""},
      {"int of 65 bits", true, {{3, "int"}, {6, "65"}}, "Error row 2!! [SNMP Write] Num Bits/Bytes must be between 1 and 64 bits"},
      {"string of 17 bytes", false, {{3, "String"}, {10, "17"}}, "Error row 2!! [SNMP Read] Num Bits/Bytes must be between 1 and 16 bytes"},
      {"string from bit 3", true, {{5, "3"}}, "Error row 2!! [SNMP Write] Start Bit must be 0 if Type is String"},
      {"no type", false, {{3, " "}}, "Error row 2!! [SNMP Read] Type must be selected"},
      {"timer without time", false, {{6, "y"}, {7, ""}}, "Error row 2!! [SNMP Read] Time must be between 1 and 1000000000 ms"},
      {"no timer, bad time", false, {{7, "x"}}, ""},
      {"no position", true, {{4, ""}}, "Error row 2!! [SNMP Write] Position must be selected"},
      {"bad address", false, {{12, ""}}, "Error row 2!! [SNMP Read] IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"no conversion", true, {{8, ""}}, "Error row 2!! [SNMP Write] Conversion must be selected"},
      {"disabled bad row", false, {{1, "N"}, {11, "A b"}, {2, "x y"}}, ""},
      {"read and write alike", true, {{7, "r1"}}, "Error!! The Descriptions must be all differents"},
      // Names the MIB module defines itself, always or by number.
      {"description data", false, {{11, "data"}}, "Error row 2!! [SNMP Read] Description must not be a name of the MIB module itself (such as identity, gateway, data, countin, traps, bufferinval1 or trapval1)"},
      {"description traps", true, {{7, "traps"}}, "Error row 2!! [SNMP Write] Description must not be a name of the MIB module itself (such as identity, gateway, data, countin, traps, bufferinval1 or trapval1)"},
      {"description enterprises", false, {{11, "enterprises"}}, "Error row 2!! [SNMP Read] Description must not be a name of the MIB module itself (such as identity, gateway, data, countin, traps, bufferinval1 or trapval1)"},
      {"description bufferoutval7", true, {{7, "bufferoutval7"}}, "Error row 2!! [SNMP Write] Description must not be a name of the MIB module itself (such as identity, gateway, data, countin, traps, bufferinval1 or trapval1)"},
      {"description trapval12", false, {{11, "trapval12"}}, "Error row 2!! [SNMP Read] Description must not be a name of the MIB module itself (such as identity, gateway, data, countin, traps, bufferinval1 or trapval1)"},
      {"description trapval", false, {{11, "trapval"}}, ""},
      {"description data2", true, {{7, "data2"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    for (int r = 1; r <= 3; ++r) {
      Set_Row(Form->KCG_SNMP_Read, r, Good_Read(r));
      Set_Row(Form->KCG_SNMP_Write, r, Good_Write(r));
    }
    TKvStringGrid* g = c.write ? Form->KCG_SNMP_Write : Form->KCG_SNMP_Read;
    for (const auto& [col, text] : c.cells)
      g->SetCells(col, 2, QString::fromUtf8(text));
    Expect_Check(c.message);
  }

  // A second enabled empty description is a repeat.
  Form->FormShow(nullptr);
  Dialogs->Requests.clear();
  Set_Row(Form->KCG_SNMP_Read, 1, Good_Read(1));
  Set_Row(Form->KCG_SNMP_Read, 2, Good_Read(2));
  Form->KCG_SNMP_Read->SetCells(11, 1, QString());
  Form->KCG_SNMP_Read->SetCells(11, 2, QString());
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages().value(0), Lang_Str(5280));
  EXPECT_EQ(Form->SL_Check_Desc, QStringList({QString(), QString()}));
}

TEST_F(SNMPAgentWindow, EnabledRowsAreNumberedAtShowAndOnEnableClicks)
{
  Use_Fixture("SNMP_Trap_Agent.xml", File());
  Show([&] {
    TKvStringGrid* g = Form->KCG_SNMP_Read;
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("1"));
    EXPECT_EQ(g->Cells(0, 2), QString());  // disabled: no number
    EXPECT_EQ(g->Cells(0, 3), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(0, 4), QStringLiteral("3"));  // a cleared row is enabled
    g->SetCells(1, 2, QStringLiteral("Y"));
    Form->CheckBoxClick(g, 1, 2, true);
    EXPECT_EQ(g->Cells(0, 2), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(0, 3), QStringLiteral("3"));
    g->SetCells(4, 1, QStringLiteral("Y"));
    g->SetCells(1, 1, QStringLiteral("N"));
    Form->CheckBoxClick(g, 4, 1, true);  // not an Enable box: nothing renumbered
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("1"));
    EXPECT_EQ(Form->KCG_SNMP_Write->Cells(0, 1), QStringLiteral("1"));
    EXPECT_EQ(Form->KCG_SNMP_Read->Columns()->Items(2)->EditLength(), 15);
    EXPECT_EQ(Form->KCG_SNMP_Write->Columns()->Items(7)->EditLength(), 15);
  });
}

TEST_F(SNMPAgentWindow, TheFileRoundTripsByteForByteDisabledRowsIncluded)
{
  Use_Fixture("SNMP_Trap_Agent.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->KCG_SNMP_Read->Cells(5, 1), QString());  // an untouched box
              Form->Btn_OK->Click();
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
            }),
            mrOk);
  EXPECT_EQ(Read_All(File()).toStdString(), before.toStdString());
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(SNMPAgentWindow, EachSectionIsReadOnItsOwnAndAMissingOneIsEmpty)
{
  Write_All(File(), "<Other><SNMP_Trap_Write><row Community_Name=\"private\" Type=\"Int\" Position=\"1\" Bit=\"0\""
                    " NumBits=\"8\" Description=\"w\"/></SNMP_Trap_Write></Other>");
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
              EXPECT_FALSE(Form->Load_State.Partial());
              EXPECT_EQ(Form->KCG_SNMP_Read->Cells(2, 1), QString());
              QStringList cells;
              for (int c = 1; c <= 9; ++c)
                cells << Form->KCG_SNMP_Write->Cells(c, 1);
              EXPECT_EQ(cells.join(u'|'), QStringLiteral("Y|private|Int|1|0|8|w|None|"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  const QByteArray saved = Read_All(File());
  EXPECT_TRUE(saved.startsWith("<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write><row Enable=\"Y\" Community_Name=\"private\""))
      << saved.toStdString();
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(SNMPAgentWindow, RowsPastTheGridAreNamedAndOkAsksFirst)
{
  QByteArray rows;
  for (int i = 1; i <= 260; ++i)
    rows += "<row Community_Name=\"public\" Description=\"v" + QByteArray::number(i) + "\"/>";
  Write_All(File(), "<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write>" + rows + "</SNMP_Trap_Write></SNMP_Trap>");
  const QByteArray before = Read_All(File());
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().at(0), Lang_Str(1507).arg(4).arg(QStringLiteral("SNMP_Trap_Write")));
    for (int r = 1; r <= 256; ++r) {
      Form->KCG_SNMP_Write->SetCells(3, r, QStringLiteral("Int"));
      Form->KCG_SNMP_Write->SetCells(4, r, QStringLiteral("0"));
      Form->KCG_SNMP_Write->SetCells(5, r, QStringLiteral("0"));
      Form->KCG_SNMP_Write->SetCells(6, r, QStringLiteral("1"));
    }
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1506));
  });
  EXPECT_EQ(Read_All(File()), before);
}

TEST_F(SNMPAgentWindow, RowCommandsActOnTheShownPage)
{
  Show([&] {
    Set_Row(Form->KCG_SNMP_Read, 1, Good_Read(1));
    Set_Row(Form->KCG_SNMP_Write, 1, Good_Write(1));
    Form->PageControl1->SetActivePage(Form->TS_SNMP_Write);
    Form->KCG_SNMP_Write->FocusCell(2, 1);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Form->KCG_SNMP_Write->Cells(2, 2), QStringLiteral("private"));
    EXPECT_EQ(Form->KCG_SNMP_Read->Cells(2, 1), QStringLiteral("public"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(5275) + QStringLiteral("1"));
    EXPECT_EQ(Form->KCG_SNMP_Write->Cells(2, 1), QStringLiteral("private"));
    Form->PageControl1->SetActivePage(Form->TS_SNMP_Read);
    Form->KCG_SNMP_Read->FocusCell(2, 1);
    Form->Btn_CopyRow->Click();
    Form->PageControl1->SetActivePage(Form->TS_SNMP_Write);
    Form->KCG_SNMP_Write->FocusCell(2, 3);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1502));
    QString hint;
    Form->GridHint(Form->KCG_SNMP_Write, 0, 8, hint);
    EXPECT_EQ(hint, Lang_Str(5284));
    EXPECT_EQ(Form->TS_SNMP_Write->Caption(), Lang_Str(5209));
  });
}

TEST_F(SNMPAgentWindow, RendersToPng)
{
  Use_Fixture("SNMP_Trap_Agent.xml", File());
  Show([&] {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/snmp_agent_window.png")));
  });
}
