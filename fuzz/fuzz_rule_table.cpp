// Fuzz target for the rule editors' project files: the input is loaded into the grids of
// a two-grid description (a column grid with a hidden column, a string grid with check
// boxes, nested sections, required and defaulted attributes) as every rule editor loads
// its file. A load that stops raises the XML layer's error, which is an expected outcome;
// a load that goes through must save, and the saved file must load and save to the same
// bytes.

#include "fuzz_support.h"

#include "grid/column_grid.h"
#include "platform/core/exceptions.h"
#include "platform/core/files.h"
#include "common/rule_table.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

TRuleColumn Col(const char* attribute, bool required, TEditorType kind = edNormal)
{
  TRuleColumn c;
  c.Attribute = QString::fromLatin1(attribute);
  c.Required = required;
  c.Kind = kind;
  c.Default = kind == edDataCheckBox ? QStringLiteral("N") : QString();
  return c;
}

TRuleFile Fuzz_File()
{
  TRuleFile f;
  f.Root = QStringLiteral("Root");
  f.Version = QStringLiteral("1.000");
  TRuleGrid a;
  a.Section = {QStringLiteral("Modbus_Read")};
  a.Rows = 64;
  a.Columns = {TRuleColumn{}, Col("Enable", false, edDataCheckBox), Col("IP_Address", true), Col("Port", true),
               Col("Index_Topic", false), Col("Mnemonic", false)};
  a.Columns[4].Hidden = true;
  TRuleGrid b;
  b.Section = {QStringLiteral("Group"), QStringLiteral("Modbus_Write")};
  b.Rows = 16;
  b.Check_Boxes = true;
  b.Columns = {TRuleColumn{}, Col("Enable", false, edDataCheckBox), Col("Key", true), Col("OnChange", true, edDataCheckBox)};
  f.Grids = {a, b};
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  static int argc = 1;
  static char name[] = "fuzz_rule_table";
  static char* argv[] = {name, nullptr};
  static const bool platform = (qputenv("QT_QPA_PLATFORM", "offscreen"), true);
  static QApplication app(argc, argv);
  (void)platform;
  static const TRuleFile file = Fuzz_File();
  static auto a = std::make_unique<TKvColumnGrid>();
  static auto b = std::make_unique<TKvStringGrid>();
  static const bool setUp = (Setup_Rule_Grid(file.Grids[0], a.get()), Setup_Rule_Grid(file.Grids[1], b.get()), true);
  (void)setUp;
  const std::vector<TKvStringGrid*> grids{a.get(), b.get()};

  const QString in = Fuzz_Path("Rules.xml");
  const QString out = Fuzz_Path("Saved.xml");
  Fuzz_Write(in, Data, Size);
  Clear_Rule_Grid(file.Grids[0], a.get());
  Clear_Rule_Grid(file.Grids[1], b.get());
  TRuleLoadState state;
  try {
    Load_Rule_File(file, grids, in, state);
  } catch (const EXmlError&) {
    FUZZ_REQUIRE(state.Stopped);
    return 0;
  }
  Save_Rule_File(file, grids, out);
  const QByteArray first = ReadBinaryFile(out);
  Clear_Rule_Grid(file.Grids[0], a.get());
  Clear_Rule_Grid(file.Grids[1], b.get());
  Load_Rule_File(file, grids, out, state);
  FUZZ_REQUIRE(!state.Stopped);
  Save_Rule_File(file, grids, out);
  FUZZ_REQUIRE(ReadBinaryFile(out) == first);
  return 0;
}

#include "fuzz_standalone_main.h"
