#include "editors_industrial/scl_model.h"

#include "platform/core/files.h"
#include "platform/core/xml.h"

#include <QHash>
#include <QStringList>

// ---- element matching and the template index ------------------------------------------

namespace {

// The namespace an element's prefix (empty: the default namespace) is bound to, searched
// from the element up; found = false when no declaration binds it.
QString Namespace_Of(const TXmlNode& Element, const QString& Prefix, bool& found)
{
  const QString attr = Prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + Prefix;
  for (TXmlNode n = Element; n && n.NodeType() == TXmlNodeType::Element; n = n.ParentNode()) {
    if (n.HasAttribute(attr)) {
      found = true;
      return n.Attribute(attr);
    }
  }
  found = false;
  return QString();
}

// An element of the given local name that belongs to SCL: no prefix (and no foreign default
// namespace), or a prefix bound to the SCL namespace. Comments and text never match.
bool Is_SCL(const TXmlNode& Node, const QString& LocalName)
{
  if (Node.NodeType() != TXmlNodeType::Element)
    return false;
  const QString name = Node.NodeName();
  const qsizetype colon = name.indexOf(QLatin1Char(':'));
  if (colon < 0 ? name != LocalName : QStringView(name).mid(colon + 1) != LocalName)
    return false;
  bool found = false;
  if (colon < 0) {
    const QString ns = Namespace_Of(Node, QString(), found);
    return !found || ns.isEmpty() || ns == SCL_Namespace;
  }
  const QString ns = Namespace_Of(Node, name.left(colon), found);
  return found && ns == SCL_Namespace;
}

TXmlNode First_SCL_Child(const TXmlNode& Parent, const QString& LocalName)
{
  for (TXmlNode c = Parent.FirstChild(); c; c = c.NextSibling())
    if (Is_SCL(c, LocalName))
      return c;
  return TXmlNode();
}

QString Attr(const TXmlNode& Element, const QString& Name)
{
  return Element.AttributeDef(Name, QString());
}

// Nesting deeper than this is not expanded: real models stay far below it, and it keeps
// every recursive walk of the model within the stack.
constexpr int Max_Type_Depth = 64;

}  // namespace

// The DataTypeTemplates of one file, indexed by id once (every template of an id is kept,
// in file order), with the types on the path being expanded and the node budget.
class TSCL_Context {
public:
  explicit TSCL_Context(const TXmlNode& DTT)
  {
    for (TXmlNode c = DTT.FirstChild(); c; c = c.NextSibling()) {
      if (Is_SCL(c, QStringLiteral("LNodeType")))
        LNodeTypes[Attr(c, QStringLiteral("id"))].push_back(c);
      else if (Is_SCL(c, QStringLiteral("DOType")))
        DOTypes[Attr(c, QStringLiteral("id"))].push_back(c);
      else if (Is_SCL(c, QStringLiteral("DAType")))
        DATypes[Attr(c, QStringLiteral("id"))].push_back(c);
    }
  }

  static const std::vector<TXmlNode>& Find(const QHash<QString, std::vector<TXmlNode>>& index, const QString& id)
  {
    static const std::vector<TXmlNode> none;
    const auto it = index.constFind(id);
    return it == index.constEnd() ? none : *it;
  }

  // Whether another object may be made, counting it when so.
  bool Take_Node()
  {
    if (Nodes >= Max_Model_Nodes)
      return false;
    ++Nodes;
    return true;
  }

  // Whether a type may be expanded here: not already on the path, not too deep.
  bool May_Expand(const QStringList& path, const QString& type) const
  {
    return Depth < Max_Type_Depth && !path.contains(type);
  }

  QHash<QString, std::vector<TXmlNode>> LNodeTypes, DOTypes, DATypes;
  QStringList DO_Path, DA_Path;
  int Depth = 0;
  int Nodes = 0;
};

