// The BACnet client rules window: its checks with their exact messages, the device column
// by BACnet type, the hint of the read grid, the file round trip and the window's look.

#include "editors_modbus_bacnet/bacnet_client_window.h"

#include "editors_modbus_bacnet/bacnet_client_checks.h"
#include "editors_modbus_bacnet/bacnet_texts.h"
#include "platform/ui/comctrls.h"
#include "common/lb_button.h"

#include "modbus_window_fixture.h"

#include <QApplication>

namespace {

class BACnetClientWindow : public TModbusWindowTest<TFBACnetAccess> {
protected:
  void SetUp() override
  {
    Add_Lang_Block_Source(&BACnet_Lang_Blocks);
    TModbusWindowTest<TFBACnetAccess>::SetUp();
    Write_ParGen("0");
  }

  // ParGen.xml with the BACnet type; an empty text writes a file without the key.
  void Write_ParGen(const QString& type)
  {
    QFile f(WS().Name_File_ParGen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QByteArray body = "<Par_Gen><IP_Address>1.2.3.4</IP_Address>";
    if (!type.isEmpty())
      body += "<BACnet_Master_Type>" + type.toUtf8() + "</BACnet_Master_Type>";
    f.write(body + "</Par_Gen>\r\n");
  }
};

// Enable, device, Object Type, Instance, Property, NByte, En Dest, D Net, D Len, D Add,
// Poll Time, Max Err, Position, Start Bit, Swap, Convertion, Mnemonic.
QStringList Good_Read()
{
  return {"Y", "192.168.1.10", "Analog Input", "1", "Present Value (85)", "4", "N", "", "", "", "1000", "0",
          "0", "0", "", "", "r"};
}

// Enable, device, Object Type, Data Type, Instance, Property, Priority, NByte, En Dest,
// D Net, D Len, D Add, Change, Timer, Poll Time, Max Err, Position, Start Bit, Swap,
// Convertion, Mnemonic.
QStringList Good_Write()
{
  return {"Y", "10.0.0.2", "Analog Output", "Real", "1", "Present Value (85)", "0", "4", "N", "", "", "",
          "N", "N", "", "0", "0", "0", "", "", "w"};
}

}  // namespace

TEST(BACnetClientChecks, TablesOfObjectTypesPropertiesAndDataTypes)
{
  EXPECT_EQ(Check_Object_Type(QStringLiteral(" analog input "), false), Check_Object_Type("ANALOG INPUT", false));
  EXPECT_LT(Check_Object_Type(QStringLiteral("Analog Input"), true), 0);
  EXPECT_EQ(Check_Object_Type(QStringLiteral("128"), true), 128);
  EXPECT_EQ(Check_Object_Type(QStringLiteral("1023"), false), 1023);
  EXPECT_LT(Check_Object_Type(QStringLiteral("127"), false), 0);
  EXPECT_LT(Check_Object_Type(QStringLiteral("1024"), false), 0);

  struct Case {
    const char* type;
    const char* property;
    bool valid;
  };
  const Case props[] = {
      {"Accumulator", "Scale (187)", true},         {"Analog Input", "Scale (187)", false},
      {"Accumulator", "PreScale (185)", true},      {"Binary Value", "PreScale (185)", false},
      {"Binary Input", "Polarity (84)", true},      {"Binary Output", "Polarity (84)", true},
      {"Binary Value", "Polarity (84)", true},      {"Analog Value", "Polarity (84)", false},
      {"Analog Input", "Units (117)", true},        {"Binary Input", "Units (117)", false},
      {"Multi-State Value", "Units (117)", false},  {"Multi-State Input", "Number of States (74)", true},
      {"Analog Input", "Number of States (74)", false}, {"Life Safety Zone", "Status Flags (111)", true},
      {"Analog Input", "4194303", true},            {"Analog Input", "512", true},
      {"Analog Input", "511", false},               {"Analog Input", "4194304", false},
      {"Analog Input", "Present Value", false},
  };
  for (const Case& c : props) {
    SCOPED_TRACE(std::string(c.type) + " / " + c.property);
    const int code = Check_Object_Type(QString::fromLatin1(c.type), false);
    EXPECT_EQ(Check_Property(QString::fromLatin1(c.property), false, code) >= 0, c.valid);
  }
  // Write rules take Present Value and proprietary properties only.
  EXPECT_LT(Check_Property(QStringLiteral("Status Flags (111)"), true, Check_Object_Type("Analog Value", true)), 0);

  EXPECT_EQ(Check_Num_Byte_Max(QStringLiteral("Boolean")), 1);
  EXPECT_EQ(Check_Num_Byte_Max(QStringLiteral("bit string")), 120);
  EXPECT_EQ(Check_Num_Byte_Max(QStringLiteral("Double")), 8);
  EXPECT_EQ(Check_Num_Byte_Max(QStringLiteral("Null")), 0);
  EXPECT_EQ(Check_Num_Byte_Max(QStringLiteral("Strange")), 255);
}

TEST(BACnetClientChecks, PropertyHintOfTheReadGrid)
{
  struct Case {
    const char* type;
    const char* property;
    const char* hint;
  };
  const Case cases[] = {
      {"Accumulator", "Present Value (85)", "4"},   {"Analog Input", "Present Value (85)", "4"},
      {"Binary Input", "Present Value (85)", "1"},  {"Binary Output", "Present Value (85)", "1"},
      {"Large Analog Value", "Present Value (85)", "8"}, {"Analog Value", "Present Value (85)", ""},
      {"Binary Value", "Present Value (85)", ""},   {"Life Safety Point", "Present Value (85)", ""},
      {"200", "Present Value (85)", ""},            {"Accumulator", "PreScale (185)", "5"},
      {"Analog Input", "Object Type (79)", "2"},    {"Analog Input", "Scale (187)", ""},
      {"Analog Input", "600", ""},                  {"", "Present Value (85)", ""},
      {"Analog Input", " ", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " / " + c.property);
    EXPECT_EQ(BACnet_Read_Property_Hint(QString::fromLatin1(c.type), QString::fromLatin1(c.property)),
              QString::fromLatin1(c.hint));
  }
}

TEST(BACnetClientChecks, WidthFollowsTheScreen)
{
  EXPECT_EQ(BACnet_Client_Width(1271), 1305);
  EXPECT_EQ(BACnet_Client_Width(1270), 1000);
}

TEST_F(BACnetClientWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    bool write;
    std::vector<std::pair<int, const char*>> cells;  // column, text
    const char* message;                             // "": passes; "-": fails without a message
  };
  const Case cases[] = {
      {"scale on accumulator", false, {{3, "Accumulator"}, {5, "Scale (187)"}}, ""},
      {"scale on analog input", false, {{5, "Scale (187)"}}, "Error in Read, row 3!! Property is not correct. Select one from the list"},
      {"polarity on binary value", false, {{3, "binary value"}, {5, "Polarity (84)"}}, ""},
      {"units on multi-state", false, {{3, "Multi-State Input"}, {5, "Units (117)"}}, "Error in Read, row 3!! Property is not correct. Select one from the list"},
      {"property 4194303", false, {{5, "4194303"}}, ""},
      {"property 511", false, {{5, "511"}}, "Error in Read, row 3!! Property is not correct. Select one from the list"},
      {"property 4194304", false, {{5, "4194304"}}, "Error in Read, row 3!! Property is not correct. Select one from the list"},
      {"instance 4294967295", false, {{4, "4294967295"}}, ""},
      {"instance 4294967296", false, {{4, "4294967296"}}, "Error in Read, row 3!! Instance must be between 0 and 4294967295"},
      {"instance -1", true, {{5, "-1"}}, "Error in Write, row 3!! Instance must be between 0 and 4294967295"},
      {"read-only type written", true, {{3, "Analog Input"}}, "Error in Write, row 3!! Object Type is not correct. Select one from the list"},
      {"bad ip", false, {{2, "10.0.0.300"}}, "Error in Read, row 3!! IP Address is not correct"},
      {"nbyte 256", false, {{6, "256"}}, "Error in Read, row 3!! NByte must be between 0 and 255"},
      {"positive integer as real", true, {{3, "Positive Integer Value"}}, "Error in Write, row 3!! Data Type is not correct. Aspected Data Type is Unsigned Int"},
      {"life safety present value", true, {{3, "Life Safety Point"}, {4, "Enumerated"}}, "Error in Write, row 3!! Data Type is not correct"},
      {"life safety proprietary property", true, {{3, "Life Safety Zone"}, {4, "Boolean"}, {6, "600"}, {8, "1"}}, ""},
      {"proprietary type any data type", true, {{3, "300"}, {4, ""}, {8, "0"}}, ""},
      {"boolean nbyte 2", true, {{3, "Binary Value"}, {4, "Enumerated"}, {8, "5"}}, "Error in Write, row 3!! NByte must be between 0 and 4"},
      {"proprietary boolean nbyte 2", true, {{6, "600"}, {4, "Boolean"}, {8, "2"}}, "Error in Write, row 3!! NByte must be between 0 and 1"},
      {"unknown data type 255", true, {{6, "600"}, {4, "Strange"}, {8, "255"}}, ""},
      {"priority 17", true, {{7, "17"}}, "Error in Write, row 3!! Priority must be between 0 and 16"},
      {"poll time unchecked without timer", true, {{15, "x"}}, ""},
      {"poll time with timer", true, {{14, "Y"}, {15, "100000001"}}, "Error in Write, row 3!! Poll Time must be between 0 and 100000000"},
      {"read poll time", false, {{11, ""}}, "Error in Read, row 3!! Poll Time must be between 0 and 100000000 ms"},
      {"max err 65535", false, {{12, "65535"}}, ""},
      {"max err 65536", false, {{12, "65536"}}, "Error in Read, row 3!! Max Err must be between 0 and 655535"},
      {"write max err 65536", true, {{16, "65536"}}, "Error in Write, row 3!! Max Err must be between 0 and 655535"},
      {"M2 two bytes", false, {{7, "Y"}, {8, "5"}, {9, "M2"}, {10, "1, 2"}}, ""},
      {"M2 three bytes", false, {{7, "Y"}, {8, "5"}, {9, "M2"}, {10, "1,2,3"}}, "Error in Read, row 3!! Destination Address has too many bytes"},
      {"M2 one byte", true, {{9, "y"}, {10, "5"}, {11, "m2"}, {12, "1"}}, "Error in Write, row 3!! Destination Address has too few bytes"},
      {"M2 doubled comma", false, {{7, "Y"}, {8, "5"}, {9, "M2"}, {10, "1,,2"}}, "Error in Read, row 3!! Bytes of Destination Address must be between 0 and 255"},
      {"M2 trailing comma", false, {{7, "Y"}, {8, "5"}, {9, "M2"}, {10, "1,2,"}}, ""},
      {"M2 leading comma", false, {{7, "Y"}, {8, "5"}, {9, "M2"}, {10, ",1,2"}}, "Error in Read, row 3!! Bytes of Destination Address must be between 0 and 255"},
      {"M2 empty address", false, {{7, "Y"}, {8, "5"}, {9, "M2"}, {10, ""}}, "-"},
      {"D Len 6 with port", false, {{7, "Y"}, {8, "5"}, {9, "6"}, {10, "192.168.0.15:47808"}}, ""},
      {"D Len 6 without port", true, {{9, "Y"}, {10, "5"}, {11, "6"}, {12, "192.168.0.15"}}, "Error in Write, row 3!! Destination Address must be in correct form, IP Address plus Port (ex. 192.168.0.15:47808)"},
      {"D Len 3", false, {{7, "Y"}, {8, "5"}, {9, "3"}, {10, "1"}}, "Error in Read, row 3!! Destination Lenght must be 1 or 2 or 6"},
      {"D Len 1 address 256", false, {{7, "Y"}, {8, "5"}, {9, "1"}, {10, "256"}}, "Error in Read, row 3!! Destination Address must be between 0 and 255"},
      {"D Len 2 address 0", true, {{9, "Y"}, {10, "5"}, {11, "2"}, {12, "0"}}, "Error in Write, row 3!! Destination Address must be between 1 and 65535"},
      {"D Len M9", false, {{7, "Y"}, {8, "5"}, {9, "M9"}, {10, "1"}}, "Error in Read, row 3!! Destination Length is Wrong, choose one in List"},
      {"D Len empty", false, {{7, "Y"}, {8, "5"}, {9, ""}}, "Error in Read, row 3!! Destination Length is Wrong, choose one in List"},
      {"D Net 0", false, {{7, "Y"}, {8, "0"}}, "Error in Read, row 3!! Destination Network must be between 1 and 65535"},
      {"route unchecked when off", false, {{7, "N"}, {8, "0"}}, ""},
      {"disabled bad rule", false, {{1, "N"}, {3, "x"}}, ""},
      {"enable with blank is not enabled", true, {{1, " Y"}, {3, "x"}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    TKvStringGrid* g = c.write ? Form->KCG2 : Form->KCG1;
    for (int r = 1; r <= 3; ++r)
      Set_Row(g, r, c.write ? Good_Write() : Good_Read());
    for (const auto& [col, text] : c.cells)
      g->SetCells(col, 3, QString::fromUtf8(text));
    const bool ok = Form->Controllo_dati();
    EXPECT_EQ(ok, *c.message == 0);
    if (QLatin1String(c.message) == QLatin1String("-")) {
      EXPECT_TRUE(Messages().isEmpty());
    } else if (*c.message) {
      EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(c.message)});
    }
  }
}

