#pragma once

// Resource and control identifiers of the control panel, shared by the resource
// script and the code. Control ids are per dialog, so some values repeat.

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_PROXY_PAGE 106
#define IDD_LOG_PAGE 107
#define IDD_RULE 130

// Strings
#define IDS_ABOUTBOX 101
#define IDS_SHEET_CAPTION 102

// Icon
#define IDR_MAINFRAME 128

// Proxy page (106)
#define IDC_RULE_LIST 1002
#define IDC_NEW_RULE 1003
#define IDC_REMOVE_RULE 1004
#define IDC_EDIT_RULE 1005
#define IDC_NOTE 1006
#define IDC_START_STOP 1007
#define IDC_STATUS 1008

// Log page (107)
#define IDC_BROWSE 1001
#define IDC_LOG_VIEW 1004
#define IDC_LOG_PATH 1009

// Rule editor (130)
#define IDC_FIRST_IP 1010
#define IDC_LAST_IP 1011
#define IDC_SERVER 1012
#define IDC_RULE_NAME 1014

// About box (100)
#define IDC_WEB_LINK 1015
#define IDC_MAIL_LINK 1016

// System menu entry of the About box; the low four bits are reserved by the system.
#define IDM_ABOUTBOX 0x0010
