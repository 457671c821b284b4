#pragma once
#define IDD_TEST_FORM 500
#define IDC_TEST_NAME 501
#define IDC_TEST_ENABLED 502
