// Checks of the BACnet client rules.

#include "editors_modbus_bacnet/bacnet_client_checks.h"

#include "grid/kv_string_grid.h"
#include "platform/core/sysutils.h"
#include "platform/ui/dialogs.h"
#include "common/common_routines.h"
#include "common/lang_table.h"

#include <cstdint>

namespace {

enum : int {
  Accumulator = 1, MS_Input, MS_Output, Analog_Input, Analog_Output, Binary_Input, Binary_Output,
  Integer_Value, Large_Analog_Value, Positive_Integer_Value, MS_Value, Analog_Value, Binary_Value,
  Life_Safety_Point, Life_Safety_Zone,
};

struct TObject_Type_Name {
  const char* Text;
  int Code;
  bool Write;
};

constexpr TObject_Type_Name Object_Types[] = {
    {"ACCUMULATOR", Accumulator, false},
    {"MULTI-STATE INPUT", MS_Input, false},
    {"MULTI-STATE OUTPUT", MS_Output, true},
    {"ANALOG INPUT", Analog_Input, false},
    {"ANALOG OUTPUT", Analog_Output, true},
    {"BINARY INPUT", Binary_Input, false},
    {"BINARY OUTPUT", Binary_Output, true},
    {"INTEGER VALUE", Integer_Value, true},
    {"LARGE ANALOG VALUE", Large_Analog_Value, true},
    {"POSITIVE INTEGER VALUE", Positive_Integer_Value, true},
    {"MULTI-STATE VALUE", MS_Value, true},
    {"ANALOG VALUE", Analog_Value, true},
    {"BINARY VALUE", Binary_Value, true},
    {"LIFE SAFETY POINT", Life_Safety_Point, true},
    {"LIFE SAFETY ZONE", Life_Safety_Zone, true},
};

bool Is_Multi_State(int code) { return code == MS_Input || code == MS_Output || code == MS_Value; }
bool Is_Binary(int code) { return code == Binary_Input || code == Binary_Output || code == Binary_Value; }
bool Is_Proprietary_Type(int code) { return code >= 128 && code <= 1023; }

QString Key(const QString& text) { return text.trimmed().toUpper(); }

bool In_Range(const QString& text, qint64 lo, qint64 hi)
{
  const qint64 v = StrToInt64Def(text, -1);
  return v >= lo && v <= hi;
}

bool Outside_Int(const QString& text, int lo, int hi)
{
  const int v = Rule_Int(text);
  return v < lo || v > hi;
}

struct TRoute_Texts {
  int Net, Len, Add1, Add2, Add6, MLen;
};
constexpr TRoute_Texts Read_Route{2270, 2271, 2272, 2273, 2274, 2286};
constexpr TRoute_Texts Write_Route{2275, 2276, 2277, 2278, 2279, 2287};

// The routing fields of a rule with En Dest set.
TRuleFailure Check_Route(TKvStringGrid* G, int Row, int NetCol, bool IsRead)
{
  const TRoute_Texts& t = IsRead ? Read_Route : Write_Route;
  if (Outside_Int(G->Cells(NetCol, Row), 1, 65535))
    return Rule_Failure(t.Net);
  const QString len = G->Cells(NetCol + 1, Row);
  const QString add = G->Cells(NetCol + 2, Row);
  switch (Rule_Int(len)) {
  case 1:
    return Outside_Int(add, 0, 255) ? Rule_Failure(t.Add1) : TRuleFailure{};
  case 2:
    return Outside_Int(add, 1, 65535) ? Rule_Failure(t.Add2) : TRuleFailure{};
  case 6: {
    uint8_t b1, b2, b3, b4;
    uint16_t port;
    return Get_IP_Port_Bytes(add.trimmed(), b1, b2, b3, b4, port) ? TRuleFailure{} : Rule_Failure(t.Add6);
  }
  case -1:
    break;
  default:
    return Rule_Failure(t.Len);
  }
  const QString m = Key(len);
  const int n = m.size() == 2 && m.at(0) == u'M' ? Rule_Int(m.mid(1)) : -1;
  if (n < 1 || n > 8)
    return Rule_Failure(t.MLen);
  if (Check_Dest_Add(add, n, IsRead, Row)) {
    TRuleFailure shown;
    shown.Silent = true;
    return shown;
  }
  return {};
}

bool Device_Fails(const QString& key, int BACnetType)
{
  if (BACnetType == 0) {
    uint8_t b1, b2, b3, b4;
    return Get_IP_Bytes(key, b1, b2, b3, b4);
  }
  if (BACnetType == 1)
    return Outside_Int(key, 0, 254);
  return false;
}

}  // namespace

