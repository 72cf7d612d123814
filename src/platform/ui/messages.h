#pragma once
// Window messages: the message record, the classic identifiers, messages
// registered by name, and posting/sending to controls.
#include <QtCore/QString>
#include <cstdint>

class TControl;
using HWND = TControl*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using UINT = unsigned int;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
    uint16_t WParamLo() const { return uint16_t(WParam & 0xFFFF); }
    uint16_t WParamHi() const { return uint16_t((WParam >> 16) & 0xFFFF); }
    uint16_t LParamLo() const { return uint16_t(LParam & 0xFFFF); }
    uint16_t LParamHi() const { return uint16_t((uint64_t(LParam) >> 16) & 0xFFFF); }
};

constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) { return WPARAM((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)); }
constexpr LPARAM MAKELPARAM(unsigned lo, unsigned hi) { return LPARAM((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)); }
constexpr int16_t GET_X_LPARAM(LPARAM l) { return int16_t(l & 0xFFFF); }
constexpr int16_t GET_Y_LPARAM(LPARAM l) { return int16_t((l >> 16) & 0xFFFF); }
constexpr uint16_t LOWORD(uintptr_t v) { return uint16_t(v & 0xFFFF); }
constexpr uint16_t HIWORD(uintptr_t v) { return uint16_t((v >> 16) & 0xFFFF); }

enum : UINT {
    WM_NULL = 0x0000, WM_CREATE = 0x0001, WM_DESTROY = 0x0002, WM_MOVE = 0x0003,
    WM_SIZE = 0x0005, WM_ACTIVATE = 0x0006, WM_SETFOCUS = 0x0007, WM_KILLFOCUS = 0x0008,
    WM_ENABLE = 0x000A, WM_SETREDRAW = 0x000B, WM_SETTEXT = 0x000C, WM_GETTEXT = 0x000D,
    WM_GETTEXTLENGTH = 0x000E, WM_PAINT = 0x000F, WM_CLOSE = 0x0010, WM_ERASEBKGND = 0x0014,
    WM_SHOWWINDOW = 0x0018, WM_CANCELMODE = 0x001F, WM_SETCURSOR = 0x0020,
    WM_MOUSEACTIVATE = 0x0021, WM_WINDOWPOSCHANGING = 0x0046, WM_WINDOWPOSCHANGED = 0x0047,
    WM_NOTIFY = 0x004E, WM_CONTEXTMENU = 0x007B, WM_NCHITTEST = 0x0084, WM_NCPAINT = 0x0085, WM_NCACTIVATE = 0x0086,
    WM_GETDLGCODE = 0x0087, WM_NCLBUTTONDOWN = 0x00A1,
    WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102, WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105, WM_SYSCHAR = 0x0106,
    WM_COMMAND = 0x0111, WM_SYSCOMMAND = 0x0112, WM_TIMER = 0x0113, WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206, WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208,
    WM_MBUTTONDBLCLK = 0x0209, WM_MOUSEWHEEL = 0x020A, WM_MOUSEHWHEEL = 0x020E,
    WM_SIZING = 0x0214, WM_CAPTURECHANGED = 0x0215, WM_MOUSELEAVE = 0x02A3,
    WM_CUT = 0x0300, WM_COPY = 0x0301, WM_PASTE = 0x0302, WM_CLEAR = 0x0303, WM_UNDO = 0x0304,
    WM_THEMECHANGED = 0x031A,
    WM_USER = 0x0400, WM_APP = 0x8000,
};

