#include "platform/core/files.h"
#include "platform/core/xml.h"

#include <QTemporaryDir>
#include "support/deep_xml.h"
#include <gtest/gtest.h>

namespace {

QString Fixture(const char* Name)
{
    return QStringLiteral(KV_FIXTURES_DIR "/platform_core/") + QString::fromLatin1(Name);
}

// How the project-file readers read one key: any failure gives the key's default.
QString ReadKey(const TXmlDocument& Doc, const QString& Key, const QString& Default)
{
    try {
        return Doc.Root().ChildByName(Key).Text();
    } catch (const EXmlError&) {
        return Default;
    }
}

}  // namespace

TEST(XmlDom, SavedFormIsCompactWithoutDeclaration)
{
    TXmlDocument Doc;
    TXmlNode Root = Doc.AddChild(QStringLiteral("Par_Gen"));
    Doc.AddComment(QStringLiteral("SW_VERSION = 1.001"));
    Root.AddChild(QStringLiteral("Eth_Conn_Device_Name")).SetText(QStringLiteral("Kv 1"));
    Root.AddChild(QStringLiteral("Eth_Conn_Primary_DNS1")).SetText(QString());
    TXmlNode Rows = Root.AddChild(QStringLiteral("Rows"));
    TXmlNode Row = Rows.AddChild(QStringLiteral("row"));
    // Attributes keep the order they were written in, not alphabetical order.
    Row.SetAttribute(QStringLiteral("Enable"), QStringLiteral("Y"));
    Row.SetAttribute(QStringLiteral("Type"), QStringLiteral("a<b & \"c\""));
    Row.SetAttribute(QStringLiteral("Address"), QStringLiteral("0x1F"));
    Row.SetAttribute(QStringLiteral("Enable"), QStringLiteral("N"));   // in place
    Root.AddChild(QStringLiteral("Text")).SetText(QStringLiteral("x < y & z > ü"));

    const QByteArray Expected =
        "<Par_Gen><Eth_Conn_Device_Name>Kv 1</Eth_Conn_Device_Name><Eth_Conn_Primary_DNS1/>"
        "<Rows><row Enable=\"N\" Type=\"a&lt;b &amp; &quot;c&quot;\" Address=\"0x1F\"/></Rows>"
        "<Text>x &lt; y &amp; z &gt; \xC3\xBC</Text></Par_Gen>\r\n"
        "<!--SW_VERSION = 1.001-->\r\n";
    EXPECT_EQ(Doc.SaveToBytes(), Expected);

    QTemporaryDir T;
    const QString Path = PathJoin(T.path(), QStringLiteral("ParGen.xml"));
    Doc.SaveToFile(Path);
    EXPECT_EQ(ReadBinaryFile(Path), Expected);

    // Read back: the same values, attributes in order.
    TXmlDocument Back;
    Back.LoadFromFile(Path);
    EXPECT_EQ(Back.Root().NodeName(), QStringLiteral("Par_Gen"));
    EXPECT_EQ(ReadKey(Back, QStringLiteral("Eth_Conn_Device_Name"), QString()), QStringLiteral("Kv 1"));
    EXPECT_EQ(ReadKey(Back, QStringLiteral("Eth_Conn_Primary_DNS1"), QStringLiteral("def")), QString());
    EXPECT_EQ(ReadKey(Back, QStringLiteral("Text"), QString()), QStringLiteral("x < y & z > ü"));
    TXmlNode R = Back.Root().ChildByName(QStringLiteral("Rows")).Child(0);
    ASSERT_EQ(R.AttributeCount(), 3);
    EXPECT_EQ(R.AttributeName(1), QStringLiteral("Type"));
    EXPECT_EQ(R.Attribute(QStringLiteral("Type")), QStringLiteral("a<b & \"c\""));
    EXPECT_EQ(Back.ChildCount(), 2);
    EXPECT_EQ(Back.Child(1).NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(Back.Child(1).Text(), QStringLiteral("SW_VERSION = 1.001"));

    // Clearing and rebuilding gives exactly the new content.
    Back.Clear();
    Back.AddChild(QStringLiteral("Conf_Settings"));
    EXPECT_EQ(Back.SaveToBytes(), QByteArray("<Conf_Settings/>\r\n"));
}

TEST(XmlDom, FirstChildIsTheRootWhateverItIs)
{
    struct Case {
        const char* File;
        const char* RootName;
        const char* Dhcp;   // what a reader gets for Eth_Conn_DHCP_Cable (default "0")
    };
    const Case Cases[] = {
        // A leading comment is the first node: the reader finds no keys and uses defaults.
        {"comment_first.xml", "#comment", "0"},
        // The declaration is no node: the element after it is the root, whatever its name.
        {"declaration_first.xml", "Other_Root", "1"},
    };
    for (const Case& C : Cases) {
        TXmlDocument Doc;
        Doc.LoadFromFile(Fixture(C.File));
        EXPECT_EQ(Doc.Root().NodeName(), QString::fromLatin1(C.RootName)) << C.File;
        EXPECT_EQ(ReadKey(Doc, QStringLiteral("Eth_Conn_DHCP_Cable"), QStringLiteral("0")), QString::fromLatin1(C.Dhcp))
            << C.File;
    }
    TXmlDocument Doc;
    Doc.LoadFromFile(Fixture("declaration_first.xml"));
    // A value of one blank survives; indentation between elements is no node.
    EXPECT_EQ(ReadKey(Doc, QStringLiteral("Blank"), QStringLiteral("d")), QStringLiteral(" "));
    EXPECT_EQ(Doc.Root().ChildCount(), 3);
    TXmlNode Row = Doc.Root().ChildByName(QStringLiteral("row"));
    EXPECT_EQ(Row.Attribute(QStringLiteral("Name")), QStringLiteral("a & b"));
    EXPECT_EQ(Row.AttributeDef(QStringLiteral("Missing"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    EXPECT_EQ(Doc.Root().ChildElements(QStringLiteral("row")).size(), 1u);
}

TEST(XmlDom, MissingThingsRaiseSoReadersFallBack)
{
    TXmlDocument Doc;
    Doc.LoadFromString(QStringLiteral("<r><row A=\"1\"/></r>"));
    TXmlNode Row = Doc.Root().Child(0);
    EXPECT_EQ(Row.Attribute(QStringLiteral("A")), QStringLiteral("1"));
    EXPECT_THROW(Row.Attribute(QStringLiteral("B")), EXmlError);
    EXPECT_THROW(Doc.Root().Child(1), EXmlError);
    TXmlNode None = Doc.Root().ChildByName(QStringLiteral("none"));
    EXPECT_TRUE(None.IsNull());
    EXPECT_THROW(None.Text(), EXmlError);
    EXPECT_THROW(None.ChildByName(QStringLiteral("x")), EXmlError);
    EXPECT_THROW(None.Attribute(QStringLiteral("x")), EXmlError);

    TXmlDocument Empty;
    EXPECT_TRUE(Empty.Root().IsNull());
    EXPECT_THROW(Empty.Root().ChildByName(QStringLiteral("x")), EXmlError);
}

TEST(XmlDom, LoadErrorsNameFileAndLine)
{
    TXmlDocument Doc;
    try {
        Doc.LoadFromFile(Fixture("broken_line3.xml"));
        FAIL() << "no exception";
    } catch (const EXmlError& E) {
        EXPECT_TRUE(E.Message().contains(QStringLiteral("broken_line3.xml"))) << E.Message().toStdString();
        EXPECT_TRUE(E.Message().contains(QStringLiteral("line 4"))) << E.Message().toStdString();
    }
    EXPECT_TRUE(Doc.IsEmpty());
    QTemporaryDir T;
    const QString Missing = PathJoin(T.path(), QStringLiteral("none.xml"));
    try {
        Doc.LoadFromFile(Missing);
        FAIL() << "no exception";
    } catch (const EXmlError& E) {
        EXPECT_TRUE(E.Message().contains(Missing));
    }
}

namespace {

// An element nested Depth levels deep below <Root><Key>, holding Value at the bottom.
QByteArray DeepDocument(int Depth, const QByteArray& Value)
{
    return "<Root><Before>1</Before><Key>" + Nested_Xml(Depth, Value) +
           "<!--c--><after>2</after></Key><Next>3</Next></Root>";
}

}  // namespace

TEST(XmlDom, NestingAMillionLevelsDeepIsWalkedWithoutRecursion)
{
    TXmlDocument Doc;
    Doc.LoadFromBytes(DeepDocument(1000000, "deep"));
    const TXmlNode Key = Doc.Root().ChildByName(QStringLiteral("Key"));
    EXPECT_EQ(Key.Text(), QStringLiteral("deep2"));   // all text below, in document order
    EXPECT_EQ(ReadKey(Doc, QStringLiteral("Next"), QString()), QStringLiteral("3"));
    EXPECT_EQ(Doc.SaveToBytes(), DeepDocument(1000000, "deep") + "\r\n");

    // Replacing, clearing and removing deep subtrees leave the rest intact.
    TXmlDocument Other;
    Other.LoadFromBytes(DeepDocument(1000000, "x"));
    Other.Root().ChildByName(QStringLiteral("Key")).SetText(QStringLiteral("flat"));
    EXPECT_EQ(Other.SaveToBytes(), QByteArray("<Root><Before>1</Before><Key>flat</Key><Next>3</Next></Root>\r\n"));
    Doc.Root().RemoveChild(Doc.Root().ChildByName(QStringLiteral("Key")));
    EXPECT_EQ(Doc.SaveToBytes(), QByteArray("<Root><Before>1</Before><Next>3</Next></Root>\r\n"));
    Other.LoadFromBytes(DeepDocument(1000000, "x"));
    Other.Root().ClearChildren();
    EXPECT_EQ(Other.SaveToBytes(), QByteArray("<Root/>\r\n"));

    // A child of another node is not removed.
    Other.LoadFromBytes(DeepDocument(3, "x"));
    Other.Root().RemoveChild(Other.Root().ChildByName(QStringLiteral("Key")).FirstChild());
    EXPECT_EQ(Other.Root().ChildByName(QStringLiteral("Key")).Text(), QStringLiteral("x2"));
}
