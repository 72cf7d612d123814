// The Modbus serial master rules window: its checks, the Topic index kept per row, the
// read grid's hints and the file round trip.

#include "editors_modbus_bacnet/modbus_serial_master_window.h"

#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/extctrls.h"

#include <QApplication>
#include "common/lb_button.h"

#include "modbus_window_fixture.h"

namespace {

using SerialWindow = TModbusWindowTest<TFSetAccess>;

// Enable, Slave ID, Type, Address, NPoint, Poll Time, Max Error, Position, Bit, Swap,
// SwapWord, Topic, Mnemonic.
QStringList Good_Read()
{
  return {"Y", "1", "Holding Register", "0", "10", "1000", "0", "0", "0", "N", "N", "", "r"};
}

// Enable, Slave ID, Type, Address, NPoint, Poll Time, On Change, On CMD, Max Error,
// Position, Bit, Swap, SwapWord, Mnemonic.
QStringList Good_Write()
{
  return {"Y", "2", "Holding Register", "0", "10", "0", "Y", "N", "0", "0", "0", "N", "N", "w"};
}

}  // namespace

TEST_F(SerialWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    bool write;
    std::vector<std::pair<int, const char*>> cells;
    const char* message;
  };
  const Case cases[] = {
      {"2000 coils at 1300", false, {{3, "Coil Status"}, {5, "2000"}, {8, "1300"}}, "Error row 2!! [Modbus Read] Too many bytes to save starting from the Position indicate"},
      {"2000 coils at 1200", false, {{3, "Coil Status"}, {5, "2000"}, {8, "1200"}}, ""},
      {"disabled write rule", true, {{1, "N"}, {2, "0"}}, ""},
      {"write slave id 0", true, {{2, "0"}}, "Error row 2!! [Modbus Write] Slave ID must be between 1 and 247"},
      {"read poll time 0", false, {{6, "0"}}, "Error row 2!! [Modbus Read] Poll Time must be between 1 and 100000000"},
      {"write position", true, {{10, "1500"}}, "Error row 2!! [Modbus Write] Position must be between 0 and 1499"},
      {"write coil without start bit", true, {{3, "Coil Status"}, {11, ""}}, "Error row 2!! [Modbus Write] Bit must be between 0 and 7"},
      {"write max error column", true, {{9, "x"}}, "Error row 2!! [Modbus Write] Max Error must be between 0 and 100000000"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    TKvStringGrid* g = c.write ? Form->Grids[1] : Form->Grids[0];
    for (int r = 1; r <= 2; ++r)
      Set_Row(g, r, c.write ? Good_Write() : Good_Read());
    for (const auto& [col, text] : c.cells)
      g->SetCells(col, 2, QString::fromUtf8(text));
    EXPECT_EQ(Form->Controllo_dati(), *c.message == 0);
    if (*c.message) {
      ASSERT_EQ(Messages().size(), 1);
      EXPECT_EQ(Messages().at(0), QString::fromUtf8(c.message));
    } else {
      EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
    }
  }
}

TEST_F(SerialWindow, AStoredTopicIndexLoadsAnEmptyTopicAndSavesEmpty)
{
  const QString file = WS().Name_File_ModbusM_SetAccess;
  Write_All(file, "<EtherNetIP_to_Modbus><Modbus_Read><row Slave_ID=\"1\" Type=\"Input Register\" Address=\"0\""
                  " NPoint=\"1\" PollTime=\"1\" MaxError=\"0\" Position=\"0\" Bit=\"0\" Index_Topic=\"7\" Mnemonic=\"m\"/>"
                  "<row Slave_ID=\"2\" Type=\"Input Register\" Address=\"0\" NPoint=\"1\" PollTime=\"1\" MaxError=\"0\""
                  " Position=\"2\" Bit=\"0\" Mnemonic=\"n\"/></Modbus_Read><Modbus_Write/></EtherNetIP_to_Modbus>");
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->Grids[0]->Cells(12, 1), QString());
              EXPECT_EQ(Form->ComboItem_Topic[0], 7);
              EXPECT_EQ(Form->ComboItem_Topic[1], -1);
              EXPECT_EQ(Form->Grids[0]->Cells(10, 1), QStringLiteral("N"));
              Form->bitbtn1Click(nullptr);
            }),
            mrOk);
  const QByteArray saved = Read_All(file);
  EXPECT_EQ(saved.count("Index_Topic=\"\""), 2);
  EXPECT_EQ(Xmllint_Failure(file), QString());
}

