// The OPC UA server variables editor on a temporary project: what a type choice and a
// paste do to the row, the position check, loading, saving past a Type gap, a file
// longer than the grid, a byte-for-byte round trip and a render.

#include "editors_it/opcua_server_window.h"

#include "editors_it/opcua_server_file.h"
#include "editors_it/opcua_texts.h"
#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"

#include "opcua_test_files.h"
#include "support/file_bytes.h"
#include "support/modal_show.h"
#include "support/test_project.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using W = TFOPC_UA_Server_Access;

class OpcUaServerWindow : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(Tmp.isValid());
    Previous = Install_Test_Project(Tmp);
    Add_Lang_Block_Source(&OPC_UA_Server_Lang_Blocks);
    Init_Lang_Table();
    Form = std::make_unique<W>();
    Form->DoCreate();
  }
  void TearDown() override
  {
    Form.reset();
    Install_Working_State(std::move(Previous));
  }

  QString File() const { return WS().Name_File_OPC_UA_Server; }
  TKvStringGrid* G() const { return Form->KSG; }
  bool Enabled(int r) const
  {
    bool state = false;
    G()->GetCheckBoxState(W::Col_Enable, r, state);
    return state;
  }
  void Pick_Type(int r, const QString& type)
  {
    G()->SetCells(W::Col_Type, r, type);
    G()->OnComboChange(G(), W::Col_Type, r, int(Form->VarType.indexOf(type)), type);
  }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  TDialogResponder Answers;
  std::unique_ptr<W> Form;
};

TEST_F(OpcUaServerWindow, ATypeChoiceSetsTheLengthItsStateAndAnEmptyAccess)
{
  struct Case {
    const char* Type;
    const char* Length;
    bool Read_Only;
  } cases[] = {{"Float", "4", true}, {"Boolean", "1", true}, {"UInt16", "2", true}, {"Double", "8", true},
               {"String", "10", false}, {"ByteString", "10", false}};
  Show_Modal(Form.get(), [&] {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.Type);
      G()->SetCells(W::Col_RW, 1, QString());
      Pick_Type(1, QString::fromLatin1(c.Type));
      EXPECT_EQ(G()->Cells(W::Col_Length, 1), QString::fromLatin1(c.Length));
      EXPECT_EQ(G()->ReadOnly(W::Col_Length, 1), c.Read_Only);
      EXPECT_EQ(G()->Cells(W::Col_RW, 1), QStringLiteral("Read/Write"));
    }
    // An access already chosen stays; a type of another case leaves the length alone.
    G()->SetCells(W::Col_RW, 1, QStringLiteral("Read Only"));
    G()->SetCells(W::Col_Length, 1, QStringLiteral("7"));
    Pick_Type(1, QStringLiteral("float"));
    EXPECT_EQ(G()->Cells(W::Col_Length, 1), QStringLiteral("7"));
    EXPECT_FALSE(G()->ReadOnly(W::Col_Length, 1));
    EXPECT_EQ(G()->Cells(W::Col_RW, 1), QStringLiteral("Read Only"));
  });
}

TEST_F(OpcUaServerWindow, ThePositionCheckNamesTheFirstBadEnabledTypedRow)
{
  struct Case {
    const char* Position;
    bool Enable;
    bool Passes;
  } cases[] = {{"abc", true, false}, {"abc", false, true}, {"0", true, true}, {"1999", true, true},
               {"2000", true, false}, {"-1", true, false}, {"", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Position);
    QFile::remove(File());
    Answers.Requests.clear();
    const int result = Show_Modal(Form.get(), [&] {
      // A row with a Position but no Type is skipped, not an end.
      G()->SetCells(W::Col_Position, 1, QStringLiteral("5"));
      G()->SetCells(W::Col_Type, 3, QStringLiteral("Int32"));
      G()->SetCells(W::Col_Position, 3, QString::fromLatin1(c.Position));
      G()->SetCheckBoxState(W::Col_Enable, 3, c.Enable);
      Form->Btn_OK->Click();
    });
    if (c.Passes) {
      EXPECT_EQ(result, mrOk);
      EXPECT_TRUE(Message_Texts(Answers).isEmpty());
    } else {
      EXPECT_NE(result, mrOk);
      EXPECT_EQ(Message_Texts(Answers), QStringList{QStringLiteral("Error row 3!! Position Must be Between 0 and 2000")});
      EXPECT_FALSE(QFile::exists(File()));
    }
  }
}

TEST_F(OpcUaServerWindow, FileRowsLoadTheirEnableLengthStateAndAccess)
{
  Write_All(File(), "<OPC_UA_Server><OPC_UA_Server_Variables>"
                    "<row Type=\"String\" Position=\"0\" Length=\"32\" Name=\"a\"/>"
                    "<row Enable=\"N\" Type=\"Float\" Position=\"32\" Length=\"4\" ReadWrite=\"Read Only\"/>"
                    "<row Enable=\"yes\" Type=\"Int16\"/>"
                    "</OPC_UA_Server_Variables></OPC_UA_Server>");
  Show_Modal(Form.get(), [&] {
    EXPECT_TRUE(Enabled(1));
    EXPECT_EQ(G()->Cells(W::Col_Length, 1), QStringLiteral("32"));
    EXPECT_FALSE(G()->ReadOnly(W::Col_Length, 1));
    EXPECT_EQ(G()->Cells(W::Col_RW, 1), QString());  // a missing access stays empty
    EXPECT_FALSE(Enabled(2));
    EXPECT_TRUE(G()->ReadOnly(W::Col_Length, 2));
    EXPECT_EQ(G()->Cells(W::Col_RW, 2), QStringLiteral("Read Only"));
    EXPECT_TRUE(Enabled(3));
    EXPECT_EQ(G()->Cells(W::Col_Length, 3), QString());  // the stored (missing) length wins
    EXPECT_TRUE(Enabled(4));
    EXPECT_FALSE(G()->ReadOnly(W::Col_Length, 4));
    EXPECT_TRUE(Message_Texts(Answers).isEmpty());
  });
}

