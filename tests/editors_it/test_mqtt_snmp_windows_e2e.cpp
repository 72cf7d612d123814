// The MQTT and SNMP windows inside the started program: each reached through the main
// window's hidden step button, edited, saved with OK and shown again; the agent's
// variables then reach the MIB module of the hidden MIB step; a language change
// relabels all four windows.

#include "editors_it/mqtt_set_topic_window.h"
#include "editors_it/mqtt_topic_template_window.h"
#include "editors_it/snmp_agent_window.h"
#include "editors_it/snmp_manager_window.h"

#include "grid/column_grid.h"
#include "platform/core/files.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/richedit.h"
#include "common/lang_table.h"
#include "common/lb_button.h"
#include "common/working_state.h"
#include "shell/program_windows.h"
#include "shell/window_set.h"

#include "support/file_bytes.h"
#include "support/grid_user_input.h"
#include "support/program_test.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {

class ITProgram : public TProgramTest {
protected:
  // Runs the hidden step button's action; act runs for every window shown modally and
  // gives its answer (mrNone: the window's own buttons decide).
  QStringList Click_Step(TLbButton* b, const std::function<int(TCustomForm*)>& act)
  {
    QStringList shown;
    TModalScope scope([&](TCustomForm* f) {
      shown << f->ClassName();
      return act(f);
    });
    EXPECT_FALSE(b->Visible());
    FKalvoraFirmWare->Btn_Click(b);
    return shown;
  }

  static void Put_Row(TKvStringGrid* g, int r, const QStringList& cells)
  {
    for (int c = 0; c < cells.size(); ++c)
      g->SetCells(c + 1, r, cells.at(c));
  }

  TDialogResponder Answers;
};

const QStringList Pub_Row = {"plant/level", "N", "1", "Int", "2", "10", "", "", "$VALUE$", "Y", "", "N", "", "", "",
                             "", "Level"};

}  // namespace

TEST_F(ITProgram, MqttTopicsWithATemplateFromTheDialogSurviveOkAndReopening)
{
  const QString lines = QStringLiteral("{\"level\":$VALUE$,\n\"unit\":\"l\"}");
  TFMQTT_Set_Topic* w = FMQTT_Set_Topic;
  const QStringList shown = Click_Step(FKalvoraFirmWare->Btn_MQTT_Set_Topic, [&](TCustomForm* f) -> int {
    if (f == FTopicTemplate) {
      EXPECT_EQ(f->Caption(), QStringLiteral("Set Template"));
      FTopicTemplate->RE_TopicTemplate->SetPlainText(lines);
      return int(mrOk);
    }
    Put_Row(w->KCG_Pub, 1, Pub_Row);
    w->KCG_Pub->FocusCell(7, 1);  // the Template cell
    w->DblClickCell(w->KCG_Pub, 1, 7);
    EXPECT_EQ(w->KCG_Pub->Cells(9, 1), lines);

    // Insert and Delete on the shown page; a publish row does not paste into subscribe.
    w->PageControl1->SetActivePage(w->TS_MQTT_Subscribe);
    Put_Row(w->KCG_Sub, 1, {"plant/set", "", "0", "Float", "4", "0", "", "", "", "", "", "", "", "Set"});
    w->KCG_Sub->FocusCell(1, 1);
    w->Btn_InsRow->Click();
    EXPECT_EQ(w->KCG_Sub->Cells(1, 2), QStringLiteral("plant/set"));
    EXPECT_EQ(w->KCG_Pub->Cells(1, 2), QString());
    Answers.QueueResult(mrYes);
    w->Btn_DelRow->Click();
    EXPECT_EQ(w->KCG_Sub->Cells(1, 1), QStringLiteral("plant/set"));
    w->PageControl1->SetActivePage(w->TS_MQTT_Publish);
    w->KCG_Pub->FocusCell(1, 1);
    w->Btn_CopyRow->Click();
    w->PageControl1->SetActivePage(w->TS_MQTT_Subscribe);
    w->KCG_Sub->FocusCell(1, 2);
    w->Btn_PasteRow->Click();
    EXPECT_EQ(Answers.LastText(), Lang_Str(1502));
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
    return int(mrNone);
  });
  EXPECT_EQ(shown, (QStringList{"TFMQTT_Set_Topic", "TFTopicTemplate"}));
  EXPECT_TRUE(Read_All(WS().Name_File_MQTT_Set_Topic).contains("Template=\"{&quot;level&quot;:$VALUE$,&#10;&quot;unit"));

  Click_Step(FKalvoraFirmWare->Btn_MQTT_Set_Topic, [&](TCustomForm*) {
    EXPECT_EQ(w->KCG_Pub->Cells(1, 1), QStringLiteral("plant/level"));
    EXPECT_EQ(w->KCG_Pub->Cells(9, 1), lines);
    EXPECT_EQ(w->KCG_Sub->Cells(14, 1), QStringLiteral("Set"));
    EXPECT_EQ(w->PageControl1->ActivePage(), w->TS_MQTT_Publish);
    return int(mrNone);
  });
}

