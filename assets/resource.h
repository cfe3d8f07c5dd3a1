// Resource identifiers and the one description of the configuration dialog.
// Included by the resource script (Windows) and by the Linux stand-in, which
// builds its dialog template from the same lines.
#pragma once

#define IDD_CONFIG 104
#define IDC_USE_MIRRORS 1001
#define IDC_STATIC_TEXT (-1)
#define IDS_DESCRIPTION 1
#define IDI_ORCHARDIA 1

#define DESCRIPTION_TEXT "Orchardia screen saver"

#define CONFIG_DIALOG_CAPTION "Config dialog"
#define CONFIG_DIALOG_WIDTH 228
#define CONFIG_DIALOG_HEIGHT 102
#define CONFIG_DIALOG_STYLE (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT)
#define CONFIG_DIALOG_FONT_NAME "MS Sans Serif"
#define CONFIG_DIALOG_FONT_POINTS 8

// The controls in template order (also the tab order):
// CONTROL(text, id, window class, style, x, y, width, height), dialog units.
// WS_CHILD | WS_VISIBLE is part of every control's style.
#define CONFIG_DIALOG_CONTROLS(CONTROL)                                                                 \
    CONTROL("OK", IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, 172, 4, 50, 14) \
    CONTROL("Cancel", IDCANCEL, "Button", BS_PUSHBUTTON | WS_TABSTOP | WS_CHILD | WS_VISIBLE, 172, 23, 50, \
            14)                                                                                         \
    CONTROL("(c) 2026 Kelvra", IDC_STATIC_TEXT, "Static",                                \
            SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, 7, 78, 100, 8)                                  \
    CONTROL("Contact us:", IDC_STATIC_TEXT, "Static", SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, 7, \
            55, 53, 8)                                                                                  \
    CONTROL("kv.example", IDC_STATIC_TEXT, "Static", SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, 7, 63, \
            49, 8)                                                                                      \
    CONTROL("Use Mirrors", IDC_USE_MIRRORS, "Button", BS_AUTOCHECKBOX | WS_TABSTOP | WS_CHILD | WS_VISIBLE, \
            9, 14, 52, 10)                                                                              \
    CONTROL("Version 1.0", IDC_STATIC_TEXT, "Static", SS_LEFT | WS_GROUP | WS_CHILD | WS_VISIBLE, 7, 34, 36, \
            8)
