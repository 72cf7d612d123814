// The IEC 61850 client editor window: the catalog import and removal, the model tree with
// its picks, the rows added and removed, the member grid, the checks on OK, the project
// file's round trip through the window, and a picture.

#include "editors_industrial/iec_client_window.h"

#include "editors_industrial/iec_client_file.h"
#include "editors_industrial/iec_client_texts.h"
#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/stdctrls.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"

#include "industrial_test_support.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QListWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using industrial_test::Fixture;
using industrial_test::Read_All;
using industrial_test::Write_All;

namespace {

const QString Question = QStringLiteral("File already exists in catalog directory. Do you want to overwrite file?");

class IecClientWindow : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    Add_Lang_Block_Source(&IEC_Client_Lang_Blocks);
    Init_Lang_Table();
    Dialogs = std::make_unique<TDialogResponder>();
    Form = new TFIEC_61850_Access();
    Form->DoCreate();
    Form->FormShow(Form);
  }

  void TearDown() override
  {
    delete Form;
    Dialogs.reset();
    Remove_Lang_Block_Source(&IEC_Client_Lang_Blocks);
    Init_Lang_Table();
    Install_Working_State(std::move(Previous));
  }

  QString Catalog() const { return TFIEC_61850_Access::Dir_Catalog(); }
  QString Project_File() const { return WS().Name_File_IEC_61850_Client; }
  QString Outside(const QString& Name) const { return Tmp.filePath(Name); }
  QStringList Messages() const { return Message_Texts(*Dialogs); }

  // Imports Path through the scripted open dialog; Answer answers a question, if asked.
  void Import(const QString& Path, int Answer = mrYes)
  {
    Dialogs->Handler = [Path, Answer](const TDialogRequest& R) {
      TDialogAnswer A;
      if (R.Kind == TDialogRequest::dkOpenFile) {
        A.Accepted = true;
        A.FileName = Path;
      } else {
        A.Result = Answer;
      }
      return A;
    };
    Form->Btn_Add_IEC_Device->Click();
    Dialogs->Handler = nullptr;
  }

  // A copy of a fixture outside the catalog, under the name given.
  QString Source(const QString& FixtureName, const QString& Name)
  {
    const QString P = Outside(Name);
    QFile::remove(P);
    EXPECT_TRUE(QFile::copy(Fixture(FixtureName), P));
    return P;
  }

  // A line chosen in the list, as a click chooses it.
  void Select_Device(int Line)
  {
    Form->LB_IEC_Devices->SetItemIndex(Line);
    Form->LB_IEC_DevicesClick(Form->LB_IEC_Devices);
  }

  // The tree node whose path of texts from the root is Path.
  TTreeNode* Node(const QStringList& Path) const
  {
    TTreeNode* N = Form->TV_IEC_Device->Items()->GetFirstNode();
    if (!N || N->Text() != Path.value(0))
      return nullptr;
    for (int i = 1; i < Path.size() && N; ++i) {
      TTreeNode* Next = nullptr;
      for (int c = 0; c < N->Count() && !Next; ++c)
        if (N->Item(c)->Text() == Path[i])
          Next = N->Item(c);
      N = Next;
    }
    return N;
  }

  void Pick(const QStringList& Path)
  {
    TTreeNode* N = Node(Path);
    ASSERT_NE(N, nullptr) << Path.join('/').toStdString();
    Form->TV_IEC_Device->SetSelected(N);
    Form->TV_IEC_DeviceClick(Form->TV_IEC_Device);
  }

  QString DA(int Col, int Row) const { return Form->KCG_DA->Cells(Col, Row); }
  QString DS(int Col, int Row) const { return Form->KCG_DataSet->Cells(Col, Row); }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  std::unique_ptr<TDialogResponder> Dialogs;
  TFIEC_61850_Access* Form = nullptr;
};

const QStringList XCBR1_Pos{"IED1", "LD0", "XCBR1", "Pos"};

}  // namespace

// ---- texts ------------------------------------------------------------------------------

