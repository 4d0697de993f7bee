#pragma once

#include <cstdint>

// Command ids shared by the command table, the menus and the objects that run them. The program's
// own commands start at 32771; the standard commands (file, edit, view, help) keep their customary
// ids.
enum CommandId : std::uint32_t {
    ID_TOOLBAR_CUSTOMIZE = 126,
    ID_LOOK_BASIC = 205,
    ID_LOOK_OFFICE_XP = 206,
    ID_LOOK_WINDOWS = 207,
    ID_LOOK_OFFICE_2003 = 208,
    ID_LOOK_VS_2005 = 209,
    ID_LOOK_VS_2008 = 210,
    ID_LOOK_OFFICE_2007_BLUE = 215,
    ID_LOOK_OFFICE_2007_BLACK = 216,
    ID_LOOK_OFFICE_2007_SILVER = 217,
    ID_LOOK_OFFICE_2007_AQUA = 218,
    ID_LOOK_WINDOWS_7 = 219,
    // The desktop's own style and palette: no look of the program's.
    ID_LOOK_DESKTOP = 220,

    ID_SIGNAL_NEW = 32771,
    ID_SIGNAL_DELETE = 32772,
    ID_SIGNAL_ENABLE = 32776,
    ID_SIGNAL_DISABLE = 32777,
    ID_FILTER_ALL = 32779,
    ID_FILTER_FSK = 32780,
    ID_FILTER_MFSK = 32781,
    ID_FILTER_FSK_MULTICARRIER = 32782,
    ID_FILTER_OFDM = 32783,
    ID_FILTER_PSK = 32784,
    ID_FILTER_PSK_MULTICARRIER = 32785,
    ID_FILE_MERGE = 32786,
    ID_FILE_CLOSE_DATABASE = 32790,
    ID_SIGNAL_EDIT = 32791,
    ID_SIGNAL_DUPLICATE = 32792,
    ID_FILE_EXPORT = 32793,
    // View > Sort By: a column (first + column number, 0-13), then the direction.
    ID_SORT_BY_FIRST = 32800,
    ID_SORT_BY_LAST = 32813,
    ID_SORT_ASCENDING = 32814,
    ID_SORT_DESCENDING = 32815,
    // View > Configure Shortcuts: the keys of every command.
    ID_VIEW_SHORTCUTS = 32816,
    // Edit > Find by Parameters: signals by measured rate, shift, bandwidth, tones, carriers.
    ID_EDIT_FIND_PARAMETERS = 32817,
    // Edit > Change Selected Signals: one field set on every selected signal.
    ID_SIGNAL_CHANGE_SELECTED = 32818,
    // File > Import: a spreadsheet's rows appended as signals.
    ID_FILE_IMPORT = 32819,
    // File > Compare With: another version's differences marked in the list.
    ID_FILE_COMPARE = 32820,
    // Edit > Take from Other: the selected rows made as the other version has them.
    ID_EDIT_TAKE_FROM_OTHER = 32821,
    // View > Next Difference, Previous Difference, End Comparison.
    ID_VIEW_NEXT_DIFFERENCE = 32822,
    ID_VIEW_PREVIOUS_DIFFERENCE = 32823,
    ID_VIEW_END_COMPARISON = 32824,
    // View > Details: the current signal's fields beside the list.
    ID_VIEW_DETAILS = 32825,
    // View > Problems: what is wrong with the database as a whole.
    ID_VIEW_PROBLEMS = 32826,
    // File > Update from: a merge three-way against what the last merge of that file took in.
    ID_FILE_UPDATE = 32827,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_FILE4 = 57619,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};
