// IOLink_Slave.xml through the IODD writer: what the check accepts is written as a
// well-formed document, and one the IODD schema accepts where xmllint is installed.
#include "enip_outputs/iodd_writer.h"
#include "fuzz_support.h"
#include "platform/core/exceptions.h"
#include "platform/core/xml.h"

#include <QStandardPaths>

namespace {

QString Schema()
{
    static const QString path = [] {
        const QString xsd = QStringLiteral(KV_SHARED_TESTDATA_DIR "/iodd/schema/IODD1.1.xsd");
        const bool usable = QFile::exists(xsd) && !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
        return usable ? xsd : QString();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString slave = Fuzz_Path("IOLink_Slave.xml");
    Fuzz_Write(slave, data, size);
    TIODD_Data d;
    try {
        d = Load_IODD_Data(QString(), slave);
    } catch (const Exception&) {
        return 0;
    }
    if (!Check_IODD_Data(d).isEmpty())
        return 0;
    const QString doc = Fuzz_Path("IODD.xml");
    try {
        Write_IODD_Xml(doc, d, QDate(2026, 3, 7));
    } catch (const Exception&) {
        return 0;  // a full disk: reported to the user, not a writer fault
    }
    TXmlDocument parsed;
    try {
        parsed.LoadFromFile(doc);
    } catch (const Exception&) {
        FUZZ_REQUIRE(!"the document is well-formed");
    }
    if (!Schema().isEmpty()) {
        const QByteArray cmd =
            "xmllint --noout --schema '" + Schema().toUtf8() + "' '" + doc.toUtf8() + "' 2>/dev/null";
        FUZZ_REQUIRE(std::system(cmd.constData()) == 0);
    }
    return 0;
}

#include "fuzz_standalone_main.h"
