#include "platform/ui/printers.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cmath>

// ---------------------------------------------------------------- system printer

struct TSystemPrintTarget::TImpl {
    std::unique_ptr<QPrinter> Printer;
};

TSystemPrintTarget::TSystemPrintTarget() : FImpl(std::make_unique<TImpl>()) {}
TSystemPrintTarget::~TSystemPrintTarget() = default;

QPaintDevice* TSystemPrintTarget::BeginDocument(const QString& Title, TPrinterOrientation Orientation)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw EPrinter(QStringLiteral("There is no default printer currently selected"));
    FImpl->Printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    FImpl->Printer->setDocName(Title);
    FImpl->Printer->setPageOrientation(Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!FImpl->Printer->isValid())
        throw EPrinter(QStringLiteral("Printer ") + info.printerName() + QStringLiteral(" cannot be used"));
    return FImpl->Printer.get();
}

void TSystemPrintTarget::NewPage()
{
    if (!FImpl->Printer || !FImpl->Printer->newPage())
        throw EPrinter(QStringLiteral("The printer cannot start a new page"));
}

void TSystemPrintTarget::EndDocument()
{
    const bool failed = FImpl->Printer && FImpl->Printer->printerState() == QPrinter::Error;
    FImpl->Printer.reset();
    if (failed)
        throw EPrinter(QStringLiteral("The print job failed"));
}

void TSystemPrintTarget::AbortDocument()
{
    if (FImpl->Printer)
        FImpl->Printer->abort();
    FImpl->Printer.reset();
}

int TSystemPrintTarget::DotsPerInchX() const { return FImpl->Printer ? FImpl->Printer->logicalDpiX() : 600; }
int TSystemPrintTarget::DotsPerInchY() const { return FImpl->Printer ? FImpl->Printer->logicalDpiY() : 600; }

TSize TSystemPrintTarget::PageSize(TPrinterOrientation Orientation) const
{
    if (FImpl->Printer)
        return TSize{FImpl->Printer->width(), FImpl->Printer->height()};
    // Without a job: A4 at the default resolution.
    const TSize portrait{4961, 7016};
    return Orientation == poLandscape ? TSize{portrait.cy, portrait.cx} : portrait;
}

// ---------------------------------------------------------------- PDF file

struct TPdfPrintTarget::TImpl {
    std::unique_ptr<QSaveFile> File;
    std::unique_ptr<QPdfWriter> Writer;
};

TPdfPrintTarget::TPdfPrintTarget(const QString& FileName, int Dpi, double WidthMm, double HeightMm)
    : FImpl(std::make_unique<TImpl>()), FFileName(FileName), FDpi(Dpi), FWidthMm(WidthMm), FHeightMm(HeightMm) {}

TPdfPrintTarget::~TPdfPrintTarget() { AbortDocument(); }

QPaintDevice* TPdfPrintTarget::BeginDocument(const QString& Title, TPrinterOrientation Orientation)
{
    AbortDocument();
    auto file = std::make_unique<QSaveFile>(FFileName);
    if (!file->open(QIODevice::WriteOnly))
        throw EPrinter(QStringLiteral("Cannot create ") + FFileName + QStringLiteral(": ") + file->errorString());
    auto writer = std::make_unique<QPdfWriter>(file.get());
    writer->setResolution(FDpi);
    writer->setTitle(Title);
    writer->setCreator(QCoreApplication::applicationName());
    writer->setPageLayout(QPageLayout(QPageSize(QSizeF(FWidthMm, FHeightMm), QPageSize::Millimeter),
                                      Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0)));
    FImpl->File = std::move(file);
    FImpl->Writer = std::move(writer);
    FPages = 1;
    return FImpl->Writer.get();
}

void TPdfPrintTarget::NewPage()
{
    if (!FImpl->Writer || !FImpl->Writer->newPage())
        throw EPrinter(QStringLiteral("Cannot start a new page in ") + FFileName);
    ++FPages;
}

void TPdfPrintTarget::EndDocument()
{
    FImpl->Writer.reset();
    if (!FImpl->File)
        return;
    const bool ok = FImpl->File->commit();
    const QString error = FImpl->File->errorString();
    FImpl->File.reset();
    if (!ok)
        throw EPrinter(QStringLiteral("Cannot write ") + FFileName + QStringLiteral(": ") + error);
}

void TPdfPrintTarget::AbortDocument()
{
    FImpl->Writer.reset();
    if (FImpl->File)
        FImpl->File->cancelWriting();
    FImpl->File.reset();
}

TSize TPdfPrintTarget::PageSize(TPrinterOrientation Orientation) const
{
    // The size the writer gives its pages: whole points, at the target's resolution.
    const QPageLayout layout(QPageSize(QSizeF(FWidthMm, FHeightMm), QPageSize::Millimeter),
                             Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(0, 0, 0, 0));
    const QRect r = layout.fullRectPixels(FDpi);
    return TSize{r.width(), r.height()};
}

// ---------------------------------------------------------------- printer

TPrinter::TPrinter() : FTarget(std::make_unique<TSystemPrintTarget>()) {}

TPrinter::~TPrinter()
{
    if (FPrinting)
        Abort();
}

void TPrinter::CheckNotPrinting() const
{
    if (FPrinting)
        throw EPrinter(QStringLiteral("Printing in progress"));
}

void TPrinter::CheckPrinting() const
{
    if (!FPrinting)
        throw EPrinter(QStringLiteral("Printer is not currently printing"));
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    CheckNotPrinting();
    FOrientation = Value;
}

void TPrinter::SetTitle(const QString& Value)
{
    CheckNotPrinting();
    FTitle = Value;
}

void TPrinter::BeginDoc()
{
    CheckNotPrinting();
    QPaintDevice* device = FTarget->BeginDocument(FTitle, FOrientation);
    FCanvas.SetPixelsPerInch(FTarget->DotsPerInchX(), FTarget->DotsPerInchY());
    FCanvas.SetDevice(device);
    FCanvas.SetMapMode(MM_TEXT);
    FCanvas.SetWindowOrg(0, 0);
    FCanvas.RemoveClip();
    if (!FCanvas.Painter()->isActive()) {
        FCanvas.SetDevice(nullptr);
        FTarget->AbortDocument();
        throw EPrinter(QStringLiteral("The print job cannot start"));
    }
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
}

void TPrinter::EndDoc()
{
    CheckPrinting();
    FPrinting = false;
    FCanvas.SetDevice(nullptr);   // ends the painter, which finishes the pages
    FTarget->EndDocument();
}

void TPrinter::Abort()
{
    if (!FPrinting)
        return;
    FPrinting = false;
    FAborted = true;
    FCanvas.SetDevice(nullptr);
    FTarget->AbortDocument();
}

void TPrinter::NewPage()
{
    CheckPrinting();
    FTarget->NewPage();
    ++FPageNumber;
}

int TPrinter::PageWidth() const
{
    if (FPrinting)
        return FCanvas.SurfaceSize().cx;
    return FTarget->PageSize(FOrientation).cx;
}

int TPrinter::PageHeight() const
{
    if (FPrinting)
        return FCanvas.SurfaceSize().cy;
    return FTarget->PageSize(FOrientation).cy;
}

std::unique_ptr<TPrintTarget> TPrinter::SetTarget(std::unique_ptr<TPrintTarget> Target)
{
    CheckNotPrinting();
    std::unique_ptr<TPrintTarget> old = std::move(FTarget);
    FTarget = Target ? std::move(Target) : std::make_unique<TSystemPrintTarget>();
    return old;
}

TPrinter* Printer()
{
    static TPrinter printer;
    return &printer;
}
