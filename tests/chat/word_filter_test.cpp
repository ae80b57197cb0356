#include "chat/word_filter.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

using chat::FilterChat;
using chat::kBannedWords;

struct FilterCase {
    const char* name;
    QString text;
    QString filtered;
};

class WordFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(WordFilter, DeletesBannedWordsInListOrder) {
    EXPECT_EQ(FilterChat(GetParam().text), GetParam().filtered);
}

const QString W9 = kBannedWords[8];   // the four-character insult
const QString W10 = kBannedWords[9];  // its first two characters
const QString W6 = kBannedWords[5];

INSTANTIATE_TEST_SUITE_P(
    Cases, WordFilter,
    ::testing::Values(
        FilterCase{"CleanTextIsUnchanged", u"你好，来一局"_qs, u"你好，来一局"_qs},
        FilterCase{"EveryOccurrenceGoes", u"他妈的好牌他妈的"_qs, u"好牌"_qs},
        FilterCase{"TheLongerInsultGoesWhole", u"你这"_qs + W9 + u"！"_qs, u"你这！"_qs},
        FilterCase{"ItsBeginningAloneGoesToo", u"你这"_qs + W10 + u"！"_qs, u"你这！"_qs},
        FilterCase{"OverlappingWordsGoInListOrder", W10 + W9 + W10, QString()},
        // Removing entry 9 joins the text around it into entry 6, which was already passed.
        FilterCase{"AJoinedEarlierWordStays", W6.left(2) + W9 + W6.mid(2), W6},
        FilterCase{"EnglishInLowerCaseGoes", u"oh fuck, shit"_qs, u"oh , "_qs},
        FilterCase{"EnglishInOtherCasesStays", u"FUCK Shit sHIT"_qs, u"FUCK Shit sHIT"_qs},
        FilterCase{"NamesInTheTextGo", u"谁是"_qs + kBannedWords[0] + u"和"_qs + kBannedWords[1],
                   u"谁是和"_qs},
        FilterCase{"OneCharacterWordsGoWherever", u"a"_qs + kBannedWords[10] + u"b"_qs, u"ab"_qs}),
    [](const ::testing::TestParamInfo<FilterCase>& info) { return info.param.name; });

TEST(WordFilterList, HasTheKindsLengthsAndOrder) {
    const int lengths[15] = {3, 2, 3, 3, 3, 3, 3, 3, 4, 2, 1, 2, 2, 4, 4};
    for (int i = 0; i < 15; ++i) EXPECT_EQ(kBannedWords[i].size(), lengths[i]) << "entry " << i + 1;
    // The three insults differ only in their first character.
    EXPECT_EQ(kBannedWords[5].mid(1), kBannedWords[6].mid(1));
    EXPECT_EQ(kBannedWords[6].mid(1), kBannedWords[7].mid(1));
    EXPECT_NE(kBannedWords[5][0], kBannedWords[6][0]);
    EXPECT_EQ(kBannedWords[9], kBannedWords[8].left(2));
    for (const QString& word : {kBannedWords[13], kBannedWords[14]})
        EXPECT_EQ(word, word.toLower());
    // A word that begins a later word would cut that word apart.
    for (int i = 0; i < 15; ++i) {
        for (int j = i + 1; j < 15; ++j) {
            EXPECT_FALSE(kBannedWords[j].startsWith(kBannedWords[i]) &&
                         kBannedWords[j] != kBannedWords[i])
                << "entry " << i + 1 << " begins entry " << j + 1;
        }
    }
}

}  // namespace
