#include "editors_modbus_bacnet/ede_import.h"

#include "platform/core/files.h"
#include "platform/core/sysutils.h"

#include <algorithm>
#include <array>

namespace {

struct TEDE_Type {
  int Number;
  const char* Name;
  const char* Data_Type;
  int NByte;
};

// The object types the import turns into rules.
constexpr std::array<TEDE_Type, 15> EDE_Types = {{
    {0, "Analog Input", "Real", 4},
    {1, "Analog Output", "Real", 4},
    {2, "Analog Value", "Real", 4},
    {3, "Binary Input", "Enumerated", 1},
    {4, "Binary Output", "Enumerated", 1},
    {5, "Binary Value", "Enumerated", 1},
    {13, "Multi-State Input", "Unsigned Int", 4},
    {14, "Multi-State Output", "Unsigned Int", 4},
    {19, "Multi-State Value", "Unsigned Int", 4},
    {21, "Life Safety Point", "Enumerated", 2},
    {22, "Life Safety Zone", "Enumerated", 2},
    {23, "Accumulator", "Unsigned Int", 4},
    {45, "Integer Value", "Signed Int", 4},
    {46, "Large Analog Value", "Double", 8},
    {48, "Positive Integer Value", "Unsigned Int", 4},
}};

const TEDE_Type* Find_Type(int objectType)
{
  for (const TEDE_Type& t : EDE_Types)
    if (t.Number == objectType)
      return &t;
  return nullptr;
}

bool Is_Header_Line(const QString& line)
{
  const QString t = Trim(line);
  return t.startsWith(QLatin1Char('#')) && Trim(t.mid(1)).startsWith(QLatin1String("mandatory"));
}

QString Before_Semicolon(const QString& s)
{
  const qsizetype i = s.indexOf(QLatin1Char(';'));
  return i < 0 ? QString() : s.left(i);
}

QString After_Semicolon(const QString& s)
{
  const qsizetype i = s.indexOf(QLatin1Char(';'));
  return i < 0 ? QString() : s.mid(i + 1);
}

constexpr int EDE_Columns = 16;

// Columns 1 to 15 end at their ";" (none: empty); column 16 takes the rest of the line
// without one closing ";".
std::array<QString, EDE_Columns> Split_Line(const QString& line)
{
  std::array<QString, EDE_Columns> col;
  QString work = line;
  col[0] = Trim(Before_Semicolon(work));
  for (int c = 1; c < EDE_Columns - 1; ++c) {
    work = Trim(After_Semicolon(work));
    col[static_cast<size_t>(c)] = Trim(Before_Semicolon(work));
  }
  work = Trim(After_Semicolon(work));
  if (work.endsWith(QLatin1Char(';')))
    work = Trim(work.chopped(1));
  col[EDE_Columns - 1] = work;
  return col;
}

bool Yes(const QString& s) { return Trim(s).toUpper() == QLatin1String("Y"); }

}  // namespace

std::vector<TBACnet_Var> Parse_EDE_Lines(const QStringList& lines)
{
  qsizetype start = -1;
  if (lines.size() > 6 && Is_Header_Line(lines.at(6))) {
    start = 8;
  } else {
    for (qsizetype i = 0; i < lines.size(); ++i)
      if (Is_Header_Line(lines.at(i)))
        start = i + 2;
  }
  std::vector<TBACnet_Var> vars;
  if (start < 0)
    return vars;
  for (qsizetype i = start; i < lines.size(); ++i) {
    const QString line = Trim(lines.at(i));
    if (line.isEmpty())
      continue;
    const std::array<QString, EDE_Columns> col = Split_Line(line);
    TBACnet_Var v;
    v.keyname = col[0];
    v.device_obj_instance = StrToIntDef(col[1], -1);
    v.object_name = col[2];
    v.object_type = StrToIntDef(col[3], -1);
    v.object_instance = StrToIntDef(col[4], -1);
    v.description = col[5];
    v.present_value_default = col[6];
    v.min_present_value = col[7];
    v.max_present_value = col[8];
    v.commandable = Yes(col[9]);
    v.support_COV = Yes(col[10]);
    v.hi_limit = col[11];
    v.low_limit = col[12];
    v.stete_text_reference = col[13];
    v.unit_code = col[14];
    v.vendor_specific_address = col[15];
    if (!Is_Known_ObjType_EDE(v.object_type))
      continue;
    v.import = true;
    v.read = true;
    v.write = v.commandable;
    vars.push_back(std::move(v));
  }
  return vars;
}

std::vector<TBACnet_Var> Parse_EDE_Bytes(const QByteArray& bytes) { return Parse_EDE_Lines(SplitLines(DecodeText(bytes))); }

