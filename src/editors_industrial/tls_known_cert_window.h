#pragma once
// The list of up to ten TLS server certificates the device's IEC 61850 client accepts,
// each with an Enable box and a description, kept in TLS_Known_Cert.xml. A certificate is
// opaque text (a PEM block as pasted, line breaks included); nothing parses or checks it.

#include "common/rule_editor_frame.h"

class TFTLS_Server_Known_Cert : public TRuleEditorFrame {
public:
  enum : int { Col_Enable = 1, Col_Certificate = 2, Col_Mnemonic = 3 };
  static constexpr int Cert_Rows = 10;
  static constexpr int Cert_Row_Height = 60;

  explicit TFTLS_Server_Known_Cert(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFTLS_Server_Known_Cert"); }

  TKvStringGrid* KSG = nullptr;

  // Row numbers, heights, colours and the centred Enable boxes.
  void Init_Table();

protected:
  QString Project_File() const override;
  void Delete_Rule_Row(int G, int Row) override;
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;
