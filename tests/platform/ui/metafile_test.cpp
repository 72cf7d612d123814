// Windows metafiles as pictures: a placeable metafile plays at its own size, an enhanced
// metafile and broken bytes are refused with a message, and the picture loader knows a
// metafile by its first bytes.
#include "platform/ui/graphics.h"
#include "platform/ui/metafile.h"

#include <QtCore/QFile>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QByteArray Shapes()
{
    QFile f(QStringLiteral(KV_FIXTURES_DIR "/dropdown/shapes.wmf"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Metafile, APlaceableMetafilePlaysAtItsOwnSize)
{
    const QByteArray data = Shapes();
    ASSERT_FALSE(data.isEmpty());
    EXPECT_EQ(DetectMetafileFormat(data), QByteArray("wmf"));
    TPicture p;
    p.LoadFromData(data);
    ASSERT_NE(dynamic_cast<TMetafile*>(p.Graphic()), nullptr);
    // The header's box is 64 x 48 units at 96 units an inch.
    EXPECT_EQ(p.Width(), 64);
    EXPECT_EQ(p.Height(), 48);
    const QImage img = p.Graphic()->ToImage();
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) ++inked;
    EXPECT_GT(inked, 0) << "the shapes are drawn";
}

TEST(Metafile, EnhancedAndBrokenMetafilesAreRefused)
{
    QByteArray emf(64, '\0');
    emf[0] = 1;
    emf.replace(40, 4, " EMF");
    QByteArray cut = Shapes().left(30);  // the header and a record cut short
    QByteArray noRecords = Shapes().left(22 + 18);
    struct TCase {
        const char* Name;
        QByteArray Data;
        QByteArray Kind;
    } cases[] = {
        {"enhanced", emf, "emf"}, {"cut", cut, "wmf"}, {"header only", noRecords, "wmf"}, {"text", "no metafile", ""},
    };
    for (const TCase& k : cases) {
        SCOPED_TRACE(k.Name);
        EXPECT_EQ(DetectMetafileFormat(k.Data), k.Kind);
        EXPECT_THROW(DecodeWindowsMetafile(k.Data), std::runtime_error);
    }
    try {
        DecodeWindowsMetafile(emf);
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Enhanced metafiles are not supported");
    }
}
