#pragma once

#include <QString>

// Control ids of the signal editor, its pages and the spacing dialogs; widgets carry them as
// "id<number>".
enum ControlId : int {
    IDC_NAME = 1000,
    IDC_DECODER = 1001,
    IDC_BAUDRATE = 1003,
    IDC_SHIFT = 1004,
    IDC_NUM_TONES = 1005,
    IDC_MODULATION = 1006,
    IDC_NUM_CHANNELS = 1008,
    IDC_PILOT_FREQUENCY = 1010,
    IDC_DISABLED = 1011,
    IDC_ITU = 1012,
    IDC_COMMENT = 1013,
    IDC_EDIT_SPACING = 1024,
    IDC_CODECHECK = 1025,
    IDC_SAME_SPACING = 1021,
    IDC_MULTIPLE_SPACINGS = 1022,
    IDC_TONE_DURATION = 1029,
    IDC_SPACING = 1030,
    IDC_BANDWIDTH = 1031,
    IDC_SYMBOL_RATE = 1032,
    IDC_FAMILY_BASE = 1040, // + family code 1-5: the family radio buttons
    IDC_NUM_TONES_MIN = 1047,
    IDC_NUM_CHANNELS_MIN = 1048,
    IDC_SUBCARRIER = 1051,
    IDC_SPACING_LIST = 1054,
};

// The object name a control with this id carries.
inline QString ControlName(int id) {
    return QStringLiteral("id%1").arg(id);
}

// What the editor's edits take: number fields, the code-check count, and vocabulary names
// looked up from a combo box (the longest name has 29 characters).
inline constexpr int NumberTextLimit = 63;
inline constexpr int CodecheckTextLimit = 511;
inline constexpr int VocabularyNameLimit = 29;
