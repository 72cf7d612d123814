// The CANopen SDO client window: checks with their exact messages, the file round trip,
// 256-row tables, texts and hints.

#include "editors_can/canopen_sdo_client_window.h"

#include "canopen_window_fixture.h"

namespace {

using SdoClientWindow = TCANopenWindowTest<TFSet_SDO_Client_Access>;

// ID Device, Index, SubIndex, N Byte, Poll Time, bytes 1 to 4, Mnemonic.
const QStringList Good_Read = {"1", "0x6000", "1", "4", "100", "0", "1", "2", "3", "r"};
// ID Device, Index, SubIndex, N Byte, Poll Time, On Change, bytes 1 to 4, Mnemonic.
const QStringList Good_Write = {"2", "0x6200", "1", "4", "100", "Y", "0", "1", "2", "3", "w"};

QByteArray Client_Row()
{
  return "<row Device_ID=\"3\" Index=\"0x1000\" SubIndex=\"0\" NByte=\"1\" Poll_Time=\"1\" Address_B1=\"0\""
         " Address_B2=\"\" Address_B3=\"\" Address_B4=\"\" Mnemonic=\"\"/>";
}

QByteArray Client_File(const QByteArray& Read, const QByteArray& Write)
{
  // The XML layer writes an empty section as one empty element.
  auto section = [](const QByteArray& name, const QByteArray& rows) {
    return rows.isEmpty() ? "<" + name + "/>" : "<" + name + ">" + rows + "</" + name + ">";
  };
  return "<SDO_Client_CANopen>" + section("SDO_Read", Read) + section("SDO_Write", Write) +
         "</SDO_Client_CANopen>\r\n<!--SW_VERSION = 1.002-->\r\n";
}

}  // namespace

TEST_F(SdoClientWindow, ChecksGiveTheirExactMessages)
{
  Run_Check_Cases(
      {
          {"id 0", 0, 3, {{1, "0"}}, "Error row 3!! [SDO Read] Device ID must be between 1 and 127"},
          {"id 128", 1, 3, {{1, "128"}}, "Error row 3!! [SDO Write] Device ID must be between 1 and 127"},
          {"id 0x7F", 0, 3, {{1, "0x7F"}}, ""},
          {"id 127", 1, 3, {{1, "127"}}, ""},
          {"index 4095", 0, 3, {{2, "4095"}}, "Error row 3!! [SDO Read] Index must be between 0x1000 and 0xFFFF"},
          {"index 65536", 1, 3, {{2, "65536"}}, "Error row 3!! [SDO Write] Index must be between 0x1000 and 0xFFFF"},
          {"index 0x1000", 0, 3, {{2, "0x1000"}}, ""},
          {"index 0xFFFF", 1, 3, {{2, "0xFFFF"}}, ""},
          {"subindex 256", 1, 3, {{3, "256"}}, "Error row 3!! [SDO Write] SubIndex must be between 0x00 and 0xFF"},
          {"n byte 3", 0, 3, {{4, "3"}}, "Error row 3!! [SDO Read] N Byte must be 1 or 2 or 4"},
          {"read poll time 0", 0, 3, {{5, "0"}}, "Error row 3!! [SDO Read] Poll Time must be between 1 and 100000000"},
          {"write poll time 0", 1, 3, {{5, "0"}}, ""},
          {"write poll time 100000001", 1, 3, {{5, "100000001"}},
           "Error row 3!! [SDO Write] Poll Time must be between 0 and 100000000"},
          {"read byte 4 empty", 0, 3, {{9, ""}}, "Error row 3!! [SDO Read] Address Byte4 must be between 0 and 1499"},
          {"write byte 4 empty", 1, 3, {{10, ""}}, "Error row 3!! [SDO Write] Address Byte4 must be between 0 and 1499"},
          {"write on change is free", 1, 3, {{6, "?"}}, ""},
          {"n byte 1 leaves bytes 2 to 4 alone", 0, 3, {{4, "1"}, {7, "x"}, {8, "x"}, {9, "x"}}, ""},
      },
      Good_Read, Good_Write);
}

