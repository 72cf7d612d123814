// The Modbus TCP master rules window: checks with their exact messages, the file's
// defaults and failures, the row commands on the window and the file round trip.

#include "editors_modbus_bacnet/modbus_tcp_master_window.h"

#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/extctrls.h"
#include "common/lb_button.h"

#include "modbus_window_fixture.h"

#include <QApplication>

namespace {

using TCPWindow = TModbusWindowTest<TFModbus_TCP_Master_Set_Access>;

// Enable, IP, Port, Slave ID, Type, Address, NPoint, Poll Time, Max Error, Position, Bit,
// Swap, Swap Word, Topic, Mnemonic.
QStringList Good_Read()
{
  return {"Y", "192.168.1.10", "502", "1", "Holding Register", "0", "10", "1000", "0", "0", "0", "N", "N", "", "r"};
}

// Enable, IP, Port, Slave ID, Type, Address, NPoint, Poll Time, On Change, On CMD,
// Max Error, Position, Bit, Swap, Swap Word, Mnemonic.
QStringList Good_Write()
{
  return {"Y", "10.0.0.2", "502", "2", "Holding Register", "0", "10", "0", "Y", "N", "0", "0", "0", "N", "N", "w"};
}

}  // namespace

TEST_F(TCPWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    bool write;
    std::vector<std::pair<int, const char*>> cells;  // column, text
    const char* message;                             // empty: the row passes
  };
  const Case cases[] = {
      {"register count", false, {{7, "126"}}, "Error row 3!! [Modbus Read] NPoint must be between 1 and 125"},
      {"read poll time 0", false, {{8, "0"}}, "Error row 3!! [Modbus Read] Poll Time must be between 1 and 100000000"},
      {"write poll time 0", true, {{8, "0"}}, ""},
      {"write coils 1968", true, {{5, "Coil Status"}, {7, "1968"}, {12, "0"}}, ""},
      {"write coils 1969", true, {{5, "Coil Status"}, {7, "1969"}}, "Error row 3!! [Modbus Write] NPoint must be between 1 and 1968"},
      {"write registers 123", true, {{7, "123"}}, ""},
      {"write registers 124", true, {{7, "124"}}, "Error row 3!! [Modbus Write] NPoint must be between 1 and 123"},
      {"leading blank address", false, {{2, " 10.0.0.1"}}, ""},
      {"trailing blank address", false, {{2, "10.0.0.1 "}}, "Error row 3!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"three parts", true, {{2, "10.0.0."}}, "Error row 3!! [Modbus Write] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"five parts", false, {{2, "192.168.1.1.5"}}, "Error row 3!! [Modbus Read] Slave IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"},
      {"16 coils at 1499", false, {{5, "Coil Status"}, {7, "16"}, {10, "1499"}}, "Error row 3!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
      {"8 coils at 1499", false, {{5, "Coil Status"}, {7, "8"}, {10, "1499"}}, ""},
      {"register at 1499", true, {{7, "1"}, {12, "1499"}}, "Error row 3!! [Modbus Write] Too many bytes to read starting from the Position indicate"},
      {"register at 1498", false, {{7, "1"}, {10, "1498"}}, ""},
      {"position 1500", false, {{10, "1500"}}, "Error row 3!! [Modbus Read] Position must be between 0 and 1499"},
      {"type of blanks is a register type", false, {{5, "  "}, {7, "126"}}, "Error row 3!! [Modbus Read] NPoint must be between 1 and 125"},
      {"empty type", true, {{5, ""}}, "Error row 3!! [Modbus Write] Type must be Coil Status or Holding Register"},
      {"status rule without start bit", false, {{5, "input status"}, {11, ""}}, "Error row 3!! [Modbus Read] Bit must be between 0 and 7"},
      {"port", true, {{3, "65536"}}, "Error row 3!! [Modbus Write] Port must be between 0 and 65535"},
      {"slave id", false, {{4, "248"}}, "Error row 3!! [Modbus Read] Slave ID must be between 1 and 247"},
      {"max error", true, {{11, "-1"}}, "Error row 3!! [Modbus Write] Max Error must be between 0 and 100000000"},
      {"disabled bad rule", false, {{1, "N"}, {3, "x"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    TKvStringGrid* g = c.write ? Form->Grids[1] : Form->Grids[0];
    for (int r = 1; r <= 3; ++r)
      Set_Row(g, r, c.write ? Good_Write() : Good_Read());
    for (const auto& [col, text] : c.cells)
      g->SetCells(col, 3, QString::fromUtf8(text));
    const bool ok = Form->Controllo_dati();
    EXPECT_EQ(ok, *c.message == 0);
    if (*c.message) {
      ASSERT_EQ(Messages().size(), 1);
      EXPECT_EQ(Messages().at(0), QString::fromUtf8(c.message));
      EXPECT_EQ(Dialogs->Requests.at(0).DlgType, mtError);
    } else {
      EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
    }
  }
}

TEST(ModbusRuleCheck, AddressesAreTakenAsTyped)
{
  for (const char* good : {"0.0.0.0", " 10.0.0.1", "255.255.255.255", "010.1.1.1", "$A.0.0.1"})
    EXPECT_FALSE(Check_IP_Address(QString::fromLatin1(good))) << good;
  for (const char* bad : {"", "10.0.0.1 ", "10.0.0.", "192.168.1", "192.168.1.1.5", "256.1.1.1", "a.b.c.d", "1..2.3"})
    EXPECT_TRUE(Check_IP_Address(QString::fromLatin1(bad))) << bad;
}

TEST_F(TCPWindow, MissingDefaultedAttributesReadTheirDefaultsAndOnChangeIsRequired)
{
  Write_All(WS().Name_File_ModbusTCPM_SetAccess,
            "<R><Modbus_Read><row IP_Address=\"1.2.3.4\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\""
            " NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Index_Topic=\"3\" Mnemonic=\"m\"/></Modbus_Read>"
            "<Modbus_Write><row IP_Address=\"1.2.3.4\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\""
            " NPoint=\"1\" PollTime=\"1\" OnChange=\"Y\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"w1\"/>"
            "<row IP_Address=\"1.2.3.5\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\" Address=\"0\""
            " NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"w2\"/></Modbus_Write></R>");
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("row 2, attribute \"OnChange\""))) << Messages().at(0).toStdString();
    EXPECT_EQ(Row_Text(Form->Grids[0], 1), QStringLiteral("Y|1.2.3.4|502|1|Coil Status|0|1|1|0|0|0|N|N||m"));
    EXPECT_EQ(Row_Text(Form->Grids[1], 1), QStringLiteral("Y|1.2.3.4|502|1|Coil Status|0|1|1|Y|N|0|0|0|N|N|w1"));
    EXPECT_EQ(Form->Grids[1]->Cells(2, 2), QStringLiteral("1.2.3.5"));  // read up to the missing attribute
    EXPECT_EQ(Form->Grids[1]->Cells(15, 2), QString());
    EXPECT_TRUE(Form->Load_State.Stopped);
  });
}

