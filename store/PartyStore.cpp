// The SQLite file of the games played: opening it whatever state it is in,
// its layout and upgrades, one transaction per write, the history's queries.
#include "PartyStore.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>

namespace quimba::store {

namespace {

namespace fs = std::filesystem;

// Two copies of the game write to one file; a writer waits this long for
// the other's transaction before its own event fails.
constexpr int kBusyMilliseconds = 5000;

// The first layout, kept so the upgrade from it stays tested.
constexpr const char* kSchemaV1 = R"sql(
CREATE TABLE games(id INTEGER PRIMARY KEY, started INTEGER NOT NULL, type INTEGER NOT NULL,
                   state INTEGER NOT NULL DEFAULT 0);
CREATE TABLE seats(game INTEGER NOT NULL, seat INTEGER NOT NULL, name TEXT NOT NULL, kind INTEGER NOT NULL,
                   score INTEGER, PRIMARY KEY(game, seat)) WITHOUT ROWID;
CREATE TABLE events(game INTEGER NOT NULL, seq INTEGER NOT NULL, kind INTEGER NOT NULL, seat INTEGER NOT NULL,
                    a INTEGER NOT NULL DEFAULT 0, b INTEGER NOT NULL DEFAULT 0,
                    PRIMARY KEY(game, seq)) WITHOUT ROWID;
)sql";

// Version 2: who sat at the table counted per kind, coaching and undos on the
// game, the winner and the type on each seat, and the indexes the history
// needs. Events: a throw keeps its kept mask in a and its faces as five
// decimal digits in b; a row its row in a and points in b; an end how it
// ended in a and the winning seat in b.
constexpr const char* kUpgradeToV2 = R"sql(
ALTER TABLE games ADD COLUMN players INTEGER NOT NULL DEFAULT 0;
ALTER TABLE games ADD COLUMN coached INTEGER NOT NULL DEFAULT 0;
ALTER TABLE games ADD COLUMN undos INTEGER NOT NULL DEFAULT 0;
ALTER TABLE games ADD COLUMN origin INTEGER NOT NULL DEFAULT 0;
ALTER TABLE games ADD COLUMN persons INTEGER NOT NULL DEFAULT 0;
ALTER TABLE games ADD COLUMN classics INTEGER NOT NULL DEFAULT 0;
ALTER TABLE games ADD COLUMN experts INTEGER NOT NULL DEFAULT 0;
ALTER TABLE seats ADD COLUMN type INTEGER NOT NULL DEFAULT 1;
ALTER TABLE seats ADD COLUMN won INTEGER NOT NULL DEFAULT 0;
UPDATE games SET
  players = (SELECT count(*) FROM seats WHERE game = games.id),
  persons = (SELECT count(*) FROM seats WHERE game = games.id AND kind = 0),
  classics = (SELECT count(*) FROM seats WHERE game = games.id AND kind = 1),
  experts = (SELECT count(*) FROM seats WHERE game = games.id AND kind = 2),
  coached = EXISTS(SELECT 1 FROM events WHERE game = games.id AND kind = 4),
  undos = (SELECT count(*) FROM events WHERE game = games.id AND kind = 3);
UPDATE seats SET type = (SELECT type FROM games WHERE id = seats.game);
UPDATE seats SET won = 1 WHERE score IS NOT NULL AND seat = (
  SELECT s.seat FROM seats s WHERE s.game = seats.game AND s.score IS NOT NULL
  ORDER BY s.score DESC, s.seat LIMIT 1);
CREATE INDEX seats_by_player ON seats(name, type, kind, game, score, won);
CREATE INDEX games_open ON games(id) WHERE state = 0;
)sql";

struct Statement {
    sqlite3_stmt* s = nullptr;
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &s, nullptr); }
    ~Statement() { sqlite3_finalize(s); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    bool Ok() const { return s != nullptr; }
    Statement& Bind(int i, std::int64_t v) {
        sqlite3_bind_int64(s, i, v);
        return *this;
    }
    Statement& Bind(int i, const std::string& v) {
        sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& BindNull(int i) {
        sqlite3_bind_null(s, i);
        return *this;
    }
    int Step() { return sqlite3_step(s); }
    std::int64_t Int(int col) const { return sqlite3_column_int64(s, col); }
    bool Null(int col) const { return sqlite3_column_type(s, col) == SQLITE_NULL; }
    std::string Text(int col) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, col));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(s, col))) : std::string();
    }
};

