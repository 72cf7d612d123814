// The NMEA 2000 receive and transmit windows: their checks with the exact messages (fast
// packet, transport protocol, single frame, totals summed in 64 bits, the transmit table
// that ends where Priority and PGN are both empty), loading, 62 rows, round trip, texts.

#include "editors_can/receive_nmea_window.h"
#include "editors_can/transmit_nmea_window.h"

#include "can_family_fixture.h"

namespace {

using ReceiveNmea = TCANFamilyWindowTest<TFReceiveNMEA>;
using TransmitNmea = TCANFamilyWindowTest<TFTransmitNMEA>;

// PGN, Source Address, TP, FP, Start Byte, N Byte, Cancel Data, Mnemonic.
const QStringList Good_Rx = {"127250", "0", "N", "N", "", "", "N", "m"};
// Priority, PGN, Source Address, FP, Num Byte, Request, Data Change, On Timer, Send Timer, Mnemonic.
const QStringList Good_Tx = {"2", "127250", "0", "N", "8", "N", "N", "N", "", "m"};

const char* const Total = "Error!! Too many bytes of data, the max number is 512";

}  // namespace

TEST_F(ReceiveNmea, ChecksGiveTheirExactMessages)
{
  const char* const fpSum = "Error in row 3!! Start Byte plus Number Bytes must be between 0 and 223";
  Run_Check_Cases(
      Good_Rx,
      {
          {"62 whole frames: 496 bytes", 62, {}, ""},
          {"pgn 0x1FFFF and address 239", 3, {{3, 1, "0x1FFFF"}, {3, 2, "239"}}, ""},
          {"pgn 0x20000", 3, {{3, 1, "0x20000"}}, "Error in row 3!! PGN must be between 0x00000 and 0x1FFFF"},
          {"address 240", 3, {{3, 2, "240"}}, "Error in row 3!! Source Address must be between 0 and 239"},
          {"a pgn of blanks is a rule", 3, {{3, 1, "  "}}, "Error in row 3!! PGN must be between 0x00000 and 0x1FFFF"},
          {"transport 1700 + 85", 3, {{3, 3, "Y"}, {3, 5, "1700"}, {3, 6, "85"}}, ""},
          {"transport 1000 + 785 passes its row, not the total", 3, {{3, 3, "Y"}, {3, 5, "1000"}, {3, 6, "785"}},
           Total},
          {"transport 1000 + 786", 3, {{3, 3, "Y"}, {3, 5, "1000"}, {3, 6, "786"}},
           "Error in row 3!! Start Byte plus Number Bytes must be between 0 and 1785"},
          {"transport start -1", 3, {{3, 3, "Y"}, {3, 5, "-1"}, {3, 6, "1"}},
           "Error in row 3!! Start Byte must be between 0 and 1785"},
          {"fast packet 200 + 23", 3, {{3, 4, "Y"}, {3, 5, "200"}, {3, 6, "23"}}, ""},
          {"fast packet 200 + 24", 3, {{3, 4, "Y"}, {3, 5, "200"}, {3, 6, "24"}}, fpSum},
          {"fast packet start 224", 3, {{3, 4, "Y"}, {3, 5, "224"}, {3, 6, "0"}},
           "Error in row 3!! Start Byte must be between 0 and 223"},
          {"fast packet 100 + 2147483647", 3, {{3, 4, "Y"}, {3, 5, "100"}, {3, 6, "2147483647"}}, fpSum},
          {"both boxes with start 300", 3, {{3, 3, "Y"}, {3, 4, "Y"}, {3, 5, "300"}, {3, 6, "10"}}, ""},
          {"single 2 + 6", 3, {{3, 5, "2"}, {3, 6, "6"}}, ""},
          {"single 2 + 7", 3, {{3, 5, "2"}, {3, 6, "7"}},
           "Error in row 3!! The Number Bytes plus Start Byte must be minor of 9"},
          {"single start 0", 3, {{3, 5, "0"}, {3, 6, "1"}}, "Error in row 3!! The Start Byte must be between 1 and 8"},
          {"single n 0", 3, {{3, 5, "1"}, {3, 6, "0"}}, "Error in row 3!! The Number Bytes must be between 1 and 8"},
          {"single 3 + empty", 3, {{3, 5, "3"}}, "Error in row 3!! Start Byte and Number Bytes must be both compiled"},
          {"transport 0 + 513 passes its row, not the total", 1, {{1, 3, "Y"}, {1, 5, "0"}, {1, 6, "513"}}, Total},
          {"fast packets of 512 bytes", 3,
           {{1, 4, "Y"}, {1, 5, "0"}, {1, 6, "223"}, {2, 4, "Y"}, {2, 5, "0"}, {2, 6, "223"}, {3, 4, "Y"}, {3, 5, "0"},
            {3, 6, "66"}}, ""},
          {"fast packets of 513 bytes", 3,
           {{1, 4, "Y"}, {1, 5, "0"}, {1, 6, "223"}, {2, 4, "Y"}, {2, 5, "0"}, {2, 6, "223"}, {3, 4, "Y"}, {3, 5, "0"},
            {3, 6, "67"}}, Total},
          {"an empty pgn ends the table", 3, {{2, 1, ""}, {3, 2, "999"}}, ""},
      });
}

