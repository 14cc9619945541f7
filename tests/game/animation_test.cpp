// The dice's tumble: where each die steps and rests, and what each frame draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "TestSupport.h"

using namespace quimba;
using namespace quimba::testing;

namespace {

// Per die: step left, step down, settling column; and the resting places
// and step counts a full throw can give.
struct DieMotion {
    int dx, dy, line, startY;
    int minSteps, maxSteps, minX, maxX, minY, maxY;
};
const std::array<DieMotion, 6> kMotion{{
    {},
    {2, 2, 290, 30, 26, 45, 288, 289, 82, 120},
    {4, 4, 260, 50, 21, 29, 256, 263, 134, 166},
    {6, 2, 220, 30, 21, 27, 214, 219, 72, 84},
    {8, 4, 150, 50, 24, 29, 142, 149, 146, 166},
    {10, 3, 80, 40, 27, 30, 70, 79, 121, 130},
}};

// Smallest number of moves after which the die is left of its line or
// below row 165.
int ExpectedSteps(int die, int startX) {
    const DieMotion& m = kMotion[die];
    const int byX = (startX - m.line) / m.dx + 1;
    const int byY = (165 - m.startY) / m.dy + 1;
    return std::min(byX, byY);
}

class SettlingTest : public ::testing::TestWithParam<int> {};

TEST_P(SettlingTest, EveryDieRestsWhereItsStartSendsIt) {
    const int offset = GetParam();
    const int startX = 340 + offset;
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    ScriptThrow(h.random, {6, 6, 6, 6, 6}, offset);
    g.Button1Click();
    h.random.fallback = 0;  // tumbling faces show 1, the real value is 6

    std::array<int, 6> steps{};
    int frames = 0;
    while (g.controls.FrameTimerEnabled && frames < 100) {
        const auto before = g.S.posx;
        g.FrameTimerTimer();
        ++frames;
        for (int i = 1; i <= 5; ++i)
            if (g.S.posx[i] != before[i]) ++steps[i];
    }
    ASSERT_FALSE(g.controls.FrameTimerEnabled);
    EXPECT_TRUE(g.controls.resultextVisible);

    int longest = 0;
    for (int i = 1; i <= 5; ++i) {
        const DieMotion& m = kMotion[i];
        const int n = ExpectedSteps(i, startX);
        longest = std::max(longest, n);
        EXPECT_EQ(steps[i], n) << "die " << i;
        EXPECT_EQ(g.S.posx[i], startX - n * m.dx) << "die " << i;
        EXPECT_EQ(g.S.posy[i], m.startY + n * m.dy) << "die " << i;
        EXPECT_GE(steps[i], m.minSteps) << "die " << i;
        EXPECT_LE(steps[i], m.maxSteps) << "die " << i;
        EXPECT_GE(g.S.posx[i], m.minX) << "die " << i;
        EXPECT_LE(g.S.posx[i], m.maxX) << "die " << i;
        EXPECT_GE(g.S.posy[i], m.minY) << "die " << i;
        EXPECT_LE(g.S.posy[i], m.maxY) << "die " << i;
        EXPECT_EQ(int(g.S.roule[i]), 0) << "die " << i;
    }
    // The end test meets in the frame after the last step.
    EXPECT_EQ(frames, longest + 1);
    EXPECT_GE(frames, 28);
    EXPECT_LE(frames, 46);

    // The last frame shows every die at rest with its value.
    ASSERT_FALSE(h.view.presented.empty());
    std::vector<Drawn> last{{kBoard, 0, 0}};
    for (int i = 1; i <= 5; ++i) last.push_back({6, g.S.posx[i], g.S.posy[i]});
    EXPECT_EQ(h.view.presented.back(), last);

    // Die 2 from the last four columns stops by its row, on or right of its line.
    if (offset >= 36) {
        EXPECT_EQ(g.S.posy[2], 166);
        EXPECT_GE(g.S.posx[2], 260);
    }
}

INSTANTIATE_TEST_SUITE_P(StartColumn, SettlingTest, ::testing::Range(0, 40),
                         [](const auto& info) { return "x" + std::to_string(340 + info.param); });

class AnimationTest : public ::testing::Test {
protected:
    Harness h;
    Game& g = h.game;
    void SetUp() override { StartGame(g, {"ANNE", "BOB"}); }
    void Throw(const std::vector<int>& values, int offset = 0) {
        ScriptThrow(h.random, values, offset);
        g.Button1Click();
    }
    void Keep(int die) {
        g.S.garde[die] = 1;
        g.S.alancer[die] = 0;
    }
};

TEST_F(AnimationTest, FrameDrawsTumblingFacesAtMovedPlaces) {
    Throw({2, 3, 4, 5, 6});
    h.random.asked.clear();
    h.random.script = {0, 1, 2, 3, 4};
    g.FrameTimerTimer();
    EXPECT_EQ(h.random.asked, (std::vector<int>{6, 6, 6, 6, 6}));
    const std::vector<Drawn> frame{{kBoard, 0, 0}, {1, 338, 32}, {2, 336, 54},
                                   {3, 334, 32},   {4, 332, 54}, {5, 330, 43}};
    ASSERT_EQ(h.view.presented.size(), 1u);
    EXPECT_EQ(h.view.presented[0], frame);
    EXPECT_TRUE(g.controls.FrameTimerEnabled);
    EXPECT_FALSE(g.controls.resultextVisible);
}

TEST_F(AnimationTest, SettlingDieStillDrawsAFaceButShowsItsValue) {
    Throw({2, 3, 4, 5, 6});
    // Die 5 just left of its line, the others still far right.
    g.S.posx[5] = 79;
    h.random.asked.clear();
    h.random.script = {0, 0, 0, 0, 0};
    g.FrameTimerTimer();
    EXPECT_EQ(h.random.asked.size(), 5u) << "the face is drawn before the settling test";
    EXPECT_EQ(int(g.S.roule[5]), 0);
    EXPECT_EQ(h.view.presented[0].back(), (Drawn{6, 79, 40})) << "settled: no move, real value";
    // Next frame: only four dice tumble.
    h.random.asked.clear();
    h.random.script = {0, 0, 0, 0};
    g.FrameTimerTimer();
    EXPECT_EQ(h.random.asked.size(), 4u);
}

TEST_F(AnimationTest, AllKeptThrowEndsAfterOneFrame) {
    Throw({1, 2, 3, 4, 5});
    h.random.fallback = 0;
    ASSERT_TRUE(RunAnimation(g));
    h.random.fallback = -1;
    const auto restX = g.S.posx;
    const auto restY = g.S.posy;
    for (int i = 1; i <= 5; ++i) Keep(i);
    g.Button1Click();
    h.view.presented.clear();
    h.random.asked.clear();
    g.FrameTimerTimer();

    EXPECT_FALSE(g.controls.FrameTimerEnabled);
    EXPECT_TRUE(g.controls.resultextVisible);
    EXPECT_EQ(h.random.asked, std::vector<int>{});
    std::vector<Drawn> frame{{kBoard, 0, 0}};
    for (int i = 1; i <= 5; ++i) {
        frame.push_back({i, restX[i], restY[i]});
        frame.push_back({kKeepMark, restX[i] + 20, restY[i] + 20});
    }
    ASSERT_EQ(h.view.presented.size(), 1u);
    EXPECT_EQ(h.view.presented[0], frame);
    // The kept places show from the next drawing on.
    const std::array<std::pair<int, int>, 6> kept{{{0, 0}, {195, -5}, {150, 0}, {105, 5}, {60, 10}, {15, 15}}};
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(g.S.posx[i], kept[i].first) << "die " << i;
        EXPECT_EQ(g.S.posy[i], kept[i].second) << "die " << i;
    }
}