// As in the server editor, per addressed device: its sub-index 0 beside other sub-indexes
// of the same index is one byte.
TEST_F(SdoClientWindow, ASubIndexZeroBesideOtherSubIndexesOfTheDeviceIsOneByte)
{
  struct TCase {
    const char* Name;
    std::vector<QStringList> Read, Write;  // ID Device, Index, SubIndex, N Byte of rows 1, 2, ...
    std::string Message;
  };
  const std::string record = " SubIndex 0 must be of 1 byte when the Device has other SubIndexes of this Index";
  const TCase cases[] = {
      {"two bytes beside sub-index 1", {{"1", "0x6000", "0", "2"}, {"1", "0x6000", "1", "1"}}, {},
       "Error row 1!! [SDO Read]" + record},
      {"write list, sub-index 1 read", {{"1", "0x6000", "1", "1"}}, {{"0x01", "24576", "0", "4"}},
       "Error row 1!! [SDO Write]" + record},
      {"another device", {{"1", "0x6000", "0", "2"}}, {{"2", "0x6000", "1", "1"}}, ""},
      {"one byte", {{"1", "0x6000", "0", "1"}, {"1", "0x6000", "1", "4"}}, {}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    for (const QStringList& row : c.Read)
      Set_Row(Form->sga, int(&row - c.Read.data()) + 1, row + QStringList{"100", "0", "1", "2", "3", "r"});
    for (const QStringList& row : c.Write)
      Set_Row(Form->sgb, int(&row - c.Write.data()) + 1, row + QStringList{"100", "N", "0", "1", "2", "3", "w"});
    Expect_Check(c.Message.c_str());
  }
}

TEST_F(SdoClientWindow, TheFileRoundTripsByteForByte)
{
  const QString file = WS().Name_File_SDO_Client_CANopen;
  Use_Fixture("SDO_Client_CANopen.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
              EXPECT_EQ(Form->sgb->Cells(6, 1), QString());
              EXPECT_EQ(Form->sgb->Cells(6, 2), QStringLiteral("Y"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(before).toStdString());
  EXPECT_EQ(Xmllint_Failure(file), QString());
}

TEST_F(SdoClientWindow, ThreeHundredRowsShow256AndYesWritesThose)
{
  const QString file = WS().Name_File_SDO_Client_CANopen;
  Write_All(file, Client_File(Repeat_Rows(Client_Row(), 300), ""));
  Show([&] {
    EXPECT_EQ(Messages(), QStringList{Lang_Str(Rule_Text_Rows_Not_Shown).arg(44).arg(QStringLiteral("SDO_Read"))});
    EXPECT_EQ(Form->sga->Cells(1, 256), QStringLiteral("3"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  EXPECT_EQ(Read_All(file).toStdString(), QByteArray(Client_File(Repeat_Rows(Client_Row(), 256), "")).toStdString());
}

TEST_F(SdoClientWindow, TextsHintsAndTheOwnRowDelete)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("Set SDO Client Access"));
  EXPECT_EQ(Form->ClientWidth(), 798);
  EXPECT_EQ(Form->sga->RowCount(), 257);
  EXPECT_EQ(Form->sga->ColCount(), 11);
  EXPECT_EQ(Form->sgb->ColCount(), 12);
  EXPECT_EQ(Form->sgb->Cells(6, 0), QStringLiteral("On Change"));
  EXPECT_EQ(Form->sgb->Columns()->Items(6)->Alignment(), taCenter);
  EXPECT_EQ(Form->Hint_SDO_Client_Read().size(), 10);
  EXPECT_EQ(Form->Hint_SDO_Client_Write().size(), 11);
  Show([&] {
    QString hint;
    Form->GridHint(Form->sgb, 0, 5, hint);
    EXPECT_EQ(hint, Lang_Str(2943));
    Set_Row(Form->sga, 1, Good_Read);
    Form->sga->FocusCell(1, 1);
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Row_Text(Form->sga, 1), QStringLiteral("|||||||||"));
  });
}

TEST_F(SdoClientWindow, RendersToPng)
{
  Use_Fixture("SDO_Client_CANopen.xml", WS().Name_File_SDO_Client_CANopen);
  Show([&] { Render("canopen_sdo_client_window.png"); });
}
