#pragma once

// The numbers that cross module boundaries or are stored in files. They keep the values the
// system defines, because plugins and host exchange them as plain numbers and accelerator files
// store key codes. Only what the program uses is here; add a value where it is first needed.
// Command ids are in CommandIds.h, included here.

#include "platform/CommandIds.h"

#include <cstdint>

namespace platform
{

// ---- Window styles -------------------------------------------------------------------------
inline constexpr uint32_t WS_OVERLAPPED = 0x00000000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_MINIMIZE = 0x20000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr uint32_t WS_MAXIMIZE = 0x01000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_DLGFRAME = 0x00400000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t WS_HSCROLL = 0x00100000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr uint32_t WS_GROUP = 0x00020000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr uint32_t WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

inline constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr uint32_t WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr uint32_t WS_EX_TRANSPARENT = 0x00000020;
inline constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr uint32_t WS_EX_CONTROLPARENT = 0x00010000;
inline constexpr uint32_t WS_EX_STATICEDGE = 0x00020000;

// Class styles.
inline constexpr uint32_t CS_VREDRAW = 0x0001;
inline constexpr uint32_t CS_HREDRAW = 0x0002;
inline constexpr uint32_t CS_DBLCLKS = 0x0008;

// Dialog template styles.
inline constexpr uint32_t DS_3DLOOK = 0x0004;
inline constexpr uint32_t DS_SETFONT = 0x0040;
inline constexpr uint32_t DS_MODALFRAME = 0x0080;
inline constexpr uint32_t DS_CONTROL = 0x0400;
inline constexpr uint32_t DS_CENTER = 0x0800;

// Button styles and states.
inline constexpr uint32_t BS_PUSHBUTTON = 0x0000;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x0001;
inline constexpr uint32_t BS_CHECKBOX = 0x0002;
inline constexpr uint32_t BS_AUTOCHECKBOX = 0x0003;
inline constexpr uint32_t BS_RADIOBUTTON = 0x0004;
inline constexpr uint32_t BS_3STATE = 0x0005;
inline constexpr uint32_t BS_AUTO3STATE = 0x0006;
inline constexpr uint32_t BS_GROUPBOX = 0x0007;
inline constexpr uint32_t BS_AUTORADIOBUTTON = 0x0009;
inline constexpr uint32_t BS_OWNERDRAW = 0x000B;
inline constexpr uint32_t BS_TYPEMASK = 0x000F;
inline constexpr uint32_t BS_LEFTTEXT = 0x0020;
inline constexpr uint32_t BS_BITMAP = 0x0080;
inline constexpr uint32_t BS_LEFT = 0x0100;
inline constexpr uint32_t BS_RIGHT = 0x0200;
inline constexpr uint32_t BS_CENTER = 0x0300;
inline constexpr uint32_t BS_PUSHLIKE = 0x1000;
inline constexpr uint32_t BS_MULTILINE = 0x2000;
inline constexpr uint32_t BS_NOTIFY = 0x4000;
inline constexpr uint32_t BS_FLAT = 0x8000;
inline constexpr uint32_t BST_UNCHECKED = 0x0000;
inline constexpr uint32_t BST_CHECKED = 0x0001;
inline constexpr uint32_t BST_INDETERMINATE = 0x0002;
inline constexpr uint32_t BST_PUSHED = 0x0004;
inline constexpr uint32_t BST_FOCUS = 0x0008;

// Edit styles.
inline constexpr uint32_t ES_LEFT = 0x0000;
inline constexpr uint32_t ES_CENTER = 0x0001;
inline constexpr uint32_t ES_RIGHT = 0x0002;
inline constexpr uint32_t ES_MULTILINE = 0x0004;
inline constexpr uint32_t ES_PASSWORD = 0x0020;
inline constexpr uint32_t ES_AUTOVSCROLL = 0x0040;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr uint32_t ES_NOHIDESEL = 0x0100;
inline constexpr uint32_t ES_READONLY = 0x0800;
inline constexpr uint32_t ES_WANTRETURN = 0x1000;
inline constexpr uint32_t ES_NUMBER = 0x2000;

// Static styles.
inline constexpr uint32_t SS_LEFT = 0x0000;
inline constexpr uint32_t SS_CENTER = 0x0001;
inline constexpr uint32_t SS_RIGHT = 0x0002;
inline constexpr uint32_t SS_ICON = 0x0003;
inline constexpr uint32_t SS_BLACKRECT = 0x0004;
inline constexpr uint32_t SS_GRAYRECT = 0x0005;
inline constexpr uint32_t SS_WHITERECT = 0x0006;
inline constexpr uint32_t SS_BLACKFRAME = 0x0007;
inline constexpr uint32_t SS_GRAYFRAME = 0x0008;
inline constexpr uint32_t SS_SIMPLE = 0x000B;
inline constexpr uint32_t SS_LEFTNOWORDWRAP = 0x000C;
inline constexpr uint32_t SS_OWNERDRAW = 0x000D;
inline constexpr uint32_t SS_BITMAP = 0x000E;
inline constexpr uint32_t SS_ETCHEDHORZ = 0x0010;
inline constexpr uint32_t SS_ETCHEDVERT = 0x0011;
inline constexpr uint32_t SS_ETCHEDFRAME = 0x0012;
inline constexpr uint32_t SS_TYPEMASK = 0x001F;
inline constexpr uint32_t SS_NOPREFIX = 0x0080;
inline constexpr uint32_t SS_NOTIFY = 0x0100;
inline constexpr uint32_t SS_CENTERIMAGE = 0x0200;
inline constexpr uint32_t SS_SUNKEN = 0x1000;

// List box styles and answers.
inline constexpr uint32_t LBS_NOTIFY = 0x0001;
inline constexpr uint32_t LBS_SORT = 0x0002;
inline constexpr uint32_t LBS_NOREDRAW = 0x0004;
inline constexpr uint32_t LBS_MULTIPLESEL = 0x0008;
inline constexpr uint32_t LBS_OWNERDRAWFIXED = 0x0010;
inline constexpr uint32_t LBS_OWNERDRAWVARIABLE = 0x0020;
inline constexpr uint32_t LBS_HASSTRINGS = 0x0040;
inline constexpr uint32_t LBS_USETABSTOPS = 0x0080;
inline constexpr uint32_t LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr uint32_t LBS_WANTKEYBOARDINPUT = 0x0400;
inline constexpr uint32_t LBS_DISABLENOSCROLL = 0x1000;
inline constexpr uint32_t LBS_NOSEL = 0x4000;
inline constexpr int32_t LB_OKAY = 0;
inline constexpr int32_t LB_ERR = -1;

// Scroll bars.
inline constexpr uint32_t SBS_HORZ = 0x0000;
inline constexpr uint32_t SBS_VERT = 0x0001;
inline constexpr int32_t SB_HORZ = 0;
inline constexpr int32_t SB_VERT = 1;
inline constexpr int32_t SB_CTL = 2;
inline constexpr uint32_t SB_LINEUP = 0;
inline constexpr uint32_t SB_LINELEFT = 0;
inline constexpr uint32_t SB_LINEDOWN = 1;
inline constexpr uint32_t SB_LINERIGHT = 1;
inline constexpr uint32_t SB_PAGEUP = 2;
inline constexpr uint32_t SB_PAGELEFT = 2;
inline constexpr uint32_t SB_PAGEDOWN = 3;
inline constexpr uint32_t SB_PAGERIGHT = 3;
inline constexpr uint32_t SB_THUMBPOSITION = 4;
inline constexpr uint32_t SB_THUMBTRACK = 5;
inline constexpr uint32_t SB_TOP = 6;
inline constexpr uint32_t SB_LEFT = 6;
inline constexpr uint32_t SB_BOTTOM = 7;
inline constexpr uint32_t SB_RIGHT = 7;
inline constexpr uint32_t SB_ENDSCROLL = 8;

// ---- Show commands, window positions, redrawing, scrolling -----------------------------------
inline constexpr int32_t SW_HIDE = 0;
inline constexpr int32_t SW_SHOWNORMAL = 1;
inline constexpr int32_t SW_SHOWMINIMIZED = 2;
inline constexpr int32_t SW_SHOWMAXIMIZED = 3;
inline constexpr int32_t SW_SHOWNOACTIVATE = 4;
inline constexpr int32_t SW_SHOW = 5;
inline constexpr int32_t SW_MINIMIZE = 6;
inline constexpr int32_t SW_SHOWNA = 8;
inline constexpr int32_t SW_RESTORE = 9;

inline constexpr uint32_t SWP_NOSIZE = 0x0001;
inline constexpr uint32_t SWP_NOMOVE = 0x0002;
inline constexpr uint32_t SWP_NOZORDER = 0x0004;
inline constexpr uint32_t SWP_NOREDRAW = 0x0008;
inline constexpr uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr uint32_t SWP_FRAMECHANGED = 0x0020;
inline constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr uint32_t SWP_HIDEWINDOW = 0x0080;
inline constexpr uint32_t SWP_NOCOPYBITS = 0x0100;
inline constexpr uint32_t SWP_NOOWNERZORDER = 0x0200;

inline constexpr uint32_t RDW_INVALIDATE = 0x0001;
inline constexpr uint32_t RDW_INTERNALPAINT = 0x0002;
inline constexpr uint32_t RDW_ERASE = 0x0004;
inline constexpr uint32_t RDW_VALIDATE = 0x0008;
inline constexpr uint32_t RDW_NOINTERNALPAINT = 0x0010;
inline constexpr uint32_t RDW_NOERASE = 0x0020;
inline constexpr uint32_t RDW_NOCHILDREN = 0x0040;
inline constexpr uint32_t RDW_ALLCHILDREN = 0x0080;
inline constexpr uint32_t RDW_UPDATENOW = 0x0100;
inline constexpr uint32_t RDW_ERASENOW = 0x0200;
inline constexpr uint32_t RDW_FRAME = 0x0400;
inline constexpr uint32_t RDW_NOFRAME = 0x0800;

inline constexpr uint32_t SW_SCROLLCHILDREN = 0x0001;
inline constexpr uint32_t SW_INVALIDATE = 0x0002;
inline constexpr uint32_t SW_ERASE = 0x0004;

// ---- Messages ------------------------------------------------------------------------------
inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;
inline constexpr uint32_t WM_SIZE = 0x0005;
inline constexpr uint32_t WM_ACTIVATE = 0x0006;
inline constexpr uint32_t WM_SETFOCUS = 0x0007;
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr uint32_t WM_ENABLE = 0x000A;
inline constexpr uint32_t WM_SETREDRAW = 0x000B;
inline constexpr uint32_t WM_SETTEXT = 0x000C;
inline constexpr uint32_t WM_GETTEXT = 0x000D;
inline constexpr uint32_t WM_GETTEXTLENGTH = 0x000E;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;
inline constexpr uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr uint32_t WM_CANCELMODE = 0x001F;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;
inline constexpr uint32_t WM_MOUSEACTIVATE = 0x0021;
inline constexpr uint32_t WM_NEXTDLGCTL = 0x0028;
inline constexpr uint32_t WM_DRAWITEM = 0x002B;
inline constexpr uint32_t WM_MEASUREITEM = 0x002C;
inline constexpr uint32_t WM_DELETEITEM = 0x002D;
inline constexpr uint32_t WM_SETFONT = 0x0030;
inline constexpr uint32_t WM_GETFONT = 0x0031;
inline constexpr uint32_t WM_WINDOWPOSCHANGED = 0x0047;
inline constexpr uint32_t WM_NOTIFY = 0x004E;
inline constexpr uint32_t WM_CONTEXTMENU = 0x007B;
inline constexpr uint32_t WM_NCDESTROY = 0x0082;
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_INITDIALOG = 0x0110;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;
inline constexpr uint32_t WM_TIMER = 0x0113;
inline constexpr uint32_t WM_HSCROLL = 0x0114;
inline constexpr uint32_t WM_VSCROLL = 0x0115;
inline constexpr uint32_t WM_INITMENUPOPUP = 0x0117;
inline constexpr uint32_t WM_MENUSELECT = 0x011F;
inline constexpr uint32_t WM_ENTERIDLE = 0x0121;
inline constexpr uint32_t WM_CTLCOLOREDIT = 0x0133;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
inline constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
inline constexpr uint32_t WM_PARENTNOTIFY = 0x0210;
inline constexpr uint32_t WM_CAPTURECHANGED = 0x0215;
inline constexpr uint32_t WM_MOUSEHOVER = 0x02A1;
inline constexpr uint32_t WM_MOUSELEAVE = 0x02A3;
inline constexpr uint32_t WM_KICKIDLE = 0x036A; // sent to a modal dialog instead of library idle
inline constexpr uint32_t WM_USER = 0x0400;
inline constexpr uint32_t WM_APP = 0x8000;

// Control messages.
inline constexpr uint32_t BM_GETCHECK = 0x00F0;
inline constexpr uint32_t BM_SETCHECK = 0x00F1;
inline constexpr uint32_t BM_GETSTATE = 0x00F2;
inline constexpr uint32_t BM_SETSTATE = 0x00F3;
inline constexpr uint32_t BM_SETSTYLE = 0x00F4;
inline constexpr uint32_t BM_CLICK = 0x00F5;
inline constexpr uint32_t EM_GETSEL = 0x00B0;
inline constexpr uint32_t EM_SETSEL = 0x00B1;
inline constexpr uint32_t EM_REPLACESEL = 0x00C2;
inline constexpr uint32_t EM_LIMITTEXT = 0x00C5;
inline constexpr uint32_t EM_SETREADONLY = 0x00CF;
inline constexpr uint32_t SBM_SETPOS = 0x00E0;
inline constexpr uint32_t SBM_GETPOS = 0x00E1;
inline constexpr uint32_t SBM_SETRANGE = 0x00E2;
inline constexpr uint32_t SBM_GETRANGE = 0x00E3;
inline constexpr uint32_t STM_SETIMAGE = 0x0172;
inline constexpr uint32_t STM_GETIMAGE = 0x0173;
inline constexpr uint32_t LB_ADDSTRING = 0x0180;
inline constexpr uint32_t LB_INSERTSTRING = 0x0181;
inline constexpr uint32_t LB_DELETESTRING = 0x0182;
inline constexpr uint32_t LB_RESETCONTENT = 0x0184;
inline constexpr uint32_t LB_SETCURSEL = 0x0186;
inline constexpr uint32_t LB_GETCURSEL = 0x0188;
inline constexpr uint32_t LB_GETTEXT = 0x0189;
inline constexpr uint32_t LB_GETTEXTLEN = 0x018A;
inline constexpr uint32_t LB_GETCOUNT = 0x018B;
inline constexpr uint32_t LB_GETTOPINDEX = 0x018E;
inline constexpr uint32_t LB_SETTOPINDEX = 0x0197;
inline constexpr uint32_t LB_GETITEMRECT = 0x0198;
inline constexpr uint32_t LB_GETITEMDATA = 0x0199;
inline constexpr uint32_t LB_SETITEMDATA = 0x019A;
inline constexpr uint32_t LB_SETITEMHEIGHT = 0x01A0;
inline constexpr uint32_t LB_GETITEMHEIGHT = 0x01A1;
inline constexpr uint32_t LB_FINDSTRINGEXACT = 0x01A2;
inline constexpr uint32_t DM_GETDEFID = WM_USER + 0;
inline constexpr uint32_t DM_SETDEFID = WM_USER + 1;
inline constexpr uint32_t DC_HASDEFID = 0x534B;

// Notification codes (high word of WM_COMMAND's wParam).
inline constexpr uint32_t BN_CLICKED = 0;
inline constexpr uint32_t BN_DOUBLECLICKED = 5;
inline constexpr uint32_t BN_SETFOCUS = 6;
inline constexpr uint32_t BN_KILLFOCUS = 7;
inline constexpr uint32_t EN_SETFOCUS = 0x0100;
inline constexpr uint32_t EN_KILLFOCUS = 0x0200;
inline constexpr uint32_t EN_CHANGE = 0x0300;
inline constexpr uint32_t EN_UPDATE = 0x0400;
inline constexpr uint32_t EN_MAXTEXT = 0x0501;
inline constexpr uint32_t LBN_SELCHANGE = 1;
inline constexpr uint32_t LBN_DBLCLK = 2;
inline constexpr uint32_t LBN_SELCANCEL = 3;
inline constexpr uint32_t LBN_SETFOCUS = 4;
inline constexpr uint32_t LBN_KILLFOCUS = 5;
inline constexpr uint32_t CBN_SELCHANGE = 1;
inline constexpr uint32_t CBN_DBLCLK = 2;
inline constexpr uint32_t CBN_SETFOCUS = 3;
inline constexpr uint32_t CBN_KILLFOCUS = 4;
inline constexpr uint32_t CBN_EDITCHANGE = 5;
inline constexpr uint32_t CBN_EDITUPDATE = 6;
inline constexpr uint32_t CBN_DROPDOWN = 7;
inline constexpr uint32_t CBN_CLOSEUP = 8;
inline constexpr uint32_t STN_CLICKED = 0;
// Command routing codes.
inline constexpr int32_t CN_COMMAND = 0;
inline constexpr int32_t CN_UPDATE_COMMAND_UI = -1;

// Keyboard handling a control asks of its dialog (answers to WM_GETDLGCODE).
inline constexpr uint32_t DLGC_WANTARROWS = 0x0001;
inline constexpr uint32_t DLGC_WANTTAB = 0x0002;
inline constexpr uint32_t DLGC_WANTALLKEYS = 0x0004;
inline constexpr uint32_t DLGC_HASSETSEL = 0x0008;
inline constexpr uint32_t DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr uint32_t DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr uint32_t DLGC_RADIOBUTTON = 0x0040;
inline constexpr uint32_t DLGC_WANTCHARS = 0x0080;
inline constexpr uint32_t DLGC_STATIC = 0x0100;
inline constexpr uint32_t DLGC_BUTTON = 0x2000;

// Hit-test code carried by WM_SETCURSOR.
inline constexpr uint32_t HTNOWHERE = 0;
inline constexpr uint32_t HTCLIENT = 1;

// Owner drawing: control types, item actions and item states.
inline constexpr uint32_t ODT_MENU = 1;
inline constexpr uint32_t ODT_LISTBOX = 2;
inline constexpr uint32_t ODT_COMBOBOX = 3;
inline constexpr uint32_t ODT_BUTTON = 4;
inline constexpr uint32_t ODT_STATIC = 5;
inline constexpr uint32_t ODA_DRAWENTIRE = 0x0001;
inline constexpr uint32_t ODA_SELECT = 0x0002;
inline constexpr uint32_t ODA_FOCUS = 0x0004;
inline constexpr uint32_t ODS_SELECTED = 0x0001;
inline constexpr uint32_t ODS_GRAYED = 0x0002;
inline constexpr uint32_t ODS_DISABLED = 0x0004;
inline constexpr uint32_t ODS_CHECKED = 0x0008;
inline constexpr uint32_t ODS_FOCUS = 0x0010;
inline constexpr uint32_t ODS_DEFAULT = 0x0020;

// ---- Mouse and keyboard ----------------------------------------------------------------------
inline constexpr uint32_t MK_LBUTTON = 0x0001;
inline constexpr uint32_t MK_RBUTTON = 0x0002;
inline constexpr uint32_t MK_SHIFT = 0x0004;
inline constexpr uint32_t MK_CONTROL = 0x0008;
inline constexpr uint32_t MK_MBUTTON = 0x0010;

inline constexpr uint32_t VK_LBUTTON = 0x01;
inline constexpr uint32_t VK_RBUTTON = 0x02;
inline constexpr uint32_t VK_CANCEL = 0x03;
inline constexpr uint32_t VK_MBUTTON = 0x04;
inline constexpr uint32_t VK_BACK = 0x08;
inline constexpr uint32_t VK_TAB = 0x09;
inline constexpr uint32_t VK_CLEAR = 0x0C;
inline constexpr uint32_t VK_RETURN = 0x0D;
inline constexpr uint32_t VK_SHIFT = 0x10;
inline constexpr uint32_t VK_CONTROL = 0x11;
inline constexpr uint32_t VK_MENU = 0x12;
inline constexpr uint32_t VK_PAUSE = 0x13;
inline constexpr uint32_t VK_CAPITAL = 0x14;
inline constexpr uint32_t VK_ESCAPE = 0x1B;
inline constexpr uint32_t VK_SPACE = 0x20;
inline constexpr uint32_t VK_PRIOR = 0x21;
inline constexpr uint32_t VK_NEXT = 0x22;
inline constexpr uint32_t VK_END = 0x23;
inline constexpr uint32_t VK_HOME = 0x24;
inline constexpr uint32_t VK_LEFT = 0x25;
inline constexpr uint32_t VK_UP = 0x26;
inline constexpr uint32_t VK_RIGHT = 0x27;
inline constexpr uint32_t VK_DOWN = 0x28;
inline constexpr uint32_t VK_SELECT = 0x29;
inline constexpr uint32_t VK_PRINT = 0x2A;
inline constexpr uint32_t VK_SNAPSHOT = 0x2C;
inline constexpr uint32_t VK_INSERT = 0x2D;
inline constexpr uint32_t VK_DELETE = 0x2E;
inline constexpr uint32_t VK_HELP = 0x2F;
// '0'-'9' are 0x30-0x39 and 'A'-'Z' are 0x41-0x5A: the characters themselves.
inline constexpr uint32_t VK_LWIN = 0x5B;
inline constexpr uint32_t VK_RWIN = 0x5C;
inline constexpr uint32_t VK_APPS = 0x5D;
inline constexpr uint32_t VK_NUMPAD0 = 0x60; // to VK_NUMPAD9 = 0x69
inline constexpr uint32_t VK_MULTIPLY = 0x6A;
inline constexpr uint32_t VK_ADD = 0x6B;
inline constexpr uint32_t VK_SEPARATOR = 0x6C;
inline constexpr uint32_t VK_SUBTRACT = 0x6D;
inline constexpr uint32_t VK_DECIMAL = 0x6E;
inline constexpr uint32_t VK_DIVIDE = 0x6F;
inline constexpr uint32_t VK_F1 = 0x70; // to VK_F24 = 0x87
inline constexpr uint32_t VK_F10 = 0x79;
inline constexpr uint32_t VK_F24 = 0x87;
inline constexpr uint32_t VK_NUMLOCK = 0x90;
inline constexpr uint32_t VK_SCROLL = 0x91;
inline constexpr uint32_t VK_OEM_1 = 0xBA; // ;:
inline constexpr uint32_t VK_OEM_PLUS = 0xBB; // =+
inline constexpr uint32_t VK_OEM_COMMA = 0xBC; // ,<
inline constexpr uint32_t VK_OEM_MINUS = 0xBD; // -_
inline constexpr uint32_t VK_OEM_PERIOD = 0xBE; // .>
inline constexpr uint32_t VK_OEM_2 = 0xBF; // /?
inline constexpr uint32_t VK_OEM_3 = 0xC0; // `~
inline constexpr uint32_t VK_OEM_4 = 0xDB; // [{
inline constexpr uint32_t VK_OEM_5 = 0xDC; // \|
inline constexpr uint32_t VK_OEM_6 = 0xDD; // ]}
inline constexpr uint32_t VK_OEM_7 = 0xDE; // '"
inline constexpr uint32_t VK_OEM_8 = 0xDF;

// Key data (lParam of key messages): repeat count in bits 0-15, scan code 16-23, then these.
inline constexpr uint32_t KF_EXTENDED_BIT = 0x01000000;
inline constexpr uint32_t KF_ALTDOWN_BIT = 0x20000000;
inline constexpr uint32_t KF_PREVIOUS_DOWN_BIT = 0x40000000;
inline constexpr uint32_t KF_KEY_UP_BIT = 0x80000000;

// ---- Message boxes and the beep ------------------------------------------------------------------
inline constexpr uint32_t MB_OK = 0x00000000;
inline constexpr uint32_t MB_OKCANCEL = 0x00000001;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr uint32_t MB_YESNOCANCEL = 0x00000003;
inline constexpr uint32_t MB_YESNO = 0x00000004;
inline constexpr uint32_t MB_RETRYCANCEL = 0x00000005;
inline constexpr uint32_t MB_TYPEMASK = 0x0000000F;
inline constexpr uint32_t MB_ICONERROR = 0x00000010;
inline constexpr uint32_t MB_ICONHAND = 0x00000010;
inline constexpr uint32_t MB_ICONSTOP = 0x00000010;
inline constexpr uint32_t MB_ICONQUESTION = 0x00000020;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x00000030;
inline constexpr uint32_t MB_ICONWARNING = 0x00000030;
inline constexpr uint32_t MB_ICONINFORMATION = 0x00000040;
inline constexpr uint32_t MB_ICONASTERISK = 0x00000040;
inline constexpr uint32_t MB_ICONMASK = 0x000000F0;
inline constexpr uint32_t MB_DEFBUTTON1 = 0x00000000;
inline constexpr uint32_t MB_DEFBUTTON2 = 0x00000100;
inline constexpr uint32_t MB_DEFBUTTON3 = 0x00000200;
inline constexpr uint32_t MB_DEFMASK = 0x00000F00;
inline constexpr uint32_t MB_APPLMODAL = 0x00000000;
inline constexpr uint32_t MB_SYSTEMMODAL = 0x00001000;
inline constexpr uint32_t MB_TASKMODAL = 0x00002000;
inline constexpr uint32_t MB_SETFOREGROUND = 0x00010000;
inline constexpr uint32_t MB_TOPMOST = 0x00040000;
// The simple beep (the other beeps are named by their MB_ icon value, MB_OK the default beep).
inline constexpr uint32_t MB_SIMPLEBEEP = 0xFFFFFFFF;

inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDCANCEL = 2;
inline constexpr int32_t IDABORT = 3;
inline constexpr int32_t IDRETRY = 4;
inline constexpr int32_t IDIGNORE = 5;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;
inline constexpr int32_t IDCLOSE = 8;
inline constexpr int32_t IDHELP = 9;
inline constexpr int32_t IDC_STATIC = -1;

// Colour and file dialog flags.
inline constexpr uint32_t CC_RGBINIT = 0x0001;
inline constexpr uint32_t CC_FULLOPEN = 0x0002;
inline constexpr uint32_t OFN_READONLY = 0x00000001;
inline constexpr uint32_t OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr uint32_t OFN_HIDEREADONLY = 0x00000004;
inline constexpr uint32_t OFN_NOCHANGEDIR = 0x00000008;
inline constexpr uint32_t OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr uint32_t OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr uint32_t OFN_CREATEPROMPT = 0x00002000;
inline constexpr uint32_t OFN_EXPLORER = 0x00080000;

// ---- Standard cursors ----------------------------------------------------------------------
inline constexpr int32_t IDC_ARROW = 32512;
inline constexpr int32_t IDC_IBEAM = 32513;
inline constexpr int32_t IDC_WAIT = 32514;
inline constexpr int32_t IDC_CROSS = 32515;
inline constexpr int32_t IDC_UPARROW = 32516;
inline constexpr int32_t IDC_SIZENWSE = 32642;
inline constexpr int32_t IDC_SIZENESW = 32643;
inline constexpr int32_t IDC_SIZEWE = 32644;
inline constexpr int32_t IDC_SIZENS = 32645;
inline constexpr int32_t IDC_SIZEALL = 32646;
inline constexpr int32_t IDC_NO = 32648;
inline constexpr int32_t IDC_HAND = 32649;

// ---- Control bars, docking and toolbars ----------------------------------------------------------
inline constexpr uint32_t CBRS_ALIGN_LEFT = 0x1000;
inline constexpr uint32_t CBRS_ALIGN_TOP = 0x2000;
inline constexpr uint32_t CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr uint32_t CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr uint32_t CBRS_ALIGN_ANY = 0xF000;
inline constexpr uint32_t CBRS_BORDER_LEFT = 0x0100;
inline constexpr uint32_t CBRS_BORDER_TOP = 0x0200;
inline constexpr uint32_t CBRS_BORDER_RIGHT = 0x0400;
inline constexpr uint32_t CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr uint32_t CBRS_BORDER_ANY = 0x0F00;
// Ids of the four dock bars of a frame and of the floating one.
inline constexpr uint32_t IDW_DOCKBAR_TOP = 0xE81B;
inline constexpr uint32_t IDW_DOCKBAR_LEFT = 0xE81C;
inline constexpr uint32_t IDW_DOCKBAR_RIGHT = 0xE81D;
inline constexpr uint32_t IDW_DOCKBAR_BOTTOM = 0xE81E;
inline constexpr uint32_t IDW_DOCKBAR_FLOAT = 0xE81F;

inline constexpr uint8_t TBSTATE_CHECKED = 0x01;
inline constexpr uint8_t TBSTATE_PRESSED = 0x02;
inline constexpr uint8_t TBSTATE_ENABLED = 0x04;
inline constexpr uint8_t TBSTATE_HIDDEN = 0x08;
inline constexpr uint8_t TBSTATE_INDETERMINATE = 0x10;
inline constexpr uint8_t TBSTATE_WRAP = 0x20;
inline constexpr uint8_t TBSTYLE_BUTTON = 0x00;
inline constexpr uint8_t TBSTYLE_SEP = 0x01;
inline constexpr uint8_t TBSTYLE_CHECK = 0x02;
inline constexpr uint8_t TBSTYLE_GROUP = 0x04;
inline constexpr uint8_t TBSTYLE_CHECKGROUP = TBSTYLE_GROUP | TBSTYLE_CHECK;
inline constexpr uint32_t TBSTYLE_TOOLTIPS = 0x0100;
inline constexpr uint32_t TBSTYLE_WRAPABLE = 0x0200;
inline constexpr uint32_t TBSTYLE_FLAT = 0x0800;
inline constexpr uint32_t TBSTYLE_TRANSPARENT = 0x8000;
inline constexpr uint32_t CCS_TOP = 0x0001;
inline constexpr uint32_t CCS_NOMOVEY = 0x0002;
inline constexpr uint32_t CCS_BOTTOM = 0x0003;
inline constexpr uint32_t CCS_NORESIZE = 0x0004;
inline constexpr uint32_t CCS_NOPARENTALIGN = 0x0008;
inline constexpr uint32_t CCS_ADJUSTABLE = 0x0020;
inline constexpr uint32_t CCS_NODIVIDER = 0x0040;

// ---- Rich controls: notification codes (WM_NOTIFY) and the layout query of dialog bars ------------
inline constexpr int32_t NM_CLICK = -2;
inline constexpr int32_t NM_RCLICK = -5;
inline constexpr int32_t TTN_NEEDTEXT = -520;
inline constexpr int32_t TCN_SELCHANGE = -551;
inline constexpr int32_t TCN_SELCHANGING = -552;
inline constexpr int32_t TVN_SELCHANGING = -401;
inline constexpr int32_t TVN_SELCHANGED = -402;
inline constexpr int32_t TVN_BEGINLABELEDIT = -410;
inline constexpr int32_t TVN_ENDLABELEDIT = -411;
inline constexpr int32_t TVN_ITEMCHANGED = -418;
inline constexpr int32_t TBN_GETBUTTONINFO = -700;
inline constexpr int32_t TBN_QUERYINSERT = -706;
inline constexpr int32_t TBN_QUERYDELETE = -707;
inline constexpr int32_t TBN_TOOLBARCHANGE = -708;
// How a tree selection changed.
inline constexpr uint32_t TVC_UNKNOWN = 0;
inline constexpr uint32_t TVC_BYMOUSE = 1;
inline constexpr uint32_t TVC_BYKEYBOARD = 2;
// Styles of tree controls and combo boxes.
inline constexpr uint32_t TVS_EDITLABELS = 0x0008;
inline constexpr uint32_t TVS_CHECKBOXES = 0x0100;
// Item states of tree controls. The state image index sits in TVIS_STATEIMAGEMASK; with
// TVS_CHECKBOXES index 1 is an empty check box and 2 a checked one.
inline constexpr uint32_t TVIS_BOLD = 0x0010;
inline constexpr uint32_t TVIS_STATEIMAGEMASK = 0xF000;
constexpr uint32_t indexToStateImageMask(uint32_t index)
{
    return index << 12;
}
// Where a point lies on a tree control (its hit test).
inline constexpr uint32_t TVHT_NOWHERE = 0x0001;
inline constexpr uint32_t TVHT_ONITEMICON = 0x0002;
inline constexpr uint32_t TVHT_ONITEMLABEL = 0x0004;
inline constexpr uint32_t TVHT_ONITEMINDENT = 0x0008;
inline constexpr uint32_t TVHT_ONITEMBUTTON = 0x0010;
inline constexpr uint32_t TVHT_ONITEMRIGHT = 0x0020;
inline constexpr uint32_t TVHT_ONITEMSTATEICON = 0x0040;
inline constexpr uint32_t TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
inline constexpr uint32_t TVHT_ABOVE = 0x0100;
inline constexpr uint32_t TVHT_BELOW = 0x0200;
inline constexpr uint32_t TVHT_TORIGHT = 0x0400;
inline constexpr uint32_t TVHT_TOLEFT = 0x0800;
inline constexpr uint32_t CBS_DROPDOWN = 0x0002;
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x0003;
inline constexpr uint32_t CBS_SORT = 0x0100;
// Bits of a control bar's layout query.
inline constexpr uint32_t LM_STRETCH = 0x01;
inline constexpr uint32_t LM_HORZ = 0x02;
inline constexpr uint32_t LM_MRUWIDTH = 0x04;
inline constexpr uint32_t LM_HORZDOCK = 0x08;
inline constexpr uint32_t LM_VERTDOCK = 0x10;
inline constexpr uint32_t LM_LENGTHY = 0x20;

} // namespace platform