TEST_F(ITProgram, SnmpManagerRulesSurviveOkAndReopening)
{
  TFSNMPManagerAccess* w = FSNMPManagerAccess;
  auto rule = [](const char* ip, const char* oid) {
    return QStringList{"Y", ip, "2", "public", oid, "Int", "Get", "N", "N", "N", "", "0", "4", "None", "N", "", "",
                       "", "", "", "", "m"};
  };
  Click_Step(FKalvoraFirmWare->Btn_SNMP_Manager_Access, [&](TCustomForm* f) {
    Put_Row(w->KCG_SNMP, 1, rule("10.0.0.1", "1.3.6.1"));
    Put_Row(w->KCG_SNMP, 2, rule("10.0.0.2", "1.3.6.2"));
    w->KCG_SNMP->FocusCell(2, 2);
    w->Btn_InsRow->Click();
    EXPECT_EQ(w->KCG_SNMP->Cells(2, 3), QStringLiteral("10.0.0.2"));
    Answers.QueueResult(mrYes);
    w->Btn_DelRow->Click();
    EXPECT_EQ(w->KCG_SNMP->Cells(2, 2), QStringLiteral("10.0.0.2"));
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
    return int(mrNone);
  });
  EXPECT_EQ(Read_All(WS().Name_File_SNMP_Manager).count("<row "), 2);
  Click_Step(FKalvoraFirmWare->Btn_SNMP_Manager_Access, [&](TCustomForm*) {
    EXPECT_EQ(w->KCG_SNMP->Cells(5, 2), QStringLiteral("1.3.6.2"));
    EXPECT_EQ(w->KCG_SNMP->Cells(2, 3), QString());
    return int(mrNone);
  });
}

TEST_F(ITProgram, SnmpAgentVariablesReachTheMibModule)
{
  TFSNMP_Trap_Access* w = FSNMP_Trap_Access;
  Click_Step(FKalvoraFirmWare->Btn_SNMP_Trap, [&](TCustomForm* f) {
    Put_Row(w->KCG_SNMP_Read, 1, {"Y", "public", "Int", "N", "N", "N", "", "0", "0", "16", "level", "10.0.0.5",
                                  "None", ""});
    Put_Row(w->KCG_SNMP_Read, 2, {"N", "public", "Int", "N", "N", "N", "", "0", "0", "16", "spare", "10.0.0.5",
                                  "None", ""});
    w->Index_Row_Build(w->KCG_SNMP_Read);
    EXPECT_EQ(w->KCG_SNMP_Read->Cells(0, 2), QString());
    w->KCG_SNMP_Read->SetCells(1, 2, QStringLiteral("Y"));  // ticked
    w->CheckBoxClick(w->KCG_SNMP_Read, 1, 2, true);
    EXPECT_EQ(w->KCG_SNMP_Read->Cells(0, 2), QStringLiteral("2"));
    w->PageControl1->SetActivePage(w->TS_SNMP_Write);
    Put_Row(w->KCG_SNMP_Write, 1, {"Y", "private", "String", "0", "0", "8", "name", "None", ""});
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk);
    return int(mrNone);
  });
  Answers.QueueFile(PathJoin(WS().Dir_Project, QStringLiteral("agent")));
  FKalvoraFirmWare->Btn_Click(FKalvoraFirmWare->Btn_SNMP_MIB);
  const QByteArray mib = Read_All(PathJoin(WS().Dir_Project, QStringLiteral("agent.mib")));
  EXPECT_TRUE(mib.contains("\r\nlevel OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only")) << mib.toStdString();
  EXPECT_TRUE(mib.contains("\r\nspare OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only"));
  EXPECT_TRUE(mib.contains("\r\nname OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-write"));
}

TEST_F(ITProgram, ALanguageChangeRelabelsTheFourWindows)
{
  const QString lang = Dir.filePath(QStringLiteral("Deutsch.lng"));
  Write_All(lang, "STR3900 = MQTT Themen\r\nSTR4000 = Thema\r\nSTR5100 = SNMP Manager Regeln\r\n"
                  "STR5200 = SNMP Agent Variablen\r\nSTR5208 = SNMP Lesen\r\n");
  ASSERT_TRUE(Load_Lang_File(lang));
  FKalvoraFirmWare->Change_Language();
  EXPECT_EQ(FMQTT_Set_Topic->Caption(), QStringLiteral("MQTT Themen"));
  EXPECT_EQ(FTopicTemplate->Caption(), QStringLiteral("Thema"));
  EXPECT_EQ(FSNMPManagerAccess->Caption(), QStringLiteral("SNMP Manager Regeln"));
  EXPECT_EQ(FSNMP_Trap_Access->Caption(), QStringLiteral("SNMP Agent Variablen"));
  EXPECT_EQ(FSNMP_Trap_Access->TS_SNMP_Read->Caption(), QStringLiteral("SNMP Lesen"));
  EXPECT_EQ(FMQTT_Set_Topic->KCG_Sub->Columns()->Items(9)->Header(), QStringLiteral("Type"));
  EXPECT_EQ(SL_Lang.size(), 5600);
}

