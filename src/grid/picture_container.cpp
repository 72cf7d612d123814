#include "grid/picture_container.h"

#include <QFile>

#include "platform/core/exceptions.h"
#include "platform/core/http.h"
#include "platform/core/sysutils.h"

namespace {
QByteArray ReadWholeStream(TStream* Stream)
{
    Stream->SetPosition(0);
    return Stream->ReadAll();
}
} // namespace

// ---------------------------------------------------------------- THTMLPicture
THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

uint8_t THTMLPicture::ByteAt(qsizetype P) const
{
    // Bytes past the end of a truncated file count 0.
    return P >= 0 && P < FDatastream.size() ? uint8_t(FDatastream[P]) : 0;
}

// A graphic control extension followed directly by an image descriptor.
bool THTMLPicture::IsFrameStart(qsizetype P) const
{
    return ByteAt(P) == 0x21 && P + 9 < FDatastream.size() && ByteAt(P + 1) == 0xF9 && ByteAt(P + 2) == 4
        && ByteAt(P + 8) == 0x2C;
}

bool THTMLPicture::IsGIF() const
{
    return FDatastream.size() > 4 && FDatastream.startsWith("GIF8");
}

int THTMLPicture::FrameCount()
{
    if (FFrameCount != -1) return FFrameCount;
    if (!IsGIF()) return -1;
    int n = 0;
    for (qsizetype p = 0; p < FDatastream.size(); ++p)
        if (IsFrameStart(p)) ++n;
    FFrameCount = n;
    return n;
}

int THTMLPicture::GetFrameTime(int I)
{
    if (!IsGIF()) return -1;
    int n = 0;
    for (qsizetype p = 0; p < FDatastream.size(); ++p) {
        if (!IsFrameStart(p)) continue;
        if (++n != I) continue;
        const uint8_t packed = ByteAt(p + 3);
        FFrameTransp = packed & 1;
        FFrameDisposal = (packed >> 2) & 7;
        return Word16(p + 4);
    }
    return -1;
}

void THTMLPicture::ResetAnimation()
{
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
}

void THTMLPicture::LoadPicture()
{
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    QByteArray bytes;
    const bool gif = IsGIF() && FrameCount() > 0;
    if (gif) {
        FAnimMaxX = uint16_t(Word16(6));
        FAnimMaxY = uint16_t(Word16(8));
        // Leave out the frames before the selected one, so that the decoder
        // shows the selected frame first.
        bytes.reserve(FDatastream.size());
        int k = 1;
        bool skipping = false;
        for (qsizetype p = 0; p < FDatastream.size(); ++p) {
            if (IsFrameStart(p)) {
                if (k == FFrame) {
                    FFrameXPos = uint16_t(Word16(p + 9));
                    FFrameYPos = uint16_t(Word16(p + 11));
                    FFrameXSize = uint16_t(Word16(p + 13));
                    FFrameYSize = uint16_t(Word16(p + 15));
                }
                ++k;
                skipping = FFrame >= k;
            }
            if (!skipping) bytes.append(FDatastream[p]);
        }
    } else {
        bytes = FDatastream;
    }

    gpPicture.reset();
    QImage image;
    try {
        TPicture decoder;
        decoder.LoadFromData(bytes);
        if (decoder.Graphic()) image = decoder.Graphic()->ToImage();
    } catch (const std::exception&) {
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    }
    if (image.isNull()) throw Exception(QStringLiteral("Could not load image"));
    // The decoder paints a GIF frame onto the whole logical screen; the picture
    // is the frame's own area, drawn later at its position.
    if (gif && FFrameXSize > 0 && FFrameYSize > 0 && (image.width() > FFrameXSize || image.height() > FFrameYSize)) {
        const QRect frame(FFrameXPos, FFrameYPos, FFrameXSize, FFrameYSize);
        if (image.rect().contains(frame)) image = image.copy(frame);
    }
    gpPicture = std::make_unique<TIcon>();
    gpPicture->SetImage(image);
}

void THTMLPicture::TakeData(const QByteArray& Data)
{
    // A new picture must not report the frames or animation state of the old one.
    ResetAnimation();
    FDatastream = Data;
    FIsEmpty = false;
    LoadPicture();
}

void THTMLPicture::LoadFromData(const QByteArray& Data)
{
    TakeData(Data);
    NotifyChange();
}

void THTMLPicture::LoadFromFile(const QString& FileName)
{
    try {
        QFile f(FileName);
        if (!f.open(QIODevice::ReadOnly)) throw Exception(QStringLiteral("Could not load image"));
        TakeData(f.readAll());
        NotifyChange();
    } catch (const std::exception&) {
        FIsEmpty = true;
        gpPicture.reset();
    }
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream) return;
    TakeData(ReadWholeStream(Stream));
    NotifyChange();
}

void THTMLPicture::ReadData(TStream* Stream)
{
    if (!Stream) return;
    TakeData(ReadWholeStream(Stream));
}

void THTMLPicture::SaveToStream(TStream* Stream) const
{
    if (Stream && !FDatastream.isEmpty()) Stream->WriteBuffer(FDatastream.constData(), FDatastream.size());
}

void THTMLPicture::LoadFromResourceName(const QString& ResName)
{
    if (!HasResourceImage(ResName)) return;
    LoadFromData(ImageFileBytes(ResourceImage(ResName), "PNG"));
}

void THTMLPicture::LoadFromResourceID(int ResID)
{
    const QString name = QString::number(ResID);
    if (!HasResourceImage(name)) throw EResNotFound(QStringLiteral("Resource %1 not found").arg(name));
    LoadFromData(ImageFileBytes(ResourceImage(name), "PNG"));
}