namespace {

// Pushes a type on a path for the time of one expansion.
class TPathScope {
public:
  TPathScope(TSCL_Context& ctx, QStringList& path, const QString& type) : FCtx(ctx), FPath(path)
  {
    FPath.append(type);
    ++FCtx.Depth;
  }
  ~TPathScope()
  {
    FPath.removeLast();
    --FCtx.Depth;
  }
  TPathScope(const TPathScope&) = delete;
  TPathScope& operator=(const TPathScope&) = delete;

private:
  TSCL_Context& FCtx;
  QStringList& FPath;
};

template <class T>
T* Find_Depth_First(const TOwnedList<T>& list, const QString& name, TOwnedList<T> T::*children)
{
  for (const auto& item : list) {
    if (item->Name() == name)
      return item.get();
    if (T* found = Find_Depth_First(*item.*children, name, children))
      return found;
  }
  return nullptr;
}

template <class T>
T* Find_Direct(const TOwnedList<T>& list, const QString& name)
{
  for (const auto& item : list)
    if (item->Name() == name)
      return item.get();
  return nullptr;
}

}  // namespace

// ---- TIEC_DA ----------------------------------------------------------------------------

TIEC_DA* TIEC_DA::Find_DA(const QString& DA_Name) const
{
  return Find_Depth_First(List_DA, DA_Name, &TIEC_DA::List_DA);
}

TIEC_DA* TIEC_DA::Find_First_DA() const
{
  if (List_DA.empty())
    return nullptr;
  TIEC_DA* da = List_DA.front().get();
  while (!da->List_DA.empty())
    da = da->List_DA.front().get();
  return da;
}

void TIEC_DA::Decode_DA(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                        const QString& FC_Father)
{
  fName = Attr(Element, QStringLiteral("name"));
  fReference = str_Reference + QLatin1Char('.') + fName;
  fbType = Attr(Element, QStringLiteral("bType"));
  fFC = FC_Father;
  if (Element.HasAttribute(QStringLiteral("fc")))
    fFC = Element.Attribute(QStringLiteral("fc"));

  if (!Element.HasAttribute(QStringLiteral("type")) || fbType == QLatin1String("Enum"))
    return;
  const QString type = Element.Attribute(QStringLiteral("type"));
  if (!DTT.May_Expand(DTT.DA_Path, type))
    return;
  TPathScope scope(DTT, DTT.DA_Path, type);
  for (const TXmlNode& daType : TSCL_Context::Find(DTT.DATypes, type))
    for (TXmlNode c = daType.FirstChild(); c; c = c.NextSibling())
      if (Is_SCL(c, QStringLiteral("BDA")) && DTT.Take_Node())
        List_DA.Add(std::make_unique<TIEC_DA>())->Decode_DA(c, DTT, fReference, fFC);
}

// ---- TIEC_DO ----------------------------------------------------------------------------

TIEC_DO* TIEC_DO::Find_DO(const QString& DO_Name) const
{
  return Find_Depth_First(List_DO, DO_Name, &TIEC_DO::List_DO);
}

TIEC_DA* TIEC_DO::Find_DA(const QString& DA_Name) const
{
  return Find_Depth_First(List_DA, DA_Name, &TIEC_DA::List_DA);
}

TIEC_DA* TIEC_DO::Find_First_DA() const
{
  if (List_DA.empty())
    return nullptr;
  TIEC_DA* first = List_DA.front().get();
  return first->List_DA.empty() ? first : first->Find_First_DA();
}

void TIEC_DO::Decode_DO(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference)
{
  fName = Attr(Element, QStringLiteral("name"));
  const QString reference = str_Reference + QLatin1Char('.') + fName;
  const QString type = Attr(Element, QStringLiteral("type"));
  if (type.isEmpty() || !DTT.May_Expand(DTT.DO_Path, type))
    return;
  TPathScope scope(DTT, DTT.DO_Path, type);
  for (const TXmlNode& doType : TSCL_Context::Find(DTT.DOTypes, type)) {
    for (TXmlNode c = doType.FirstChild(); c; c = c.NextSibling()) {
      if (Is_SCL(c, QStringLiteral("SDO"))) {
        if (DTT.Take_Node())
          List_DO.Add(std::make_unique<TIEC_DO>())->Decode_DO(c, DTT, reference);
      } else if (Is_SCL(c, QStringLiteral("DA"))) {
        if (DTT.Take_Node())
          List_DA.Add(std::make_unique<TIEC_DA>())->Decode_DA(c, DTT, reference, QString());
      }
    }
  }
}

// ---- TIEC_DataSet -----------------------------------------------------------------------

