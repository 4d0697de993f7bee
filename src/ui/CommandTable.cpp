#include "CommandTable.h"

#include "CommandIds.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

using K = MenuEntryKind;

constexpr CommandInfo TheCommands[] = {
    {ID_TOOLBAR_CUSTOMIZE, ""},
    {ID_LOOK_BASIC, ""},
    {ID_LOOK_OFFICE_XP, ""},
    {ID_LOOK_WINDOWS, ""},
    {ID_LOOK_OFFICE_2003, ""},
    {ID_LOOK_VS_2005, ""},
    {ID_LOOK_VS_2008, ""},
    {ID_LOOK_OFFICE_2007_BLUE, ""},
    {ID_LOOK_OFFICE_2007_BLACK, ""},
    {ID_LOOK_OFFICE_2007_SILVER, ""},
    {ID_LOOK_OFFICE_2007_AQUA, ""},
    {ID_LOOK_WINDOWS_7, ""},
    {ID_LOOK_DESKTOP,
     QT_TRANSLATE_NOOP("Commands", "Use the desktop's style and colours\nDesktop look")},
    {ID_SIGNAL_NEW, QT_TRANSLATE_NOOP("Commands", "Create new signal\nNew Signal")},
    {ID_SIGNAL_DELETE, QT_TRANSLATE_NOOP("Commands", "Delete selected signal\nDelete Signal")},
    {ID_SIGNAL_ENABLE, ""},
    {ID_SIGNAL_DISABLE, ""},
    {ID_FILTER_ALL, QT_TRANSLATE_NOOP("Commands", "Show all modes\nShow all")},
    {ID_FILTER_FSK, QT_TRANSLATE_NOOP("Commands", "Show FSK modes\nShow FSK")},
    {ID_FILTER_MFSK, QT_TRANSLATE_NOOP("Commands", "Show MFSK modes\nShow MFSK")},
    {ID_FILTER_FSK_MULTICARRIER,
     QT_TRANSLATE_NOOP("Commands", "Show FSK multicarrier modes\nShow FSK multicarrier")},
    {ID_FILTER_OFDM, QT_TRANSLATE_NOOP("Commands", "Show OFDM modes\nShow OFDM")},
    {ID_FILTER_PSK, QT_TRANSLATE_NOOP("Commands", "Show PSK Modes\nShow PSK")},
    {ID_FILTER_PSK_MULTICARRIER,
     QT_TRANSLATE_NOOP("Commands", "Show PSK multicarrier modes\nShow PSK multicarrier")},
    {ID_FILE_MERGE, QT_TRANSLATE_NOOP("Commands", "Merge with another XML file\nMerge XML")},
    {ID_FILE_UPDATE, QT_TRANSLATE_NOOP("Commands", "Take in what changed in a file merged "
                                                   "before\nUpdate from")},
    {ID_FILE_CLOSE_DATABASE, QT_TRANSLATE_NOOP("Commands", "Close a file\nClose")},
    {ID_FILE_NEW, QT_TRANSLATE_NOOP("Commands", "Create a new document\nNew")},
    {ID_FILE_OPEN, QT_TRANSLATE_NOOP("Commands", "Open an existing document\nOpen")},
    {ID_FILE_SAVE, QT_TRANSLATE_NOOP("Commands", "Save the active document\nSave")},
    {ID_FILE_SAVE_AS,
     QT_TRANSLATE_NOOP("Commands", "Save the active document with a new name\nSave As")},
    {ID_FILE_MRU_FILE1, QT_TRANSLATE_NOOP("Commands", "Open this document")},
    {ID_FILE_MRU_FILE1 + 1, QT_TRANSLATE_NOOP("Commands", "Open this document")},
    {ID_FILE_MRU_FILE1 + 2, QT_TRANSLATE_NOOP("Commands", "Open this document")},
    {ID_FILE_MRU_FILE4, QT_TRANSLATE_NOOP("Commands", "Open this document")},
    {ID_EDIT_SELECT_ALL, QT_TRANSLATE_NOOP("Commands", "Select the entire document\nSelect All")},
    {ID_APP_ABOUT,
     QT_TRANSLATE_NOOP("Commands",
                       "Display program information, version number and copyright\nAbout")},
    {ID_APP_EXIT,
     QT_TRANSLATE_NOOP("Commands", "Quit the application; prompts to save documents\nExit")},
    {ID_HELP, ""},
    {ID_VIEW_TOOLBAR, ""},
    {ID_VIEW_STATUS_BAR,
     QT_TRANSLATE_NOOP("Commands", "Show or hide the status bar\nToggle Status Bar")},
    {ID_FILE_IMPORT,
     QT_TRANSLATE_NOOP(
         "Commands",
         "Append the signals of a spreadsheet (CSV or OpenDocument), as Export writes it\nImport")},
    {ID_SIGNAL_CHANGE_SELECTED,
     QT_TRANSLATE_NOOP("Commands",
                       "Set one field on every selected signal\nChange Selected Signals")},
    {ID_EDIT_FIND_PARAMETERS,
     QT_TRANSLATE_NOOP("Commands", "Find signals by measured rate, shift, bandwidth, tones or "
                                   "carriers\nFind by Parameters")},
    {ID_VIEW_DETAILS,
     QT_TRANSLATE_NOOP("Commands", "Show or hide the current signal's fields beside the "
                                   "list\nDetails")},
    {ID_VIEW_PROBLEMS,
     QT_TRANSLATE_NOOP("Commands", "List duplicates, signals that cannot be told apart and "
                                   "other problems of the database\nProblems")},
    {ID_VIEW_SHORTCUTS,
     QT_TRANSLATE_NOOP("Commands", "Choose the keys of the commands\nConfigure Shortcuts")},
    {ID_FILE_COMPARE,
     QT_TRANSLATE_NOOP("Commands",
                       "Mark how another version of the database differs\nCompare With")},
    {ID_EDIT_TAKE_FROM_OTHER,
     QT_TRANSLATE_NOOP("Commands", "Make the selected rows as the other version has "
                                   "them\nTake from Other")},
    {ID_VIEW_NEXT_DIFFERENCE,
     QT_TRANSLATE_NOOP("Commands", "Go to the next difference\nNext Difference")},
    {ID_VIEW_PREVIOUS_DIFFERENCE,
     QT_TRANSLATE_NOOP("Commands", "Go to the previous difference\nPrevious Difference")},
    {ID_VIEW_END_COMPARISON,
     QT_TRANSLATE_NOOP("Commands", "Stop marking the other version's differences\nEnd "
                                   "Comparison")},
    {ID_EDIT_COPY,
     QT_TRANSLATE_NOOP("Commands", "Copy the selection and put it on the Clipboard\nCopy")},
    {ID_EDIT_CUT,
     QT_TRANSLATE_NOOP("Commands", "Cut the selection and put it on the Clipboard\nCut")},
    {ID_EDIT_PASTE, QT_TRANSLATE_NOOP("Commands", "Insert Clipboard contents\nPaste")},
    {ID_EDIT_UNDO, QT_TRANSLATE_NOOP("Commands", "Undo the last action\nUndo")},
    {ID_EDIT_REDO, QT_TRANSLATE_NOOP("Commands", "Redo the previously undone action\nRedo")},
    {ID_EDIT_FIND, QT_TRANSLATE_NOOP("Commands", "Find the specified text\nFind")},
    {ID_SIGNAL_EDIT, QT_TRANSLATE_NOOP("Commands", "Edit the current signal\nEdit Signal")},
    {ID_SIGNAL_DUPLICATE,
     QT_TRANSLATE_NOOP("Commands",
                       "Edit a copy of the current signal and add it\nDuplicate Signal")},
    {ID_SORT_BY_FIRST, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 1, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 2, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 3, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 4, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 5, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 6, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 7, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 8, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 9, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 10, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 11, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_FIRST + 12, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_BY_LAST, QT_TRANSLATE_NOOP("Commands", "Sort the list by this column\nSort")},
    {ID_SORT_ASCENDING,
     QT_TRANSLATE_NOOP("Commands", "Sort the list in ascending order\nAscending")},
    {ID_SORT_DESCENDING,
     QT_TRANSLATE_NOOP("Commands", "Sort the list in descending order\nDescending")},
    {ID_FILE_EXPORT,
     QT_TRANSLATE_NOOP(
         "Commands",
         "Save the rows shown for a spreadsheet (CSV, or OpenDocument as .ods)\nExport")},
    {ID_NEXT_PANE, QT_TRANSLATE_NOOP("Commands", "Switch to the next window pane\nNext Pane")},
    {ID_PREV_PANE,
     QT_TRANSLATE_NOOP("Commands", "Switch back to the previous window pane\nPrevious Pane")},
};

