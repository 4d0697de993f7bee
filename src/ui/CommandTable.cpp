#include "CommandTable.h"

#include "CommandIds.h"

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
    {ID_LOOK_DESKTOP, "Use the desktop's style and colours\nDesktop look"},
    {ID_SIGNAL_NEW, "Create new signal\nNew Signal"},
    {ID_SIGNAL_DELETE, "Delete selected signal\nDelete Signal"},
    {ID_SIGNAL_ENABLE, ""},
    {ID_SIGNAL_DISABLE, ""},
    {ID_FILTER_ALL, "Show all modes\nShow all"},
    {ID_FILTER_FSK, "Show FSK modes\nShow FSK"},
    {ID_FILTER_MFSK, "Show MFSK modes\nShow MFSK"},
    {ID_FILTER_FSK_MULTICARRIER, "Show FSK multicarrier modes\nShow FSK multicarrier"},
    {ID_FILTER_OFDM, "Show OFDM modes\nShow OFDM"},
    {ID_FILTER_PSK, "Show PSK Modes\nShow PSK"},
    {ID_FILTER_PSK_MULTICARRIER, "Show PSK multicarrier modes\nShow PSK multicarrier"},
    {ID_FILE_MERGE, "Merge with another XML file\nMerge XML"},
    {ID_FILE_CLOSE_DATABASE, "Close a file\nClose"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_FILE_MRU_FILE1 + 1, "Open this document"},
    {ID_FILE_MRU_FILE1 + 2, "Open this document"},
    {ID_FILE_MRU_FILE4, "Open this document"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_HELP, ""},
    {ID_VIEW_TOOLBAR, ""},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle Status Bar"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_SIGNAL_EDIT, "Edit the current signal\nEdit Signal"},
    {ID_SIGNAL_DUPLICATE, "Edit a copy of the current signal and add it\nDuplicate Signal"},
    {ID_SORT_BY_FIRST, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 1, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 2, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 3, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 4, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 5, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 6, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 7, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 8, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 9, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 10, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 11, "Sort the list by this column\nSort"},
    {ID_SORT_BY_FIRST + 12, "Sort the list by this column\nSort"},
    {ID_SORT_BY_LAST, "Sort the list by this column\nSort"},
    {ID_SORT_ASCENDING, "Sort the list in ascending order\nAscending"},
    {ID_SORT_DESCENDING, "Sort the list in descending order\nDescending"},
    {ID_FILE_EXPORT, "Save the rows shown as comma-separated values for a spreadsheet\nExport"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
};

// The Edit popup's items, shared by the main menu and the context menu.
constexpr MenuEntry TheEditItems[] = {
    {K::Item, "&Undo\tCtrl+Z", ID_EDIT_UNDO},
    {K::Item, "&Redo\tCtrl+Y", ID_EDIT_REDO},
    {K::Separator, "", 0},
    {K::Item, "Cu&t\tCtrl+X", ID_EDIT_CUT},
    {K::Item, "&Copy\tCtrl+Ins", ID_EDIT_COPY},
    {K::Item, "&Paste\tCtrl+V", ID_EDIT_PASTE},
    {K::Separator, "", 0},
    {K::Item, "&New\tIns", ID_SIGNAL_NEW},
    {K::Item, "&Edit...\tEnter", ID_SIGNAL_EDIT},
    {K::Item, "Dup&licate...\tCtrl+D", ID_SIGNAL_DUPLICATE},
    {K::Item, "&Delete\tDel", ID_SIGNAL_DELETE},
    {K::Separator, "", 0},
    {K::Item, "Enable", ID_SIGNAL_ENABLE},
    {K::Item, "Disable", ID_SIGNAL_DISABLE},
    {K::Separator, "", 0},
    {K::Item, "&Find...\tCtrl+F", ID_EDIT_FIND},
    {K::Item, "Select &All\tCtrl+A", ID_EDIT_SELECT_ALL},
};

constexpr MenuEntry TheLookMenu[] = {
    {K::Item, "Office 2007 (&Blue Style)", ID_LOOK_OFFICE_2007_BLUE},
    {K::Item, "Office 2007 (B&lack Style)", ID_LOOK_OFFICE_2007_BLACK},
    {K::Item, "Office 2007 (&Silver Style)", ID_LOOK_OFFICE_2007_SILVER},
    {K::Item, "Office 2007 (&Aqua Style)", ID_LOOK_OFFICE_2007_AQUA},
    {K::Item, "Win&dows 7", ID_LOOK_WINDOWS_7},
};

// View > Application Look: the desktop's look, then the program's own.
constexpr MenuEntry TheApplicationLookItems[] = {
    {K::Item, "&Desktop", ID_LOOK_DESKTOP},
    {K::Separator, "", 0},
    {K::Include, "", 0, TheLookMenu, std::size(TheLookMenu)},
};

