#pragma once
// Text put into device description files written line by line (ESI, GSDML).

#include <QString>

// Replaces what would break element text or a double-quoted attribute (& < > ") and drops
// characters an XML 1.0 document cannot hold, so any name gives a well-formed file; a
// text without them is written exactly as typed.
QString Xml_Escape(const QString& text);