TEST_F(IecClientWindow, TextsHeadersAndHeaderHints)
{
  EXPECT_EQ(Form->Caption(), "IEC61850 Client Set Access");
  EXPECT_EQ(Form->Btn_Add_IEC_Device->Caption(), "Add IEC Device");
  EXPECT_EQ(Form->Btn_RemoveVar->Hint(), "Remove the Selected DA from Table");
  const QStringList Headers{"N",        "Index",     "bType",    "fc",       "Reference", "Start Byte", "Num Byte",
                            "IP Address", "Port",    "On Change", "On CMD",  "On Timer",  "Time (ms)",  "Position",
                            "Start Bit", "R/W",      "Convertion", "Molt Fact", "Mnemonic"};
  ASSERT_EQ(Form->KCG_DA->ColCount(), Headers.size());
  for (int c = 0; c < Headers.size(); ++c)
    EXPECT_EQ(Form->KCG_DA->Cells(c, 0), Headers[c]) << c;
  EXPECT_EQ(Form->KCG_DataSet->ColCount(), 9);
  EXPECT_EQ(Form->KCG_DataSet->Cells(4, 0), "En. Goose");
  EXPECT_EQ(Form->KCG_DS_Vars->ColCount(), 8);
  EXPECT_EQ(Form->KCG_DS_Vars->Cells(6, 0), "Mult Fact");
  struct Case {
    TKvColumnGrid* Grid;
    int Row, Col;
    const char* Hint;
  };
  const Case Cases[] = {
      {Form->KCG_DA, 0, 5, "Insert the Start Byte, only for VisString255 (0-254) or Octet64 (0-63)"},
      {Form->KCG_DA, 0, 7, "Insert the IP Address of IEC 61850 Server"},
      {Form->KCG_DA, 0, 18, "Insert a description of the Data Attribute"},
      {Form->KCG_DA, 0, 0, ""},
      {Form->KCG_DA, 1, 7, ""},
      {Form->KCG_DataSet, 0, 5, ""},
      {Form->KCG_DS_Vars, 0, 3, ""},
  };
  for (const Case& C : Cases) {
    QString Hint;
    Form->KCG_DAGridHint(C.Grid, C.Row, C.Col, Hint);
    EXPECT_EQ(Hint, QString::fromLatin1(C.Hint)) << C.Col;
  }
}

// ---- the catalog ----------------------------------------------------------------------

