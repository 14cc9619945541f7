#pragma once
// The games played, kept in one SQLite file per user: every event of every
// game as it happens, and the questions the history asks of them. No Qt; the
// window and the simulator both write here.

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Record.h"
#include "Result.h"

struct sqlite3;

namespace quimba::store {

// The layout the program writes; a file with a higher number comes from a
// newer program and is only read.
inline constexpr int kSchemaVersion = 2;

// Where a game came from; the statistics may leave the simulator's out.
enum class Origin : int { Window = 0, Simulator = 1 };

// The per-user file: $XDG_DATA_HOME (when absolute) or ~/.local/share, then
// FENTORIX/3DQUIMBA/parties.sqlite. Empty when neither can be found.
std::string DefaultDatabasePath();

enum class Access {
    Writable,
    ReadOnly,  // a file from a newer program: read, never written
    None,      // nothing could be opened: games are not recorded
};

// What went wrong with a write, so the caller knows whether a later try can
// succeed.
enum class Fault { None, Full, Damaged, ReadOnly, Busy, Other };

// What the player is told of the games file, once: which trouble it is (the
// window words it in the player's language) and the system's own detail (a
// path, SQLite's reason), shown as it is.
struct StoreNotice {
    enum class Kind {
        None,
        CannotRead,       // the history cannot be read
        NotRecorded,      // the file cannot be opened or laid out
        ReadOnly,         // the file or its folder may not be written
        NewerVersion,     // written by a newer program: read, never written
        DamagedSetAside,  // detail: where the damaged file was kept
        DamagedKept,      // damaged, and could not be moved aside
        EventWaiting,     // one event not written yet; it goes with the next
    };
    Kind kind = Kind::None;
    std::string detail;
    bool Empty() const { return kind == Kind::None; }
    // In English, for the simulator's error stream and the tests' messages.
    std::string Text() const;
};

// One game of the history, as the list shows it.
struct GameSummary {
    std::int64_t id = 0;
    std::int64_t started = 0;  // seconds since 1970 UTC
    int type = kNormal;
    enum State : int { Interrupted = 0, Finished = 1, Abandoned = 2 } state = Interrupted;
    bool coached = false;
    int undos = 0;
    Origin origin = Origin::Window;
    struct Seat {
        std::string name;
        SeatKind kind = SeatKind::Person;
        std::optional<int> score{};  // only once finished
        bool won = false;
    };
    std::vector<Seat> seats;
};

// Which games the statistics count: one name (a computer is "CPU" at one
// level), one game type, finished or not.
struct StatsQuery {
    std::string name;
    int type = kNormal;
    std::optional<SeatKind> kind{};  // any kind when empty
    bool includeSimulator = true;
    int histogramBin = 10;  // points per bar of the histogram
};

struct PlayerStats {
    int played = 0;
    int finished = 0;
    int won = 0;
    // Finished games with at least one opponent of that kind, and how many
    // of those were won.
    struct Against {
        int played = 0;
        int won = 0;
    };
    Against persons, ladder, expert;
    double mean = 0;
    int best = 0;
    int worst = 0;
    double deviation = 0;   // population standard deviation of the scores
    int currentStreak = 0;  // finished games won in a row, up to the last
    int longestStreak = 0;
    struct Bar {
        int from = 0;  // scores from..from+bin-1
        int games = 0;
    };
    std::vector<Bar> histogram;
    struct Point {
        std::int64_t game = 0;
        std::int64_t started = 0;
        int score = 0;
    };
    std::vector<Point> overTime;  // finished games in the order played
};

// A name with a game type that has games, for choosing whose statistics.
struct PlayerKey {
    std::string name;
    SeatKind kind = SeatKind::Person;
    int type = kNormal;
    int games = 0;
};

class PartyStore {
public:
    // Opens the file, making it and its folder when missing. Never fails: a
    // damaged file is kept aside under a dated name and a fresh one started,
    // a newer one is opened read-only, an unwritable one leaves Access::None;
    // OpenNotice() then says so, once, for the player.
    enum class Mode { Record, Read };
    // Read: opens an existing file read-only, makes nothing, writes nothing.
    explicit PartyStore(std::string path, Mode mode = Mode::Record);
    ~PartyStore();
    PartyStore(const PartyStore&) = delete;
    PartyStore& operator=(const PartyStore&) = delete;

    Access access() const { return access_; }
    const std::string& path() const { return path_; }
    const StoreNotice& OpenNotice() const { return openNotice_; }
    // Where the damaged file went, when one was set aside (at open or later).
    const std::string& SetAside() const { return setAside_; }
    Fault LastFault() const { return lastFault_; }

    // Writing, one transaction each. A failed write leaves the file as it
    // was. A write that finds the file damaged sets it aside and starts a
    // fresh one (Fault::Damaged): the caller writes its game again.
    Result<std::int64_t> BeginGame(const GameSetup& setup, Origin origin);
    // Events `first`, `first+1`, ... of a game; events already stored with
    // those numbers are left as they are, so a retry never doubles one.
    Status AppendEvents(std::int64_t game, int first, const std::vector<RecordEvent>& events);
    // A whole game at once (the simulator).
    Result<std::int64_t> AddGame(const GameRecord& record, Origin origin);

    // Reading.
    std::vector<GameSummary> Games(std::int64_t beforeId = INT64_MAX, int limit = 200) const;
    Result<GameRecord> Load(std::int64_t game) const;
    // The last game of the window that is neither finished nor abandoned.
    std::optional<std::int64_t> LastInterrupted() const;
    std::vector<PlayerKey> Players() const;
    PlayerStats Statistics(const StatsQuery& query) const;
    // Every game, one line per seat, as RFC 4180 CSV with a header line.
    Status ExportCsv(std::ostream& out) const;

    // For tests of the full disk: caps the file at this many pages.
    void LimitPages(int pages);

private:
    void OpenFile();
    void OpenToRead();
    bool Prepare();
    Status Failed(int code, const std::string& what);
    void SetAsideAndStartAgain();
    template <typename Body>
    Status Transaction(const std::string& what, Body body);
    Status InsertEvents(std::int64_t game, int first, const std::vector<RecordEvent>& events);
    Result<std::int64_t> InsertGame(const GameSetup& setup, Origin origin);

    std::string path_;
    sqlite3* db_ = nullptr;
    Access access_ = Access::None;
    Fault lastFault_ = Fault::None;
    StoreNotice openNotice_;
    std::string setAside_;
};

// `quimba3d --export-history FILE`: every game of the games file at
// `database` as CSV into `file` ("-" for the standard output). The file is
// written whole under a temporary name and then renamed, so a failure never
// leaves half an export in place of an earlier one.
Status ExportHistoryFile(const std::string& database, const std::string& file);

}  // namespace quimba::store
