// The CAN receive and transmit frame windows: their checks with the exact messages, the
// loading of missing attributes (the older transmit layout too), the file round trip,
// files with more rules than the grid, texts, lists and hints.

#include "editors_can/receive_can_window.h"
#include "editors_can/transmit_can_window.h"

#include "can_family_fixture.h"

namespace {

using ReceiveCan = TCANFamilyWindowTest<TFReceiveCAN>;
using TransmitCan = TCANFamilyWindowTest<TFTransmitCAN>;

// Enable, CobID, Type, Dimension, TimeOut, Byte1 .. Byte8, Mnemonic.
const QStringList Good_Rx = {"Y", "100", "2.0A (11 bits)", "3", "0", "0", "1", "2", "", "", "", "", "", "m"};
// Enable, CobID, Type, Dimension, OnChange, OnCMD, OnTimer, Time, Byte1 .. Byte8, Mnemonic.
const QStringList Good_Tx = {"Y", "100", "2.0A (11 bits)", "2", "Y", "N", "N", "", "0", "1", "", "", "", "", "", "", "m"};

const char* const Rx_Cob11 = "Error row 3!! CobID must be between 0 and 2047";

QByteArray Rx_Row(int cob)
{
  return "<row Enable=\"Y\" COBID=\"" + QByteArray::number(cob) +
         "\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" TimeOut=\"0\" Byte1=\"None\" Byte2=\"\" Byte3=\"\" Byte4=\"\""
         " Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\" Mnemonic=\"\"/>";
}

}  // namespace

TEST_F(ReceiveCan, ChecksGiveTheirExactMessages)
{
  Run_Check_Cases(
      Good_Rx,
      {
          {"cob 3000 with an empty type takes the 29-bit range", 3, {{3, 2, "3000"}, {3, 3, ""}}, ""},
          {"cob 3000 with 11 bits", 3, {{3, 2, "3000"}}, Rx_Cob11},
          {"a type with blanks around is the 11-bit type", 3, {{3, 2, "3000"}, {3, 3, " 2.0A (11 bits) "}}, Rx_Cob11},
          {"cob 2047 followed by a blank", 3, {{3, 2, "2047 "}}, Rx_Cob11},
          {"cob 0x7FF", 3, {{3, 2, "0x7FF"}}, ""},
          {"cob $7FF", 3, {{3, 2, "$7FF"}}, ""},
          {"cob 2048", 3, {{3, 2, "2048"}}, Rx_Cob11},
          {"cob 0x1FFFFFFF with 29 bits", 3, {{3, 2, "0x1FFFFFFF"}, {3, 3, "2.0B (29 bits)"}}, ""},
          {"cob 0x20000000 with 29 bits", 3, {{3, 2, "0x20000000"}, {3, 3, "2.0B (29 bits)"}},
           "Error row 3!! CobID must be between 0x00000000 and 0x1FFFFFFF"},
          {"dimension 0", 3, {{3, 4, "0"}}, "Error row 3!! Dimension must be between 1 and 8"},
          {"dimension 9", 2, {{2, 4, "9"}}, "Error row 2!! Dimension must be between 1 and 8"},
          {"empty time-out", 3, {{3, 5, ""}}, "Error row 3!! TimeOut must be between 0 and 100000000 milliseconds"},
          {"time-out 100000000", 3, {{3, 5, "100000000"}}, ""},
          {"time-out 100000001", 3, {{3, 5, "100000001"}},
           "Error row 3!! TimeOut must be between 0 and 100000000 milliseconds"},
          {"byte 4 beyond dimension 3", 3, {{3, 9, "5000"}}, ""},
          {"byte 3 at 5000", 3, {{3, 8, "5000"}}, "Error row 3!! Byte3 must be between 0 and 1999 or None"},
          {"byte 1 at 1999", 3, {{3, 6, "1999"}}, ""},
          {"byte 1 at 2000", 1, {{1, 6, "2000"}}, "Error row 1!! Byte1 must be between 0 and 1999 or None"},
          {"None with blanks and an empty byte pass", 3, {{3, 6, " None "}, {3, 7, ""}}, ""},
          {"none in lower case", 3, {{3, 7, "none"}}, "Error row 3!! Byte2 must be between 0 and 1999 or None"},
          {"lower-case y enables", 3, {{3, 1, "y"}, {3, 2, "5000"}}, Rx_Cob11},
          {"y with blanks enables", 3, {{3, 1, " y "}, {3, 2, "5000"}}, Rx_Cob11},
          {"a disabled rule is not checked", 3, {{3, 1, "N"}, {3, 2, "x"}, {3, 4, "99"}}, ""},
          {"an empty cob ends the table", 3, {{2, 2, " "}, {3, 2, "bad"}}, ""},
          {"repeated cobs and positions", 3, {{3, 7, "0"}}, ""},
      });
}

