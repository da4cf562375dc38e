// The skin's caption table: lookups by key and the built-in captions.

#include <gtest/gtest.h>

#include <string>

#include "skin/core/ResourceStrings.h"

TEST(ResourceStrings, LookupsFindTheFirstLineOfAKeyInAnyCase) {
    TqlResourceStrData table(nullptr);
    EXPECT_EQ(table.CharSet, 1);
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"MSG_BTN_OK", "OK"},
        {"msg_btn_ok", "OK"},
        {"FLV_LOOKIN", "Look in: "},
        {"MI_MINCAPTION", "Mi&nimize"},
        {"find_replace_all", "Replace All"},
        {"NO_SUCH_KEY", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(table.LookupResString(c.key), c.expected);
    }

    TStringList lines;
    lines.Add("MSG_BTN_OK=Fine = good");
    lines.Add("MSG_BTN_OK=second");
    lines.Add("MSG_BTN_YES");
    lines.Add("=orphan");
    table.SetResStrings(lines);
    lines.Clear();  // the table keeps its own copy
    EXPECT_EQ(table.ResStrings().Count(), 4);
    EXPECT_EQ(table.LookupResString("msg_btn_ok"), "Fine = good");
    // A key the new lines lack keeps its built-in caption rather than none.
    EXPECT_EQ(table.LookupResString("MSG_BTN_YES"), "&Yes");
    EXPECT_EQ(table.LookupResString("MSG_CAP_CONFIRM"), "Confirm");
    EXPECT_EQ(table.LookupResString(""), "");
}