void THTMLPicture::LoadFromURL(const QString& Url)
{
    const QString up = Url.toUpper();
    if (up.startsWith(QLatin1String("RES://"))) {
        FID = Url;
        const QString rest = Url.mid(6);
        if (!rest.isEmpty()) LoadFromResourceName(rest);
    } else if (up.startsWith(QLatin1String("FILE://"))) {
        FID = Url;
        const QString rest = Url.mid(7);
        if (!rest.isEmpty()) LoadFromFile(rest);
    } else if (!FAsynch) {
        FURL = Url;
        FID = Url;
        Download(Url);
    } else if (!FThreadBusy) {
        // Remote pictures are not fetched: the request is only marked as taken,
        // so later requests for this picture are ignored.
        FURL = Url;
        FThreadBusy = true;
    }
}

// A picture that cannot be had stays empty in the cache, so a cell showing it
// does not ask again on every paint.
void THTMLPicture::Download(const QString& Url)
{
    QString error;
    try {
        const THttpResponse r = HttpGet(Url, {}, DownloadTimeoutMs);
        if (r.IsSuccess()) {
            TakeData(r.Body);
            NotifyChange();
        } else {
            error = QStringLiteral("%1 %2").arg(r.StatusCode).arg(r.StatusText);
        }
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
        FIsEmpty = true;
        gpPicture.reset();
    }
    if (error.isEmpty()) {
        if (OnDownLoadComplete) OnDownLoadComplete(this);
    } else if (OnDownLoadError) {
        OnDownLoadError(this, error);
    }
}

void THTMLPicture::Assign(const TGraphic* Source)
{
    FIsEmpty = true;
    gpPicture.reset();
    ResetAnimation();
    FFrame = 1;
    if (!Source) {
        FDatastream.clear();
        return;
    }
    if (auto* src = dynamic_cast<const THTMLPicture*>(Source)) {
        FDatastream = src->FDatastream;
        FIsEmpty = false;
        LoadPicture();
        NotifyChange();
    }
}

void THTMLPicture::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (FIsEmpty || !gpPicture || !ACanvas) return;
    if (FStretched) {
        gpPicture->Draw(ACanvas, R);
        return;
    }
    // Natural size at the canvas resolution (the platform reports 96 ppi).
    const int w = MulDiv(gpPicture->Width(), kScreenPPI, FLogPixX);
    const int h = MulDiv(gpPicture->Height(), kScreenPPI, FLogPixY);
    gpPicture->Draw(ACanvas, Bounds(R.Left, R.Top, w, h));
}

int THTMLPicture::Width() const { return gpPicture ? gpPicture->Width() : 0; }
int THTMLPicture::Height() const { return gpPicture ? gpPicture->Height() : 0; }
QImage THTMLPicture::ToImage() const { return gpPicture ? gpPicture->ToImage() : QImage(); }

int THTMLPicture::MaxWidth() const
{
    if (!gpPicture) return 0;
    return FAnimMaxX ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const
{
    if (!gpPicture) return 0;
    return FAnimMaxY ? FAnimMaxY : Height();
}

void THTMLPicture::SetFrame(int Value)
{
    FFrame = Value;
    if (!FDatastream.isEmpty()) {
        LoadPicture();
        if (OnFrameChange) OnFrameChange(this);
    }
}

void THTMLPicture::FrameNext()
{
    if (++FFrame > FrameCount()) FFrame = 1;
}

void THTMLPicture::FramePrev()
{
    if (--FFrame < 1) FFrame = FrameCount() > 0 ? FrameCount() : 1;
}

bool THTMLPicture::Step()
{
    if (FFrameCount < 2 || FIsEmpty) return false;
    bool stepped = false;
    if (FNextCount == -1) GetFrameTime(FFrame);
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        LoadPicture();
        FNextCount += GetFrameTime(FFrame);
        stepped = true;
    }
    ++FTimerCount;
    return stepped;
}

// ---------------------------------------------------------------- THTMLPictureCache
THTMLPicture* THTMLPictureCache::AddPicture()
{
    FItems.push_back(new THTMLPicture());
    return FItems.back();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& ID) const
{
    for (THTMLPicture* p : FItems)
        if (p->ID() == ID) return p;
    return nullptr;
}

THTMLPicture* THTMLPictureCache::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[size_t(Index)];
}

void THTMLPictureCache::SetItems(int Index, THTMLPicture* Value)
{
    Items(Index);
    FItems[size_t(Index)] = Value;
}

void THTMLPictureCache::ClearPictures()
{
    for (THTMLPicture* p : FItems) delete p;
    FItems.clear();
}

bool THTMLPictureCache::Animate()
{
    bool any = false;
    for (THTMLPicture* p : FItems)
        if (p->Step()) any = true;
    return any;
}

// ---------------------------------------------------------------- container
TPictureItem::TPictureItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(const TPersistent* Source)
{
    auto* src = dynamic_cast<const TPictureItem*>(Source);
    if (!src) throw Exception(QStringLiteral("Invalid class typecast"));
    FName = src->FName;
    FTag = src->FTag;
    FPicture->Assign(src->FPicture.get());
}

TPictureCollection::TPictureCollection(TPictureContainer* AOwner)
    : TCollection([](TCollection* c) { return new TPictureItem(c); }), FOwner(AOwner)
{
}

bool TPictureCollection::Animate()
{
    bool any = false;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Picture()->Step()) any = true;
    return any;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const QString& Name) const
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->Name().compare(Name, Qt::CaseInsensitive) == 0) return FItems->Items(i)->Picture();
    return nullptr;
}
