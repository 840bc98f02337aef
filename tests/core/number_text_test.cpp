// Decimal text to 32-bit integers and back, as the options dialog uses them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "app/NumberText.h"

namespace {

struct TextCase {
    const char* text;
    int32_t expected;
};

// The text written into a buffer of `size` bytes, which must hold all of
// it: the bytes after the buffer stay as they were.
std::string Text(int32_t value, size_t size = 12)
{
    char out[16];
    std::memset(out, '#', sizeof out);
    NumberToText(value, out, size);
    for (size_t i = size; i < sizeof out; ++i) EXPECT_EQ(out[i], '#') << "wrote past a buffer of " << size;
    return std::string(out, strnlen(out, size));
}

TEST(TextToNumber, ReadsBlanksOneSignAndDigitsUpToTheFirstOtherCharacter)
{
    const TextCase cases[] = {
        {"0", 0},          {"640", 640},      {"480", 480},       {"-5", -5},       {"+7", 7},
        {"  12abc", 12},   {"\t\n\v\f\r 42", 42}, {"007", 7},     {"-0", 0},        {"12 34", 12},
        {"3-4", 3},        {"9x9", 9},
    };
    for (const TextCase& c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(TextToNumber, TextWithoutLeadingDigitsGivesZero)
{
    const char* const texts[] = {"", "   ", "abc", "-", "+", "+-5", "-+5", "--5", "- 5", "x12", ".5"};
    for (const char* text : texts) EXPECT_EQ(TextToNumber(text), 0) << '"' << text << '"';
    EXPECT_EQ(TextToNumber(nullptr), 0);
}

TEST(TextToNumber, ClampsAtTheThirtyTwoBitLimits)
{
    const TextCase cases[] = {
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"4294967296", INT32_MAX},    // would wrap to 0 in 32 bits
        {"-4294967297", INT32_MIN},   // would wrap to -1
        {"123456789012345", INT32_MAX},  // the most the dialog's buffer holds
        {"-123456789012345", INT32_MIN},
        {"99999999999999999999999999999999999999", INT32_MAX},
        {"-99999999999999999999999999999999999999", INT32_MIN},
        {"00000000000000000000000000000000000000012", 12},  // zeros do not count toward overflow
    };
    for (const TextCase& c : cases) EXPECT_EQ(TextToNumber(c.text), c.expected) << '"' << c.text << '"';
}

TEST(NumberToText, WritesPlainDecimalWithAMinusForNegatives)
{
    EXPECT_EQ(Text(0), "0");
    EXPECT_EQ(Text(7), "7");
    EXPECT_EQ(Text(640), "640");
    EXPECT_EQ(Text(-5), "-5");
    EXPECT_EQ(Text(1000000), "1000000");
    EXPECT_EQ(Text(INT32_MAX), "2147483647");
    EXPECT_EQ(Text(INT32_MIN), "-2147483648");
}

TEST(NumberToText, RoundTripsThroughTextToNumber)
{
    const int32_t values[] = {0, 1, -1, 9, 10, -10, 640, 480, 65535, -65536, 999999999, 1000000000,
                              INT32_MAX, INT32_MAX - 1, INT32_MIN, INT32_MIN + 1};
    for (int32_t value : values) EXPECT_EQ(TextToNumber(Text(value).c_str()), value) << value;
}

TEST(NumberToText, CutsTheTextToTheBufferAndAlwaysTerminates)
{
    EXPECT_EQ(Text(INT32_MIN, 12), "-2147483648");
    EXPECT_EQ(Text(INT32_MIN, 11), "-214748364");
    EXPECT_EQ(Text(12345, 4), "123");
    EXPECT_EQ(Text(-5, 2), "-");
    EXPECT_EQ(Text(640, 1), "");
    EXPECT_EQ(Text(-5, 1), "");
    EXPECT_EQ(Text(INT32_MIN, 1), "");

    char untouched[4] = {'a', 'b', 'c', '\0'};
    NumberToText(640, untouched, 0);
    EXPECT_STREQ(untouched, "abc");
}

}  // namespace
