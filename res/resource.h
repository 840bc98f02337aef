// Resource identifiers shared by the resource script and the program.
#define IDI_MASCOT 107
#define IDI_MASCOT_SMALL 108
#define IDD_OPTIONS 103