TEST_F(IecClientWindow, ImportCopiesIntoTheCatalogAndListsTheDevice)
{
  Import(Source("scl_main.icd", "main.icd"));
  ASSERT_EQ(Form->List_IEC_Dev.size(), 1u);
  EXPECT_EQ(Form->LB_IEC_Devices->Items()->Strings(0), QStringLiteral("IED1"));
  EXPECT_EQ(Form->LB_IEC_Devices->ItemIndex(), -1);
  EXPECT_EQ(Read_All(PathJoin({Catalog(), "main.icd"})), Read_All(Fixture("scl_main.icd")));
  EXPECT_EQ(Form->List_IEC_Dev[0]->FileName(), QStringLiteral("main.icd"));
  ASSERT_FALSE(Dialogs->Requests.empty());
  EXPECT_EQ(Dialogs->Requests[0].Filter,
            QStringLiteral("SCL Files (*.scd, *.ssd, *.sed, *.icd, *.iid, *.cid)|*.scd; *.ssd; *.sed; *.icd; *.iid; "
                           "*.cid;|Any File (*.*)|*.*"));
  EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(IecClientWindow, NameAlreadyInTheCatalogAsksFirst)
{
  struct Case {
    int Answer;
    size_t Devices;
    bool Replaced;
  };
  const Case Cases[] = {{mrYes, 1, true}, {mrNo, 1, false}, {mrCancel, 0, false}};
  for (const Case& C : Cases) {
    Form->FormShow(Form);
    Dialogs->Requests.clear();
    // The catalog holds the openscd file under the name the hand fixture is imported by.
    ForceDirectories(Catalog());
    const QString InCatalog = PathJoin({Catalog(), "dev.icd"});
    QFile::remove(InCatalog);
    ASSERT_TRUE(QFile::copy(Fixture("openscd_valid2007B4.scd"), InCatalog));
    Import(Source("scl_main.icd", "dev.icd"), C.Answer);
    EXPECT_EQ(Messages(), QStringList{Question}) << C.Answer;
    ASSERT_EQ(Form->List_IEC_Dev.size(), C.Devices) << C.Answer;
    const QByteArray Expected = Read_All(Fixture(C.Replaced ? "scl_main.icd" : "openscd_valid2007B4.scd"));
    EXPECT_EQ(Read_All(InCatalog), Expected) << C.Answer;
    if (C.Devices) {
      EXPECT_EQ(Form->List_IEC_Dev[0]->List_LDevice[0]->Name(),
                QString::fromLatin1(C.Replaced ? "LD0" : "CircuitBreaker_CB1"))
          << C.Answer;
    }
  }
}

TEST_F(IecClientWindow, FileInsideTheCatalogIsItsOwnCopy)
{
  ForceDirectories(Catalog());
  const QString InCatalog = PathJoin({Catalog(), "main.icd"});
  ASSERT_TRUE(QFile::copy(Fixture("scl_main.icd"), InCatalog));
  Import(InCatalog, mrYes);
  EXPECT_EQ(Messages(), QStringList{Question});
  ASSERT_EQ(Form->List_IEC_Dev.size(), 1u);
  EXPECT_EQ(Form->List_IEC_Dev[0]->Name(), QStringLiteral("IED1"));
  EXPECT_EQ(Read_All(InCatalog), Read_All(Fixture("scl_main.icd")));
}

TEST_F(IecClientWindow, FailedCopyIsReportedAndAddsNothing)
{
  const QString Src = Source("scl_main.icd", "main.icd");
  SetAtomicWriteHookForTests([](const QString&) { throw EInOutError(QStringLiteral("disk full")); });
  Import(Src);
  SetAtomicWriteHookForTests(nullptr);
  EXPECT_TRUE(Form->List_IEC_Dev.empty());
  EXPECT_EQ(Form->LB_IEC_Devices->Count(), 0);
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_TRUE(Messages()[0].contains(Src)) << Messages()[0].toStdString();
  EXPECT_EQ(Dialogs->Requests.back().DlgType, mtError);
}

TEST_F(IecClientWindow, RejectedFileShowsTheParserErrorAndKeepsTheCopy)
{
  const QString Src = Outside("broken.icd");
  ASSERT_TRUE(Write_All(Src, "<SCL><IED name=\"X\"></SCL>"));
  Import(Src);
  EXPECT_TRUE(Form->List_IEC_Dev.empty());
  ASSERT_EQ(Messages().size(), 1);
  EXPECT_FALSE(Messages()[0].isEmpty());
  EXPECT_EQ(Dialogs->Requests.back().DlgType, mtError);
  EXPECT_TRUE(FileExists(PathJoin({Catalog(), "broken.icd"})));
}

TEST_F(IecClientWindow, FileWithoutIedGivesAnEmptyLineAndAnEmptyRoot)
{
  const QString Src = Outside("empty.icd");
  ASSERT_TRUE(Write_All(Src, "<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\"><Header id=\"x\"/></SCL>"));
  Import(Src);
  ASSERT_EQ(Form->LB_IEC_Devices->Count(), 1);
  EXPECT_EQ(Form->LB_IEC_Devices->Items()->Strings(0), QString());
  Select_Device(0);
  ASSERT_EQ(Form->TV_IEC_Device->Items()->Count(), 1);
  EXPECT_EQ(Form->TV_IEC_Device->Items()->GetFirstNode()->Text(), QString());
}

TEST_F(IecClientWindow, RemovalRenumbersLaterRowsAndRefusesADeviceInUse)
{
  const QString Src = Source("scl_main.icd", "main.icd");
  for (int i = 0; i < 3; ++i)
    Import(Src, mrNo);
  ASSERT_EQ(Form->List_IEC_Dev.size(), 3u);
  TIEC_Device* A = Form->List_IEC_Dev[0].get();
  TIEC_Device* C = Form->List_IEC_Dev[2].get();
  Dialogs->Requests.clear();
  // Variables rows on A and C, a data-set row on C.
  Form->KCG_DA->SetRowCount(3);
  Form->KCG_DA->SetCells(1, 1, "0");
  Form->KCG_DA->SetCells(1, 2, "2");
  Form->KCG_DataSet->SetCells(1, 1, "2");
  for (int refused : {0, 2}) {
    Select_Device(refused);
    Form->Btn_Remove_IEC_Device->Click();
    EXPECT_EQ(Form->List_IEC_Dev.size(), 3u) << refused;
  }
  Select_Device(1);
  Form->Btn_Remove_IEC_Device->Click();
  ASSERT_EQ(Form->List_IEC_Dev.size(), 2u);
  EXPECT_EQ(Form->List_IEC_Dev[0].get(), A);
  EXPECT_EQ(Form->List_IEC_Dev[1].get(), C);
  EXPECT_EQ(DA(1, 1), "0");
  EXPECT_EQ(DA(1, 2), "1");
  EXPECT_EQ(DS(1, 1), "1");
  EXPECT_EQ(Form->LB_IEC_Devices->Count(), 2);
  EXPECT_EQ(Form->LB_IEC_Devices->ItemIndex(), -1);
  EXPECT_TRUE(Messages().isEmpty());
  // A data-set row alone keeps its device too.
  Form->KCG_DA->SetRowCount(2);
  Form->KCG_DA->SetCells(1, 1, "0");
  Select_Device(1);
  Form->Btn_Remove_IEC_Device->Click();
  EXPECT_EQ(Form->List_IEC_Dev.size(), 2u);
}

// ---- the model tree --------------------------------------------------------------------

TEST_F(IecClientWindow, TreeShowsTheDeviceWithIconsExpansionAndColours)
{
  Import(Source("scl_main.icd", "main.icd"));
  Select_Device(0);
  struct Case {
    QStringList Path;
    int Icon;
    bool Expanded;
    QColor Color;
  };
  const QColor Black(0, 0, 0), Blue(0, 0, 255), Green(0, 128, 0);
  const Case Cases[] = {
      {{"IED1"}, 0, true, Black},
      {{"IED1", "LD1"}, 1, true, Black},
      {{"IED1", "LD1", "Q0XSWI2"}, 2, true, Black},
      {{"IED1", "LD0", "LLN0", "Beh"}, 3, false, Blue},
      {{"IED1", "LD0", "XCBR1", "Pos", "origin"}, 4, false, Black},
      {{"IED1", "LD0", "XCBR1", "Pos", "origin", "orCat"}, 4, false, Black},
      {{"IED1", "LD0", "MMXU1", "A", "phsA"}, 3, false, Blue},
      {{"IED1", "LD0", "LLN0", "DS2"}, 5, false, Green},
  };
  for (const Case& C : Cases) {
    TTreeNode* N = Node(C.Path);
    ASSERT_NE(N, nullptr) << C.Path.join('/').toStdString();
    EXPECT_EQ(N->ImageIndex(), C.Icon) << C.Path.join('/').toStdString();
    EXPECT_EQ(N->Expanded(), C.Expanded) << C.Path.join('/').toStdString();
    EXPECT_EQ(N->Item()->foreground(0).color(), C.Color) << C.Path.join('/').toStdString();
  }
  // Data objects before data sets; a sub-data object before the attributes.
  TTreeNode* LLN0 = Node({"IED1", "LD0", "LLN0"});
  ASSERT_EQ(LLN0->Count(), 3);
  EXPECT_EQ(LLN0->Item(0)->Text(), "Beh");
  EXPECT_EQ(LLN0->Item(1)->Text(), "DS1");
  EXPECT_EQ(Form->NODE_ORIG, Form->TV_IEC_Device->Items()->GetFirstNode());
}

TEST_F(IecClientWindow, LeafPicksStructuredDoesNotOtherLineClears)
{
  const QString Src = Source("scl_main.icd", "main.icd");
  Import(Src);
  Import(Src, mrNo);
  Select_Device(0);
  Pick(XCBR1_Pos + QStringList{"stVal"});
  ASSERT_NE(Form->Selected_IEC_DA, nullptr);
  EXPECT_EQ(Form->Selected_IEC_DA->Reference(), "IED1LD0/XCBR1.Pos.stVal");
  EXPECT_EQ(Form->Selected_IEC_DS, nullptr);
  for (const QStringList& Nothing : {XCBR1_Pos + QStringList{"origin"}, XCBR1_Pos, QStringList{"IED1", "LD0"},
                                     QStringList{"IED1"}}) {
    Pick(Nothing);
    EXPECT_EQ(Form->Selected_IEC_DA, nullptr) << Nothing.join('/').toStdString();
    EXPECT_EQ(Form->Selected_IEC_DS, nullptr) << Nothing.join('/').toStdString();
  }
  Pick({"IED1", "LD1", "Q0XSWI2", "DSX"});
  ASSERT_NE(Form->Selected_IEC_DS, nullptr);
  EXPECT_EQ(Form->Selected_IEC_DS->Reference(), "IED1LD1/Q0XSWI2.DSX");
  Select_Device(1);
  EXPECT_EQ(Form->Selected_IEC_DA, nullptr);
  EXPECT_EQ(Form->Selected_IEC_DS, nullptr);
  Form->Btn_AddVar->Click();
  EXPECT_EQ(DA(1, 1), QString());
  EXPECT_EQ(DS(1, 1), QString());
}

// ---- the tables ------------------------------------------------------------------------

TEST_F(IecClientWindow, AddVarReusesTheEmptyRowThenAppendsWithThePickedDevice)
{
  const QString Src = Source("scl_main.icd", "main.icd");
  Import(Src);
  Import(Src, mrNo);
  Select_Device(1);
  Pick(XCBR1_Pos + QStringList{"q"});
  // An import refills the list and leaves no line selected; the pick keeps its device.
  Import(Src, mrNo);
  Form->Btn_AddVar->Click();
  // The list has no line selected now: a click in the tree picks nothing until one is.
  Pick(XCBR1_Pos + QStringList{"stVal"});
  EXPECT_EQ(Form->Selected_IEC_DA, nullptr);
  Select_Device(1);
  Pick(XCBR1_Pos + QStringList{"stVal"});
  Form->Btn_AddVar->Click();
  Select_Device(0);
  Pick({"IED1", "LD0", "MMXU1", "TotW", "mag", "f"});
  Form->Btn_AddVar->Click();
  ASSERT_EQ(Form->KCG_DA->RowCount(), 4);
  const QStringList Row1{"1", "1", "Quality", "ST", "IED1LD0/XCBR1.Pos.q", "0", "4", "", "", "N", "N", "N"};
  for (int c = 0; c < Row1.size(); ++c)
    EXPECT_EQ(DA(c, 1), Row1[c]) << c;
  EXPECT_EQ(DA(1, 2), "1");
  EXPECT_EQ(DA(4, 3), "IED1LD0/MMXU1.TotW.mag.f");
  EXPECT_EQ(DA(1, 3), "0");
  EXPECT_TRUE(Form->KCG_DA->ReadOnly(5, 3));
  EXPECT_EQ(Form->PC_DA_DataSet->ActivePage(), Form->TS_DA);
}

TEST_F(IecClientWindow, VisStringRowsKeepTheirBytesEditable)
{
  Import(Source("scl_main.icd", "main.icd"));
  Select_Device(0);
  Pick(XCBR1_Pos + QStringList{"origin", "orIdent"});  // Octet64
  Form->Btn_AddVar->Click();
  Pick(XCBR1_Pos + QStringList{"q"});
  Form->Btn_AddVar->Click();
  EXPECT_EQ(DA(5, 1), QString());
  EXPECT_FALSE(Form->KCG_DA->ReadOnly(5, 1));
  EXPECT_FALSE(Form->KCG_DA->ReadOnly(6, 1));
  EXPECT_TRUE(Form->KCG_DA->ReadOnly(6, 2));
  // Removing the fixed row leaves the chosen one editable; removing the last empties it.
  Form->KCG_DA->SetRow(2);
  Form->Btn_RemoveVar->Click();
  ASSERT_EQ(Form->KCG_DA->RowCount(), 2);
  EXPECT_EQ(DA(2, 1), "Octet64");
  Form->KCG_DA->SetRow(1);
  Form->Btn_RemoveVar->Click();
  ASSERT_EQ(Form->KCG_DA->RowCount(), 2);
  EXPECT_EQ(DA(0, 1), "1");
  for (int c = 1; c < Form->KCG_DA->ColCount(); ++c)
    EXPECT_EQ(DA(c, 1), QString()) << c;
}

TEST_F(IecClientWindow, DataSetRowsAndTheirMembers)
{
  Import(Source("scl_main.icd", "main.icd"));
  Select_Device(0);
  for (const QStringList& P : {QStringList{"IED1", "LD0", "LLN0", "DS2"}, QStringList{"IED1", "LD0", "LLN0", "DS1"},
                               QStringList{"IED1", "LD1", "Q0XSWI2", "DSX"}}) {
    Pick(P);
    Form->Btn_AddVar->Click();
  }
  EXPECT_EQ(Form->PC_DA_DataSet->ActivePage(), Form->TS_DataSet);
  ASSERT_EQ(Form->KCG_DataSet->RowCount(), 4);
  ASSERT_EQ(Form->List_DataSet.size(), 3u);
  EXPECT_EQ(DS(3, 2), "GCB1");
  EXPECT_EQ(DS(4, 2), "Y");
  EXPECT_EQ(DS(4, 1), "N");  // no GOOSE control names DS2
  EXPECT_EQ(DS(2, 3), "IED1LD1/Q0XSWI2.DSX");

  // A click in column 0 of the data-set grid selects that row of the variables grid.
  Pick(XCBR1_Pos + QStringList{"stVal"});
  for (int i = 0; i < 3; ++i)
    Form->Btn_AddVar->Click();
  Form->KCG_DataSet->SetRow(3);
  Form->ClickCell(Form->KCG_DataSet, 3, 0);
  EXPECT_EQ(Form->KCG_DA->Row(), 3);
  ASSERT_EQ(Form->KCG_DS_Vars->RowCount(), 3);
  EXPECT_EQ(Form->KCG_DS_Vars->Cells(2, 2), "IED1LD1/Q0XSWI2.Pos.q");

  // Member 2 of row 3 is edited; the data-set grid's row then moves by keyboard and the
  // edit still lands in the data set shown.
  Form->KCG_DataSet->SetRow(1);
  Form->KCG_DS_Vars->SetCells(3, 2, "77");
  Form->KCG_DS_VarsEditCellDone(Form->KCG_DS_Vars, 3, 2);
  EXPECT_EQ(Form->List_DataSet[2]->List_DAs[1]->Position, "77");
  EXPECT_EQ(Form->List_DataSet[2]->List_DAs[0]->Position, QString());
  for (int k : {0, 1})
    for (const auto& M : Form->List_DataSet[size_t(k)]->List_DAs)
      EXPECT_EQ(M->Position, QString());

  // Remove Var on the data-set page takes the row with its data set and empties the members.
  Form->PC_DA_DataSet->SetActivePage(Form->TS_DataSet);
  Form->KCG_DataSet->SetRow(1);
  Form->Btn_RemoveVarClick(Form);
  ASSERT_EQ(Form->List_DataSet.size(), 2u);
  EXPECT_EQ(DS(0, 2), "2");
  EXPECT_EQ(DS(2, 2), "IED1LD1/Q0XSWI2.DSX");
  EXPECT_EQ(Form->DataSet_Row_Select, 0);
  EXPECT_EQ(Form->KCG_DS_Vars->RowCount(), 2);
  EXPECT_EQ(Form->KCG_DS_Vars->Cells(2, 1), QString());
  Form->KCG_DS_Vars->SetCells(3, 1, "5");
  Form->KCG_DS_VarsEditCellDone(Form->KCG_DS_Vars, 3, 1);
  for (const auto& DS : Form->List_DataSet)
    EXPECT_NE(DS->List_DAs[0]->Position, "5");
}

TEST_F(IecClientWindow, OkShowsTheFirstFailedCheckAndStaysOpen)
{
  struct Case {
    int Col;
    const char* Text;
    const char* Message;
  };
  const Case Cases[] = {
      {13, "1400", "Error row 1!! Position must be between 0 and 1399"},
      {8, "0x10", "Error row 1!! Port must be between 0 and 65535"},
      {17, "", "Error row 1!! Mult. Factor must be a valid Float"},
      {11, "Y", "Error row 1!! Time must be between 1 and 100000000 ms"},
  };
  const int Result = Show_Modal(Form, [&] {
    Import(Source("scl_main.icd", "main.icd"));
    Select_Device(0);
    Pick(XCBR1_Pos + QStringList{"stVal"});
    Form->Btn_AddVar->Click();
    const std::pair<int, const char*> Good[] = {{7, "192.168.1.5"}, {8, "102"}, {13, "1399"}, {17, " None "}};
    for (const auto& [Col, Text] : Good)
      Form->KCG_DA->SetCells(Col, 1, Text);
    for (const Case& C : Cases) {
      const QString Old = Form->KCG_DA->Cells(C.Col, 1);
      Form->KCG_DA->SetCells(C.Col, 1, C.Text);
      Dialogs->Requests.clear();
      Form->Btn_OK->Click();
      EXPECT_EQ(Form->ModalResult(), int(mrNone)) << C.Message;
      EXPECT_EQ(Messages(), QStringList{QString::fromLatin1(C.Message)});
      Form->KCG_DA->SetCells(C.Col, 1, Old);
    }
    EXPECT_FALSE(FileExists(Project_File()));
    Dialogs->Requests.clear();
    Form->Btn_OK->Click();
  });
  EXPECT_EQ(Result, int(mrOk));
  EXPECT_TRUE(Messages().isEmpty());
  EXPECT_TRUE(FileExists(Project_File()));
}

// ---- the project file through the window ----------------------------------------------------

namespace {

// The fixture project copied into the test project's folder.
void Copy_Fixture_Project(const QString& Dir_Project)
{
  const QString From = Fixture("iec_client_project");
  ForceDirectories(PathJoin({Dir_Project, IEC_Catalog_Folder_Name}));
  for (const char* Name : {"openscd_valid2007B4.scd", "scl_main.icd"})
    ASSERT_TRUE(QFile::copy(Fixture(Name), PathJoin({Dir_Project, IEC_Catalog_Folder_Name, Name})));
  ASSERT_TRUE(QFile::copy(PathJoin({From, "IEC_61850_Client.xml"}), PathJoin({Dir_Project, "IEC_61850_Client.xml"})));
}

}  // namespace

TEST_F(IecClientWindow, SavedProjectShownAndSavedIsByteIdentical)
{
  Copy_Fixture_Project(WS().Dir_Project);
  const QByteArray Before = Read_All(Project_File());
  EXPECT_EQ(Show_Modal(Form, [&] {
              EXPECT_EQ(Form->LB_IEC_Devices->Count(), 2);
              EXPECT_EQ(Form->KCG_DA->RowCount(), 4);
              EXPECT_EQ(Form->KCG_DataSet->RowCount(), 4);
              Form->KCG_DataSet->SetRow(1);
              Form->ClickCell(Form->KCG_DataSet, 1, 2);
              EXPECT_EQ(Form->KCG_DS_Vars->RowCount(), 6);
              EXPECT_EQ(Form->KCG_DS_Vars->Cells(3, 3), "105");
              Form->Btn_OK->Click();
            }),
            int(mrOk));
  EXPECT_TRUE(Messages().isEmpty()) << Messages().join('\n').toStdString();
  EXPECT_EQ(Read_All(Project_File()), Before);
}

TEST_F(IecClientWindow, MissingCatalogFileKeepsIndexesWarnsAndAsksBeforeSaving)
{
  Copy_Fixture_Project(WS().Dir_Project);
  ASSERT_TRUE(QFile::remove(PathJoin({Catalog(), "openscd_valid2007B4.scd"})));
  const QByteArray Before = Read_All(Project_File());
  Dialogs->QueueResult(mrOk);  // the warning
  Dialogs->QueueResult(mrNo);  // keep the file
  EXPECT_EQ(Show_Modal(Form, [&] {
              ASSERT_EQ(Form->List_IEC_Dev.size(), 2u);
              EXPECT_EQ(Form->List_IEC_Dev[1]->Name(), "IED1");
              EXPECT_EQ(Form->List_IEC_Dev[1]->List_LDevice[0]->Name(), "LD0");
              EXPECT_EQ(DA(1, 1), "0");
              EXPECT_EQ(DA(1, 2), "1");
              Form->Btn_OK->Click();
            }),
            int(mrCancel));
  const QStringList M = Messages();
  ASSERT_EQ(M.size(), 2);
  EXPECT_TRUE(M[0].contains("openscd_valid2007B4.scd")) << M[0].toStdString();
  EXPECT_EQ(M[1], Lang_Str(1506));
  EXPECT_EQ(Read_All(Project_File()), Before);
}

TEST_F(IecClientWindow, ItemWithoutPortIsReportedAndNoKeepsTheFile)
{
  Copy_Fixture_Project(WS().Dir_Project);
  QByteArray Bytes = Read_All(Project_File());
  const QByteArray Port = " Port=\"102\"";
  const int At = Bytes.indexOf("<DA_Item Index=\"1\"");
  ASSERT_GE(At, 0);
  Bytes.remove(Bytes.indexOf(Port, At), Port.size());
  ASSERT_TRUE(Write_All(Project_File(), Bytes));
  Dialogs->QueueResult(mrOk);
  Dialogs->QueueResult(mrNo);
  EXPECT_EQ(Show_Modal(Form, [&] {
              // The row the load stopped in has nothing from Port on: fill it so the check passes.
              EXPECT_EQ(DA(7, 2), "192.168.1.126");
              EXPECT_EQ(DA(8, 2), QString());
              for (const auto& [Col, Text] : {std::pair{8, "102"}, {13, "20"}, {17, "None"}})
                Form->KCG_DA->SetCells(Col, 2, Text);
              Form->Btn_OK->Click();
            }),
            int(mrCancel));
  const QStringList M = Messages();
  ASSERT_EQ(M.size(), 2);
  EXPECT_TRUE(M[0].contains("Port")) << M[0].toStdString();
  EXPECT_EQ(Dialogs->Requests[0].DlgType, mtError);
  EXPECT_EQ(M[1], Lang_Str(1506));
  EXPECT_EQ(Read_All(Project_File()), Bytes);
}

// ---- end to end ------------------------------------------------------------------------

namespace {

void Click_Item(QTreeWidget* Tree, QTreeWidgetItem* Item)
{
  Tree->scrollToItem(Item);
  QApplication::processEvents();
  QTest::mouseClick(Tree->viewport(), Qt::LeftButton, {}, Tree->visualItemRect(Item).center());
  QApplication::processEvents();
  ASSERT_EQ(Tree->currentItem(), Item);
}

}  // namespace

TEST_F(IecClientWindow, ImportPickAddSaveAndReopenByMouse)
{
  const int Saved = Show_Modal(Form, [&] {
    Import(Source("scl_main.icd", "main.icd"));
    Import(Source("scl_main.icd", "main.icd"), mrNo);
    QListWidget* List = Form->LB_IEC_Devices->List();
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, List->visualItemRect(List->item(1)).center());
    QApplication::processEvents();
    ASSERT_EQ(Form->LB_IEC_Devices->ItemIndex(), 1);
    ASSERT_NE(Form->NODE_ORIG, nullptr);
    EXPECT_EQ(Form->List_IEC_Dev[1]->TreeNode, Form->NODE_ORIG);
    // A keyboard selection shows its device too.
    QTest::keyClick(List, Qt::Key_Up);
    QApplication::processEvents();
    ASSERT_EQ(Form->LB_IEC_Devices->ItemIndex(), 0);
    EXPECT_EQ(Form->List_IEC_Dev[0]->TreeNode, Form->NODE_ORIG);

    QTreeWidget* Tree = Form->TV_IEC_Device->Tree();
    Node(XCBR1_Pos)->Expand(false);
    Click_Item(Tree, Node(XCBR1_Pos + QStringList{"stVal"})->Item());
    ASSERT_NE(Form->Selected_IEC_DA, nullptr);
    Form->Btn_AddVar->Click();
    Click_Item(Tree, Node({"IED1", "LD0", "LLN0", "DS1"})->Item());
    ASSERT_NE(Form->Selected_IEC_DS, nullptr);
    Form->Btn_AddVar->Click();
    Click_Item(Tree, Node(XCBR1_Pos)->Item());
    EXPECT_EQ(Form->Selected_IEC_DA, nullptr);
    EXPECT_EQ(Form->Selected_IEC_DS, nullptr);

    const std::pair<int, const char*> Cells[] = {{7, "10.0.0.7"}, {8, "102"}, {13, "12"}, {17, "None"}};
    for (const auto& [Col, Text] : Cells)
      Form->KCG_DA->SetCells(Col, 1, Text);
    Form->KCG_DataSet->SetRow(1);
    Form->ClickCell(Form->KCG_DataSet, 1, 3);
    Form->KCG_DS_Vars->SetCells(3, 2, "40");
    Form->KCG_DS_VarsEditCellDone(Form->KCG_DS_Vars, 3, 2);
    Form->Btn_OK->Click();
  });
  ASSERT_EQ(Saved, int(mrOk));

  Show_Modal(Form, [&] {
    EXPECT_EQ(Form->LB_IEC_Devices->Count(), 2);
    EXPECT_EQ(DA(1, 1), "0");
    EXPECT_EQ(DA(4, 1), "IED1LD0/XCBR1.Pos.stVal");
    EXPECT_EQ(DA(7, 1), "10.0.0.7");
    EXPECT_EQ(DA(13, 1), "12");
    EXPECT_EQ(DS(2, 1), "IED1LD0/LLN0.DS1");
    Form->KCG_DataSet->SetRow(1);
    Form->ClickCell(Form->KCG_DataSet, 1, 1);
    EXPECT_EQ(Form->KCG_DS_Vars->Cells(3, 2), "40");
    EXPECT_EQ(Form->KCG_DS_Vars->Cells(3, 1), QString());
    Form->Btn_Cancel->Click();
  });
}

TEST_F(IecClientWindow, TypedCellsReachTheFile)
{
}

TEST_F(IecClientWindow, RendersToPng)
{
  Copy_Fixture_Project(WS().Dir_Project);
  Show_Modal(Form, [&] {
    Select_Device(1);
    Node(XCBR1_Pos)->Expand(false);
    Node({"IED1", "LD0", "MMXU1", "TotW"})->Expand(true);
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/iec_client_window.png")));
    Form->PC_DA_DataSet->SetActivePage(Form->TS_DataSet);
    Form->KCG_DataSet->SetRow(1);
    Form->ClickCell(Form->KCG_DataSet, 1, 1);
    QApplication::processEvents();
    EXPECT_TRUE(Form->grab().toImage().save(QStringLiteral(KV_TEST_BINARY_DIR "/iec_client_window_dataset.png")));
    Form->Btn_Cancel->Click();
  });
}
