// Resource identifiers of RZKDriverlogViewer, shared by the code and viewer.rc.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDR_MANIFEST 1  // a program's own manifest
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_VIEWER 102
#define IDR_MAINFRAME 128  // the program icon
#define IDR_TREE_MENU 129

// The about item of the system menu; system commands keep their low four bits free.
#define IDM_ABOUTBOX 0x0010
#define ID_ADD_NEW_LOG 32771

// ---- Viewer window (IDD_VIEWER) ----------------------------------------------------------
#define IDC_VIEWER_TREE 1000
#define IDC_VIEWER_SCROLL 1001
#define IDC_VIEWER_LABEL_PRINTER 1002
#define IDC_VIEWER_GROUP_PRINT 1003
#define IDC_VIEWER_COMBO_PRINTER 1004
#define IDC_VIEWER_RADIO_THISLOG 1005
#define IDC_VIEWER_RADIO_THISDAY 1006
#define IDC_VIEWER_BUTTON_PRINT 1007
#define IDC_VIEWER_BUTTON_TOP 1008
#define IDC_VIEWER_BUTTON_BACK 1009
#define IDC_VIEWER_BUTTON_NEXT 1010
#define IDC_VIEWER_BUTTON_BOTTOM 1011
#define IDC_VIEWER_FRAME_PICTURE 1014
