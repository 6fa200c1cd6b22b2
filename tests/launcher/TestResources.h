// Dialogs of the container tests.
#pragma once

// An extended template: a text, the test control (id 1000) and a button, with
// initialisation data for the control.
#define IDD_TEST_EXTENDED 200
// A plain template holding only the test control, without initialisation data.
#define IDD_TEST_PLAIN 201
// A template naming a class that nobody registered.
#define IDD_TEST_UNREGISTERED 202
// The test control with initialisation data that runs past its end.
#define IDD_TEST_DAMAGED_INIT 203

#define IDC_TEST_BEFORE 999
#define IDC_TEST_CONTROL 1000
#define IDC_TEST_AFTER 1001
