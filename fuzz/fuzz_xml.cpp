// The XML layer: whatever loads is saved, loads again and saves to the same bytes.
#include "fuzz_support.h"
#include "platform/core/xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TXmlDocument doc;
    try {
        doc.LoadFromBytes(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const EXmlError&) {
        return 0;
    }
    // The readers' way in: the first node, its text and its elements.
    if (const TXmlNode root = doc.Root()) {
        (void)root.Text();
        if (root.IsElement())
            for (const TXmlNode& n : root.ChildElements())
                (void)n.Text();
    }
    const QByteArray saved = doc.SaveToBytes();
    TXmlDocument again;
    try {
        again.LoadFromBytes(saved);
    } catch (const EXmlError&) {
        FUZZ_REQUIRE(!"a saved document loads");
    }
    FUZZ_REQUIRE(again.SaveToBytes() == saved);
    return 0;
}

#include "fuzz_standalone_main.h"
