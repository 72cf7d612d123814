// The picture of the grid's HTML cells, its GIF frame selection and animation,
// and the two picture stores.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include "grid/picture_container.h"
#include "platform/core/exceptions.h"

#include "scripted_http.h"

namespace {

QByteArray Fixture(const char* name)
{
    QFile f(QStringLiteral(KV_FIXTURES_DIR "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

const char* kAnim = "grid/frames_delays_offsets.gif"; // red, green, blue; delays 10, 20, 35

QRgb Colour(const THTMLPicture& p, int x, int y) { return p.ToImage().pixel(x, y) & 0xFFFFFF; }

TEST(HTMLPicture, FourBytesGIF8AreNoGIF)
{
    THTMLPicture p;
    EXPECT_THROW(p.LoadFromData("GIF8"), Exception);
    EXPECT_FALSE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), -1);
    EXPECT_EQ(p.GetFrameTime(1), -1);
}

TEST(HTMLPicture, FramesTheirDelaysAndPositions)
{
    THTMLPicture p;
    p.LoadFromData(Fixture(kAnim));
    ASSERT_FALSE(p.Empty());
    EXPECT_TRUE(p.IsGIF());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.MaxWidth(), 8);
    EXPECT_EQ(p.MaxHeight(), 8);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(Colour(p, 1, 1), 0xFF0000u);
    EXPECT_EQ(p.GetFrameTime(1), 10);
    EXPECT_EQ(p.GetFrameTime(3), 35);
    EXPECT_EQ(p.GetFrameTime(4), -1);

    int changes = 0;
    p.OnFrameChange = [&](THTMLPicture*) { ++changes; };
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.FrameXPos(), 2);
    EXPECT_EQ(p.FrameYPos(), 3);
    // The decoder was handed the file from frame 2 on and shows it first.
    EXPECT_EQ(Colour(p, 1, 1), 0x00FF00u);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(p.FrameCount(), 3);
    p.SetFrame(3);
    EXPECT_EQ(p.FrameXPos(), 4);
    EXPECT_EQ(p.FrameYPos(), 1);
    EXPECT_EQ(Colour(p, 1, 1), 0x0000FFu);
}

TEST(HTMLPicture, FrameStepsWrapAroundAndTheAnimationAdvancesByDelay)
{
    THTMLPicture p;
    p.LoadFromData(Fixture(kAnim));
    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);

    THTMLPicture a;
    a.LoadFromData(Fixture(kAnim));
    std::vector<int> frames;
    for (int tick = 0; tick < 8; ++tick)
        if (a.Step()) frames.push_back(a.Frame());
    // Frame 2 on the second tick, frame 3 two ticks (20 hundredths) later and
    // frame 1 again four ticks (35 hundredths) after that.
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(Colour(a, 1, 1), 0xFF0000u);
}

TEST(HTMLPicture, ASecondGIFReportsItsOwnFrameCount)
{
    THTMLPicture p;
    p.LoadFromData(Fixture(kAnim));
    ASSERT_EQ(p.FrameCount(), 3);
    TMemoryStream two;
    const QByteArray bytes = Fixture("grid/two_frames.gif");
    two.WriteBuffer(bytes.constData(), bytes.size());
    p.LoadFromStream(&two);
    EXPECT_EQ(p.FrameCount(), 2);
    p.LoadFromFile(QStringLiteral(KV_FIXTURES_DIR "/") + QLatin1String(kAnim));
    EXPECT_EQ(p.FrameCount(), 3);
    p.ReadData(&two);
    EXPECT_EQ(p.FrameCount(), 2);
}

TEST(HTMLPicture, TruncatedGIFIsNeverReadPastItsEnd)
{
    const QByteArray whole = Fixture(kAnim);
    ASSERT_GT(whole.size(), 40);
    // Cut inside frame 2's image descriptor and at every length around it.
    for (qsizetype n = 0x48; n <= 0x58; ++n) {
        THTMLPicture p;
        p.SetFrame(2);
        try {
            p.LoadFromData(whole.left(n));
        } catch (const Exception&) {
        }
        EXPECT_GE(p.FrameCount(), 1) << n;
        (void)p.GetFrameTime(2);
    }
}

TEST(HTMLPicture, LoadFailuresAndAssign)
{
    THTMLPicture p;
    try {
        p.LoadFromData("not a picture at all");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Could not load image. Invalid format");
    }
    EXPECT_FALSE(p.Empty()); // the data is kept, no picture
    EXPECT_EQ(p.Width(), 0);

    THTMLPicture missing;
    missing.LoadFromFile(QStringLiteral("/nonexistent/picture.gif"));
    EXPECT_TRUE(missing.Empty());

    THTMLPicture src;
    src.LoadFromData(Fixture(kAnim));
    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&] { ++changes; };
    copy.Assign(&src);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.FrameCount(), 3);
    EXPECT_EQ(copy.Width(), 4);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
    EXPECT_EQ(copy.Height(), 0);
    EXPECT_TRUE(copy.Data().isEmpty());

    TMemoryStream out;
    src.SaveToStream(&out);
    EXPECT_EQ(out.Size(), Fixture(kAnim).size());
}

