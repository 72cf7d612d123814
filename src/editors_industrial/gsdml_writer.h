#pragma once
// The PROFINET device description (GSDML) of the converter: one fixed document in which
// only the two data lengths and the station name vary, all three read from ParGen.xml.
// Written as UTF-8 with BOM, CR LF after every line. The station name is escaped, so any
// name gives a well-formed document.

#include <QDate>
#include <QString>
#include <QStringList>

struct TPROFINET_Params {
  int NB_IN = 1438;   // length of the output data item
  int NB_OUT = 1438;  // length of the input data item
  QString Name_Sta = QStringLiteral("SERIAL");
  bool operator==(const TPROFINET_Params&) const = default;
};

// The file name's first fixed part, and its second: "-" + YYYYMMDD + ".xml".
inline const QString GSDML_Fix1 = QStringLiteral("GSDML-V2.25-Norvel-");
QString GSDML_Fix2(const QDate& date);

// The file name from the dialog's user part: characters that a file name cannot hold
// (\ / : * ? " < > | and control characters) are dropped first; then an empty or blank
// part gives Fix1 + Fix2, a part beginning with "_" is used as typed, any other gets "_"
// in front.
QString Compose_GSDML_File_Name(const QString& userPart, const QString& fix1, const QString& fix2);

// Missing file or key: the defaults; a size that is no integer: 1438; an empty or blank
// station name: "SERIAL". A file that is not well-formed raises EXmlError.
TPROFINET_Params Read_PROFINET_Params(const QString& parGenPath);

// The document's lines, without line ends.
QStringList GSDML_Lines(const TPROFINET_Params& params);

// Reads the parameters of parGenPath and writes the document whole to path.
void Write_GSDML_File(const QString& path, const QString& parGenPath);
// The same with the open project's ParGen.xml.
void Write_GSDML_File(const QString& path);

// Asks for the folder with a save dialog proposing name (only the chosen file's folder is
// used, and only the file-name part of name), confirms an overwrite with text 4808, then
// writes the document. Failures propagate to the caller's failure report.
void Save_GSDML_File(const QString& name);
