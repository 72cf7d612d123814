#pragma once
// The MQTT topic editor: the topics the device publishes and those it subscribes to,
// each with its QoS, the value it carries (type, size, byte position in the device's
// data) and the template that turns the value into message text, kept in
// MQTT_Set_Topic.xml. A rule editor frame with two pages and no Enable column; a double
// click on a Template cell opens the topic template dialog on the cell's text.

#include "common/rule_editor_frame.h"

class TKvColumnGrid;

class TFMQTT_Set_Topic : public TRuleEditorFrame {
public:
  explicit TFMQTT_Set_Topic(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFMQTT_Set_Topic"); }

  // Do_Copy[Pub] / [Sub] are the two grids' copy flags, Hints[Pub] / [Sub] their header
  // hints by real column.
  static constexpr int Pub = 0, Sub = 1;
  // Real columns of the Template cells.
  static constexpr int Pub_Template_Col = 9, Sub_Template_Col = 11;

  TTabSheet* TS_MQTT_Publish = nullptr;
  TTabSheet* TS_MQTT_Subscribe = nullptr;
  TKvColumnGrid* KCG_Pub = nullptr;
  TKvColumnGrid* KCG_Sub = nullptr;

  int Byte_IN = 1500;
  int Byte_OUT = 1500;
  int Working_Mode = 1;

  // Opens the template dialog on a cell; OK puts the dialog's plain text into the cell.
  void Show_Form_Topic(TKvStringGrid* Grid, int ARow, int ACol);

protected:
  QString Project_File() const override;
  void Before_Clear() override;
  void Before_Load() override;
  void Set_Lang_Own() override;
  void Grid_Hint(int G, int ARow, int ACol, QString& Hint) override;
  void Cell_Dbl_Click(int G, int ARow, int ACol) override;
};

// True when the trimmed text holds an odd number of "$": a keyword not closed.
bool Error_In_Topic_Template(const QString& Text);

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
