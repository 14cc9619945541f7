// The recording thread: one file, one recorder, jobs taken in order.
#include "BackgroundRecorder.h"

#include "StoreRecorder.h"

namespace quimba::store {

BackgroundRecorder::BackgroundRecorder(std::string path, Origin origin, std::function<void(const StoreNotice&)> tell)
    : thread_(&BackgroundRecorder::Loop, this, std::move(path), origin, std::move(tell)) {}

BackgroundRecorder::~BackgroundRecorder() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void BackgroundRecorder::Loop(std::string path, Origin origin, std::function<void(const StoreNotice&)> tell) {
    PartyStore store(std::move(path));
    StoreRecorder recorder(store, origin, std::move(tell));
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return stop_ || !jobs_.empty(); });
        if (jobs_.empty()) return;  // stopping, and everything is written
        auto job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        job(recorder, store);
        lock.lock();
        busy_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
}

void BackgroundRecorder::Queue(std::function<void(StoreRecorder&, PartyStore&)> job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void BackgroundRecorder::Begin(const GameSetup& setup) {
    current_ = {.setup = setup, .events = {}};
    Queue([setup](StoreRecorder& r, PartyStore&) { r.Begin(setup); });
}

void BackgroundRecorder::Append(const RecordEvent& event) {
    current_.events.push_back(event);
    Queue([event](StoreRecorder& r, PartyStore&) { r.Append(event); });
}

void BackgroundRecorder::Continue(std::int64_t id, const GameRecord& record) {
    current_ = record;
    Queue([id, record](StoreRecorder& r, PartyStore&) { r.Continue(id, record); });
}

void BackgroundRecorder::Run(std::function<void(PartyStore&)> job) {
    Queue([job = std::move(job)](StoreRecorder&, PartyStore& store) { job(store); });
}

void BackgroundRecorder::Drain() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [&] { return jobs_.empty() && !busy_; });
}

}  // namespace quimba::store
