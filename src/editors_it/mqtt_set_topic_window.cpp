// The MQTT topic editor.

#include "editors_it/mqtt_set_topic_window.h"

#include "editors_it/mqtt_topic_template_window.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"
#include "platform/ui/richedit.h"
#include "common/common_routines.h"
#include "common/lang_table.h"
#include "common/working_state.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

namespace {

constexpr TColor Color_Topic = 0xFEFAE0;
constexpr TColor Color_Message = 0xFFD5D5;   // Retained, QoS
constexpr TColor Color_Position = 0xF4D6FC;
constexpr TColor Color_Template = 0xA8FFFF;
constexpr TColor Color_Timing = 0xB0D8FF;
constexpr TColor Color_Data = 0xA8FFA8;

// The longest period a publish timer takes, in milliseconds.
constexpr int Max_Time_Ms = 1000000000;

const QStringList& QoS_Items()
{
  static const QStringList items{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
  return items;
}

const QStringList& Data_Type_Items()
{
  static const QStringList items{QStringLiteral("Int"), QStringLiteral("Float"), QStringLiteral("String"),
                                 QStringLiteral("Base64")};
  return items;
}

QStringList Channel_Items()
{
  QStringList items;
  for (int i = 0; i <= 63; ++i)
    items << QString::number(i);
  items << QStringLiteral("All");
  return items;
}

TRuleColumn Hidden(TRuleColumn C)
{
  C.Hidden = true;
  return C;
}

TRuleColumn Not_Stored(int Header, int Width, TColor Color, TEditorType Kind, QStringList Items = {})
{
  TRuleColumn c = Rule_Column(Header, "", Width, Color, Kind, std::move(Items));
  c.Hidden = true;
  return c;
}

// Texts of one grid's checks, in the order the row is checked.
struct TMQTT_Check_Texts {
  int Type, Dim_Int, Dim_Float, Dim_Other, Position, IP, Port, Input_Template, Template, Time;
};

struct TMQTT_Check_Cols {
  int Type = 4, Dimension = 5, Position = 6, IP = 7, Port = -1, Input_Template = 8, Template = 9;
  int On_Timer = -1, Time = -1;
};

TRuleFailure Check_MQTT_Row(const TMQTT_Check_Cols& C, const TMQTT_Check_Texts& T, int Bytes, TKvStringGrid* G,
                            int Row)
{
  auto shown = [G](int col) { return col >= 0 && !G->IsHiddenColumn(col); };
  auto cell = [G, Row](int col) { return G->Cells(col, Row); };
  if (shown(C.Type)) {
    const QString type = cell(C.Type).toUpper().trimmed();
    const int dim = Rule_Int(cell(C.Dimension));
    if (type.isEmpty())
      return {T.Type, {}};
    if (type == QLatin1String("INT")) {
      if (dim != 1 && dim != 2 && dim != 4 && dim != 8)
        return {T.Dim_Int, {}};
    } else if (type == QLatin1String("FLOAT")) {
      if (dim != 4 && dim != 8)
        return {T.Dim_Float, {}};
    } else if (dim < 1) {
      return {T.Dim_Other, {}};
    }
  }
  if (shown(C.Position)) {
    const int pos = Rule_Int(cell(C.Position));
    if (pos < 0 || pos > Bytes - 1)
      return {T.Position, QString::number(Bytes - 1)};
  }
  if (shown(C.IP)) {
    QString a, b, c, d;
    if (!Split_IP_Address(cell(C.IP).trimmed(), a, b, c, d))
      return {T.IP, {}};
  }
  if (shown(C.Port)) {
    const int port = Rule_Int(cell(C.Port));
    if (port < 0 || port > 65535)
      return {T.Port, {}};
  }
  if (shown(C.Input_Template) && Error_In_Topic_Template(cell(C.Input_Template)))
    return {T.Input_Template, {}};
  if (shown(C.Template) && Error_In_Topic_Template(cell(C.Template)))
    return {T.Template, {}};
  // The timer is checked whether its columns show or not.
  if (C.On_Timer >= 0 && cell(C.On_Timer).toUpper().trimmed() == QLatin1String("Y")) {
    const int time = Rule_Int(cell(C.Time));
    if (time < 1 || time > Max_Time_Ms)
      return {T.Time, {}};
  }
  return {};
}

TRuleFile Make_File(TFMQTT_Set_Topic* self)
{
  TRuleFile f;
  f.Root = QStringLiteral("MQTT_Set_Topic");
  // The header's auto-size runs first, then the template dialog of a Template cell.
  f.Auto_Size_Before_Dbl_Click = true;
  f.Version = QStringLiteral("1.000");

  TRuleGrid pub;
  pub.Section = {QStringLiteral("MQTT_Publish")};
  pub.Rows = 1024;
  pub.Key_Col = 1;
  pub.Enable_Col = -1;
  pub.Error_Prefix = 3951;
  pub.Columns = {
      Rule_Row_Number(3914),
      Rule_Column(3915, "Topic", 300, Color_Topic),
      Rule_Column(3916, "Retained", 60, Color_Message, edDataCheckBox),
      Rule_Column(3917, "QoS", 80, Color_Message, edComboList, QoS_Items()),
      Rule_Defaulted(Rule_Column(3937, "DataType", 80, Color_Data, edComboList, Data_Type_Items()), ""),
      Rule_Defaulted(Rule_Column(3938, "Dimension", 80, Color_Data), ""),
      Rule_Defaulted(Rule_Column(3939, "Position", 80, Color_Position), ""),
      Hidden(Rule_Defaulted(Rule_Column(3962, "IPAddress", 100, Color_Data), "")),
      Hidden(Rule_Defaulted(Rule_Column(3963, "InputTemplate", 120, Color_Data), "")),
      Rule_Defaulted(Rule_Column(3935, "Template", 130, Color_Template, edComboEdit, {QStringLiteral("$VALUE$")}), ""),
      Rule_Defaulted(Rule_Column(3981, "OnChange", 75, Color_Timing, edDataCheckBox), "N"),
      Not_Stored(3983, 55, Color_Timing, edDataCheckBox),
      Rule_Defaulted(Rule_Column(3984, "OnTimer", 64, Color_Timing, edDataCheckBox), "N"),
      Rule_Defaulted(Rule_Column(3985, "Time", 70, Color_Timing), ""),
      Not_Stored(3990, 60, Color_Data, edComboList, Channel_Items()),
      Not_Stored(3993, 40, Color_Data, edDataCheckBox),
      Not_Stored(3994, 80, Color_Data, edDataCheckBox),
      Rule_Column(3918, "Mnemonic", 170, clWhite),
  };
  pub.Check_Row = [self](TKvStringGrid* g, int r) {
    TMQTT_Check_Cols c;
    c.On_Timer = 12;
    c.Time = 13;
    return Check_MQTT_Row(c, {3952, 3953, 3954, 3955, 3956, 3974, -1, 3977, 3978, 3989}, self->Byte_IN, g, r);
  };

  TRuleGrid sub;
  sub.Section = {QStringLiteral("MQTT_Subscribe")};
  sub.Rows = 1024;
  sub.Key_Col = 1;
  sub.Enable_Col = -1;
  sub.Error_Prefix = 3951;
  TRuleColumn type = Hidden(Rule_Defaulted(
      Rule_Column(-1, "EthType", 64, Color_Data, edComboList, {QStringLiteral("TCP"), QStringLiteral("UDP")}), ""));
  sub.Columns = {
      Rule_Row_Number(3924),
      Rule_Column(3925, "Topic", 300, Color_Topic),
      Hidden(Rule_Column(3926, "Retained", 60, Color_Message, edDataCheckBox)),
      Rule_Column(3927, "QoS", 80, Color_Message, edComboList, QoS_Items()),
      Rule_Defaulted(Rule_Column(3943, "DataType", 80, Color_Data, edComboList, Data_Type_Items()), ""),
      Rule_Defaulted(Rule_Column(3944, "Dimension", 80, Color_Data), ""),
      Rule_Defaulted(Rule_Column(3945, "Position", 80, Color_Position), ""),
      Hidden(Rule_Defaulted(Rule_Column(3966, "IPAddress", 100, Color_Data), "")),
      Hidden(Rule_Defaulted(Rule_Column(3967, "Port", 50, Color_Data), "")),
      type,
      Hidden(Rule_Defaulted(Rule_Column(3969, "InputTemplate", 130, Color_Data), "")),
      Rule_Defaulted(Rule_Column(3946, "Template", 130, Color_Template, edComboEdit, {QStringLiteral("$VALUE$")}), ""),
      Not_Stored(3993, 40, Color_Data, edDataCheckBox),
      Not_Stored(3994, 80, Color_Data, edDataCheckBox),
      Rule_Column(3928, "Mnemonic", 220, clWhite),
  };
  sub.Check_Row = [self](TKvStringGrid* g, int r) {
    TMQTT_Check_Cols c;
    c.Port = 8;
    c.Input_Template = 10;
    c.Template = 11;
    return Check_MQTT_Row(c, {3957, 3958, 3959, 3960, 3961, 3975, 3976, 3979, 3980, -1}, self->Byte_OUT, g, r);
  };
  f.Grids = {pub, sub};
  return f;
}

TRuleEditorTexts Make_Texts()
{
  TRuleEditorTexts t;
  t.Base = 3900;
  t.Buttons = {3902, 3903, 3904, 3905, 3906, 3907};
  t.Button_Hints = {3908, 3909, 3910, 3911, 3912, 3913};
  t.Pages = {3933, 3934};
  t.Column_Hints = {{3919, 3920, 3921, 3940, 3941, 3942, 3964, 3965, 3936, 3982, 3986, 3987, 3988, 3991, 3995, 3996,
                     3922},
                    {3929, 3930, 3931, 3947, 3948, 3949, 3970, 3971, 3972, -1, 3950, 3997, 3998, 3932}};
  t.Delete_Question = 3923;
  return t;
}

// The subscribe Type column's header and the subscribe Input Template hint are fixed texts.
const QString Sub_Type_Header = QStringLiteral("Type");
const QString Sub_Input_Template_Hint = QStringLiteral("Insert the Input Template of MQTT Message");
constexpr int Sub_Type_Col = 9;
constexpr int Sub_Input_Template_Col = 10;

// Shows and hides a grid's columns as its description says: every show starts from the
// same visible columns.
void Apply_Column_Visibility(const TRuleGrid& D, TKvStringGrid* G)
{
  for (int c = 1; c < D.Col_Count(); ++c) {
    const bool hide = D.Columns[size_t(c)].Hidden;
    if (hide && !G->IsHiddenColumn(c))
      G->HideColumn(c);
    else if (!hide && G->IsHiddenColumn(c))
      G->UnHideColumn(c);
  }
}

}  // namespace

bool Error_In_Topic_Template(const QString& Text)
{
  return Text.trimmed().count(u'$') % 2 != 0;
}

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner)
    : TRuleEditorFrame(Make_File(this), Make_Texts(), 1100, 337, AOwner)
{
  SetName(QStringLiteral("FMQTT_Set_Topic"));
  TS_MQTT_Publish = Sheets[Pub];
  TS_MQTT_Subscribe = Sheets[Sub];
  TS_MQTT_Publish->SetName(QStringLiteral("TS_MQTT_Publish"));
  TS_MQTT_Subscribe->SetName(QStringLiteral("TS_MQTT_Subscribe"));
  KCG_Pub = static_cast<TKvColumnGrid*>(Grids[Pub]);
  KCG_Sub = static_cast<TKvColumnGrid*>(Grids[Sub]);
  KCG_Pub->SetName(QStringLiteral("KCG_Pub"));
  KCG_Sub->SetName(QStringLiteral("KCG_Sub"));
}