TEST_F(TransmitNmea, ChecksGiveTheirExactMessages)
{
  Run_Check_Cases(
      Good_Tx,
      {
          {"priority 7", 3, {{3, 1, "7"}}, ""},
          {"priority 8", 3, {{3, 1, "8"}}, "Error in row 3!! Priority must be between 0 and 7"},
          {"a pgn without priority", 3, {{3, 1, ""}}, "Error in row 3!! Priority must be between 0 and 7"},
          {"a priority without pgn", 5, {{3, 2, ""}}, "Error in row 3!! PGN must be between 0x00000 and 0x1FFFF"},
          {"priority and pgn both empty end the table", 5, {{3, 1, ""}, {3, 2, ""}, {4, 5, "x"}}, ""},
          {"address 240", 3, {{3, 3, "240"}}, "Error in row 3!! Source Address must be between 0 and 239"},
          {"512 then 1", 2, {{1, 5, "512"}, {2, 5, "1"}}, "Error!! Too many bytes of data, the max number is 512"},
          {"num byte 513", 3, {{3, 5, "513"}}, "Error in row 3!! Num Byte must be between 0 and 512"},
          {"a fast packet of 300", 1, {{1, 4, "Y"}, {1, 5, "300"}}, ""},
          {"on timer with 0", 3, {{3, 8, "Y"}, {3, 9, "0"}}, "Error in row 3!! Send Timer must be between 1 and 65535 ms"},
          {"no timer and an empty send timer", 3, {{3, 9, ""}}, ""},
      });
}

TEST_F(ReceiveNmea, RowsWithoutBoxAttributesLoadUnticked)
{
  Write_All(WS().Name_File_NMEA_Rec_Frames, Saved_File("Receive_NMEA_2000", "<row PGN=\"1\" SA=\"2\"/>"));
  Show([&] {
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("1|2|N|N|||N|"));
    EXPECT_EQ(Grid()->Cells(0, 62), QStringLiteral("62"));
  });
}

TEST_F(TransmitNmea, RowsWithoutBoxAttributesLoadUnticked)
{
  Write_All(WS().Name_File_NMEA_Send_Frames, Saved_File("Receive_NMEA_2000", "<row Priority=\"1\" PGN=\"2\"/>"));
  Show([&] { EXPECT_EQ(Row_Text(Grid(), 1), QStringLiteral("1|2||N||N|N|N||")); });
}

TEST_F(ReceiveNmea, TheFileRoundTripsByteForByte)
{
  Expect_Round_Trip("NMEA_Rec_Frames.xml", WS().Name_File_NMEA_Rec_Frames);
}

TEST_F(TransmitNmea, TheFileRoundTripsAndKeepsTheReceiveRootName)
{
  Expect_Round_Trip("NMEA_Send_Frames.xml", WS().Name_File_NMEA_Send_Frames);
  EXPECT_TRUE(Read_All(WS().Name_File_NMEA_Send_Frames).startsWith("<Receive_NMEA_2000>"));
}

TEST_F(ReceiveNmea, RulesPastThe62ndAreNamedAndOkAsksBeforeReplacingTheFile)
{
  Expect_Rows_Left_Out(WS().Name_File_NMEA_Rec_Frames, "<Receive_NMEA_2000>",
                       "<row PGN=\"1\" SA=\"0\" TP=\"N\" FP=\"N\" TP_Start=\"\" TP_NByte=\"\" Delete=\"N\" Mnemonic=\"\"/>",
                       "</Receive_NMEA_2000>\r\n<!--SW_VERSION = 1.000-->\r\n", 62);
}

TEST_F(TransmitNmea, TextsAndHints)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Transmit NMEA 2000 Frames"));
  EXPECT_EQ(Form->ClientWidth(), 810);
  EXPECT_EQ(Form->sga->RowCount(), 63);
  EXPECT_EQ(Form->sga->Columns()->Items(10)->Width(), 116);
  EXPECT_EQ(Form->Hint_TransmitNMEA().size(), 10);
  Show([&] {
    EXPECT_EQ(Form->NUM_BYTE_OUT, 512);
    EXPECT_EQ(Hint_Of(0, 4), QStringLiteral("Enable to send the PGN as Fast Packet"));
    EXPECT_EQ(Hint_Of(3, 4), QString());
  });
}

TEST_F(ReceiveNmea, TextsAndHints)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Receive NMEA 2000 Frames"));
  EXPECT_EQ(Form->sga->ColCount(), 9);
  EXPECT_EQ(Form->sga->Columns()->Items(3)->Width(), 113);
  Show([&] {
    EXPECT_EQ(Form->NUM_BYTE_IN, 512);
    EXPECT_EQ(Hint_Of(0, 8), QStringLiteral("Insert a description of the NMEA 2000 Frame"));
  });
}

TEST_F(ReceiveNmea, RendersToPng)
{
  Use_Fixture("NMEA_Rec_Frames.xml", WS().Name_File_NMEA_Rec_Frames);
  Show([&] { Render("nmea_receive_window.png"); });
}

TEST_F(TransmitNmea, RendersToPng)
{
  Use_Fixture("NMEA_Send_Frames.xml", WS().Name_File_NMEA_Send_Frames);
  Show([&] { Render("nmea_transmit_window.png"); });
}
