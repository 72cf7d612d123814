// The J1939 receive and transmit windows: their checks with the exact messages (the byte
// window, the running totals summed in 64 bits, the table that ends where Priority and PGN
// are both empty), the loading of missing and older attributes, the round trip, texts.

#include "editors_can/receive_j1939_window.h"
#include "editors_can/transmit_j1939_window.h"

#include "can_family_fixture.h"

namespace {

using ReceiveJ1939 = TCANFamilyWindowTest<TFReceiveJ1939>;
using TransmitJ1939 = TCANFamilyWindowTest<TFTransmitJ1939>;

// Data Page, PGN, Source Address, TP, Start Byte, N Byte, Cancel Data, On Request, Time, Mnemonic.
const QStringList Good_Rx = {"0", "61444", "0", "N", "", "", "N", "N", "1000", "m"};
// Priority, Data Page, PGN, Source Address, N Bytes, Request, Data Change, On Timer, Send Timer, Mnemonic.
const QStringList Good_Tx = {"3", "0", "61444", "0", "8", "N", "N", "N", "", "m"};

const char* const Rx_Total = "Error!! Too many bytes of data, the max number is 1440";
const char* const Tx_Total = "Error!! Too many bytes of data, the max number is 512";

}  // namespace

TEST_F(ReceiveJ1939, ChecksGiveTheirExactMessages)
{
  const char* const tpSum = "Error in row 3!! Start Byte plus Number Bytes must be between 0 and 1785";
  const char* const time = "Error in row 3!! Time(ms) must be between 0 and 10000000";
  Run_Check_Cases(
      Good_Rx,
      {
          {"180 whole frames", 180, {}, ""},
          {"a 181st whole frame", 181, {}, Rx_Total},
          {"the total comes before the request time", 181, {{181, 8, "Y"}, {181, 9, "1"}}, Rx_Total},
          {"179 whole frames and one of 2 bytes", 181, {{181, 5, "1"}, {181, 6, "2"}, {180, 5, "3"}, {180, 6, "2"}}, ""},
          {"single 1 + 8", 3, {{3, 5, "1"}, {3, 6, "8"}}, "Error in row 3!! The Number Bytes plus Start Byte must be minor of 9"},
          {"single 3 + empty", 3, {{3, 5, "3"}}, "Error in row 3!! Start Byte and Number Bytes must be both compiled"},
          {"single blanks are empty", 3, {{3, 5, " "}, {3, 6, " "}}, ""},
          {"single start 0", 3, {{3, 5, "0"}, {3, 6, "1"}}, "Error in row 3!! The Start Byte must be between 1 and 8"},
          {"single n 9", 3, {{3, 5, "1"}, {3, 6, "9"}}, "Error in row 3!! The Number Bytes must be between 1 and 8"},
          {"single 2 + 6", 3, {{3, 5, "2"}, {3, 6, "6"}}, ""},
          {"lower-case y is no transport protocol", 3, {{3, 4, "y"}, {3, 5, "0"}, {3, 6, "100"}},
           "Error in row 3!! The Start Byte must be between 1 and 8"},
          {"transport 100 + 2147483647", 3, {{3, 4, "Y"}, {3, 5, "100"}, {3, 6, "2147483647"}}, tpSum},
          {"transport start 1786", 3, {{3, 4, "Y"}, {3, 5, "1786"}, {3, 6, "0"}},
           "Error in row 3!! Start Byte must be between 0 and 1785"},
          {"transport n -1", 3, {{3, 4, "Y"}, {3, 5, "0"}, {3, 6, "-1"}}, tpSum},
          {"transport n 0", 3, {{3, 4, "Y"}, {3, 5, "0"}, {3, 6, "0"}}, ""},
          {"transport 0 + 1785 alone passes its row but not the total", 1, {{1, 4, "Y"}, {1, 5, "0"}, {1, 6, "1785"}},
           Rx_Total},
          {"on request 1", 3, {{3, 8, "Y"}, {3, 9, "1"}}, time},
          {"on request 2", 3, {{3, 8, "Y"}, {3, 9, "2"}}, ""},
          {"on request 10000000", 3, {{3, 8, "Y"}, {3, 9, "10000000"}}, ""},
          {"on request 10000001", 3, {{3, 8, "Y"}, {3, 9, "10000001"}}, time},
          {"no request: any time", 3, {{3, 9, "x"}}, ""},
          {"a lower-case y requests nothing", 3, {{3, 8, "y"}, {3, 9, "0"}}, ""},
          {"empty data page", 3, {{3, 1, ""}}, "Error in row 3!! Data Page must be 0 or 1"},
          {"a blank data page", 3, {{3, 1, " "}}, ""},
          {"pgn 0xFFFF", 3, {{3, 2, "0xFFFF"}}, ""},
          {"pgn 0x1FFFF", 3, {{3, 2, "0x1FFFF"}}, "Error in row 3!! PGN must be between 0x0000 and 0xFFFF"},
          {"a pgn of blanks is a rule", 3, {{2, 2, " "}}, "Error in row 2!! PGN must be between 0x0000 and 0xFFFF"},
          {"an empty pgn ends the table", 3, {{2, 2, ""}, {3, 1, ""}}, ""},
          {"address 239", 3, {{3, 3, "239"}}, ""},
          {"address 240", 3, {{3, 3, "240"}}, "Error in row 3!! Source Address must be between 0 and 239"},
          {"the byte window comes before the request", 3, {{3, 5, "1"}, {3, 8, "Y"}, {3, 9, "0"}},
           "Error in row 3!! Start Byte and Number Bytes must be both compiled"},
      });
}

