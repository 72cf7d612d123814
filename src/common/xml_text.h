#pragma once
// Text put into XML documents that are written line by line (IODD, ESI, GSDML).

#include <QString>

// Replaces what would break element text or a double-quoted attribute (& < ", and > unless
// escapeGreater is false), writes tab, line feed and carriage return as character
// references and drops characters an XML 1.0 document cannot hold, so any text gives a
// well-formed file; a text without them is written exactly as typed.
QString Xml_Escape(const QString& text, bool escapeGreater = true);
