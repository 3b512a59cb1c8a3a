#pragma once
// The walk on a thread of its own, a few folders ahead of the window that
// shows it: the window takes its steps in walk order and answers its messages
// between them, as it would if it walked itself.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/prompts.h"
#include "scan/junk_scan.h"

namespace velnor {

struct ScanStep {
    enum class Kind {
        Folder,      // a folder's walk begins: `folder`
        Hits,        // files found: `hits`
        Breath,      // a pause within a big folder
        FolderDone,  // the end of one folder of the queue, walked or not
    };
    Kind kind = Kind::FolderDone;
    std::string folder;
    std::vector<JunkItem> hits;
};

class ScanAhead : private ScanListener {
public:
    // The walk begins at once; `scan` must have been started and is the
    // walk's own until this object is gone.
    ScanAhead(JunkScan& scan, IMessagePump* pump);
    ~ScanAhead() override;
    ScanAhead(const ScanAhead&) = delete;
    ScanAhead& operator=(const ScanAhead&) = delete;

    // The next step, waited for (the pump lets the window answer meanwhile);
    // false after the last one.
    bool Next(ScanStep& step);
    // Ends the walk; the steps not taken are dropped.
    void Stop();

private:
    // On the walk's thread.
    void Walk();
    void Push(ScanStep step);
    bool Stopped();
    void OnFolder(const std::string& path) override;
    void OnHits(std::vector<JunkItem>& hits) override;
    bool OnBreath() override;

    // How far the walk may run ahead of the window.
    static constexpr size_t kMaxStepsAhead = 512;

    JunkScan& scan_;
    IMessagePump* pump_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<ScanStep> steps_;
    bool finished_ = false;  // the walk pushes no more steps
    bool stop_ = false;
    bool waiting_ = false;  // the window waits in its pump for a step
    std::thread walker_;
};

}  // namespace velnor
