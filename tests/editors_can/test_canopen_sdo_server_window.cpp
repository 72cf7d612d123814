// The CANopen SDO server window: checks with their exact messages, the file round trip,
// 500-row tables, texts and hints.

#include "editors_can/canopen_sdo_server_window.h"

#include "canopen_window_fixture.h"

namespace {

using SdoServerWindow = TCANopenWindowTest<TFSet_SDO_Server_Access>;

// Index, SubIndex, N Byte, bytes 1 to 4, Mnemonic.
const QStringList Good = {"0x2000", "0", "4", "0", "1", "2", "3", "m"};

QByteArray Server_Row()
{
  return "<row Index=\"0x2001\" SubIndex=\"1\" NByte=\"1\" Address_B1=\"9\" Address_B2=\"\" Address_B3=\"\""
         " Address_B4=\"\" Mnemonic=\"\"/>";
}

QByteArray Server_File(const QByteArray& Read, const QByteArray& Write)
{
  // The XML layer writes an empty section as one empty element.
  auto section = [](const QByteArray& name, const QByteArray& rows) {
    return rows.isEmpty() ? "<" + name + "/>" : "<" + name + ">" + rows + "</" + name + ">";
  };
  return "<SDO_Server_CANopen>" + section("SDO_Read", Read) + section("SDO_Write", Write) +
         "</SDO_Server_CANopen>\r\n<!--SW_VERSION = 1.002-->\r\n";
}

}  // namespace

TEST_F(SdoServerWindow, ChecksGiveTheirExactMessages)
{
  Run_Check_Cases(
      {
          {"index 0x1FFF read", 0, 3, {{1, "0x1FFF"}}, "Error row 3!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"},
          {"index 0x1FFF write", 1, 3, {{1, "0x1FFF"}}, "Error row 3!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
          {"index 0x2000", 0, 3, {{1, "0x2000"}}, ""},
          {"index 8192", 1, 3, {{1, "8192"}}, ""},
          {"index 0x5FFF", 0, 3, {{1, "0x5FFF"}}, ""},
          {"index 0x6000", 1, 3, {{1, "0x6000"}}, "Error row 3!! [SDO in Write] Index must be between 0x2000 and 0x5FFF"},
          {"subindex 0xFF", 0, 3, {{1, "0x2001"}, {2, "0xFF"}}, ""},
          {"subindex 256", 0, 3, {{2, "256"}}, "Error row 3!! [SDO in Read] SubIndex must be between 0x00 and 0xFF"},
          {"n byte 3", 1, 3, {{3, "3"}}, "Error row 3!! [SDO in Write] N Byte must be 1 or 2 or 4"},
          {"n byte 2 without bytes 3 and 4", 0, 3, {{3, "2"}, {6, ""}, {7, ""}}, ""},
          {"n byte 1 at 1500", 0, 1, {{3, "1"}, {4, "1500"}},
           "Error row 1!! [SDO in Read] Address Byte1 must be between 0 and 1499"},
          {"n byte 4 with empty byte 4", 1, 3, {{7, ""}}, "Error row 3!! [SDO in Write] Address Byte4 must be between 0 and 1499"},
          {"empty index ends the table", 0, 2, {{1, " "}, {3, "3"}}, ""},
      },
      Good, Good);
}

// Sub-index 0 of an index that has other sub-indexes, in either list, is the record's
// entry count: one byte. A lone sub-index 0 keeps any size.
TEST_F(SdoServerWindow, ASubIndexZeroBesideOtherSubIndexesIsOneByte)
{
  struct TCase {
    const char* Name;
    std::vector<QStringList> Read, Write;  // Index, SubIndex, N Byte of rows 1, 2, ...
    std::string Message;
  };
  const std::string record = " SubIndex 0 must be of 1 byte when the Index has other SubIndexes";
  const std::string read = "!! [SDO in Read]" + record, write = "!! [SDO in Write]" + record;
  const TCase cases[] = {
      {"one byte beside sub-index 1", {{"0x2000", "0", "1"}, {"0x2000", "1", "4"}}, {}, ""},
      {"two bytes beside sub-index 1", {{"0x2000", "1", "1"}, {"0x2000", "0", "2"}}, {}, "Error row 2" + read},
      {"four bytes, sub-index 1 in the write list", {{"8192", "0", "4"}}, {{"0x2000", "1", "1"}}, "Error row 1" + read},
      {"the write list's own", {{"0x2000", "1", "1"}}, {{"0x2000", "0", "4"}}, "Error row 1" + write},
      {"lone sub-index 0 in both lists", {{"0x2000", "0", "4"}}, {{"0x2000", "0", "2"}}, ""},
      {"other index", {{"0x2000", "0", "4"}, {"0x2001", "1", "1"}}, {}, ""},
      {"past the table's end", {{"0x2000", "0", "4"}, {" ", "", ""}, {"0x2000", "1", "1"}}, {}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    for (int g = 0; g < 2; ++g) {
      const std::vector<QStringList>& rows = g == 0 ? c.Read : c.Write;
      for (size_t r = 0; r < rows.size(); ++r)
        Set_Row(Form->Grids[size_t(g)], int(r) + 1, rows[r] + QStringList{"0", "1", "2", "3", "m"});
    }
    Expect_Check(c.Message.c_str());
  }
}

TEST_F(SdoServerWindow, TheFileRoundTripsByteForByteWithAnEntryInBothLists)
{
  const QString file = WS().Name_File_SDO_Server_CANopen;
  Use_Fixture("SDO_Server_CANopen.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
              EXPECT_EQ(Row_Text(Form->sga, 2), QStringLiteral("8193|0xFF|2|4|5||x|"));
              EXPECT_EQ(Form->sga->Cells(1, 1), Form->sgb->Cells(1, 1));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(before).toStdString());
  EXPECT_EQ(Xmllint_Failure(file), QString());
}

TEST_F(SdoServerWindow, SixHundredRowsShowFiveHundredAndYesWritesThose)
{
  const QString file = WS().Name_File_SDO_Server_CANopen;
  Write_All(file, Server_File(Repeat_Rows(Server_Row(), 600), ""));
  Show([&] {
    EXPECT_EQ(Messages(), QStringList{Lang_Str(Rule_Text_Rows_Not_Shown).arg(100).arg(QStringLiteral("SDO_Read"))});
    EXPECT_EQ(Form->sga->Cells(1, 500), QStringLiteral("0x2001"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
  });
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(Server_File(Repeat_Rows(Server_Row(), 500), "")).toStdString());

  // A missing attribute stops at its row; No leaves the file as it was.
  const QByteArray broken = Server_File(Server_Row() + "<row Index=\"0x2002\"/>" + Server_Row(), "");
  Write_All(file, broken);
  Dialogs->Requests.clear();
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("attribute \"SubIndex\""))) << Messages().at(0).toStdString();
    EXPECT_EQ(Form->sga->Cells(1, 2), QStringLiteral("0x2002"));
    EXPECT_EQ(Form->sga->Cells(1, 3), QString());
    Form->sga->SetCells(1, 2, QString());
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(broken).toStdString());
}