TEST_F(BACnetClientWindow, WriteRowOneNamesTheExpectedDataType)
{
  Form->FormShow(nullptr);
  Set_Row(Form->KCG2, 1, Good_Write());
  Form->KCG2->SetCells(3, 1, QStringLiteral("Positive Integer Value"));
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages().value(0),
            QStringLiteral("Error in Write, row 1!! Data Type is not correct. Aspected Data Type is Unsigned Int"));
}

TEST_F(BACnetClientWindow, BACnetTypeSetsTheDeviceColumn)
{
  struct Case {
    const char* type;
    const char* header;  // empty: hidden
    int key;
  };
  const Case cases[] = {{"0", "IP Address", 2}, {"1", "Slave ID", 2}, {"2", "", 3}, {"0", "IP Address", 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    Write_ParGen(QString::fromLatin1(c.type));
    Dialogs->Requests.clear();
    Form->FormShow(nullptr);
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Form->App_BACnet_Type, QString::fromLatin1(c.type).toInt());
    for (int g = 0; g < 2; ++g) {
      TKvStringGrid* grid = Form->Grids[size_t(g)];
      EXPECT_EQ(Form->Desc().Grids[size_t(g)].Key_Col, c.key);
      EXPECT_EQ(grid->IsHiddenColumn(2), *c.header == 0);
      if (*c.header) {
        EXPECT_EQ(grid->Cells(2, 0), QString::fromLatin1(c.header));
      }
    }
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_BACnet_Read);
    EXPECT_EQ(Form->KCG1->Columns()->Items(13)->ComboItems()->Count(), 1440);
    EXPECT_EQ(Form->KCG2->Columns()->Items(17)->ComboItems()->Count(), 1440);
  }

  // Without a device column the Object Type ends the table; the MS/TP id is checked 0 to 254.
  Write_ParGen(QStringLiteral("2"));
  Form->FormShow(nullptr);
  Set_Row(Form->KCG1, 1, Good_Read());
  Form->KCG1->SetCells(2, 1, QString());
  EXPECT_TRUE(Form->Controllo_dati());
  EXPECT_EQ(Rule_Table_End(Form->Desc().Grids[0], Form->KCG1), 2);
  Write_ParGen(QStringLiteral("1"));
  Form->FormShow(nullptr);
  Dialogs->Requests.clear();
  Set_Row(Form->KCG1, 1, Good_Read());
  Form->KCG1->SetCells(2, 1, QStringLiteral("255"));
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages().value(0), QStringLiteral("Error in Read, row 1!! Slave ID must be between 0 and 254"));
}

