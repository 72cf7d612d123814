// Positions and lengths of the EtherCAT slave's process variables.

#include "editors_industrial/ethercat_positions.h"

#include "common/rule_table.h"

namespace {

// The fixed size in bytes of a type; 0 for the types that take their Length.
int Fixed_Size(const QString& Type)
{
  if (Type == QLatin1String("Int8") || Type == QLatin1String("UInt8"))
    return 1;
  if (Type == QLatin1String("Int16") || Type == QLatin1String("UInt16"))
    return 2;
  if (Type == QLatin1String("Int32") || Type == QLatin1String("UInt32") || Type == QLatin1String("Float32"))
    return 4;
  return 0;
}

}  // namespace

bool EtherCAT_Type_Sizes_Itself(const QString& Type)
{
  return Type == QLatin1String("String") || Type == QLatin1String("ByteString");
}

std::optional<TEtherCAT_Length> EtherCAT_Length_Rule(const QString& Type)
{
  if (Type == QLatin1String("Bool"))
    return TEtherCAT_Length{QStringLiteral("1"), false};
  if (const int size = Fixed_Size(Type))
    return TEtherCAT_Length{QString::number(size), false};
  if (EtherCAT_Type_Sizes_Itself(Type))
    return TEtherCAT_Length{QStringLiteral("10"), true};
  return std::nullopt;
}

std::vector<TEtherCAT_Place> EtherCAT_Places(const std::vector<TEtherCAT_Var_Row>& Rows)
{
  std::vector<TEtherCAT_Place> out;
  // 64 bits: lengths of many rows near the 32-bit limit add up without wrapping.
  qint64 byte = 0;
  int bit = 0;
  bool group = false;
  for (const TEtherCAT_Var_Row& r : Rows) {
    if (r.Type.trimmed().isEmpty())
      break;
    if (!r.Enable) {
      out.push_back({0, 0});
      continue;
    }
    if (r.Type == QLatin1String("Bool")) {
      if (!group) {
        group = true;
        out.push_back({byte, 0});
        bit = 1;
      } else {
        out.push_back({byte, bit});
        if (++bit == 8) {
          bit = 0;
          ++byte;
        }
      }
      continue;
    }
    if (group) {
      group = false;
      if (bit > 0)
        ++byte;
      bit = 0;
    }
    out.push_back({byte, 0});
    const int fixed = Fixed_Size(r.Type);
    byte += fixed ? fixed : Rule_Int(r.Length, 0);
  }
  return out;
}
