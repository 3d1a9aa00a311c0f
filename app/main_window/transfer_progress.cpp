#include "app/main_window/transfer_progress.h"

#include "app/control_id.h"
#include "app/main_window/main_dlg.h"
#include "app/main_window/window_frame.h"
#include "app/serial/serial_link.h"
#include "serial/comm_state.h"
#include "serial/comm_tick.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace vm {

CTransferProgress::CTransferProgress(CMainDlg& dlg) : QObject(&dlg), m_dlg(dlg) {
    setObjectName(QStringLiteral("transferProgress"));
    m_clock.start();
    m_bar = new QProgressBar(&dlg);
    m_stop = new QPushButton(QStringLiteral("停止"), &dlg);
    SetControlId(m_bar, kBarId);
    SetControlId(m_stop, kStopId);
    for (QWidget* w : {static_cast<QWidget*>(m_bar), static_cast<QWidget*>(m_stop)}) {
        w->setProperty(kStatusExtraProperty, true);
        w->hide();
    }
    m_bar->setFixedWidth(160);
    m_stop->setAutoDefault(false);
    m_stop->setToolTip(QStringLiteral("发送完当前这一行后停止上传（不发送结束符）"));
    connect(m_stop, &QPushButton::clicked, this, &CTransferProgress::OnStop);
}

CTransferProgress& CTransferProgress::Of(CMainDlg& dlg) {
    auto* progress = dlg.findChild<CTransferProgress*>(QStringLiteral("transferProgress"),
                                                       Qt::FindDirectChildrenOnly);
    return progress ? *progress : *new CTransferProgress(dlg);
}

void CTransferProgress::DownloadStarted() {
    m_rate.Start(m_clock.elapsed());
}

std::string CTransferProgress::StatusAfterTick(const TickResult& tick) {
    return StatusWithRate(m_rate, tick, GetCommMode() == COMM_RECEIVE, m_clock.elapsed());
}

void CTransferProgress::ShowUploadProgress() {
    const bool uploading = m_dlg.IsCommTimerActive() && GetCommMode() == COMM_SEND;
    const UploadTexts texts = GetUploadTexts();
    const bool visible = uploading && texts.totalLines > 0;
    if (visible) {
        m_bar->setRange(0, int(std::min<long long>(texts.totalLines, INT_MAX)));
        m_bar->setValue(int(std::min<long long>(texts.sentLines, INT_MAX)));
        m_bar->setFormat(QStringLiteral("%v / %m"));
    } else {
        m_stop->setEnabled(true);
    }
    if (m_bar->isHidden() == visible) {
        m_bar->setVisible(visible);
        m_stop->setVisible(visible);
        if (auto* frame = m_dlg.findChild<CWindowFrame*>())
            frame->LayOut();
    }
}

void CTransferProgress::OnStop() {
    CSerialLink::Of(m_dlg).Worker().RequestStop();
    m_stop->setEnabled(false);
    SetSendStatus(kStoppingStatus);
    m_dlg.m_strStatus = kStoppingStatus;
    m_dlg.UpdateData(false);
}

CPaneFollow::CPaneFollow(QPlainTextEdit* pane) : m_pane(pane) {
    const QScrollBar* bar = pane->verticalScrollBar();
    m_value = bar->value();
    m_atEnd = bar->value() >= bar->maximum();
}

void CPaneFollow::Restore() const {
    QScrollBar* bar = m_pane->verticalScrollBar();
    bar->setValue(m_atEnd ? bar->maximum() : m_value);
}

}  // namespace vm
