#include "speech/spoken_numbers.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

struct NumberCase {
    const char* word;
    int value;
    const char* digits;
};

TEST(SpokenNumbers, WordTable) {
    const NumberCase cases[] = {
        {"zero", 0, "0"},
        {"one", 1, "1"},
        {"nine", 9, "9"},
        {"Nine", 9, "9"},
        {"NINE", 9, "9"},
        {"ten", 10, "10"},
        {"twelve", 12, "12"},
        {"nineteen", 19, "19"},
        {"twenty", 20, "20"},
        {"forty", 40, "40"},
        {"ninety", 90, "90"},
        {"twenty one", 21, "21"},
        {"Fifty Five", 55, "55"},
        {"ninety nine", 99, "99"},
        {"one hundred", 100, "100"},
        {"to", 2, "2"},
        {"o", 0, "0"},
        {"O", 0, "0"},
        {"too", -1, "too"},
        {"for", -1, "for"},
        {"Fourty", -1, "Fourty"},
        {"hundred", -1, "hundred"},
        {"twenty zero", -1, "twenty zero"},
        {"twenty ten", -1, "twenty ten"},
        {"twenty  one", -1, "twenty  one"},
        {"twentyone", -1, "twentyone"},
        {"nine ", -1, "nine "},
        {" nine", -1, " nine"},
        {"", -1, ""},
        {"9", -1, "9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(wordToNumber(c.word), c.value);
        EXPECT_EQ(numberWordToDigits(c.word), c.digits);
    }
}

TEST(SpokenNumbers, DictationSplitAtBlanksGivesOneNumberPerWord) {
    std::string joined;
    for (const char* word : {"twenty", "one"})
        joined += numberWordToDigits(word);
    EXPECT_EQ(joined, "201");
}

} // namespace
} // namespace kelvo
