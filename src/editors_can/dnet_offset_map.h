#pragma once
// The DeviceNet offset map without a window. The slaves come from the slave list
// DNETM_Net.xml (ID, numbers of input and output bytes); for each input and output byte
// of each slave the map DNETM_DefOff.xml holds the position of the converter's exchange
// array it goes to ("None": the byte is not passed) and a mnemonic. A map belongs to a
// slave by its position in the slave list, not by its ID: the k-th "Nodo_DNET" is the
// k-th slave's.
//
// Positions stay the text of the file or of the drop-down list; only the check reads
// them as numbers, and it skips what is no position of the array (as it skips "None").

#include "platform/core/xml.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// Positions of the exchange array: 0 .. 1439.
constexpr int DN_Exchange_Positions = 1440;
// A DeviceNet network has node IDs 0 .. 63: the slave list holds at most 64 slaves.
constexpr int DN_Max_Slaves = 64;

// One slave of the list. It owns its four lists: one entry per input byte (position,
// mnemonic) and one per output byte.
struct TSlave_DN {
  uint8_t ID = 0;
  uint16_t ByteIN = 0;
  uint16_t ByteOUT = 0;
  QStringList SL_ByteIN;
  QStringList SL_ByteIN_M;
  QStringList SL_ByteOUT;
  QStringList SL_ByteOUT_M;

  TSlave_DN() = default;
  // Every byte "None" with an empty mnemonic.
  TSlave_DN(uint8_t AID, uint16_t AByteIN, uint16_t AByteOUT);
};

// A row of the slave list as the file holds it.
struct TDN_Slave_Row {
  QString ID, NB_IN, NB_OUT, Mnemonic;
};

// What a load could not take: the map's file then stands to lose data on the next save.
struct TDN_Load_State {
  bool Stopped = false;       // a file was not well-formed or a row could not be read
  int Slaves_Left_Out = 0;    // slave-list rows past DN_Max_Slaves
  bool Partial() const { return Stopped || Slaves_Left_Out > 0; }
};

// Reads the slave list: one slave per child of the root, in order, up to DN_Max_Slaves
// (further rows are counted in State, not read). A missing file gives no slaves. A file
// that is not well-formed, a row without one of ID, NB_IN, NB_OUT and Mnemonic, an ID that
// is no integer from 0 to 255 or a byte count that is no integer from 0 to 65535 stops the
// load: the rows before it stay, State.Stopped is set and EXmlError names the file, the
// row and the attribute.
void Read_DN_Slave_List(const QString& Path, std::vector<TSlave_DN>& Slaves, std::vector<TDN_Slave_Row>& Rows,
                        TDN_Load_State& State);

// Reads the map into the slaves: child k of the root fills slave k (further children are
// ignored); row i of its "ByteIN" sets input byte i (rows past the slave's byte count are
// ignored), the same for "ByteOUT"; bytes without a row keep "None". A missing file
// changes nothing. A file that is not well-formed, a missing "ByteIN" or "ByteOUT", or a
// row without "Offset" or "Mnemonic" stops the load like the slave list's.
void Read_DN_Offset_Map(const QString& Path, std::vector<TSlave_DN>& Slaves, TDN_Load_State& State);

// The owner of one array position in the check: a slave's ID and its byte number.
struct TDN_Offset_Owner {
  int32_t ID = -1;
  int32_t Byte = -1;
};
using TDN_Offset_Check = std::array<TDN_Offset_Owner, DN_Exchange_Positions>;

// Every entry free.
void Reset_DN_Offset_Check(TDN_Offset_Check& Check);

// No two output bytes on one position (input bytes may share one). The first clash gives
// false and the message naming the byte that took the position first and the byte that
// wants it.
bool Check_DN_Output_Offsets(const std::vector<TSlave_DN>& Slaves, TDN_Offset_Check& Check, QString& Message);

// The map's document: root, version comment, one "Nodo_DNET" per slave with all its
// bytes, "None" ones too.
void Build_DN_Offset_Document(const std::vector<TSlave_DN>& Slaves, TXmlDocument& Doc);
// Writes it whole; raises when the file cannot be written, and the old file stays.
void Write_DN_Offset_Map(const QString& Path, const std::vector<TSlave_DN>& Slaves);
