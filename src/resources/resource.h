// The numbers of the game's resources, shared by hiren.rc and the code:
// icons, dialog templates, their controls and the system menu's command.
// Only #define lines, so the resource compiler reads it too.
#ifndef HIREN_RESOURCE_H
#define HIREN_RESOURCE_H

// Icon groups: 100 comes first, the program file's icon; the window and
// the About box use 101.
#define IDI_PROGRAM 100
#define IDI_WINDOW 101

// Dialog templates
#define IDD_ABOUT 102
#define IDD_BENCHMARK 103
#define IDD_QUIT 104
#define IDD_SCREEN_SIZE 105

// About: the three lines the dialog writes
#define IDC_VERSION_LINE 3000
#define IDC_NOTICE_LINE 3001
#define IDC_MMX_LINE 3002

// Benchmark: a button per test, and under each the static with its time
#define IDC_PLAIN_FILL 3003
#define IDC_PLAIN_COPY 3004
#define IDC_MMX_FILL 3005
#define IDC_MMX_COPY 3006
#define IDC_DIB_TO_DC 3007
#define IDC_DIB_TO_DDB 3008
#define IDC_DDB_TO_DIB 3009
#define IDC_DIB_TO_DC_TIME 3010
#define IDC_DDB_TO_DIB_TIME 3011
#define IDC_DIB_TO_DDB_TIME 3012
#define IDC_MMX_FILL_TIME 3013
#define IDC_PLAIN_FILL_TIME 3014
#define IDC_MMX_COPY_TIME 3015
#define IDC_PLAIN_COPY_TIME 3016

// Quit: the question and the third button
#define IDC_QUIT_QUESTION 3017
#define IDC_QUIT_BUTTON 3018

// Screen size: the three modes' radio buttons, in mode order
#define IDC_STANDARD_SIZE 3019
#define IDC_DOUBLE_SIZE 3020
#define IDC_FULL_SCREEN 3021

// The system menu's version information item
#define IDM_ABOUT 3000

#endif
