#include <windows.h>
#include <exdispid.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/webengine/BrowserEvents.h"
#include "platform/webengine/BrowserSite.h"
#include "platform/webengine/ExternalObject.h"

// The browser control's host side, driven the way the control calls it: the control itself needs
// an HTML engine this test machine does not have.

namespace {

VARIANT Text(const wchar_t* text) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    return value;
}

VARIANT Number(long number) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_I4;
    value.lVal = number;
    return value;
}

VARIANT Reference(VARIANT* target) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BYREF | VT_VARIANT;
    value.pvarVal = target;
    return value;
}

VARIANT Dispatch(IDispatch* object) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = object;
    return value;
}

// Calls object's method id with arguments given first to last, as a script would.
HRESULT Call(IDispatch* object, DISPID id, std::vector<VARIANT> arguments, VARIANT* result) {
    std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
    DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &parameters, result, nullptr, nullptr);
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

TEST(ExternalObject, HandsNotifyTextToTheHostAndAnswersThePage) {
    std::vector<std::wstring> received;
    auto* external = new ExternalObject([&](const std::wstring& text) {
        received.push_back(text);
        return L"answer to " + text;
    });
    const DISPID notify = IdOf(external, L"notify");
    EXPECT_NE(notify, DISPID_UNKNOWN);
    EXPECT_EQ(IdOf(external, L"close"), DISPID_UNKNOWN);

    VARIANT result;
    VariantInit(&result);
    VARIANT json = Text(L"{\"code\":1}");
    ASSERT_EQ(Call(external, notify, {json}, &result), S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_STREQ(result.bstrVal, L"answer to {\"code\":1}");
    VariantClear(&result);
    VariantClear(&json);
    EXPECT_EQ(Call(external, notify, {Number(42)}, nullptr), S_OK);
    EXPECT_EQ(Call(external, notify, {}, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ((std::vector<std::wstring>{L"{\"code\":1}", L"42"}), received);

    external->Detach();
    EXPECT_EQ(Call(external, notify, {Number(1)}, nullptr), S_OK);
    EXPECT_EQ(received.size(), 2u);
    external->Release();
}

// What the events sink made of the control's events.
class RecordingHandler : public BrowserEventHandler {
public:
    void OnBeforeNavigate(IDispatch* frame) override { events.push_back({L"before", frame, 0}); }
    void OnDocumentComplete(IDispatch* frame, const std::wstring& url) override {
        events.push_back({L"complete " + url, frame, 0});
    }
    bool OnNavigateError(IDispatch* frame, const std::wstring& url, long status) override {
        events.push_back({L"error " + url, frame, status});
        return true;
    }

    struct Event {
        std::wstring what;
        IDispatch* frame;
        long status;
    };
    std::vector<Event> events;
};

TEST(BrowserEvents, ReadsTheControlsArgumentsInTheirOrder) {
    RecordingHandler handler;
    auto* events = new BrowserEvents(&handler);
    IDispatch* frame = events;  // any object stands for the frame
    VARIANT url = Text(L"https://example.invalid/");
    VARIANT target = Text(L"");
    VARIANT status = Number(404);
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT cancelReference;
    VariantInit(&cancelReference);
    cancelReference.vt = VT_BYREF | VT_BOOL;
    cancelReference.pboolVal = &cancel;
    VARIANT empty;
    VariantInit(&empty);

    Call(events, DISPID_BEFORENAVIGATE2,
         {Dispatch(frame), Reference(&url), Reference(&empty), Reference(&target),
          Reference(&empty), Reference(&empty), cancelReference},
         nullptr);
    Call(events, DISPID_DOCUMENTCOMPLETE, {Dispatch(frame), Reference(&url)}, nullptr);
    Call(
        events, DISPID_NAVIGATEERROR,
        {Dispatch(frame), Reference(&url), Reference(&target), Reference(&status), cancelReference},
        nullptr);
    Call(events, DISPID_DOCUMENTCOMPLETE, {Dispatch(frame)}, nullptr);  // malformed: no url

    ASSERT_EQ(handler.events.size(), 4u);
    EXPECT_EQ(handler.events[0].what, L"before");
    EXPECT_EQ(handler.events[1].what, L"complete https://example.invalid/");
    EXPECT_EQ(handler.events[2].what, L"error https://example.invalid/");
    EXPECT_EQ(handler.events[2].status, 404);
    EXPECT_EQ(cancel, VARIANT_TRUE) << "the control's own error page is suppressed";
    EXPECT_EQ(handler.events[3].frame, nullptr);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(handler.events[i].frame, frame) << i;
    }

    events->Detach();
    Call(events, DISPID_DOCUMENTCOMPLETE, {Dispatch(frame), Reference(&url)}, nullptr);
    EXPECT_EQ(handler.events.size(), 4u);
    VariantClear(&url);
    VariantClear(&target);
    events->Release();
}

TEST(BrowserSite, OffersTheHostWindowAndWindowExternal) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(window);
    auto* external = new ExternalObject(nullptr);
    auto* site = new BrowserSite(window, external);

    IDocHostUIHandler* handler = nullptr;
    ASSERT_EQ(static_cast<IOleClientSite*>(site)->QueryInterface(
                  IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler)),
              S_OK);
    IDispatch* given = nullptr;
    EXPECT_EQ(handler->GetExternal(&given), S_OK);
    EXPECT_EQ(given, external);
    given->Release();

    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    RECT position, clip;
    OLEINPLACEFRAMEINFO info = {};
    info.cb = sizeof(info);
    ASSERT_EQ(site->GetWindowContext(&frame, &document, &position, &clip, &info), S_OK);
    EXPECT_EQ(position.right, 320);
    EXPECT_EQ(position.bottom, 200);
    EXPECT_EQ(info.hwndFrame, window);
    frame->Release();

    site->Detach();
    EXPECT_EQ(handler->GetExternal(&given), S_FALSE);
    EXPECT_EQ(given, nullptr);
    handler->Release();
    static_cast<IOleClientSite*>(site)->Release();
    external->Release();
    DestroyWindow(window);
}

}  // namespace
