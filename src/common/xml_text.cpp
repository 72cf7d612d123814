#include "common/xml_text.h"

QString Xml_Escape(const QString& text, bool escapeGreater)
{
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    switch (c.unicode()) {
    case '&': out += QLatin1String("&amp;"); break;
    case '<': out += QLatin1String("&lt;"); break;
    case '>': out += escapeGreater ? QLatin1String("&gt;") : QLatin1String(">"); break;
    case '"': out += QLatin1String("&quot;"); break;
    case '\t': out += QLatin1String("&#9;"); break;
    case '\n': out += QLatin1String("&#10;"); break;
    case '\r': out += QLatin1String("&#13;"); break;
    default:
      // Other control characters cannot appear in an XML 1.0 document.
      if (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF)
        out += c;
    }
  }
  return out;
}
