// The rule editor window on a small description: what OK asks before it replaces a file
// that was not loaded whole or would lose rows after the table's end, and the layout.

#include "common/rule_editor_frame.h"

#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"

#include "support/file_bytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TRuleColumn Col(const QString& attribute, TEditorType kind = edNormal, bool required = true)
{
  TRuleColumn c;
  c.Attribute = attribute;
  c.Kind = kind;
  c.Required = required;
  c.Default = kind == edDataCheckBox ? QStringLiteral("Y") : QString();
  return c;
}

TRuleFile Two_Grids()
{
  TRuleFile f;
  f.Root = QStringLiteral("Frame_Test");
  f.Version = QStringLiteral("1.001");
  for (const char* name : {"One", "Two"}) {
    TRuleGrid g;
    g.Section = {QString::fromLatin1(name)};
    g.Rows = 4;
    g.Error_Prefix = 1968;
    g.Columns = {TRuleColumn{}, Col(QStringLiteral("Enable"), edDataCheckBox, false), Col(QStringLiteral("Key")),
                 Col(QStringLiteral("Value"))};
    f.Grids.push_back(g);
  }
  return f;
}

TRuleEditorTexts Test_Texts()
{
  TRuleEditorTexts t;
  t.Base = 0;
  t.Pages = {300, 301};
  t.Delete_Question = 2061;
  return t;
}

class TTestEditor : public TRuleEditorFrame {
public:
  explicit TTestEditor(QString path)
      : TRuleEditorFrame(Two_Grids(), Test_Texts(), 700, 300),
        FPath(std::move(path))
  {
  }
  QString Project_File() const override { return FPath; }

private:
  QString FPath;
};

class RuleEditorFrame : public ::testing::Test {
protected:
  void SetUp() override
  {
    Previous = Install_Working_State(std::make_unique<TWorkingState>(Tmp.path()));
    Init_Lang_Table();
    Form = std::make_unique<TTestEditor>(Tmp.filePath(QStringLiteral("Frame.xml")));
    Form->DoCreate();
  }
  void TearDown() override
  {
    Form.reset();
    Install_Working_State(std::move(Previous));
  }

  QString File() const { return Tmp.filePath(QStringLiteral("Frame.xml")); }

  int Show(const std::function<void()>& act)
  {
    TModalScope scope([&](TCustomForm*) {
      act();
      return int(mrNone);
    });
    return Form->ShowModal();
  }

  QTemporaryDir Tmp;
  std::unique_ptr<TWorkingState> Previous;
  TDialogResponder Answers;
  std::unique_ptr<TTestEditor> Form;
};

}  // namespace

TEST_F(RuleEditorFrame, LayoutFollowsTheDescription)
{
  ASSERT_NE(Form->PageControl1, nullptr);
  EXPECT_EQ(Form->PageControl1->PageCount(), 2);
  EXPECT_EQ(Form->ClientWidth(), 700);
  TLbButton* buttons[] = {Form->Btn_OK, Form->Btn_Cancel, Form->Btn_DelRow, Form->Btn_InsRow, Form->Btn_CopyRow,
                          Form->Btn_PasteRow};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(buttons[i]->Left(), 16 + 118 * i);
    EXPECT_EQ(buttons[i]->Top(), 6);
    EXPECT_EQ(buttons[i]->Width(), 110);
    EXPECT_EQ(buttons[i]->Height(), 28);
  }
  EXPECT_EQ(Form->Btn_CopyRow->Caption(), QStringLiteral("Copy Row"));
  EXPECT_EQ(Form->Grids[0]->RowCount(), 5);
  EXPECT_EQ(Form->Grids[0]->ColWidths(0), 40);
  EXPECT_EQ(Form->Grids[0]->RowHeights(1), 22);
  EXPECT_EQ(Form->Caption(), Lang_Str(0));
}