TEST_F(BACnetClientWindow, MissingBACnetTypeIsReportedAtEveryShow)
{
  for (const bool file : {false, true}) {
    SCOPED_TRACE(file);
    if (file)
      Write_ParGen(QString());
    else
      QFile::remove(WS().Name_File_ParGen);
    for (int show = 0; show < 2; ++show) {
      Dialogs->Requests.clear();
      Form->App_BACnet_Type = 5;
      Form->FormShow(nullptr);
      EXPECT_EQ(Messages(), QStringList{QStringLiteral("Select the BACnet Type in the \"Set Communication\" section")});
      EXPECT_EQ(Form->App_BACnet_Type, 0);
      EXPECT_FALSE(Form->KCG1->IsHiddenColumn(2));
    }
  }
}

TEST_F(BACnetClientWindow, BrokenParGenEndsTheShowAndOkAsksBeforeSaving)
{
  const QString file = WS().Name_File_BACnet_Master_Access;
  Use_Fixture("BACnet_Master_Access.xml", file);
  const QByteArray before = Read_All(file);
  QFile f(WS().Name_File_ParGen);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("<Par_Gen><BACnet_Master_Type>0</Par_Gen");
  f.close();
  EXPECT_ANY_THROW(Form->FormShow(nullptr));
  EXPECT_TRUE(Form->Load_State.Partial());
  EXPECT_EQ(Form->KCG1->Cells(2, 1), QString());  // the rules were not loaded
  Dialogs->Requests.clear();
  Dialogs->QueueResult(mrNo);
  Form->Btn_OKClick(nullptr);
  EXPECT_EQ(Messages().value(0), Lang_Str(Rule_Text_Replace_Partial_File));
  EXPECT_EQ(Read_All(file), before);
}