TEST_F(ITProgram, TypedAndClickedRowsReachTheFiles)
{
  const QString lines = QStringLiteral("first\nsecond");
  int dialogs = 0;
  Click_Step(FKalvoraFirmWare->Btn_MQTT_Set_Topic, [&](TCustomForm* f) -> int {
    TFMQTT_Set_Topic* w = FMQTT_Set_Topic;
    if (f == FTopicTemplate) {
      ++dialogs;
      FTopicTemplate->RE_TopicTemplate->SetPlainText(lines);
      return int(mrOk);
    }
    f->Show();
    QApplication::processEvents();
    TKvStringGrid* g = w->KCG_Pub;
    Type_In_Cell(g, 1, 1, QStringLiteral("typed/topic"));
    Click_Cell(g, 2, 1);  // Retained
    g->SetCells(3, 1, QStringLiteral("1"));    // the lists are picked, not typed
    g->SetCells(4, 1, QStringLiteral("Int"));
    Type_In_Cell(g, 5, 1, QStringLiteral("2"));
    Type_In_Cell(g, 6, 1, QStringLiteral("0"));
    g->SetCells(17, 1, QStringLiteral("Typed"));  // Mnemonic: see the test below
    g->FocusCell(7, 1);                           // Template
    w->DblClickCell(g, 1, 7);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(g->Cells(9, 1), lines);
    w->Btn_OK->Click();
    return int(mrNone);
  });
  const QByteArray mqtt = Read_All(WS().Name_File_MQTT_Set_Topic);
  EXPECT_TRUE(mqtt.contains("<row Topic=\"typed/topic\" Retained=\"Y\" QoS=\"1\" DataType=\"Int\" Dimension=\"2\""))
      << mqtt.toStdString();
  EXPECT_TRUE(mqtt.contains("Template=\"first&#10;second\""));
  EXPECT_TRUE(mqtt.contains("Mnemonic=\"Typed\""));

  Click_Step(FKalvoraFirmWare->Btn_SNMP_Trap, [&](TCustomForm* f) {
    TFSNMP_Trap_Access* w = FSNMP_Trap_Access;
    f->Show();
    QApplication::processEvents();
    TKvStringGrid* r = w->KCG_SNMP_Read;
    EXPECT_EQ(r->Cells(0, 2), QStringLiteral("2"));
    Click_Cell(r, 1, 1);  // Enable off: the rows below move up a number at once
    EXPECT_EQ(r->Cells(1, 1), QStringLiteral("N"));
    EXPECT_EQ(r->Cells(0, 1), QString());
    EXPECT_EQ(r->Cells(0, 2), QStringLiteral("1"));
    Click_Cell(r, 1, 1);
    EXPECT_EQ(r->Cells(0, 1), QStringLiteral("1"));
    w->PageControl1->SetActivePage(w->TS_SNMP_Write);
    QApplication::processEvents();
    TKvStringGrid* wr = w->KCG_SNMP_Write;
    Type_In_Cell(wr, 2, 1, QStringLiteral("private"));
    wr->SetCells(3, 1, QStringLiteral("Int"));
    wr->SetCells(4, 1, QStringLiteral("0"));
    wr->SetCells(5, 1, QStringLiteral("0"));
    Type_In_Cell(wr, 6, 1, QStringLiteral("8"));
    Type_In_Cell(wr, 7, 1, QStringLiteral("typed"));
    wr->SetCells(8, 1, QStringLiteral("None"));
    w->Btn_OK->Click();
    EXPECT_EQ(f->ModalResult(), mrOk) << Answers.LastText().toStdString();
    return int(mrNone);
  });
  EXPECT_TRUE(Read_All(WS().Name_File_SNMP_Trap)
                  .contains("<SNMP_Trap_Write><row Enable=\"Y\" Community_Name=\"private\" Type=\"Int\" Position=\"0\""
                            " Bit=\"0\" NumBits=\"8\" Description=\"typed\""));
}

TEST_F(ITProgram, TypingAndDoubleClickingBehindHiddenColumns)
{
  int dialogs = 0;
  Click_Step(FKalvoraFirmWare->Btn_MQTT_Set_Topic, [&](TCustomForm* f) -> int {
    TFMQTT_Set_Topic* w = FMQTT_Set_Topic;
    if (f == FTopicTemplate) {
      ++dialogs;
      return int(mrOk);
    }
    f->Show();
    QApplication::processEvents();
    TKvStringGrid* g = w->KCG_Pub;
    Type_In_Cell(g, 11, 1, QStringLiteral("Typed"));  // displayed 11 is Mnemonic
    EXPECT_EQ(g->Cells(17, 1), QStringLiteral("Typed"));
    EXPECT_EQ(g->Cells(11, 1), QString());             // OnCMD, hidden
    Click_Cell(g, 7, 1, true);                         // Template
    EXPECT_EQ(dialogs, 1);
    return int(mrCancel);
  });
}
