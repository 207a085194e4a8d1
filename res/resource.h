// Resource and control ids of the Windows program, shared by the resource script and the code.
// Kept to plain #defines so that windres can read it.
#pragma once

// Dialog templates, menu, icons, bitmaps
#define IDD_TORVIK_DIALOG     102
#define IDD_SETUP_DIALOG      103
#define IDR_BANNER            129
#define IDI_MAIN_ICON         148
#define IDI_TRAY_ICON         149
#define IDR_KEY_MENU          151
#define IDB_MANUAL_IMAGE      30961
#define IDB_MANUAL_MASK       30962
#define IDR_FTDIDLL_NAME      "FTDIDLL"
#define IDR_FTDIDLL_TYPE      "DLL_SOURCE"

// Main window controls
#define IDC_ANTENNA1          1001
#define IDC_ANTENNA2          1002
#define IDC_ANTENNA3          1003
#define IDC_SWITCH_RADIO      1005
#define IDC_MIXER_RADIO       1006
#define IDC_SETUP             1007
#define IDC_MANUAL            1008
#define IDC_STATUS_TEXT       1009
#define ID_REMOTE_RELOAD      1013
#define IDC_BANNER            1014
#define IDC_EXIT              1020
#define ID_OPEN_DIALOG        1024

// Setup dialog controls
#define IDC_ALT1              2201
#define IDC_ALT2              2202
#define IDC_ALT3              2203
#define IDC_CTRL1             2211
#define IDC_CTRL2             2212
#define IDC_CTRL3             2213
#define IDC_SHIFT1            2221
#define IDC_SHIFT2            2222
#define IDC_SHIFT3            2223
#define IDC_WIN1              2231
#define IDC_WIN2              2232
#define IDC_WIN3              2233
#define IDC_AUTOSTART         2235
#define IDC_DEACTIVATE        2236
#define IDC_KEY1              2241
#define IDC_KEY2              2242
#define IDC_KEY3              2243
#define IDC_PAGE_GLOBAL       2250
#define IDC_PAGE1             2251
#define IDC_PAGE2             2252
#define IDC_PAGE3             2253
#define IDC_PAGE4             2254
#define IDC_PROGRAM_EDIT      2260
#define IDC_PROGRAM_STATIC    2261
#define IDC_SETUP_NOTE        2262
#define IDC_CAPTION_GROUP     2270
#define IDC_PROGRAM_GROUP     2271
#define IDC_ANTENNA_GROUP1    2301
#define IDC_ANTENNA_GROUP2    2302
#define IDC_ANTENNA_GROUP3    2303
#define IDC_KEY_LABEL1        2321
#define IDC_KEY_LABEL2        2322
#define IDC_KEY_LABEL3        2323
#define IDC_PLUS1             2341
#define IDC_PLUS2             2342
#define IDC_PLUS3             2343

// Key menu items: F1..F12 are 2073..2084, NUM PAD 0..9 are 2090..2099
#define ID_KEY_F1             2073
#define ID_KEY_NUMPAD0        2090

// Band following: its dialog and the tray item that opens it
#define IDD_BANDS_DIALOG      104
#define ID_BAND_FOLLOWING     1040
#define ID_STORM_LOCK         1041
#define ID_MQTT               1042
#define IDC_BANDS_FOLLOW      2401
#define IDC_BANDS_SOURCE      2402
#define IDC_BANDS_RULES       2403
#define IDC_BANDS_NOTES       2404
#define IDC_BANDS_HELP        2405
#define IDC_BANDS_SOURCE_LABEL 2406
#define IDC_BANDS_PROTECT     2407
#define IDC_BANDS_HANG        2408
#define IDC_BANDS_HANG_LABEL  2409

// Antenna names: the rename dialog and the antenna buttons' context menu item
#define IDD_RENAME_DIALOG     105
#define ID_RENAME_ANTENNA     1050
#define IDC_RENAME_LABEL      2501
#define IDC_RENAME_TEXT       2502

// MQTT: its dialog, opened from the tray's "MQTT"
#define IDD_MQTT_DIALOG       106
#define IDC_MQTT_ENABLED      2601
#define IDC_MQTT_HOST         2602
#define IDC_MQTT_PORT         2603
#define IDC_MQTT_CLIENT_ID    2604
#define IDC_MQTT_USER         2605
#define IDC_MQTT_PASSWORD     2606
#define IDC_MQTT_TLS          2607
#define IDC_MQTT_CA_FILE      2608
#define IDC_MQTT_PREFIX       2609
#define IDC_MQTT_STATUS       2610
