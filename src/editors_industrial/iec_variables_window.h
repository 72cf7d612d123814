#pragma once
// The IEC 61850 server variables editor: up to 50 variables the device offers to IEC
// 61850 clients, each taken from (or written to) its internal data array at a byte
// position, kept in IEC61850_Variables.xml.

#include "common/rule_editor_frame.h"

#include <QChar>

class TKvColumnGrid;

class TFIEC61850_Variables : public TRuleEditorFrame {
public:
  enum : int {
    Col_Enable = 1, Col_Name = 2, Col_Type = 3, Col_Length = 4, Col_ReadOnly = 5, Col_Position = 6,
    Col_StartBit = 7, Col_Conversion = 8, Col_Factor = 9, Col_Swap = 10, Col_SwapWord = 11, Col_Mnemonic = 12
  };
  static constexpr int Var_Rows = 50;

  explicit TFIEC61850_Variables(TComponent* AOwner = nullptr);
  QString ClassName() const override { return QStringLiteral("TFIEC61850_Variables"); }

  TKvColumnGrid* KCG = nullptr;
  // Size in bytes of the device's internal data array; set on every show.
  qint32 NByte_IN = 1438;
  // The decimal separator of the running check, read once per check.
  QChar Separator = u',';

  // The checks of one enabled variable, in their order; the first failure.
  TRuleFailure Check_Row(TKvStringGrid* G, int Row) const;

protected:
  QString Project_File() const override;
  void Before_Load() override;
};

extern TFIEC61850_Variables* FIEC61850_Variables;