Fault FaultOf(int code) {
    switch (code & 0xff) {
        case SQLITE_OK: return Fault::None;
        case SQLITE_FULL: return Fault::Full;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB: return Fault::Damaged;
        case SQLITE_READONLY:
        case SQLITE_CANTOPEN:
        case SQLITE_PERM:
        case SQLITE_AUTH: return Fault::ReadOnly;
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return Fault::Busy;
        default: return Fault::Other;
    }
}

std::string Stamp(std::int64_t seconds, const char* format) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[40];
    std::strftime(text, sizeof text, format, &tm);
    return text;
}

std::int64_t PackFaces(const std::array<std::uint8_t, kDice>& faces) {
    std::int64_t packed = 0;
    for (std::uint8_t f : faces) packed = packed * 10 + f;
    return packed;
}

std::array<std::uint8_t, kDice> UnpackFaces(std::int64_t packed) {
    std::array<std::uint8_t, kDice> faces{};
    for (int d = kDice - 1; d >= 0; --d) {
        faces[d] = static_cast<std::uint8_t>(packed % 10);
        packed /= 10;
    }
    return faces;
}

const char* TypeWord(int type) {
    switch (type) {
        case kAscendant: return "ascendant";
        case kDescendant: return "descendant";
        default: return "normal";
    }
}

const char* KindWord(SeatKind kind) {
    switch (kind) {
        case SeatKind::Classic: return "classic";
        case SeatKind::Expert: return "expert";
        default: return "person";
    }
}

const char* StateWord(int state) {
    switch (state) {
        case GameSummary::Finished: return "finished";
        case GameSummary::Abandoned: return "abandoned";
        default: return "interrupted";
    }
}

// A CSV field: quoted, quotes doubled, when it holds a separator, a quote or
// a line break.
void Field(std::string& line, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

}  // namespace

std::string DefaultDatabasePath() {
    fs::path base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return {};
        base = fs::path(home) / ".local" / "share";
    }
    return (base / "FENTORIX" / "3DQUIMBA" / "parties.sqlite").string();
}

PartyStore::PartyStore(std::string path, Mode mode) : path_(std::move(path)) {
    if (mode == Mode::Read)
        OpenToRead();
    else
        OpenFile();
}

void PartyStore::OpenToRead() {
    std::error_code ec;
    if (!fs::exists(path_, ec)) return;  // no game recorded yet
    if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        openNotice_ = {StoreNotice::Kind::CannotRead, path_ + ": " + sqlite3_errmsg(db_)};
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return;
    }
    sqlite3_busy_timeout(db_, kBusyMilliseconds);
    access_ = Access::ReadOnly;
}

std::string StoreNotice::Text() const {
    switch (kind) {
        case Kind::None: return {};
        case Kind::CannotRead: return "Cannot read the games file " + detail;
        case Kind::NotRecorded: return "Games are not being recorded: cannot open " + detail;
        case Kind::ReadOnly: return "Games are not being recorded: the games file " + detail + " may not be written";
        case Kind::NewerVersion:
            return "Games are not being recorded: the games file " + detail + " comes from a newer version of the game";
        case Kind::DamagedSetAside:
            return "The games file was damaged; it was kept as " + detail + " and a new one started";
        case Kind::DamagedKept: return "The games file is damaged and could not be moved aside: " + detail;
        case Kind::EventWaiting: return "Not recorded for now (" + detail + "); it will be written with the next event";
    }
    return detail;
}

PartyStore::~PartyStore() { sqlite3_close_v2(db_); }

