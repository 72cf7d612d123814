#pragma once
// The EtherCAT slave information file (ESI) of the device: maker, device name, state
// machine and mailbox time-outs, sync managers, the fixed process-data mapping of the
// enabled variables of EtherCAT_Slave.xml, mailbox protocols, sync modes and EEPROM data.
// The device name, revision and node address come from ParGen.xml.
//
// The document is written as lines of text in UTF-8 without BOM (ASCII content gives the
// same bytes as a single-byte code page would), each line ended by CR LF. Names are
// escaped for XML; a String entry carries its size as STRING(<Length>); a row's Access
// attribute plays no part (the section alone decides the direction).

#include <QString>
#include <QStringList>

#include <vector>

// One process variable of the mapping.
struct TEtherCAT_Rule {
  QString DataType;  // ESI data type name
  qint64 Length = 0;  // bits
  QString Name;
  bool operator==(const TEtherCAT_Rule&) const = default;
};

struct TESI_Data {
  QString Name = QStringLiteral("EtherCAT Slave");
  quint32 Revision = 0;
  quint16 Node_Address = 1;
  std::vector<TEtherCAT_Rule> Slave_To_Master;  // inputs: TxPDOs
  std::vector<TEtherCAT_Rule> Master_To_Slave;  // outputs: RxPDOs
  qint64 Input_Byte_Count = 0;
};

// "00" + N up to 9, "0" + N from 10 to 99, N itself from 100.
QString Three_Digit_Text(int N);

// Maps an editor type (any case, blanks around ignored) to the ESI data type and turns
// Length (bytes for strings) into bits. Unknown types become one bit. 64 bits wide, so
// no length a file can hold overflows.
QString Get_ESI_Data_Type(const QString& TypeText, qint64& Length);

// Reads the general parameters and the enabled variables of both directions. A missing
// file gives its defaults (no variables); a file that is not well-formed, or an
// EtherCAT_Slave.xml without its variables element or one of the two sections, raises
// EXmlError.
TESI_Data Load_ESI_Data(const QString& parGenPath, const QString& etherCatPath);

// The document's lines, without line ends.
QStringList ESI_Lines(const TESI_Data& data);

// Writes the document to path whole (raises EInOutError; the old file then stays).
void Write_ESI_Xml(const QString& path, const TESI_Data& data);

// Reads the open project's files and writes the document. Raises on any failure, before
// anything is written when the project files cannot be read.
void Write_ESI_File(const QString& path);

// Asks for the target (its own save dialog, kept for the run, opening in the project
// folder), confirms an overwrite with text 1505, then writes the document. Failures
// propagate to the caller's failure report.
void Save_ESI_File();
