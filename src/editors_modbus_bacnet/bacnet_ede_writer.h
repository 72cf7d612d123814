#pragma once
// The BACnet EDE list (layout version 2) of the converter's BACnet server, written from the
// server object list (BACnet_Slave.xml) and the general parameters (ParGen.xml).
//
// Engineering tools of BACnet clients read the list, and so does our own EDE import. Every
// run reads the project files afresh and keeps nothing; a failure raises and writes nothing.

#include "platform/core/datetime.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

// One object line; fields in line order.
struct TBACnet_EDE_Obj {
  QString Keyname;
  QString DevObjInstance;
  QString ObjectName;
  QString ObjectType;
  QString ObjectInstance;
  QString Description;
  QString UnitCode;
};

// The object types an object line can carry, by the server list's Data Type text.
constexpr int EDE_Object_Type_Count = 18;

// The state of one run, made afresh by every run.
struct TEDE_Run {
  std::vector<TBACnet_EDE_Obj> EDE_Obj_List;
  QString EDE_Dev_Instance;
  bool EDE_Long_Names = false;
  // The next instance number of each object type, in the type table's order.
  std::array<int32_t, EDE_Object_Type_Count> EDE_Instance_Count{};
};

void Clear_EDE_Counters(TEDE_Run& run);

// Device instance and name length from the general parameters; a missing file or key leaves
// the defaults (no instance, 16-character names). A file that cannot be parsed raises.
void Load_EDE_Settings(TEDE_Run& run, const QString& parGenFile);

// One object per row of the Read list, then of the Write list. A missing file gives none;
// a missing section, or a row without Data_Type, Eng_Unit or Mnemonic, raises.
void Load_EDE_Objects(TEDE_Run& run, const QString& slaveFile);

// The object type number of a Data Type text already trimmed and upper-cased; 0 for any
// text the table does not hold.
int Get_EDE_Object_Type(const QString& typeText);

// The type's next instance number (then counted); 0 and nothing counted for a number
// outside the type table.
int Get_EDE_Instance(TEDE_Run& run, int type);

// The part of the first line between the maker and the project name (always empty).
QString Get_EDE_Project_Part();

// "hh:mm:ss dd/mm/yyyy" with literal separators.
QString Get_EDE_Time_Stamp(TDateTime when);

// The lines of the list. A field never holds the separator or a line break: ";" is written
// as "_" and control characters as blanks, so every reader finds the columns in place.
QStringList EDE_Lines(const TEDE_Run& run, const QString& projectName, TDateTime when);

// Writes the lines (Windows-1252, "?" for what it cannot hold, CR LF after every line),
// replacing the file whole; the stamp is taken from Now().
void Save_EDE_Lines(const TEDE_Run& run, const QString& path, const QString& projectName);

// One whole run on the given project files.
void Make_EDE_File(const QString& path, const QString& parGenFile, const QString& slaveFile,
                   const QString& projectName);

// The run on the open project.
void Write_EDE_File(const QString& path);
