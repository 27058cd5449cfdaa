/* The one id header of the program: dialogs, controls, commands, icons, bitmaps.
   windres reads it too, so it holds only #defines and C comments.
   The numbers are fixed: other programs' documentation, the menus and the tests
   name the commands by them. */
#pragma once

/* ---- dialogs and property pages ---- */
#define IDD_ABOUTBOX                    100
#define IDD_MAIN                        102
#define IDD_FOLDER                      139
#define IDD_FAVOR                       140
#define IDD_PREF_GENERAL                161
#define IDD_PREF_HOTKEYS                162
#define IDD_IMPORT_WIZARD               163
#define IDD_IMPORT_FOLDER               164
#define IDD_IMPORT_FIREFOX              165
#define IDD_IMPORT_CHROMIUM             166
#define IDD_IMPORT_HTML                 167
#define IDD_EXPORT_WIZARD               169
#define IDD_EXPORT_FOLDER               173
#define IDD_EXPORT_HTML                 174

/* ---- menus and keys ---- */
#define IDR_MAINMENU                    132
#define IDR_MAINKEYS                    134   /* the main window's accelerator table */

/* ---- icons ---- */
#define IDR_MAINFRAME                   128   /* application icon */
#define IDI_FOLDER                      137
#define IDI_FAVOR                       138
#define IDI_BTN_NEW                     200
#define IDI_BTN_EDIT                    201
#define IDI_BTN_DELETE                  202
#define IDI_BTN_SAVE                    203
#define IDI_BTN_IMPORT                  204
#define IDI_BTN_EXPORT                  205
#define IDI_BTN_QUICKPANEL              206
#define IDI_BTN_SEARCH                  207
#define IDI_BTN_MAGICADD                208
#define IDI_BTN_MOSTVISITED             209
#define IDI_BTN_LATESTVISITED           210
#define IDI_BTN_BROWSER                 211
#define IDI_MENU_EXIT                   212
#define IDI_MENU_HELP                   213
#define IDI_MENU_PREFERENCES            214
#define IDI_MENU_FIND                   215
#define IDI_MENU_ADD                    216
#define IDI_MENU_QUICKPANEL             217
#define IDI_MENU_BROWSER                218

/* ---- bitmaps ---- */
#define IDB_SORT_ASC                    142
#define IDB_SORT_DESC                   143

/* ---- main window (dialog 102) ---- */
#define IDC_SEARCH_EDIT                 1006
#define IDC_MAGIC_ADD                   1010
#define IDC_FOLDER_TREE                 1012
#define IDC_SAVE_DETAILS                1013
#define IDC_FOLDER_NEW                  1014
#define IDC_FAVOR_LIST                  1017
#define IDC_FAVOR_DELETE                1018
#define IDC_TO_BROWSER_BOTTOM           1019
#define IDC_TO_QUICKPANEL               1021
#define IDC_FOLDER_EDIT                 1022
#define IDC_FOLDER_DELETE               1023
#define IDC_DETAIL_NAME                 1024
#define IDC_DETAIL_LOCATION             1025
#define IDC_DETAIL_TAGS                 1026
#define IDC_DETAIL_HITS                 1027
#define IDC_DETAIL_LASTHIT              1028
#define IDC_LABEL_NAME                  1029
#define IDC_LABEL_LOCATION              1030
#define IDC_LABEL_TAGS                  1031
#define IDC_LABEL_HITS                  1032
#define IDC_LABEL_LASTHIT               1033
#define IDC_FOLDER_COMBO                1041
#define IDC_FAVOR_NEW                   1044
#define IDC_FAVOR_EDIT                  1045
#define IDC_SPLITTER                    1046
#define IDC_DETAILS_TOGGLE              1047
#define IDC_STATUS                      1048
#define IDC_IMPORT                      1049
#define IDC_EXPORT                      1050
#define IDC_SEPARATOR3                  1053
#define IDC_SEPARATOR2                  1054
#define IDC_MOST_VISITED                1058
#define IDC_LATEST_VISITED              1059
#define IDC_TO_BROWSER_TOP              1060
#define IDC_SEPARATOR1                  1061
#define IDC_SEARCH_BUTTON               1082

/* ---- favorite dialog (140) and folder dialog (139) ---- */
/* name 1024, location 1025, tags 1026 and the folder list 1041 as in the main window */
#define IDC_PARENT_COMBO                1037
#define IDC_DLG_OK                      1038
#define IDC_DLG_CANCEL                  1015

/* ---- Preferences: General (161) and Hotkeys (162) ---- */
#define IDC_PREF_MOSTVISITED            1016
#define IDC_PREF_LATESTVISITED          1040
#define IDC_PREF_AUTORUN                1062
#define IDC_PREF_TOPMOST                1083
#define IDC_HOTKEY_ACTIVATE             1063
#define IDC_HOTKEY_ADDFAVOR             1064
#define IDC_HOTKEY_DEFAULT              1013

/* ---- wizards (163 to 167, 169, 173, 174) ---- */
#define IDC_WIZ_KIND_FOLDER             1034
#define IDC_WIZ_KIND_FIREFOX            1065
#define IDC_WIZ_KIND_CHROMIUM           1066
#define IDC_WIZ_KIND_HTML               1067
#define IDC_WIZ_PROFILE_COMBO           1068
#define IDC_WIZ_FOLDER_PATH             1074
#define IDC_WIZ_FOLDER_BROWSE           1075
#define IDC_WIZ_FOLDER_PROGRESS         1076
#define IDC_WIZ_FILE_PATH               1077
#define IDC_WIZ_FILE_BROWSE             1078
#define IDC_WIZ_FILE_PROGRESS           1079
#define IDC_WIZ_STATUS                  1080
/* the export pages' folder list is 1041 */