TEST_F(AnimationTest, KeptDieMovesToItsPlaceAfterTheFirstFrame) {
    Throw({1, 2, 3, 4, 5});
    h.random.fallback = 0;
    ASSERT_TRUE(RunAnimation(g));
    Keep(3);
    const int x3 = g.S.posx[3], y3 = g.S.posy[3];
    ScriptThrow(h.random, {6, 6, 6, 6});
    g.Button1Click();
    h.view.presented.clear();
    g.FrameTimerTimer();
    const auto& first = h.view.presented[0];
    EXPECT_EQ(first[3], (Drawn{3, x3, y3}));
    EXPECT_EQ(first[4], (Drawn{kKeepMark, x3 + 20, y3 + 20}));
    g.FrameTimerTimer();
    const auto& second = h.view.presented[1];
    EXPECT_EQ(second[3], (Drawn{3, 105, 5}));
    EXPECT_EQ(second[4], (Drawn{kKeepMark, 125, 25}));
    EXPECT_EQ(int(g.S.alancer[3]), 0);
}

// All five from column 340: dice 2 and 3 settle in frame 22, die 4 in 25,
// die 1 in 27, die 5 in 28.
TEST_F(AnimationTest, KeepingSettledDiceKeepsTheFramesGoingUntilTheNextThrow) {
    Throw({1, 2, 3, 4, 5});
    h.random.fallback = 0;
    for (int i = 0; i < 25; ++i) g.FrameTimerTimer();
    ASSERT_EQ((std::vector<int>{g.S.roule[1], g.S.roule[2], g.S.roule[3], g.S.roule[4], g.S.roule[5]}),
              (std::vector<int>{1, 0, 0, 0, 1}));
    // Keep the three settled dice: two thrown, three at rest.
    g.DiceTableMouseDown(290, 160);
    g.DiceTableMouseDown(240, 100);
    g.DiceTableMouseDown(180, 180);
    ASSERT_EQ((std::vector<int>{g.S.garde[1], g.S.garde[2], g.S.garde[3], g.S.garde[4], g.S.garde[5]}),
              (std::vector<int>{0, 1, 1, 1, 0}));

    for (int i = 0; i < 100; ++i) g.FrameTimerTimer();
    EXPECT_TRUE(g.controls.FrameTimerEnabled) << "two thrown, three at rest: never equal";
    EXPECT_FALSE(g.controls.resultextVisible);
    EXPECT_EQ(int(g.S.roule[1]), 0);
    EXPECT_EQ(int(g.S.roule[5]), 0);

    // The next throw sets every tumble flag again; the kept dice never settle.
    ScriptThrow(h.random, {6, 6});
    g.Button1Click();
    EXPECT_TRUE(RunAnimation(g, 60));
    EXPECT_EQ(int(g.S.roule[3]), 1);
    EXPECT_TRUE(g.controls.resultextVisible);
}