// Our own control messages (component notifications).
enum : UINT {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0, CM_DEACTIVATE, CM_GOTFOCUS, CM_LOSTFOCUS, CM_CANCELMODE,
    CM_DIALOGKEY, CM_DIALOGCHAR, CM_FOCUSCHANGED, CM_PARENTFONTCHANGED, CM_PARENTCOLORCHANGED,
    CM_HITTEST, CM_VISIBLECHANGED, CM_ENABLEDCHANGED, CM_COLORCHANGED, CM_FONTCHANGED,
    CM_CURSORCHANGED, CM_CTL3DCHANGED, CM_PARENTCTL3DCHANGED, CM_TEXTCHANGED, CM_MOUSEENTER,
    CM_MOUSELEAVE, CM_MENUCHANGED, CM_APPKEYDOWN, CM_APPSYSCOMMAND, CM_BUTTONPRESSED,
    CM_SHOWINGCHANGED, CM_ENTER, CM_EXIT, CM_DESIGNHITTEST, CM_ICONCHANGED, CM_WANTSPECIALKEY,
    CM_INVOKEHELP, CM_WINDOWHOOK, CM_RELEASE, CM_SHOWHINTCHANGED, CM_PARENTSHOWHINTCHANGED,
    CM_SYSCOLORCHANGE, CM_WININICHANGE, CM_FONTCHANGE, CM_TIMECHANGE, CM_TABSTOPCHANGED,
    CM_UIACTIVATE, CM_UIDEACTIVATE, CM_DOCWINDOWACTIVATE, CM_CONTROLLISTCHANGE,
    CM_GETDATALINK, CM_CHILDKEY, CM_DRAG, CM_HINTSHOW, CM_DIALOGHANDLE, CM_ISTOOLCONTROL,
    CM_RECREATEWND, CM_INVALIDATE, CM_SYSFONTCHANGED, CM_CONTROLCHANGE, CM_CHANGED,
    CM_BORDERCHANGED, CM_STYLECHANGED, CM_MOUSEWHEEL, CM_BIDIMODECHANGED,
    CN_BASE = 0xBC00,
    CN_COMMAND = CN_BASE + WM_COMMAND, CN_NOTIFY = CN_BASE + WM_NOTIFY,
    CN_KEYDOWN = CN_BASE + WM_KEYDOWN, CN_CHAR = CN_BASE + WM_CHAR,
};

// Notification codes carried in the high word of WM_COMMAND's WParam.
enum : uint16_t {
    EN_SETFOCUS = 0x0100, EN_KILLFOCUS = 0x0200, EN_CHANGE = 0x0300, EN_UPDATE = 0x0400,
    EN_MAXTEXT = 0x0501,
    CBN_SELCHANGE = 1, CBN_DBLCLK = 2, CBN_SETFOCUS = 3, CBN_KILLFOCUS = 4, CBN_EDITCHANGE = 5,
    CBN_EDITUPDATE = 6, CBN_DROPDOWN = 7, CBN_CLOSEUP = 8, CBN_SELENDOK = 9, CBN_SELENDCANCEL = 10,
};

// Edit and combo-box queries.
enum : UINT {
    EM_GETSEL = 0x00B0, EM_SETSEL = 0x00B1, EM_GETRECT = 0x00B2, EM_SETRECT = 0x00B3,
    EM_SETRECTNP = 0x00B4, EM_SCROLLCARET = 0x00B7, EM_GETMODIFY = 0x00B8, EM_SETMODIFY = 0x00B9,
    EM_GETLINECOUNT = 0x00BA, EM_LINEFROMCHAR = 0x00C9, EM_LIMITTEXT = 0x00C5, EM_CANUNDO = 0x00C6, EM_UNDO = 0x00C7,
    EM_SETPASSWORDCHAR = 0x00CC, EM_EMPTYUNDOBUFFER = 0x00CD, EM_SETREADONLY = 0x00CF,
    EM_CHARFROMPOS = 0x00D7, EM_POSFROMCHAR = 0x00D6, EM_SHOWBALLOONTIP = 0x1503,
    EM_HIDEBALLOONTIP = 0x1504,
    CB_GETEDITSEL = 0x0140, CB_LIMITTEXT = 0x0141, CB_SETEDITSEL = 0x0142, CB_ADDSTRING = 0x0143,
    CB_DELETESTRING = 0x0144, CB_GETCOUNT = 0x0146, CB_GETCURSEL = 0x0147, CB_GETLBTEXT = 0x0148,
    CB_GETLBTEXTLEN = 0x0149, CB_INSERTSTRING = 0x014A, CB_RESETCONTENT = 0x014B,
    CB_FINDSTRING = 0x014C, CB_SELECTSTRING = 0x014D, CB_SETCURSEL = 0x014E,
    CB_SHOWDROPDOWN = 0x014F, CB_GETITEMDATA = 0x0150, CB_SETITEMDATA = 0x0151,
    CB_GETDROPPEDCONTROLRECT = 0x0152, CB_SETITEMHEIGHT = 0x0153, CB_GETITEMHEIGHT = 0x0154,
    CB_GETDROPPEDSTATE = 0x0157, CB_FINDSTRINGEXACT = 0x0158, CB_GETDROPPEDWIDTH = 0x015F,
    CB_SETDROPPEDWIDTH = 0x0160,
};

