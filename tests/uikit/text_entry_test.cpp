#include "uikit/NameNumbering.h"
#include "uikit/TextEntry.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace
{

struct TypedCase
{
    const char* text;
    TypedNumberStatus status;
    double value;
};

const TypedCase typedCases[] = {
    {"0", TypedNumberStatus::Accepted, 0.0},
    {"1.5", TypedNumberStatus::Accepted, 1.5},
    {"-2.25", TypedNumberStatus::Accepted, -2.25},
    {"+3", TypedNumberStatus::Accepted, 3.0},
    {".5", TypedNumberStatus::Accepted, 0.5},
    {"7.", TypedNumberStatus::Accepted, 7.0},
    {"  \t 42", TypedNumberStatus::Accepted, 42.0},
    {"12abc", TypedNumberStatus::Accepted, 12.0},
    {"1,5", TypedNumberStatus::NotANumber, 0.0}, // a decimal comma: refused, never cut to 1
    {"-0,25e1", TypedNumberStatus::NotANumber, 0.0},
    {"2,", TypedNumberStatus::Accepted, 2.0}, // a comma without a digit after it ends the number
    {"3, 4", TypedNumberStatus::Accepted, 3.0},
    {"1e3", TypedNumberStatus::Accepted, 1000.0},
    {"2.5E-2", TypedNumberStatus::Accepted, 0.025},
    {"4e", TypedNumberStatus::Accepted, 4.0}, // an 'e' without digits is not an exponent
    {"4e+", TypedNumberStatus::Accepted, 4.0},
    {"1e-400", TypedNumberStatus::Accepted, 0.0}, // underflow: as near to zero as it gets
    {"", TypedNumberStatus::NotANumber, 0.0},
    {"   ", TypedNumberStatus::NotANumber, 0.0},
    {"abc", TypedNumberStatus::NotANumber, 0.0},
    {"-", TypedNumberStatus::NotANumber, 0.0},
    {".", TypedNumberStatus::NotANumber, 0.0},
    {"e5", TypedNumberStatus::NotANumber, 0.0},
    {"nan", TypedNumberStatus::NotANumber, 0.0},
    {"-NaN", TypedNumberStatus::NotANumber, 0.0},
    {"0x10", TypedNumberStatus::NotANumber, 0.0},
    {"-0X1p3", TypedNumberStatus::NotANumber, 0.0},
    {"1e400", TypedNumberStatus::TooLarge, 0.0},
    {"-1e999", TypedNumberStatus::TooLarge, 0.0},
    {"inf", TypedNumberStatus::TooLarge, 0.0},
    {"-Infinity", TypedNumberStatus::TooLarge, 0.0},
};

TEST(TypedNumbers, TableOfTextsAcceptedAndRefused)
{
    for (const TypedCase& c : typedCases)
    {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        const TypedNumber result = parseTypedNumber(c.text);
        EXPECT_EQ(result.status, c.status);
        if (c.status == TypedNumberStatus::Accepted)
        {
            EXPECT_DOUBLE_EQ(result.value, c.value);
        }
    }
}

TEST(TypedNumbers, ReadInTheCLocaleWhateverTheUsersLocale)
{
    // A locale with a decimal comma must not change what "1.5" and "1,5" mean.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    const bool haveCommaLocale =
        std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") != nullptr;
    EXPECT_DOUBLE_EQ(parseTypedNumber("1.5").value, 1.5);
    EXPECT_EQ(parseTypedNumber("1,5").status, TypedNumberStatus::NotANumber) << "a decimal comma is not cut to 1";
    std::setlocale(LC_NUMERIC, previous.c_str());
    if (!haveCommaLocale)
        GTEST_SKIP() << "no locale with a decimal comma installed";
}

TEST(TypedNumbers, LongTextsAreReadWhole)
{
    // 300 digits: a number that fits a double only because all of it is read.
    const std::string digits = "1" + std::string(300, '0');
    const TypedNumber result = parseTypedNumber(digits);
    ASSERT_EQ(result.status, TypedNumberStatus::Accepted);
    EXPECT_DOUBLE_EQ(result.value, 1e300);
    EXPECT_EQ(parseTypedNumber("1" + std::string(400, '0')).status, TypedNumberStatus::TooLarge);
}

TEST(ShortText, SignDigitsAndExponent)
{
    EXPECT_EQ(doubleToShortText(1234, 3), " 1.23e3");
    EXPECT_EQ(doubleToShortText(0.05, 2), " 5.0e-2");
    EXPECT_EQ(doubleToShortText(-7, 3), "-7.00");
    EXPECT_EQ(doubleToShortText(0, 3), " 0.00");
    EXPECT_EQ(doubleToShortText(-0.00123, 2), "-1.2e-3");
    EXPECT_EQ(doubleToShortText(9.99, 2), " 1.0e1"); // rounding carries into the exponent
    EXPECT_EQ(doubleToShortText(5, 1), " 5.");
}

TEST(ShortText, BoundedDigitsAndNonFiniteValues)
{
    EXPECT_EQ(doubleToShortText(1.0, 0), " 1.");
    EXPECT_LE(doubleToShortText(1.0, 1000).size(), 64u);
    EXPECT_EQ(doubleToShortText(-1e308, 3), "-1.00e308");
    EXPECT_EQ(doubleToShortText(INFINITY, 3), "inf");
    EXPECT_EQ(doubleToShortText(-INFINITY, 3), "-inf");
    EXPECT_EQ(doubleToShortText(NAN, 3), "nan");
}

TEST(Blanks, OnlyBlanksAndTabs)
{
    EXPECT_STREQ(skipBlanks(" \t x "), "x ");
    EXPECT_STREQ(skipBlanks("\nx"), "\nx");
    EXPECT_EQ(skipBlanks(std::string_view(" \t")), "");
    std::string text = "ab \t\t ";
    trimTrailingBlanks(text);
    EXPECT_EQ(text, "ab");
    text = " \t";
    trimTrailingBlanks(text);
    EXPECT_EQ(text, "");
    text = "ab\n";
    trimTrailingBlanks(text);
    EXPECT_EQ(text, "ab\n");
}

TEST(NameNumbering, NextNameCountsTheTrailingDigitsUp)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"Beam", "Beam001"},
        {"Beam7", "Beam8"},
        {"Beam09", "Beam10"},
        {"Beam99", "Beam100"},
        {"Beam009", "Beam010"},
        {"A999", "A1000"},
        {"7", "8"},
        {"9", "10"},
        {"X1Y", "X1Y001"},
    };
    for (const auto& [before, after] : cases)
    {
        std::string name = before;
        makeNextName(name);
        EXPECT_EQ(name, after) << "from \"" << before << "\"";
    }
}