TEST_F(AnimationTest, CountsMeetingWhileADieTumblesDoNotFreezeIt) {
    Throw({1, 2, 3, 4, 5});
    h.random.fallback = 0;
    for (int i = 0; i < 22; ++i) g.FrameTimerTimer();
    ASSERT_EQ(int(g.S.roule[3]), 0);
    g.DiceTableMouseDown(244, 102);  // keep die 3, at rest at (214, 72)
    ASSERT_EQ(int(g.S.garde[3]), 1);
    // Four thrown; after die 1 settles four are at rest while die 5 still rolls.
    for (int i = 0; i < 5; ++i) g.FrameTimerTimer();
    ASSERT_EQ(int(g.S.roule[5]), 1);
    EXPECT_TRUE(g.controls.FrameTimerEnabled);
    g.FrameTimerTimer();
    EXPECT_EQ(int(g.S.roule[5]), 0);
    EXPECT_EQ(g.S.posx[5], 70);
    EXPECT_EQ(h.view.presented.back().back(), (Drawn{5, 70, 121})) << "die 5 shows its value";
    // Five at rest and four thrown: the frames go on until the turn changes.
    g.FrameTimerTimer();
    EXPECT_TRUE(g.controls.FrameTimerEnabled);
    g.GridSelectCell(0, ligne1);
    ASSERT_EQ(g.S.joueur, 1);
    g.FrameTimerTimer();
    EXPECT_FALSE(g.controls.FrameTimerEnabled);
    EXPECT_TRUE(g.controls.resultextVisible);
}