void PartyStore::OpenFile() {
    std::error_code ec;
    fs::create_directories(fs::path(path_).parent_path(), ec);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    access_ = Access::None;
    int rc = sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        openNotice_ = {StoreNotice::Kind::NotRecorded, path_ + ": " + sqlite3_errstr(rc)};
        sqlite3_close_v2(db_);
        db_ = nullptr;
        // A folder that may not be written can still hold a history to read.
        if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(db_);
            db_ = nullptr;
        }
        return;
    }
    sqlite3_busy_timeout(db_, kBusyMilliseconds);
    sqlite3_extended_result_codes(db_, 1);

    int version = 0;
    {
        // Reading the header and the layout is where a damaged file shows.
        Statement v(db_, "PRAGMA user_version");
        rc = v.Ok() ? v.Step() : sqlite3_errcode(db_);
        if (rc == SQLITE_ROW) version = static_cast<int>(v.Int(0));
        Statement layout(db_, "SELECT count(*) FROM sqlite_master");
        if (rc == SQLITE_ROW) rc = layout.Ok() ? layout.Step() : sqlite3_errcode(db_);
    }
    if (FaultOf(rc) == Fault::Damaged) {
        SetAsideAndStartAgain();
        openNotice_ = {StoreNotice::Kind::DamagedSetAside, setAside_};
        return;
    }
    if (rc != SQLITE_ROW) {
        openNotice_ = {StoreNotice::Kind::NotRecorded, path_ + ": " + sqlite3_errstr(rc)};
        return;
    }
    if (version > kSchemaVersion) {
        // Written by a newer program: read what can be read, write nothing.
        sqlite3_close_v2(db_);
        db_ = nullptr;
        if (sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db_, kBusyMilliseconds);
            access_ = Access::ReadOnly;
        }
        openNotice_ = {StoreNotice::Kind::NewerVersion, path_};
        return;
    }
    if (sqlite3_db_readonly(db_, "main") == 1) {
        openNotice_ = {StoreNotice::Kind::ReadOnly, path_};
        return;
    }
    // WAL lets a second copy read while one writes and keeps a commit to
    // one append; NORMAL syncs at checkpoints, so a killed program loses
    // nothing committed (only a power cut may lose the last events).
    rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF;", nullptr,
                      nullptr, nullptr);
    if (rc != SQLITE_OK) {
        openNotice_ = {StoreNotice::Kind::NotRecorded, path_ + ": " + sqlite3_errmsg(db_)};
        return;
    }
    if (version < kSchemaVersion) {
        std::string sql = "BEGIN IMMEDIATE;";
        // Another copy may have laid the file out meanwhile; the version is
        // read again inside the transaction.
        rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
        Statement v(db_, "PRAGMA user_version");
        if (rc == SQLITE_OK && v.Step() == SQLITE_ROW) version = static_cast<int>(v.Int(0));
        sql.clear();
        if (version == 0) sql += kSchemaV1;
        if (version <= 1) sql += kUpgradeToV2;
        sql += "PRAGMA user_version=" + std::to_string(kSchemaVersion) + "; COMMIT;";
        if (rc == SQLITE_OK) rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            openNotice_ = {StoreNotice::Kind::NotRecorded, path_ + ": " + sqlite3_errmsg(db_)};
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            return;
        }
    }
    access_ = Access::Writable;
}

void PartyStore::SetAsideAndStartAgain() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    const std::string base = path_ + ".damaged-" + Stamp(std::time(nullptr), "%Y%m%d-%H%M%S");
    std::string aside = base;
    std::error_code ec;
    for (int n = 2; fs::exists(aside, ec); ++n) aside = base + "-" + std::to_string(n);
    fs::rename(path_, aside, ec);
    if (ec) {
        // Kept where it is rather than lost; nothing will be recorded.
        openNotice_ = {StoreNotice::Kind::DamagedKept, path_ + ": " + ec.message()};
        access_ = Access::None;
        return;
    }
    for (const char* side : {"-wal", "-shm"}) fs::rename(path_ + side, aside + side, ec);
    setAside_ = aside;
    const std::string keep = setAside_;
    OpenFile();
    setAside_ = keep;
}

Status PartyStore::Failed(int code, const std::string& what) {
    lastFault_ = FaultOf(code);
    const std::string message = what + ": " + (db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code));
    if (db_ && !sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (lastFault_ == Fault::Damaged) {
        SetAsideAndStartAgain();
        return Status::Failure(message + "; the file was kept as " + setAside_ + " and a new one started");
    }
    return Status::Failure(message);
}

