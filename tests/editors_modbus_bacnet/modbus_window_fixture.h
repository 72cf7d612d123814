#pragma once
// A project folder, the text table and the dialog seam for the Modbus rules windows.

#include "editors_modbus_bacnet/modbus_texts.h"
#include "grid/column_grid.h"

#include "support/file_bytes.h"
#include "support/rule_window_test.h"
#include "support/xmllint.h"

template <typename Window>
class TModbusWindowTest : public TRuleWindowTest<Window> {
protected:
  TModbusWindowTest() : TRuleWindowTest<Window>({&Modbus_Lang_Blocks}, "editors_modbus_bacnet") {}
};