TEST_F(AnimationTest, BoardAloneOnInitializeAndRestore) {
    g.DiceTableInitialize();
    g.DiceTableRestoreSurface();
    const std::vector<Drawn> board{{kBoard, 0, 0}};
    EXPECT_EQ(h.view.presented, (std::vector<std::vector<Drawn>>{board, board}));
}

// Picking

class PickingTest : public AnimationTest {
protected:
    void SetUp() override {
        AnimationTest::SetUp();
        Throw({1, 2, 3, 4, 5});
        g.controls.FrameTimerEnabled = false;
        // Spread the dice far apart, die i at (100 i, 200).
        for (int i = 1; i <= 5; ++i) {
            g.S.posx[i] = 80 * i;
            g.S.posy[i] = 200;
        }
        h.view.presented.clear();
    }
    std::vector<int> Kept() const {
        std::vector<int> v;
        for (int i = 1; i <= 5; ++i) v.push_back(g.S.garde[i]);
        return v;
    }
    std::vector<int> Thrown() const {
        std::vector<int> v;
        for (int i = 1; i <= 5; ++i) v.push_back(g.S.alancer[i]);
        return v;
    }
};

struct BoxCase {
    const char* name;
    int dx, dy;
    bool hit;
};

class PickBox : public ::testing::TestWithParam<BoxCase> {};

