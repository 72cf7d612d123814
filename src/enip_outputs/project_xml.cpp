#include "enip_outputs/project_xml.h"

#include "enip_outputs/enip_convert.h"

#include <QFile>

pugi::xml_node TProjectXml::Root() const
{
    for (pugi::xml_node n = FDoc->first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element)
            return n;
    return {};
}

TProjectXml Load_Project_Xml(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EXmlError(QStringLiteral("Cannot read the file %1").arg(path));
    const QByteArray data = f.readAll();
    TProjectXml doc;
    const pugi::xml_parse_result r = doc.Document().load_buffer(data.constData(), size_t(data.size()));
    if (!r)
        throw EXmlError(QStringLiteral("The file %1 is not valid XML (%2 at byte %3)")
                            .arg(path, QString::fromUtf8(r.description()))
                            .arg(qint64(r.offset)));
    return doc;
}

bool TKeyReader::Has(const char* key) const
{
    return bool(FRoot.child(key));
}

QString TKeyReader::Text(const char* key, const QString& def) const
{
    const pugi::xml_node n = FRoot.child(key);
    if (!n)
        return def;
    return QString::fromUtf8(n.text().get());
}

int TKeyReader::Int(const char* key, int def) const
{
    if (!Has(key))
        return def;
    return enip::Str_To_Int_Def(Text(key, QString()), def);
}

bool TAttrReader::Has(const char* name) const
{
    return bool(FRow.attribute(name));
}

QString TAttrReader::Text(const char* name, const QString& def) const
{
    const pugi::xml_attribute a = FRow.attribute(name);
    if (!a)
        return def;
    return QString::fromUtf8(a.value());
}

int TAttrReader::Int(const char* name, int def) const
{
    if (!Has(name))
        return def;
    return enip::Str_To_Int_Def(Text(name), def);
}