TEST_F(TransmitCan, ChecksGiveTheirExactMessages)
{
  const char* const time = "Error row 3!! Time must be between 0 and 100000000 milliseconds";
  Run_Check_Cases(Good_Tx,
                  {
                      {"on timer with an empty time", 3, {{3, 7, "Y"}}, time},
                      {"on timer with time 0", 3, {{3, 7, "Y"}, {3, 8, "0"}}, ""},
                      {"lower-case on timer is ticked", 3, {{3, 7, " y"}, {3, 8, "-1"}}, time},
                      {"without on timer any time passes", 3, {{3, 8, "x"}}, ""},
                      {"no send mode at all", 3, {{3, 5, "N"}}, ""},
                      {"byte 2700", 3, {{3, 9, "2700"}}, "Error row 3!! Byte1 must be between 0 and 2699 or None"},
                      {"byte 2699", 3, {{3, 9, "2699"}}, ""},
                      {"byte 2 at -1", 3, {{3, 10, "-1"}}, "Error row 3!! Byte2 must be between 0 and 2699 or None"},
                      {"byte 3 beyond dimension 2", 3, {{3, 11, "9999"}}, ""},
                      {"cob 2048 with 11 bits", 3, {{3, 2, "2048"}}, "Error row 3!! CobID must be between 0 and 2047"},
                      {"dimension x", 3, {{3, 4, "x"}}, "Error row 3!! Dimension must be between 1 and 8"},
                  });
}

TEST_F(ReceiveCan, MissingAttributesTakeTheirDefaults)
{
  Write_All(WS().Name_File_CAN_Rec_Frames,
            Saved_File("Any_Root", "<row COBID=\"5\" Dim=\"1\"/><row Enable=\"N\" TimeOut=\"\" Mnemonic=\"kept\"/>"));
  Show([&] {
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("Y|5||1|0|||||||||"));
    EXPECT_EQ(Row_Text(Grid(), 2), QStringLiteral("N|||||||||||||kept"));
    EXPECT_EQ(Row_Text(Grid(), 3), QStringLiteral("Y|||||||||||||"));
    EXPECT_EQ(Grid()->Cells(0, 512), QStringLiteral("512"));
  });
}

TEST_F(TransmitCan, OlderRowsLoadWithTheFixedFieldsAndSaveAllAttributes)
{
  const QString file = WS().Name_File_CAN_Send_Frames;
  Write_All(file, Saved_File("Transmit_Frames",
                             "<row Enable=\"Y\" COBID=\"5\" Dim=\"1\" Byte1=\"0\" Byte2=\"\" Byte3=\"\" Byte4=\"\""
                             " Byte5=\"\" Byte6=\"\" Byte7=\"\" Byte8=\"\"/>"
                             "<row Enable=\"Y\" COBID=\"6\" Dim=\"1\" OnTimer=\"Y\"/>"));
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("Y|5|2.0A (11 bits)|1|Y|N|N||0||||||||"));
              EXPECT_EQ(Row_Text(Grid(), 2), QStringLiteral("Y|6|2.0A (11 bits)|1|Y|N|Y|0|||||||||"));
              Grid()->SetCells(2, 2, QString());  // the second row has no positions
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file).toStdString(),
            Saved_File("Transmit_Frames",
                       "<row Enable=\"Y\" COBID=\"5\" CAN_Type=\"2.0A (11 bits)\" Dim=\"1\" OnChange=\"Y\" OnCMD=\"N\""
                       " OnTimer=\"N\" Time=\"\" Byte1=\"0\" Byte2=\"\" Byte3=\"\" Byte4=\"\" Byte5=\"\" Byte6=\"\""
                       " Byte7=\"\" Byte8=\"\" Mnemonic=\"\"/>")
                .toStdString());

  // The fixed fields stand in for the attributes a row lacks.
  Form->CAN_Type = 1;
  Form->Send_Type = 1;
  Form->Send_Time = 250;
  Write_All(file, Saved_File("Transmit_Frames", "<row COBID=\"7\"/>"));
  Show([&] { EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("Y|7|2.0B (29 bits)||N|N|Y|250|||||||||")); });
}

TEST_F(ReceiveCan, TheFileRoundTripsByteForByte)
{
  Expect_Round_Trip("CAN_Rec_Frames.xml", WS().Name_File_CAN_Rec_Frames);
}

TEST_F(TransmitCan, TheFileRoundTripsByteForByte)
{
  Expect_Round_Trip("CAN_Send_Frames.xml", WS().Name_File_CAN_Send_Frames);
}

TEST_F(ReceiveCan, RulesPastThe512thAreNamedAndOkAsksBeforeReplacingTheFile)
{
  Expect_Rows_Left_Out(WS().Name_File_CAN_Rec_Frames, "<Receive_Frames>", Rx_Row(1),
                       "</Receive_Frames>\r\n<!--SW_VERSION = 1.000-->\r\n", 512);
}

