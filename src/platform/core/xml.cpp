#include "platform/core/xml.h"

#include "platform/core/files.h"

#include <pugixml.hpp>

#include <sstream>

namespace {

[[noreturn]] void NullNodeError()
{
    throw EXmlError(QStringLiteral("XML node not found"));
}

QByteArray U8(const QString& S)
{
    return S.toUtf8();
}

QString FromU8(const char* S)
{
    return QString::fromUtf8(S);
}

// Walks below N in document order without recursion: a file may nest elements deeper
// than any stack allows.
void CollectText(const pugi::xml_node& N, QString& Out)
{
    pugi::xml_node C = N.first_child();
    while (C) {
        if (C.type() == pugi::node_pcdata || C.type() == pugi::node_cdata)
            Out += FromU8(C.value());
        else if (C.type() == pugi::node_element && C.first_child()) {
            C = C.first_child();
            continue;
        }
        // Next in document order: a sibling, or the sibling of the nearest ancestor below N.
        while (C && C != N && !C.next_sibling())
            C = C.parent();
        if (!C || C == N)
            break;
        C = C.next_sibling();
    }
}

// Removes every child of N. The parser's own removal recurses once per level, so the
// deepest nodes go first and each removal takes a leaf.
void RemoveChildren(pugi::xml_node N)
{
    pugi::xml_node C = N.first_child();
    while (C) {
        if (C.first_child()) {
            C = C.first_child();
            continue;
        }
        pugi::xml_node Parent = C.parent();
        Parent.remove_child(C);
        C = Parent == N ? N.first_child() : Parent;
    }
}

void RemoveSubtree(pugi::xml_node N)
{
    RemoveChildren(N);
    N.parent().remove_child(N);
}

// Parse options: keep comments (they count as nodes), keep text made only of blanks when
// it is an element's only content (a value typed as " " survives a round trip), drop the
// declaration and processing instructions.
constexpr unsigned ParseOptions =
    (pugi::parse_default | pugi::parse_comments | pugi::parse_ws_pcdata_single) & ~pugi::parse_pi &
    ~pugi::parse_declaration;

int LineOfOffset(const QByteArray& Bytes, ptrdiff_t Offset)
{
    int Line = 1;
    const ptrdiff_t End = std::min<ptrdiff_t>(Offset, Bytes.size());
    for (ptrdiff_t i = 0; i < End; ++i)
        if (Bytes.at(static_cast<qsizetype>(i)) == '\n')
            ++Line;
    return Line;
}

}  // namespace

// ---- TXmlNode -------------------------------------------------------------------------

TXmlNode::TXmlNode(const pugi::xml_node& N) : FNode(N.internal_object()) {}

pugi::xml_node TXmlNode::Node() const
{
    return pugi::xml_node(FNode);
}

void TXmlNode::Need() const
{
    if (!FNode)
        NullNodeError();
}

TXmlNodeType TXmlNode::NodeType() const
{
    switch (Node().type()) {
    case pugi::node_null:
        return TXmlNodeType::Null;
    case pugi::node_document:
        return TXmlNodeType::Document;
    case pugi::node_element:
        return TXmlNodeType::Element;
    case pugi::node_pcdata:
        return TXmlNodeType::Text;
    case pugi::node_cdata:
        return TXmlNodeType::CData;
    case pugi::node_comment:
        return TXmlNodeType::Comment;
    case pugi::node_pi:
        return TXmlNodeType::ProcessingInstruction;
    case pugi::node_declaration:
        return TXmlNodeType::Declaration;
    case pugi::node_doctype:
        return TXmlNodeType::Doctype;
    }
    return TXmlNodeType::Null;
}

QString TXmlNode::NodeName() const
{
    Need();
    switch (Node().type()) {
    case pugi::node_comment:
        return QStringLiteral("#comment");
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_document:
        return QStringLiteral("#document");
    default:
        return FromU8(Node().name());
    }
}

