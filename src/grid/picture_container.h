#pragma once
// Pictures shown by the grid's HTML cells: THTMLPicture keeps the raw bytes of
// an image file and decodes them with the platform's picture decoder; for a GIF
// it can select one frame of the animation (the decoder is handed the file
// without the frames before it) and step through the frames. The grid keeps
// pictures loaded by address in a THTMLPictureCache and named pictures in a
// TPictureContainer.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/core/classes.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/graphics.h"

class THTMLPicture : public TGraphic {
public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Copies the data of another THTMLPicture and decodes it; nullptr empties the
    // picture and its data; any other graphic leaves it empty with its data.
    void Assign(const TGraphic* Source);
    // Stretched: over the whole of R; otherwise at R's top-left at natural size.
    void Draw(TCanvas* ACanvas, const TRect& R) override;
    bool Empty() const override { return FIsEmpty; }
    // Pixel sizes at 96 pixels per inch; 0 without a decoded picture.
    int Width() const override;
    int Height() const override;
    // The size is the decoded image's: writing it does nothing.
    void SetWidth(int) {}
    void SetHeight(int) {}
    QImage ToImage() const override;
    // Takes Data as the picture's bytes and decodes them (raises on failure).
    void LoadFromData(const QByteArray& Data) override;

    // Never raises: a failed load leaves the picture empty.
    void LoadFromFile(const QString& FileName);
    // Nothing for a nil stream; the stream is read from its start. Raises the
    // decoder messages.
    void LoadFromStream(TStream* Stream);
    // As LoadFromStream, without the change notice.
    void ReadData(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    void WriteData(TStream* Stream) const { SaveToStream(Stream); }
    // A picture does not travel through the clipboard: loading ignores the block,
    // saving leaves the format and the data as they were.
    void LoadFromClipboardFormat(TClipFormat, const QByteArray&) {}
    void SaveToClipboardFormat(TClipFormat&, QByteArray&) const {}
    // A picture of the program's resource registry (stored as PNG bytes); an
    // unknown name loads nothing.
    void LoadFromResourceName(const QString& ResName);
    // The resource named by the number; raises EResNotFound when there is none.
    void LoadFromResourceID(int ResID);
    // "RES://name" and "FILE://path" (any letter case) load. Any other address is
    // fetched at once with one bounded GET through the platform's HTTP seam when the
    // picture is not Asynch (the HTML renderer asks so); a failed request or an
    // undecodable reply leaves it empty. An Asynch request is only marked as taken
    // (Busy): the program runs no second thread to serve it.
    void LoadFromURL(const QString& Url);
    static constexpr int DownloadTimeoutMs = 5000;

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    int Frame() const { return FFrame; }
    void SetFrame(int Value);
    bool Busy() const { return FThreadBusy; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    QString ID() const { return FID; }
    void SetID(const QString& Value) { FID = Value; }
    bool IsDB() const { return FIsDB; }
    void SetIsDB(bool Value) { FIsDB = Value; }
    const QByteArray& Data() const { return FDatastream; }

    bool IsGIF() const;
    // Frames of a GIF (cached); -1 for any other data.
    int FrameCount();
    // Delay of frame I (1-based) in hundredths of a second; -1 when there is none.
    int GetFrameTime(int I);
    void FrameNext();
    void FramePrev();
    // One animation tick (ten hundredths of a second); true when the frame changed.
    bool Step();
    int MaxWidth() const;
    int MaxHeight() const;
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    bool FrameTransparent() const { return FFrameTransp; }
    int FrameDisposal() const { return FFrameDisposal; }

    std::function<void(THTMLPicture*)> OnFrameChange;
    // A fetch by address ends with OnDownLoadComplete or OnDownLoadError (the
    // reason); the one request is not stepped or cancelled, so the other two are
    // kept for users of the class and never fire.
    std::function<void(THTMLPicture*, unsigned, unsigned)> OnDownLoadProgress;
    std::function<void(THTMLPicture*, bool&)> OnDownLoadCancel;
    std::function<void(THTMLPicture*)> OnDownLoadComplete;
    std::function<void(THTMLPicture*, const QString&)> OnDownLoadError;

private:
    void LoadPicture();
    void Download(const QString& Url);
    void ResetAnimation();
    void TakeData(const QByteArray& Data);
    void NotifyChange() { if (OnChange) OnChange(); }
    uint8_t ByteAt(qsizetype P) const;
    int Word16(qsizetype P) const { return ByteAt(P) | (ByteAt(P + 1) << 8); }
    bool IsFrameStart(qsizetype P) const;

    QByteArray FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    std::unique_ptr<TIcon> gpPicture; // the decoded (selected) frame
    int FLogPixX = kScreenPPI, FLogPixY = kScreenPPI;
    QString FURL;
    QString FID;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
    bool FFrameTransp = false;
    uint16_t FFrameDisposal = 0;
    uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// Pictures loaded by address; owns them.
class THTMLPictureCache {
public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() { ClearPictures(); }
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    THTMLPicture* AddPicture();
    // Exact comparison of the ID.
    THTMLPicture* FindPicture(const QString& ID) const;
    int Count() const { return int(FItems.size()); }
    THTMLPicture* Items(int Index) const;       // raises EListError
    // The list owns the new picture; the replaced one is the caller's to free.
    void SetItems(int Index, THTMLPicture* Value);
    void ClearPictures();
    bool Animate();

private:
    std::vector<THTMLPicture*> FItems;
};

class TPictureCollection;

class TPictureItem : public TCollectionItem {
public:
    explicit TPictureItem(TCollection* ACollection);
    ~TPictureItem() override;
    THTMLPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    QString Name() const { return FName; }
    void SetName(const QString& Value) { FName = Value; }
    int Tag() const { return FTag; }
    void SetTag(int Value) { FTag = Value; }
    // Only from another TPictureItem; any other class raises "Invalid class typecast".
    void Assign(const TPersistent* Source) override;
    QString ClassName() const override { return QStringLiteral("TPictureItem"); }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    int FTag = 0;
    QString FName;
};

class TPictureContainer;

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TPictureContainer* AOwner);
    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int Index) { return static_cast<TPictureItem*>(TCollection::Insert(Index)); }
    TPictureItem* Items(int Index) const { return static_cast<TPictureItem*>(TCollection::Items(Index)); }
    void SetItems(int Index, const TPictureItem* Value) { Items(Index)->Assign(Value); }
    TPictureContainer* Owner() const { return FOwner; }
    bool Animate();

private:
    TPictureContainer* FOwner;
};

class TPictureContainer : public TComponent {
public:
    explicit TPictureContainer(TComponent* AOwner = nullptr);
    ~TPictureContainer() override;
    TPictureCollection* Items() const { return FItems.get(); }
    void SetItems(const TPictureCollection* Value) { FItems->Assign(Value); }
    // The picture of the first item whose name matches ignoring case.
    THTMLPicture* FindPicture(const QString& Name) const;
    QString ClassName() const override { return QStringLiteral("TPictureContainer"); }

private:
    std::unique_ptr<TPictureCollection> FItems;
};
