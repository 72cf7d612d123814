#pragma once
// The XML DOM of the project files. Readers take the document's first child node as the
// root without checking its name (a leading comment counts as that node; the XML
// declaration does not) and read each key in its own guard: every operation on a missing
// node, and reading a missing attribute, raises EXmlError, so the reader falls back to
// that key's default. Writers clear the document, append nodes in order and save.
//
// Saved form: UTF-8 without BOM, no XML declaration, no indentation; each top-level node
// is followed by CR LF.

#include "platform/core/exceptions.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace pugi {
class xml_document;
class xml_node;
struct xml_node_struct;
}  // namespace pugi

enum class TXmlNodeType { Null, Element, Text, CData, Comment, ProcessingInstruction, Declaration, Doctype, Document };

class TXmlNode {
public:
    TXmlNode() = default;
    explicit TXmlNode(const pugi::xml_node& Node);

    bool IsNull() const { return FNode == nullptr; }
    explicit operator bool() const { return FNode != nullptr; }
    bool operator==(const TXmlNode& Other) const { return FNode == Other.FNode; }

    TXmlNodeType NodeType() const;
    // Element name; "#comment" and "#text" for comments and text, as the DOM names them.
    QString NodeName() const;      // raises on a null node
    bool IsElement() const { return NodeType() == TXmlNodeType::Element; }

    // The text of all text below the node (a comment: its own text).
    QString Text() const;          // raises on a null node
    // Replaces the node's children with one text (none when empty).
    void SetText(const QString& Value);

    // First child element of that name; a null node when there is none.
    TXmlNode ChildByName(const QString& Name) const;   // raises on a null node
    TXmlNode FindNode(const QString& Name) const { return ChildByName(Name); }
    // Child nodes of every kind (elements, comments, text), by index.
    int ChildCount() const;
    TXmlNode Child(int Index) const;                   // raises EXmlError out of range
    std::vector<TXmlNode> Children() const;
    std::vector<TXmlNode> ChildElements(const QString& Name = QString()) const;
    TXmlNode FirstChild() const;
    TXmlNode NextSibling() const;
    TXmlNode ParentNode() const;

    // Attribute read: raises EXmlError when the attribute is missing.
    QString Attribute(const QString& Name) const;
    QString AttributeDef(const QString& Name, const QString& Default) const;
    bool HasAttribute(const QString& Name) const;
    int AttributeCount() const;
    QString AttributeName(int Index) const;
    QString AttributeValue(int Index) const;
    // Sets an existing attribute in place, or appends a new one after the others.
    void SetAttribute(const QString& Name, const QString& Value);

    TXmlNode AddChild(const QString& Name);        // element appended after its siblings
    TXmlNode AddComment(const QString& Text);
    TXmlNode AddText(const QString& Text);
    void RemoveChild(const TXmlNode& Child);
    void ClearChildren();

private:
    void Need() const;
    pugi::xml_node Node() const;
    pugi::xml_node_struct* FNode = nullptr;
};

class TXmlDocument {
public:
    TXmlDocument();
    ~TXmlDocument();
    TXmlDocument(const TXmlDocument&) = delete;
    TXmlDocument& operator=(const TXmlDocument&) = delete;

    // Raises EXmlError naming the file (and the line, for a file that is not well-formed).
    void LoadFromFile(const QString& FileName);
    void LoadFromString(const QString& Xml);        // raises EXmlError with the line
    void LoadFromBytes(const QByteArray& Bytes, const QString& SourceName = QString());
    void SaveToFile(const QString& FileName) const;  // atomic; raises EInOutError
    QByteArray SaveToBytes() const;
    QString XmlText() const { return QString::fromUtf8(SaveToBytes()); }

    void Clear();
    bool IsEmpty() const;
    // The first child node of the document, whatever its kind or name.
    TXmlNode Root() const;
    TXmlNode DocumentElement() const;               // first element
    int ChildCount() const;
    TXmlNode Child(int Index) const;
    TXmlNode AsNode() const;                        // the document node itself

    TXmlNode AddChild(const QString& Name);         // top-level element
    TXmlNode AddComment(const QString& Text);       // top-level comment

private:
    std::unique_ptr<pugi::xml_document> FDoc;
};