TEST_P(PickBox, BoundsAreExcluded) {
    const BoxCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {"ANNE", "BOB"});
    ScriptThrow(h.random, {1, 2, 3, 4, 5});
    g.Button1Click();
    for (int i = 1; i <= 5; ++i) {
        g.S.posx[i] = 80 * i;
        g.S.posy[i] = 200;
    }
    g.DiceTableMouseDown(160 + c.dx, 200 + c.dy);
    EXPECT_EQ(int(g.S.garde[2]), c.hit ? 1 : 0);
    EXPECT_EQ(int(g.S.alancer[2]), c.hit ? 0 : 1);
    g.DiceTableMouseMove(160 + c.dx, 200 + c.dy);
    EXPECT_EQ(g.controls.DiceTableCursor, c.hit ? Cursor::Hand : Cursor::Arrow);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, PickBox,
    ::testing::Values(BoxCase{"left_edge", 10, 30, false}, BoxCase{"just_inside_left", 11, 30, true},
                      BoxCase{"right_edge", 60, 30, false}, BoxCase{"just_inside_right", 59, 30, true},
                      BoxCase{"top_edge", 30, 10, false}, BoxCase{"just_inside_top", 30, 11, true},
                      BoxCase{"bottom_edge", 30, 50, false}, BoxCase{"just_inside_bottom", 30, 49, true},
                      BoxCase{"corner_of_picture", 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PickingTest, ClickSwitchesTheDieAndDrawsTheStillTable) {
    g.DiceTableMouseDown(80 * 4 + 30, 230);
    EXPECT_EQ(Kept(), (std::vector<int>{0, 0, 0, 1, 0}));
    EXPECT_EQ(Thrown(), (std::vector<int>{1, 1, 1, 0, 1}));
    std::vector<Drawn> still{{kBoard, 0, 0}, {1, 80, 200},          {2, 160, 200}, {3, 240, 200},
                             {4, 320, 200},  {kKeepMark, 340, 220}, {5, 400, 200}};
    ASSERT_EQ(h.view.presented.size(), 1u);
    EXPECT_EQ(h.view.presented[0], still);
    // A second click releases it.
    g.DiceTableMouseDown(80 * 4 + 30, 230);
    EXPECT_EQ(Kept(), (std::vector<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(Thrown(), (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST_F(PickingTest, OverlappingBoxesAreBothSwitched) {
    // Dice 2 and 3 overlap; die 3 was kept, die 2 not.
    g.S.posx[3] = 180;
    g.S.posy[3] = 210;
    Keep(3);
    g.DiceTableMouseDown(200, 230);
    EXPECT_EQ(Kept(), (std::vector<int>{0, 1, 0, 0, 0}));
    EXPECT_EQ(Thrown(), (std::vector<int>{1, 0, 1, 1, 1}));
}

TEST_F(PickingTest, ClickBetweenDiceOnlyRedraws) {
    const std::string before = Snapshot(g);
    g.DiceTableMouseDown(5, 5);
    EXPECT_EQ(Snapshot(g), before);
    EXPECT_EQ(h.view.presented.size(), 1u);
}

TEST_F(PickingTest, KeptPlaceClickReleasesTheDie) {
    Keep(1);
    g.controls.FrameTimerEnabled = true;
    h.random.fallback = 0;
    g.FrameTimerTimer();  // moves die 1 to its kept place
    ASSERT_EQ(g.S.posx[1], 195);
    ASSERT_EQ(g.S.posy[1], -5);
    h.view.presented.clear();
    g.DiceTableMouseDown(195 + 30, -5 + 30);
    EXPECT_EQ(int(g.S.garde[1]), 0);
    EXPECT_EQ(int(g.S.alancer[1]), 1);
    ASSERT_EQ(h.view.presented.size(), 1u);
    EXPECT_EQ(h.view.presented[0][1], (Drawn{1, 195, -5}));
    EXPECT_EQ(h.view.presented[0][2].picture, 2) << "no keep mark after the released die";
}

struct RefusedCase {
    const char* name;
    int nblancers;
    bool computer;
};

class RefusedPick : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedPick, NothingChangesAndNothingIsDrawn) {
    const RefusedCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {c.computer ? "CPU" : "ANNE", "BOB"});
    ScriptThrow(h.random, {1, 2, 3, 4, 5});
    g.Button1Click();
    g.S.nblancers = c.nblancers;
    for (int i = 1; i <= 5; ++i) {
        g.S.posx[i] = 80 * i;
        g.S.posy[i] = 200;
    }
    h.view.presented.clear();
    const std::string before = Snapshot(g);
    g.DiceTableMouseDown(190, 230);
    EXPECT_EQ(Snapshot(g), before);
    EXPECT_EQ(h.view.presented.size(), 0u);
    EXPECT_EQ(h.view.drawn.size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedPick,
                         ::testing::Values(RefusedCase{"before_first_throw", 0, false},
                                           RefusedCase{"after_third_throw", 3, false},
                                           RefusedCase{"computer_first_throw", 1, true},
                                           RefusedCase{"computer_second_throw", 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PointerCase {
    const char* name;
    int nblancers;
    bool computer;
    bool overDie;
    Cursor cursor;
};

class Pointer : public ::testing::TestWithParam<PointerCase> {};

TEST_P(Pointer, HandOnlyWhenPickingIsShown) {
    const PointerCase& c = GetParam();
    Harness h;
    Game& g = h.game;
    StartGame(g, {c.computer ? "CPU" : "ANNE", "BOB"});
    g.S.nblancers = c.nblancers;
    for (int i = 1; i <= 5; ++i) {
        g.S.posx[i] = 80 * i;
        g.S.posy[i] = 200;
    }
    g.controls.DiceTableCursor = Cursor::Hand;
    g.DiceTableMouseMove(c.overDie ? 110 : 5, c.overDie ? 230 : 5);
    EXPECT_EQ(g.controls.DiceTableCursor, c.cursor);
}

INSTANTIATE_TEST_SUITE_P(Cases, Pointer,
                         ::testing::Values(PointerCase{"person_no_throw", 0, false, true, Cursor::Arrow},
                                           PointerCase{"person_first", 1, false, true, Cursor::Hand},
                                           PointerCase{"person_second", 2, false, true, Cursor::Hand},
                                           PointerCase{"person_third", 3, false, true, Cursor::Arrow},
                                           PointerCase{"person_off_die", 1, false, false, Cursor::Arrow},
                                           PointerCase{"computer_first", 1, true, true, Cursor::Hand},
                                           PointerCase{"computer_second", 2, true, true, Cursor::Arrow}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