TEST(NameNumbering, NextNameOfAnUnboundedDigitRun)
{
    // Far more digits than any machine number holds.
    std::string name = "Imported" + std::string(40, '9');
    makeNextName(name);
    EXPECT_EQ(name, "Imported1" + std::string(40, '0'));
    name = "N" + std::string(30, '0') + "41";
    makeNextName(name);
    EXPECT_EQ(name, "N" + std::string(30, '0') + "42");
}

TEST(NameNumbering, IncrementNameNumber)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "#002"},
        {"5", "006"},
        {"12", "013"},
        {"123", "124"},
        {"Beam", "Beam#002"},
        {"Joint7", "Joint008"},
        {"Joint0099", "Joint100"},
        {"Joint#002", "Joint#003"},
        {"Beam12345", "Beam12346"},
        {"Beam99999", "Beam100000"},
        {"Beam123456", "Beam123456#002"},
        {"A123456", "A123456#002"},
    };
    for (const auto& [before, after] : cases)
    {
        std::string name = before;
        incrementNameNumber(name);
        EXPECT_EQ(name, after) << "from \"" << before << "\"";
    }
}

TEST(NameNumbering, LongImportedNamesKeepTheirText)
{
    std::string name(5000, 'x');
    incrementNameNumber(name);
    EXPECT_EQ(name.size(), 5004u);
    EXPECT_EQ(name.substr(5000), "#002");
}

} // namespace
