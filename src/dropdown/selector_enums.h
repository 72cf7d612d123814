#pragma once
// Enumerations shared by the drop-down editors' item lists, colour boxes and
// key panels. Their order is the stored form of the published properties:
// never reorder them.

// Colour set of selections and hot items; scCustom leaves the colours alone.
enum TSelectionColorStyle : int { scCustom, scOffice2007, scWindowsVista, scWindows7 };

// Where an item's caption goes relative to its picture or colour box.
enum TItemLayout : int { ilCaptionLeft, ilCaptionRight, ilCaptionTop, ilCaptionBottom };

// How a colour box's frame joins the boxes above and below it.
enum TItemPos : int { ipStandAlone, ipTop, ipMiddle, ipBottom };
