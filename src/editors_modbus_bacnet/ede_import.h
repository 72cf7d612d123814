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
#include <functional>
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

// ---- appending the marked objects to the client's rule grids ---------------------------

// A rule grid as the import sees it: cells by real column (hidden ones included) and row;
// rows 1 to Row_Count - 1 are rule rows.
struct TEDE_Rule_Grid {
  int Row_Count = 0;
  std::function<QString(int col, int row)> Cell;
  std::function<void(int col, int row, const QString& text)> Set_Cell;
};

struct TEDE_Append_Result {
  int Read_Added = 0;
  int Write_Added = 0;
  int Not_Placed = 0;  // marked rules that found no free row
};

// Appends a read rule for every object marked Import and Read and a write rule for every
// one marked Import and Write, in list order, into the grids' free rows (rows whose key
// cell is empty: column 2 for the BACnet types 0 and 1, column 3 for the others), never
// over a used row. Positions follow the end of the used rows' data (Position + NByte,
// the largest) and each other. device is the device address as typed in the picker.
TEDE_Append_Result Append_EDE_Objects(const std::vector<TBACnet_Var>& vars, const QString& device, int bacnetType,
                                      TEDE_Rule_Grid& readGrid, TEDE_Rule_Grid& writeGrid);