template <typename Body>
Status PartyStore::Transaction(const std::string& what, Body body) {
    lastFault_ = Fault::None;
    if (access_ != Access::Writable) {
        lastFault_ = Fault::ReadOnly;
        return Status::Failure(what + ": games are not being recorded");
    }
    // IMMEDIATE takes the write lock at once, so two copies wait for each
    // other instead of failing halfway.
    int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return Failed(rc, what);
    rc = body();
    if (rc == SQLITE_OK) rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return Failed(rc, what);
    return Status{Done{}};
}

Result<std::int64_t> PartyStore::InsertGame(const GameSetup& setup, Origin origin) {
    int counts[3] = {0, 0, 0};
    for (const SeatSetup& seat : setup.seats) ++counts[static_cast<int>(seat.kind)];
    Statement game(db_,
                   "INSERT INTO games(started, type, state, players, origin, persons, classics, experts) "
                   "VALUES(?1, ?2, 0, ?3, ?4, ?5, ?6, ?7)");
    if (!game.Ok()) return Result<std::int64_t>::Failure(std::to_string(sqlite3_errcode(db_)));
    game.Bind(1, setup.started).Bind(2, setup.type).Bind(3, static_cast<std::int64_t>(setup.seats.size()));
    game.Bind(4, static_cast<int>(origin)).Bind(5, counts[0]).Bind(6, counts[1]).Bind(7, counts[2]);
    int rc = game.Step();
    if (rc != SQLITE_DONE) return Result<std::int64_t>::Failure(std::to_string(rc));
    const std::int64_t id = sqlite3_last_insert_rowid(db_);
    Statement seat(db_, "INSERT INTO seats(game, seat, name, kind, type) VALUES(?1, ?2, ?3, ?4, ?5)");
    for (std::size_t i = 0; i < setup.seats.size(); ++i) {
        sqlite3_reset(seat.s);
        seat.Bind(1, id).Bind(2, static_cast<std::int64_t>(i + 1)).Bind(3, setup.seats[i].name);
        seat.Bind(4, static_cast<int>(setup.seats[i].kind)).Bind(5, setup.type);
        rc = seat.Step();
        if (rc != SQLITE_DONE) return Result<std::int64_t>::Failure(std::to_string(rc));
    }
    return id;
}

Status PartyStore::InsertEvents(std::int64_t game, int first, const std::vector<RecordEvent>& events) {
    auto fail = [](int rc) { return Status::Failure(std::to_string(rc)); };
    Statement insert(db_, "INSERT OR IGNORE INTO events(game, seq, kind, seat, a, b) VALUES(?1, ?2, ?3, ?4, ?5, ?6)");
    if (!insert.Ok()) return fail(sqlite3_errcode(db_));
    for (std::size_t i = 0; i < events.size(); ++i) {
        const RecordEvent& e = events[i];
        std::int64_t a = 0, b = 0;
        switch (e.kind) {
            case EventKind::Throw:
                a = e.kept;
                b = PackFaces(e.faces);
                break;
            case EventKind::Write:
                a = e.row;
                b = e.points;
                break;
            case EventKind::End:
                a = static_cast<int>(e.end);
                b = e.winner;
                break;
            default: break;
        }
        sqlite3_reset(insert.s);
        insert.Bind(1, game).Bind(2, first + static_cast<std::int64_t>(i)).Bind(3, static_cast<int>(e.kind));
        insert.Bind(4, e.seat).Bind(5, a).Bind(6, b);
        int rc = insert.Step();
        if (rc != SQLITE_DONE) return fail(rc);
        if (sqlite3_changes(db_) == 0) continue;  // stored by an earlier try

        const char* update = nullptr;
        if (e.kind == EventKind::Advice) update = "UPDATE games SET coached = 1 WHERE id = ?1";
        if (e.kind == EventKind::Undo) update = "UPDATE games SET undos = undos + 1 WHERE id = ?1";
        if (e.kind == EventKind::End)
            update = e.end == GameEnd::Finished ? "UPDATE games SET state = 1 WHERE id = ?1"
                                                : "UPDATE games SET state = 2 WHERE id = ?1";
        if (update) {
            Statement u(db_, update);
            rc = u.Ok() ? u.Bind(1, game).Step() : sqlite3_errcode(db_);
            if (rc != SQLITE_DONE) return fail(rc);
        }
        if (e.kind == EventKind::End && e.end == GameEnd::Finished) {
            Statement s(db_, "UPDATE seats SET score = ?3, won = ?4 WHERE game = ?1 AND seat = ?2");
            for (int seat = 0; seat < kMaxPlayers; ++seat) {
                sqlite3_reset(s.s);
                s.Bind(1, game).Bind(2, seat + 1).Bind(3, e.totals[seat]).Bind(4, seat == e.winner ? 1 : 0);
                rc = s.Step();
                if (rc != SQLITE_DONE) return fail(rc);
            }
        }
    }
    return Status{Done{}};
}

