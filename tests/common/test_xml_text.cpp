// Escaping text for XML documents written line by line.

#include "common/xml_text.h"

#include <gtest/gtest.h>

TEST(XmlText, EscapesMarkupAndDropsWhatXmlCannotHold)
{
  EXPECT_EQ(Xml_Escape(QStringLiteral("plain text")), QStringLiteral("plain text"));
  EXPECT_EQ(Xml_Escape(QStringLiteral("a&b<c>d\"e'")), QStringLiteral("a&amp;b&lt;c&gt;d&quot;e'"));
  EXPECT_EQ(Xml_Escape(QStringLiteral("a]]>b"), false), QStringLiteral("a]]>b"));
  EXPECT_EQ(Xml_Escape(QStringLiteral("t\tl\nc\r")), QStringLiteral("t&#9;l&#10;c&#13;"));
  EXPECT_EQ(Xml_Escape(QString::fromUtf16(u"x\u0001\uFFFEy\u00FC")), QString::fromUtf16(u"xy\u00FC"));
}