TEST_F(ReceiveCan, AFileThatIsNotXmlStopsTheLoadAndOkAsks)
{
  const QByteArray broken = "<Receive_Frames>" + Rx_Row(9) + "<row";
  Write_All(WS().Name_File_CAN_Rec_Frames, broken);
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);  // the failure report
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("CAN_Rec_Frames.xml"))) << Messages().at(0).toStdString();
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
  });
  EXPECT_EQ(Read_All(WS().Name_File_CAN_Rec_Frames), broken);
}

TEST_F(ReceiveCan, TextsListsFocusAndHints)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Receive CAN Frames Set Access"));
  EXPECT_EQ(Form->L_SW_Desc->Caption(), QStringLiteral("Receive CAN Frames Set Access"));
  EXPECT_EQ(Form->ClientWidth(), 1010);
  EXPECT_EQ(Form->ClientHeight(), 337);
  EXPECT_EQ(Form->PageControl1, nullptr);
  EXPECT_EQ(Form->KCG_CAN_Receive->Parent(), Form.get());
  EXPECT_EQ(Form->KCG_CAN_Receive->RowCount(), 513);
  EXPECT_EQ(Form->KCG_CAN_Receive->ColCount(), 15);
  EXPECT_EQ(Form->KCG_CAN_Receive->Cells(13, 0), QStringLiteral("Byte8"));
  EXPECT_EQ(Form->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));
  EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the Receive CAN Frames List"));
  EXPECT_EQ(Form->Hint_ReceiveCAN().size(), 14);

  Form->MAX_Byte = 5;
  Show([&] {
    EXPECT_EQ(Form->MAX_Byte, 2000);
    const TStringList* items = Form->KCG_CAN_Receive->Columns()->Items(13)->ComboItems();
    ASSERT_EQ(items->Count(), 2001);
    EXPECT_EQ(items->Strings(0), QStringLiteral("None"));
    EXPECT_EQ(items->Strings(2000), QStringLiteral("1999"));
    EXPECT_EQ(Form->ActiveControl(), Form->KCG_CAN_Receive);
    EXPECT_EQ(Hint_Of(0, 4), Lang_Str(2632));
    EXPECT_EQ(Hint_Of(0, 5), QStringLiteral("Insert the TimeOut of the CAN Frame expressed in milliseconds (0 = TimeOut disabled)"));
    EXPECT_EQ(Hint_Of(0, 14), QStringLiteral("Insert a description of the CAN Frame"));
    EXPECT_EQ(Hint_Of(2, 5), QString());
    EXPECT_EQ(Hint_Of(0, 0), QString());
    // No row selection by a click on the row number.
    Grid()->FocusCell(3, 4);
    Form->ClickCell(Grid(), 2, 0);
    EXPECT_EQ(Grid()->Selection().Top, 4);
    EXPECT_EQ(Grid()->Selection().Left, 3);
  });
}

TEST_F(TransmitCan, TextsListsAndHintsRefilledAtEveryShow)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Transmit CAN Frames Set Access"));
  EXPECT_EQ(Form->ClientWidth(), 1100);
  EXPECT_EQ(Form->KCG_CAN_Transmit->ColCount(), 18);
  EXPECT_EQ(Form->KCG_CAN_Transmit->Cells(6, 0), QStringLiteral("OnCMD"));
  EXPECT_EQ(Form->KCG_CAN_Transmit->Cells(7, 0), QStringLiteral("OnTimer"));
  EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit without save the Transmit CAN Frames List"));
  Form->Hint_TransmitCAN().clear();
  Show([&] {
    EXPECT_EQ(Form->Hint_TransmitCAN().size(), 17);
    EXPECT_EQ(Hint_Of(0, 6), QStringLiteral("Send the CAN Frame on Command"));
    EXPECT_EQ(Hint_Of(0, 7), Lang_Str(2736));
    EXPECT_EQ(Hint_Of(0, 17), Lang_Str(2746));
    EXPECT_EQ(Form->MAX_Byte, 2700);
    const TStringList* items = Form->KCG_CAN_Transmit->Columns()->Items(9)->ComboItems();
    ASSERT_EQ(items->Count(), 2701);
    EXPECT_EQ(items->Strings(2700), QStringLiteral("2699"));
  });
}

TEST_F(ReceiveCan, RendersToPng)
{
  Use_Fixture("CAN_Rec_Frames.xml", WS().Name_File_CAN_Rec_Frames);
  Show([&] { Render("can_receive_window.png"); });
}

TEST_F(TransmitCan, RendersToPng)
{
  Use_Fixture("CAN_Send_Frames.xml", WS().Name_File_CAN_Send_Frames);
  Show([&] { Render("can_transmit_window.png"); });
}