TEST_F(TCPWindow, AFileRoundTripsByteForByteWithIndexTopicMinusOne)
{
  const QString file = WS().Name_File_ModbusTCPM_SetAccess;
  Use_Fixture("ModbusTCPM_SetAccess.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->Grids[0]->Cells(15, 1), QStringLiteral("Tank & <level> \"A\""));
              EXPECT_EQ(Form->Grids[0]->Cells(14, 1), QString());  // no topic list
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file), before);
  EXPECT_EQ(Xmllint_Failure(file), QString());

  // A rule typed into an empty project saves Index_Topic as "-1".
  QFile::remove(file);
  Show([&] {
    Set_Row(Form->Grids[0], 1, Good_Read());
    Form->Btn_OK->Click();
  });
  EXPECT_TRUE(Read_All(file).contains("Index_Topic=\"-1\" Mnemonic=\"r\""));
  EXPECT_EQ(Xmllint_Failure(file), QString());
}

TEST_F(TCPWindow, AProjectWithoutTheFileSavesTheSkeleton)
{
  EXPECT_EQ(Show([&] {
              EXPECT_EQ(Form->Grids[0]->Cells(0, 512), QStringLiteral("512"));
              EXPECT_EQ(Form->Grids[1]->Cells(1, 512), QStringLiteral("Y"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(WS().Name_File_ModbusTCPM_SetAccess),
            QByteArray("<PROFINET_Master_to_Modbus_TCP_Master><Modbus_Read/><Modbus_Write/>"
                       "</PROFINET_Master_to_Modbus_TCP_Master>\r\n<!--SW_VERSION = 1.000-->\r\n"));
}

TEST_F(TCPWindow, PasteNeedsACopyOfThisGridInThisOpening)
{
  Show([&] {
    Set_Row(Form->Grids[0], 1, Good_Read());
    Form->Grids[0]->FocusCell(2, 1);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy[0]);
    Form->PageControl1->SetActivePage(Form->TS_Modbus_Write);
    Form->Grids[1]->FocusCell(2, 4);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1502));
    EXPECT_EQ(Form->Grids[1]->Cells(2, 4), QString());
  });
  Show([&] {
    Form->Grids[0]->FocusCell(2, 2);
    Form->Btn_PasteRow->Click();  // the clipboard still holds the row
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1502));
    EXPECT_EQ(Form->Grids[0]->Cells(2, 2), QString());
  });

  // A used row asks first; No pastes nothing.
  Show([&] {
    Set_Row(Form->Grids[0], 1, Good_Read());
    Form->Grids[0]->SetCells(2, 2, QStringLiteral("10.9.9.9"));
    Form->Grids[0]->FocusCell(2, 1);
    Form->Btn_CopyRow->Click();
    Form->Grids[0]->FocusCell(2, 2);
    Dialogs->QueueResult(mrNo);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1500));
    EXPECT_EQ(Form->Grids[0]->Cells(2, 2), QStringLiteral("10.9.9.9"));
    EXPECT_EQ(Form->Grids[0]->Cells(3, 2), QString());
    Form->Grids[0]->FocusCell(2, 3);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Row_Text(Form->Grids[0], 3), Row_Text(Form->Grids[0], 1));
  });
}

