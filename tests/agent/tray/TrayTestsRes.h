#pragma once

#define IDR_TRAY_MENU 300
#define ID_TRAY_OPEN 3001
#define ID_TRAY_CLOSE 3002
