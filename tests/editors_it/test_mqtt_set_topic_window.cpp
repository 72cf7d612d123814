// The MQTT topic editor and its template dialog: the row checks with their exact
// messages, the file's round trip and its partial loads, the row commands on the shown
// page, the template dialog from a double click, and a render of both pages.

#include "editors_it/mqtt_set_topic_window.h"
#include "editors_it/mqtt_texts.h"
#include "editors_it/mqtt_topic_template_window.h"

#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/extctrls.h"
#include "platform/ui/richedit.h"
#include "common/lb_button.h"

#include "snmp_mqtt_window_fixture.h"

#include <QApplication>

namespace {

class MQTTWindow : public TITWindowTest<TFMQTT_Set_Topic> {
protected:
  MQTTWindow() : TITWindowTest({&MQTT_Topic_Lang_Blocks, &Topic_Template_Lang_Blocks}) {}
  QString File() const { return WS().Name_File_MQTT_Set_Topic; }
  void SetUp() override
  {
    TITWindowTest::SetUp();
    Template = std::make_unique<TFTopicTemplate>();
    Template->DoCreate();
    FTopicTemplate = Template.get();
  }
  void TearDown() override
  {
    FTopicTemplate = nullptr;
    Template.reset();
    TITWindowTest::TearDown();
  }

  std::unique_ptr<TFTopicTemplate> Template;
};

// Topic, Retained, QoS, Data Type, Dimension, Position, IP Address, Input Template,
// Template, OnChange, OnCMD, OnTimer, Time(ms), Channel, Swap, Swap Word, Mnemonic.
QStringList Good_Pub()
{
  return {"a/b", "N", "0", "Int", "2", "0", "", "", "$VALUE$", "Y", "", "N", "", "", "", "", "m"};
}

// Topic, Retained, QoS, Data Type, Dimension, Position, IP Address, Port, Type, Input
// Template, Template, Swap, Swap Word, Mnemonic.
QStringList Good_Sub()
{
  return {"c/d", "", "1", "Float", "4", "1499", "", "", "", "", "", "", "", "s"};
}

QByteArray Rows_Of(int n, const char* attrs)
{
  QByteArray out;
  for (int i = 1; i <= n; ++i)
    out += "<row Topic=\"t" + QByteArray::number(i) + "\" " + attrs + "/>";
  return out;
}

}  // namespace

