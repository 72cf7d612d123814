#pragma once
// The printer: one print job at a time drawn on the printer's canvas, page by page. Jobs
// go to a print target, the seam between the printer and the device: the system's default
// printer through Qt's print support, or a PDF file (or page images) at a fixed
// resolution, so that tests and print-to-file need no printer. A test double of the
// target can fail BeginDoc or NewPage.
//
// Behaviour chosen where the classic printer leaves it open: Abort discards the
// document (a PDF target leaves no file) so that a new one can begin at once; the
// landscape rotation answered is 270 degrees, and our rotated text does not depend on it.

#include "platform/core/exceptions.h"
#include "platform/ui/graphics.h"

#include <QString>
#include <memory>

class QPaintDevice;

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

enum TPrinterOrientation { poPortrait, poLandscape };

// Where a job's pages are drawn.
class TPrintTarget {
public:
    virtual ~TPrintTarget() = default;
    // Starts a document and answers the device to paint on; raises EPrinter on failure.
    virtual QPaintDevice* BeginDocument(const QString& Title, TPrinterOrientation Orientation) = 0;
    // Starts the next page; raises EPrinter on failure.
    virtual void NewPage() = 0;
    // Finishes the document (after the painter has ended); raises EPrinter on failure.
    virtual void EndDocument() = 0;
    // Discards the document.
    virtual void AbortDocument() = 0;
    // Resolution in dots per inch, and the page in dots for an orientation.
    virtual int DotsPerInchX() const = 0;
    virtual int DotsPerInchY() const = 0;
    virtual TSize PageSize(TPrinterOrientation Orientation) const = 0;
};

// The system's default printer (Qt's print support); BeginDocument raises EPrinter saying
// there is no printer when the machine has none.
class TSystemPrintTarget : public TPrintTarget {
public:
    TSystemPrintTarget();
    ~TSystemPrintTarget() override;
    QPaintDevice* BeginDocument(const QString& Title, TPrinterOrientation Orientation) override;
    void NewPage() override;
    void EndDocument() override;
    void AbortDocument() override;
    int DotsPerInchX() const override;
    int DotsPerInchY() const override;
    TSize PageSize(TPrinterOrientation Orientation) const override;
private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// A PDF file on A4 (or the given size in millimetres) without margins, at a fixed
// resolution; written whole when the document ends, nothing left when it is aborted.
class TPdfPrintTarget : public TPrintTarget {
public:
    explicit TPdfPrintTarget(const QString& FileName, int Dpi = 300, double WidthMm = 210, double HeightMm = 297);
    ~TPdfPrintTarget() override;
    QPaintDevice* BeginDocument(const QString& Title, TPrinterOrientation Orientation) override;
    void NewPage() override;
    void EndDocument() override;
    void AbortDocument() override;
    int DotsPerInchX() const override { return FDpi; }
    int DotsPerInchY() const override { return FDpi; }
    TSize PageSize(TPrinterOrientation Orientation) const override;
    int PagesStarted() const { return FPages; }
private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
    QString FFileName;
    int FDpi;
    double FWidthMm, FHeightMm;
    int FPages = 0;
};

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Changing these while printing raises EPrinter "Printing in progress".
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation Value);
    QString Title() const { return FTitle; }
    void SetTitle(const QString& Value);

    // BeginDoc raises EPrinter when printing already or when the target fails; NewPage
    // and EndDoc raise "Printer is not currently printing" outside a job.
    void BeginDoc();
    void EndDoc();
    void Abort();
    void NewPage();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    int PageNumber() const { return FPageNumber; }

    // Page size in dots of the current job (of the target's page before one begins).
    int PageWidth() const;
    int PageHeight() const;
    // The canvas of the job: its resolution is the target's.
    TCanvas* Canvas() { return &FCanvas; }
    // Degrees the driver turns a landscape page.
    int LandscapeRotation() const { return 270; }

    // The target jobs go to (the system printer unless set); answers the previous one.
    std::unique_ptr<TPrintTarget> SetTarget(std::unique_ptr<TPrintTarget> Target);
    TPrintTarget* Target() const { return FTarget.get(); }

private:
    void CheckNotPrinting() const;
    void CheckPrinting() const;
    std::unique_ptr<TPrintTarget> FTarget;
    TCanvas FCanvas;
    TPrinterOrientation FOrientation = poPortrait;
    QString FTitle;
    bool FPrinting = false;
    bool FAborted = false;
    int FPageNumber = 0;
};

// The program's one printer.
TPrinter* Printer();
