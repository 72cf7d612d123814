// The DeviceNet slave list window and the offset map: the slave list's checks and file,
// the map's model and files without a window (the ID and byte counts read whole, the
// duplicate-output check, maps that follow the slave's position), and the offset window
// on both files.

#include "editors_can/def_offset_window.h"
#include "editors_can/dnet_offset_map.h"
#include "editors_can/dnet_window.h"

#include "can_family_fixture.h"

#include "platform/core/exceptions.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/stdctrls.h"

namespace {

using DNet = TCANFamilyWindowTest<TFDNet>;
using DefOffset = TCANFamilyWindowTest<TFDefOffset>;

// ID Slave, Num Byte In, Num Byte Out, Mnemonic.
const QStringList Good_Slave = {"1", "2", "3", "m"};

QByteArray Slave_Row(const char* id, const char* in, const char* out)
{
  return QByteArray("<row ID=\"") + id + "\" NB_IN=\"" + in + "\" NB_OUT=\"" + out + "\" Mnemonic=\"\"/>";
}

const QByteArray Empty_Map = "<Define_Offset/>\r\n<!--SW_VERSION = 1.000-->\r\n";

const char* const Clash_Head = "Error in ByteOUT! The same byte of IO-Link Slave is used in two bytes DeviceNet.\n\r( ";

}  // namespace

// ---------------------------------------------------------------- slave list window

TEST_F(DNet, ChecksGiveTheirExactMessages)
{
  Run_Check_Cases(Good_Slave,
                  {
                      {"ids 0 and 63", 2, {{1, 1, "0"}, {2, 1, "63"}}, ""},
                      {"id 64", 3, {{3, 1, "64"}}, "Error in row 3!! ID must be 0 or 63"},
                      {"id -1", 3, {{3, 1, "-1"}}, "Error in row 3!! ID must be 0 or 63"},
                      {"a blank id is a row", 3, {{2, 1, " "}}, "Error in row 2!! ID must be 0 or 63"},
                      {"an empty id ends the table", 3, {{2, 1, ""}, {3, 1, "99"}}, ""},
                      {"byte counts 0 and 65535", 3, {{3, 2, "0"}, {3, 3, "65535"}}, ""},
                      {"65536 input bytes", 3, {{3, 2, "65536"}}, "Error in row 3!! Number Byte IN must be 0 or 65535"},
                      {"65536 output bytes", 3, {{3, 3, "65536"}}, "Error in row 3!! Number Byte OUT must be 0 or 65535"},
                      {"an id without byte counts", 3, {{3, 2, ""}, {3, 3, ""}},
                       "Error in row 3!! Number Byte IN must be 0 or 65535"},
                      {"the same id twice", 3, {{3, 1, "1"}}, ""},
                  });
}

TEST_F(DNet, AllSixtyFourRowsAreCheckedAndSaved)
{
  const QString file = WS().Name_File_DNETM_Net;
  Show([&] {
    for (int r = 1; r <= 64; ++r) {
      Set_Row(Grid(), r, Good_Slave);
      Grid()->SetCells(1, r, QString::number(r - 1));
    }
    Grid()->SetCells(2, 64, QStringLiteral("x"));
    Form->bitbtn1Click(nullptr);
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Error in row 64!! Number Byte IN must be 0 or 65535"));
    Grid()->SetCells(2, 64, QStringLiteral("7"));
    Form->bitbtn1Click(nullptr);
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  const QByteArray saved = Read_All(file);
  EXPECT_EQ(saved.count("<row "), 64);
  EXPECT_TRUE(saved.contains("<row ID=\"63\" NB_IN=\"7\" NB_OUT=\"3\" Mnemonic=\"m\"/></DNET_Net>"));
}

TEST_F(DNet, TheFileRoundTripsByteForByte)
{
  Expect_Round_Trip("DNETM_Net.xml", WS().Name_File_DNETM_Net);
}

TEST_F(DNet, ARowWithoutAnAttributeStopsTheLoadAndOkAsks)
{
  const QString file = WS().Name_File_DNETM_Net;
  const QByteArray text = Saved_File("DNET_Net", Slave_Row("1", "2", "3") + "<row ID=\"4\" NB_IN=\"5\" Mnemonic=\"\"/>" +
                                                     Slave_Row("6", "7", "8"));
  Write_All(file, text);
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("row 2, attribute \"NB_OUT\""))) << Messages().at(0).toStdString();
    EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("1|2|3|"));
    EXPECT_EQ(Row_Text(Grid(), 2), QStringLiteral("4|5||"));  // read up to the missing attribute
    EXPECT_EQ(Row_Text(Grid(), 3), QStringLiteral("|||"));
    Grid()->SetCells(3, 2, QStringLiteral("0"));
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
  });
  EXPECT_EQ(Read_All(file), text);
}

