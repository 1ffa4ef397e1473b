// Texts copied into fixed header fields are cut only between characters.

#include "BimfMaintenance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(BimfCopyText, CutsOnlyAtACharacterBoundaryAndPadsWithZeros)
{
    struct Case
    {
        const char* text;
        size_t size;
        const char* expected;
    };
    const Case cases[] = {
        {"abc", 8, "abc"},
        {"abcdefgh", 8, "abcdefg"},         // ASCII: size - 1 bytes
        {"京沪线", 10, "京沪线"},           // 9 bytes fit
        {"京沪线", 9, "京沪"},              // the third character would lose its last byte
        {"京沪线", 8, "京沪"},
        {"京沪线", 4, "京"},
        {"京沪线", 3, ""},                  // not even one character fits
        {"a京", 3, "a"},
        {"ab😀", 6, "ab"},                 // four-byte character
        {"ab😀", 7, "ab😀"},
        {"", 5, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " into " + std::to_string(c.size));
        char field[16];
        std::memset(field, 'x', sizeof field);
        const size_t copied = BimfCopyText(field, c.size, c.text);
        EXPECT_STREQ(field, c.expected);
        EXPECT_EQ(copied, std::strlen(c.expected));
        for (size_t i = copied; i < c.size; ++i)
            EXPECT_EQ(field[i], 0) << i;
        EXPECT_EQ(field[c.size], 'x');  // nothing written past the field
    }
}

TEST(BimfCopyText, NullTextEmptiesTheFieldAndZeroSizeWritesNothing)
{
    char field[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(BimfCopyText(field, sizeof field, nullptr), 0u);
    EXPECT_EQ(std::string(field, 4), std::string(4, '\0'));
    field[0] = 'q';
    EXPECT_EQ(BimfCopyText(field, 0, "abc"), 0u);
    EXPECT_EQ(field[0], 'q');
}

TEST(BimfIndexPathFor, ReplacesTheExtensionOfTheFileNameOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/t/L1/run.bimf", "/t/L1/run.dex"},
        {"/t/a.b/run", "/t/a.b/run.dex"},
        {"run.x.bimf", "run.x.dex"},
        {"/t/.hidden", "/t/.hidden.dex"},
    };
    for (const auto& [data, index] : cases) {
        char out[64];
        ASSERT_EQ(BimfIndexPathFor(data, out, sizeof out), 1) << data;
        EXPECT_STREQ(out, index);
    }
    char small[8];
    EXPECT_EQ(BimfIndexPathFor("/long/path.bimf", small, sizeof small), 0);
}