TEST_F(TCPWindow, InsertAndDeleteKeepTheRowCount)
{
  Show([&] {
    TKvStringGrid* g = Form->Grids[0];
    Set_Row(g, 511, Good_Read());
    g->FocusCell(2, 512);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(g->RowCount(), 513);
    EXPECT_EQ(g->Cells(1, 512), QStringLiteral("Y"));
    EXPECT_EQ(g->Cells(2, 512), QString());
    EXPECT_EQ(g->Cells(0, 512), QStringLiteral("512"));

    g->FocusCell(2, 511);
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 511"));
    EXPECT_EQ(g->Cells(2, 511), QString());
    EXPECT_EQ(g->Cells(1, 512), QString());  // unchecked: a rule typed there is disabled
    bool checked = true;
    EXPECT_TRUE(g->GetCheckBoxState(1, 512, checked));
    EXPECT_FALSE(checked);
  });
}

TEST_F(TCPWindow, ALoadFailureOpensWithTheRowsReadAndOkAsksBeforeReplacingTheFile)
{
  const QString file = WS().Name_File_ModbusTCPM_SetAccess;
  // A first opening copies a row.
  Show([&] {
    Set_Row(Form->Grids[0], 1, Good_Read());
    Form->Grids[0]->FocusCell(2, 1);
    Form->Btn_CopyRow->Click();
  });
  Write_All(file, "<R><Modbus_Read><row Enable=\"Y\" IP_Address=\"1.1.1.1\" Port=\"502\" Slave_ID=\"1\" Type=\"Coil Status\""
                  " Address=\"0\" NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"a\"/>"
                  "<row Enable=\"Y\" IP_Address=\"2.2.2.2\"/><row/></Modbus_Read><Modbus_Write/></R>");
  const QByteArray before = Read_All(file);
  Dialogs->Requests.clear();
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);  // the failure report only
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("attribute \"Port\"")));
    EXPECT_EQ(Form->Grids[0]->Cells(2, 1), QStringLiteral("1.1.1.1"));
    EXPECT_EQ(Form->Grids[0]->Cells(2, 2), QStringLiteral("2.2.2.2"));
    EXPECT_EQ(Form->Grids[0]->Cells(2, 3), QString());
    Form->Grids[0]->FocusCell(2, 5);
    Form->Btn_PasteRow->Click();  // the previous opening's copy still pastes
    EXPECT_EQ(Form->Grids[0]->Cells(2, 5), QStringLiteral("192.168.1.10"));
    Form->Grids[0]->SetCells(1, 2, QStringLiteral("N"));  // the half-read rule would fail the check
    Form->Grids[0]->SetCells(3, 5, QStringLiteral("1"));
    for (int r = 3; r <= 4; ++r)
      Set_Row(Form->Grids[0], r, Good_Read());
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_EQ(Form->Grids[0]->Cells(2, 5), QStringLiteral("192.168.1.10"));
  });
  EXPECT_EQ(Read_All(file), before);
}