TEST_F(DNet, SlavesPastTheSixtyFourthAreNamedAndOkAsks)
{
  Expect_Rows_Left_Out(WS().Name_File_DNETM_Net, "<DNET_Net>", Slave_Row("1", "1", "1"),
                       "</DNET_Net>\r\n<!--SW_VERSION = 1.000-->\r\n", 64);
}

TEST_F(DNet, TextsLayoutAndHints)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("DeviceNet Network"));
  EXPECT_EQ(Form->L_SW_Code->Caption(), WS().SW_Code);
  EXPECT_EQ(Form->ClientWidth(), 745);
  EXPECT_EQ(Form->KSG->Name(), QStringLiteral("KSG"));
  EXPECT_EQ(Form->KSG->RowCount(), 65);
  EXPECT_EQ(Form->KSG->ColCount(), 5);
  EXPECT_EQ(Form->KSG->ColWidths(0), 45);
  EXPECT_EQ(Form->KSG->Columns()->Items(4)->Width(), 375);
  EXPECT_EQ(Form->KSG->Cells(1, 0), QStringLiteral("ID Slave"));
  EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the DeviceNet Slaves List"));
  Show([&] {
    EXPECT_EQ(Hint_Of(0, 3), QStringLiteral("Insert the Output Number of Bytes of DeviceNet Slave"));
    EXPECT_EQ(Hint_Of(5, 3), QString());
    Set_Row(Grid(), 1, Good_Slave);
    Grid()->FocusCell(1, 1);
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow_Click(nullptr);
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("|||"));
  });
}

TEST_F(DNet, RendersToPng)
{
  Use_Fixture("DNETM_Net.xml", WS().Name_File_DNETM_Net);
  Show([&] { Render("dnet_window.png"); });
}

// ---------------------------------------------------------------- the map without a window

namespace {

class DNetOffsetMap : public ::testing::Test {
protected:
  void SetUp() override
  {
    Add_Lang_Block_Source(&CAN_Lang_Blocks);
    Init_Lang_Table();
  }

  QString Path(const char* name) const { return Tmp.filePath(QString::fromLatin1(name)); }

  // Reads the slave list text; the failure's text when the load stops.
  QString Read_Slaves(const QByteArray& text)
  {
    Write_All(Path("Net.xml"), text);
    Slaves.clear();
    Rows.clear();
    State = {};
    try {
      Read_DN_Slave_List(Path("Net.xml"), Slaves, Rows, State);
    } catch (const EXmlError& e) {
      EXPECT_TRUE(State.Stopped);
      return e.Message();
    }
    EXPECT_FALSE(State.Stopped);
    return QString();
  }

  QString Clash(std::vector<TSlave_DN> slaves)
  {
    TDN_Offset_Check check;
    QString message;
    const bool passed = Check_DN_Output_Offsets(slaves, check, message);
    EXPECT_EQ(passed, message.isEmpty());
    return message;
  }

