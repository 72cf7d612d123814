#pragma once
// Step 5 of the main window: the IODD document of the project, stamped with
// its own CRC-32 and packed with the three pictures into a zip package.

#include "enip_outputs/iodd_document.h"

#include <QString>
#include <QStringList>

inline const QStringList IODD_Picture_Names = {QStringLiteral("Norvel-pic.png"), QStringLiteral("Norvel-icon.png"),
                                               QStringLiteral("Norvel-logo.png")};

// Writes the document twice: first with an empty stamp, then with the CRC-32
// of that first file. Returns the stamp. Raises EInOutError naming the file.
uint32_t Write_IODD_Xml(const QString& documentPath, const TIODD_Data& data, const QDate& date);

// Packs the document and the three pictures of pictureDir. On a file that
// cannot be added, packing stops there, the archive keeps the entries added
// before and is closed; false is returned with *failed naming the file. The
// package replaces an existing one only once it is written whole: when the
// write fails, *failed names the package and the old one is left as it was.
bool Zip_IODD_Files(const QString& packagePath, const QString& documentPath, const QString& pictureDir,
                    QString* failed);

// The step-5 action: folder picker, overwrite question 1505, document in the
// program's IODD folder, package in the chosen folder. Returns whether the
// package was written complete.
bool Save_IODD_File();
