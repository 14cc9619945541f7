#pragma once
// Records every game of the window in the per-user games file, brings back
// the game a close or a crash interrupted, and takes back a person's
// misclick. The file is opened and written on the recorder's own thread.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "Game.h"
#include "Record.h"

namespace quimba::store {
class BackgroundRecorder;
}  // namespace quimba::store

namespace quimba::ui {

class GameRecording : public QObject, private GameObserver {
    Q_OBJECT
public:
    // `notice` shows a line about the games file (damaged, read-only,
    // newer); `changed` is called after the game was replaced by a resume
    // or an undo, for the window to mirror it.
    GameRecording(Game& game, const std::string& path, std::function<void(const QString&)> notice,
                  std::function<void()> changed, QObject* parent = nullptr);
    ~GameRecording() override;

    // Looks for the window's interrupted game off this thread and brings it
    // back, unless play has gone on meanwhile.
    void ResumeLast();
    // Brings back game `id` of the file (the history's button); false when
    // it cannot be (finished, or the record does not replay).
    bool ResumeGame(std::int64_t id);
    // Takes back the last row a person wrote; the result line says how it went.
    void Undo();
    // Waits until everything sent is in the file (tests).
    void Drain();

private:
    void OnEvent(const Game& g, const GameEvent& event) override;
    bool Bring(std::int64_t id, const GameRecord& record);
    void Say(int line);

    Game& game_;
    std::function<void()> changed_;
    std::unique_ptr<store::BackgroundRecorder> recorder_;
    std::unique_ptr<RecordFeed> feed_;
    bool live_ = false;          // a game is being recorded (thrown in, or resumed)
    bool resumeWanted_ = false;  // until the player sets up or throws
};

}  // namespace quimba::ui