QString TFMQTT_Set_Topic::Project_File() const
{
  return WS().Name_File_MQTT_Set_Topic;
}

void TFMQTT_Set_Topic::Before_Clear()
{
  Working_Mode = 1;
  Byte_IN = 1500;
  Byte_OUT = 1500;
  TS_MQTT_Subscribe->SetTabVisible(true);
  for (size_t g = 0; g < Grids.size(); ++g)
    Apply_Column_Visibility(Desc().Grids[g], Grids[g]);
}

void TFMQTT_Set_Topic::Before_Load()
{
  PageControl1->SetActivePage(TS_MQTT_Publish);
}

void TFMQTT_Set_Topic::Set_Lang_Own()
{
  KCG_Sub->Columns()->Items(Sub_Type_Col)->SetHeader(Sub_Type_Header);
  if (KCG_Sub->Cells(Sub_Type_Col, 0) != Sub_Type_Header)
    KCG_Sub->SetCells(Sub_Type_Col, 0, Sub_Type_Header);
  QStringList& hints = Hints[Sub];
  if (Sub_Input_Template_Col - 1 < hints.size())
    hints[Sub_Input_Template_Col - 1] = Sub_Input_Template_Hint;
}

void TFMQTT_Set_Topic::Grid_Hint(int G, int ARow, int ACol, QString& Hint)
{
  if (ARow != 0)
    return;
  const int real = Grids[size_t(G)]->RealColIndex(ACol);
  const QStringList& list = Hints[size_t(G)];
  if (real > 0 && real - 1 < list.size())
    Hint = list.at(real - 1);
}

void TFMQTT_Set_Topic::Cell_Dbl_Click(int G, int, int)
{
  TKvStringGrid* grid = Grids[size_t(G)];
  const int templateCol = G == Pub ? Pub_Template_Col : Sub_Template_Col;
  if (grid->RealCol() == templateCol)
    Show_Form_Topic(grid, grid->Row(), grid->RealCol());
}

void TFMQTT_Set_Topic::Show_Form_Topic(TKvStringGrid* Grid, int ARow, int ACol)
{
  if (!FTopicTemplate || ARow < 1)
    return;
  const bool sub = Grid == KCG_Sub;
  FTopicTemplate->TopicTemplate = ACol == (sub ? Sub_Template_Col : Pub_Template_Col) ? 1 : 0;
  FTopicTemplate->Working_Mode = Working_Mode;
  FTopicTemplate->Pub_Sub = sub ? 1 : 0;
  FTopicTemplate->RE_TopicTemplate->Clear();
  FTopicTemplate->RE_TopicTemplate->SetPlainText(Grid->Cells(ACol, ARow));
  if (FTopicTemplate->ShowModal() == mrOk)
    Grid->SetCells(ACol, ARow, FTopicTemplate->RE_TopicTemplate->PlainText());
}