// The Edit popup's items, shared by the main menu and the context menu.
constexpr MenuEntry TheEditItems[] = {
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Undo\tCtrl+Z"), ID_EDIT_UNDO},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Redo\tCtrl+Y"), ID_EDIT_REDO},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Cu&t\tCtrl+X"), ID_EDIT_CUT},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Copy\tCtrl+Ins"), ID_EDIT_COPY},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Paste\tCtrl+V"), ID_EDIT_PASTE},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&New\tIns"), ID_SIGNAL_NEW},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Edit...\tEnter"), ID_SIGNAL_EDIT},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Dup&licate...\tCtrl+D"), ID_SIGNAL_DUPLICATE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Delete\tDel"), ID_SIGNAL_DELETE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "C&hange Selected Signals..."),
     ID_SIGNAL_CHANGE_SELECTED},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Ta&ke from Other"), ID_EDIT_TAKE_FROM_OTHER},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Enable"), ID_SIGNAL_ENABLE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Disable"), ID_SIGNAL_DISABLE},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Find...\tCtrl+F"), ID_EDIT_FIND},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Find by Para&meters...\tCtrl+Shift+F"),
     ID_EDIT_FIND_PARAMETERS},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Select &All\tCtrl+A"), ID_EDIT_SELECT_ALL},
};

