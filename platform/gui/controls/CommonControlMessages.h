#pragma once
// The messages of the platform's common controls that the program sends to
// its tab, list, header and tree controls, numbered as the platform numbers
// them, with the records they carry.

#include "platform/gui/Types.h"

// Tab control.
enum : UINT {
    TCM_FIRST = 0x1300, TCM_GETITEMCOUNT = TCM_FIRST + 4, TCM_GETITEMRECT = TCM_FIRST + 10,
    TCM_GETCURSEL = TCM_FIRST + 11, TCM_SETCURSEL = TCM_FIRST + 12, TCM_HITTEST = TCM_FIRST + 13,
    TCM_ADJUSTRECT = TCM_FIRST + 40, TCM_SETITEMSIZE = TCM_FIRST + 41, TCM_GETROWCOUNT = TCM_FIRST + 44,
};
enum : UINT { TCHT_NOWHERE = 0x0001, TCHT_ONITEMICON = 0x0002, TCHT_ONITEMLABEL = 0x0004,
              TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL };
struct TCHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
};

// List view.
enum : UINT {
    LVM_FIRST = 0x1000, LVM_GETITEMCOUNT = LVM_FIRST + 4, LVM_GETITEMRECT = LVM_FIRST + 14,
    LVM_SCROLL = LVM_FIRST + 20, LVM_GETHEADER = LVM_FIRST + 31, LVM_GETTOPINDEX = LVM_FIRST + 39,
    LVM_GETCOUNTPERPAGE = LVM_FIRST + 40,
};
// What LVM_GETITEMRECT measures, passed in the rectangle's Left.
enum : int { LVIR_BOUNDS = 0, LVIR_ICON = 1, LVIR_LABEL = 2, LVIR_SELECTBOUNDS = 3 };

// Header.
enum : UINT {
    HDM_FIRST = 0x1200, HDM_GETITEMCOUNT = HDM_FIRST + 0, HDM_HITTEST = HDM_FIRST + 6,
    HDM_GETITEMRECT = HDM_FIRST + 7, HDM_GETORDERARRAY = HDM_FIRST + 17,
};
enum : UINT { HHT_NOWHERE = 0x0001, HHT_ONHEADER = 0x0002, HHT_ONDIVIDER = 0x0004, HHT_ONDIVOPEN = 0x0008 };
struct HDHITTESTINFO {
    TPoint pt;
    UINT flags = 0;
    int iItem = -1;
};

// Tree view.
enum : UINT { TV_FIRST = 0x1100, TVM_GETCOUNT = TV_FIRST + 5, TVM_GETVISIBLECOUNT = TV_FIRST + 16 };