TEST_F(TransmitJ1939, ChecksGiveTheirExactMessages)
{
  const char* const timer = "Error in row 3!! Send Timer must be between 1 and 65535 ms";
  Run_Check_Cases(
      Good_Tx,
      {
          {"64 rules of 8 bytes", 64, {}, ""},
          {"a 65th of 1 byte", 65, {{65, 5, "1"}}, Tx_Total},
          {"the total comes before the timer", 65, {{65, 5, "1"}, {65, 8, "Y"}, {65, 9, "0"}}, Tx_Total},
          {"n bytes 513", 1, {{1, 5, "513"}}, "Error in row 1!! Num Byte must be between 0 and 512"},
          {"n bytes 0", 3, {{3, 5, "0"}}, ""},
          {"priority and data page without pgn", 5, {{3, 3, ""}},
           "Error in row 3!! PGN must be between 0x00000 and 0x1FFFF"},
          {"a priority alone", 5, {{3, 2, ""}, {3, 3, ""}}, "Error in row 3!! Data Page must be 0 or 1"},
          {"a pgn without priority", 5, {{3, 1, ""}}, "Error in row 3!! Priority must be between 0 and 7"},
          {"priority and pgn both empty end the table", 5, {{3, 1, ""}, {3, 3, ""}, {4, 5, "bad"}}, ""},
          {"a priority of blanks is a rule", 5, {{3, 1, " "}, {3, 3, ""}},
           "Error in row 3!! Priority must be between 0 and 7"},
          {"priority 7", 3, {{3, 1, "7"}}, ""},
          {"priority 8", 3, {{3, 1, "8"}}, "Error in row 3!! Priority must be between 0 and 7"},
          {"pgn 0x1FFFF", 3, {{3, 3, "0x1FFFF"}}, ""},
          {"pgn 0x20000", 3, {{3, 3, "0x20000"}}, "Error in row 3!! PGN must be between 0x00000 and 0x1FFFF"},
          {"address 255", 3, {{3, 4, "255"}}, ""},
          {"address 256", 3, {{3, 4, "256"}}, "Error in row 3!! Source Address must be between 0 and 255"},
          {"on timer with 0", 3, {{3, 8, "Y"}, {3, 9, "0"}}, timer},
          {"on timer with 65536", 3, {{3, 8, "Y"}, {3, 9, "65536"}}, timer},
          {"on timer with 65535", 3, {{3, 8, "Y"}, {3, 9, "65535"}}, ""},
          {"no timer: any send timer", 3, {{3, 9, "x"}}, ""},
          {"no send mode at all", 3, {{3, 6, ""}, {3, 7, ""}}, ""},
      });
}