TEST_F(RuleEditorFrame, DataAfterTheTableEndIsSavedOnlyAfterYes)
{
  Write_All(File(), "<Frame_Test><One><row Key=\"a\" Value=\"1\"/></One><Two/></Frame_Test>\r\n");
  const QByteArray before = Read_All(File());
  auto typeAfterEnd = [&] {
    Form->Grids[0]->SetCells(3, 3, QStringLiteral("lost"));  // row 2 has no key
  };
  Answers.QueueResult(mrNo);
  EXPECT_EQ(Show([&] {
              typeAfterEnd();
              Form->Btn_OK->Click();
              EXPECT_EQ(Form->ModalResult(), mrNone);  // No keeps the window open
              EXPECT_EQ(Form->Grids[0]->Cells(3, 3), QStringLiteral("lost"));
            }),
            mrCancel);
  ASSERT_EQ(Answers.MessageCount(), 1);
  EXPECT_EQ(Answers.LastText(), Lang_Str(Rule_Text_Rows_After_End));
  EXPECT_EQ(Read_All(File()), before);

  Answers.QueueResult(mrYes);
  EXPECT_EQ(Show([&] {
              typeAfterEnd();
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_FALSE(Read_All(File()).contains("lost"));
}

TEST_F(RuleEditorFrame, RowsPastTheGridAreNamedOnceAndOkAsksBeforeReplacingTheFile)
{
  QByteArray rows;
  for (int i = 1; i <= 7; ++i)
    rows += "<row Key=\"k" + QByteArray::number(i) + "\" Value=\"1\"/>";
  Write_All(File(), "<Frame_Test><One>" + rows + "</One><Two>" + rows + "</Two></Frame_Test>\r\n");
  const QByteArray before = Read_All(File());
  Answers.QueueResult(mrOk);
  Answers.QueueResult(mrNo);
  Show([&] {
    ASSERT_EQ(Answers.MessageCount(), 1);
    EXPECT_EQ(Answers.Requests[0].DlgType, mtInformation);
    EXPECT_EQ(Answers.LastText(), Lang_Str(Rule_Text_Rows_Not_Shown).arg(3).arg(QStringLiteral("One")) + u'\n' +
                                      Lang_Str(Rule_Text_Rows_Not_Shown).arg(3).arg(QStringLiteral("Two")));
    EXPECT_EQ(Form->Grids[1]->Cells(2, 4), QStringLiteral("k4"));
    Form->Btn_OK->Click();
    EXPECT_EQ(Answers.LastText(), Lang_Str(Rule_Text_Replace_Partial_File));
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
  EXPECT_EQ(Read_All(File()), before);

  // Yes replaces the file with the rows shown.
  Answers.QueueResult(mrOk);
  Answers.QueueResult(mrYes);
  EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
  EXPECT_EQ(Read_All(File()).count("<row "), 8);
}

TEST_F(RuleEditorFrame, ARowNumberClickSelectsTheRowAndEnterJumpsWithTheOption)
{
  Show([&] {
    TKvStringGrid* g = Form->Grids[1];
    Form->ClickCell(g, 3, 0);
    EXPECT_EQ(g->Selection().Top, 3);
    EXPECT_EQ(g->Selection().Bottom, 3);
    EXPECT_EQ(g->Selection().Left, 1);
    EXPECT_EQ(g->Selection().Right, 3);

    WS().Enable_Jump_Field_Tables = true;
    g->FocusCell(3, 2);
    QChar enter(13);
    ASSERT_TRUE(bool(g->OnKeyPress));
    g->OnKeyPress(g, enter);
    EXPECT_EQ(enter, QChar(0));
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 3);
    QString hint = QStringLiteral("none");
    ASSERT_TRUE(bool(g->OnGridHint));
    g->OnGridHint(g, 0, 2, hint);  // no hint list: the hint stays
    EXPECT_EQ(hint, QStringLiteral("none"));
  });
}
