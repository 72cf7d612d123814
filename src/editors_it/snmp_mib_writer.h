#pragma once
// The SNMP MIB module of the converter's agent, written from the enabled read and write
// variables of SNMP_Trap.xml: one object per variable and one notification per read
// variable. Nothing in the program reads the module back.
//
// The variable lists live in the working state (SL_MIB_Var_Read, SL_MIB_Var_Write) and
// keep the last load; the integer flags below keep one entry per list entry, so every
// enabled variable is written with its type however many there are.
//
// A variable's object name is its description. The module defines every name once: a
// description that is one of the module's own names, or that an earlier variable took,
// is written under the name an empty description gets (the parent's name and the
// variable's number), so a file from before the agent editor refused such descriptions
// still gives a valid module with the same object identifiers.

#include "common/maker_identity.h"

#include <QString>
#include <QStringList>

#include <vector>

// The organisation that issues the device: configuration of the module, not of the project.
inline const QString MIB_Organization = QString::fromLatin1(maker::Web_Address);
inline const QStringList MIB_Contact_Lines = {QStringLiteral("Example Street 1"), QStringLiteral("00000 Example Town"),
                                              QStringLiteral("Example Country")};
inline const QString MIB_Contact_Email = QStringLiteral("support@norvel.example");
// The private enterprise number the module's tree hangs under.
inline const QString MIB_Enterprise_Number = QStringLiteral("32473");

inline const QString MIB_Dialog_Filter = QStringLiteral("Management Information Base (*.mib)|*.mib");
inline const QString MIB_Dialog_Default_Ext = QStringLiteral("*.mib");

// The enabled variables of one agent file, in file order.
struct TMIB_Variables {
  QStringList Read;   // descriptions
  QStringList Write;
  std::vector<bool> Read_Int;  // one per entry of Read: its Type is "Int" (any case)
  std::vector<bool> Write_Int;

  bool operator==(const TMIB_Variables&) const = default;
};

// Reads the enabled variables of the agent file. A missing file gives none; each section
// is read on its own, so a missing one gives no variables of its direction. A variable is
// enabled when its Enable attribute, upper-cased, is "Y"; a missing Description reads as
// empty and a missing Type as a string. A file that cannot be parsed raises.
TMIB_Variables Read_MIB_Variables(const QString& trapFile);

// Whether Name is a name the module defines or imports whatever the project holds
// (identity, gateway, data, countin, traps, enterprises, ...) or one it gives by number
// (bufferinval, bufferoutval or trapval followed by a number): a variable of that name
// would define it twice.
bool MIB_Reserved_Name(const QString& Name);

// The module's lines, without line ends.
QStringList MIB_Module_Lines(const TMIB_Variables& vars);

// Writes the module: Windows-1252, CR LF after every line, the file replaced whole.
void Write_MIB_Module(const QString& fileName, const TMIB_Variables& vars);

// The last load of the program: fills the working state's two lists and the flags from
// the open project's SNMP_Trap.xml.
void Load_MIB_Variables();
// The program's last load as one value (the working state's lists and the flags).
TMIB_Variables Loaded_MIB_Variables();
// Writes the module of the last load.
void Write_MIB_Module(const QString& fileName);

// The "SNMP MIB" step: asks for the target in the project folder, asks before replacing an
// existing file (No leaves the file and the last load untouched), then loads and writes.
// A failure raises for the caller's failure report.
void Save_MIB_File();