TEST_F(BACnetClientWindow, EmptyDeviceEndsTheTableForAddressedTypes)
{
  Form->FormShow(nullptr);
  Set_Row(Form->KCG1, 1, Good_Read());
  Set_Row(Form->KCG1, 2, Good_Read());
  Form->KCG1->SetCells(2, 2, QString());
  Form->KCG1->SetCells(3, 3, QStringLiteral("x"));
  Form->KCG1->SetCells(2, 3, QStringLiteral("bad"));  // after the end: not checked
  EXPECT_TRUE(Form->Controllo_dati());
  EXPECT_EQ(Rule_Table_End(Form->Desc().Grids[0], Form->KCG1), 2);
}

TEST_F(BACnetClientWindow, FileRoundTripsAndHiddenCellsAreNotStored)
{
  const QString file = WS().Name_File_BACnet_Master_Access;
  Use_Fixture("BACnet_Master_Access.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->KCG1->Cells(17, 1), QStringLiteral("Tank & <level> \"A\""));
              EXPECT_EQ(Form->KCG1->Cells(1, 2), QStringLiteral("N"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file), before);
  EXPECT_EQ(Xmllint_Failure(file), QString());

  // Swap and Convertion are shown nowhere and stored nowhere; missing attributes default.
  Show([&] {
    Form->KCG1->SetCells(15, 1, QStringLiteral("Y"));
    Form->KCG1->SetCells(16, 1, QStringLiteral("Float to Int"));
    Form->KCG2->SetCells(19, 1, QStringLiteral("Y"));
    Form->Btn_OK->Click();
  });
  Show([&] {
    EXPECT_EQ(Form->KCG1->Cells(15, 1), QString());
    EXPECT_EQ(Form->KCG1->Cells(16, 1), QString());
    EXPECT_EQ(Form->KCG2->Cells(19, 1), QString());
  });
  EXPECT_EQ(Read_All(file), before);

  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("<BACnet_Master_Access><BACnet_Read><row IP_Address_Slave_ID=\"1.2.3.4\"/></BACnet_Read>"
          "<BACnet_Write><row IP_Address_Slave_ID=\"1.2.3.5\"/></BACnet_Write></BACnet_Master_Access>");
  f.close();
  Show([&] {
    EXPECT_EQ(Row_Text(Form->KCG1, 1), QStringLiteral("Y|1.2.3.4|||||N||||||||||"));
    EXPECT_EQ(Row_Text(Form->KCG2, 1), QStringLiteral("Y|1.2.3.5|||||||N||||N|N|||||||"));
  });
}

