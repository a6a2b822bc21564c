#pragma once

// Resource ids shared by the test resource script and the tests.
#define IDD_TEST_DIALOG 200
#define IDD_TEST_PAGE_ONE 201
#define IDD_TEST_PAGE_TWO 202

#define IDC_TEST_EDIT 1001
#define IDC_TEST_LABEL 1002
#define IDC_TEST_IP 1003
#define IDC_TEST_BUTTON 1004
#define IDC_TEST_LIST 1005
#define IDC_PAGE_EDIT 1010

#define IDS_TEST_STRING 300
