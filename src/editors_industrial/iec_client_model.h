#pragma once
// What the IEC 61850 client editor keeps besides its device models: the rows of the
// variables and data-set grids as texts, the chosen data sets with their members' places,
// the start-and-length rule, the variables check and the removal of a catalog device.
//
// The window copies its grid cells into these rows and back; the project file reader and
// writer and the checks work on them alone, so none of them needs a window. A row's values
// stay the texts the user typed; numbers are read as plain decimal (leading blanks
// allowed, no hexadecimal), so a Port of "0x10" is no port.

#include "editors_industrial/scl_model.h"

#include <QChar>
#include <QString>

#include <optional>
#include <vector>

// One row of the variables grid: columns 1 to 18, in column order.
struct TIEC_DA_Row {
  QString Index, bType, fc, Reference, StartByte, NumByte, IPAddress, Port;
  QString OnChange, OnCMD, OnTimer, Time, Position, StartBit, ReadWrite, Convertion, MoltFact, Mnemonic;

  static constexpr int Num_Fields = 18;
  // Field i is the cell of column i + 1.
  QString& Field(int i);
  const QString& Field(int i) const { return const_cast<TIEC_DA_Row*>(this)->Field(i); }
  bool operator==(const TIEC_DA_Row&) const = default;
};

// One row of the data-set grid: columns 1 to 8.
struct TIEC_DataSet_Row {
  QString Index, Reference, GooseName, EnGoose, IPAddress, Port, Time, Mnemonic;

  static constexpr int Num_Fields = 8;
  QString& Field(int i);
  const QString& Field(int i) const { return const_cast<TIEC_DataSet_Row*>(this)->Field(i); }
  bool operator==(const TIEC_DataSet_Row&) const = default;
};

// Where the converter puts one member of a chosen data set.
class TDataSet_DA {
public:
  TIEC_DA* Select_DA = nullptr;  // the member attribute; not owned
  QString Position, bitAddress, conversion, multFactor, Mnemonic;

  // Stores the text of member-grid column ACol (3 Position, 4 Start Bit, 5 Convertion,
  // 6 Mult Fact, 7 Mnemonic); other columns store nothing and give false.
  bool Set_Field(int ACol, const QString& Text);
};

// A data set chosen on one row of the data-set grid.
class TDataSet {
public:
  TDataSet() = default;
  // One member entry per member of the data set, places empty.
  explicit TDataSet(TIEC_DataSet* DataSet);
  TDataSet(const TDataSet&) = delete;
  TDataSet& operator=(const TDataSet&) = delete;

  TIEC_DataSet* Select_DataSet = nullptr;  // not owned; none when it was not found on loading
  TOwnedList<TDataSet_DA> List_DAs;        // in member order
};

// Entry k belongs to row k + 1 of the data-set grid.
using TList_DataSet = TOwnedList<TDataSet>;

// The editor's state between the grids and the project file. The chosen data sets point
// into the devices, so they are declared after them and go first.
struct TIEC_Client_Model {
  TOwnedList<TIEC_Device> List_IEC_Dev;   // in device-list order
  std::vector<TIEC_DA_Row> DA_Rows;       // row i + 1 of the variables grid
  std::vector<TIEC_DataSet_Row> DataSet_Rows;
  TList_DataSet List_DataSet;

  void Clear();
};

// ---- numbers -------------------------------------------------------------------------

// The text as a whole decimal integer: leading blanks, an optional sign, digits and
// nothing after them, within 32 bits. Anything else gives Default.
int IEC_Decimal(const QString& Text, int Default = -1);

// ---- start and length ----------------------------------------------------------------

struct TIEC_Byte_Span {
  QString StartByte, NumByte;
};

// Start and length of a basic type of fixed size (by its upper-cased name); none for the
// types whose span the user chooses (VisString255, Octet64, anything unknown or empty).
std::optional<TIEC_Byte_Span> IEC_Fixed_Byte_Span(const QString& bType);

// Writes the fixed span into the row when its type has one and returns true (the two
// cells are then read-only); otherwise leaves the cells and returns false (editable).
bool Set_Start_Num_Byte(TIEC_DA_Row& Row);
void Set_Start_Num_Byte(std::vector<TIEC_DA_Row>& Rows);

// ---- the variables check -------------------------------------------------------------

// The highest Position of the converter's data array.
inline constexpr int IEC_Client_Max_Position = 1399;

struct TIEC_Check_Result {
  int Row = 0;      // 1-based row of the first failure; 0 when every row passes
  QString Message;  // "Error row " + row + the failed check's text
  bool Passed() const { return Row == 0; }
};

// Checks the variables rows in order (a row with an empty bType is skipped) with the
// given decimal separator for the factor. Texts come from the language table.
TIEC_Check_Result Controllo_dati(const std::vector<TIEC_DA_Row>& Rows, QChar Separator);

// ---- adding and removing ---------------------------------------------------------------

// The cells a new row gets for the attribute or data set of device number DeviceIndex.
TIEC_DA_Row IEC_DA_Row_For(const TIEC_DA& DA, int DeviceIndex);
TIEC_DataSet_Row IEC_DataSet_Row_For(const TIEC_DataSet& DataSet, int DeviceIndex);

// Adds a row: a single row with an empty Index is reused, else the row is appended.
// The data-set variant appends its chosen data set too. Both give the 1-based row.
int Add_Var_DA(TIEC_Client_Model& Model, const TIEC_DA& DA, int DeviceIndex);
int Add_Var_DataSet(TIEC_Client_Model& Model, TIEC_DataSet& DataSet, int DeviceIndex);

// The data set of device number Index whose Reference equals Reference; none when the
// index lies outside the list or no data set matches.
TIEC_DataSet* Get_DataSet(const TOwnedList<TIEC_Device>& List_IEC_Dev, int Index, const QString& Reference);

// A data set's reference as files of earlier versions wrote it: the logical node named by
// its class alone (LD reference + "/" + lnClass + "." + name), without prefix and instance.
QString IEC_DataSet_Class_Reference(const TIEC_Device& Dev, const TIEC_LDevice& LD, const TIEC_LN& LN,
                                    const TIEC_DataSet& DataSet);
// The data set a saved row names: by its reference as written now, else the first whose
// reference of the earlier form equals Reference (several logical nodes of one class may
// share it; the earlier versions took the first too).
TIEC_DataSet* Get_Saved_DataSet(const TOwnedList<TIEC_Device>& List_IEC_Dev, int Index, const QString& Reference);

// Whether a variables or data-set row names device Index, or a chosen data set lies in it.
bool IEC_Device_In_Use(const TIEC_Client_Model& Model, int Index);

// Removes device Index unless it is in use (then nothing changes and the result is
// false). Rows naming a later device get its new number, so every Index still names the
// device it named before.
bool Remove_IEC_Device(TIEC_Client_Model& Model, int Index);
