#include "common/xml_load.h"

bool Load_Xml_Or_Failure(const QString& Path, TXmlDocument& Doc, QString& Failure)
{
  try {
    Doc.LoadFromFile(Path);
    return true;
  } catch (const Exception& E) {
    Failure = E.Message();
    return false;
  }
}

TXmlNode Need_Child(const TXmlNode& Parent, const QString& Name)
{
  const TXmlNode N = Parent.ChildByName(Name);
  if (N.IsNull())
    throw EXmlError(QStringLiteral("Element \"%1\" not found").arg(Name));
  return N;
}

QString Load_Failure_Text(const QString& Path, const QString& Where, const QString& Message)
{
  return Where.isEmpty() ? QStringLiteral("\"%1\": %2").arg(Path, Message)
                         : QStringLiteral("\"%1\", %2: %3").arg(Path, Where, Message);
}
