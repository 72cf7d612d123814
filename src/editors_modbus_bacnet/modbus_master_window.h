#pragma once
// What the Modbus serial and TCP master windows share on top of the rule editor frame:
// the two pages, the data array sizes the rules map into, the publish-topic list of the
// hidden Topic column and the drop-down lists refilled at every show.

#include "common/rule_editor_frame.h"

#include <QStringList>

class TKvColumnGrid;

struct TModbus_Window_Cols {
  int Read_Position;
  int Write_Position;
  int Topic;  // of the read grid
};

class TModbus_Master_Window : public TRuleEditorFrame {
public:
  TTabSheet* TS_Modbus_Read = nullptr;
  TTabSheet* TS_Modbus_Write = nullptr;
  TKvColumnGrid* KCG_Modbus_Read = nullptr;
  TKvColumnGrid* KCG_Modbus_Write = nullptr;

  // Do_Copy[Read] / [Write] and Hints[Read] / [Write] are the grids' copy flags and
  // column hints.
  static constexpr int Read = 0, Write = 1;

  // The publish topics the hidden Topic column offers; nothing fills the list.
  QStringList List_Publish_Topic;
  int NByte_IN = 1500;
  int NByte_OUT = 1500;

  // The entry at Index, empty outside the list.
  QString Get_Topic_From_Index(int Index) const;

protected:
  TModbus_Master_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth, int ClientHeight,
                        TModbus_Window_Cols Cols, TComponent* AOwner);
  // Hides the Topic column (it is hidden at every show).
  void Hide_Topic();
  // The read page first, the array sizes, the position and topic lists.
  void Before_Load() override;

  TModbus_Window_Cols FCols;
};