  QTemporaryDir Tmp;
  std::vector<TSlave_DN> Slaves;
  std::vector<TDN_Slave_Row> Rows;
  TDN_Load_State State;
};

TSlave_DN Slave(uint8_t id, QStringList outputs)
{
  TSlave_DN s(id, 0, uint16_t(outputs.size()));
  s.SL_ByteOUT = outputs;
  return s;
}

}  // namespace

TEST_F(DNetOffsetMap, SlaveListNumbersAreReadWholeOrTheLoadStops)
{
  struct Case {
    const char* name;
    QByteArray rows;
    int slaves;          // slaves read
    const char* failure; // a piece of the failure text; empty: none
  };
  const Case cases[] = {
      {"hex, blanks and the largest values", Slave_Row(" 0xFF", "65535", "$10"), 1, ""},
      {"id 256", Slave_Row("1", "1", "1") + Slave_Row("256", "1", "1"), 1, "row 2, attribute \"ID\": \"256\" is not a number from 0 to 255"},
      {"70000 input bytes", Slave_Row("1", "70000", "1"), 0, "attribute \"NB_IN\": \"70000\" is not a number from 0 to 65535"},
      {"-1 output bytes", Slave_Row("1", "1", "-1"), 0, "attribute \"NB_OUT\""},
      {"no number", Slave_Row("1", "abc", "1"), 0, "\"abc\""},
      {"a trailing blank", Slave_Row("1 ", "1", "1"), 0, "attribute \"ID\""},
      {"a missing mnemonic", "<row ID=\"1\" NB_IN=\"1\" NB_OUT=\"1\"/>", 0, "attribute \"Mnemonic\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString failure = Read_Slaves(Saved_File("Any", c.rows));
    EXPECT_EQ(int(Slaves.size()), c.slaves);
    EXPECT_EQ(int(Rows.size()), c.slaves);
    if (*c.failure)
      EXPECT_TRUE(failure.contains(QString::fromLatin1(c.failure))) << failure.toStdString();
    else
      EXPECT_EQ(failure, QString());
  }
  Read_Slaves(Saved_File("Any", Slave_Row(" 0xFF", "65535", "$10")));
  ASSERT_EQ(Slaves.size(), 1u);
  EXPECT_EQ(Slaves[0].ID, 255);
  EXPECT_EQ(Slaves[0].ByteIN, 65535);
  EXPECT_EQ(Slaves[0].SL_ByteIN.size(), 65535);
  EXPECT_EQ(Slaves[0].SL_ByteOUT, QStringList(16, QStringLiteral("None")));
  EXPECT_EQ(Slaves[0].SL_ByteOUT_M, QStringList(16, QString()));
  EXPECT_EQ(Rows[0].ID, QStringLiteral(" 0xFF"));

  // A network holds 64 slaves: further rows are counted, not read.
  QByteArray many;
  for (int i = 0; i < 70; ++i)
    many += Slave_Row("1", "1", "1");
  EXPECT_EQ(Read_Slaves(Saved_File("Any", many)), QString());
  EXPECT_EQ(Slaves.size(), 64u);
  EXPECT_EQ(State.Slaves_Left_Out, 6);
  EXPECT_TRUE(State.Partial());
}

TEST_F(DNetOffsetMap, MapsFollowTheSlavesPositionAndStopOnMissingParts)
{
  Read_Slaves(Saved_File("DNET_Net", Slave_Row("9", "2", "1") + Slave_Row("9", "0", "2")));
  const QString map = Path("Map.xml");
  Write_All(map, "<Define_Offset>"
                 "<Nodo_DNET><ByteIN><row Offset=\"3\" Mnemonic=\"a\"/><row Offset=\"4\" Mnemonic=\"b\"/>"
                 "<row Offset=\"5\" Mnemonic=\"past the count\"/></ByteIN><ByteOUT/></Nodo_DNET>"
                 "<Nodo_DNET><ByteIN/><ByteOUT><row Offset=\"7\" Mnemonic=\"c\"/></ByteOUT></Nodo_DNET>"
                 "<Nodo_DNET><ByteIN/><ByteOUT/></Nodo_DNET>"
                 "</Define_Offset>");
  Read_DN_Offset_Map(map, Slaves, State);
  EXPECT_EQ(Slaves[0].SL_ByteIN, (QStringList{"3", "4"}));
  EXPECT_EQ(Slaves[0].SL_ByteIN_M, (QStringList{"a", "b"}));
  EXPECT_EQ(Slaves[0].SL_ByteOUT, QStringList{"None"});
  EXPECT_EQ(Slaves[1].SL_ByteOUT, (QStringList{"7", "None"}));
  EXPECT_EQ(Slaves[1].SL_ByteOUT_M, (QStringList{"c", ""}));
  EXPECT_FALSE(State.Partial());

  const std::pair<const char*, const char*> stops[] = {
      {"<Define_Offset><Nodo_DNET><ByteIN/></Nodo_DNET></Define_Offset>", "Nodo_DNET 1, ByteOUT"},
      {"<Define_Offset><Nodo_DNET><ByteIN><row Offset=\"1\"/></ByteIN><ByteOUT/></Nodo_DNET></Define_Offset>",
       "Nodo_DNET 1, ByteIN, row 1, attribute \"Mnemonic\""},
      {"<Define_Offset><Nodo_DNET>", "Map.xml"},
  };
  for (const auto& [text, where] : stops) {
    SCOPED_TRACE(where);
    Write_All(map, text);
    State = {};
    try {
      Read_DN_Offset_Map(map, Slaves, State);
      ADD_FAILURE() << "the load went through";
    } catch (const EXmlError& e) {
      EXPECT_TRUE(e.Message().contains(QString::fromLatin1(where))) << e.Message().toStdString();
    }
    EXPECT_TRUE(State.Stopped);
  }
}

TEST_F(DNetOffsetMap, OutputClashesNameBothBytesInputsMayShare)
{
  const QString ab = QString::fromLatin1(Clash_Head) + QStringLiteral("First ID = 5 Byte = 0, Second ID = 7 Byte = 3)");
  EXPECT_EQ(Clash({Slave(5, {"10", "None"}), Slave(7, {"1", "2", "None", "10"})}), ab);
  EXPECT_EQ(Clash({Slave(5, {"None", "1439", "2", "1439"})}),
            QString::fromLatin1(Clash_Head) + QStringLiteral("First ID = 5 Byte = 1, Second ID = 5 Byte = 3)"));
  // "None", a hand-edited number outside the array and text take no position.
  EXPECT_EQ(Clash({Slave(5, {"None", "1500", "-3", "x", "0"}), Slave(6, {"None", "1500", "-3", "x"})}), QString());
  TSlave_DN inputs(5, 2, 0);
  inputs.SL_ByteIN = QStringList{"4", "4"};
  EXPECT_EQ(Clash({inputs, Slave(6, {"4"})}), QString());
}

TEST_F(DNetOffsetMap, TheMapFileHoldsEverySlaveInOrder)
{
  TSlave_DN a(1, 1, 0);
  a.SL_ByteIN_M = QStringList{"x & y"};
  TSlave_DN b(2, 0, 2);
  b.SL_ByteOUT = QStringList{"1500", "3"};
  Write_DN_Offset_Map(Path("Out.xml"), {a, b});
  EXPECT_EQ(Read_All(Path("Out.xml")).toStdString(),
            std::string("<Define_Offset><Nodo_DNET><ByteIN><row Offset=\"None\" Mnemonic=\"x &amp; y\"/></ByteIN>"
                        "<ByteOUT/></Nodo_DNET><Nodo_DNET><ByteIN/><ByteOUT><row Offset=\"1500\" Mnemonic=\"\"/>"
                        "<row Offset=\"3\" Mnemonic=\"\"/></ByteOUT></Nodo_DNET></Define_Offset>\r\n"
                        "<!--SW_VERSION = 1.000-->\r\n"));
  Write_DN_Offset_Map(Path("None.xml"), {});
  EXPECT_EQ(Read_All(Path("None.xml")), Empty_Map);
}

// ---------------------------------------------------------------- the offset window

TEST_F(DefOffset, BothFilesRoundTripAndTheGridsShowTheFirstSlave)
{
  Use_Fixture("DNETM_Net.xml", WS().Name_File_DNETM_Net);
  Use_Fixture("DNETM_DefOff.xml", WS().Name_File_DNETM_DefOff);
  const QByteArray before = Read_All(WS().Name_File_DNETM_DefOff);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
              EXPECT_EQ(Form->KCG_DN_Slaves->RowCount(), 4);
              EXPECT_EQ(Form->KCG_DN_Slaves->Cells(0, 2), QStringLiteral(" 63"));
              EXPECT_EQ(Form->KCG_DN_Slaves->Row(), 1);
              EXPECT_EQ(Form->Slave_Before_Select, 0);
              EXPECT_EQ(Form->KCG_ByteIN->RowCount(), 3);
              EXPECT_EQ(Form->KCG_ByteIN->Cells(0, 2), QStringLiteral("1"));
              EXPECT_EQ(Form->KCG_ByteIN->Cells(1, 2), QStringLiteral("5"));
              EXPECT_EQ(Form->KCG_ByteOUT->Cells(1, 3), QStringLiteral("1500"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(WS().Name_File_DNETM_DefOff).toStdString(), before.toStdString());
  EXPECT_EQ(Xmllint_Failure(WS().Name_File_DNETM_DefOff), QString());
}

TEST_F(DefOffset, EditsSurviveAnotherSlaveAndAClashKeepsTheWindowOpen)
{
  Use_Fixture("DNETM_Net.xml", WS().Name_File_DNETM_Net);
  Use_Fixture("DNETM_DefOff.xml", WS().Name_File_DNETM_DefOff);
  auto pick = [&](int row) {
    Form->KCG_DN_Slaves->SetRow(row);
    Form->KCG_DN_SlavesClick(Form->KCG_DN_Slaves);
  };
  Show([&] {
    Form->KCG_ByteOUT->SetCells(1, 1, QStringLiteral("20"));
    Form->KCG_ByteIN->SetCells(2, 2, QStringLiteral("typed"));
    pick(2);
    EXPECT_EQ(Form->KCG_ByteIN->RowCount(), 1);  // no input bytes: the header only, still a header
    EXPECT_EQ(Form->KCG_ByteIN->FixedRows(), 1);
    EXPECT_EQ(Form->KCG_ByteOUT->Cells(1, 1), QStringLiteral("12"));
    Form->KCG_ByteOUT->SetCells(1, 1, QStringLiteral("11"));  // slave 1 has byte 3 there
    pick(1);
    EXPECT_EQ(Form->KCG_ByteOUT->Cells(1, 1), QStringLiteral("20"));
    EXPECT_EQ(Form->KCG_ByteIN->Cells(2, 2), QStringLiteral("typed"));
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(),
              QString::fromLatin1(Clash_Head) + QStringLiteral("First ID = 10 Byte = 3, Second ID = 63 Byte = 0)"));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    pick(2);
    Form->KCG_ByteOUT->SetCells(1, 1, QStringLiteral("None"));
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  const QByteArray saved = Read_All(WS().Name_File_DNETM_DefOff);
  EXPECT_TRUE(saved.contains("<ByteOUT><row Offset=\"20\" Mnemonic=\"\"/>")) << saved.toStdString();
  EXPECT_TRUE(saved.contains("<row Offset=\"5\" Mnemonic=\"typed\"/>"));
  EXPECT_TRUE(saved.contains("<ByteIN/><ByteOUT><row Offset=\"None\" Mnemonic=\"only out\"/>"));
}

TEST_F(DefOffset, WithoutASlaveListOkWritesTheRootAndTheCommentOnly)
{
  Write_All(WS().Name_File_DNETM_DefOff, "old");
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(Form->KCG_DN_Slaves->RowCount(), 1);
              EXPECT_EQ(Form->KCG_ByteIN->RowCount(), 1);
              EXPECT_EQ(Form->KCG_ByteOUT->FixedRows(), 1);
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(WS().Name_File_DNETM_DefOff), Empty_Map);
}

TEST_F(DefOffset, AByteCountOutOfRangeStopsTheLoadAndNoKeepsTheMap)
{
  Write_All(WS().Name_File_DNETM_Net, Saved_File("DNET_Net", Slave_Row("1", "1", "1") + Slave_Row("2", "70000", "1")));
  Use_Fixture("DNETM_DefOff.xml", WS().Name_File_DNETM_DefOff);
  const QByteArray before = Read_All(WS().Name_File_DNETM_DefOff);
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("\"70000\" is not a number from 0 to 65535")))
        << Messages().at(0).toStdString();
    EXPECT_EQ(Form->KCG_DN_Slaves->RowCount(), 2);  // the slave read before it
    EXPECT_EQ(Form->KCG_ByteIN->RowCount(), 2);
    EXPECT_EQ(Form->KCG_ByteIN->Cells(1, 1), QStringLiteral("None"));
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
  EXPECT_EQ(Read_All(WS().Name_File_DNETM_DefOff), before);
}

