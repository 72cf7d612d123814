// The BACnet server object list window: row limits by the long-name option, the checks
// with their exact messages, the Length a Write pick sets, the file's defaults, the unit
// picker on a double click and the EDE list written from what the window saved.

#include "editors_modbus_bacnet/bacnet_server_window.h"

#include "editors_modbus_bacnet/bacnet_ede_writer.h"
#include "editors_modbus_bacnet/bacnet_eng_unit_window.h"
#include "editors_modbus_bacnet/bacnet_texts.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include "modbus_window_fixture.h"

#include <QApplication>

namespace {

class BACnetServerWindow : public TModbusWindowTest<TFBACnetSlaveSetAccess> {
protected:
  void SetUp() override
  {
    Add_Lang_Block_Source(&BACnet_Lang_Blocks);
    TModbusWindowTest<TFBACnetSlaveSetAccess>::SetUp();
  }

  void Write_ParGen(const QByteArray& body)
  {
    QFile f(WS().Name_File_ParGen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(body);
  }

  static void Set_Object(TKvStringGrid* g, int r, const char* type, const char* position, const char* bit,
                         const char* length)
  {
    Set_Row(g, r, {type, "62", position, bit, length, "", "obj"});
  }
};

}  // namespace

TEST_F(BACnetServerWindow, LongNameOptionSetsRowsAndLimit)
{
  struct Case {
    QByteArray file;  // empty: no ParGen.xml
    int rows;
  };
  const Case cases[] = {
      {"<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", 1000},
      {"<Par_Gen><BACnet_Desc_Chars_Limit>01</BACnet_Desc_Chars_Limit></Par_Gen>", 2000},
      {"<Par_Gen><BACnet_Desc_Chars_Limit> 1</BACnet_Desc_Chars_Limit></Par_Gen>", 2000},
      {"<Par_Gen><IP_Address>1.2.3.4</IP_Address></Par_Gen>", 2000},
      {"", 2000},
      {"<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>", 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.toStdString());
    if (c.file.isEmpty())
      QFile::remove(WS().Name_File_ParGen);
    else
      Write_ParGen(c.file);
    Form->FormShow(nullptr);
    EXPECT_EQ(Form->Max_Requests(), c.rows);
    EXPECT_EQ(Form->KCG_BACnet_in_Read->RowCount(), c.rows + 1);
    EXPECT_EQ(Form->KCG_BACnet_in_Write->RowCount(), c.rows + 1);
    EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(0, c.rows), QString::number(c.rows));
    EXPECT_TRUE(Messages().isEmpty());
  }

  // 600 + 500 objects under the 1000 limit.
  Dialogs->Requests.clear();
  for (int r = 1; r <= 600; ++r)
    Set_Object(Form->KCG_BACnet_in_Read, r, "Analog Input", "0", "", "4");
  for (int r = 1; r <= 500; ++r)
    Set_Object(Form->KCG_BACnet_in_Write, r, "Analog Value", "0", "", "4");
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages(), QStringList{QStringLiteral("Error!! Too many Requests. Max requests 1000")});
  Form->KCG_BACnet_in_Write->SetCells(1, 401, QString());
  EXPECT_TRUE(Form->Controllo_dati());
}

