#pragma once
// The records of the grid's binary cell format. Each is one component-stream record
// of its own class; the properties are written in the order below and read back from
// either integer or identifier forms where the encoding allows both.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "grid/cell_graphic.h"
#include "platform/core/component_stream.h"

class TCellProperties;
class TComponent;

// Names of the clipboard formats the grid's copy and paste exchange.
inline QString GridCellsClipboardFormatName() { return QStringLiteral("TKvStringGrid Cells"); }
inline QString RichTextClipboardFormat() { return QStringLiteral("Rich Text Format"); }
inline QString HTMLClipboardFormatName() { return QStringLiteral("HTML Format"); }

// The rectangle as a whole: sizes, widths and heights, whether it is the whole grid,
// and the writer's number.
class TGridPropIO {
public:
    int ColCount = 0;
    int RowCount = 0;
    QString ColWidths;    // "64,64,80"
    QString RowHeights;
    bool FullGrid = false;
    int ID = 0;
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};

// One cell: its place, text and whether a property record follows. Col and Row are
// written as full integers, so grids beyond 65,536 rows or columns keep their places.
class TGridCellIO {
public:
    int Col = 0;
    int Row = 0;
    QString Cell;          // not written when empty
    bool HasProp = false;
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};

// The cell's properties. The user object is a pointer of the writing process: it is
// written as 0 and ignored on reading, so the target cell keeps its own.
class TGridCellPropIO {
public:
    bool HasGraphic = false;
    // Writes the properties of P (the control by its name, when it has one).
    void Write(TComponentWriter& W, const TCellProperties& P) const;
    // Reads over P: properties the record omits keep P's values. A control name is
    // looked up among the components of Owner (none when not found).
    void Read(const TComponentRecord& R, TCellProperties& P, const TComponent* Owner);
};

// The cell graphic's fields; its objects travel in the records that follow.
class TGridGraphicIO {
public:
    static void Write(TComponentWriter& W, const TCellGraphic& G);
    static void Read(const TComponentRecord& R, TCellGraphic& G);
};

// A bitmap as a 4-byte size and a BMP file.
class TGridBMPIO {
public:
    std::vector<uint8_t> Data;   // the BMP file; empty for an empty bitmap
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};

// An icon as an ICO file.
class TGridIconIO {
public:
    std::vector<uint8_t> Data;
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};

// A picture as its graphic's class name and that class's data.
class TGridPicIO {
public:
    QString GraphicClass;         // "TBitmap", "TIcon", "TPngImage", ...; empty for no graphic
    std::vector<uint8_t> Data;
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};

// A picture kept in a file: only the file name travels.
class TGridFilePicIO {
public:
    QString Filename;
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};

// A list of strings (radio items, image indexes).
class TGridSLIO {
public:
    QStringList Strings;
    void Write(TComponentWriter& W) const;
    void Read(const TComponentRecord& R);
};