int Check_Object_Type(const QString& Text, bool ForWrite)
{
  const QString k = Key(Text);
  for (const TObject_Type_Name& t : Object_Types)
    if (k == QLatin1String(t.Text))
      return !ForWrite || t.Write ? t.Code : -1;
  const int n = Rule_Int(k);
  return Is_Proprietary_Type(n) ? n : -1;
}

int Check_Property(const QString& Text, bool ForWrite, int ObjectTypeCode)
{
  const QString k = Key(Text);
  const int t = ObjectTypeCode;
  if (k == QLatin1String("PRESENT VALUE (85)"))
    return BACnet_Prop_Present_Value;
  const int n = Rule_Int(k);
  if (n >= 512 && n <= 4194303)
    return BACnet_Prop_Proprietary;
  if (ForWrite)
    return BACnet_Prop_Invalid;
  struct TProp {
    const char* Text;
    int Bytes;
    bool Allowed;
  };
  const TProp props[] = {
      {"OBJECT IDENTIFIER (75)", 4, true},
      {"UNITS (117)", 4, !Is_Multi_State(t) && !Is_Binary(t)},
      {"SCALE (187)", 1, t == Accumulator},
      {"PRESCALE (185)", 5, t == Accumulator},
      {"POLARITY (84)", 1, Is_Binary(t)},
      {"EVENT STATE (36)", 4, true},
      {"STATUS FLAGS (111)", 1, true},
      {"OBJECT TYPE (79)", 2, true},
      {"NUMBER OF STATES (74)", 4, Is_Multi_State(t)},
  };
  for (const TProp& p : props)
    if (k == QLatin1String(p.Text))
      return p.Allowed ? p.Bytes : BACnet_Prop_Invalid;
  return BACnet_Prop_Invalid;
}

QString Aspected_Data_Type_Value(int ObjectTypeCode, int PropertyResult)
{
  if (PropertyResult != BACnet_Prop_Present_Value)
    return QString();
  switch (ObjectTypeCode) {
  case MS_Output:
  case MS_Value:
  case Positive_Integer_Value:
    return QStringLiteral("Unsigned Int");
  case Integer_Value:
    return QStringLiteral("Signed Int");
  case Analog_Output:
  case Analog_Value:
    return QStringLiteral("Real");
  case Large_Analog_Value:
    return QStringLiteral("Double");
  case Binary_Output:
  case Binary_Value:
    return QStringLiteral("Enumerated");
  default:
    return QString();
  }
}

int Check_Data_Type(const QString& Text, int ObjectTypeCode, int PropertyResult)
{
  if (PropertyResult != BACnet_Prop_Present_Value || Is_Proprietary_Type(ObjectTypeCode))
    return 0;
  const QString expected = Aspected_Data_Type_Value(ObjectTypeCode, PropertyResult);
  return !expected.isEmpty() && Key(Text) == expected.toUpper() ? 0 : -1;
}

int Check_Num_Byte_Max(const QString& DataType)
{
  const QString k = Key(DataType);
  struct TMax {
    const char* Text;
    int Max;
  };
  constexpr TMax table[] = {
      {"NULL", 0},         {"BOOLEAN", 1},       {"UNSIGNED INT", 4},     {"SIGNED INT", 4},
      {"REAL", 4},         {"DOUBLE", 8},        {"OCTET STRING", 255},   {"CHARACTER STRING", 255},
      {"BIT STRING", 120}, {"ENUMERATED", 4},    {"DATE", 4},             {"TIME", 4},
      {"OBJECT ID", 4},
  };
  for (const TMax& t : table)
    if (k == QLatin1String(t.Text))
      return t.Max;
  return 255;
}

