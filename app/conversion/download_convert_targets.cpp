// The download conversion dialog's targets: shown beside their outputs, and
// confirmed once per run before files that exist are replaced.
#include <QLineEdit>

#include "app/control_table.h"
#include "app/desktop.h"
#include "app/conversion/download_convert_dlg.h"
#include "app/conversion/download_convert_paths.h"
#include "instrument/conversion_run.h"

namespace vm {

void CDownloadConvertDlg::ShowTargets() {
    const std::pair<int, const std::string*> shown[] = {{1090, &g_strCoordExtractTarget},
                                                        {1091, &g_strAngleDistTarget},
                                                        {1092, &g_strAngleTarget},
                                                        {1093, &g_strCoordTarget}};
    for (const auto& [id, path] : shown) {
        auto* box = FindControl<QLineEdit>(this, id);
        const QString text =
            path->empty() ? QString::fromUtf8("（未选择保存位置）") : PathText(*path);
        box->setText(text);
        box->setToolTip(path->empty() ? QString() : text);
        box->setCursorPosition(int(text.size()));  // the file name is what tells targets apart
    }
}

bool CDownloadConvertDlg::ConfirmReplacingTargets(const DownloadConversionInput& input) {
    const std::vector<std::string> existing = ExistingTargets(input);
    if (existing.empty())
        return true;
    std::string question = "下列文件已经存在，转换会替换它们：";
    for (const std::string& path : existing)
        question += "\n" + path;
    question += "\n要替换吗？";
    return desktop().MessageBox(this, question, std::string(), MsgButtons::YesNo,
                                MsgIcon::Question) == MsgResult::Yes;
}

}  // namespace vm