TEST_F(OpcUaServerWindow, APasteKeepsTheCopiedLengthWithTheStateOfItsType)
{
  Show_Modal(Form.get(), [&] {
    Pick_Type(1, QStringLiteral("Double"));
    Pick_Type(2, QStringLiteral("String"));
    Pick_Type(3, QStringLiteral("String"));
    G()->SetCells(W::Col_Length, 3, QStringLiteral("32"));
    Pick_Type(4, QStringLiteral("Int16"));

    G()->SetRow(1);
    Form->Btn_CopyRow->Click();
    G()->SetRow(2);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(G()->Cells(W::Col_Type, 2), QStringLiteral("Double"));
    EXPECT_EQ(G()->Cells(W::Col_Length, 2), QStringLiteral("8"));
    EXPECT_TRUE(G()->ReadOnly(W::Col_Length, 2));

    G()->SetRow(3);
    Form->Btn_CopyRow->Click();
    G()->SetRow(4);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(G()->Cells(W::Col_Length, 4), QStringLiteral("32"));
    EXPECT_FALSE(G()->ReadOnly(W::Col_Length, 4));
  });
}

TEST_F(OpcUaServerWindow, RowsAfterATypeGapAreSaved)
{
  const int result = Show_Modal(Form.get(), [&] {
    G()->SetCells(W::Col_Type, 1, QStringLiteral("Int16"));
    G()->SetCells(W::Col_Position, 1, QStringLiteral("0"));
    G()->SetCells(W::Col_Position, 2, QStringLiteral("5"));  // no Type: not a variable
    G()->SetCells(W::Col_Type, 3, QStringLiteral("Float"));
    G()->SetCells(W::Col_Position, 3, QStringLiteral("2"));
    G()->SetCheckBoxState(W::Col_Enable, 3, false);
    Form->Btn_OK->Click();
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_TRUE(Message_Texts(Answers).isEmpty());  // nothing is dropped, so nothing is asked
  const TOPC_UA_Server_Vars_Load back = Read_OPC_UA_Server_File(File());
  ASSERT_EQ(back.Rows.size(), 2u);
  EXPECT_EQ(back.Rows[0].Type, QStringLiteral("Int16"));
  EXPECT_EQ(back.Rows[1].Type, QStringLiteral("Float"));
  EXPECT_FALSE(back.Rows[1].Enable);
}

TEST_F(OpcUaServerWindow, AFileLongerThanTheGridIsNamedOnceAndOkAsksBeforeReplacingIt)
{
  QByteArray xml = "<OPC_UA_Server><OPC_UA_Server_Variables>";
  for (int i = 0; i < 260; ++i)
    xml += "<row Enable=\"Y\" Type=\"Byte\" Position=\"" + QByteArray::number(i) + "\" Length=\"1\"/>";
  xml += "</OPC_UA_Server_Variables></OPC_UA_Server>";
  Write_All(File(), xml);
  Answers.QueueResult(mrOk);  // the note on the rows left out
  Answers.QueueResult(mrNo);  // keep the file
  const int result = Show_Modal(Form.get(), [&] {
    EXPECT_EQ(G()->Cells(W::Col_Position, 250), QStringLiteral("249"));
    Form->Btn_OK->Click();
  });
  EXPECT_NE(result, mrOk);
  const QStringList texts = Message_Texts(Answers);
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts[0].contains(QStringLiteral("10"))) << texts[0].toStdString();
  EXPECT_EQ(texts[1], Lang_Str(Rule_Text_Replace_Partial_File));
  EXPECT_EQ(Read_All(File()), xml);
}

TEST_F(OpcUaServerWindow, TheDeleteQuestionNamesTheRow)
{
  Answers.QueueResult(mrNo);
  Show_Modal(Form.get(), [&] {
    G()->SetCells(W::Col_Type, 3, QStringLiteral("Byte"));
    G()->SetRow(3);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(G()->Cells(W::Col_Type, 3), QStringLiteral("Byte"));
  });
  EXPECT_EQ(Message_Texts(Answers), QStringList{QStringLiteral("Are you sure to delete the Row number 3")});
}

TEST_F(OpcUaServerWindow, AFixtureRoundTripsByteForByte)
{
  const QByteArray fixture = Read_All(It_Fixture("OPC_UA_Server.xml"));
  ASSERT_FALSE(fixture.isEmpty());
  Write_All(File(), fixture);
  const int result = Show_Modal(Form.get(), [&] { Form->Btn_OK->Click(); });
  EXPECT_EQ(result, mrOk);
  EXPECT_EQ(Read_All(File()), fixture);
  Expect_Well_Formed(File());
}

TEST_F(OpcUaServerWindow, RendersToPng)
{
  Write_All(File(), Read_All(It_Fixture("OPC_UA_Server.xml")));
  Show_Modal(Form.get(), [&] {
    QApplication::processEvents();
    const QImage img = Form->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 1200);
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/opcua_server_window.png")));
  });
}

}  // namespace
