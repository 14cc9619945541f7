// Handing a game's events to the games file, catching up after a fault.
#include "StoreRecorder.h"

namespace quimba::store {

StoreRecorder::StoreRecorder(PartyStore& store, Origin origin, std::function<void(const StoreNotice&)> tell)
    : store_(store),
      origin_(origin),
      tell_(std::move(tell)) {}

void StoreRecorder::Tell(const StoreNotice& notice) {
    if (tell_ && !notice.Empty()) tell_(notice);
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
        Tell({StoreNotice::Kind::DamagedSetAside, store_.SetAside()});
        retrying_ = true;
        Flush();
        retrying_ = false;
        return;
    }
    if (!toldFault_) {
        toldFault_ = true;
        Tell({StoreNotice::Kind::EventWaiting, written.Error()});
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