TEST_F(BACnetClientWindow, ButtonsHintsAndRendering)
{
  EXPECT_FALSE(Form->Btn_CopyRow->Visible());
  EXPECT_FALSE(Form->Btn_PasteRow->Visible());
  EXPECT_EQ(Form->Btn_Import_CSV->Caption(), QStringLiteral("Import EDE"));
  EXPECT_EQ(Form->Btn_Import_CSV->Left(), 488);
  EXPECT_EQ(Form->OD_EDE_File->Filter, QStringLiteral("BACnet EDE File (*.csv)|*.csv"));
  EXPECT_EQ(Form->Caption(), QStringLiteral("BACnet Client Set Access"));
  EXPECT_TRUE(Form->KCG1->IsHiddenColumn(15));
  EXPECT_TRUE(Form->KCG2->IsHiddenColumn(20));
  EXPECT_FALSE(bool(Form->KCG1->OnKeyPress));
  Use_Fixture("BACnet_Master_Access.xml", WS().Name_File_BACnet_Master_Access);
  Show([&] {
    // The hint follows the Property column also while the device column is hidden.
    QString hint;
    Form->KCG1->OnGridHint(Form->KCG1, 1, 5, hint);
    EXPECT_EQ(hint, QStringLiteral("4"));
    Form->KCG2->OnGridHint(Form->KCG2, 1, 6, hint);
    EXPECT_EQ(hint, QString());
    Form->KCG1->HideColumn(2);
    Form->KCG1->OnGridHint(Form->KCG1, 1, 4, hint);
    EXPECT_EQ(hint, QStringLiteral("4"));
    Form->KCG1->UnHideColumn(2);

    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/bacnet_client_window.png")));
  });
}

TEST_F(BACnetClientWindow, InsertRowEnablesAndDeleteRowAsksFirst)
{
  Write_ParGen(QStringLiteral("0"));
  Show([&] {
    Form->PageControl1->SetActivePage(Form->TS_BACnet_Write);
    Set_Row(Form->KCG2, 1, Good_Write());
    Form->KCG2->SetCells(1, 2, QStringLiteral("N"));
    Form->KCG2->FocusCell(2, 1);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Form->KCG2->Cells(1, 1), QStringLiteral("Y"));
    EXPECT_EQ(Form->KCG2->Cells(2, 1), QString());
    EXPECT_EQ(Form->KCG2->Cells(2, 2), QStringLiteral("10.0.0.2"));
    Dialogs->QueueResult(mrNo);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), QStringLiteral("Are you sure to delete the Row number 1"));
    EXPECT_EQ(Form->KCG2->Cells(2, 2), QStringLiteral("10.0.0.2"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Form->KCG2->Cells(2, 1), QStringLiteral("10.0.0.2"));
  });
}
