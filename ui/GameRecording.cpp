// The window's link to the games file: every game recorded, the interrupted one brought back, a misclick taken back.
#include "GameRecording.h"

#include <QMetaObject>
#include <chrono>

#include "BackgroundRecorder.h"
#include "Language.h"
#include "StoreNoticeText.h"

namespace quimba::ui {

GameRecording::GameRecording(Game& game, const std::string& path, std::function<void(const QString&)> notice,
                             std::function<void()> changed, QObject* parent)
    : QObject(parent),
      game_(game),
      changed_(std::move(changed)) {
    // The recorder tells from its own thread; the notice is shown on ours.
    auto tell = [this, notice = std::move(notice)](const store::StoreNotice& told) {
        QMetaObject::invokeMethod(
            this,
            [this, notice, told] {
                const auto line = [this](int n) { return QString::fromStdString(game_.Line(n)); };
                const QString text = line(kLineRecordingNotice) + "\n" + StoreNoticeText(told, line);
                notice(text);
            },
            Qt::QueuedConnection);
    };
    recorder_ = std::make_unique<store::BackgroundRecorder>(path, store::Origin::Window, std::move(tell));
    feed_ = std::make_unique<RecordFeed>(*recorder_);
    game_.Subscribe(*this);
}

GameRecording::~GameRecording() {
    // A closed game is interrupted, not abandoned: nothing more is said.
    game_.Unsubscribe(*this);
}

void GameRecording::OnEvent(const Game& g, const GameEvent& event) {
    switch (event.kind) {
        case GameEvent::Kind::NewGame: {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            feed_->NewGame(g, std::chrono::duration_cast<std::chrono::seconds>(now).count());
            live_ = false;
            resumeWanted_ = false;
            break;
        }
        case GameEvent::Kind::Thrown:
            live_ = true;
            resumeWanted_ = false;
            break;
        case GameEvent::Kind::AdviceReady: feed_->AdviceAsked(g); break;
        default: break;
    }
    feed_->OnEvent(g, event);
}

void GameRecording::ResumeLast() {
    resumeWanted_ = true;
    recorder_->Run([this](store::PartyStore& store) {
        const auto id = store.LastInterrupted();
        if (!id) return;
        Result<GameRecord> record = store.Load(*id);
        if (!record.Ok()) return;
        QMetaObject::invokeMethod(
            this,
            [this, id = *id, record = std::move(record.Value())] {
                // A game set up or thrown in before the file answered goes on.
                if (resumeWanted_) Bring(id, record);
            },
            Qt::QueuedConnection);
    });
}

bool GameRecording::ResumeGame(std::int64_t id) {
    std::optional<GameRecord> found;
    recorder_->Run([&](store::PartyStore& store) {
        Result<GameRecord> record = store.Load(id);
        if (record.Ok()) found = std::move(record.Value());
    });
    recorder_->Drain();
    return found && Bring(id, *found);
}

bool GameRecording::Bring(std::int64_t id, const GameRecord& record) {
    // Resume leaves the game as it was when the record does not replay.
    if (!Resume(game_, record).Ok()) {
        // Killed between its last row and its end: the end goes in now, so
        // the game counts as finished and is not offered again.
        if (const std::optional<RecordEvent> end = MissingEnd(game_, record)) {
            recorder_->Continue(id, record);
            recorder_->Append(*end);
        }
        return false;
    }
    // The game in progress, if any, gives way: it is abandoned.
    feed_->Abandoned();
    recorder_->Continue(id, record);
    feed_->Resumed();
    live_ = true;
    Say(kLineGameResumed);
    changed_();
    return true;
}

void GameRecording::Undo() {
    const GameRecord& current = recorder_->Current();
    const UndoAnswer point =
        live_ ? UndoPoint(current.setup, Effective(current)) : UndoAnswer{.refused = UndoRefusal::NothingToTakeBack};
    if (!point.Ok()) {
        Say(point.refused == UndoRefusal::GameOver           ? kLineUndoAfterEnd
            : point.refused == UndoRefusal::PersonThrewSince ? kLineUndoAfterThrow
                                                             : kLineNothingToUndo);
        changed_();
        return;
    }
    feed_->Undone();
    if (Resume(game_, recorder_->Current()).Ok()) Say(kLineRowTakenBack);
    changed_();
}

void GameRecording::Drain() { recorder_->Drain(); }

void GameRecording::Say(int line) {
    game_.controls.resultext = game_.Line(line);
    game_.controls.resultextVisible = true;
}

}  // namespace quimba::ui