constexpr MenuEntry TheLookMenu[] = {
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Office 2007 (&Blue Style)"), ID_LOOK_OFFICE_2007_BLUE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Office 2007 (B&lack Style)"),
     ID_LOOK_OFFICE_2007_BLACK},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Office 2007 (&Silver Style)"),
     ID_LOOK_OFFICE_2007_SILVER},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Office 2007 (&Aqua Style)"), ID_LOOK_OFFICE_2007_AQUA},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Win&dows 7"), ID_LOOK_WINDOWS_7},
};

// View > Application Look: the desktop's look, then the program's own.
constexpr MenuEntry TheApplicationLookItems[] = {
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Des&ktop"), ID_LOOK_DESKTOP},
    {K::Separator, "", 0},
    {K::Include, "", 0, TheLookMenu, std::size(TheLookMenu)},
};

constexpr MenuEntry TheMainMenu[] = {
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "&File"), 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&New\tCtrl+N"), ID_FILE_NEW},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Open...\tCtrl+O"), ID_FILE_OPEN},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Merge...\tCtrl+M"), ID_FILE_MERGE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Update from..."), ID_FILE_UPDATE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Compare &With..."), ID_FILE_COMPARE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Close...\tCtrl+C"), ID_FILE_CLOSE_DATABASE},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Save\tCtrl+S"), ID_FILE_SAVE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Save &As..."), ID_FILE_SAVE_AS},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Export..."), ID_FILE_EXPORT},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Import..."), ID_FILE_IMPORT},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Recent File"), ID_FILE_MRU_FILE1},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "E&xit"), ID_APP_EXIT},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "&Edit"), 0},
    {K::Include, "", 0, TheEditItems, std::size(TheEditItems)},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "&View"), 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "&Toolbars and Docking Windows"), 0},
    {K::Item, "<placeholder>", ID_VIEW_TOOLBAR},
    {K::PopupEnd, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Status Bar"), ID_VIEW_STATUS_BAR},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Details\tF4"), ID_VIEW_DETAILS},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Pr&oblems"), ID_VIEW_PROBLEMS},
    {K::Separator, "", 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "Set Filter"), 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Show All"), ID_FILTER_ALL},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "FSK"), ID_FILTER_FSK},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "MFSK"), ID_FILTER_MFSK},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "FSK Multicarrier"), ID_FILTER_FSK_MULTICARRIER},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "OFDM"), ID_FILTER_OFDM},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "PSK"), ID_FILTER_PSK},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "PSK Multicarrier"), ID_FILTER_PSK_MULTICARRIER},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "Sort &By"), 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Name"), ID_SORT_BY_FIRST},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Decoder"), ID_SORT_BY_FIRST + 1},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Modulation"), ID_SORT_BY_FIRST + 2},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "S&ubcarrier"), ID_SORT_BY_FIRST + 3},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Baud / Symbol Rate"), ID_SORT_BY_FIRST + 4},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "S&hift"), ID_SORT_BY_FIRST + 5},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Band&width"), ID_SORT_BY_FIRST + 6},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "No. of &Tones"), ID_SORT_BY_FIRST + 7},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "No. of &Carriers"), ID_SORT_BY_FIRST + 8},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "S&pacing"), ID_SORT_BY_FIRST + 9},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "P&ilot Frequency"), ID_SORT_BY_FIRST + 10},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Codecheck C&ounter"), ID_SORT_BY_FIRST + 11},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "ITU Desi&gnator"), ID_SORT_BY_FIRST + 12},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Comment&s"), ID_SORT_BY_LAST},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Ascending"), ID_SORT_ASCENDING},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "Desc&ending"), ID_SORT_DESCENDING},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "Application &Look"), 0},
    {K::Include, "", 0, TheApplicationLookItems, std::size(TheApplicationLookItems)},
    {K::PopupEnd, "", 0},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Next Difference\tF8"), ID_VIEW_NEXT_DIFFERENCE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Previous Difference\tShift+F8"),
     ID_VIEW_PREVIOUS_DIFFERENCE},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&End Comparison\tEsc"), ID_VIEW_END_COMPARISON},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Configure Shortcuts..."), ID_VIEW_SHORTCUTS},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "&Help"), 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&Contents ...\tF1"), ID_HELP},
    {K::Separator, "", 0},
    {K::Item, QT_TRANSLATE_NOOP("Commands", "&About Quarn Editor..."), ID_APP_ABOUT},
    {K::PopupEnd, "", 0},
};

