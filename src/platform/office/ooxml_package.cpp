#include "platform/office/ooxml_package.h"

#include "platform/core/files.h"
#include "platform/core/zip_archive.h"

#include <QDateTime>
#include <cstring>
#include <sstream>

namespace {

const char* kRelsNs = "http://schemas.openxmlformats.org/package/2006/relationships";

// The folder of a part ("xl/" for "xl/workbook.xml").
QString PartFolder(const QString& Part)
{
    const int slash = Part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : Part.left(slash + 1);
}

QString RelsName(const QString& Part)
{
    return PartFolder(Part) + QStringLiteral("_rels/") + Part.mid(PartFolder(Part).size()) + QStringLiteral(".rels");
}

// Resolves "../x" and "./x" segments; a leading "/" means the package root.
QString ResolveTarget(const QString& Folder, const QString& Target)
{
    QString path = Target.startsWith(QLatin1Char('/')) ? Target.mid(1) : Folder + Target;
    QStringList out;
    for (const QString& seg : path.split(QLatin1Char('/'))) {
        if (seg == QLatin1String(".."))
            out.isEmpty() ? void() : out.removeLast();
        else if (seg != QLatin1String(".") && !seg.isEmpty())
            out << seg;
    }
    return out.join(QLatin1Char('/'));
}

}  // namespace

QByteArray ReadOfficeFile(const QString& FileName)
{
    try {
        return ReadBinaryFile(FileName);
    } catch (const Exception& e) {
        throw EOfficeError(QStringLiteral("Cannot open ") + FileName + QStringLiteral(": ") + e.Message());
    }
}

void WriteOfficeFile(const QString& FileName, const QByteArray& Bytes)
{
    try {
        WriteFileAtomic(FileName, Bytes);
    } catch (const Exception& e) {
        throw EOfficeError(QStringLiteral("Cannot write ") + FileName + QStringLiteral(": ") + e.Message());
    }
}

const char* LocalName(const pugi::xml_node& Node)
{
    const char* n = Node.name();
    const char* colon = std::strchr(n, ':');
    return colon ? colon + 1 : n;
}

pugi::xml_node ChildLocal(const pugi::xml_node& Node, const char* Local)
{
    for (pugi::xml_node c = Node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && std::strcmp(LocalName(c), Local) == 0)
            return c;
    return pugi::xml_node();
}

pugi::xml_attribute AttrLocal(const pugi::xml_node& Node, const char* Local, bool Prefixed)
{
    for (pugi::xml_attribute a = Node.first_attribute(); a; a = a.next_attribute()) {
        const char* n = a.name();
        const char* colon = std::strchr(n, ':');
        if (Prefixed ? (colon && std::strcmp(colon + 1, Local) == 0 && std::strncmp(n, "xmlns", 5) != 0)
                     : std::strcmp(n, Local) == 0)
            return a;
    }
    return pugi::xml_attribute();
}

QString Utf8(const char* S) { return QString::fromUtf8(S); }

