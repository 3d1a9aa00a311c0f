#include "app/conversion/conversion_worker.h"

#include <QThread>

namespace vm {

CConversionWorker::~CConversionWorker() {
    if (m_thread)
        m_thread->wait();  // the thread object goes with this one, its parent
}

bool CConversionWorker::Start(const DownloadConversionInput& input, Done done) {
    if (m_thread)
        return false;
    m_thread = QThread::create([this, input] { m_result = RunDownloadConversion(input); });
    m_thread->setParent(this);
    // Queued to this object's thread: the result is shown where the dialog lives.
    connect(m_thread, &QThread::finished, this, [this, done = std::move(done)] {
        m_thread->wait();
        m_thread->deleteLater();
        m_thread = nullptr;
        const ConversionResult result = std::move(m_result);
        m_result = ConversionResult();
        done(result);
    });
    m_thread->start();
    return true;
}

}  // namespace vm