// The list's context menu: one popup QT_TRANSLATE_NOOP("Commands", "Edit") with the main menu's
// Edit items.
constexpr MenuEntry TheContextMenu[] = {
    {K::PopupBegin, QT_TRANSLATE_NOOP("Commands", "Edit"), 0},
    {K::Include, "", 0, TheEditItems, std::size(TheEditItems)},
    {K::PopupEnd, "", 0},
};

const Accelerator TheAccelerators[] = {
    {Qt::CTRL | Qt::Key_P, ID_EDIT_COPY},
    {Qt::CTRL | Qt::Key_Insert, ID_EDIT_COPY},
    {Qt::SHIFT | Qt::Key_Delete, ID_EDIT_CUT},
    {Qt::CTRL | Qt::Key_X, ID_EDIT_CUT},
    {QKeyCombination(Qt::Key_Delete), ID_SIGNAL_DELETE},
    {QKeyCombination(Qt::Key_Insert), ID_SIGNAL_NEW},
    {Qt::CTRL | Qt::Key_V, ID_EDIT_PASTE},
    {Qt::SHIFT | Qt::Key_Insert, ID_EDIT_PASTE},
    {Qt::CTRL | Qt::Key_A, ID_EDIT_SELECT_ALL},
    {Qt::ALT | Qt::Key_Backspace, ID_EDIT_UNDO},
    {Qt::CTRL | Qt::Key_Z, ID_EDIT_UNDO},
    {Qt::CTRL | Qt::Key_N, ID_FILE_NEW},
    {Qt::CTRL | Qt::Key_O, ID_FILE_OPEN},
    {Qt::CTRL | Qt::Key_C, ID_FILE_CLOSE_DATABASE},
    {Qt::CTRL | Qt::Key_S, ID_FILE_SAVE},
    {QKeyCombination(Qt::Key_F6), ID_NEXT_PANE},
    {Qt::SHIFT | Qt::Key_F6, ID_PREV_PANE},
    {Qt::CTRL | Qt::Key_M, ID_FILE_MERGE},
    {Qt::CTRL | Qt::Key_Y, ID_EDIT_REDO},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, ID_EDIT_REDO},
    {Qt::CTRL | Qt::Key_F, ID_EDIT_FIND},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_F, ID_EDIT_FIND_PARAMETERS},
    {Qt::CTRL | Qt::Key_D, ID_SIGNAL_DUPLICATE},
    {QKeyCombination(Qt::Key_F8), ID_VIEW_NEXT_DIFFERENCE},
    {Qt::SHIFT | Qt::Key_F8, ID_VIEW_PREVIOUS_DIFFERENCE},
    {QKeyCombination(Qt::Key_F4), ID_VIEW_DETAILS},
    // The desktop's own keys for Close, Save As and Quit, beside the ones above.
    {Qt::CTRL | Qt::Key_W, ID_FILE_CLOSE_DATABASE},
    {Qt::CTRL | Qt::SHIFT | Qt::Key_S, ID_FILE_SAVE_AS},
    {Qt::CTRL | Qt::Key_Q, ID_APP_EXIT},
};

constexpr std::uint32_t TheToolbar[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_SIGNAL_NEW, ID_SIGNAL_DELETE, 0, ID_HELP};

struct StandardPromptEntry {
    std::uint32_t id;
    const char* prompt;
};

