#pragma once
// The converter's CANopen electronic data sheet (EDS 4.0), written from the PDO map
// (PDO_CANopen.xml) and the SDO server objects (SDO_Server_CANopen.xml) of the project.
//
// Nothing in the program reads the sheet back. The writer reads the two project files
// afresh on every call and keeps nothing between calls; numbers in them are the texts the
// editors stored, read by the editors' integer conversion. Any failure raises and leaves
// an existing target as it was.

#include "platform/core/datetime.h"
#include "platform/core/exceptions.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

inline const QString EDS_File_Name = QStringLiteral("VIZediZadud_CANopen.eds");
inline const QString EDS_Description = QStringLiteral("IO-Link Slave / CANopen - Converter");
inline const QString EDS_Product_Number = QStringLiteral("866");
inline const QString EDS_Order_Code = QStringLiteral("MB31866");

// The PDO tables hold as many PDOs as the PDO editor's grids.
constexpr int EDS_Max_PDO = 30;

struct PDO_Map_Type {
  int32_t COB_ID = 0;
  int32_t Dimension = 0;
};

struct SDO_Sub_Type {
  uint8_t Sub = 0;
  // Kept whole (not cut to a byte) so that a stray size never turns into another type.
  int32_t Quantity = 0;
  bool Readonly = true;
  QString Mnemonic;
};

struct SDO_Index {
  uint16_t Index = 0;
  std::vector<SDO_Sub_Type> Sub_Indexs;
};

// Names of the byte variables of each PDO's byte array: prefix + byte number.
extern const std::array<const char*, EDS_Max_PDO> RPDO_Var_Prefix;
extern const std::array<const char*, EDS_Max_PDO> TPDO_Var_Prefix;

// What one run of the writer reads from the project.
struct TEDS_Data {
  std::array<PDO_Map_Type, EDS_Max_PDO> RX_PDO{};
  std::array<PDO_Map_Type, EDS_Max_PDO> TX_PDO{};
  int Num_RX_PDO = 0;
  int Num_TX_PDO = 0;
  // Indexes in the order they first occur; each holds at least one sub-index.
  std::vector<SDO_Index> SDO_Indexes;
};

// A row of a project file that the sheet cannot describe. Its message is the one the user
// sees: a text of the editor the row comes from, naming the row and the field. The writer
// writes nothing then.
class EEDS_Refused : public Exception {
public:
  using Exception::Exception;
};

// Fills the PDO tables from the PDO map file. A missing file gives no PDOs; a COB-ID that
// is no integer reads 0, a Dimension 8. Only the first 30 rows of a section are taken (the
// editor shows and writes no more). Raises on a file that cannot be parsed or a missing
// section or attribute; refuses (EEDS_Refused) a Dimension outside 0 to 8 (a PDO carries
// at most 8 bytes).
void Read_PDO_CANopen(const QString& path, TEDS_Data& data);

// Appends the SDO server objects: the read list as read-only, then the write list as
// read-write. A missing file adds nothing. An index and sub-index met again is kept once,
// with the size of its first occurrence, and becomes read-write when any occurrence is in
// the write list. Raises on a file that cannot be parsed or a missing section or
// attribute; refuses (EEDS_Refused) an index or sub-index that is no number or out of its
// range, a size that is no number, and a sub-index 0 of 2 or 4 bytes in an index with
// other sub-indexes (sub-index 0 of a record holds the count of its entries, UNSIGNED8).
void Read_SDO_Server_CANopen(const QString& path, TEDS_Data& data);

// Position of the first index equal to Index; -1 when none.
int Find_SDO_Index(const std::vector<SDO_Index>& indexes, int Index);

// Orders the sub-indexes of every index (a stable sort: equal ones keep file order).
void Sort_SDO_Sub_Indexs(std::vector<SDO_Index>& indexes);

// Stamps of the sheet: MM-DD-YYYY and 12-hour "hh:mmAM"/"hh:mmPM".
QString EDS_Date_Text(TDateTime when);
QString EDS_Time_Text(TDateTime when);

// The lines of the sheet, without line ends.
QStringList Build_EDS_Lines(const TEDS_Data& data, TDateTime when);

// One whole run on the two given project files: read, sort, stamp with Now(), and write
// the sheet to path (Windows-1252, CR LF after every line, replaced whole). A refused row
// raises EEDS_Refused before anything is written.
void Write_EDS_File(const QString& path, const QString& pdoFile, const QString& sdoFile);

// The same on the open project's files.
void Write_EDS_File(const QString& path);
