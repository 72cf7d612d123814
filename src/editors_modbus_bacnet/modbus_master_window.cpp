// The part the Modbus master windows share.

#include "editors_modbus_bacnet/modbus_master_window.h"

#include "editors_modbus_bacnet/modbus_rule_check.h"
#include "grid/column_grid.h"
#include "platform/ui/comctrls.h"

TModbus_Master_Window::TModbus_Master_Window(TRuleFile File, TRuleEditorTexts Texts, int ClientWidth,
                                             int ClientHeight, TModbus_Window_Cols Cols, TComponent* AOwner)
    : TRuleEditorFrame(std::move(File), std::move(Texts), ClientWidth, ClientHeight, AOwner), FCols(Cols)
{
  TS_Modbus_Read = Sheets[Read];
  TS_Modbus_Write = Sheets[Write];
  TS_Modbus_Read->SetName(QStringLiteral("TS_Modbus_Read"));
  TS_Modbus_Write->SetName(QStringLiteral("TS_Modbus_Write"));
  KCG_Modbus_Read = static_cast<TKvColumnGrid*>(Grids[Read]);
  KCG_Modbus_Write = static_cast<TKvColumnGrid*>(Grids[Write]);
  KCG_Modbus_Read->SetName(QStringLiteral("KCG_Modbus_Read"));
  KCG_Modbus_Write->SetName(QStringLiteral("KCG_Modbus_Write"));
}

QString TModbus_Master_Window::Get_Topic_From_Index(int Index) const
{
  return Index >= 0 && Index < List_Publish_Topic.size() ? List_Publish_Topic.at(Index) : QString();
}

void TModbus_Master_Window::Hide_Topic()
{
  if (!KCG_Modbus_Read->IsHiddenColumn(FCols.Topic))
    KCG_Modbus_Read->HideColumn(FCols.Topic);
}

void TModbus_Master_Window::Before_Load()
{
  PageControl1->SetActivePage(TS_Modbus_Read);
  NByte_IN = 1500;
  NByte_OUT = 1500;
  Set_Column_Items(KCG_Modbus_Read, FCols.Read_Position, Modbus_Position_Items(NByte_IN));
  Set_Column_Items(KCG_Modbus_Write, FCols.Write_Position, Modbus_Position_Items(NByte_OUT));
  Set_Column_Items(KCG_Modbus_Read, FCols.Topic, List_Publish_Topic);
}