QByteArray SerializeXml(const pugi::xml_document& Doc)
{
    std::ostringstream os;
    Doc.save(os, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    const std::string s = os.str();
    return QByteArray(s.data(), qsizetype(s.size()));
}

std::string SamePrefix(const pugi::xml_node& Sibling, const char* Local)
{
    const char* n = Sibling.name();
    const char* colon = std::strchr(n, ':');
    return colon ? std::string(n, size_t(colon - n + 1)) + Local : std::string(Local);
}

void TOoxmlPackage::Load(const QByteArray& Bytes, const QString& FileName)
{
    FFileName = FileName;
    FParts.clear();
    TZipArchiveReader zip;
    if (!zip.Open(Bytes))
        throw EOfficeError(QStringLiteral("Cannot read ") + FileName + QStringLiteral(": ") + zip.LastError());
    try {
        const QStringList names = zip.Names();
        for (int i = 0; i < names.size(); ++i)
            SetPart(names[i], zip.ReadIndex(i));
    } catch (const EZipError& e) {
        throw EOfficeError(QStringLiteral("Cannot read ") + FileName + QStringLiteral(": ") + e.Message());
    }
}

TOoxmlPackage::TPart* TOoxmlPackage::Find(const QString& Name)
{
    for (auto& p : FParts)
        if (p->Name == Name)
            return p.get();
    return nullptr;
}

const TOoxmlPackage::TPart* TOoxmlPackage::Find(const QString& Name) const
{
    return const_cast<TOoxmlPackage*>(this)->Find(Name);
}

void TOoxmlPackage::SetPart(const QString& Name, const QByteArray& Bytes)
{
    TPart* p = Find(Name);
    if (!p) {
        FParts.push_back(std::make_unique<TPart>());
        p = FParts.back().get();
        p->Name = Name;
    }
    p->Bytes = Bytes;
    p->Doc.reset();
    p->Dirty = false;
}

bool TOoxmlPackage::HasPart(const QString& Name) const { return Find(Name) != nullptr; }

pugi::xml_document& TOoxmlPackage::Xml(const QString& Name)
{
    TPart* p = Find(Name);
    if (!p)
        throw EOfficeError(QStringLiteral("Cannot read ") + FFileName + QStringLiteral(": part ") + Name +
                           QStringLiteral(" is missing"));
    if (!p->Doc) {
        auto doc = std::make_unique<pugi::xml_document>();
        const pugi::xml_parse_result r = doc->load_buffer(p->Bytes.constData(), size_t(p->Bytes.size()), kParseFlags);
        if (!r)
            throw EOfficeError(QStringLiteral("Cannot read ") + FFileName + QStringLiteral(": part ") + Name +
                               QStringLiteral(" is no valid XML (") + Utf8(r.description()) + QStringLiteral(")"));
        p->Doc = std::move(doc);
    }
    return *p->Doc;
}

void TOoxmlPackage::Touch(const QString& Name)
{
    if (TPart* p = Find(Name))
        p->Dirty = p->Doc != nullptr;
}

QByteArray TOoxmlPackage::Save() const
{
    TZipArchiveWriter w;
    const QDateTime now = QDateTime::currentDateTime();
    for (const auto& p : FParts)
        w.Add(p->Name, p->Dirty ? SerializeXml(*p->Doc) : p->Bytes, now, 6);
    try {
        return w.Archive();
    } catch (const EZipError& e) {
        throw EOfficeError(QStringLiteral("Cannot write ") + FFileName + QStringLiteral(": ") + e.Message());
    }
}

QString TOoxmlPackage::MainPart()
{
    const auto rels = PartRelationships(QString(), QStringLiteral("/officeDocument"));
    if (rels.empty())
        throw EOfficeError(QStringLiteral("Cannot read ") + FFileName + QStringLiteral(": no main part"));
    return rels.begin()->second;
}

std::map<QString, QString> TOoxmlPackage::PartRelationships(const QString& Part, const QString& TypeSuffix)
{
    std::map<QString, QString> out;
    const QString rels = Part.isEmpty() ? QStringLiteral("_rels/.rels") : RelsName(Part);
    if (!HasPart(rels))
        return out;
    pugi::xml_node root = Xml(rels).document_element();
    for (pugi::xml_node r = root.first_child(); r; r = r.next_sibling()) {
        if (r.type() != pugi::node_element || std::strcmp(LocalName(r), "Relationship") != 0)
            continue;
        if (std::strcmp(r.attribute("TargetMode").as_string(), "External") == 0)
            continue;
        const QString type = Utf8(r.attribute("Type").as_string());
        if (!TypeSuffix.isEmpty() && !type.endsWith(TypeSuffix))
            continue;
        out[Utf8(r.attribute("Id").as_string())] = ResolveTarget(PartFolder(Part), Utf8(r.attribute("Target").as_string()));
    }
    return out;
}

QString TOoxmlPackage::AddRelationship(const QString& Part, const QString& Type, const QString& Target)
{
    const QString rels = Part.isEmpty() ? QStringLiteral("_rels/.rels") : RelsName(Part);
    if (!HasPart(rels))
        SetPart(rels, QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n<Relationships xmlns=\"") +
                          kRelsNs + "\"/>");
    pugi::xml_document& doc = Xml(rels);
    pugi::xml_node root = doc.document_element();
    QString id;
    for (int n = 1;; ++n) {
        id = QStringLiteral("rId%1").arg(n);
        bool taken = false;
        for (pugi::xml_node r = root.first_child(); r && !taken; r = r.next_sibling())
            taken = Utf8(r.attribute("Id").as_string()) == id;
        if (!taken)
            break;
    }
    pugi::xml_node r = root.append_child(SamePrefix(root, "Relationship").c_str());
    r.append_attribute("Id") = id.toUtf8().constData();
    r.append_attribute("Type") = Type.toUtf8().constData();
    r.append_attribute("Target") = Target.toUtf8().constData();
    Touch(rels);
    return id;
}

void TOoxmlPackage::AddContentOverride(const QString& PartName, const QString& ContentType)
{
    pugi::xml_document& doc = Xml(QStringLiteral("[Content_Types].xml"));
    pugi::xml_node root = doc.document_element();
    pugi::xml_node o = root.append_child(SamePrefix(root, "Override").c_str());
    o.append_attribute("PartName") = (QLatin1Char('/') + PartName).toUtf8().constData();
    o.append_attribute("ContentType") = ContentType.toUtf8().constData();
    Touch(QStringLiteral("[Content_Types].xml"));
}
