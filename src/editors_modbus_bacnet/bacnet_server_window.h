#pragma once
// The BACnet server object list editor: the objects the converter offers as a BACnet
// server, placed in its input ("BACnet in Read") or output ("BACnet in Write") data area,
// kept in BACnet_Slave.xml, which the EDE writer reads. A rule editor frame with two pages
// of eight columns, no Enable column, the Data Type as key; a double click on an
// Eng. Unit cell opens the unit picker. 1000 or 2000 objects in all, by the general
// parameters' long-name option.

#include "common/rule_editor_frame.h"

class TKvColumnGrid;

class TFBACnetSlaveSetAccess : public TRuleEditorFrame {
public:
  explicit TFBACnetSlaveSetAccess(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFBACnetSlaveSetAccess"); }

  static constexpr int Read = 0, Write = 1;

  TTabSheet* TS_BACnet_in_Read = nullptr;
  TTabSheet* TS_BACnet_in_Write = nullptr;
  TKvColumnGrid* KCG_BACnet_in_Read = nullptr;
  TKvColumnGrid* KCG_BACnet_in_Write = nullptr;

  bool Desc_Lenght = false;
  int NByte_IN = 1500;
  int NByte_OUT = 1500;

  // The object limit of both grids together.
  int Max_Requests() const { return Desc_Lenght ? 1000 : 2000; }

  // A Data Type pick in the Write grid fills the row's Length.
  void KCG_BACnet_in_WriteComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

protected:
  QString Project_File() const override;
  void Before_Clear() override;
  void Before_Load() override;
  void Combo_Change(int G, int ACol, int ARow, int AItemIndex, const QString& ASelection) override;
  void Cell_Dbl_Click(int G, int ARow, int ACol) override;

private:
  bool FParGen_Failed = false;
  QString FParGen_Error;
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