QString TXmlNode::Text() const
{
    Need();
    const pugi::xml_node N = Node();
    if (N.type() == pugi::node_comment || N.type() == pugi::node_pcdata || N.type() == pugi::node_cdata ||
        N.type() == pugi::node_pi)
        return FromU8(N.value());
    QString R;
    CollectText(N, R);
    return R;
}

void TXmlNode::SetText(const QString& Value)
{
    Need();
    pugi::xml_node N = Node();
    if (N.type() == pugi::node_comment || N.type() == pugi::node_pcdata || N.type() == pugi::node_cdata) {
        N.set_value(U8(Value).constData());
        return;
    }
    RemoveChildren(N);
    if (!Value.isEmpty())
        N.append_child(pugi::node_pcdata).set_value(U8(Value).constData());
}

TXmlNode TXmlNode::ChildByName(const QString& Name) const
{
    Need();
    return TXmlNode(Node().child(U8(Name).constData()));
}

int TXmlNode::ChildCount() const
{
    Need();
    int N = 0;
    for (pugi::xml_node C = Node().first_child(); C; C = C.next_sibling())
        ++N;
    return N;
}

TXmlNode TXmlNode::Child(int Index) const
{
    Need();
    if (Index >= 0) {
        int i = 0;
        for (pugi::xml_node C = Node().first_child(); C; C = C.next_sibling(), ++i)
            if (i == Index)
                return TXmlNode(C);
    }
    throw EXmlError(QStringLiteral("XML child index out of bounds (%1)").arg(Index));
}

std::vector<TXmlNode> TXmlNode::Children() const
{
    Need();
    std::vector<TXmlNode> R;
    for (pugi::xml_node C = Node().first_child(); C; C = C.next_sibling())
        R.emplace_back(C);
    return R;
}

std::vector<TXmlNode> TXmlNode::ChildElements(const QString& Name) const
{
    Need();
    std::vector<TXmlNode> R;
    const QByteArray N8 = U8(Name);
    for (pugi::xml_node C = Node().first_child(); C; C = C.next_sibling())
        if (C.type() == pugi::node_element && (Name.isEmpty() || N8 == C.name()))
            R.emplace_back(C);
    return R;
}

TXmlNode TXmlNode::FirstChild() const
{
    Need();
    return TXmlNode(Node().first_child());
}

TXmlNode TXmlNode::NextSibling() const
{
    Need();
    return TXmlNode(Node().next_sibling());
}

TXmlNode TXmlNode::ParentNode() const
{
    Need();
    return TXmlNode(Node().parent());
}

QString TXmlNode::Attribute(const QString& Name) const
{
    Need();
    const pugi::xml_attribute A = Node().attribute(U8(Name).constData());
    if (!A)
        throw EXmlError(QStringLiteral("Attribute \"%1\" not found").arg(Name));
    return FromU8(A.value());
}

QString TXmlNode::AttributeDef(const QString& Name, const QString& Default) const
{
    if (!FNode)
        return Default;
    const pugi::xml_attribute A = Node().attribute(U8(Name).constData());
    return A ? FromU8(A.value()) : Default;
}

bool TXmlNode::HasAttribute(const QString& Name) const
{
    return FNode && Node().attribute(U8(Name).constData());
}

int TXmlNode::AttributeCount() const
{
    Need();
    int N = 0;
    for (pugi::xml_attribute A = Node().first_attribute(); A; A = A.next_attribute())
        ++N;
    return N;
}

QString TXmlNode::AttributeName(int Index) const
{
    Need();
    int i = 0;
    for (pugi::xml_attribute A = Node().first_attribute(); A; A = A.next_attribute(), ++i)
        if (i == Index)
            return FromU8(A.name());
    throw EXmlError(QStringLiteral("XML attribute index out of bounds (%1)").arg(Index));
}

QString TXmlNode::AttributeValue(int Index) const
{
    Need();
    int i = 0;
    for (pugi::xml_attribute A = Node().first_attribute(); A; A = A.next_attribute(), ++i)
        if (i == Index)
            return FromU8(A.value());
    throw EXmlError(QStringLiteral("XML attribute index out of bounds (%1)").arg(Index));
}

