#pragma once
// The DeviceNet network editor: the slaves the converter's DeviceNet master serves, up to
// 64, each with its node ID, its numbers of input and output bytes and a description,
// kept in DNETM_Net.xml. The offset map editor offers one pair of byte tables per slave
// of that file, in its order.
//
// No Enable column: every row up to the first empty ID (an ID of blanks is a row, and
// fails its check) is checked and saved; every attribute of a row is required.

#include "common/rule_editor_frame.h"

class TKvColumnGrid;

class TFDNet : public TRuleEditorFrame {
public:
  explicit TFDNet(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFDNet"); }

  TKvColumnGrid* KSG = nullptr;

  QStringList& Hint_DeviceNet() { return Hints[0]; }

  bool controllo_dati() { return Controllo_dati(); }
  void bitbtn1Click(TObject* Sender) { Btn_OKClick(Sender); }
  void Btn_DelRow_Click(TObject* Sender) { Btn_DelRowClick(Sender); }

protected:
  QString Project_File() const override;
};

extern TFDNet* FDNet;
