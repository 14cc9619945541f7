// The trace's JSON: strings escaped and each event in its form.
#include <gtest/gtest.h>

#include <sstream>

#include "SystemPorts.h"
#include "TraceJson.h"
#include "TraceWriter.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

struct EscapeCase {
    const char* name;
    std::string text;
    std::string json;
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.name; }

class JsonEscape : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(JsonEscape, QuotesAndEscapes) {
    EXPECT_EQ(JsonString(GetParam().text), GetParam().json);
    // And it reads back as the same text.
    tracejson::JsonObject o;
    ASSERT_TRUE(tracejson::ParseTraceLine("{\"k\":" + GetParam().json + "}", o));
    EXPECT_EQ(o["k"].Str(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Sim, JsonEscape,
                         ::testing::Values(EscapeCase{"plain", "CPU", "\"CPU\""}, EscapeCase{"empty", "", "\"\""},
                                           EscapeCase{"quote", "a\"b", "\"a\\\"b\""},
                                           EscapeCase{"backslash", "a\\b", "\"a\\\\b\""},
                                           EscapeCase{"newline_tab", "a\nb\tc\r", "\"a\\nb\\tc\\r\""},
                                           EscapeCase{"control", std::string("x\x01y\x1f", 4), "\"x\\u0001y\\u001f\""},
                                           EscapeCase{"utf8_kept", "Carr\xc3\xa9", "\"Carr\xc3\xa9\""}),
                         [](const auto& info) { return std::string(info.param.name); });

class NoRandom : public RandomSource {
public:
    void Randomize() override {}
    int Random(int) override { return 0; }
};

TEST(TraceWriter, WritesEachEventInItsForm) {
    NoRandom random;
    SystemClock clock;
    GameView view;
    Game g(random, clock, view);
    g.Form2.nbjoueurs = 3;
    g.Form2.Edit[1] = "CPU";
    g.Form2.Edit[2] = "A\"B";
    g.Form2.Edit[3] = "CPU";
    g.Form2.button1Click(g.S, g.Grid, g.controls);
    std::ostringstream out;
    TraceWriter w(out);

    w.BeginGame(4, 3, 3);
    g.S.joueur = 2;
    g.S.nblancers = 2;
    g.S.alancer = {1, 0, 1, 1, 0, 1};
    g.S.valeurde = {0, 6, 1, 2, 6, 3};
    w.OnThrow(g);
    g.Grid.SetCell(1, lignefull, "30");
    w.OnWrite(g, 1, lignefull);
    g.Grid.SetCell(1, lignebonus, "35");
    g.Grid.SetCell(1, lignesoustotal, "98");
    w.OnTally(g, 1);
    g.Grid.SetCell(0, lignetotal, "-4");
    g.Grid.SetCell(2, lignetotal, "250");
    g.Grid.SetCell(3, lignetotal, "999");  // not a playing column
    w.OnEnd(g, "A\"B", 250);

    EXPECT_EQ(out.str(),
              "{\"ev\":\"game\",\"n\":4,\"type\":3,\"players\":3}\n"
              "{\"ev\":\"throw\",\"player\":2,\"n\":2,\"kept\":[1,0,0,1,0],\"dice\":[6,1,2,6,3]}\n"
              "{\"ev\":\"write\",\"player\":1,\"row\":13,\"value\":\"30\"}\n"
              "{\"ev\":\"tally\",\"player\":1,\"bonus\":\"35\",\"upper\":\"98\",\"total\":\"\"}\n"
              "{\"ev\":\"end\",\"winner\":\"A\\\"B\",\"score\":250,\"totals\":[\"-4\",\"\",\"250\"]}\n");
}

}  // namespace