TEST(SerialTopic, IndexFromTopicPrefersTheRowsHint)
{
  TFSetAccess form;
  form.List_Publish_Topic = {"a", "b", "a"};
  struct Case {
    const char* topic;
    int hint;
    int expected;
  };
  const Case cases[] = {{"a", 2, 2}, {"a", 1, 0}, {"a", -1, 0}, {"a", 9, 0}, {"b", 0, 1}, {"c", 1, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(form.Get_Index_From_Topic(QString::fromLatin1(c.topic), c.hint), c.expected) << c.topic << " " << c.hint;
  EXPECT_EQ(form.Get_Topic_From_Index(2), QStringLiteral("a"));
  EXPECT_EQ(form.Get_Topic_From_Index(3), QString());
  form.ComboChange(form.KCG_Modbus_Read, 12, 4, 2, QStringLiteral("a"));
  EXPECT_EQ(form.ComboItem_Topic[3], 2);
  form.ComboChange(form.KCG_Modbus_Read, 11, 4, 5, QStringLiteral("5"));
  EXPECT_EQ(form.ComboItem_Topic[3], 2);
}

TEST_F(SerialWindow, AFileRoundTripsByteForByte)
{
  const QString file = WS().Name_File_ModbusM_SetAccess;
  Use_Fixture("ModbusM_SetAccess.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->Grids[0]->Cells(2, 2), QStringLiteral(" 300 "));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file), before);
  EXPECT_EQ(Xmllint_Failure(file), QString());
}

TEST_F(SerialWindow, OnlyTheReadGridShowsHintsByRealColumn)
{
  EXPECT_EQ(Form->Caption(), Lang_Str(1900));
  EXPECT_EQ(Form->ClientWidth(), 1040);
  EXPECT_EQ(Form->ClientHeight(), 337);
  EXPECT_EQ(Form->L_SW_Code->Caption(), WS().SW_Code);
  EXPECT_EQ(Form->Btn_CopyRow->Caption(), Lang_Str(1906));
  Show([&] {
    TKvStringGrid* read = Form->Grids[0];
    EXPECT_TRUE(read->ShowHint());
    EXPECT_FALSE(Form->Grids[1]->ShowHint());
    EXPECT_FALSE(Form->Btn_OK->ShowHint());
    ASSERT_EQ(read->ColCount(), 13);  // Topic hidden
    QString hint;
    Form->GridHint(read, 0, 12, hint);  // the Mnemonic header
    EXPECT_EQ(hint, Lang_Str(1954));
    EXPECT_EQ(hint, QStringLiteral("Insert the Description of Modbus Rule"));
    read->SetCells(13, 3, QStringLiteral("pump"));
    Form->GridHint(read, 3, 12, hint);
    EXPECT_EQ(hint, QStringLiteral("pump"));
    hint = QStringLiteral("unchanged");
    Form->GridHint(Form->Grids[1], 0, 3, hint);
    EXPECT_EQ(hint, QStringLiteral("unchanged"));
  });
}

TEST_F(SerialWindow, RendersToPng)
{
  Use_Fixture("ModbusM_SetAccess.xml", WS().Name_File_ModbusM_SetAccess);
  Show([&] {
    Form->PageControl1->SetActivePage(Form->TS_Modbus_Write);
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 1040);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/modbus_serial_master_window.png")));
    TKvStringGrid* g = Form->Grids[1];
    const TRect r = g->CellRect(7, 3);  // On Change, an empty row
    EXPECT_EQ(FromQColor(img.pixelColor(g->mapTo(Form.get(), QPoint(r.Left + 3, r.Top + 3)))), Modbus_Color_Timing);
  });
}
