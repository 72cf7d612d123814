#pragma once
// Read access to the project's XML files for the compiler and the IODD
// writer: the root is the document's first element (a declaration or comment
// before it is skipped), every key or attribute is looked up on its own and
// falls back to the caller's default.

#include <QString>
#include <pugixml.hpp>

#include <memory>

#include "platform/core/exceptions.h"

class TProjectXml {
public:
    pugi::xml_node Root() const;
    pugi::xml_document& Document() { return *FDoc; }

private:
    friend TProjectXml Load_Project_Xml(const QString& path);
    std::shared_ptr<pugi::xml_document> FDoc = std::make_shared<pugi::xml_document>();
};

// Throws EXmlError, naming the file, when the file cannot be opened or parsed.
TProjectXml Load_Project_Xml(const QString& path);

// The text of the root's child elements ("key" files such as ParGen.xml).
class TKeyReader {
public:
    explicit TKeyReader(pugi::xml_node root) : FRoot(root) {}
    bool Has(const char* key) const;
    QString Text(const char* key, const QString& def) const;
    int Int(const char* key, int def) const;

private:
    pugi::xml_node FRoot;
};

// The attributes of one row element.
class TAttrReader {
public:
    explicit TAttrReader(pugi::xml_node row) : FRow(row) {}
    bool Has(const char* name) const;
    QString Text(const char* name, const QString& def = QString()) const;
    int Int(const char* name, int def) const;

private:
    pugi::xml_node FRow;
};