constexpr MenuEntry TheMainMenu[] = {
    {K::PopupBegin, "&File", 0},
    {K::Item, "&New\tCtrl+N", ID_FILE_NEW},
    {K::Separator, "", 0},
    {K::Item, "&Open...\tCtrl+O", ID_FILE_OPEN},
    {K::Item, "&Merge...\tCtrl+M", ID_FILE_MERGE},
    {K::Item, "&Close...\tCtrl+C", ID_FILE_CLOSE_DATABASE},
    {K::Separator, "", 0},
    {K::Item, "&Save\tCtrl+S", ID_FILE_SAVE},
    {K::Item, "Save &As...", ID_FILE_SAVE_AS},
    {K::Item, "&Export...", ID_FILE_EXPORT},
    {K::Separator, "", 0},
    {K::Item, "Recent File", ID_FILE_MRU_FILE1},
    {K::Separator, "", 0},
    {K::Item, "E&xit", ID_APP_EXIT},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, "&Edit", 0},
    {K::Include, "", 0, TheEditItems, std::size(TheEditItems)},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, "&View", 0},
    {K::PopupBegin, "&Toolbars and Docking Windows", 0},
    {K::Item, "<placeholder>", ID_VIEW_TOOLBAR},
    {K::PopupEnd, "", 0},
    {K::Item, "&Status Bar", ID_VIEW_STATUS_BAR},
    {K::Separator, "", 0},
    {K::PopupBegin, "Set Filter", 0},
    {K::Item, "Show All", ID_FILTER_ALL},
    {K::Separator, "", 0},
    {K::Item, "FSK", ID_FILTER_FSK},
    {K::Item, "MFSK", ID_FILTER_MFSK},
    {K::Item, "FSK Multicarrier", ID_FILTER_FSK_MULTICARRIER},
    {K::Item, "OFDM", ID_FILTER_OFDM},
    {K::Item, "PSK", ID_FILTER_PSK},
    {K::Item, "PSK Multicarrier", ID_FILTER_PSK_MULTICARRIER},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, "Sort &By", 0},
    {K::Item, "&Name", ID_SORT_BY_FIRST},
    {K::Item, "&Decoder", ID_SORT_BY_FIRST + 1},
    {K::Item, "&Modulation", ID_SORT_BY_FIRST + 2},
    {K::Item, "S&ubcarrier", ID_SORT_BY_FIRST + 3},
    {K::Item, "&Baud / Symbol Rate", ID_SORT_BY_FIRST + 4},
    {K::Item, "S&hift", ID_SORT_BY_FIRST + 5},
    {K::Item, "Band&width", ID_SORT_BY_FIRST + 6},
    {K::Item, "No. of &Tones", ID_SORT_BY_FIRST + 7},
    {K::Item, "No. of &Carriers", ID_SORT_BY_FIRST + 8},
    {K::Item, "S&pacing", ID_SORT_BY_FIRST + 9},
    {K::Item, "P&ilot Frequency", ID_SORT_BY_FIRST + 10},
    {K::Item, "Codecheck C&ounter", ID_SORT_BY_FIRST + 11},
    {K::Item, "ITU Desi&gnator", ID_SORT_BY_FIRST + 12},
    {K::Item, "Comment&s", ID_SORT_BY_LAST},
    {K::Separator, "", 0},
    {K::Item, "&Ascending", ID_SORT_ASCENDING},
    {K::Item, "Desc&ending", ID_SORT_DESCENDING},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, "Application &Look", 0},
    {K::Include, "", 0, TheApplicationLookItems, std::size(TheApplicationLookItems)},
    {K::PopupEnd, "", 0},
    {K::PopupEnd, "", 0},
    {K::PopupBegin, "&Help", 0},
    {K::Item, "&Contents ...\tF1", ID_HELP},
    {K::Separator, "", 0},
    {K::Item, "&About Quarn Editor...", ID_APP_ABOUT},
    {K::PopupEnd, "", 0},
};

// The list's context menu: one popup "Edit" with the main menu's Edit items.
constexpr MenuEntry TheContextMenu[] = {
    {K::PopupBegin, "Edit", 0},
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
    {Qt::CTRL | Qt::Key_D, ID_SIGNAL_DUPLICATE},
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
    {57602, "Close the active document\nClose"},
    {57632, "Erase the selection\nErase"},
    {57633, "Erase everything\nErase All"},
    {57640, "Repeat the last action\nRepeat"},
    {57641, "Replace specific text with different text\nReplace"},
    {57653, "Split the active window into panes\nSplit"},
    {59136, "EXT"},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {59140, "OVR"},
    {59141, "REC"},
    {61184, "Change the window size"},
    {61185, "Change the window position"},
    {61186, "Reduce the window to an icon"},
    {61187, "Enlarge the window to full size"},
    {61188, "Switch to the next document window"},
    {61189, "Switch to the previous document window"},
    {61190, "Close the active window and prompts to save the documents"},
    {61202, "Restore the window to normal size"},
    {61203, "Activate Task List"},
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
