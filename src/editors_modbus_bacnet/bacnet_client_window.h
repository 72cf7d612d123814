#pragma once
// The BACnet client rules editor: read rules that poll properties of objects in other
// BACnet devices into the device's data area, and write rules that write values from it,
// kept in BACnet_Master_Access.xml. A rule editor frame with two pages, without copy and
// paste and without the frame's click, double-click and key handlers; "Import EDE" appends
// rules from an EDE list. The device column follows the BACnet type of the general
// parameters: IP address, MS/TP slave id, or hidden (the Object Type is the key then).

#include "common/rule_editor_frame.h"

class TKvColumnGrid;
class TOpenDialog;

// The window's client width for a screen width.
int BACnet_Client_Width(int ScreenWidth);

class TFBACnetAccess : public TRuleEditorFrame {
public:
  explicit TFBACnetAccess(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFBACnetAccess"); }

  static constexpr int Read = 0, Write = 1;

  TTabSheet* TS_BACnet_Read = nullptr;
  TTabSheet* TS_BACnet_Write = nullptr;
  TKvColumnGrid* KCG1 = nullptr;
  TKvColumnGrid* KCG2 = nullptr;
  TLbButton* Btn_Import_CSV = nullptr;
  TOpenDialog* OD_EDE_File = nullptr;

  // 0 BACnet/IP, 1 BACnet MS/TP, other values: no device column.
  int App_BACnet_Type = 0;

  void FormCreate(TObject* Sender);
  void Btn_Import_CSVClick(TObject* Sender);
  // The hint handler of both grids.
  void KCG1GridHint(TObject* Sender, int ARow, int ACol, QString& Hint);
  // ACol is a displayed column.
  QString Str_Hint_Read(int ARow, int ACol) const;
  QString Str_Hint_Write(int ARow, int ACol) const;

protected:
  QString Project_File() const override;
  void Before_Load() override;
  void Set_Lang_Own() override;
};

extern TFBACnetAccess* FBACnetAccess;
