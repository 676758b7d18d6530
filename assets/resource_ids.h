// Identifiers of the pictures carried in the program (app.rc).
#pragma once

#define IDI_APP 1
#define IDI_TRAY 2
#define IDB_BUTTON_NORMAL 101
#define IDB_BUTTON_MOUSE_OVER 102
#define IDB_BUTTON_PRESSED 103
#define IDR_BANNER 201
// The same pictures drawn for 125 %, 150 % and 200 % display scale sit 10,
// 20 and 30 above the 100 % one.
#define IDB_BUTTON_NORMAL_125 111
#define IDB_BUTTON_MOUSE_OVER_125 112
#define IDB_BUTTON_PRESSED_125 113
#define IDB_BUTTON_NORMAL_150 121
#define IDB_BUTTON_MOUSE_OVER_150 122
#define IDB_BUTTON_PRESSED_150 123
#define IDB_BUTTON_NORMAL_200 131
#define IDB_BUTTON_MOUSE_OVER_200 132
#define IDB_BUTTON_PRESSED_200 133
#define IDR_BANNER_125 211
#define IDR_BANNER_150 221
#define IDR_BANNER_200 231
