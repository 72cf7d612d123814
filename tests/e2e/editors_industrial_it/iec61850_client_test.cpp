// The IEC 61850 client editor behind its step button, with its SCL catalog: an SCL file
// imported through the file dialog, an attribute and a data set picked in the model tree,
// their rows typed (the members of the data set too), an address the check refuses, Add
// and Remove Var, OK, the file, a second opening, and a second import of the same file
// with the catalog's question and the device list's removal.

#include "editor_user.h"
#include "e2e_places.h"

#include "editors_industrial/iec_client_window.h"
#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/stdctrls.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

using IecClient = TIndustrialEditorSession;

namespace {

enum : int { Index = 1, Reference = 4, Start_Byte, Num_Byte, IP, Port, On_Change, On_CMD, On_Timer, Timer_Time, Position,
             Start_Bit, Read_Write, Conversion, Factor, Mnemonic };
enum : int { DS_Reference = 2, DS_Goose, DS_En_Goose, DS_IP, DS_Port, DS_Time, DS_Mnemonic };
enum : int { M_Position = 3, M_Start_Bit, M_Conversion, M_Factor, M_Mnemonic };

const QString Scl_Name = QStringLiteral("libiec61850_sampleModel_with_dataset.icd");

// The tree node reached from the root by the texts of Path.
TTreeNode* Node(TE2eUser& User, TTreeView* Tree, const QStringList& Path)
{
  return User.Ui([&]() -> TTreeNode* {
    TTreeNode* n = Tree->Items()->GetFirstNode();
    for (const QString& text : Path) {
      TTreeNode* next = nullptr;
      for (int i = 0; n && i < n->Count() && !next; ++i)
        if (n->Item(i)->Text() == text)
          next = n->Item(i);
      n = next;
    }
    return n;
  });
}

void Click_Node(TE2eUser& User, TTreeView* Tree, const QStringList& Path, bool Double = false)
{
  TTreeNode* n = Node(User, Tree, Path);
  ASSERT_TRUE(n) << "no tree node " << Path.join(QLatin1Char('/')).toStdString();
  const QRect r = Tree_Node_Rect(User, Tree, n);
  ASSERT_FALSE(r.isEmpty()) << "tree node " << Path.join(QLatin1Char('/')).toStdString() << " is not on screen";
  // The node's text, right of its icon.
  const QPoint at(r.left() + 30, r.center().y());
  if (Double)
    User.Double_Click_At(at);
  else
    User.Click_At(at);
  User.Wait(QStringLiteral("node %1 selected").arg(Path.join(QLatin1Char('/'))),
            [Tree, n] { return Tree->Selected() == n; });
}

}  // namespace

