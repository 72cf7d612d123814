#pragma once
// A vertically scrolling group of collapsible sections.
//
// Each section (TCategoryPanel) has a header (gradient, caption, chevron) and a client
// surface below it that holds the section's controls; control positions are relative to
// that surface. The group keeps its visible sections stacked from the top without gaps,
// in the order of their Top values, and restacks them whenever a section changes height
// or visibility; the vertical scroll range follows the total height.

#include "platform/ui/controls.h"
#include "platform/ui/graphics.h"

#include <vector>

class TCategoryPanelGroup;

// The client area of a section: the parent of the section's controls.
class TCategoryPanelSurface : public TCustomControl {
  Q_OBJECT
public:
  explicit TCategoryPanelSurface(TComponent* AOwner = nullptr);

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
};

// A wheel turn that a section's own controls leave unhandled goes on up to the group
// and the form, so that the window's wheel handler sees it wherever the pointer is.
void Pass_Wheel_To_Parent(TControl* Control, TMessage& Message);

class TCategoryPanel : public TCustomControl {
  Q_OBJECT
public:
  // The section is placed into the group at once; without a group it waits, hidden,
  // until Join_Group places it.
  explicit TCategoryPanel(TCategoryPanelGroup* Group, TComponent* AOwner = nullptr);
  void Join_Group(TCategoryPanelGroup* Group);
  ~TCategoryPanel() override;

  TCategoryPanelGroup* PanelGroup() const { return FGroup; }
  // Parent for the section's controls.
  TCategoryPanelSurface* Surface() const { return FSurface; }

  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value);
  void Collapse() { SetCollapsed(true); }
  void Expand() { SetCollapsed(false); }
  // Height of the expanded section (what Height gives while expanded).
  int ExpandedHeight() const { return FExpandedHeight; }

  bool HeaderHot() const { return FHot; }
  // Header rectangle in the section's own coordinates.
  TRect HeaderRect() const;

  // A collapsed section stays header-high and remembers the height it was given.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetVisible(bool Value) override;

  // Called by the group to move the section without restacking again.
  void PlaceInGroup(int ALeft, int ATop, int AWidth);
  void LayoutSurface();

  TNotifyEvent OnCollapse, OnExpand;

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void Resize() override;

private:
  friend class TCategoryPanelGroup;
  void SetHot(bool Value);

  TCategoryPanelGroup* FGroup = nullptr;
  TCategoryPanelSurface* FSurface = nullptr;
  bool FCollapsed = false;
  bool FHot = false;
  int FExpandedHeight = 0;
  bool FPlacing = false;
};

class TCategoryPanelGroup : public TCustomControl {
  Q_OBJECT
public:
  explicit TCategoryPanelGroup(TComponent* AOwner = nullptr);
  ~TCategoryPanelGroup() override;

  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value);
  TFont* HeaderFont() { return &FHeaderFont; }

  TColor GradientBaseColor() const { return FGradientBaseColor; }
  void SetGradientBaseColor(TColor c) { FGradientBaseColor = c; RepaintPanels(); }
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor c) { FGradientEndColor = c; RepaintPanels(); }
  TColor ChevronColor() const { return FChevronColor; }
  void SetChevronColor(TColor c) { FChevronColor = c; RepaintPanels(); }
  TColor ChevronHotColor() const { return FChevronHotColor; }
  void SetChevronHotColor(TColor c) { FChevronHotColor = c; RepaintPanels(); }
  // Header images: CollapseImageIndex for an expanded section, ExpandImageIndex for a
  // collapsed one (the same in every state). Without images a chevron is drawn, in the
  // hot colour while the pointer is over the header. Not owned.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value) { FImages = Value; RepaintPanels(); }
  int CollapseImageIndex = 0;
  int ExpandImageIndex = 1;

  // Sections in creation order.
  int PanelCount() const { return int(FPanels.size()); }
  TCategoryPanel* Panels(int Index) const { return FPanels.at(size_t(Index)); }

  // Stacks the visible sections by their Top, from the scroll position down, and sets
  // the scroll range. Runs by itself after every height or visibility change.
  void Restack();
  // Total height of the visible sections.
  int ContentHeight() const;
  int ScrollPos() const { return FScrollPos; }
  void SetScrollPos(int Value);
  int MaxScrollPos() const;
  // A wheel turn goes to the form first; when nobody takes it the group scrolls by
  // the system's wheel lines.
  // Pixels one line of scrolling moves.
  int LineStep() const { return FLineStep; }
  void SetLineStep(int v) { FLineStep = v < 1 ? 1 : v; }

  void WndProc(TMessage& Message) override;

protected:
  void Paint() override;
  void Resize() override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  friend class TCategoryPanel;
  void AddPanel(TCategoryPanel* p);
  void RemovePanel(TCategoryPanel* p);
  void RepaintPanels();
  void UpdateScrollBar();

  std::vector<TCategoryPanel*> FPanels;
  int FHeaderHeight = 24;
  TFont FHeaderFont;
  TColor FGradientBaseColor = clBtnFace;
  TColor FGradientEndColor = clBtnFace;
  TColor FChevronColor = clGray;
  TColor FChevronHotColor = clRed;
  TImageList* FImages = nullptr;
  int FScrollPos = 0;
  int FLineStep = 8;
  bool FRestacking = false;
};

// Draws the two 16 x 16 header images (0: expanded, 1: collapsed) into the list.
void Make_Section_Chevron_Images(TImageList& List, TColor Color);