TEST_F(SdoServerWindow, TextsHintsAndTheOwnRowDelete)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Set SDO Server Access"));
  EXPECT_EQ(Form->ClientWidth(), 749);
  EXPECT_EQ(Form->sga->RowCount(), 501);
  EXPECT_EQ(Form->sgb->ColCount(), 9);
  EXPECT_EQ(Form->TS_SDO_Write->Caption(), QStringLiteral("SDO in Write"));
  EXPECT_EQ(Form->sgb->Cells(8, 0), QStringLiteral("Mnemonic"));
  EXPECT_EQ(Form->Hint_SDO_Client_Read().size(), 8);
  Show([&] {
    Form->PageControl1->SetActivePage(Form->TS_SDO_Write);
    QString hint;
    Form->GridHint(Form->sgb, 0, 1, hint);
    EXPECT_EQ(hint, Lang_Str(3042));
    Form->GridHint(Form->sgb, 0, 8, hint);
    EXPECT_EQ(hint, Lang_Str(3049));

    Set_Row(Form->sgb, 499, Good);
    Set_Row(Form->sgb, 500, {"0x2001", "1", "1", "7", "", "", "", "last"});
    Form->sgb->FocusCell(1, 499);
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 499"));
    EXPECT_EQ(Row_Text(Form->sgb, 499), QStringLiteral("0x2001|1|1|7||||last"));
    EXPECT_EQ(Row_Text(Form->sgb, 500), QStringLiteral("|||||||"));
    EXPECT_EQ(Form->sgb->Cells(0, 500), QStringLiteral("500"));
  });
}

TEST_F(SdoServerWindow, RendersToPng)
{
  Use_Fixture("SDO_Server_CANopen.xml", WS().Name_File_SDO_Server_CANopen);
  Show([&] { Render("canopen_sdo_server_window.png"); });
}
