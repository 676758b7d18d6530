// Identifiers of the pictures carried in the program (app.rc).
#pragma once

#define IDI_APP 1
#define IDI_TRAY 2
#define IDB_BUTTON_NORMAL 101
#define IDB_BUTTON_MOUSE_OVER 102
#define IDB_BUTTON_PRESSED 103
#define IDR_BANNER 201