/* ---- About box (100) ---- */
#define IDC_ABOUT_VERSION               1090
#define IDC_ABOUT_WEBSITE               1091
#define IDC_ABOUT_EMAIL                 1092

/* ---- menu bar commands (menu 132) ---- */
#define IDM_FILE_NEW_FAVORITE           32819
#define IDM_FILE_NEW_FOLDER             32820
#define IDM_FILE_IMPORT                 32773
#define IDM_FILE_EXPORT                 32774
#define IDM_FILE_HIDE                   32839
#define IDM_FILE_CLOSE                  57602
#define IDM_EDIT_FOLDER                 32821
#define IDM_DELETE_FOLDER               32822
#define IDM_EDIT_FAVORITE               32823
#define IDM_DELETE_FAVORITES            32824
#define IDM_SELECT_ALL                  32825
#define IDM_INVERT_SELECTION            32826
#define IDM_TO_QUICKPANEL               32827
#define IDM_COLUMN_NAME                 32789
#define IDM_COLUMN_LOCATION             32790
#define IDM_COLUMN_TAGS                 32791
#define IDM_COLUMN_HITS                 32792
#define IDM_COLUMN_LASTHIT              32828
#define IDM_SORT_NAME                   32834
#define IDM_SORT_LOCATION               32835
#define IDM_SORT_TAGS                   32836
#define IDM_SORT_HITS                   32837
#define IDM_SORT_LASTHIT                32838
#define IDM_ORDER_ASC                   32797
#define IDM_ORDER_DESC                  32798
#define IDM_PREFERENCES                 32830
#define IDM_EDIT_UNDO                   32870
#define IDM_EDIT_REDO                   32871
#define IDM_HELP_LAUNCH                 32802
#define IDM_HELP_WEBSITE                32833
#define IDM_HELP_ABOUT                  32804

/* ---- keyboard commands (table 134) and the menu entries that show them ---- */
#define IDM_EDIT_CUT                    32880
#define IDM_EDIT_COPY                   32881
#define IDM_EDIT_PASTE                  32882
#define IDM_EDIT_RENAME                 32883
#define IDM_KEY_DELETE                  32884  /* Del: favorites in the list, the folder in the tree */
#define IDM_KEY_PROPERTIES              32885  /* Alt+Enter: edit the favorite or folder in focus */
#define IDM_VIEW_REFRESH                32886
#define IDM_VIEW_PARENT                 32887
#define IDM_VIEW_FIND                   32888

/* ---- pop-up menus: tree, list, tray ---- */
#define IDM_TREE_ADD_FOLDER             1281
#define IDM_TREE_EDIT                   1282
#define IDM_TREE_DELETE                 1283
#define IDM_ADD_FAVORITE                1284  /* tree and list menus */
#define IDM_LIST_LAUNCH                 1285
#define IDM_LIST_EDIT                   1286
#define IDM_LIST_DELETE                 1287
#define IDM_LIST_SELECT_ALL             1288
#define IDM_LIST_INVERT                 1289
#define IDM_TRAY_EXIT                   1291
#define IDM_TRAY_HELP                   1292
#define IDM_TRAY_PREFERENCES            1293
#define IDM_TRAY_FIND                   1294
#define IDM_TRAY_ADD                    1295
#define IDM_TRAY_BROWSER                1296
#define IDM_TRAY_QUICKPANEL             1297

/* ---- Quick Panel visit menus: entry i has base + i ---- */
#define IDM_MOST_VISITED_FIRST          1792
#define IDM_MOST_VISITED_LAST           1892
#define IDM_LATEST_VISITED_FIRST        2048
#define IDM_LATEST_VISITED_LAST         2148

/* ---- Clean Up: duplicates (190) and link check (191) dialogs, Edit menu commands ---- */
#define IDD_DUPLICATES                  190
#define IDD_LINK_CHECK                  191
#define IDC_CLEAN_LIST                  1200
#define IDC_CLEAN_STATUS                1201
#define IDC_CLEAN_DELETE                1202
#define IDC_CLEAN_OPEN                  1203
#define IDC_CLEAN_SHOW                  1204
#define IDC_DUP_SELECT_EXTRA            1205
#define IDC_LINKS_FOLDER                1206
#define IDC_LINKS_SUBFOLDERS            1207
#define IDC_LINKS_START                 1208
#define IDC_LINKS_STOP                  1209
#define IDC_LINKS_PROGRESS              1210
#define IDC_LINKS_REPLACE               1211
#define IDM_FIND_DUPLICATES             32860
#define IDM_CHECK_LINKS                 32861

/* ---- Backups: the restore dialog (192) and its command ---- */
#define IDD_RESTORE                     192
#define IDC_RESTORE_LIST                1410
#define IDC_RESTORE_DO                  1411
#define IDC_RESTORE_OPEN_FOLDER         1412
#define IDM_FILE_RESTORE                32872

/* ---- Sync: the Preferences page (193), the status line's end, the command ---- */
#define IDD_PREF_SYNC                   193
#define IDC_SYNC_URL                    1420
#define IDC_SYNC_USER                   1421
#define IDC_SYNC_PASSWORD               1422
#define IDC_SYNC_FILE                   1423
#define IDC_SYNC_FOLDER                 1424
#define IDC_SYNC_MINUTES                1425
#define IDC_SYNC_AUTO                   1426
#define IDC_SYNC_NOW                    1427
#define IDC_SYNC_RESULT                 1428
#define IDC_SYNC_STATUS                 1430
#define IDM_SYNC_NOW                    32873
