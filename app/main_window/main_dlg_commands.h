#pragma once
// Main-window commands whose features live in their own files (one file each,
// app/cmd_*.cpp). Each takes the main window it acts on.

namespace vm {

class CMainDlg;

// Serial link (cmd_serial.cpp): Download 1004, Upload 1005, the 300 ms tick,
// closing the port for StopComm, and resetting the shared transfer state when
// the main window is created.
void OnDownload(CMainDlg& dlg);
void OnUpload(CMainDlg& dlg);
void OnTimer(CMainDlg& dlg);
void CloseSerialPort(CMainDlg& dlg);
void ResetCommState(CMainDlg& dlg);

// Downloaded-data conversion 1026 (cmd_download_convert.cpp).
void OnDownloadConvert(CMainDlg& dlg);
// Universal conversion 32802 (cmd_universal.cpp).
void OnUniversalConvert(CMainDlg& dlg);
// Point preview 32901 of the pane's text (app/preview/cmd_preview.cpp).
void OnPointPreview(CMainDlg& dlg);
// Print a coordinate file 32811 (cmd_print_table.cpp).
void OnPrintTable(CMainDlg& dlg);
// Save a coordinate file as Excel 32812 (cmd_excel.cpp).
void OnSaveExcel(CMainDlg& dlg);
// Save as DXF 32813 (cmd_dxf.cpp).
void OnSaveDxf(CMainDlg& dlg);

}  // namespace vm