TEST_F(MQTTWindow, ChecksGiveTheirExactMessages)
{
  struct Case {
    const char* name;
    bool sub;
    int row;
    std::vector<std::pair<int, const char*>> cells;  // real column, text
    const char* message;                             // empty: the rows pass
  };
  const Case cases[] = {
      {"lower-case int, dimension 3", false, 2, {{4, "int"}, {5, "3"}}, "Error row 2!! [MQTT Publish] Dimension must be equal to 1 or 2 or 4 or 8"},
      {"string of abc", false, 2, {{4, "String"}, {5, "abc"}}, "Error row 2!! [MQTT Publish] Dimension must be major of 0"},
      {"base64 of 20", false, 2, {{4, "Base64"}, {5, "20"}}, ""},
      {"float of 2", true, 2, {{4, "Float"}, {5, "2"}}, "Error row 2!! [MQTT Subscribe] Dimension must be equal to 4 or 8"},
      {"position 1499", false, 2, {{6, "1499"}}, ""},
      {"position 1500", false, 2, {{6, "1500"}}, "Error row 2!! [MQTT Publish] Position must be beetween 0 and 1499"},
      {"position -1", false, 2, {{6, "-1"}}, "Error row 2!! [MQTT Publish] Position must be beetween 0 and 1499"},
      {"empty position", true, 2, {{6, ""}}, "Error row 2!! [MQTT Subscribe] Position must be beetween 0 and 1499"},
      {"closed keyword", false, 2, {{9, "x $VALUE$ y"}}, ""},
      {"open keyword", false, 2, {{9, "$VALUE"}}, "Error row 2!! [MQTT Publish] Template not Correct, Check the Keywords"},
      {"open keyword subscribed", true, 2, {{11, "$VALUE"}}, "Error row 2!! [MQTT Subscribe] Template not Correct, Check the Keywords"},
      {"no keyword", false, 2, {{9, "plain"}}, ""},
      {"no timer, no time", false, 2, {{12, "N"}, {13, ""}}, ""},
      {"timer of 0", false, 2, {{12, "Y"}, {13, "0"}}, "Error row 2!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
      {"timer without time", false, 2, {{12, " y "}, {13, ""}}, "Error row 2!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
      {"timer of the limit", false, 2, {{12, "Y"}, {13, "1000000000"}}, ""},
      {"timer past the limit", false, 2, {{12, "Y"}, {13, "1000000001"}}, "Error row 2!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"},
      {"bad hidden address", false, 2, {{7, "not an address"}, {8, "$"}}, ""},
      {"bad hidden port", true, 2, {{8, "x"}, {10, "$"}}, ""},
      {"no data type in row 4", false, 4, {{4, ""}}, "Error row 4!! [MQTT Publish] Data Type must be selected"},
      {"rows after a topic of blanks", false, 2, {{1, "   "}, {4, ""}}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form->FormShow(nullptr);
    Dialogs->Requests.clear();
    for (int r = 1; r <= 4; ++r) {
      Set_Row(Form->KCG_Pub, r, Good_Pub());
      Set_Row(Form->KCG_Sub, r, Good_Sub());
    }
    TKvStringGrid* g = c.sub ? Form->KCG_Sub : Form->KCG_Pub;
    for (const auto& [col, text] : c.cells)
      g->SetCells(col, c.row, QString::fromUtf8(text));
    Expect_Check(c.message);
  }
  for (const char* odd : {"$", " $a$b$ ", "$$$"})
    EXPECT_TRUE(Error_In_Topic_Template(QString::fromUtf8(odd))) << odd;
  for (const char* even : {"", "$$", "a$b$c", "  "})
    EXPECT_FALSE(Error_In_Topic_Template(QString::fromUtf8(even))) << even;
}

TEST_F(MQTTWindow, TheFileRoundTripsByteForByteWithHiddenAndUntouchedCells)
{
  Use_Fixture("MQTT_Set_Topic.xml", File());
  const QByteArray before = Read_All(File());
  EXPECT_EQ(Show([&] {
              EXPECT_TRUE(Messages().isEmpty()) << Messages().join(u'\n').toStdString();
              EXPECT_EQ(Form->KCG_Pub->Cells(7, 1), QStringLiteral("10.0.0.9"));  // hidden, kept
              EXPECT_TRUE(Form->KCG_Pub->IsHiddenColumn(7));
              EXPECT_EQ(Form->KCG_Pub->Cells(2, 2), QString());  // an untouched box
              EXPECT_EQ(Form->KCG_Sub->Cells(9, 1), QStringLiteral("TCP"));
              Form->Btn_OK->Click();
            }),
            mrOk);
  EXPECT_EQ(Read_All(File()).toStdString(), before.toStdString());
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(MQTTWindow, AnEmptyWindowSavesBothEmptySections)
{
  EXPECT_EQ(Show([&] { Form->Btn_OK->Click(); }), mrOk);
  EXPECT_EQ(Read_All(File()), QByteArray("<MQTT_Set_Topic><MQTT_Publish/><MQTT_Subscribe/></MQTT_Set_Topic>\r\n"
                                         "<!--SW_VERSION = 1.000-->\r\n"));
}

TEST_F(MQTTWindow, PublishRowsWithoutDataTypeLoadAndStopTheSave)
{
  Write_All(File(), "<MQTT_Set_Topic><MQTT_Publish>" + Rows_Of(2, "Retained=\"N\" QoS=\"0\" Position=\"0\" Mnemonic=\"\"") +
                        "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
  const QByteArray before = Read_All(File());
  Show([&] {
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_EQ(Form->KCG_Pub->Cells(1, 2), QStringLiteral("t2"));
    EXPECT_EQ(Form->KCG_Pub->Cells(4, 2), QString());
    EXPECT_EQ(Form->KCG_Pub->Cells(10, 2), QStringLiteral("N"));  // OnChange's default
    Form->Btn_OK->Click();
    EXPECT_EQ(Messages().value(0), QStringLiteral("Error row 1!! [MQTT Publish] Data Type must be selected"));
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
  EXPECT_EQ(Read_All(File()), before);
}

TEST_F(MQTTWindow, ARowWithoutQoSEndsTheLoadAndOkAsksBeforeReplacingTheFile)
{
  const char* full = "Retained=\"N\" QoS=\"0\" DataType=\"Int\" Dimension=\"1\" Position=\"0\" Mnemonic=\"\"";
  Write_All(File(), "<MQTT_Set_Topic><MQTT_Publish>" + Rows_Of(2, full) +
                        "<row Topic=\"t3\" Retained=\"N\" Mnemonic=\"\"/>" + Rows_Of(2, full) +
                        "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
  const QByteArray before = Read_All(File());
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_TRUE(Messages().at(0).contains(QStringLiteral("row 3, attribute \"QoS\""))) << Messages().at(0).toStdString();
    EXPECT_EQ(Form->KCG_Pub->Cells(1, 2), QStringLiteral("t2"));
    EXPECT_EQ(Form->KCG_Pub->Cells(1, 3), QStringLiteral("t3"));  // read up to the missing attribute
    EXPECT_EQ(Form->KCG_Pub->Cells(3, 3), QString());
    Form->KCG_Pub->SetCells(1, 3, QString());  // two rows shown
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1506));
    EXPECT_EQ(Form->ModalResult(), mrNone);
  });
  EXPECT_EQ(Read_All(File()), before);
}

TEST_F(MQTTWindow, RowsPastTheGridAreNamedAndOkAsksBeforeDroppingThem)
{
  Write_All(File(), "<MQTT_Set_Topic><MQTT_Publish>" +
                        Rows_Of(1030, "Retained=\"N\" QoS=\"0\" DataType=\"Int\" Dimension=\"1\" Position=\"0\" Mnemonic=\"\"") +
                        "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
  const QByteArray before = Read_All(File());
  Show([&] {
    ASSERT_EQ(Messages().size(), 1);
    EXPECT_EQ(Messages().at(0), Lang_Str(1507).arg(6).arg(QStringLiteral("MQTT_Publish")));
    EXPECT_EQ(Form->KCG_Pub->Cells(1, 1024), QStringLiteral("t1024"));
    Dialogs->QueueResult(mrNo);
    Form->Btn_OK->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1506));
  });
  EXPECT_EQ(Read_All(File()), before);
  Show([&] {
    Dialogs->QueueResult(mrYes);
    Form->Btn_OK->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
  });
  EXPECT_EQ(Read_All(File()).count("<row "), 1024);
  EXPECT_EQ(Xmllint_Failure(File()), QString());
}

TEST_F(MQTTWindow, RowCommandsActOnTheShownPage)
{
  Show([&] {
    Set_Row(Form->KCG_Pub, 1, Good_Pub());
    Set_Row(Form->KCG_Sub, 1, Good_Sub());
    Form->PageControl1->SetActivePage(Form->TS_MQTT_Subscribe);
    Form->KCG_Sub->FocusCell(1, 1);
    Form->Btn_InsRow->Click();
    EXPECT_EQ(Form->KCG_Sub->Cells(1, 1), QString());
    EXPECT_EQ(Form->KCG_Sub->Cells(1, 2), QStringLiteral("c/d"));
    EXPECT_EQ(Form->KCG_Pub->Cells(1, 1), QStringLiteral("a/b"));
    Dialogs->QueueResult(mrYes);
    Form->Btn_DelRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(3923) + QStringLiteral("1"));
    EXPECT_EQ(Form->KCG_Sub->Cells(1, 1), QStringLiteral("c/d"));
    EXPECT_EQ(Form->KCG_Pub->Cells(1, 1), QStringLiteral("a/b"));

    // A publish row does not paste into the subscribe grid.
    Form->PageControl1->SetActivePage(Form->TS_MQTT_Publish);
    Form->KCG_Pub->FocusCell(1, 1);
    Form->Btn_CopyRow->Click();
    EXPECT_TRUE(Form->Do_Copy[TFMQTT_Set_Topic::Pub]);
    EXPECT_FALSE(Form->Do_Copy[TFMQTT_Set_Topic::Sub]);
    Form->PageControl1->SetActivePage(Form->TS_MQTT_Subscribe);
    Form->KCG_Sub->FocusCell(1, 3);
    Form->Btn_PasteRow->Click();
    EXPECT_EQ(Dialogs->LastText(), Lang_Str(1502));
    EXPECT_EQ(Form->KCG_Sub->Cells(1, 3), QString());
  });
}

TEST_F(MQTTWindow, ADoubleClickOnATemplateCellEditsItInTheDialog)
{
  Show([&] {
    Set_Row(Form->KCG_Pub, 1, Good_Pub());
    TKvStringGrid* g = Form->KCG_Pub;
    const int shownTemplate = 7;  // displayed column of real column 9
    ASSERT_EQ(g->RealColIndex(shownTemplate), TFMQTT_Set_Topic::Pub_Template_Col);
    QStringList captions;
    auto edit = [&](int answer, const QString& text) {
      TModalScope dialog([&](TCustomForm* f) {
        captions << f->Caption();
        EXPECT_EQ(FTopicTemplate->RE_TopicTemplate->PlainText(), g->Cells(9, 1));
        FTopicTemplate->RE_TopicTemplate->SetPlainText(text);
        return answer;
      });
      g->FocusCell(shownTemplate, 1);
      Form->DblClickCell(g, 1, shownTemplate);
    };
    edit(mrOk, QStringLiteral("{\"v\":$VALUE$,\n\"unit\":\"l\"}"));
    EXPECT_EQ(g->Cells(9, 1), QStringLiteral("{\"v\":$VALUE$,\n\"unit\":\"l\"}"));
    edit(mrCancel, QStringLiteral("dropped"));
    EXPECT_EQ(g->Cells(9, 1), QStringLiteral("{\"v\":$VALUE$,\n\"unit\":\"l\"}"));
    EXPECT_EQ(captions, QStringList({Lang_Str(4001), Lang_Str(4001)}));
    EXPECT_EQ(FTopicTemplate->L_SW_Desc->Caption(), Lang_Str(4003));
    EXPECT_EQ(FTopicTemplate->Pub_Sub, 0);
    EXPECT_EQ(FTopicTemplate->KSG_Keywords->RowCount(), 2);
    EXPECT_TRUE(FTopicTemplate->KSG_Keywords->ReadOnly(1, 1));

    // Elsewhere a double click opens nothing; the empty subscribe template comes back empty.
    captions.clear();
    g->FocusCell(1, 1);
    Form->DblClickCell(g, 1, 1);
    EXPECT_TRUE(captions.isEmpty());
    Form->PageControl1->SetActivePage(Form->TS_MQTT_Subscribe);
    Form->KCG_Sub->SetCells(11, 2, QStringLiteral("old"));
    TModalScope dialog([&](TCustomForm*) {
      EXPECT_EQ(FTopicTemplate->Pub_Sub, 1);
      FTopicTemplate->RE_TopicTemplate->SetPlainText(QString());
      return int(mrOk);
    });
    Form->Show_Form_Topic(Form->KCG_Sub, 2, TFMQTT_Set_Topic::Sub_Template_Col);
    EXPECT_EQ(Form->KCG_Sub->Cells(11, 2), QString());
  });
}

// With the auto-size option on, a double click on the header while the Template cell is
// current sizes the column to its contents first, then opens the dialog on that cell.
TEST_F(MQTTWindow, TheHeaderIsSizedBeforeTheTemplateDialogOpens)
{
  WS().Double_Click_Auto_Size = true;
  Show([&] {
    TKvStringGrid* g = Form->KCG_Pub;
    const int shownTemplate = 7;
    g->SetCells(9, 1, QStringLiteral("{\"a long template\":$VALUE$,\"with\":\"enough text to widen its column\"}"));
    g->FocusCell(shownTemplate, 1);
    const int designWidth = g->ColWidths(shownTemplate);
    int widthInDialog = -1;
    TModalScope dialog([&](TCustomForm*) {
      widthInDialog = g->ColWidths(shownTemplate);
      FTopicTemplate->RE_TopicTemplate->SetPlainText(QStringLiteral("$VALUE$"));
      return int(mrOk);
    });
    Form->DblClickCell(g, 0, shownTemplate);
    EXPECT_GT(widthInDialog, designWidth);
    EXPECT_EQ(g->ColWidths(shownTemplate), widthInDialog);
    EXPECT_EQ(g->Cells(9, 1), QStringLiteral("$VALUE$"));
  });
}

TEST_F(MQTTWindow, HeadersHintsAndShownColumns)
{
  Show([&] {
    EXPECT_EQ(Form->KCG_Pub->ColCount(), 12);
    EXPECT_EQ(Form->KCG_Sub->ColCount(), 8);
    EXPECT_EQ(Form->KCG_Sub->Columns()->Items(9)->Header(), QStringLiteral("Type"));
    QString hint;
    Form->GridHint(Form->KCG_Pub, 0, 11, hint);  // displayed 11 is Mnemonic
    EXPECT_EQ(hint, Lang_Str(3922));
    ASSERT_GE(Form->Hints[TFMQTT_Set_Topic::Sub].size(), 10);
    EXPECT_EQ(Form->Hints[TFMQTT_Set_Topic::Sub].at(9), QStringLiteral("Insert the Input Template of MQTT Message"));
    EXPECT_EQ(Form->PageControl1->ActivePage(), Form->TS_MQTT_Publish);
    EXPECT_EQ(Form->Caption(), Lang_Str(3900));
    EXPECT_EQ(Form->TS_MQTT_Subscribe->Caption(), Lang_Str(3934));
  });
}

TEST_F(MQTTWindow, RendersBothPagesToPng)
{
  Use_Fixture("MQTT_Set_Topic.xml", File());
  Show([&] {
    for (auto [sheet, name] : {std::pair{Form->TS_MQTT_Publish, "mqtt_set_topic_publish.png"},
                               std::pair{Form->TS_MQTT_Subscribe, "mqtt_set_topic_subscribe.png"}}) {
      Form->PageControl1->SetActivePage(sheet);
      QApplication::processEvents();
      const QImage img = Form->grab().toImage();
      ASSERT_FALSE(img.isNull());
      EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/") + QString::fromLatin1(name)));
    }
  });
  Template->TopicTemplate = 1;
  Show_Modal(Template.get(), [&] {
    Template->RE_TopicTemplate->SetPlainText(QStringLiteral("{\"v\":$VALUE$}"));
    QApplication::processEvents();
    const QImage img = Template->grab().toImage();
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(img.save(QStringLiteral(KV_TEST_BINARY_DIR "/mqtt_topic_template.png")));
    // Top to bottom: the text, the splitter, the keyword legend, the buttons.
    EXPECT_LT(Template->Panel1->Top(), Template->Splitter1->Top());
    EXPECT_LT(Template->Splitter1->Top(), Template->P_Legend->Top());
    EXPECT_EQ(Template->P_Legend->Top() + Template->P_Legend->Height(), Template->P_Button->Top());
    EXPECT_EQ(Template->P_Button->Top() + Template->P_Button->Height(), Template->ClientHeight());
  });
}
