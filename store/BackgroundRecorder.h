#pragma once
// The recorder for the window: the games file is opened and written on a
// thread of its own, so neither the start nor a throw waits on a disk. The
// caller's thread only queues; the record of the game in progress is kept
// here too, for undo and resume.

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "PartyStore.h"
#include "Record.h"

namespace quimba::store {

class StoreRecorder;

class BackgroundRecorder : public GameRecorder {
public:
    // `tell` is called on the recording thread: a window must hand the notice
    // over to its own thread before showing it.
    BackgroundRecorder(std::string path, Origin origin, std::function<void(const StoreNotice&)> tell);
    // Writes everything queued, then closes the file.
    ~BackgroundRecorder() override;

    void Begin(const GameSetup& setup) override;
    void Append(const RecordEvent& event) override;
    // Goes on recording game `id` of the file, brought back by Resume.
    void Continue(std::int64_t id, const GameRecord& record);
    // Runs `job` on the recording thread with the open file, after what is
    // queued before it (finding the interrupted game, for instance).
    void Run(std::function<void(PartyStore&)> job);
    // Waits until everything queued so far is done.
    void Drain();

    // The game in progress as the caller sent it, undos included.
    const GameRecord& Current() const { return current_; }

private:
    void Loop(std::string path, Origin origin, std::function<void(const StoreNotice&)> tell);
    void Queue(std::function<void(StoreRecorder&, PartyStore&)> job);

    GameRecord current_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void(StoreRecorder&, PartyStore&)>> jobs_;
    bool busy_ = false;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace quimba::store
