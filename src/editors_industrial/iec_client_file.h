#pragma once
// IEC_61850_Client.xml: the IEC 61850 client editor's project file. It lists the catalog
// files of the imported devices, the chosen attributes (one element per variables row)
// and the chosen data sets with the places of their members. The editor writes it on OK
// and reads it at every showing, decoding every listed catalog file again from the
// project's ICD_Catalog folder and binding the saved data sets and members to the new
// models: a data set by its device's position and its reference, a member by its position
// in the data set when its bType and reference still match. Files of earlier versions name
// a data set without its logical node's prefix and instance; such a reference still finds
// its data set and is read into the current form.
//
// Choices where the format leaves room:
// - a catalog file that is missing keeps an empty device at its position (with its file
//   name, so the next save lists it again): every saved Index still names its device.
//   Its data sets load without members, so the load counts as partial;
// - the load stops at the first thing it cannot read (no root, a missing list or
//   required attribute, a data-set Index that is no whole decimal number, a catalog file
//   the parser rejects) and keeps what it read up to there, the row it stopped in
//   included (a data-set row then has no chosen data set). Saving such a load would drop
//   the rest of the file, so the editor asks first.

#include "editors_industrial/iec_client_model.h"

#include <QString>
#include <QStringList>

inline const QString IEC_Client_Root_Name = QStringLiteral("IEC_68850_Client");
inline const QString IEC_Client_SW_Version_Comment = QStringLiteral("SW_VERSION = 1.000");
// The project's folder of imported SCL files.
inline const QString IEC_Catalog_Folder_Name = QStringLiteral("ICD_Catalog");

struct TIEC_Client_Load {
  bool File_Found = false;
  // Why the load stopped, naming the file and the place; empty when it was read whole.
  QString Failure;
  // Catalog files listed but not found, in list order; their devices are empty.
  QStringList Missing_Files;

  bool Partial() const { return !Failure.isEmpty() || !Missing_Files.isEmpty(); }
  // The one warning about the missing catalog files; empty when none is missing.
  QString Missing_Files_Warning() const;
};

// Empties the model, then reads the file at Path with the catalog files from
// Dir_Catalog. No file: an empty model, File_Found false. Never raises.
TIEC_Client_Load Read_IEC_61850_Client_File(const QString& Path, const QString& Dir_Catalog,
                                            TIEC_Client_Model& Model);

// Writes the whole file: one "ICD_File" per device, then the rows of each grid unless
// the grid holds a single row with an empty Index (or none); data-set row k lists the
// members of entry k - 1 of List_DataSet. Raises when it cannot write; the old file stays.
void Write_IEC_61850_Client_File(const QString& Path, const TIEC_Client_Model& Model);
