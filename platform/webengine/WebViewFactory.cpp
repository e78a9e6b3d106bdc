#include "platform/webengine/WebViewFactory.h"

#include "platform/webengine/BrowserView.h"
#include "platform/webengine/BuiltInView.h"

std::unique_ptr<WebView> CreateWebView(HWND parent, const RECT& place) {
    if (std::unique_ptr<WebView> browser = BrowserView::Create(parent, place)) {
        return browser;
    }
    return BuiltInView::Create(parent, place);
}