bool Check_Dest_Add(const QString& Text, int N, bool IsRead, int Row)
{
  QString rest = Text.trimmed();
  if (rest.isEmpty())
    return true;
  int count = 0;
  int message = -1;
  while (!rest.isEmpty()) {
    QString item;
    const qsizetype comma = rest.indexOf(u',');
    if (comma >= 0) {
      item = rest.left(comma).trimmed();
      rest = rest.mid(comma + 1).trimmed();
    } else {
      item = rest.trimmed();
      rest.clear();
    }
    if (Outside_Int(item, 0, 255)) {
      message = IsRead ? 2282 : 2283;
      break;
    }
    if (++count > N) {
      message = IsRead ? 2284 : 2285;
      break;
    }
  }
  if (message < 0 && count < N)
    message = IsRead ? 2288 : 2289;
  if (message < 0)
    return false;
  MessageDlg(Lang_Str(IsRead ? 2237 : 2246) + QString::number(Row) + Lang_Str(message), mtError, mbOK);
  return true;
}

QString BACnet_Read_Property_Hint(const QString& ObjectType, const QString& Property)
{
  if (ObjectType.trimmed().isEmpty() || Property.trimmed().isEmpty())
    return QString();
  const int code = Check_Object_Type(ObjectType, false);
  const int result = Check_Property(Property, false, code);
  if (result >= 1 && result <= 49)
    return QString::number(result);
  if (result != BACnet_Prop_Present_Value)
    return QString();
  switch (code) {
  case Accumulator:
  case MS_Input:
  case MS_Output:
  case Analog_Input:
  case Analog_Output:
  case Integer_Value:
  case Positive_Integer_Value:
    return QStringLiteral("4");
  case Binary_Input:
  case Binary_Output:
    return QStringLiteral("1");
  case Large_Analog_Value:
    return QStringLiteral("8");
  default:
    return QString();
  }
}

TRuleFailure Check_BACnet_Read_Row(TKvStringGrid* G, int Row, int BACnetType)
{
  auto cell = [&](int c) { return G->Cells(c, Row); };
  if (Device_Fails(cell(2).trimmed(), BACnetType))
    return Rule_Failure(BACnetType == 0 ? 2238 : 2239);
  const int type = Check_Object_Type(cell(3), false);
  if (type < 0)
    return Rule_Failure(2240);
  if (!In_Range(cell(4), 0, 4294967295LL))
    return Rule_Failure(2241);
  if (Check_Property(cell(5), false, type) < 0)
    return Rule_Failure(2242);
  if (Outside_Int(cell(6), 0, 255))
    return Rule_Failure(2243);
  if (Key(cell(7)) == QLatin1String("Y"))
    if (const TRuleFailure f = Check_Route(G, Row, 8, true))
      return f;
  if (Outside_Int(cell(11), 0, 100000000))
    return Rule_Failure(2244);
  if (Outside_Int(cell(12), 0, 65535))
    return Rule_Failure(2245);
  return {};
}

TRuleFailure Check_BACnet_Write_Row(TKvStringGrid* G, int Row, int BACnetType)
{
  auto cell = [&](int c) { return G->Cells(c, Row); };
  if (Device_Fails(cell(2).trimmed(), BACnetType))
    return Rule_Failure(BACnetType == 0 ? 2247 : 2248);
  const int type = Check_Object_Type(cell(3), true);
  if (type < 0)
    return Rule_Failure(2249);
  if (!In_Range(cell(5), 0, 4294967295LL))
    return Rule_Failure(2250);
  const int property = Check_Property(cell(6), true, type);
  if (property < 0)
    return Rule_Failure(2251);
  if (Check_Data_Type(cell(4), type, property) < 0) {
    const QString expected = Aspected_Data_Type_Value(type, property);
    return expected.isEmpty() ? Rule_Failure(2252) : Rule_Failure(2258, expected);
  }
  if (Outside_Int(cell(7), 0, 16))
    return Rule_Failure(2253);
  const int max = Check_Num_Byte_Max(cell(4));
  if (Outside_Int(cell(8), 0, max))
    return Rule_Failure(2254, QString::number(max));
  if (Key(cell(9)) == QLatin1String("Y"))
    if (const TRuleFailure f = Check_Route(G, Row, 10, false))
      return f;
  if (cell(14).toUpper() == QLatin1String("Y") && Outside_Int(cell(15), 0, 100000000))
    return Rule_Failure(2255);
  if (Outside_Int(cell(16), 0, 65535))
    return Rule_Failure(2256);
  return {};
}