TEST_F(BACnetServerWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    bool write;
    const char* type;
    const char* position;
    const char* bit;
    const char* length;
    const char* message;
  };
  const Case cases[] = {
      {"read integer without length", false, "Integer Value", "0", "", "", ""},
      {"write integer without length", true, "Integer Value", "0", "", "", "Error row 2!! [BACnet in Write] Length with variable \"Integer Value\" must be between 1 and 4"},
      {"analog input ends at 1499", false, "Analog Input", "1498", "", "2", ""},
      {"analog input past the area", false, "Analog Input", "1498", "", "3", "Error row 2!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
      {"binary input without bit", false, "Binary Input", "0", "", "99", "Error row 2!! [BACnet in Read] Bit must be between 0 and 7"},
      {"binary input ignores length", false, "Binary Input", "1499", "0", "99", ""},
      {"binary out without bit", true, "Binary Out", "0", "", "1", "Error row 2!! [BACnet in Write] Bit must be between 0 and 7"},
      {"position 1500", false, "Analog Input", "1500", "", "4", "Error row 2!! [BACnet in Read] Position must be between 0 and 1499"},
      {"write position empty", true, "Analog Out", "", "", "4", "Error row 2!! [BACnet in Write] Position must be between 0 and 1499"},
      {"huge length", false, "Integer Value", "2", "", "2147483647", "Error row 2!! [BACnet in Read] Too many bytes to save starting from the Position indicate"},
      {"longer than 32 bits", true, "Multi State Value", "2", "", "4294967300", "Error row 2!! [BACnet in Write] Length with variable \"Multi State Value\" must be between 1 and 4"},
      {"case counts", false, "analog input", "0", "", "9", ""},
      {"life safety 3", false, "Life Safety Zone", "0", "", "3", "Error row 2!! [BACnet in Read] Length with variable \"Life Safety Zone\" must be 1 or 2"},
      {"access door 2", true, "Access Door", "0", "", "2", "Error row 2!! [BACnet in Write] Length with variable \"Access Door\" must be equal to 1"},
      {"large analog 8", true, "Large Analog Value", "1492", "", "8", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    TKvStringGrid* g = c.write ? Form->KCG_BACnet_in_Write : Form->KCG_BACnet_in_Read;
    Set_Object(g, 1, c.write ? "Analog Out" : "Analog Input", "0", "", "4");
    Set_Object(g, 2, c.type, c.position, c.bit, c.length);
    EXPECT_EQ(Form->Controllo_dati(), *c.message == 0);
    if (*c.message) {
      EXPECT_EQ(Messages(), QStringList{QString::fromUtf8(c.message)});
    }
  }

  // The unit is 0 to 65535.
  Form->FormShow(nullptr);
  Dialogs->Requests.clear();
  Set_Object(Form->KCG_BACnet_in_Read, 1, "Analog Input", "0", "", "4");
  Form->KCG_BACnet_in_Read->SetCells(2, 1, QStringLiteral("65536"));
  EXPECT_FALSE(Form->Controllo_dati());
  EXPECT_EQ(Messages().value(0), QStringLiteral("Error row 1!! [BACnet in Read] Eng. Unit must be between 0 and 65535"));
}

TEST_F(BACnetServerWindow, WritePickFillsLengthReadDoesNot)
{
  Form->FormShow(nullptr);
  Form->KCG_BACnet_in_Write->SetCells(5, 3, QStringLiteral("2"));
  Form->KCG_BACnet_in_Write->SetCells(1, 3, QStringLiteral("Large Analog Value"));
  // Through the grid's own report of the pick.
  Form->KCG_BACnet_in_Write->OnComboChange(Form->KCG_BACnet_in_Write, 1, 3, 5, QStringLiteral("Large Analog Value"));
  EXPECT_EQ(Form->KCG_BACnet_in_Write->Cells(5, 3), QStringLiteral("8"));
  struct Case {
    const char* type;
    const char* length;
  };
  for (const Case& c : {Case{"Binary Out", "1"}, Case{"Access Door", "1"}, Case{"Multi State Output", "4"},
                        Case{"Integer Value", "4"}}) {
    Form->KCG_BACnet_in_WriteComboChange(Form->KCG_BACnet_in_Write, 1, 3, 0, QString::fromLatin1(c.type));
    EXPECT_EQ(Form->KCG_BACnet_in_Write->Cells(5, 3), QString::fromLatin1(c.length));
  }
  // Another column, or the Read grid, leaves Length alone.
  Form->KCG_BACnet_in_WriteComboChange(Form->KCG_BACnet_in_Write, 3, 3, 0, QStringLiteral("Large Analog Value"));
  EXPECT_EQ(Form->KCG_BACnet_in_Write->Cells(5, 3), QStringLiteral("4"));
  Form->KCG_BACnet_in_Read->SetCells(5, 3, QStringLiteral("2"));
  Form->KCG_BACnet_in_Read->OnComboChange(Form->KCG_BACnet_in_Read, 1, 3, 5, QStringLiteral("Large Analog Value"));
  EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(5, 3), QStringLiteral("2"));
}

TEST_F(BACnetServerWindow, FileRoundTripsAndSwapDefaults)
{
  const QString file = WS().Name_File_BACnet_Slave;
  Use_Fixture("BACnet_Slave.xml", file);
  const QByteArray before = Read_All(file);
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty());
              EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(7, 1), QStringLiteral("Boiler & <Temperature> \"Supply\""));
              EXPECT_TRUE(Form->KCG_BACnet_in_Read->IsHiddenColumn(6));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(file), before);
  EXPECT_EQ(Xmllint_Failure(file), QString());

  // A row without Swap comes back with "N"; a new row is saved with an empty Swap.
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" "
          "Length=\"4\" Mnemonic=\"a\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
  f.close();
  Show([&] {
    EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(6, 1), QStringLiteral("N"));
    Set_Object(Form->KCG_BACnet_in_Read, 2, "Analog Value", "4", "", "4");
    Form->Btn_OK->Click();
  });
  const QByteArray saved = Read_All(file);
  EXPECT_TRUE(saved.contains("Length=\"4\" Swap=\"N\" Mnemonic=\"a\"")) << saved.toStdString();
  EXPECT_TRUE(saved.contains("Length=\"4\" Swap=\"\" Mnemonic=\"obj\"")) << saved.toStdString();
}

TEST_F(BACnetServerWindow, MissingMnemonicStopsTheLoad)
{
  const QString file = WS().Name_File_BACnet_Slave;
  QFile f(file);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" "
          "Length=\"4\" Swap=\"N\"/><row Data_Type=\"Analog Value\" Eng_Unit=\"1\" Position=\"4\" Bit=\"\" Length=\"4\" "
          "Swap=\"N\" Mnemonic=\"b\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>");
  f.close();
  EXPECT_ANY_THROW(Form->FormShow(nullptr));
  EXPECT_TRUE(Form->Load_State.Stopped);
  EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(1, 1), QStringLiteral("Analog Input"));
  EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(6, 1), QStringLiteral("N"));
  EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(1, 2), QString());
}