namespace {

// A dotted name walked one segment at a time among direct children; a single name keeps
// the depth-first search.
TIEC_DO* Resolve_DO(const TIEC_LN& ln, const QString& doName)
{
  const QStringList parts = doName.split(QLatin1Char('.'));
  if (parts.size() == 1)
    return ln.Find_DO(doName);
  TIEC_DO* d = Find_Direct(ln.List_DO, parts.front());
  for (qsizetype i = 1; d && i < parts.size(); ++i)
    d = Find_Direct(d->List_DO, parts.at(i));
  return d;
}

TIEC_DA* Resolve_DA(const TIEC_DO& d, const QString& daName)
{
  if (daName.isEmpty())
    return d.Find_First_DA();
  const QStringList parts = daName.split(QLatin1Char('.'));
  if (parts.size() == 1)
    return d.Find_DA(daName);
  TIEC_DA* a = Find_Direct(d.List_DA, parts.front());
  for (qsizetype i = 1; a && i < parts.size(); ++i)
    a = Find_Direct(a->List_DA, parts.at(i));
  return a;
}

}  // namespace

void TIEC_DataSet::Decode_DataSet(const TXmlNode& Element, TSCL_Context& /*DTT*/, const QString& str_Reference,
                                  TIEC_Device& IEC_Device)
{
  fName = Attr(Element, QStringLiteral("name"));
  fReference = str_Reference + QLatin1Char('.') + fName;
  for (TXmlNode c = Element.FirstChild(); c; c = c.NextSibling()) {
    if (!Is_SCL(c, QStringLiteral("FCDA")))
      continue;
    const QString ldInst = Attr(c, QStringLiteral("ldInst"));
    const QString lnClass = Attr(c, QStringLiteral("lnClass"));
    const QString doName = Attr(c, QStringLiteral("doName"));
    if (ldInst.isEmpty() || lnClass.isEmpty() || doName.isEmpty())
      continue;
    const TIEC_LDevice* ld = IEC_Device.Find_LDevice(ldInst);
    const TIEC_LN* ln =
        ld ? ld->Find_LN(Attr(c, QStringLiteral("prefix")), lnClass, Attr(c, QStringLiteral("lnInst"))) : nullptr;
    const TIEC_DO* d = ln ? Resolve_DO(*ln, doName) : nullptr;
    TIEC_DA* a = d ? Resolve_DA(*d, Attr(c, QStringLiteral("daName"))) : nullptr;
    if (a)
      List_DA.push_back(a);
  }
}

// ---- TIEC_LN ----------------------------------------------------------------------------

TIEC_DO* TIEC_LN::Find_DO(const QString& DO_Name) const
{
  return Find_Depth_First(List_DO, DO_Name, &TIEC_DO::List_DO);
}

void TIEC_LN::Decode_LN(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference)
{
  flnClass = Attr(Element, QStringLiteral("lnClass"));
  flnType = Attr(Element, QStringLiteral("lnType"));
  fPrefix = Attr(Element, QStringLiteral("prefix"));
  fInst = Attr(Element, QStringLiteral("inst"));
  const QString reference = str_Reference + QLatin1Char('/') + fPrefix + flnClass + fInst;
  if (flnType.isEmpty())
    return;
  for (const TXmlNode& lnType : TSCL_Context::Find(DTT.LNodeTypes, flnType))
    for (TXmlNode c = lnType.FirstChild(); c; c = c.NextSibling())
      if (Is_SCL(c, QStringLiteral("DO")) && DTT.Take_Node())
        List_DO.Add(std::make_unique<TIEC_DO>())->Decode_DO(c, DTT, reference);
}

void TIEC_LN::Decode_LN_DataSet(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                                TIEC_Device& IEC_Device)
{
  flnClass = Attr(Element, QStringLiteral("lnClass"));
  // Prefix and instance belong to the reference: data sets of XSWI1 and XSWI2 differ.
  const QString base = str_Reference + QLatin1Char('/') + Attr(Element, QStringLiteral("prefix")) + flnClass +
                       Attr(Element, QStringLiteral("inst"));
  if (Attr(Element, QStringLiteral("lnType")).isEmpty())
    return;
  for (TXmlNode c = Element.FirstChild(); c; c = c.NextSibling())
    if (Is_SCL(c, QStringLiteral("DataSet")))
      List_DataSet.Add(std::make_unique<TIEC_DataSet>())->Decode_DataSet(c, DTT, base, IEC_Device);
  for (TXmlNode c = Element.FirstChild(); c; c = c.NextSibling())
    if (Is_SCL(c, QStringLiteral("GSEControl")))
      Decode_LN_Goose(c, base);
}

