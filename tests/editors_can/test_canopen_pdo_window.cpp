// The CANopen PDO map window: checks with their exact messages, the file round trip,
// partial loads, its own row delete, texts and hints.

#include "editors_can/canopen_pdo_window.h"

#include "canopen_window_fixture.h"

namespace {

using PdoWindow = TCANopenWindowTest<TFSet_PDO_Access>;

// COB-ID, Dimension, bytes 1 to 8, TimeOut, Mnemonic.
const QStringList Good_Rx = {"0x181", "2", "0", "1", "", "", "", "", "", "", "100", "rx"};
// COB-ID, Dimension, bytes 1 to 8, Send Time, On Change, Mnemonic.
const QStringList Good_Tx = {"0x201", "1", "5", "", "", "", "", "", "", "", "1000", "Y", "tx"};

QByteArray Rx_Row(int n)
{
  return "<row COB-ID=\"" + QByteArray::number(n) +
         "\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Address_B5=\"\""
         " Address_B6=\"\" Address_B7=\"\" Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"\"/>";
}

QByteArray Pdo_File(const QByteArray& Receive, const QByteArray& Transmit)
{
  // The XML layer writes an empty section as one empty element.
  auto section = [](const QByteArray& name, const QByteArray& rows) {
    return rows.isEmpty() ? "<" + name + "/>" : "<" + name + ">" + rows + "</" + name + ">";
  };
  return "<PDO_CANopen>" + section("Receive_PDO", Receive) + section("Transmit_PDO", Transmit) +
         "</PDO_CANopen>\r\n<!--SW_VERSION = 1.002-->\r\n";
}

}  // namespace

TEST_F(PdoWindow, ChecksGiveTheirExactMessages)
{
  const char* const rxCob = "Error row 3!! [Receive PDO] COB-ID must be between 0x000 and 0x7FF";
  Run_Check_Cases(
      {
          {"cob 0x7FF", 0, 3, {{1, "0x7FF"}}, ""},
          {"cob 2047", 1, 3, {{1, "2047"}}, ""},
          {"cob 0", 0, 3, {{1, "0"}}, ""},
          {"cob 0x800 receive", 0, 3, {{1, "0x800"}}, rxCob},
          {"cob 0x800 transmit", 1, 3, {{1, "0x800"}}, "Error row 3!! [Transmit PDO] COB-ID must be between 0x000 and 0x7FF"},
          {"cob with a trailing blank", 0, 3, {{1, "12 "}}, rxCob},
          {"negative cob", 0, 3, {{1, "-1"}}, rxCob},
          {"blank cob ends the table", 0, 2, {{1, "  "}, {2, "x"}}, ""},
          {"dimension 0", 0, 3, {{2, "0"}}, "Error row 3!! [Receive PDO] Dimension must be between 1 and 8"},
          {"dimension 9", 1, 3, {{2, "9"}}, "Error row 3!! [Transmit PDO] Dimension must be between 1 and 8"},
          {"bytes beyond the dimension", 0, 3, {{5, "abc"}}, ""},
          {"empty byte 2", 0, 3, {{4, ""}}, "Error row 3!! [Receive PDO] Address Byte2 must be between 0 and 1499"},
          {"byte 8 of 8 at 1500", 0, 2,
           {{2, "8"}, {5, "2"}, {6, "3"}, {7, "4"}, {8, "5"}, {9, "6"}, {10, "1500"}},
           "Error row 2!! [Receive PDO] Address Byte8 must be between 0 and 1499"},
          {"transmit byte 1 at 1500", 1, 3, {{3, "1500"}}, "Error row 3!! [Transmit PDO] Address Byte1 must be between 0 and 1499"},
          {"timeout 65535", 0, 3, {{11, "65535"}}, ""},
          {"timeout 65536", 0, 3, {{11, "65536"}}, "Error row 3!! [Receive PDO] TimeOut must be between 0 and 65535"},
          {"send time 100000000", 1, 3, {{11, "100000000"}}, ""},
          {"send time 100000001", 1, 3, {{11, "100000001"}},
           "Error row 3!! [Transmit PDO] Send Time must be between 0 and 100000000"},
          {"on change and mnemonic are free", 1, 3, {{12, ""}, {13, "!!"}}, ""},
          {"same cob and bytes twice", 0, 3, {{1, "0x181"}}, ""},
      },
      Good_Rx, Good_Tx);
}

