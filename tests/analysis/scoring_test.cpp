// Scoring: worked examples of the 132 scores, the divisor, symmetric chords
// and a matrix rewritten on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "analysis/analysis.h"

namespace {

enum Type { Min, Maj, Aug, Dim7, Min6, Maj6, Min7, Dom7, Maj7, DomMin9, Dom9 };
enum Root { A, As, B, C, Cs, D, Ds, E, F, Fs, G, Gs };

float score(int type, int root) { return matchScore(type, root); }

int cellsScoring(float value) {
    int cells = 0;
    for (float cell : MatchMatrix) cells += cell == value;
    return cells;
}

// A score is 2 * ratio^2 with the ratio held in single precision, so 1/5
// scores a hair above 0.08f: the values are worked out, not written down.
float twiceSquared(float ratio) { return 2.0f * ratio * ratio; }

const float OneOfThree = twiceSquared(1.0f / 3);
const float TwoOfThree = twiceSquared(2.0f / 3);
const float ThreeOfFour = twiceSquared(3.0f / 4);
const float ThreeOfFive = twiceSquared(3.0f / 5);
const float FourOfFive = twiceSquared(4.0f / 5);

TEST(RunAnalysis, ScoresCMajorTriad) {
    EXPECT_STREQ(runAnalysis("c e g"), "  C  E  G  ");
    EXPECT_EQ(score(Maj, C), 2.0f);
    EXPECT_EQ(cellsScoring(2.0f), 1);
    for (auto [type, root] : {std::pair{Maj6, C}, {Dom7, C}, {Maj7, C}, {Min7, A}})
        EXPECT_EQ(score(type, root), ThreeOfFour) << type << " on " << root;
    EXPECT_EQ(cellsScoring(ThreeOfFour), 4);
    for (auto [type, root] : {std::pair{Min, C}, {Min, E}, {Min, A}, {Aug, C}, {Aug, E}, {Aug, Gs}})
        EXPECT_EQ(score(type, root), TwoOfThree) << type << " on " << root;
    EXPECT_EQ(score(DomMin9, C), ThreeOfFive);
    EXPECT_EQ(score(Dom9, C), ThreeOfFive);
}

TEST(RunAnalysis, DividesByTheEnteredCountWhenItIsLarger) {
    runAnalysis("c e g b%");
    EXPECT_EQ(score(Dom7, C), 2.0f);
    EXPECT_EQ(score(Dom9, C), FourOfFive);
    EXPECT_EQ(score(DomMin9, C), FourOfFive);
    EXPECT_EQ(score(Maj, C), ThreeOfFour);  // three matches over four entered notes
}

TEST(RunAnalysis, OneNoteScoresByChordSize) {
    runAnalysis("d");
    EXPECT_EQ(score(Maj, D), OneOfThree);
    EXPECT_EQ(score(Min, B), OneOfThree);              // D is the minor third of B
    EXPECT_EQ(score(Maj6, F), 0.125f);                 // D is the sixth of F
    EXPECT_EQ(score(Dom9, C), twiceSquared(1.0f / 5)); // D is the ninth of C
    EXPECT_EQ(score(DomMin9, C), 0.0f);
    EXPECT_EQ(score(Maj, C), 0.0f);
}

TEST(RunAnalysis, SymmetricChordsScoreAlikeOnTheirShifts) {
    runAnalysis("c d# f# a");
    for (int root : {C, Ds, Fs, A}) EXPECT_EQ(score(Dim7, root), 2.0f) << root;
    EXPECT_EQ(cellsScoring(2.0f), 4);
    runAnalysis("e g#");
    for (int root : {C, E, Gs}) EXPECT_EQ(score(Aug, root), TwoOfThree) << root;
}

TEST(RunAnalysis, RewritesTheWholeMatrixEveryRun) {
    runAnalysis("c e g b% d");
    EXPECT_EQ(score(Dom9, C), 2.0f);
    EXPECT_STREQ(runAnalysis("xyz"), "  ");
    EXPECT_EQ(cellsScoring(0.0f), ChordTypeCount * RootCount);
}

TEST(RunAnalysis, IgnoresNotesBeyondTheFifthDistinctOne) {
    runAnalysis("c e g b% d");
    float fiveNotes[ChordTypeCount * RootCount];
    std::copy(std::begin(MatchMatrix), std::end(MatchMatrix), fiveNotes);
    EXPECT_STREQ(runAnalysis("c e c g b% d f# a"), "  C  E  G  B% D  ");
    EXPECT_TRUE(std::equal(std::begin(MatchMatrix), std::end(MatchMatrix), fiveNotes));
}

TEST(RunAnalysis, EchoBufferHoldsTheLatestRun) {
    const char* first = runAnalysis("a");
    const char* second = runAnalysis(std::string(10000, '#').c_str());
    EXPECT_EQ(first, second);
    EXPECT_STREQ(second, "  ");
}

}  // namespace
