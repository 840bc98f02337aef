// Resource identifiers shared by the resource script and the program.
#define IDI_MASCOT 107
#define IDI_MASCOT_SMALL 108
#define IDD_OPTIONS 103

// The notification-area icon's menu. Options and Quit are the mascot
// window's own commands (32793 and 105), which the menu hands on.
#define IDM_TRAY 110
#define IDM_TRAY_OPTIONS 32793
#define IDM_TRAY_HIDE 40001
#define IDM_TRAY_STARTUP 40002
#define IDM_TRAY_ALL_MONITORS 40003
// Size: Auto, then 1x to 4x, in this order.
#define IDM_TRAY_SIZE_AUTO 40010
#define IDM_TRAY_SIZE_1 40011
#define IDM_TRAY_SIZE_2 40012
#define IDM_TRAY_SIZE_3 40013
#define IDM_TRAY_SIZE_4 40014
#define IDM_TRAY_QUIT 105
