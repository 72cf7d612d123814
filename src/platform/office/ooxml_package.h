#pragma once
// What the .xlsx and .docx files share: the package's parts in archive order, parsed on
// demand, rewritten only when changed, and the few XML helpers both formats need
// (elements matched by local name, since writers differ in the prefixes they use).

#include "platform/office/office_automation.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <vector>

class TOoxmlPackage {
public:
    // Reads every part of the archive; raises EOfficeError naming FileName when it is no
    // readable zip archive.
    void Load(const QByteArray& Bytes, const QString& FileName);
    void SetPart(const QString& Name, const QByteArray& Bytes);
    bool HasPart(const QString& Name) const;
    // The parsed part (parsed once); raises EOfficeError when it is missing or no XML.
    pugi::xml_document& Xml(const QString& Name);
    // Marks a parsed part as changed, so that saving serialises it.
    void Touch(const QString& Name);
    QByteArray Save() const;

    // The target of the package relationship of this type suffix ("/officeDocument").
    QString MainPart();
    // Relationships of a part: id -> part name, resolved against the part's folder.
    std::map<QString, QString> PartRelationships(const QString& Part, const QString& TypeSuffix = QString());
    // Adds a relationship and answers its new id.
    QString AddRelationship(const QString& Part, const QString& Type, const QString& Target);
    void AddContentOverride(const QString& PartName, const QString& ContentType);

    const QString& FileName() const { return FFileName; }

private:
    struct TPart {
        QString Name;
        QByteArray Bytes;
        std::unique_ptr<pugi::xml_document> Doc;
        bool Dirty = false;
    };
    TPart* Find(const QString& Name);
    const TPart* Find(const QString& Name) const;
    std::vector<std::unique_ptr<TPart>> FParts;
    QString FFileName;
};

// A whole office file read or written (temporary file, then rename), failures raised as
// EOfficeError naming the file.
QByteArray ReadOfficeFile(const QString& FileName);
void WriteOfficeFile(const QString& FileName, const QByteArray& Bytes);

// Element name without its prefix.
const char* LocalName(const pugi::xml_node& Node);
pugi::xml_node ChildLocal(const pugi::xml_node& Node, const char* Local);
// An attribute by local name ("r:id" matches "id" only when Prefixed is set).
pugi::xml_attribute AttrLocal(const pugi::xml_node& Node, const char* Local, bool Prefixed = false);
QString Utf8(const char* S);
QByteArray SerializeXml(const pugi::xml_document& Doc);
// Element name in the same prefix as Sibling ("w:p" beside "w:body").
std::string SamePrefix(const pugi::xml_node& Sibling, const char* Local);

constexpr int kParseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
