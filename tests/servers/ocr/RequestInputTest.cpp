#include <gtest/gtest.h>
#include <leptonica/allheaders.h>

#include <string>

#include "platform/servers/core/Base64Decode.h"
#include "platform/servers/ocr/ApiErrors.h"
#include "platform/servers/ocr/FormFields.h"
#include "platform/servers/ocr/Picture.h"
#include "tests/servers/ocr/TestPictures.h"

namespace pimlo::servers {
namespace {

using testing::Base64;

std::string PngOfSize(int width, int height) {
    Pix* pix = pixCreate(width, height, 8);
    pixSetAllArbitrary(pix, 255);
    l_uint8* data = nullptr;
    size_t size = 0;
    pixWriteMem(&data, &size, pix, IFF_PNG);
    std::string bytes(reinterpret_cast<char*>(data), size);
    lept_free(data);
    pixDestroy(&pix);
    return bytes;
}

TEST(FormBodyTest, DecodesEscapesPlusAndOddPairs) {
    const FormFields fields =
        ParseFormBody("image=ab%2Bc%2F%3D&name=a+b&flag&&broken=%G1%4&image=second&");
    EXPECT_EQ(fields.at("image"), "ab+c/=");
    EXPECT_EQ(fields.at("name"), "a b");
    EXPECT_EQ(fields.at("flag"), "");
    EXPECT_EQ(fields.at("broken"), "%G1%4");
    EXPECT_EQ(fields.size(), 4u);
}

TEST(Base64DecodeTest, RoundTripsEveryPaddingLength) {
    for (const std::string& bytes :
         {std::string(), std::string("a"), std::string("ab"), std::string("abc"),
          std::string("abcd"), std::string("\0\xff\x10", 3)}) {
        EXPECT_EQ(DecodeBase64(Base64(bytes)), bytes);
        std::string unpadded = Base64(bytes);
        while (!unpadded.empty() && unpadded.back() == '=') unpadded.pop_back();
        EXPECT_EQ(DecodeBase64(unpadded), bytes);
    }
    EXPECT_EQ(DecodeBase64("YW\r\nJj"), "abc");
}

TEST(Base64DecodeTest, RefusesWhatNoEncoderWrites) {
    for (const char* text : {"YWJj!", "YW=Jj", "Y", "YWJjZ", "YW Jj", "YW-_"})
        EXPECT_FALSE(DecodeBase64(text).has_value()) << text;
}

TEST(ReadPictureTest, RefusalsCarryTheProviderCodes) {
    const std::string tooSmall = Base64(PngOfSize(14, 100));
    const std::string tooLong = Base64(PngOfSize(4097, 20));
    struct Case {
        FormFields fields;
        int64_t error;
    } cases[] = {
        {{}, kMissingParameter},
        {{{"image", ""}}, kEmptyImage},
        {{{"image", "not base64!"}}, kImageFormatError},
        {{{"image", Base64("plain text, not a picture")}}, kImageFormatError},
        {{{"image", tooSmall}}, kImageSizeError},
        {{{"image", tooLong}}, kImageSizeError},
        {{{"image", std::string(4 * 1024 * 1024 + 4, 'A')}}, kImageSizeError},
    };
    for (const Case& c : cases) {
        const PictureRead read = ReadPicture(c.fields);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(read.picture, nullptr);
    }
}

TEST(ReadPictureTest, ColourPicturesBecomeGrey) {
    Pix* colour = pixCreate(40, 30, 32);
    l_uint8* data = nullptr;
    size_t size = 0;
    pixWriteMem(&data, &size, colour, IFF_PNG);
    const std::string bytes(reinterpret_cast<char*>(data), size);
    lept_free(data);
    pixDestroy(&colour);

    const PictureRead read = ReadPicture({{"image", Base64(bytes)}});
    ASSERT_NE(read.picture, nullptr);
    EXPECT_EQ(read.error, 0);
    EXPECT_EQ(pixGetDepth(read.picture.get()), 8);
    EXPECT_EQ(pixGetWidth(read.picture.get()), 40);
}

}  // namespace
}  // namespace pimlo::servers