TEST_F(TransmitJ1939, ARowWithoutPgnIsCheckedAndTheRowsAfterItSavedOnceFixed)
{
  const QString file = WS().Name_File_J1939_Send_Frames;
  Show([&] {
    for (int r = 1; r <= 5; ++r) {
      Set_Row(Grid(), r, Good_Tx);
      Grid()->SetCells(10, r, QString::number(r));
    }
    Grid()->SetCells(3, 3, QString());
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Error in row 3!! PGN must be between 0x00000 and 0x1FFFF"));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    Grid()->SetCells(3, 3, QStringLiteral("0x1FFFF"));
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  const QByteArray saved = Read_All(file);
  EXPECT_EQ(saved.count("<row "), 5);
  EXPECT_TRUE(saved.contains("PGN=\"0x1FFFF\" SA=\"0\" TP_NByte=\"8\" On_Request=\"N\" On_Data_Change=\"N\" On_Timer=\"N\""
                             " SendTimer=\"\" Mnemonic=\"3\"/>"))
      << saved.toStdString();
  EXPECT_TRUE(saved.contains("Mnemonic=\"5\"/></Transmit_J1939>"));
}

TEST_F(ReceiveJ1939, MissingAttributesTakeTheirDefaults)
{
  Write_All(WS().Name_File_J1939_Rec_Frames, Saved_File("Receive_J1939", "<row PGN=\"1\"/><row OnReq_Time=\"\"/>"));
  Show([&] {
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("|1||N|||N|N|1000|"));
    EXPECT_EQ(Row_Text(Grid(), 2), QStringLiteral("|||N|||N|N||"));
    // Cleared rows are wholly empty: no Enable column.
    EXPECT_EQ(Row_Text(Grid(), 3), QStringLiteral("|||||||||"));
  });
}

TEST_F(TransmitJ1939, ByteCountsAndOlderSendModesLoad)
{
  const QString file = WS().Name_File_J1939_Send_Frames;
  Write_All(file, Saved_File("Transmit_J1939",
                             "<row Priority=\"1\" PGN=\"1\"/>"
                             "<row Priority=\"2\" PGN=\"2\" TP_NByte=\"\" On_Request=\"Y\" On_Timer=\"Y\" SendTimer=\"10\"/>"
                             "<row Priority=\"3\" PGN=\"3\" TP_NByte=\"4\" T_Type=\"on timer\" On_Request=\"Y\" "
                             "On_Data_Change=\"Y\" SendTimer=\"20\"/>"
                             "<row Priority=\"4\" PGN=\"4\" T_Type=\"On Data Change\"/>"
                             "<row Priority=\"5\" PGN=\"5\" T_Type=\"ON REQUEST\" On_Timer=\"Y\"/>"));
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("1||1||8|N|N|N||"));
              EXPECT_EQ(Row_Text(Grid(), 2), QStringLiteral("2||2||8|Y|N|Y|10|"));
              EXPECT_EQ(Row_Text(Grid(), 3), QStringLiteral("3||3||4|N|N|Y|20|"));
              EXPECT_EQ(Row_Text(Grid(), 4), QStringLiteral("4||4||8|N|Y|N||"));
              EXPECT_EQ(Row_Text(Grid(), 5), QStringLiteral("5||5||8|N|N|N||"));
              for (int r = 1; r <= 5; ++r) {
                Grid()->SetCells(2, r, QStringLiteral("0"));
                Grid()->SetCells(4, r, QStringLiteral("0"));
              }
              Form->Btn_OK->Click();
            }),
            mrOk);
  const QByteArray saved = Read_All(file);
  EXPECT_FALSE(saved.contains("T_Type"));
  EXPECT_TRUE(saved.contains("<row Priority=\"3\" DP=\"0\" PGN=\"3\" SA=\"0\" TP_NByte=\"4\" On_Request=\"N\""
                             " On_Data_Change=\"N\" On_Timer=\"Y\" SendTimer=\"20\" Mnemonic=\"\"/>"))
      << saved.toStdString();
}

TEST_F(ReceiveJ1939, TheFileRoundTripsByteForByte)
{
  Expect_Round_Trip("J1939_Rec_Frames.xml", WS().Name_File_J1939_Rec_Frames);
}

TEST_F(TransmitJ1939, TheFileRoundTripsByteForByte)
{
  Expect_Round_Trip("J1939_Send_Frames.xml", WS().Name_File_J1939_Send_Frames);
}

TEST_F(ReceiveJ1939, TextsHintsAndRowCommandsWithoutEnable)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Receive J1939 Frames"));
  EXPECT_EQ(Form->ClientWidth(), 876);
  EXPECT_EQ(Form->sga->Name(), QStringLiteral("sga"));
  EXPECT_EQ(Form->sga->RowCount(), 513);
  EXPECT_EQ(Form->sga->ColCount(), 11);
  EXPECT_EQ(Form->Btn_Cancel->Hint(), QStringLiteral("Exit without save the 1939 Receive Frames List"));
  EXPECT_EQ(Form->Hint_ReceiveJ1939().size(), 10);
  Form->NUM_BYTE_IN = 3;
  Show([&] {
    EXPECT_EQ(Form->NUM_BYTE_IN, 1440);
    EXPECT_EQ(Hint_Of(0, 9), QStringLiteral("Insert the Time between two Requests expressed in milliseconds"));
    EXPECT_EQ(Hint_Of(1, 9), QString());
    Set_Row(Grid(), 1, Good_Rx);
    Grid()->FocusCell(2, 1);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("|||||||||"));
    EXPECT_EQ(Grid()->Cells(2, 2), QStringLiteral("61444"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Grid()->Cells(2, 1), QStringLiteral("61444"));
    Form->ClickCell(Grid(), 4, 0);
    EXPECT_EQ(Grid()->Selection().Top, 4);
    EXPECT_EQ(Grid()->Selection().Left, 1);
    EXPECT_EQ(Grid()->Selection().Right, 10);
  });
}

TEST_F(TransmitJ1939, TextsAndHints)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Transmit J1939 Frames"));
  EXPECT_EQ(Form->ClientWidth(), 800);
  EXPECT_EQ(Form->sga->Cells(5, 0), QStringLiteral("N Bytes"));
  Show([&] {
    EXPECT_EQ(Form->NUM_BYTE_OUT, 512);
    EXPECT_EQ(Hint_Of(0, 1), QStringLiteral("Insert the Priority of the J1939 Frame (0 to 7)"));
    EXPECT_EQ(Hint_Of(0, 10), Lang_Str(3834));
  });
}

TEST_F(ReceiveJ1939, RendersToPng)
{
  Use_Fixture("J1939_Rec_Frames.xml", WS().Name_File_J1939_Rec_Frames);
  Show([&] { Render("j1939_receive_window.png"); });
}

TEST_F(TransmitJ1939, RendersToPng)
{
  Use_Fixture("J1939_Send_Frames.xml", WS().Name_File_J1939_Send_Frames);
  Show([&] { Render("j1939_transmit_window.png"); });
}