TEST(HTMLPicture, AddressesResourcesFilesAndRemote)
{
    QImage red(3, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    RegisterResourceImage(QStringLiteral("html_test_red"), red);

    THTMLPicture r;
    r.LoadFromURL(QStringLiteral("rEs://html_test_red"));
    EXPECT_EQ(r.ID(), "rEs://html_test_red");
    EXPECT_EQ(r.Width(), 3);
    EXPECT_EQ(r.Height(), 2);

    THTMLPicture f;
    f.LoadFromURL(QStringLiteral("FILE://"));
    EXPECT_EQ(f.ID(), "FILE://");
    EXPECT_TRUE(f.Empty());
    f.LoadFromURL(QStringLiteral("file://") + QStringLiteral(KV_FIXTURES_DIR "/") + QLatin1String(kAnim));
    EXPECT_EQ(f.FrameCount(), 3);

    TScriptedHttp http;
    THttpScope scope(&http);
    THTMLPicture remote;
    remote.LoadFromURL(QStringLiteral("http://127.0.0.1/x.gif"));
    EXPECT_TRUE(remote.Busy());
    EXPECT_TRUE(remote.Empty());
    EXPECT_TRUE(remote.ID().isEmpty());
    EXPECT_TRUE(http.Asked.empty()); // an asynchronous request is only marked as taken
    THTMLPicture sync;
    sync.SetAsynch(false);
    sync.LoadFromURL(QStringLiteral("http://127.0.0.1/x.gif"));
    EXPECT_FALSE(sync.Busy());
    EXPECT_EQ(sync.ID(), "http://127.0.0.1/x.gif");

    THTMLPicture id;
    EXPECT_THROW(id.LoadFromResourceID(987654), EResNotFound);
}

// A synchronous request by address goes out once through the HTTP seam; what
// comes back is the picture, or nothing with the reason reported.
TEST(HTMLPicture, AnAddressIsFetchedOnceThroughTheHttpSeam)
{
    const QByteArray gif = Fixture(kAnim);
    ASSERT_FALSE(gif.isEmpty());
    TScriptedHttp http;
    http.Answers[QStringLiteral("http://127.0.0.1:8080/ok.gif")] = TScriptedHttp::Reply(200, gif);
    http.Answers[QStringLiteral("http://127.0.0.1:8080/gone.gif")] = TScriptedHttp::Reply(404, "missing", "Not Found");
    http.Answers[QStringLiteral("http://127.0.0.1:8080/junk.gif")] = TScriptedHttp::Reply(200, "not a picture");
    THttpScope scope(&http);
    struct TCase {
        const char* url;
        bool loaded;
        const char* error;
    };
    const TCase cases[] = {
        {"http://127.0.0.1:8080/ok.gif", true, ""},
        {"http://127.0.0.1:8080/gone.gif", false, "404 Not Found"},
        {"http://127.0.0.1:8080/junk.gif", false, "Could not load image. Invalid format"},
        {"http://127.0.0.1:8080/refused.gif", false, "Connection refused"},
        {"https://127.0.0.1/secure.gif", false, "Connection refused"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.url);
        http.Asked.clear();
        THTMLPicture p;
        p.SetAsynch(false);
        int completed = 0;
        QString error;
        p.OnDownLoadComplete = [&](THTMLPicture*) { ++completed; };
        p.OnDownLoadError = [&](THTMLPicture*, const QString& e) { error = e; };
        p.LoadFromURL(QString::fromLatin1(c.url));
        ASSERT_EQ(http.Asked.size(), 1u);
        EXPECT_EQ(http.TimeoutMs, THTMLPicture::DownloadTimeoutMs);
        EXPECT_EQ(p.ID(), QString::fromLatin1(c.url));
        EXPECT_EQ(p.Empty(), !c.loaded);
        EXPECT_EQ(p.Width(), c.loaded ? 4 : 0);
        EXPECT_EQ(completed, c.loaded ? 1 : 0);
        EXPECT_EQ(error, QString::fromLatin1(c.error));
    }
}

TEST(HTMLPicture, SizeWritesAndTheClipboardLeaveThePictureAlone)
{
    THTMLPicture p;
    p.LoadFromData(Fixture(kAnim));
    p.SetWidth(100);
    p.SetHeight(1);
    EXPECT_EQ(p.Width(), 4);
    EXPECT_EQ(p.Height(), 4);
    THTMLPicture empty;
    empty.LoadFromClipboardFormat(CF_TEXT, Fixture(kAnim));
    EXPECT_TRUE(empty.Empty());
    TClipFormat format = 7;
    QByteArray data("kept");
    p.SaveToClipboardFormat(format, data);
    EXPECT_EQ(format, 7u);
    EXPECT_EQ(data, QByteArray("kept"));
}

TEST(PictureStores, CacheMatchesExactlyAndContainerIgnoresCase)
{
    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->SetID(QStringLiteral("http://Host/A.png"));
    EXPECT_EQ(cache.FindPicture(QStringLiteral("http://Host/A.png")), a);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("HTTP://HOST/A.PNG")), nullptr);
    EXPECT_EQ(cache.Count(), 1);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);

    TPictureContainer box;
    TPictureItem* item = box.Items()->Add();
    item->SetName(QStringLiteral("Logo"));
    item->SetTag(7);
    item->Picture()->LoadFromData(Fixture(kAnim));
    EXPECT_EQ(box.FindPicture(QStringLiteral("LOGO")), item->Picture());
    EXPECT_EQ(box.FindPicture(QStringLiteral("other")), nullptr);

    TPictureContainer copy;
    copy.SetItems(box.Items());
    ASSERT_EQ(copy.Items()->Count(), 1);
    EXPECT_EQ(copy.Items()->Items(0)->Name(), "Logo");
    EXPECT_EQ(copy.Items()->Items(0)->Tag(), 7);
    EXPECT_EQ(copy.Items()->Items(0)->Picture()->FrameCount(), 3);
    TPictureContainer other;
    EXPECT_THROW(copy.Items()->Items(0)->Assign(&other), Exception);
}

} // namespace
