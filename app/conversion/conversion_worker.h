#pragma once
// Runs one press of "转换" off the window's thread, so that converting a large
// file does not freeze the dialog, and hands the result back on the window's
// thread.

#include <QObject>

#include <functional>

#include "instrument/conversion_run.h"

class QThread;

namespace vm {

class CConversionWorker : public QObject {
public:
    using Done = std::function<void(const ConversionResult&)>;

    explicit CConversionWorker(QObject* parent = nullptr) : QObject(parent) {}
    // Waits for a run still going: its files are written completely or not at all.
    ~CConversionWorker() override;

    // Starts a run; done is called on this object's thread when it ends. False
    // (and nothing started) while another run is going.
    bool Start(const DownloadConversionInput& input, Done done);
    bool IsRunning() const { return m_thread != nullptr; }

private:
    QThread* m_thread = nullptr;
    ConversionResult m_result;  // written by the worker, read after it has finished
};

}  // namespace vm