TEST(ResourceStrings, TheBuiltInTableHoldsEveryKeyInOrder) {
    const char* const keys[] = {
        "MI_MINCAPTION",
        "MI_MAXCAPTION",
        "MI_CLOSECAPTION",
        "MI_RESTORECAPTION",
        "MI_MINTOTRAYCAPTION",
        "MI_ROLLUPCAPTION",
        "MINBUTTON_HINT",
        "MAXBUTTON_HINT",
        "CLOSEBUTTON_HINT",
        "TRAYBUTTON_HINT",
        "ROLLUPBUTTON_HINT",
        "MENUBUTTON_HINT",
        "EDIT_UNDO",
        "EDIT_COPY",
        "EDIT_CUT",
        "EDIT_PASTE",
        "EDIT_DELETE",
        "EDIT_SELECTALL",
        "MSG_BTN_YES",
        "MSG_BTN_NO",
        "MSG_BTN_OK",
        "MSG_BTN_CANCEL",
        "MSG_BTN_ABORT",
        "MSG_BTN_RETRY",
        "MSG_BTN_IGNORE",
        "MSG_BTN_ALL",
        "MSG_BTN_NOTOALL",
        "MSG_BTN_YESTOALL",
        "MSG_BTN_HELP",
        "MSG_BTN_OPEN",
        "MSG_BTN_SAVE",
        "MSG_BTN_CLOSE",
        "MSG_BTN_BACK_HINT",
        "MSG_BTN_UP_HINT",
        "MSG_BTN_NEWFOLDER_HINT",
        "MSG_BTN_VIEWMENU_HINT",
        "MSG_BTN_STRETCH_HINT",
        "MSG_FILENAME",
        "MSG_FILETYPE",
        "MSG_NEWFOLDER",
        "MSG_LV_DETAILS",
        "MSG_LV_ICON",
        "MSG_LV_SMALLICON",
        "MSG_LV_LIST",
        "MSG_PREVIEWSKIN",
        "MSG_PREVIEWBUTTON",
        "MSG_OVERWRITE",
        "MSG_CAP_WARNING",
        "MSG_CAP_ERROR",
        "MSG_CAP_INFORMATION",
        "MSG_CAP_CONFIRM",
        "MSG_CAP_SHOWFLAG",
        "CALC_CAP",
        "ERROR",
        "COLORGRID_CAP",
        "CUSTOMCOLORGRID_CAP",
        "ADDCUSTOMCOLORBUTTON_CAP",
        "FONTDLG_COLOR",
        "FONTDLG_NAME",
        "FONTDLG_SIZE",
        "FONTDLG_HEIGHT",
        "FONTDLG_EXAMPLE",
        "FONTDLG_STYLE",
        "FONTDLG_SCRIPT",
        "DB_DELETE_QUESTION",
        "DB_MULTIPLEDELETE_QUESTION",
        "NODISKINDRIVE",
        "NOVALIDDRIVEID",
        "FLV_NAME",
        "FLV_SIZE",
        "FLV_TYPE",
        "FLV_LOOKIN",
        "FLV_MODIFIED",
        "FLV_ATTRIBUTES",
        "FLV_DISKSIZE",
        "FLV_FREESPACE",
        "PRNDLG_NAME",
        "PRNDLG_PRINTER",
        "PRNDLG_PROPERTIES",
        "PRNDLG_TYPE",
        "PRNDLG_STATUS",
        "PRNDLG_WHERE",
        "PRNDLG_COMMENT",
        "PRNDLG_PRINTRANGE",
        "PRNDLG_COPIES",
        "PRNDLG_NUMCOPIES",
        "PRNDLG_COLLATE",
        "PRNDLG_ALL",
        "PRNDLG_PAGES",
        "PRNDLG_SELECTION",
        "PRNDLG_PRINTTOFILE",
        "PRNDLG_FROM",
        "PRNDLG_TO",
        "PRNDLG_ORIENTATION",
        "PRNDLG_PAPER",
        "PRNDLG_PORTRAIT",
        "PRNDLG_LANDSCAPE",
        "PRNDLG_SOURCE",
        "PRNDLG_SIZE",
        "PRNDLG_MARGINS",
        "PRNDLG_MARGINS_INCHES",
        "PRNDLG_LEFT",
        "PRNDLG_RIGHT",
        "PRNDLG_TOP",
        "PRNDLG_BOTTOM",
        "PRNDLG_WARNING",
        "FIND_NEXT",
        "FIND_WHAT",
        "FIND_DIRECTION",
        "FIND_DIRECTIONUP",
        "FIND_DIRECTIONDOWN",
        "FIND_MATCH_CASE",
        "FIND_MATCH_WHOLE_WORD_ONLY",
        "FIND_REPLACE_WITH",
        "FIND_REPLACE",
        "FIND_REPLACE_All",
        "FIND_REPLACE_CLOSE",
        "MORECOLORS",
        "AUTOCOLOR",
        "CUSTOMCOLOR",
    };
    TqlResourceStrData table(nullptr);
    const TStrings& lines = table.ResStrings();
    ASSERT_EQ(lines.Count(), 120);
    ASSERT_EQ(std::size(keys), 120u);
    for (int i = 0; i < lines.Count(); ++i) {
        SCOPED_TRACE(keys[i]);
        EXPECT_EQ(lines.Names(i), keys[i]);
        EXPECT_FALSE(lines.ValueFromIndex(i).empty());
        EXPECT_EQ(BuiltInResString(keys[i]), lines.ValueFromIndex(i));
    }
}

TEST(ResourceStrings, CaptionsTheSkinnedPartsShow) {
    struct Case {
        const char* key;
        const char* caption;
    };
    const Case cases[] = {
        {"MI_MINTOTRAYCAPTION", "Minimize to &Tray"},
        {"MI_ROLLUPCAPTION", "Ro&llUp"},
        {"TRAYBUTTON_HINT", "Minimize to Tray"},
        {"MENUBUTTON_HINT", "System menu"},
        {"EDIT_SELECTALL", "Select All"},
        {"MSG_BTN_NOTOALL", "N&oToAll"},
        {"MSG_BTN_BACK_HINT", "Go To Last Folder Visited"},
        {"MSG_OVERWRITE", "Do you want to overwrite old file?"},
        {"MSG_CAP_SHOWFLAG", "Do not display this message again"},
        {"ADDCUSTOMCOLORBUTTON_CAP", "Add to Custom Colors"},
        {"CUSTOMCOLOR", "Custom..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(BuiltInResString(c.key), c.caption);
    }
}