void TIEC_LN::Decode_LN_Goose(const TXmlNode& Element, const QString& /*str_Reference*/)
{
  const QString name = Attr(Element, QStringLiteral("name"));
  const QString datSet = Attr(Element, QStringLiteral("datSet"));
  if (name.isEmpty() || datSet.isEmpty())
    return;
  for (const auto& ds : List_DataSet) {
    if (ds->Name() == datSet) {
      ds->fGooseName = name;
      return;
    }
  }
}

// ---- TIEC_LDevice -----------------------------------------------------------------------

TIEC_LN* TIEC_LDevice::Find_LN(const QString& Prefix, const QString& LN_Class, const QString& Inst) const
{
  for (const auto& ln : List_LN)
    if (ln->lnClass() == LN_Class && ln->Prefix() == Prefix && ln->Inst() == Inst)
      return ln.get();
  return nullptr;
}

void TIEC_LDevice::Decode_LDevice(const TXmlNode& Element, TSCL_Context& DTT, const QString& str_Reference,
                                  bool DataSetSearch, TIEC_Device* IEC_Device)
{
  fName = Attr(Element, QStringLiteral("inst"));
  const QString reference = str_Reference + fName;
  size_t k = 0;
  for (TXmlNode c = Element.FirstChild(); c; c = c.NextSibling()) {
    if (!Is_SCL(c, QStringLiteral("LN0")) && !Is_SCL(c, QStringLiteral("LN")))
      continue;
    if (!DataSetSearch)
      List_LN.Add(std::make_unique<TIEC_LN>())->Decode_LN(c, DTT, reference);
    else if (k < List_LN.size() && IEC_Device)
      List_LN[k]->Decode_LN_DataSet(c, DTT, reference, *IEC_Device);
    ++k;
  }
}

// ---- TIEC_Device ------------------------------------------------------------------------

TIEC_Device::TIEC_Device(const QString& FileName_icd)
{
  fFileName = ExtractFileName(FileName_icd);
  Decode_Device(FileName_icd);
}

TIEC_LDevice* TIEC_Device::Find_LDevice(const QString& LD_Name) const
{
  return Find_Direct(List_LDevice, LD_Name);
}

void TIEC_Device::Decode_Device(const QString& FileName_icd)
{
  if (!FileExists(FileName_icd))
    return;
  TXmlDocument doc;
  doc.LoadFromFile(FileName_icd);
  const TXmlNode scl = First_SCL_Child(doc.AsNode(), QStringLiteral("SCL"));
  if (!scl)
    return;
  const TXmlNode ied = First_SCL_Child(scl, QStringLiteral("IED"));
  const TXmlNode dtt = First_SCL_Child(scl, QStringLiteral("DataTypeTemplates"));
  if (!ied || !dtt)
    return;
  fName = Attr(ied, QStringLiteral("name"));
  const TXmlNode accessPoint = First_SCL_Child(ied, QStringLiteral("AccessPoint"));
  const TXmlNode server = accessPoint ? First_SCL_Child(accessPoint, QStringLiteral("Server")) : TXmlNode();
  if (!server)
    return;

  TSCL_Context ctx(dtt);
  // Data sets may name attributes of any logical device, so they wait for a second pass.
  for (TXmlNode c = server.FirstChild(); c; c = c.NextSibling())
    if (Is_SCL(c, QStringLiteral("LDevice")))
      List_LDevice.Add(std::make_unique<TIEC_LDevice>())->Decode_LDevice(c, ctx, fName, false, nullptr);
  size_t k = 0;
  for (TXmlNode c = server.FirstChild(); c; c = c.NextSibling()) {
    if (!Is_SCL(c, QStringLiteral("LDevice")))
      continue;
    if (k < List_LDevice.size())
      List_LDevice[k]->Decode_LDevice(c, ctx, fName, true, this);
    ++k;
  }
}