TEST_F(DefOffset, TextsAndLayout)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Define Offset"));
  EXPECT_EQ(Form->L_SW_Desc->Caption(), QStringLiteral("Define DeviceNet Offset"));
  EXPECT_EQ(Form->L_SW_Code->Caption(), WS().SW_Code);
  EXPECT_EQ(Form->ClientWidth(), 482);
  EXPECT_EQ(Form->ClientHeight(), 610);
  EXPECT_EQ(Form->Panel1->Height(), 162);
  EXPECT_EQ(Form->Label3->Caption(), QStringLiteral("Use \"None\" to not pass the byte from DeviceNet to IO-Link Slave"));
  EXPECT_EQ(Form->TabSheet2->Caption(), QStringLiteral("Byte Out"));
  EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TabSheet1);
  EXPECT_EQ(Form->KCG_DN_Slaves->FixedCols(), 0);
  EXPECT_EQ(Form->KCG_DN_Slaves->Cells(3, 0), QStringLiteral("Mnemonic"));
  EXPECT_EQ(Form->KCG_DN_Slaves->Columns()->Items(3)->Width(), 160);
  EXPECT_TRUE(Form->KCG_DN_Slaves->Columns()->Items(0)->ReadOnly());
  EXPECT_EQ(Form->KCG_ByteOUT->Cells(1, 0), QStringLiteral("Offset"));
  EXPECT_EQ(Form->KCG_ByteOUT->Columns()->Items(1)->Editor(), edComboList);
  EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit without save the Bytes Configuration"));
  Show([&] {
    const TStringList* items = Form->KCG_ByteIN->Columns()->Items(1)->ComboItems();
    ASSERT_EQ(items->Count(), 1441);
    EXPECT_EQ(items->Strings(0), QStringLiteral("None"));
    EXPECT_EQ(items->Strings(1440), QStringLiteral("1439"));
    EXPECT_EQ(Form->MAX_BYTE_OUT, 1440);
  });
}

TEST_F(DefOffset, RendersToPng)
{
  Use_Fixture("DNETM_Net.xml", WS().Name_File_DNETM_Net);
  Use_Fixture("DNETM_DefOff.xml", WS().Name_File_DNETM_DefOff);
  Show([&] { Render("dnet_offset_window.png"); });
}
