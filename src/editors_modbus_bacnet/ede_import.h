#pragma once
// The reader of BACnet EDE lists (engineering data exchange): ";"-separated text with one
// line per BACnet object, written by any engineering tool (our own EDE writer among them).
//
// The BACnet client editor imports the objects the reader keeps as read and write rules.
// The file is outside input: any bytes give a (possibly empty) list, never a failure
// beyond a file that cannot be opened.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// One kept object line, fields in column order; texts are trimmed.
struct TBACnet_Var {
  QString keyname;
  int32_t device_obj_instance = -1;
  QString object_name;
  int32_t object_type = -1;
  int32_t object_instance = -1;
  QString description;
  QString present_value_default;
  QString min_present_value;
  QString max_present_value;
  bool commandable = false;
  bool support_COV = false;
  QString hi_limit;
  QString low_limit;
  QString stete_text_reference;
  QString unit_code;
  QString vendor_specific_address;  // the rest of the line
  // The user's marks in the picker.
  bool import = false;
  bool read = false;
  bool write = false;
};

// The objects of a list given as lines. The objects start two lines after the header line
// ("#" then "mandatory"): the seventh line when it is one, else the last such line; a list
// without one gives nothing. Only the object types the import knows are kept, marked
// Import and Read, and Write when commandable.
std::vector<TBACnet_Var> Parse_EDE_Lines(const QStringList& lines);

// The same from file bytes: a byte-order mark selects UTF-8 or UTF-16, else the bytes are
// read as UTF-8 when they are valid UTF-8, else as Windows-1252.
std::vector<TBACnet_Var> Parse_EDE_Bytes(const QByteArray& bytes);

// Reads the list from a file; raises EInOutError when it cannot be read.
std::vector<TBACnet_Var> Load_EDE_File(const QString& fileName);

// What an object type of the list becomes in a rule: the rule's Object Type name, the
// data type of a write rule and the number of bytes. An unknown type gives "", "Null", 4.
QString Get_ObjType_EDE(int objectType);
QString Get_DataType_EDE(int objectType);
int Get_NumByte_EDE(int objectType);
// Whether the import keeps objects of the type.
bool Is_Known_ObjType_EDE(int objectType);