TEST_F(IecClient, SclDeviceIsImportedPickedTypedSavedAndShownAgain)
{
  const QString scl = QStringLiteral(KV_SHARED_TESTDATA_DIR "/scl/") + Scl_Name;
  if (!FileExists(scl))
    GTEST_SKIP() << "the SCL sample " << scl.toStdString() << " is missing";
  Run([&](TE2eUser& u) {
    TFIEC_61850_Access* w = FIEC_61850_Access;
    TTreeView* tree = w->TV_IEC_Device;
    Open_Window(u, FKalvoraFirmWare->Btn_IEC61850_Client, w);

    u.Click(w->Btn_Add_IEC_Device);
    EXPECT_EQ(u.File_Dialog_Filter(), QStringLiteral("SCL Files (*.scd *.ssd *.sed *.icd *.iid *.cid)"));
    u.Choose_File(scl);
    u.Wait(QStringLiteral("the imported device"), [w] { return w->LB_IEC_Devices->Count() == 1; });
    EXPECT_EQ(u.Ui([w] { return w->LB_IEC_Devices->Items()->Strings(0); }), QStringLiteral("SampleIED"));
    u.Click_At(List_Item_Rect(u, w->LB_IEC_Devices, 0).center());
    u.Wait(QStringLiteral("the device's tree"), [tree] { return tree->Items()->Count() > 1; });

    // An attribute: its data object opens with a double click.
    Click_Node(u, tree, {"Device1", "LLN0", "Beh"}, true);
    u.Wait(QStringLiteral("Beh open"), [&] { return Node(u, tree, {"Device1", "LLN0", "Beh"})->Expanded(); });
    Click_Node(u, tree, {"Device1", "LLN0", "Beh", "stVal"});
    u.Click(w->Btn_AddVar);
    TKvStringGrid* da = w->KCG_DA;
    u.Wait(QStringLiteral("the attribute's row"), [da] { return da->Cells(Reference, 1) == QLatin1String("SampleIEDDevice1/LLN0.Beh.stVal"); });
    EXPECT_EQ(Cell(u, da, Num_Byte, 1), QStringLiteral("4"));
    // The same attribute a second time, and that row removed again.
    u.Click(w->Btn_AddVar);
    u.Wait(QStringLiteral("the second row"), [da] { return da->RowCount() == 3; });
    u.Click(w->Btn_RemoveVar);
    u.Wait(QStringLiteral("the row removed"), [da] { return da->RowCount() == 2; });

    Type_Cell(u, da, Port, 1, QStringLiteral("102"));
    Click_Check(u, da, On_Change, 1);
    Click_Check(u, da, On_Timer, 1);
    Type_Cell(u, da, Timer_Time, 1, QStringLiteral("100"));
    Type_Cell(u, da, Position, 1, QStringLiteral("3"));
    Pick_Cell(u, da, Start_Bit, 1, QStringLiteral("1"));
    Pick_Cell(u, da, Read_Write, 1, QStringLiteral("Read"));
    Pick_Cell(u, da, Conversion, 1, QStringLiteral("None"));
    Type_Cell(u, da, Factor, 1, QStringLiteral("none"));
    Type_Cell(u, da, Mnemonic, 1, QStringLiteral("behaviour"));
    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! IP Address must be a valid TCP IP Address (Ex. 192.168.1.125)"));
    Type_Cell(u, da, IP, 1, QStringLiteral("192.168.1.5"));

    // A data set goes to the data-set page; its members show under it.
    Click_Node(u, tree, {"Device1", "LLN0", "dataset1"});
    u.Click(w->Btn_AddVar);
    TKvStringGrid* ds = w->KCG_DataSet;
    u.Wait(QStringLiteral("the data set's row"), [ds] { return ds->Cells(DS_Reference, 1) == QLatin1String("SampleIEDDevice1/LLN0.dataset1"); });
    EXPECT_EQ(Cell(u, ds, DS_Goose, 1), QStringLiteral("gcbDataset1"));
    EXPECT_EQ(Cell(u, ds, DS_En_Goose, 1), QStringLiteral("Y"));
    Type_Cell(u, ds, DS_IP, 1, QStringLiteral("192.168.1.6"));
    Type_Cell(u, ds, DS_Port, 1, QStringLiteral("102"));
    Type_Cell(u, ds, DS_Time, 1, QStringLiteral("200"));
    Type_Cell(u, ds, DS_Mnemonic, 1, QStringLiteral("set"));
    TKvStringGrid* members = w->KCG_DS_Vars;
    u.Wait(QStringLiteral("the data set's members"), [members] { return members->RowCount() == 4; });
    Type_Cell(u, members, M_Position, 1, QStringLiteral("7"));
    Pick_Cell(u, members, M_Conversion, 1, QStringLiteral("ItoF/FtoI"));
    Type_Cell(u, members, M_Mnemonic, 2, QStringLiteral("quality"));
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_IEC61850_Client, w);
    EXPECT_EQ(u.Ui([w] { return w->LB_IEC_Devices->Items()->Strings(0); }), QStringLiteral("SampleIED"));
    EXPECT_EQ(Cell(u, da, Mnemonic, 1), QStringLiteral("behaviour"));
    Click_Tab(u, w->PC_DA_DataSet, 1);
    u.Click_Cell(ds, DS_Mnemonic, 1);
    u.Wait(QStringLiteral("the members shown again"), [members] { return members->Cells(M_Position, 1) == QLatin1String("7"); });
    EXPECT_EQ(Cell(u, members, M_Mnemonic, 2), QStringLiteral("quality"));
    u.Snapshot(w, QStringLiteral("reopened"));

    // The file is in the catalog now: importing it again asks; No decodes the catalog's copy.
    u.Click(w->Btn_Add_IEC_Device);
    u.Choose_File(scl);
    EXPECT_EQ(u.Message_Text(), QStringLiteral("File already exists in catalog directory. Do you want to overwrite file?"));
    u.Answer(QStringLiteral("No"));
    u.Wait(QStringLiteral("the second device"), [w] { return w->LB_IEC_Devices->Count() == 2; });
    // The device the rows use stays; the other goes.
    for (int line : {0, 1}) {
      u.Click_At(List_Item_Rect(u, w->LB_IEC_Devices, line).center());
      u.Wait(QStringLiteral("line %1 chosen").arg(line), [w, line] { return w->LB_IEC_Devices->ItemIndex() == line; });
      u.Click(w->Btn_Remove_IEC_Device);
    }
    u.Wait(QStringLiteral("the second device removed"), [w] { return w->LB_IEC_Devices->Count() == 1; });
    Close_With(u, w->Btn_Cancel, w);
  });

  EXPECT_TRUE(FileExists(Project_Dir() + QStringLiteral("/ICD_Catalog/") + Scl_Name));
  const QString file = WS().Name_File_IEC_61850_Client;
  const auto devices = Saved_Rows(file, {"List_ICD_Files"});
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0], (TSaved_Row{{"Name", "SampleIED"}, {"FileName", Scl_Name}}));
  const auto attributes = Saved_Rows(file, {"List_DA_Selected"});
  ASSERT_EQ(attributes.size(), 1u);
  EXPECT_EQ(attributes[0], (TSaved_Row{{"Index", "0"}, {"bType", "INT32"}, {"fc", "ST"},
                                       {"Reference", "SampleIEDDevice1/LLN0.Beh.stVal"}, {"StartByte", "0"},
                                       {"NumByte", "4"}, {"IPAddress", "192.168.1.5"}, {"Port", "102"},
                                       {"OnChange", "Y"}, {"OnCMD", "N"}, {"OnTimer", "Y"}, {"Time", "100"},
                                       {"Position", "3"}, {"StartBit", "1"}, {"ReadWrite", "Read"},
                                       {"Convertion", "None"}, {"MoltFact", "none"}, {"Mnemonic", "behaviour"}}));
  const auto sets = Saved_Rows(file, {"List_DataSet_Selected"});
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0], (TSaved_Row{{"Index", "0"}, {"Reference", "SampleIEDDevice1/LLN0.dataset1"},
                                 {"GooseName", "gcbDataset1"}, {"EnGoose", "Y"}, {"IPAddress", "192.168.1.6"},
                                 {"Port", "102"}, {"Time", "200"}, {"Mnemonic", "set"}}));
  const auto members = Saved_Rows(file, {"List_DataSet_Selected", "DataSet_Item", "DataSet_List_DAs"});
  ASSERT_EQ(members.size(), 3u);
  EXPECT_EQ(members[0].value("Position"), "7");
  EXPECT_EQ(members[0].value("Convertion"), "ItoF/FtoI");
  EXPECT_EQ(members[1].value("Mnemonic"), "quality");
}
