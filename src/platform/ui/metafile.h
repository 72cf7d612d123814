#pragma once
// Windows metafile pictures (WMF, with or without the placeable header), decoded by
// libwmf into a picture of the metafile's own size at the screen's 96 pixels per inch.
// Enhanced metafiles (EMF) are recognised and refused with a clear message: no library
// of the system decodes them.
#include "platform/ui/graphics.h"

// The first bytes name a Windows metafile ("wmf") or an enhanced metafile ("emf").
QByteArray DetectMetafileFormat(const QByteArray& Data);

// The metafile drawn on white, ARGB32. Raises std::runtime_error for bytes that are
// no metafile libwmf can play, or whose picture would exceed kMaxMetafileSide pixels
// on a side.
constexpr int kMaxMetafileSide = 4096;
QImage DecodeWindowsMetafile(const QByteArray& Data);

class TMetafile : public TGraphic {
public:
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void Draw(TCanvas* canvas, const TRect& r) override;
    QImage ToImage() const override { return FImage; }
    void LoadFromData(const QByteArray& data) override;
    // The file bytes, kept so that the picture can be written out unchanged.
    const QByteArray& SourceData() const { return FData; }

private:
    QImage FImage;
    QByteArray FData;
};
