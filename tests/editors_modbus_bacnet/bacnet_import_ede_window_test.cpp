// The EDE import from the BACnet client window: the picker's marks and checks, and the
// appended rules from the public example list.

#include "editors_modbus_bacnet/bacnet_client_window.h"
#include "editors_modbus_bacnet/bacnet_import_ede_window.h"

#include "editors_modbus_bacnet/bacnet_texts.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"

#include "modbus_window_fixture.h"

#include <QApplication>

namespace {

class BACnetImport : public TModbusWindowTest<TFBACnetAccess> {
protected:
  void SetUp() override
  {
    Add_Lang_Block_Source(&BACnet_Lang_Blocks);
    TModbusWindowTest<TFBACnetAccess>::SetUp();
    QFile f(WS().Name_File_ParGen);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("<Par_Gen><BACnet_Master_Type>0</BACnet_Master_Type></Par_Gen>");
    f.close();
    Picker = std::make_unique<TFImportEDEFile>();
    Picker->DoCreate();
    FImportEDEFile = Picker.get();
  }

  void TearDown() override
  {
    FImportEDEFile = nullptr;
    Picker.reset();
    TModbusWindowTest<TFBACnetAccess>::TearDown();
  }

  QString Write_List(const QByteArray& objects)
  {
    const QString path = Tmp.filePath(QStringLiteral("list.csv"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write("a\nb\nc\nd\ne\nf\n#mandatory;x\n# keyname\n" + objects);
    return path;
  }

  // Shows the picker on the list; act runs while it is open.
  int Show_Picker(const QString& list, const std::function<void()>& act)
  {
    Picker->EDE_File = list;
    TModalScope scope([&](TCustomForm*) {
      act();
      return int(mrNone);
    });
    return Picker->ShowModal();
  }

  std::unique_ptr<TFImportEDEFile> Picker;
};

const QByteArray Two_Objects = "k1;1;Temp;0;7;Room;;;;N;N;;;;62;\n"
                               "k2;1;Valve;1;8;Valve 2;;;;Y;N;;;;98;\n";

QString Shared_Example()
{
  return QString::fromUtf8(KV_SHARED_TESTDATA_DIR) + QStringLiteral("/ede/EDE_2_2_example_EDE.csv");
}

}  // namespace

TEST_F(BACnetImport, PickerListsMarksAndRefusesWriteOnReadOnlyObjects)
{
  Show_Picker(Write_List(Two_Objects), [&] {
    EXPECT_EQ(Picker->KCG->RowCount(), 3);
    EXPECT_EQ(Picker->KCG->Cells(0, 2), QStringLiteral("2"));
    EXPECT_EQ(Row_Text(Picker->KCG, 1), QStringLiteral("Y|Y|N|Temp|0|7|Room|N"));
    EXPECT_EQ(Row_Text(Picker->KCG, 2), QStringLiteral("Y|Y|Y|Valve|1|8|Valve 2|Y"));
    Picker->KCG->SetCells(3, 1, QStringLiteral("Y"));
    Picker->KCGCheckBoxClick(Picker->KCG, 3, 1, true);
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Error line 1!! The Variable is only in read")});
    EXPECT_EQ(Picker->KCG->Cells(3, 1), QStringLiteral("N"));
    EXPECT_FALSE(Picker->List_EDE_Var[0].write);
    Picker->KCGCheckBoxClick(Picker->KCG, 2, 2, false);
    EXPECT_FALSE(Picker->List_EDE_Var[1].read);
    Picker->Btn_Unselect_AllClick(nullptr);
    EXPECT_EQ(Picker->KCG->Cells(1, 2), QStringLiteral("N"));
    EXPECT_FALSE(Picker->List_EDE_Var[1].import);
    Picker->Btn_Select_AllClick(nullptr);
    EXPECT_TRUE(Picker->List_EDE_Var[1].import);
    EXPECT_FALSE(Picker->List_EDE_Var[1].read);  // Select All leaves Read and Write
  });

  // A list without a header line shows one empty row.
  const QString none = Tmp.filePath(QStringLiteral("none.csv"));
  QFile f(none);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("k1;1;Temp;0;7;Room;;;;N;N;;;;62;\n");
  f.close();
  Show_Picker(none, [&] {
    EXPECT_EQ(Picker->KCG->RowCount(), 2);
    EXPECT_TRUE(Picker->List_EDE_Var.empty());
  });
}

// The grid's check-box click report, once the grid raises it.
template <typename Grid>
bool Raise_Check_Box_Click(Grid* G, int ACol, int ARow, bool State)
{
  if constexpr (requires { G->OnCheckBoxClick(G, ACol, ARow, State); }) {
    if (G->OnCheckBoxClick)
      G->OnCheckBoxClick(G, ACol, ARow, State);
    return true;
  } else {
    return false;
  }
}

TEST_F(BACnetImport, GridCheckBoxClickReportReachesThePicker)
{
  bool raised = false;
  Show_Picker(Write_List(Two_Objects), [&] {
    raised = Raise_Check_Box_Click(Picker->KCG, 3, 1, true);
    if (!raised)
      return;
    EXPECT_EQ(Messages(), QStringList{QStringLiteral("Error line 1!! The Variable is only in read")});
    Raise_Check_Box_Click(Picker->KCG, 2, 2, false);
    EXPECT_FALSE(Picker->List_EDE_Var[1].read);
  });
  EXPECT_TRUE(raised);
}

TEST_F(BACnetImport, PickerChecksTheDeviceAddress)
{
  struct Case {
    int type;
    const char* text;
    const char* message;  // empty: OK closes
  };
  const Case cases[] = {
      {0, "192.168.1.300", "Error!! IP Address is not correct"},
      {0, "", "Error!! IP Address is not correct"},
      {0, "192.168.1.10", ""},
      {1, "255", "Error!! Slave ID must be between 0 and 254"},
      {1, "254", ""},
      {2, "anything", ""},
  };
  const QString list = Write_List(Two_Objects);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Dialogs->Requests.clear();
    Picker->App_BACnet_Type = c.type;
    const int result = Show_Picker(list, [&] {
      Picker->E_ID_IP->SetText(QString::fromLatin1(c.text));
      Picker->Btn_OK->Click();
      if (*c.message)
        Picker->Btn_Cancel->Click();
    });
    EXPECT_EQ(result, *c.message ? mrCancel : mrOk);
    if (*c.message)
      EXPECT_EQ(Messages().value(0), QString::fromLatin1(c.message));
    else
      EXPECT_TRUE(Messages().isEmpty());
  }
}

TEST_F(BACnetImport, ExampleListFillsTheRulesAndOkSaves)
{
  if (!QFileInfo::exists(Shared_Example()))
    GTEST_SKIP() << "missing shared example EDE list " << Shared_Example().toStdString();
  Dialogs->QueueFile(Shared_Example());
  const int result = Show([&] {
    TModalScope picker([&](TCustomForm* f) {
      EXPECT_EQ(f, Picker.get());
      Picker->E_ID_IP->SetText(QStringLiteral("192.168.1.10"));
      Picker->Btn_OK->Click();
      return int(mrNone);
    });
    Form->Btn_Import_CSV->Click();
    const char* positions[] = {"0", "4", "8", "12", "13", "17"};
    for (int r = 1; r <= 6; ++r) {
      EXPECT_EQ(Form->KCG1->Cells(2, r), QStringLiteral("192.168.1.10"));
      EXPECT_EQ(Form->KCG1->Cells(13, r), QString::fromLatin1(positions[r - 1]));
    }
    EXPECT_EQ(Form->KCG1->Cells(2, 7), QString());
    EXPECT_EQ(Form->KCG2->Cells(3, 1), QStringLiteral("Analog Output"));
    EXPECT_EQ(Form->KCG2->Cells(4, 1), QStringLiteral("Real"));
    EXPECT_EQ(Form->KCG2->Cells(8, 1), QStringLiteral("4"));
    EXPECT_EQ(Form->KCG2->Cells(17, 1), QStringLiteral("0"));
    EXPECT_EQ(Form->KCG2->Cells(2, 2), QString());
    Form->Btn_OK->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
  EXPECT_EQ(WS().Dir_Last_EDE, QFileInfo(Shared_Example()).path());
  EXPECT_EQ(Form->OD_EDE_File->InitialDir, WS().Dir_Last_EDE);
  EXPECT_TRUE(Read_All(WS().Name_File_BACnet_Master_Access).contains("Destination_Length=\"\""));
  EXPECT_EQ(Xmllint_Failure(WS().Name_File_BACnet_Master_Access), QString());
}

TEST_F(BACnetImport, NothingMarkedOrNoFileAppendsNothing)
{
  const QString list = Write_List(Two_Objects);
  // Unselect All in the picker, then a missing file: the folder is remembered either way.
  Dialogs->QueueFile(list);
  Dialogs->QueueFile(Tmp.filePath(QStringLiteral("gone/missing.csv")));
  Show([&] {
    TModalScope picker([&](TCustomForm*) {
      Picker->E_ID_IP->SetText(QStringLiteral("10.0.0.1"));
      Picker->Btn_Unselect_AllClick(nullptr);
      Picker->Btn_OK->Click();
      return int(mrNone);
    });
    Form->Btn_Import_CSV->Click();
    EXPECT_EQ(Form->KCG1->Cells(2, 1), QString());
    EXPECT_EQ(Form->KCG2->Cells(2, 1), QString());
    Form->Btn_Import_CSV->Click();
    EXPECT_EQ(picker.Shown.size(), 1u);
    EXPECT_EQ(WS().Dir_Last_EDE, Tmp.filePath(QStringLiteral("gone")));
  });
}

TEST_F(BACnetImport, FullGridCountsTheObjectsLeftOut)
{
  const QString list = Write_List(Two_Objects);
  Dialogs->QueueFile(list);
  Show([&] {
    for (int r = 1; r <= 512; ++r)
      Form->KCG1->SetCells(2, r, QStringLiteral("10.0.0.9"));
    TModalScope picker([&](TCustomForm*) {
      Picker->E_ID_IP->SetText(QStringLiteral("10.0.0.1"));
      Picker->Btn_OK->Click();
      return int(mrNone);
    });
    Form->Btn_Import_CSV->Click();
    EXPECT_EQ(Messages().value(0),
              QStringLiteral("Warning!! No free Row in the table. Number of Objects not imported: 2"));
    EXPECT_EQ(Form->KCG2->Cells(3, 1), QStringLiteral("Analog Output"));
  });
}

TEST_F(BACnetImport, PickerRendersToPng)
{
  Show_Picker(Write_List(Two_Objects), [&] {
    QApplication::processEvents();
    const QImage img = Picker->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 863);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/bacnet_import_ede_window.png")));
  });
}