std::vector<TBACnet_Var> Load_EDE_File(const QString& fileName) { return Parse_EDE_Lines(ReadTextLines(fileName)); }

QString Get_ObjType_EDE(int objectType)
{
  const TEDE_Type* t = Find_Type(objectType);
  return t ? QString::fromLatin1(t->Name) : QString();
}

QString Get_DataType_EDE(int objectType)
{
  const TEDE_Type* t = Find_Type(objectType);
  return t ? QString::fromLatin1(t->Data_Type) : QStringLiteral("Null");
}

int Get_NumByte_EDE(int objectType)
{
  const TEDE_Type* t = Find_Type(objectType);
  return t ? t->NByte : 4;
}

bool Is_Known_ObjType_EDE(int objectType) { return Find_Type(objectType) != nullptr; }

namespace {

// Columns of the client's rule grids that the import fills.
struct TEDE_Grid_Columns {
  int Position, NByte;
};
constexpr TEDE_Grid_Columns Read_Columns{13, 6};
constexpr TEDE_Grid_Columns Write_Columns{17, 8};

// Where the next imported rule of a grid goes: its free rows in order and the next position.
struct TEDE_Fill {
  TEDE_Rule_Grid& Grid;
  std::vector<int> Free_Rows;
  size_t Next_Free = 0;
  qint64 Next_Pos = 0;

  TEDE_Fill(TEDE_Rule_Grid& grid, int keyColumn, TEDE_Grid_Columns cols) : Grid(grid)
  {
    for (int r = 1; r < grid.Row_Count; ++r) {
      if (Trim(grid.Cell(keyColumn, r)).isEmpty()) {
        Free_Rows.push_back(r);
        continue;
      }
      // 32-bit cells summed in 64 bits: no sum can wrap below a used position.
      int pos = -1, nbyte = -1;
      if (TryStrToInt(grid.Cell(cols.Position, r), pos) && TryStrToInt(grid.Cell(cols.NByte, r), nbyte) && pos >= 0 &&
          nbyte >= 0)
        Next_Pos = std::max(Next_Pos, qint64(pos) + qint64(nbyte));
    }
  }

  // The next free row, or 0 when there is none.
  int Take() { return Next_Free < Free_Rows.size() ? Free_Rows[Next_Free++] : 0; }
};

}  // namespace

TEDE_Append_Result Append_EDE_Objects(const std::vector<TBACnet_Var>& vars, const QString& device, int bacnetType,
                                      TEDE_Rule_Grid& readGrid, TEDE_Rule_Grid& writeGrid)
{
  const int keyColumn = (bacnetType == 0 || bacnetType == 1) ? 2 : 3;
  TEDE_Fill read(readGrid, keyColumn, Read_Columns);
  TEDE_Fill write(writeGrid, keyColumn, Write_Columns);
  TEDE_Append_Result result;
  const QString present = QStringLiteral("Present Value (85)");
  const QString Y = QStringLiteral("Y"), N = QStringLiteral("N");
  // Fills the next free row of a grid from column 1 on; Position is the grid's next one.
  const auto place = [&](TEDE_Fill& fill, QStringList cells, int positionColumn, int nbyte, int& added) {
    const int r = fill.Take();
    if (r == 0) {
      ++result.Not_Placed;
      return;
    }
    cells[positionColumn - 1] = QString::number(fill.Next_Pos);
    for (int c = 0; c < cells.size(); ++c)
      fill.Grid.Set_Cell(c + 1, r, cells.at(c));
    fill.Next_Pos += nbyte;
    ++added;
  };
  for (const TBACnet_Var& v : vars) {
    if (!v.import)
      continue;
    const QString type = Get_ObjType_EDE(v.object_type);
    const int nbyte = Get_NumByte_EDE(v.object_type);
    const QString instance = QString::number(v.object_instance);
    const QString mnemonic = v.object_name + QStringLiteral(" - ") + v.description;
    if (v.read)
      place(read,
            {Y, device, type, instance, present, QString::number(nbyte), N, QString(), QString(), QString(),
             QStringLiteral("1000"), QStringLiteral("0"), QString(), QStringLiteral("0"), N, QString(), mnemonic},
            Read_Columns.Position, nbyte, result.Read_Added);
    if (v.write)
      place(write,
            {Y, device, type, Get_DataType_EDE(v.object_type), instance, present, QStringLiteral("0"),
             QString::number(nbyte), N, QString(), QString(), QString(), N, N, QStringLiteral("1000"),
             QStringLiteral("0"), QString(), QStringLiteral("0"), N, QString(), mnemonic},
            Write_Columns.Position, nbyte, result.Write_Added);
  }
  return result;
}