// The code of a failed step travels as the message of the inner Status.
namespace {
int CodeOf(const std::string& error) { return error.empty() ? SQLITE_OK : std::atoi(error.c_str()); }
}  // namespace

Result<std::int64_t> PartyStore::BeginGame(const GameSetup& setup, Origin origin) {
    std::int64_t id = 0;
    const Status s = Transaction("recording a new game", [&] {
        const Result<std::int64_t> r = InsertGame(setup, origin);
        id = r.Value();
        return r.Ok() ? SQLITE_OK : CodeOf(r.Error());
    });
    if (!s.Ok()) return Result<std::int64_t>::Failure(s.Error());
    return id;
}

Status PartyStore::AppendEvents(std::int64_t game, int first, const std::vector<RecordEvent>& events) {
    return Transaction("recording an event", [&] {
        const Status r = InsertEvents(game, first, events);
        return r.Ok() ? SQLITE_OK : CodeOf(r.Error());
    });
}

Result<std::int64_t> PartyStore::AddGame(const GameRecord& record, Origin origin) {
    std::int64_t id = 0;
    const Status s = Transaction("recording a game", [&] {
        const Result<std::int64_t> r = InsertGame(record.setup, origin);
        if (!r.Ok()) return CodeOf(r.Error());
        id = r.Value();
        const Status e = InsertEvents(id, 0, record.events);
        return e.Ok() ? SQLITE_OK : CodeOf(e.Error());
    });
    if (!s.Ok()) return Result<std::int64_t>::Failure(s.Error());
    return id;
}

void PartyStore::LimitPages(int pages) {
    if (!db_) return;
    const std::string sql = "PRAGMA max_page_count=" + std::to_string(pages);
    sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
}

std::vector<GameSummary> PartyStore::Games(std::int64_t beforeId, int limit) const {
    std::vector<GameSummary> games;
    if (!db_) return games;
    Statement g(db_,
                "SELECT id, started, type, state, coached, undos, origin FROM games WHERE id < ?1 "
                "ORDER BY id DESC LIMIT ?2");
    if (!g.Ok()) return games;
    g.Bind(1, beforeId).Bind(2, limit);
    std::map<std::int64_t, std::size_t> index;
    while (g.Step() == SQLITE_ROW) {
        GameSummary summary;
        summary.id = g.Int(0);
        summary.started = g.Int(1);
        summary.type = static_cast<int>(g.Int(2));
        summary.state = static_cast<GameSummary::State>(g.Int(3));
        summary.coached = g.Int(4) != 0;
        summary.undos = static_cast<int>(g.Int(5));
        summary.origin = static_cast<Origin>(g.Int(6));
        index[summary.id] = games.size();
        games.push_back(std::move(summary));
    }
    if (games.empty()) return games;
    Statement s(db_, "SELECT game, name, kind, score, won FROM seats WHERE game BETWEEN ?1 AND ?2 ORDER BY game, seat");
    s.Bind(1, games.back().id).Bind(2, games.front().id);
    while (s.Ok() && s.Step() == SQLITE_ROW) {
        const auto it = index.find(s.Int(0));
        if (it == index.end()) continue;
        GameSummary::Seat seat{
            .name = s.Text(1), .kind = static_cast<SeatKind>(s.Int(2)), .score = {}, .won = s.Int(4) != 0};
        if (!s.Null(3)) seat.score = static_cast<int>(s.Int(3));
        games[it->second].seats.push_back(std::move(seat));
    }
    return games;
}