void TXmlNode::SetAttribute(const QString& Name, const QString& Value)
{
    Need();
    pugi::xml_node N = Node();
    const QByteArray N8 = U8(Name);
    pugi::xml_attribute A = N.attribute(N8.constData());
    if (!A)
        A = N.append_attribute(N8.constData());
    A.set_value(U8(Value).constData());
}

TXmlNode TXmlNode::AddChild(const QString& Name)
{
    Need();
    return TXmlNode(Node().append_child(U8(Name).constData()));
}

TXmlNode TXmlNode::AddComment(const QString& Text)
{
    Need();
    pugi::xml_node C = Node().append_child(pugi::node_comment);
    C.set_value(U8(Text).constData());
    return TXmlNode(C);
}

TXmlNode TXmlNode::AddText(const QString& Text)
{
    Need();
    pugi::xml_node C = Node().append_child(pugi::node_pcdata);
    C.set_value(U8(Text).constData());
    return TXmlNode(C);
}

void TXmlNode::RemoveChild(const TXmlNode& Child)
{
    Need();
    if (Child.FNode && Child.Node().parent() == Node())
        RemoveSubtree(Child.Node());
}

void TXmlNode::ClearChildren()
{
    Need();
    RemoveChildren(Node());
}

// ---- TXmlDocument ---------------------------------------------------------------------

TXmlDocument::TXmlDocument() : FDoc(std::make_unique<pugi::xml_document>()) {}

TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::LoadFromBytes(const QByteArray& Bytes, const QString& SourceName)
{
    FDoc->reset();
    const pugi::xml_parse_result R = FDoc->load_buffer(Bytes.constData(), Bytes.size(), ParseOptions);
    if (!R) {
        FDoc->reset();
        const QString What = SourceName.isEmpty() ? QStringLiteral("XML text") : QStringLiteral("\"%1\"").arg(SourceName);
        throw EXmlError(QStringLiteral("Error loading %1, line %2: %3")
                            .arg(What)
                            .arg(LineOfOffset(Bytes, R.offset))
                            .arg(QString::fromUtf8(R.description())));
    }
}

void TXmlDocument::LoadFromFile(const QString& FileName)
{
    QByteArray Bytes;
    try {
        Bytes = ReadBinaryFile(FileName);
    } catch (const Exception& E) {
        FDoc->reset();
        throw EXmlError(E.Message());
    }
    LoadFromBytes(Bytes, FileName);
}

void TXmlDocument::LoadFromString(const QString& Xml)
{
    LoadFromBytes(Xml.toUtf8());
}

QByteArray TXmlDocument::SaveToBytes() const
{
    std::ostringstream Out;
    for (pugi::xml_node N = FDoc->first_child(); N; N = N.next_sibling()) {
        N.print(Out, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
        Out << "\r\n";
    }
    const std::string S = Out.str();
    return QByteArray(S.data(), static_cast<qsizetype>(S.size()));
}

void TXmlDocument::SaveToFile(const QString& FileName) const
{
    WriteFileAtomic(FileName, SaveToBytes());
}

void TXmlDocument::Clear()
{
    FDoc->reset();
}

bool TXmlDocument::IsEmpty() const
{
    return !FDoc->first_child();
}

TXmlNode TXmlDocument::Root() const
{
    return TXmlNode(FDoc->first_child());
}

TXmlNode TXmlDocument::DocumentElement() const
{
    return TXmlNode(FDoc->document_element());
}

int TXmlDocument::ChildCount() const
{
    return AsNode().ChildCount();
}

TXmlNode TXmlDocument::Child(int Index) const
{
    return AsNode().Child(Index);
}

TXmlNode TXmlDocument::AsNode() const
{
    return TXmlNode(static_cast<const pugi::xml_node&>(*FDoc));
}

TXmlNode TXmlDocument::AddChild(const QString& Name)
{
    return TXmlNode(FDoc->append_child(U8(Name).constData()));
}

TXmlNode TXmlDocument::AddComment(const QString& Text)
{
    pugi::xml_node C = FDoc->append_child(pugi::node_comment);
    C.set_value(U8(Text).constData());
    return TXmlNode(C);
}
