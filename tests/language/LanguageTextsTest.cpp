// SPDX-License-Identifier: GPL-3.0-or-later
#include "language/LanguageTexts.h"

#include <gtest/gtest.h>

namespace {

struct Entry {
    int number;
    const char16_t* english;
    const char16_t* russian;
};

// A sample across the table, with the entries whose exact code points are easy to get wrong.
const Entry Samples[] = {
    {1, u"Not selected", u"Не выбрано"},
    {13, u"Exit", u"Выход"},
    {88, u"Exit", u"Выйти из программы"},
    {99, u"Exit", u"Выход"},
    {29, u"OK", u"ОК"},
    {117, u"OK", u"Да"},
    {97, u"Our site", u"Посетить наш сайт"},
    {98, u"Our site", u"Посетить страницу программы"},
    {31, u"", u"Не использовать"},
    {39, u"Настройки призрака: ", u"Настройки призрака: "},
    {63, u"The page:", u"C\u0442раница:"}, // Latin C
    {74, u"Run a Attraction", u"Запустить Аттракцион"},
    {114, u"Update  ", u"Обновить"},
    {122, u"Открывает/закрывает двери\n\rИногда в самый неподходящий момент",
     u"Открывает/закрывает двери\n\rИногда в самый неподходящий момент"},
    {130, u"Ходит/задевает вещи\n\rМожет сбрасывать вещи со стен или полок",
     u"Ходит/задевает вещи\n\rМожет сбрасывать вещи со стен или полок"},
    {173, u"Ghost\u2019s working time", u"Режим работы призрака"},
    {174, u"Ghost\u2019s hobbies", u"Специальность призрака"},
    {101, u" Который вы должны ввести в мобильный браузер для получения Веб доступа",
     u" Который вы должны ввести в мобильный браузер для получения Веб доступа"},
    {231, u"Never", u"Никогда"},
    {236, u"Occasionally", u"Случайно"},
    {267, u"And press the Start button!", u"И нажать кнопку Старт!"},
};

TEST(LanguageTexts, EachLanguageGivesItsOwnTexts) {
    LanguageTexts english;
    english.assign(Language::English);
    LanguageTexts russian;
    russian.assign(Language::Russian);
    for (const Entry& entry : Samples) {
        EXPECT_EQ(english[entry.number], QString::fromUtf16(entry.english)) << entry.number;
        EXPECT_EQ(russian[entry.number], QString::fromUtf16(entry.russian)) << entry.number;
    }
}

TEST(LanguageTexts, LineBreaksAreLineFeedThenCarriageReturn) {
    LanguageTexts texts;
    texts.assign(Language::English);
    for (int entry = 122; entry <= 130; entry += 2) {
        const QString text = texts[entry];
        const qsizetype lf = text.indexOf(QLatin1Char('\n'));
        ASSERT_GT(lf, 0) << entry;
        EXPECT_EQ(text.at(lf + 1), QLatin1Char('\r')) << entry;
        EXPECT_EQ(text.count(QLatin1Char('\n')), 1) << entry;
        EXPECT_EQ(text.count(QLatin1Char('\r')), 1) << entry;
    }
}

TEST(LanguageTexts, ASwitchToRussianKeepsTheEntriesTheRussianListDoesNotName) {
    const QString shortNames[] = {QStringLiteral("Швейцар"), QStringLiteral("Электрик"),
                                  QStringLiteral("Водопров."), QStringLiteral("Почтальон"),
                                  QStringLiteral("Пешеход")};
    LanguageTexts switched;
    switched.assign(Language::English);
    switched.assign(Language::Russian);
    LanguageTexts russianStart;
    russianStart.assign(Language::Russian);

    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(switched[221 + i], shortNames[i]);
        EXPECT_TRUE(russianStart[221 + i].isEmpty());
    }
    EXPECT_TRUE(switched[220].isEmpty()) << "the Russian list empties 220";
    for (int entry = 220; entry <= 240; ++entry) {
        if (entry < 231 || entry > 236) {
            EXPECT_TRUE(russianStart[entry].isEmpty()) << entry;
        }
    }
    // And back to English restores everything, including the Russian texts of the English list.
    switched.assign(Language::English);
    EXPECT_EQ(switched[220], QStringLiteral("Специальность призрака"));
    EXPECT_EQ(switched[31], QString());
}

TEST(LanguageTexts, UnassignedAndOutOfRangeEntriesAreEmpty) {
    LanguageTexts texts;
    texts.assign(Language::English);
    for (int entry : {0, -3, 5, 53, 60, 151, 160, 181, 219, 241, 259, 268, 300, 301, 1000})
        EXPECT_TRUE(texts[entry].isEmpty()) << entry;
}

TEST(LanguageTexts, RelatedTextsLieAtTheDistancesTheirReadersUse) {
    LanguageTexts texts;
    texts.assign(Language::English);
    EXPECT_EQ(texts[19], QStringLiteral("Attraction is stopped"));
    EXPECT_EQ(texts[19 + 1], QStringLiteral("Attraction is running"));
    EXPECT_EQ(texts[74 + 1], QStringLiteral("Stop the Attraction"));
    EXPECT_EQ(texts[41], QStringLiteral("The ghost is active"));
    EXPECT_EQ(texts[42], QStringLiteral("The ghost is inactive"));
    const char* const tempers[4][2] = {
        {"Kind", "Evil"}, {"Merry", "Sad"}, {"Low voice", "Loud"}, {"Taciturn", "Talkative"}};
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(texts[159 + 2 * n], QLatin1String(tempers[n - 1][0])) << n;
        EXPECT_EQ(texts[160 + 2 * n], QLatin1String(tempers[n - 1][1])) << n;
    }
}

} // namespace
