#pragma once
// Icons of files and folders for drawing next to their names. The desktop here
// has no shell image list: a folder gets one generic folder icon and anything
// else one generic document icon, drawn by us at 16 or 32 pixels.
#include <QtCore/QString>
#include <QtGui/QImage>

// A path that exists as a folder gets the folder icon; any other path (also a
// number, which named a system image list entry elsewhere) the document icon.
QImage FileIconImage(const QString& path, bool large);
QImage GenericFileIcon(bool folder, bool large);
