#pragma once
// Project folders below PROJECTS and the language files of the LANGUAGE folder: the
// rules the project and options dialogs apply, kept apart from the windows.

#include <QString>
#include <QStringList>

// Text indexes of the new-project refusals.
constexpr int Txt_Name_Not_Valid = 105;      // cannot be created / not a plain folder name
constexpr int Txt_Name_Exists = 106;         // a folder of that name exists
constexpr int Txt_Name_Empty = 107;

// Creates dirProjects/name and its "bin" folder. Returns 0 on success, else the text
// index of the refusal. The name is taken as typed (a leading blank stays); a name
// holding a path separator, or "." or "..", is refused so the folder cannot land
// outside PROJECTS; an existing folder of that name in any letter case is refused.
int Create_Project_Folder(const QString& dirProjects, const QString& name);

// Project folder names, hidden entries left out.
QStringList Load_Existing_Configuration(const QString& dirProjects);

// Index of the first entry equal to name ignoring letter case, or -1.
int Search_Open_Conf(const QStringList& list, const QString& name);

// The language files ("<name>.lng", read-only ones included), sorted ignoring case.
QStringList Language_File_List(const QString& dirLanguage);
