#include <gtest/gtest.h>

#include "platform/servers/report/ReportCipher.h"
#include "tests/servers/report/TestEncryption.h"

namespace pimlo::servers {
namespace {

using testing::Base64;
using testing::EncryptReport;

// Lengths around the block size: a text of whole blocks gets a whole block
// of padding, so 16 and 32 bytes of text make 32 and 48 bytes of cipher.
TEST(ReportCipherTest, OpensWhatTheProgramSealsAtEveryLengthAroundBlocks) {
    for (size_t length = 0; length <= 33; ++length) {
        std::string plain(length, 'x');
        for (size_t i = 0; i < length; ++i) plain[i] = static_cast<char>('a' + i % 26);
        std::string body = EncryptReport(plain, kReportKey);
        EXPECT_EQ(DecryptReport(body), plain) << "length " << length;
    }
    EXPECT_EQ(EncryptReport(std::string(32, 'j'), kReportKey).size(), 64u);
}

TEST(ReportCipherTest, RefusesBodiesThatAreNotSealedReports) {
    std::string sixteen(16, 'q');
    struct Case {
        const char* what;
        std::string body;
    } cases[] = {
        {"empty", ""},
        {"not Base64", "this is not base64!!"},
        {"padding in the middle", "QUJD=EFG"},
        {"three padding characters", "Q==="},
        {"not whole blocks", Base64("fifteen bytes!!")},
        {"plain text in Base64", Base64(sixteen)},
        {"another key", EncryptReport("{\"a\":1}", "0123456789abcdef")},
        {"padding byte zero", EncryptReport(std::string(15, 'p') + '\0', kReportKey, false)},
        {"padding bytes unequal",
         EncryptReport(std::string(14, 'p') + "\x01\x02", kReportKey, false)},
        {"padding longer than a block",
         EncryptReport(std::string(15, 'p') + "\x11", kReportKey, false)},
    };
    for (const Case& c : cases) EXPECT_FALSE(DecryptReport(c.body)) << c.what;
}

}  // namespace
}  // namespace pimlo::servers
