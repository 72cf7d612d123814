// The Modbus master rule check.

#include "editors_modbus_bacnet/modbus_rule_check.h"

#include "grid/kv_string_grid.h"

namespace {

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

QStringList Modbus_Read_Types()
{
  return {QStringLiteral("Coil Status"), QStringLiteral("Input Status"), QStringLiteral("Holding Register"),
          QStringLiteral("Input Register")};
}

QStringList Modbus_Write_Types()
{
  return {QStringLiteral("Coil Status"), QStringLiteral("Holding Register")};
}

QStringList Modbus_Bit_Items()
{
  return Modbus_Position_Items(8);
}

QStringList Modbus_Position_Items(int Count)
{
  QStringList items;
  items.reserve(Count);
  for (int i = 0; i < Count; ++i)
    items << QString::number(i);
  return items;
}

bool Check_IP_Address(const QString& IP_Address)
{
  if (IP_Address.isEmpty())
    return true;
  QString rest = IP_Address;
  for (int part = 1; part <= 4; ++part) {
    QString text;
    if (part < 4) {
      const int dot = rest.indexOf(u'.');
      text = dot < 0 ? QString() : rest.left(dot);
      rest = dot < 0 ? QString() : rest.mid(dot + 1);
    } else {
      text = rest;
    }
    if (!In(Rule_Int(text), 0, 255))
      return true;
  }
  return false;
}

bool Modbus_Bit_Type(const QString& Type, bool Write)
{
  const QString t = Type.trimmed().toUpper();
  if (t == QLatin1String("COIL STATUS"))
    return true;
  return !Write && t == QLatin1String("INPUT STATUS");
}

qint64 Modbus_Last_Byte(bool BitType, int Position, int NPoint, int StartBit)
{
  if (BitType)
    return qint64(Position) + (qint64(NPoint) + StartBit - 1) / 8;
  return qint64(Position) + 2 * qint64(NPoint) - 1;
}

TRuleFailure Check_Modbus_Row(const TModbus_Rule_Check& C, TKvStringGrid* G, int Row)
{
  auto cell = [&](int col) { return G->Cells(col, Row); };
  auto num = [&](int col) { return Rule_Int(cell(col)); };
  const TModbus_Fields& c = C.Cols;
  const TModbus_Fields& t = C.Texts;
  if (c.IP_Address >= 0 && Check_IP_Address(cell(c.IP_Address)))
    return {t.IP_Address, {}};
  if (c.Port >= 0 && !In(num(c.Port), 0, 65535))
    return {t.Port, {}};
  if (!In(num(c.Slave_ID), 1, 247))
    return {t.Slave_ID, {}};
  // The raw cell: a Type of blanks passes and counts as a register type.
  if (cell(c.Type).isEmpty())
    return {t.Type, {}};
  if (!In(num(c.Address), 0, 65535))
    return {t.Address, {}};
  const bool bits = Modbus_Bit_Type(cell(c.Type), C.Write);
  const int limit = C.Write ? (bits ? 1968 : 123) : (bits ? 2000 : 125);
  const int npoint = num(c.NPoint);
  if (!In(npoint, 1, limit))
    return {t.NPoint, QString::number(limit)};
  if (!In(num(c.Poll_Time), C.Write ? 0 : 1, 100000000))
    return {t.Poll_Time, {}};
  if (!In(num(c.Max_Error), 0, 100000000))
    return {t.Max_Error, {}};
  const int position = num(c.Position);
  if (!In(position, 0, C.NByte - 1))
    return {t.Position, QString::number(C.NByte - 1)};
  if (bits && cell(c.Bit).isEmpty())
    return {t.Bit, {}};
  const int startBit = bits ? Rule_Int(cell(c.Bit), 0) : 0;
  if (Modbus_Last_Byte(bits, position, npoint, startBit) >= C.NByte)
    return {C.Extent_Text, {}};
  return {};
}
