#include "platform/webengine/BrowserSite.h"

BrowserSite::BrowserSite(HWND window, IDispatch* external) : window_(window), external_(external) {
    if (external_) {
        external_->AddRef();
    }
}

BrowserSite::~BrowserSite() { Detach(); }

void BrowserSite::Detach() {
    window_ = nullptr;
    if (external_) {
        external_->Release();
        external_ = nullptr;
    }
}

HRESULT STDMETHODCALLTYPE BrowserSite::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame) {
        *object = static_cast<IOleInPlaceFrame*>(this);
    } else if (iid == IID_IDocHostUIHandler) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE BrowserSite::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE BrowserSite::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return left;
}

// IOleClientSite: the control is never saved, linked or embedded in a document of ours.

HRESULT STDMETHODCALLTYPE BrowserSite::SaveObject() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE BrowserSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
    if (moniker) {
        *moniker = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetContainer(IOleContainer** container) {
    if (container) {
        *container = nullptr;
    }
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::ShowObject() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnShowWindow(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::RequestNewObjectLayout() { return E_NOTIMPL; }

// IOleWindow

HRESULT STDMETHODCALLTYPE BrowserSite::GetWindow(HWND* window) {
    if (!window) {
        return E_POINTER;
    }
    *window = window_;
    return window_ ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE BrowserSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

// IOleInPlaceSite: the control fills the host window.

HRESULT STDMETHODCALLTYPE BrowserSite::CanInPlaceActivate() { return window_ ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnInPlaceActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnUIActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                        IOleInPlaceUIWindow** document,
                                                        LPRECT position, LPRECT clip,
                                                        LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info) {
        return E_POINTER;
    }
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *document = nullptr;
    RECT client = {};
    if (window_) {
        GetClientRect(window_, &client);
    }
    *position = client;
    *clip = client;
    info->fMDIApp = FALSE;
    info->hwndFrame = window_ ? GetAncestor(window_, GA_ROOT) : nullptr;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserSite::Scroll(SIZE) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnUIDeactivate(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnInPlaceDeactivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::DiscardUndoState() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::DeactivateAndUndo() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnPosRectChange(LPCRECT) { return S_OK; }

// IOleInPlaceUIWindow and IOleInPlaceFrame: no toolbars, menus or status bar to share.

HRESULT STDMETHODCALLTYPE BrowserSite::GetBorder(LPRECT) { return INPLACE_E_NOTOOLSPACE; }

HRESULT STDMETHODCALLTYPE BrowserSite::RequestBorderSpace(LPCBORDERWIDTHS) {
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::SetBorderSpace(LPCBORDERWIDTHS) { return OLE_E_INVALIDRECT; }

HRESULT STDMETHODCALLTYPE BrowserSite::SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserSite::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserSite::SetMenu(HMENU, HOLEMENU, HWND) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::RemoveMenus(HMENU) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE BrowserSite::SetStatusText(LPCOLESTR) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::EnableModeless(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::TranslateAccelerator(LPMSG, WORD) { return S_FALSE; }

// IDocHostUIHandler: the control's own menus and keys, our look, and window.external.

HRESULT STDMETHODCALLTYPE BrowserSite::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetHostInfo(DOCHOSTUIINFO* info) {
    if (!info || info->cbSize < sizeof(DOCHOSTUIINFO)) {
        return E_INVALIDARG;
    }
    info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_THEME | DOCHOSTUIFLAG_DPI_AWARE;
    info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
    info->pchHostCss = nullptr;
    info->pchHostNS = nullptr;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserSite::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*,
                                              IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::HideUI() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::UpdateUI() { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnDocWindowActivate(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::OnFrameWindowActivate(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE BrowserSite::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserSite::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    if (key) {
        *key = nullptr;
    }
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetDropTarget(IDropTarget*, IDropTarget** target) {
    if (target) {
        *target = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserSite::GetExternal(IDispatch** external) {
    if (!external) {
        return E_POINTER;
    }
    *external = external_;
    if (!external_) {
        return S_FALSE;
    }
    external_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserSite::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
    if (translated) {
        *translated = nullptr;
    }
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE BrowserSite::FilterDataObject(IDataObject*, IDataObject** replacement) {
    if (replacement) {
        *replacement = nullptr;
    }
    return S_FALSE;
}