constexpr StandardPromptEntry TheStandardPrompts[] = {
    {57602, QT_TRANSLATE_NOOP("Commands", "Close the active document\nClose")},
    {57632, QT_TRANSLATE_NOOP("Commands", "Erase the selection\nErase")},
    {57633, QT_TRANSLATE_NOOP("Commands", "Erase everything\nErase All")},
    {57640, QT_TRANSLATE_NOOP("Commands", "Repeat the last action\nRepeat")},
    {57641, QT_TRANSLATE_NOOP("Commands", "Replace specific text with different text\nReplace")},
    {57653, QT_TRANSLATE_NOOP("Commands", "Split the active window into panes\nSplit")},
    {59136, "EXT"},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {59140, "OVR"},
    {59141, "REC"},
    {61184, QT_TRANSLATE_NOOP("Commands", "Change the window size")},
    {61185, QT_TRANSLATE_NOOP("Commands", "Change the window position")},
    {61186, QT_TRANSLATE_NOOP("Commands", "Reduce the window to an icon")},
    {61187, QT_TRANSLATE_NOOP("Commands", "Enlarge the window to full size")},
    {61188, QT_TRANSLATE_NOOP("Commands", "Switch to the next document window")},
    {61189, QT_TRANSLATE_NOOP("Commands", "Switch to the previous document window")},
    {61190,
     QT_TRANSLATE_NOOP("Commands", "Close the active window and prompts to save the documents")},
    {61202, QT_TRANSLATE_NOOP("Commands", "Restore the window to normal size")},
    {61203, QT_TRANSLATE_NOOP("Commands", "Activate Task List")},
};

} // namespace

std::span<const CommandInfo> Commands() {
    return TheCommands;
}

const CommandInfo* FindCommand(std::uint32_t id) {
    const auto it = std::find_if(std::begin(TheCommands), std::end(TheCommands),
                                 [id](const CommandInfo& c) { return c.id == id; });
    return it == std::end(TheCommands) ? nullptr : &*it;
}

std::span<const MenuEntry> MainMenuEntries() {
    return TheMainMenu;
}
std::span<const MenuEntry> ContextMenuEntries() {
    return TheContextMenu;
}
std::span<const MenuEntry> LookMenuEntries() {
    return TheLookMenu;
}
std::span<const Accelerator> Accelerators() {
    return TheAccelerators;
}
std::span<const std::uint32_t> ToolbarButtons() {
    return TheToolbar;
}

namespace {

const MenuEntry* FindItem(std::span<const MenuEntry> entries, std::uint32_t id) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntryKind::Item && entry.id == id)
            return &entry;
        if (entry.kind == MenuEntryKind::Include) {
            if (const MenuEntry* item = FindItem({entry.include, entry.includeCount}, id))
                return item;
        }
    }
    return nullptr;
}

} // namespace

namespace {

// Calls visit(item, titles) for each item of entries, titles the popups above it.
template <typename Visit>
void VisitItems(std::span<const MenuEntry> entries, std::vector<const char*>& titles,
                const Visit& visit) {
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntryKind::PopupBegin)
            titles.push_back(entry.text);
        else if (entry.kind == MenuEntryKind::PopupEnd && !titles.empty())
            titles.pop_back();
        else if (entry.kind == MenuEntryKind::Include)
            VisitItems({entry.include, entry.includeCount}, titles, visit);
        else if (entry.kind == MenuEntryKind::Item)
            visit(entry, titles);
    }
}

} // namespace

std::vector<const char*> MenuPath(std::uint32_t id) {
    std::vector<const char*> titles;
    std::vector<const char*> found;
    bool seen = false;
    VisitItems(MainMenuEntries(), titles, [&](const MenuEntry& item, const auto& above) {
        if (!seen && item.id == id) {
            found = above;
            seen = true;
        }
    });
    return found;
}

std::vector<std::uint32_t> MenuOrder() {
    std::vector<const char*> titles;
    std::vector<std::uint32_t> ids;
    VisitItems(MainMenuEntries(), titles, [&ids](const MenuEntry& item, const auto&) {
        if (std::find(ids.begin(), ids.end(), item.id) == ids.end())
            ids.push_back(item.id);
    });
    return ids;
}

const char* MenuText(std::uint32_t id) {
    for (std::span<const MenuEntry> menu : {MainMenuEntries(), LookMenuEntries()}) {
        if (const MenuEntry* item = FindItem(menu, id))
            return item->text;
    }
    return "";
}

const char* StandardPrompt(std::uint32_t id) {
    if (const CommandInfo* command = FindCommand(id))
        return command->prompt;
    for (const auto& entry : TheStandardPrompts) {
        if (entry.id == id)
            return entry.prompt;
    }
    return "";
}

QString CommandTr(const char* text) {
    return QCoreApplication::translate("Commands", text);
}