Result<GameRecord> PartyStore::Load(std::int64_t game) const {
    GameRecord record;
    if (!db_) return Result<GameRecord>::Failure("no games file");
    Statement g(db_, "SELECT started, type FROM games WHERE id = ?1");
    if (!g.Ok() || g.Bind(1, game).Step() != SQLITE_ROW) return Result<GameRecord>::Failure("no such game");
    record.setup.started = g.Int(0);
    record.setup.type = static_cast<int>(g.Int(1));
    std::array<int, kMaxPlayers> totals{};
    Statement s(db_, "SELECT name, kind, score FROM seats WHERE game = ?1 ORDER BY seat");
    s.Bind(1, game);
    while (s.Ok() && s.Step() == SQLITE_ROW) {
        if (record.setup.seats.size() < kMaxPlayers) totals[record.setup.seats.size()] = static_cast<int>(s.Int(2));
        record.setup.seats.push_back({.name = s.Text(0), .kind = static_cast<SeatKind>(s.Int(1))});
    }
    Statement e(db_, "SELECT kind, seat, a, b FROM events WHERE game = ?1 ORDER BY seq");
    e.Bind(1, game);
    while (e.Ok() && e.Step() == SQLITE_ROW) {
        const auto kind = static_cast<EventKind>(e.Int(0));
        const int seat = static_cast<int>(e.Int(1));
        const std::int64_t a = e.Int(2), b = e.Int(3);
        switch (kind) {
            case EventKind::Throw:
                record.events.push_back(RecordEvent::Throw(seat, static_cast<std::uint8_t>(a), UnpackFaces(b)));
                break;
            case EventKind::Write:
                record.events.push_back(RecordEvent::Write(seat, static_cast<int>(a), static_cast<int>(b)));
                break;
            case EventKind::Undo: record.events.push_back(RecordEvent::Undo()); break;
            case EventKind::Advice: record.events.push_back(RecordEvent::Advice(seat)); break;
            case EventKind::End:
                record.events.push_back(a == static_cast<int>(GameEnd::Finished)
                                            ? RecordEvent::End(GameEnd::Finished, totals, static_cast<int>(b))
                                            : RecordEvent::End(GameEnd::Abandoned));
                break;
            default: return Result<GameRecord>::Failure("an event of an unknown kind");
        }
    }
    return record;
}

std::optional<std::int64_t> PartyStore::LastInterrupted() const {
    if (!db_) return std::nullopt;
    Statement s(db_, "SELECT id FROM games WHERE state = 0 AND origin = 0 ORDER BY id DESC LIMIT 1");
    if (s.Ok() && s.Step() == SQLITE_ROW) return s.Int(0);
    return std::nullopt;
}

std::vector<PlayerKey> PartyStore::Players() const {
    std::vector<PlayerKey> players;
    if (!db_) return players;
    Statement s(db_,
                "SELECT name, kind, type, count(*) FROM seats GROUP BY name, type, kind ORDER BY name, type, kind");
    while (s.Ok() && s.Step() == SQLITE_ROW)
        players.push_back({.name = s.Text(0),
                           .kind = static_cast<SeatKind>(s.Int(1)),
                           .type = static_cast<int>(s.Int(2)),
                           .games = static_cast<int>(s.Int(3))});
    return players;
}

