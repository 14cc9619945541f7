// Handing a game's events to the games file, catching up after a fault.
#include "StoreRecorder.h"

namespace quimba::store {

StoreRecorder::StoreRecorder(PartyStore& store, Origin origin, std::function<void(const std::string&)> tell)
    : store_(store),
      origin_(origin),
      tell_(std::move(tell)) {}

void StoreRecorder::Tell(const std::string& line) {
    if (tell_ && !line.empty()) tell_(line);
}

void StoreRecorder::Begin(const GameSetup& setup) {
    current_ = {.setup = setup, .events = {}};
    id_.reset();
    stored_ = 0;
    Flush();
}

void StoreRecorder::Continue(std::int64_t id, const GameRecord& record) {
    current_ = record;
    id_ = id;
    stored_ = record.events.size();
}

void StoreRecorder::Append(const RecordEvent& event) {
    current_.events.push_back(event);
    Flush();
}

void StoreRecorder::Flush() {
    if (!toldOpen_) {
        toldOpen_ = true;
        Tell(store_.OpenNotice());
    }
    if (store_.access() != Access::Writable) return;
    Status written{Done{}};
    if (!id_) {
        const Result<std::int64_t> begun = store_.BeginGame(current_.setup, origin_);
        if (begun.Ok()) id_ = begun.Value();
        written = begun.Ok() ? Status{Done{}} : Status::Failure(begun.Error());
    }
    if (id_ && stored_ < current_.events.size()) {
        const std::vector<RecordEvent> rest(current_.events.begin() + static_cast<std::ptrdiff_t>(stored_),
                                            current_.events.end());
        written = store_.AppendEvents(*id_, static_cast<int>(stored_), rest);
        if (written.Ok()) stored_ = current_.events.size();
    }
    if (written.Ok()) {
        toldFault_ = false;
        return;
    }
    if (store_.LastFault() == Fault::Damaged && !retrying_) {
        // A fresh file was started: the whole game goes into it now.
        id_.reset();
        stored_ = 0;
        Tell(written.Error());
        retrying_ = true;
        Flush();
        retrying_ = false;
        return;
    }
    if (!toldFault_) {
        toldFault_ = true;
        Tell("Not recorded for now (" + written.Error() + "); it will be written with the next event.");
    }
}

void WholeGameRecorder::Append(const RecordEvent& event) {
    current_.events.push_back(event);
    if (event.kind != EventKind::End) return;
    const Result<std::int64_t> added = store_.AddGame(current_, origin_);
    if (added.Ok())
        ++written_;
    else if (error_.empty())
        error_ = added.Error();
    current_.events.clear();
}

}  // namespace quimba::store