TEST_F(PdoWindow, TheFileRoundTripsByteForByte)
{
  const QString file = WS().Name_File_PDO_CANopen;
  Use_Fixture("PDO_CANopen.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
              EXPECT_EQ(Form->sga->Cells(1, 1), QStringLiteral("0x181"));
              EXPECT_EQ(Form->sga->Cells(5, 1), QStringLiteral("abc"));
              EXPECT_EQ(Form->sgb->Cells(12, 1), QString());  // never ticked
              EXPECT_EQ(Form->sgb->Cells(12, 2), QStringLiteral("Y"));
              EXPECT_EQ(Form->sgb->Cells(12, 3), QStringLiteral("N"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(before).toStdString());
  EXPECT_EQ(Xmllint_Failure(file), QString());

  // An empty map still writes both sections.
  QFile::remove(file);
  EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(Pdo_File("", "")).toStdString());
}

TEST_F(PdoWindow, PartialLoadsAskBeforeTheFileIsReplaced)
{
  const QString file = WS().Name_File_PDO_CANopen;
  struct Case {
    const char* name;
    QByteArray text;
    const char* report;  // a piece of the one message shown at the show
    int rows_shown;      // whole rows
    int partial_row;     // the row the load stopped in, 0 for none
  };
  const QByteArray noTimeout = Rx_Row(7).replace(" TimeOut=\"0\"", "");
  const Case cases[] = {
      {"missing attribute", Pdo_File(Rx_Row(1) + Rx_Row(2) + noTimeout + Rx_Row(4), ""), "attribute \"TimeOut\"", 2, 3},
      {"missing section", "<PDO_CANopen><Receive_PDO>" + Rx_Row(1) + "</Receive_PDO></PDO_CANopen>", "Transmit_PDO", 1, 0},
      {"35 rows", Pdo_File(Repeat_Rows(Rx_Row(5), 35), ""), "5 rows", 30, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write_All(file, c.text);
    Dialogs->Requests.clear();
    Show([&] {
      ASSERT_EQ(Messages().size(), 1);
      EXPECT_TRUE(Messages().at(0).contains(QString::fromLatin1(c.report))) << Messages().at(0).toStdString();
      EXPECT_FALSE(Form->sga->Cells(11, c.rows_shown).isEmpty());
      if (c.partial_row) {
        // Read up to the missing attribute; its key is cleared so that the check passes.
        EXPECT_EQ(Form->sga->Cells(1, c.partial_row), QStringLiteral("7"));
        EXPECT_EQ(Form->sga->Cells(11, c.partial_row), QString());
        Form->sga->SetCells(1, c.partial_row, QString());
      }
      if (c.rows_shown < 30) {
        EXPECT_EQ(Form->sga->Cells(1, c.rows_shown + 1 + (c.partial_row ? 1 : 0)), QString());
      }
      Dialogs->QueueResult(mrNo);
      Form->Btn_OK->Click();
      EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
      EXPECT_EQ(Form->ModalResult(), mrNone);
    });
    EXPECT_EQ(Read_All(file).toStdString(), QByteArray(c.text).toStdString());
  }

  // Yes writes the 30 rows shown.
  Write_All(file, Pdo_File(Repeat_Rows(Rx_Row(5), 35), ""));
  Show([&] {
    Dialogs->QueueResult(mrYes);
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(Pdo_File(Repeat_Rows(Rx_Row(5), 30), "")).toStdString());
}

TEST_F(PdoWindow, RowCommandsMoveWholeRowsWithoutPresettingACell)
{
  Show([&] {
    Form->PageControl1->SetActivePage(Form->TS_Transmit_PDO);
    TKvStringGrid* g = Form->sgb;
    for (int r = 1; r <= 30; ++r) {
      Set_Row(g, r, Good_Tx);
      g->SetCells(1, r, QString::number(r));
    }
    g->SetCells(12, 2, QStringLiteral("N"));

    // Delete on row 30 empties only it.
    g->FocusCell(1, 30);
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 30"));
    EXPECT_EQ(Row_Text(g, 30), QStringLiteral("||||||||||||"));
    EXPECT_EQ(g->Cells(1, 29), QStringLiteral("29"));
    EXPECT_EQ(g->Cells(0, 30), QStringLiteral("30"));

    // No keeps the row; Yes moves the rows below up, the On Change cell with them.
    g->FocusCell(1, 1);
    Dialogs->QueueResult(mrNo);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("1"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(12, 1), QStringLiteral("N"));
    EXPECT_EQ(g->Cells(1, 28), QStringLiteral("29"));
    EXPECT_EQ(g->Cells(1, 29), QString());

    // Insert presets no cell.
    g->FocusCell(1, 1);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Row_Text(g, 1), QStringLiteral("||||||||||||"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(1, 29), QStringLiteral("29"));
    EXPECT_EQ(g->Cells(1, 30), QString());

    // With all 30 rows in use an insert would push out row 30: refused, nothing moves.
    Set_Row(g, 1, Good_Tx);
    Set_Row(g, 30, Good_Tx);
    g->SetCells(1, 30, QStringLiteral("30"));
    Dialogs->Requests.clear();
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Messages(), QStringList{Lang_Str(1509)});
    EXPECT_EQ(g->Cells(1, 1), Good_Tx.at(0));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("2"));
    EXPECT_EQ(g->Cells(1, 30), QStringLiteral("30"));
  });
}

TEST_F(PdoWindow, TextsSizesAndHintsOfTheActivePage)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Set PDO Access"));
  EXPECT_EQ(Form->ClientWidth(), 798);
  EXPECT_EQ(Form->ClientHeight(), 337);
  EXPECT_EQ(Form->sga->RowCount(), 31);
  EXPECT_EQ(Form->sga->ColCount(), 13);
  EXPECT_EQ(Form->sgb->ColCount(), 14);
  EXPECT_EQ(Form->TS_Transmit_PDO->Caption(), QStringLiteral("Transmit PDO"));
  EXPECT_EQ(Form->Btn_OK->Hint(), QStringLiteral("Confirm and save the CANopen PDOs List"));
  EXPECT_EQ(Form->sga->Cells(12, 0), QStringLiteral("Mnemonic"));
  EXPECT_EQ(Form->sgb->Cells(12, 0), QStringLiteral("On Change"));
  EXPECT_EQ(Form->sga->Columns()->Items(12)->Width(), 173);
  EXPECT_EQ(Form->sgb->Columns()->Items(12)->Editor(), edDataCheckBox);
  EXPECT_EQ(Form->sgb->Columns()->Items(12)->Alignment(), taCenter);
  EXPECT_EQ(Form->Hint_PDO_Receive().size(), 12);
  EXPECT_EQ(Form->Hint_PDO_Transmit().size(), 13);

  Form->PageControl1->SetActivePage(Form->TS_Transmit_PDO);
  Form->PROFINET_NByte_IN = 7;
  Show([&] {
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_Receive_PDO);
    EXPECT_EQ(Form->PROFINET_NByte_IN, 1500);
    EXPECT_EQ(Form->PROFINET_NByte_OUT, 1500);
    QString hint = QStringLiteral("x");
    Form->GridHint(Form->sgb, 0, 11, hint);  // the receive page is active
    EXPECT_EQ(hint, Lang_Str(2853));
    Form->PageControl1->SetActivePage(Form->TS_Transmit_PDO);
    Form->GridHint(Form->sga, 0, 12, hint);
    EXPECT_EQ(hint, Lang_Str(2866));
    Form->GridHint(Form->sgb, 1, 12, hint);
    EXPECT_EQ(hint, QString());
    Form->GridHint(Form->sgb, 0, 0, hint);
    EXPECT_EQ(hint, QString());
  });
}

TEST_F(PdoWindow, RendersToPng)
{
  Use_Fixture("PDO_CANopen.xml", WS().Name_File_PDO_CANopen);
  Show([&] { Render("canopen_pdo_window.png"); });
  Show([&] {
    Form->PageControl1->SetActivePage(Form->TS_Transmit_PDO);
    Render("canopen_pdo_window_transmit.png");
  });
}