PlayerStats PartyStore::Statistics(const StatsQuery& q) const {
    PlayerStats st;
    if (!db_) return st;
    std::string sql =
        "SELECT g.id, g.started, g.state, s.score, s.won, s.kind, g.persons, g.classics, g.experts "
        "FROM seats s JOIN games g ON g.id = s.game WHERE s.name = ?1 AND s.type = ?2";
    if (q.kind) sql += " AND s.kind = ?3";
    if (!q.includeSimulator) sql += " AND g.origin = 0";
    sql += " ORDER BY g.id";
    Statement s(db_, sql.c_str());
    if (!s.Ok()) return st;
    s.Bind(1, q.name).Bind(2, q.type);
    if (q.kind) s.Bind(3, static_cast<int>(*q.kind));
    double sum = 0, squares = 0;
    std::map<int, int> bars;
    const int bin = q.histogramBin > 0 ? q.histogramBin : 1;
    while (s.Step() == SQLITE_ROW) {
        ++st.played;
        if (s.Int(2) != GameSummary::Finished || s.Null(3)) continue;
        const int score = static_cast<int>(s.Int(3));
        const bool won = s.Int(4) != 0;
        const int own = static_cast<int>(s.Int(5));
        ++st.finished;
        st.won += won;
        // Opponents of each kind: the table's count less the player.
        const std::int64_t others[3] = {s.Int(6) - (own == 0), s.Int(7) - (own == 1), s.Int(8) - (own == 2)};
        PlayerStats::Against* against[3] = {&st.persons, &st.ladder, &st.expert};
        for (int k = 0; k < 3; ++k) {
            if (others[k] <= 0) continue;
            ++against[k]->played;
            against[k]->won += won;
        }
        st.best = st.finished == 1 ? score : std::max(st.best, score);
        st.worst = st.finished == 1 ? score : std::min(st.worst, score);
        sum += score;
        squares += static_cast<double>(score) * score;
        st.currentStreak = won ? st.currentStreak + 1 : 0;
        st.longestStreak = std::max(st.longestStreak, st.currentStreak);
        // Floor division, so negative scores fall into their own bars.
        const int from = (score >= 0 ? score / bin : -((-score + bin - 1) / bin)) * bin;
        ++bars[from];
        st.overTime.push_back({.game = s.Int(0), .started = s.Int(1), .score = score});
    }
    if (st.finished > 0) {
        st.mean = sum / st.finished;
        st.deviation = std::sqrt(std::max(0.0, squares / st.finished - st.mean * st.mean));
    }
    for (const auto& [from, games] : bars) st.histogram.push_back({.from = from, .games = games});
    return st;
}

Status PartyStore::ExportCsv(std::ostream& out) const {
    out << "game,started,type,seat,name,kind,score,won,state,coached,undos\r\n";
    if (!db_) return Status{Done{}};
    Statement s(db_,
                "SELECT g.id, g.started, g.type, s.seat, s.name, s.kind, s.score, s.won, g.state, g.coached, g.undos "
                "FROM games g JOIN seats s ON s.game = g.id ORDER BY g.id, s.seat");
    if (!s.Ok()) return Status::Failure(std::string("reading the games: ") + sqlite3_errmsg(db_));
    std::string line;
    int rc;
    while ((rc = s.Step()) == SQLITE_ROW) {
        line.clear();
        line += std::to_string(s.Int(0));
        line += ',';
        line += Stamp(s.Int(1), "%Y-%m-%dT%H:%M:%SZ");
        line += ',';
        line += TypeWord(static_cast<int>(s.Int(2)));
        line += ',';
        line += std::to_string(s.Int(3));
        line += ',';
        Field(line, s.Text(4));
        line += ',';
        line += KindWord(static_cast<SeatKind>(s.Int(5)));
        line += ',';
        if (s.Int(8) == GameSummary::Finished && !s.Null(6)) line += std::to_string(s.Int(6));
        line += ',';
        line += s.Int(7) ? '1' : '0';
        line += ',';
        line += StateWord(static_cast<int>(s.Int(8)));
        line += ',';
        line += s.Int(9) ? '1' : '0';
        line += ',';
        line += std::to_string(s.Int(10));
        line += "\r\n";
        out << line;
    }
    if (rc != SQLITE_DONE) return Status::Failure(std::string("reading the games: ") + sqlite3_errmsg(db_));
    if (!out) return Status::Failure("writing the export failed");
    return Status{Done{}};
}

Status ExportHistoryFile(const std::string& database, const std::string& file) {
    const PartyStore store(database, PartyStore::Mode::Read);
    if (!store.OpenNotice().Empty()) return Status::Failure(store.OpenNotice().Text());
    if (file == "-") return store.ExportCsv(std::cout);
    const std::string temporary = file + ".part";
    Status written{Done{}};
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return Status::Failure("cannot write " + temporary);
        written = store.ExportCsv(out);
        out.flush();
        if (written.Ok() && !out) written = Status::Failure("writing " + temporary + " failed");
    }
    std::error_code ec;
    if (written.Ok()) fs::rename(temporary, file, ec);
    if (!written.Ok() || ec) {
        fs::remove(temporary, ec);
        return written.Ok() ? Status::Failure("cannot put the export at " + file) : written;
    }
    return written;
}

}  // namespace quimba::store