TEST_F(TCPWindow, AFailedWriteKeepsTheWindowOpenAndTheOldFile)
{
  const QString file = WS().Name_File_ModbusTCPM_SetAccess;
  Use_Fixture("ModbusTCPM_SetAccess.xml", file);
  const QByteArray before = Read_All(file);
  Show([&] {
    Form->Grids[0]->SetCells(15, 1, QStringLiteral("changed"));
    SetAtomicWriteHookForTests([](const QString&) { throw EInOutError(QStringLiteral("disk full")); });
    TControl::Guard([&] { Form->Btn_OK->Click(); });
    SetAtomicWriteHookForTests(nullptr);
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("disk full")));
    EXPECT_EQ(Form->ModalResult(), mrNone);
    EXPECT_EQ(Form->Grids[0]->Cells(15, 1), QStringLiteral("changed"));
  });
  EXPECT_EQ(Read_All(file), before);
}

TEST_F(TCPWindow, TextsAndNoHints)
{
  EXPECT_EQ(Form->Caption(), Lang_Str(2000));
  EXPECT_EQ(Form->ClientWidth(), 1150);
  EXPECT_EQ(Form->ClientHeight(), 337);
  EXPECT_EQ(Form->Btn_DelRow->Caption(), QStringLiteral("Delete Row"));
  EXPECT_EQ(Form->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));
  EXPECT_EQ(Form->TS_Modbus_Write->Caption(), QStringLiteral("Modbus Write"));
  auto* read = static_cast<TKvColumnGrid*>(Form->Grids[0]);
  EXPECT_EQ(read->Columns()->Items(13)->Header(), QStringLiteral("Swap Word"));
  EXPECT_EQ(read->Columns()->Items(0)->Width(), 40);
  EXPECT_EQ(read->Columns()->Items(2)->Width(), 101);
  EXPECT_EQ(read->Columns()->Items(1)->Color(), TColor(0xB0D8FF));
  const std::vector<TControl*> controls{Form.get(),       Form->Grids[0],    Form->Grids[1],
                                       Form->Btn_OK,     Form->Btn_Cancel,  Form->Btn_DelRow,
                                       Form->Btn_InsRow, Form->Btn_CopyRow, Form->Btn_PasteRow};
  for (TControl* c : controls)
    EXPECT_FALSE(c->ShowHint()) << c->Name().toStdString();
  EXPECT_EQ(Form->Btn_OK->Hint(), Lang_Str(2063));
  Show([&] {
    ASSERT_EQ(Form->Hints[0].size(), 14);
    QString hint;
    Form->GridHint(Form->Grids[0], 0, 14, hint);  // displayed column 14 is Mnemonic
    EXPECT_EQ(hint, Lang_Str(2082));
    EXPECT_EQ(Form->Grids[0]->ColCount(), 15);
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_Modbus_Read);
    EXPECT_EQ(read->Columns()->Items(10)->ComboItems()->Count(), 1500);
  });
}

TEST_F(TCPWindow, RendersToPng)
{
  Use_Fixture("ModbusTCPM_SetAccess.xml", WS().Name_File_ModbusTCPM_SetAccess);
  Show([&] {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), Form->ClientWidth());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/modbus_tcp_master_window.png")));
    auto at = [&](TKvStringGrid* g, int col, int row) {
      const TRect r = g->CellRect(col, row);
      return FromQColor(img.pixelColor(g->mapTo(Form.get(), QPoint(r.Left + 4, (r.Top + r.Bottom) / 2))));
    };
    EXPECT_EQ(at(Form->Grids[0], 6, 4), Modbus_Color_Slave);
    EXPECT_EQ(at(Form->Grids[0], 9, 4), Modbus_Color_Timing);
    EXPECT_EQ(at(Form->Grids[0], 10, 4), Modbus_Color_Position);
    EXPECT_EQ(FromQColor(img.pixelColor(Form->P_Title->mapTo(Form.get(), QPoint(600, 30)))), TColor(0xEDF7F8));
  });
}

TEST_F(TCPWindow, TheHeaderAfterTheHiddenTopicIsShown)
{
  EXPECT_EQ(Form->Grids[0]->Cells(15, 0), QStringLiteral("Mnemonic"));
  EXPECT_EQ(Form->Grids[1]->Cells(16, 0), QStringLiteral("Mnemonic"));
}
