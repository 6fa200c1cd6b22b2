#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "TypedText.h"

namespace humichart {
namespace {

struct ReadCase {
    const wchar_t* text;
    double value;
};

TEST(TypedText, ReadsTheLeadingDecimalNumberWithADot) {
    const ReadCase cases[] = {
        {L"12.5", 12.5},      {L"12,5", 12.0},     {L" 7", 7.0},        {L"\t-3.25 kg", -3.25},
        {L"1e3", 1000.0},     {L"1E-2", 0.01},     {L"2e", 2.0},        {L"2e+", 2.0},
        {L"-0", 0.0},         {L"+4.", 4.0},       {L".5", 0.5},        {L"-.5x", -0.5},
        {L"abc", 0.0},        {L"", 0.0},          {L"-", 0.0},         {L".", 0.0},
        {L"inf", 0.0},        {L"nan", 0.0},       {L"-infinity", 0.0}, {L"0x1A", 0.0},
        {L"1e999", DBL_MAX},  {L"-1e999", -DBL_MAX}, {L"1e-999", 0.0},  {L"1.5.6", 1.5},
        {L"\u00a07", 0.0},    {L"\uff17", 0.0},    {L"3\u00a0000", 3.0}, {L"007", 7.0},
    };
    for (const ReadCase& c : cases) {
        const double value = LeadingNumber(c.text);
        EXPECT_TRUE(std::isfinite(value)) << "text: " << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(value, c.value) << "text: " << testing::PrintToString(std::wstring(c.text));
    }
    EXPECT_TRUE(std::signbit(LeadingNumber(L"-0")));
}

TEST(TypedText, ReadsAndWritesTheSameWhateverTheLocale) {
    // A locale with a decimal comma, where the C library would read "12,5".
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (!german) german = std::setlocale(LC_ALL, "German_Germany.1252");
    EXPECT_EQ(LeadingNumber(L"12.5"), 12.5);
    EXPECT_EQ(LeadingNumber(L"12,5"), 12.0);
    EXPECT_EQ(FormatNumber("%.2f", 12.5), L"12.50");
    std::setlocale(LC_ALL, "C");
}

struct FormatCase {
    const char* format;
    double value;
    const wchar_t* text;
};

TEST(TypedText, FormatsAsPrintfInTheCLocale) {
    const FormatCase cases[] = {
        {"%.2f", 25.0, L"25.00"},         {"%.2f", -0.005, L"-0.01"},      {"%.2f", 0.125, L"0.12"},
        {"%.3f", 9.87654, L"9.877"},      {"%.1f", 55.0, L"55.0"},         {"%.5f", 1.0 / 3.0, L"0.33333"},
        {"%.5E", 12345.678, L"1.23457E+04"}, {"%.4E", -0.000123456, L"-1.2346E-04"},
        {"%.5E", 0.0, L"0.00000E+00"},    {"%.4E", 1e300, L"1.0000E+300"},
        {"%6.1f", 101325.0, L"101325.0"}, {"%6.1f", 5.0, L"   5.0"},      {"%6.1f", -1.25, L"  -1.2"},
        {"%3.1f", 65.0, L"65.0"},         {"%3.1f", -30.0, L"-30.0"},      {"%3.1f", 0.0, L"0.0"},
        {"%.2f", -0.0, L"-0.00"},         {"%.0f", 2.5, L"2"},             {"%.2f", 1e20, L"100000000000000000000.00"},
    };
    for (const FormatCase& c : cases) {
        char expected[512];
        std::snprintf(expected, sizeof expected, c.format, c.value);
        EXPECT_EQ(FormatNumber(c.format, c.value), std::wstring(c.text)) << c.format << " " << c.value;
        EXPECT_EQ(FormatNumber(c.format, c.value), std::wstring(expected, expected + std::strlen(expected)))
            << "printf disagrees: " << c.format << " " << c.value;
    }
}

TEST(TypedText, FindsWholeNamesIgnoringLetterCase) {
    const std::vector<std::wstring> items = {L"Room", L"room ", L"\u00c4u\u00dfen", L"O", L"\U0001F600x", L"o"};
    EXPECT_EQ(FindExact(items, L"ROOM"), 0);
    EXPECT_EQ(FindExact(items, L"room "), 1);
    EXPECT_EQ(FindExact(items, L"roo"), -1);
    EXPECT_EQ(FindExact(items, L"\u00e4U\u00dfEN"), 2);
    EXPECT_EQ(FindExact(items, L"o"), 3);  // the first of two matches
    EXPECT_EQ(FindExact(items, L"\U0001F600X"), 4);
    EXPECT_EQ(FindExact({L"\u0394\u03b5\u03bb\u03c4\u03b1", L"\u041a\u043e\u043c\u043d\u0430\u0442\u0430"},
                        L"\u043a\u041e\u041c\u041d\u0410\u0422\u0410"),
              1);
    EXPECT_EQ(FindExact({L"\u0394\u03b5\u03bb\u03c4\u03b1"}, L"\u03b4\u0395\u039b\u03a4\u0391"), 0);
    EXPECT_EQ(FindExact({L"\u0178"}, L"\u00ff"), 0);
    EXPECT_EQ(FindExact({L"\uff21"}, L"\uff41"), 0);
    EXPECT_EQ(FindExact({L"\u00d7"}, L"\u00f7"), -1);
    EXPECT_EQ(FindExact(items, L""), -1);
    EXPECT_EQ(FindExact({L"P1", L""}, L""), -1);  // an empty text names no unnamed item
    EXPECT_EQ(FindExact({}, L"a"), -1);
}

}  // namespace
}  // namespace humichart
