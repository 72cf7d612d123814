// The MQTT topic editor behind its step button, with the template dialog it opens on a
// double click: topics of both grids with every kind of column, a template written in
// the dialog (and one edit cancelled), a position the check refuses, the row commands,
// OK, the file and a second opening.

#include "editor_user.h"
#include "e2e_places.h"

#include "editors_it/mqtt_set_topic_window.h"
#include "editors_it/mqtt_topic_template_window.h"
#include "grid/column_grid.h"
#include "platform/ui/richedit.h"
#include "common/lb_button.h"
#include "shell/main_window.h"

#include <QRegularExpression>

using MqttTopics = TIndustrialEditorSession;

namespace {
// Displayed columns (the hidden ones left out) and the real ones they show.
enum : int { Topic = 1, Retained, QoS, Data_Type, Dimension, Position, Template, On_Change, On_Timer, Time, Mnemonic };
enum : int { Real_Template = 9, Real_On_Change = 10, Real_On_Timer = 12, Real_Time = 13, Real_Mnemonic = 17 };
enum : int { S_Topic = 1, S_QoS, S_Data_Type, S_Dimension, S_Position, S_Template, S_Mnemonic };
}  // namespace

// Disabled: the template dialog, a modal window opened by the double click, does not become
// the active window on this bare X server, so the typed template goes astray (open fault).
TEST_F(MqttTopics, DISABLED_TypedTopicsAndTemplateAreCheckedSavedAndShownAgain)
{
  Run([&](TE2eUser& u) {
    TFMQTT_Set_Topic* w = FMQTT_Set_Topic;
    TFTopicTemplate* t = FTopicTemplate;
    TKvStringGrid* pub = w->KCG_Pub;
    Open_Window(u, FKalvoraFirmWare->Btn_MQTT_Set_Topic, w);
    Type_Cell(u, pub, Topic, 1, QStringLiteral("plant/boiler/temp"));
    Click_Check(u, pub, Retained, 1);
    Pick_Cell(u, pub, QoS, 1, QStringLiteral("1"));
    Pick_Cell(u, pub, Data_Type, 1, QStringLiteral("Float"));
    Type_Cell(u, pub, Dimension, 1, QStringLiteral("4"));
    Type_Cell(u, pub, Position, 1, QStringLiteral("1500"));
    Click_Check(u, pub, On_Change, 1);
    Click_Check(u, pub, On_Timer, 1);
    Type_Cell(u, pub, Time, 1, QStringLiteral("1000"));
    Type_Cell(u, pub, Mnemonic, 1, QStringLiteral("boiler"));

    // A double click on the template cell opens the dialog; its two lines come back.
    u.Double_Click_Cell(pub, Template, 1);
    u.Wait_Shown(t);
    EXPECT_EQ(u.Ui([t] { return t->Caption(); }), QStringLiteral("Set Template"));
    u.Type(QStringLiteral("T=$VALUE$"));
    u.Keys(QStringLiteral("Return"));
    u.Type(QStringLiteral("unit=C"));
    u.Wait(QStringLiteral("the typed template"), [t] { return t->RE_TopicTemplate->PlainText().endsWith(QLatin1String("unit=C")); });
    u.Snapshot(t, QStringLiteral("template"));
    Close_With(u, t->Btn_OK, t, w);
    const QString typed = Cell(u, pub, Real_Template, 1);
    EXPECT_EQ(typed.split(QRegularExpression(QStringLiteral("\r?\n"))), (QStringList{"T=$VALUE$", "unit=C"}));
    u.Double_Click_Cell(pub, Template, 1);
    u.Wait_Shown(t);
    u.Type(QStringLiteral(" $"));
    Close_With(u, t->Btn_Cancel, t, w);
    EXPECT_EQ(Cell(u, pub, Real_Template, 1), typed);

    EXPECT_EQ(Answer_After(u, w->Btn_OK, QStringLiteral("OK")),
              QStringLiteral("Error row 1!! [MQTT Publish] Position must be beetween 0 and 1499"));
    Type_Cell(u, pub, Position, 1, QStringLiteral("10"));

    // A second topic from the first; an inserted row deleted again.
    Select_Row(u, pub, 1);
    u.Click(w->Btn_CopyRow);
    Select_Row(u, pub, 2);
    u.Click(w->Btn_PasteRow);
    u.Wait(QStringLiteral("the pasted row"), [pub] { return pub->Cells(Real_Mnemonic, 2) == QLatin1String("boiler"); });
    Type_Cell(u, pub, Topic, 2, QStringLiteral("plant/boiler/state"));
    u.Click(w->Btn_InsRow);
    u.Wait(QStringLiteral("the inserted row"), [pub] { return pub->Cells(Topic, 3) == QLatin1String("plant/boiler/state"); });
    EXPECT_EQ(Answer_After(u, w->Btn_DelRow, QStringLiteral("Yes")), QStringLiteral("Are you sure to delete the Row number 2"));
    u.Wait(QStringLiteral("the deleted row"), [pub] { return pub->Cells(Topic, 2) == QLatin1String("plant/boiler/state"); });

    Click_Tab(u, w->PageControl1, TFMQTT_Set_Topic::Sub);
    TKvStringGrid* sub = w->KCG_Sub;
    Type_Cell(u, sub, S_Topic, 1, QStringLiteral("plant/boiler/set"));
    Pick_Cell(u, sub, S_QoS, 1, QStringLiteral("2"));
    Pick_Cell(u, sub, S_Data_Type, 1, QStringLiteral("Int"));
    Type_Cell(u, sub, S_Dimension, 1, QStringLiteral("2"));
    Type_Cell(u, sub, S_Position, 1, QStringLiteral("0"));
    Pick_Cell(u, sub, S_Template, 1, QStringLiteral("$VALUE$"));
    Type_Cell(u, sub, S_Mnemonic, 1, QStringLiteral("setpoint"));
    u.Snapshot(w, QStringLiteral("typed"));
    Close_With(u, w->Btn_OK, w);

    Open_Window(u, FKalvoraFirmWare->Btn_MQTT_Set_Topic, w);
    EXPECT_EQ(Cell(u, pub, Real_Template, 1), typed);
    EXPECT_EQ(Cell(u, pub, Topic, 2), QStringLiteral("plant/boiler/state"));
    EXPECT_EQ(Cell(u, sub, 11, 1), QStringLiteral("$VALUE$"));
    u.Snapshot(w, QStringLiteral("reopened"));
    Close_With(u, w->Btn_Cancel, w);
  });

  const auto pub = Saved_Rows(WS().Name_File_MQTT_Set_Topic, {"MQTT_Publish"});
  ASSERT_EQ(pub.size(), 2u);
  TSaved_Row first = pub[0];
  EXPECT_EQ(first.value("Template").split(QRegularExpression(QStringLiteral("\r?\n"))),
            (QStringList{"T=$VALUE$", "unit=C"}));
  first.erase(QStringLiteral("Template"));
  EXPECT_EQ(first, (TSaved_Row{{"Topic", "plant/boiler/temp"}, {"Retained", "Y"}, {"QoS", "1"}, {"DataType", "Float"},
                               {"Dimension", "4"}, {"Position", "10"}, {"IPAddress", ""}, {"InputTemplate", ""},
                               {"OnChange", "Y"}, {"OnTimer", "Y"}, {"Time", "1000"}, {"Mnemonic", "boiler"}}));
  EXPECT_EQ(pub[1].value("Topic"), "plant/boiler/state");
  const auto sub = Saved_Rows(WS().Name_File_MQTT_Set_Topic, {"MQTT_Subscribe"});
  ASSERT_EQ(sub.size(), 1u);
  EXPECT_EQ(sub[0], (TSaved_Row{{"Topic", "plant/boiler/set"}, {"Retained", ""}, {"QoS", "2"}, {"DataType", "Int"},
                                {"Dimension", "2"}, {"Position", "0"}, {"IPAddress", ""}, {"Port", ""}, {"EthType", ""},
                                {"InputTemplate", ""}, {"Template", "$VALUE$"}, {"Mnemonic", "setpoint"}}));
}
