#pragma once
// The SNMP manager rule editor: up to 512 requests the device, as an SNMP manager, makes
// to agents (address, version and credentials, OID, request kind and triggers, place of
// the value in the device data), kept in SNMP_Manager.xml. A rule editor frame with one
// grid; besides the row checks it refuses two enabled rules with one address, version and
// OID, and more text than the device keeps for names, OIDs and passwords.

#include "common/rule_editor_frame.h"

#include <QtGlobal>

class TKvColumnGrid;

class TFSNMPManagerAccess : public TRuleEditorFrame {
public:
  explicit TFSNMPManagerAccess(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFSNMPManagerAccess"); }

  TKvColumnGrid* KCG_SNMP = nullptr;

  // The characters the device keeps for community names or users, OIDs and passwords.
  static constexpr qint64 Max_Text_Chars = 47104;
  // The characters the enabled rules up to the table's end take (each text + 1, from 1).
  qint64 Text_Chars() const;

protected:
  QString Project_File() const override;
  void Before_Load() override;
};

extern TFSNMPManagerAccess* FSNMPManagerAccess;
