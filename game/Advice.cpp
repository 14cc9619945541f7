// The coach's answers: the best keep or row for the position on the table, and its words for the result line and the
// sheet's tooltip.
#include "Advice.h"

#include <algorithm>
#include <cstdio>

#include "Game.h"
#include "Language.h"
#include "Words.h"

namespace quimba {

namespace {

bool DiceSettled(const GameState& s) {
    for (int i = 1; i <= kDice; ++i)
        if (s.alancer[i] == 1 && s.roule[i] == 1) return false;
    return true;
}

}  // namespace

std::string UneDecimale(double value) { return DecimalWith(value, ","); }

Advice AdviceFor(const Game& g) {
    Advice advice;
    const GameState& s = g.S;
    const bool personsTurn =
        s.tour < kRounds && s.joueur >= 0 && s.joueur < s.nbjoueurs && !g.Grid.IsComputer(s.joueur);
    if (!personsTurn || s.nblancers < 1 || s.nblancers > kMaxThrows || !DiceSettled(s)) return advice;
    const StrategyTable* table = g.strategies ? g.strategies->Table(s.typejeu) : nullptr;
    if (!table) {
        advice.status = Advice::NotReady;
        return advice;
    }
    advice.choices = Advise(*table, g.Grid, s);
    if (advice.choices.empty()) return advice;
    advice.status = Advice::Given;
    advice.text = ConseilTexte(g, advice.Best());
    return advice;
}

Advice DemandeConseil(Game& g) {
    Advice advice = AdviceFor(g);
    if (advice.status == Advice::NotReady) {
        g.controls.resultext = g.Line(kLinePreparation);
        g.controls.resultextVisible = true;
    }
    if (advice.status != Advice::Given) return advice;
    std::string line = advice.text;
    if (!g.S.conseilpartie) {
        g.S.conseilpartie = true;
        line += " - " + g.Line(kLineHorsScores);
    }
    g.controls.resultext = line;
    g.controls.resultextVisible = true;
    return advice;
}

std::string ConseilTexte(const Game& g, const Choice& c) {
    const Words words(g.T);
    std::string text = g.Line(kLineConseil) + " ";
    // After a number row's own number a colon keeps the points apart.
    if (c.kind == Choice::Write) {
        const std::string row = words.RowInSentence(c.row);
        const std::string points = std::to_string(c.points);
        return text + g.Line(kLineEcrireEn) + " " +
               (c.row <= ligne6 ? words.Labelled(row, points) : row + " " + points);
    }
    std::vector<int> faces;
    for (int i = 1; i <= kDice; ++i)
        if (c.keep[i]) faces.push_back(g.S.valeurde[i]);
    std::sort(faces.begin(), faces.end());
    if (faces.empty()) {
        text += g.Line(kLineToutRelancer);
    } else {
        text += g.Line(kLineKeep);
        for (int f : faces) text += " " + std::to_string(f);
        text += ", " + g.Line(kLineRelancer);
    }
    return text + " (" + g.Line(kLineEsperance) + " " + words.Decimal(c.value) + ")";
}

std::string ConseilLigne(const Game& g, int column, int row) {
    const GameState& s = g.S;
    const bool personsTurn =
        s.tour < kRounds && column == s.joueur && column >= 0 && column < s.nbjoueurs && !g.Grid.IsComputer(column);
    if (!personsTurn || s.nblancers < 1 || !DiceSettled(s) || !g.Grid.Free(column, row)) return {};
    if (s.typejeu != kNormal && row != s.ligneimposee) return {};
    const int points = g.RowScore(row);
    if (points < 0) return {};
    // What the row gives is on the sheet for anyone; only its cost against
    // the best play belongs to the advice.
    const Words words(g.T);
    const std::string now =
        words.Labelled(words.RowInSentence(row), std::to_string(points)) + " " + g.Line(kLineMaintenant);
    if (!s.conseilpartie || s.typejeu != kNormal) return now;
    const Advice advice = AdviceFor(g);
    if (advice.status != Advice::Given) return now;
    const auto it = std::find_if(advice.choices.begin(), advice.choices.end(),
                                 [row](const Choice& c) { return c.kind == Choice::Write && c.row == row; });
    if (it == advice.choices.end()) return now;
    const double cost = advice.Best().value - it->value;
    std::string text = now + ", " + g.Line(kLineEsperance) + " " + words.Decimal(it->value) + " (";
    // A cost that rounds to nothing is a best play too.
    if (cost < 0.05)
        text += g.Line(kLineMeilleurChoix);
    else
        text += words.Decimal(cost) + " " + g.Line(kLineDeMoins);
    return text + ")";
}

}  // namespace quimba
