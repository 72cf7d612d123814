#pragma once
// Where the EtherCAT slave's process variables lie in the device's internal array of
// their direction, and the length a variable's type gives it. The editor shows both
// while the user types; nothing here needs a window.

#include <QString>

#include <optional>
#include <vector>

// One variable row as the editor holds it: the Enable box, the Type and Length texts.
struct TEtherCAT_Var_Row {
  bool Enable = true;
  QString Type;
  QString Length;
};

// A variable's place: byte offset and bit within it (0 for every type but Bool).
struct TEtherCAT_Place {
  qint64 Position = 0;
  int Bit = 0;
  bool operator==(const TEtherCAT_Place&) const = default;
};

// The length rule of a type text (exact, case-sensitive): the Length text and whether it
// stays editable. Types outside the rule give nothing and leave the row as it is.
struct TEtherCAT_Length {
  QString Length;
  bool Editable = false;
};
std::optional<TEtherCAT_Length> EtherCAT_Length_Rule(const QString& Type);

// True for the types whose length the user sets.
bool EtherCAT_Type_Sizes_Itself(const QString& Type);

// The places of the rows up to (not including) the first whose trimmed Type is empty.
// Bools share bytes, eight to a byte; any other type starts at a fresh byte and takes its
// fixed size, or its Length (not a number: 0) for the other types. A disabled row gets
// (0, 0) and neither takes space nor ends a run of Bools.
std::vector<TEtherCAT_Place> EtherCAT_Places(const std::vector<TEtherCAT_Var_Row>& Rows);
