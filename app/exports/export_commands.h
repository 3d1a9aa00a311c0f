#pragma once
// The export commands once their dialogs were confirmed.

#include <string>

#include "export/column_order.h"
#include "export/dxf_builders.h"

namespace vm {

class CMainDlg;

// Command 32811 after the column order is known: asks for the coordinate file,
// writes its table to the work file and hands that to the desktop's viewer,
// then shows the print preview of the same rows. A file that cannot be read or
// a work file that cannot be written is reported and nothing is opened.
void PrintCoordinateTable(CMainDlg& dlg, const ColumnOrder& order);

// Command 32813 once the dialog was confirmed: writes the pane to the work file,
// builds the drawing of the given type from it and writes it to path. Reports
// "Save OK" only when the whole drawing is on disk.
void ExportPaneAsDxf(CMainDlg& dlg, const std::string& path, long long fileType,
                     const DxfOptions& options = {});

}  // namespace vm
