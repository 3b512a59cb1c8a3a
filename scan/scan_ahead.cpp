#include "scan/scan_ahead.h"

#include <utility>

namespace velnor {

ScanAhead::ScanAhead(JunkScan& scan, IMessagePump* pump) : scan_(scan), pump_(pump) {
    walker_ = std::thread([this] { Walk(); });
}

ScanAhead::~ScanAhead() { Stop(); }

void ScanAhead::Stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        steps_.clear();
    }
    changed_.notify_all();
    if (walker_.joinable()) walker_.join();
}

bool ScanAhead::Next(ScanStep& step) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (steps_.empty() && !finished_) {
        if (pump_ && pump_->WaitsForWake()) {
            // The window answers its messages while it waits; the walk wakes
            // it when the step is there.
            waiting_ = true;
            lock.unlock();
            pump_->WaitForWake();
            lock.lock();
            waiting_ = false;
        } else {
            changed_.wait(lock);
        }
    }
    if (steps_.empty()) return false;
    step = std::move(steps_.front());
    steps_.pop_front();
    changed_.notify_all();
    return true;
}

bool ScanAhead::Stopped() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return stop_;
}

void ScanAhead::Walk() {
    while (!scan_.Done() && !Stopped()) {
        scan_.WalkNextFolder(*this);
        Push(ScanStep{});
    }
    bool wake = false;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
        wake = waiting_;
    }
    changed_.notify_all();
    if (wake && pump_) pump_->Wake();
}

void ScanAhead::Push(ScanStep step) {
    bool wake = false;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return stop_ || steps_.size() < kMaxStepsAhead; });
        if (stop_) return;
        steps_.push_back(std::move(step));
        wake = waiting_;
    }
    changed_.notify_all();
    if (wake && pump_) pump_->Wake();
}

void ScanAhead::OnFolder(const std::string& path) {
    ScanStep step;
    step.kind = ScanStep::Kind::Folder;
    step.folder = path;
    Push(std::move(step));
}

void ScanAhead::OnHits(std::vector<JunkItem>& hits) {
    ScanStep step;
    step.kind = ScanStep::Kind::Hits;
    step.hits.swap(hits);
    Push(std::move(step));
}

bool ScanAhead::OnBreath() {
    ScanStep step;
    step.kind = ScanStep::Kind::Breath;
    Push(std::move(step));
    return !Stopped();
}

}  // namespace velnor
