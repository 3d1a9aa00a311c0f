#pragma once
// The Windows headers as the program includes them. windows.h turns the name
// MessageBox into MessageBoxW, which would rename the dialog host's function
// of that name in the Windows program only; the program calls MessageBoxW.

#include <windows.h>

#include <shellapi.h>

#undef MessageBox
