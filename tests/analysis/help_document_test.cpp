// The help document's vocabulary table is the program's, row for row, Harte
// labels included, and its table of every chord on every root names the
// right notes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/harte.h"

namespace {

using Row = std::vector<std::string>;

std::string readDocument() {
    const char* source = std::getenv("TONVISOR_SOURCE_DIR");
    std::ifstream file(std::string(source ? source : ".") + "/document/Tonvisor.htm");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The rows of the table with that class: each cell's text without its tags.
std::vector<Row> tableRows(const std::string& document, const std::string& tableClass) {
    std::size_t start = document.find("<table class=\"" + tableClass + "\">");
    std::string table = document.substr(start, document.find("</table>", start) - start);
    std::vector<Row> rows;
    for (std::size_t row = table.find("<tr>"); row != std::string::npos; row = table.find("<tr>", row + 1)) {
        Row cells;
        std::string text;
        bool inTag = false;
        for (std::size_t at = row + 4; at < table.size() && table.compare(at, 5, "</tr>") != 0; ++at) {
            if (table.compare(at, 4, "</td") == 0 || table.compare(at, 4, "</th") == 0) cells.push_back(text);
            if (table.compare(at, 3, "<td") == 0 || table.compare(at, 3, "<th") == 0) text.clear();
            if (table[at] == '<') {
                inTag = true;
            } else if (table[at] == '>') {
                inTag = false;
            } else if (!inTag) {
                text += table[at];
            }
        }
        rows.push_back(cells);
    }
    return rows;
}

// "Bb" or "C#/Db": every name given must be the pitch class.
bool namesPitch(const std::string& names, int pitch) {
    std::istringstream each(names);
    for (std::string name; std::getline(each, name, '/');) {
        if (name.size() == 2 && name[1] == 'b') name[1] = '%';
        if (lookupNote(name) != pitch) return false;
    }
    return !names.empty();
}

TEST(HelpDocument, ShowsTheVocabularyAsTheProgramHasIt) {
    std::vector<Row> rows = tableRows(readDocument(), "vocabulary");
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(VocabularySize + 1));  // and the heading
    for (int chord = 0; chord < VocabularySize; ++chord) {
        const Row& row = rows[chord + 1];
        const VocabularyChord& expected = ChordVocabulary[chord];
        ASSERT_EQ(row.size(), 7u) << chord;
        EXPECT_EQ(row[0], std::to_string(chord + 1));
        EXPECT_EQ(row[1], std::string("C") + expected.suffix);
        EXPECT_EQ(row[2], expected.longName);
        EXPECT_EQ(row[3], expected.degrees);
        EXPECT_EQ(row[5], expected.chordType == NotScored ? "&ndash;" : "yes") << row[1];
        ChordName onC{};
        onC.named = onC.exact = true;
        onC.chord = chord;
        onC.rootName[0] = 'C';
        EXPECT_EQ(row[6], harteLabel(onC).text) << row[1];
        std::istringstream notes(row[4]), degrees(expected.degrees);
        std::string note, degree;
        while (notes >> note && degrees >> degree) EXPECT_TRUE(namesPitch(note, degreeSemitones(degree))) << row[1];
        EXPECT_TRUE(!(notes >> note) && !(degrees >> degree)) << row[1] << ": as many notes as degrees";
    }
}

TEST(HelpDocument, ReadsEveryChordOffOnEveryRoot) {
    std::vector<Row> rows = tableRows(readDocument(), "transpose");
    ASSERT_EQ(rows.size(), 13u);
    ASSERT_EQ(rows[0].size(), 13u);
    for (int column = 1; column <= 12; ++column) {
        std::istringstream degrees(rows[0][column]);
        for (std::string degree; degrees >> degree;) EXPECT_EQ(degreeSemitones(degree), column - 1) << degree;
    }
    for (int root = 0; root < 12; ++root) {
        const Row& row = rows[root + 1];
        ASSERT_EQ(row.size(), 13u);
        EXPECT_TRUE(namesPitch(row[0], root)) << row[0];
        for (int step = 0; step < 12; ++step)
            EXPECT_TRUE(namesPitch(row[step + 1], (root + step) % 12)) << row[0] << " + " << step;
    }
}

}  // namespace