TEST_F(BACnetServerWindow, BrokenParGenEndsTheShowAndOkAsks)
{
  Write_ParGen("<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></Par_Gen>");
  Form->FormShow(nullptr);
  ASSERT_EQ(Form->KCG_BACnet_in_Read->RowCount(), 1001);
  const QString file = WS().Name_File_BACnet_Slave;
  Use_Fixture("BACnet_Slave.xml", file);
  const QByteArray before = Read_All(file);
  Form->KCG_BACnet_in_Read->SetCells(7, 5, QStringLiteral("old"));
  Write_ParGen("<Par_Gen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit");
  EXPECT_ANY_THROW(Form->FormShow(nullptr));
  EXPECT_EQ(Form->KCG_BACnet_in_Read->RowCount(), 1001);  // the count stays
  EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(7, 5), QString());  // the rows were cleared
  EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(1, 1), QString());  // the file was not read
  Dialogs->Requests.clear();
  Dialogs->QueueResult(mrNo);
  Form->Btn_OKClick(nullptr);
  EXPECT_EQ(Messages().value(0), Lang_Str(Rule_Text_Replace_Partial_File));
  EXPECT_EQ(Read_All(file), before);
}

TEST_F(BACnetServerWindow, DoubleClickPicksAUnitAndTheEdeListNamesIt)
{
  TFBACnet_Eng_Unit picker;
  picker.DoCreate();
  FBACnet_Eng_Unit = &picker;
  int opened = 0;
  Show([&] {
    Set_Row(Form->KCG_BACnet_in_Read, 1, {"Analog Input", "", "0", "", "4", "", "Boiler"});
    TModalScope scope([&](TCustomForm* f) {
      ++opened;
      EXPECT_EQ(f, &picker);
      EXPECT_EQ(picker.Label5->Caption(), QStringLiteral("-> unknown"));
      picker.CB_Select_Type->SetItemIndex(picker.CB_Select_Type->Items()->IndexOf(QStringLiteral("Temperature")));
      picker.CB_Select_TypeSelect(nullptr);
      picker.CB_Select_Unit->SetItemIndex(picker.CB_Select_Unit->Items()->IndexOf(QStringLiteral("degrees-Celsius")));
      picker.Btn_Select_Eng_Unit->Click();
      return int(mrOk);
    });
    Form->DblClickCell(Form->KCG_BACnet_in_Read, 0, 2);  // header: no picker
    EXPECT_EQ(opened, 0);
    Form->DblClickCell(Form->KCG_BACnet_in_Read, 1, 2);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Form->KCG_BACnet_in_Read->Cells(2, 1), QStringLiteral("62"));
    Form->DblClickCell(Form->KCG_BACnet_in_Read, 1, 7);  // another column: no picker
    EXPECT_EQ(opened, 1);
    Form->Btn_OK->Click();
  });
  FBACnet_Eng_Unit = nullptr;
  const QString ede = Tmp.filePath(QStringLiteral("out.csv"));
  Write_EDE_File(ede);
  QFile f(ede);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_TRUE(text.contains(";Boiler;0;0;Boiler;62;\r\n")) << text.toStdString();
}

TEST_F(BACnetServerWindow, TextsAndRendering)
{
  EXPECT_EQ(Form->Caption(), QStringLiteral("BACnet Set Access"));
  EXPECT_EQ(Form->ClientWidth(), 764);
  EXPECT_TRUE(Form->Btn_CopyRow->ShowHint());
  EXPECT_FALSE(Form->Btn_OK->ShowHint());
  EXPECT_EQ(Form->KCG_BACnet_in_Write->Cells(6, 0), Lang_Str(2430));
  Use_Fixture("BACnet_Slave.xml", WS().Name_File_BACnet_Slave);
  Show([&] {
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_BACnet_in_Read);
    EXPECT_EQ(Form->KCG_BACnet_in_Read->Columns()->Items(3)->ComboItems()->Count(), 1500);
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/bacnet_server_window.png")));
  });
}

// The grid's double-click report, once the grid raises it.
template <typename Grid>
bool Raise_Dbl_Click(Grid* G, int ARow, int ACol)
{
  if constexpr (requires { G->OnDblClickCell(G, ARow, ACol); }) {
    if (G->OnDblClickCell)
      G->OnDblClickCell(G, ARow, ACol);
    return true;
  } else {
    return false;
  }
}

TEST_F(BACnetServerWindow, GridDoubleClickReportOpensThePicker)
{
  auto* grid = Form->KCG_BACnet_in_Read;
  TFBACnet_Eng_Unit picker;
  picker.DoCreate();
  FBACnet_Eng_Unit = &picker;
  int opened = 0;
  bool raised = false;
  Show([&] {
    TModalScope scope([&](TCustomForm*) {
      ++opened;
      picker.E_Selected_EU->SetText(QStringLiteral("98"));
      return int(mrOk);
    });
    raised = Raise_Dbl_Click(grid, 1, 2);
  });
  FBACnet_Eng_Unit = nullptr;
  ASSERT_TRUE(raised);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(grid->Cells(2, 1), QStringLiteral("98"));
}
