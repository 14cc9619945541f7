// The computer player's turn: one step per tick, and the dice it keeps.
#include "Game.h"
#include "Strategy.h"

namespace quimba {

void Game::TimerordiTimer() {
    // Wait for the dice to settle before looking at them.
    if (controls.FrameTimerEnabled) return;
    // From the first throw on an expert decides; without its table it
    // leaves everything as it is and looks again at the next tick.
    if (S.etapeordi >= 1 && S.etapeordi <= 3 && Expert(S.joueur) && !expertTable()) return;
    S.tourfini = false;
    if (S.etapeordi == 1 || S.etapeordi == 2) {
        compteordi();
        if (S.tourfini) {
            controls.TimerordiEnabled = false;
            return;
        }
        // Either the turn goes on, or the row just written handed the turn
        // to another computer, whose first throw then follows in this tick.
        ordijoue();
    }
    if (S.etapeordi == 3) {
        controls.TimerordiEnabled = false;
        S.etapeordi = 0;
        compteordi();
        return;
    }
    ++S.etapeordi;
    if (S.etapeordi == 1) {
        S.cibleordi = 0;
        for (int i = 1; i <= kDice; ++i) {
            S.alancer[i] = 1;
            S.garde[i] = 0;
        }
        Button1Click();
    }
    if (S.etapeordi == 2) Button1Click();
    if (S.etapeordi == 3) Button1Click();
}

void Game::ordijoue() {
    if (Expert(S.joueur)) {
        expertjoue();
        return;
    }
    const int c = S.joueur;
    auto keep = [&](int die) {
        S.garde[die] = 1;
        S.alancer[die] = 0;
    };
    auto keepFace = [&](int face) {
        for (int i = 1; i <= kDice; ++i)
            if (S.valeurde[i] == face) keep(i);
    };
    // One die of each face 1..5, the lowest-numbered one.
    auto keepSmallStraight = [&] {
        for (int f = 1; f <= 5; ++f)
            for (int i = 1; i <= kDice; ++i)
                if (S.valeurde[i] == f) {
                    keep(i);
                    break;
                }
        S.cibleordi = 0;
    };
    const bool forced = S.typejeu > kNormal;
    const int L = S.ligneimposee;

    if (S.typejeu == kNormal && S.tour == kRounds - 1 && Grid.Free(c, lignesuite) && S.nblancers == 1) {
        keepSmallStraight();
        return;
    }
    if (forced && L >= ligne1 && L <= ligne6) {
        keepFace(L);
        S.cibleordi = L;
        return;
    }
    if (forced && L == lignesuite && S.nblancers == 1) {
        keepSmallStraight();
        return;
    }
    if (forced && L == lignemoins) {
        keepFace(1);
        keepFace(2);
        return;
    }
    if (forced && L == ligneplus) {
        keepFace(6);
        keepFace(5);
        return;
    }
    if (S.etapeordi == 1) {
        int target = 0;
        for (int f = kFaces; f >= 1 && !target; --f)
            if (NombreNum(f) >= 2 && Grid.Free(c, f)) target = f;
        for (int f = kFaces; f >= 1 && !target; --f)
            if (NombreNum(f) >= 1 && Grid.Free(c, f)) target = f;
        for (int f = kFaces; f >= 1 && !target; --f)
            if (NombreNum(f) >= 2) target = f;
        if (target) {
            keepFace(target);
            S.cibleordi = target;
        }
        return;
    }
    if (S.etapeordi == 2 && S.cibleordi != 0) keepFace(S.cibleordi);
}

void Game::expertjoue() {
    const StrategyTable* table = expertTable();
    // Right after a turn was handed on there is nothing to keep yet.
    if (!table || S.nblancers < 1 || S.nblancers >= 3) return;
    const std::vector<Choice> choices = Advise(*table, Grid, S);
    if (choices.empty() || choices.front().kind != Choice::Keep) return;
    // Unlike the ladder, the best play may release a die kept before.
    const Choice& best = choices.front();
    for (int i = 1; i <= kDice; ++i) {
        S.garde[i] = best.keep[i] ? 1 : 0;
        S.alancer[i] = best.keep[i] ? 0 : 1;
    }
}

}  // namespace quimba
