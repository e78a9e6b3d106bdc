#include <curl/curl.h>
#include <gtest/gtest.h>

#include <string>

#include "net/FormEncoding.h"

namespace {

std::string CurlEscape(const std::string& bytes) {
    char* escaped = curl_escape(bytes.data(), static_cast<int>(bytes.size()));
    std::string result(escaped);
    curl_free(escaped);
    return result;
}

}  // namespace

TEST(FormEscape, MatchesLibcurlForEveryByteValue) {
    for (int c = 0; c < 256; ++c) {
        std::string byte(1, static_cast<char>(c));
        EXPECT_EQ(FormEscape(byte), CurlEscape(byte)) << "byte " << c;
    }
}

TEST(FormEscape, KeepsUnreservedCharactersAndEscapesBase64Punctuation) {
    EXPECT_EQ(FormEscape("AZaz09-._~"), "AZaz09-._~");
    EXPECT_EQ(FormEscape("a+b/c=="), "a%2Bb%2Fc%3D%3D");
    EXPECT_EQ(FormEscape(std::string("\0 \xff", 3)), "%00%20%FF");
    EXPECT_EQ(FormEscape(""), "");
}

TEST(FormEncode, ListsPairsInByteOrderEachFollowedByAnAmpersand) {
    FormMap pairs{{"probability", "true"},
                  {"image", "QQ=="},
                  {"detect_direction", "true"},
                  {"\xc3\xa9", "x"},
                  {"Z", "upper before lower"}};
    EXPECT_EQ(FormEncode(pairs),
              "Z=upper%20before%20lower&detect_direction=true&image=QQ%3D%3D&probability=true&"
              "%C3%A9=x&");
}

TEST(FormEncode, EmptyMapGivesEmptyText) { EXPECT_EQ(FormEncode({}), ""); }

TEST(FormEncode, EscapesKeysAndEmptyValues) { EXPECT_EQ(FormEncode({{"a b", ""}}), "a%20b=&"); }
