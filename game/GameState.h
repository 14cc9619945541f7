#pragma once
// All the state of a running game apart from the score sheet. Dice are
// indexed 1..5 and faces 1..6 (element 0 unused) so that the rules read as
// they are told; players are indexed by their sheet column 0..4.

#include <array>
#include <cstdint>
#include <string>

namespace quimba {

inline constexpr int kDice = 5;
inline constexpr int kFaces = 6;
inline constexpr int kMinPlayers = 2;
inline constexpr int kMaxPlayers = 5;
inline constexpr int kRounds = 13;
// Throws a player may make in one turn.
inline constexpr int kMaxThrows = 3;

// How a computer player plays: "Classique", the ladder of the rules, or
// "Expert", the exact best play of the strategy table. The numbers are the
// ones the settings store ("NIVEAU").
enum class Level : std::int32_t { Classic = 1, Expert = 2 };

struct GameState {
    std::array<std::uint8_t, kDice + 1> valeurde{};    // face of each die after the last throw
    std::array<std::uint8_t, kDice + 1> roule{};       // 1 while the die tumbles
    std::array<std::uint8_t, kFaces + 1> nbface{};     // dice showing each face
    std::array<std::uint8_t, kMaxPlayers> figure{};    // figure code of each player's last throw
    std::int32_t joueur = 0;                           // current player (sheet column)
    std::int32_t cibleordi = 0;                        // face the computer collects; 0 = none
    std::int32_t sommedes = 0;                         // sum of the five dice
    std::array<std::int32_t, kFaces + 1> sommeface{};  // face x number of dice showing it
    std::int32_t nblancers = 0;                        // throws made this turn
    std::int32_t meilleurscore = 0;                    // best final score ever
    std::int32_t etapeordi = 0;                        // step of the computer's turn
    std::int32_t nbjoueurs = 0;                        // number of players
    std::int32_t tour = 0;                             // completed rounds
    bool tourfini = false;                             // a turn was scored and handed on
    bool casechoisie = false;                          // a person has just written a score
    std::array<std::int32_t, kDice + 1> posx{};        // left edge of each die on the table
    std::array<std::int32_t, kDice + 1> posy{};        // top edge of each die on the table
    std::array<std::uint8_t, kDice + 1> alancer{};     // 1 = thrown at the next throw
    std::array<std::uint8_t, kDice + 1> garde{};       // 1 = kept, drawn with the keep mark
    std::string meilleurnom;                           // holder of the best score
    std::int32_t ligneimposee = 0;                     // row forced next (Ascendant, Descendant)
    std::int32_t typejeu = 0;                          // 1 Normal, 2 Ascendant, 3 Descendant
    Level niveau = Level::Classic;                     // how the players named "CPU" play
    // A person asked for advice in this game: its result stays out of the
    // best score and the best-scores list.
    bool conseilpartie = false;
};

// Figure codes kept in GameState::figure.
enum Figure : std::uint8_t {
    kNoFigure = 0,
    kBrelan = 3,
    kSuite = 20,
    kFull = 30,
    kCarre = 40,
    kQuimba = 50,
};

// Game types kept in GameState::typejeu.
enum GameType : std::int32_t {
    kNormal = 1,
    kAscendant = 2,
    kDescendant = 3,
};
constexpr bool IsGameType(int typejeu) { return typejeu >= kNormal && typejeu <= kDescendant; }

}  // namespace quimba
