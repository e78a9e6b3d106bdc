#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/CurlByteClient.h"
#include "ocr/RecognitionWorker.h"
#include "tests/app/AppTestSupport.h"
#include "tests/ocr/OcrTestSupport.h"

// A recognition worker talking to a loopback stand-in of the service, with a
// language file of its own, recorded messages and waits that do not sleep.
class RecognitionTest : public testing::Test {
protected:
    RecognitionTest() {
        WriteLanguageFileOf(folder_.File(L"cn.dat"),
                            {{L"DefaultError", L"服务出错"},
                             {L"Commodity", L"%s|%s|%s|%s|%s|%s|%s|%s"},
                             {L"InvoiceNum", L"发票号码"},
                             {L"SellerName", L"销售方"},
                             {L"AAK", L"secret"}},
                            {{L"Title", L"提示"},
                             {L"ImageSizeIsZero", L"空图片"},
                             {L"CURL_TIMEOUT", L"超时"},
                             {L"CURL_NONETWORK", L"没有网络"},
                             {L"CertificateErr", L"证书无效"},
                             {L"ImageTooLarge", L"图片太大"},
                             {L"OCRNotResult", L"没有结果"},
                             {L"JsonFormatErr", L"无法解析：%s"},
                             {L"ExceptIdcardRS", L"放反了"},
                             {L"ExceptIdcardNoIdcard", L"不是身份证"},
                             {L"ExceptIdcardBlurred", L"模糊"},
                             {L"ExceptIdcardOE", L"曝光过度"},
                             {L"ExceptIdcardUnknow", L"未知"},
                             {L"AIPError17", L"次数用完"}});
    }

    // Services whose clients reach server, with the local engine and the
    // quality setting given.
    RecognitionServices ServicesFor() {
        RecognitionServices services;
        services.newClient = [this] { return std::make_unique<OcrClient>(ClientFor(server_)); };
        services.newLocalEngine = [this]() -> std::unique_ptr<LocalEngineBridge> {
            ++enginesCreated_;
            return engineInstallFolder_.empty()
                       ? nullptr
                       : std::make_unique<LocalEngineBridge>(engineInstallFolder_, folder_.Path());
        };
        services.useHighQuality = [this] { return useHighQuality_; };
        services.wait = [this](unsigned milliseconds) { waits_.push_back(milliseconds); };
        services.download = [](const std::string& url, const std::string& path) {
            return CurlByteClient().Download(url, path);
        };
        return services;
    }

    RecognitionWorker WorkerFor(RecognitionKind runKind,
                                std::optional<RecognitionServices> services = std::nullopt) {
        RecognitionWorker worker(services ? std::move(*services) : ServicesFor());
        worker.mainWindow = kOwner;
        worker.runKind = runKind;
        return worker;
    }

    std::unique_ptr<RecognitionResult> Parse(const std::string& json, RecognitionKind kind) {
        return WorkerFor(kind).Parse(ParseJsonText(json), kind);
    }

    static Json::Value ParseJsonText(const std::string& json) {
        Json::Value value;
        std::string errors;
        std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
        reader->parse(json.data(), json.data() + json.size(), &value, &errors);
        return value;
    }

    // The one message shown, or an empty body when there was none or more.
    std::wstring OnlyMessage() {
        const std::vector<MessageRequest> shown = recorder_.Shown();
        return shown.size() == 1 ? shown[0].body : std::wstring();
    }

    static inline const HWND kOwner = reinterpret_cast<HWND>(0x5678);
    TempFolder folder_;
    ScopedLanguageFile language_{folder_.File(L"cn.dat")};
    MessageRecorder recorder_;
    LoopbackHttpServer server_;
    bool useHighQuality_ = false;
    std::wstring engineInstallFolder_;
    int enginesCreated_ = 0;
    std::vector<unsigned> waits_;
};