// WM_GETDLGCODE answers: which keys a control claims before the form's dialog handling.
enum : LRESULT {
    DLGC_WANTARROWS = 0x0001, DLGC_WANTTAB = 0x0002, DLGC_WANTALLKEYS = 0x0004,
    DLGC_WANTMESSAGE = 0x0004, DLGC_HASSETSEL = 0x0008, DLGC_DEFPUSHBUTTON = 0x0010,
    DLGC_UNDEFPUSHBUTTON = 0x0020, DLGC_RADIOBUTTON = 0x0040, DLGC_WANTCHARS = 0x0080,
    DLGC_STATIC = 0x0100, DLGC_BUTTON = 0x2000,
};

// Scroll codes of WM_HSCROLL / WM_VSCROLL.
enum : uint16_t {
    SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1, SB_PAGEUP = 2,
    SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3, SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6, SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8,
};
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3 };

// Hit-test answers of WM_NCHITTEST.
enum : LRESULT { HTNOWHERE = 0, HTCLIENT = 1, HTCAPTION = 2, HTBOTTOMRIGHT = 17, HTTRANSPARENT = -1 };

// WM_SIZING edges (wParam); lParam points at the proposed TRect in screen coordinates.
enum : WPARAM { WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
                WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8 };

// The header of a WM_NOTIFY notification: the parent reflects it to hwndFrom as CN_NOTIFY.
struct NMHDR {
    HWND hwndFrom = nullptr;
    uintptr_t idFrom = 0;
    UINT code = 0;
};

// Unique identifier for a message name; the same name gives the same number (0xC000..0xFFFF).
UINT RegisterWindowMessage(const QString& name);

// Queues the message; it is delivered after the current handler returns, in order.
// Messages to a control destroyed meanwhile are dropped.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Direct call of the control's WndProc.
LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

// Notification codes of tooltips and date-time pickers.
enum : UINT {
    TTN_GETDISPINFOW = UINT(-530), TTN_SHOW = UINT(-521), TTN_POP = UINT(-522),
    DTN_DATETIMECHANGE = UINT(-759),
};
// The text request of a tooltip (TTN_GETDISPINFOW): the window asked fills in what
// the tooltip shows; an empty text shows nothing. Colours of 0x1FFFFFFF (none) and a
// width of -1 keep the tooltip's own.
struct TToolTipTextRequest {
    NMHDR hdr;
    QString Text;
    QString Title;
    int Icon = 0;
    int MaxWidth = -1;
    uint32_t TextColor = 0x1FFFFFFF;
    uint32_t BkColor = 0x1FFFFFFF;
};
struct SYSTEMTIME {
    uint16_t wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0;
    uint16_t wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};
// DTN_DATETIMECHANGE: the picker's new date and time (dwFlags 1: no date).
struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    uint32_t dwFlags = 0;
    SYSTEMTIME st;
};
