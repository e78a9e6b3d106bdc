#include "platform/webengine/BrowserEvents.h"

#include <exdisp.h>
#include <exdispid.h>

namespace {

// DISPPARAMS hold the arguments last first: argument index of count arguments.
VARIANT* Argument(DISPPARAMS* parameters, UINT index, UINT count) {
    if (!parameters || parameters->cArgs != count || !parameters->rgvarg) {
        return nullptr;
    }
    return &parameters->rgvarg[count - 1 - index];
}

// The argument itself, or what it refers to when the control passed a reference.
const VARIANT* Dereferenced(const VARIANT* argument) {
    if (argument && argument->vt == (VT_BYREF | VT_VARIANT)) {
        return argument->pvarVal;
    }
    return argument;
}

IDispatch* FrameOf(DISPPARAMS* parameters, UINT count) {
    const VARIANT* frame = Dereferenced(Argument(parameters, 0, count));
    return frame && frame->vt == VT_DISPATCH ? frame->pdispVal : nullptr;
}

std::wstring TextOf(const VARIANT* argument) {
    argument = Dereferenced(argument);
    if (argument && argument->vt == VT_BSTR && argument->bstrVal) {
        return std::wstring(argument->bstrVal, SysStringLen(argument->bstrVal));
    }
    return std::wstring();
}

long NumberOf(const VARIANT* argument) {
    argument = Dereferenced(argument);
    VARIANT number;
    VariantInit(&number);
    if (!argument || FAILED(VariantChangeType(&number, const_cast<VARIANT*>(argument), 0, VT_I4))) {
        return 0;
    }
    return number.lVal;
}

}  // namespace

HRESULT STDMETHODCALLTYPE BrowserEvents::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID_DWebBrowserEvents2) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE BrowserEvents::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE BrowserEvents::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT STDMETHODCALLTYPE BrowserEvents::GetTypeInfoCount(UINT* count) {
    if (count) {
        *count = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserEvents::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEvents::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD,
                                                DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                                UINT*) {
    if (!handler_) {
        return S_OK;
    }
    switch (id) {
        case DISPID_BEFORENAVIGATE2:  // frame, url, flags, target, post data, headers, cancel
            handler_->OnBeforeNavigate(FrameOf(parameters, 7));
            break;
        case DISPID_DOCUMENTCOMPLETE:  // frame, url
            handler_->OnDocumentComplete(FrameOf(parameters, 2),
                                         TextOf(Argument(parameters, 1, 2)));
            break;
        case DISPID_NAVIGATEERROR: {  // frame, url, target frame, status, cancel
            const bool suppress = handler_->OnNavigateError(FrameOf(parameters, 5),
                                                            TextOf(Argument(parameters, 1, 5)),
                                                            NumberOf(Argument(parameters, 3, 5)));
            VARIANT* cancel = Argument(parameters, 4, 5);
            if (suppress && cancel && cancel->vt == (VT_BYREF | VT_BOOL) && cancel->pboolVal) {
                *cancel->pboolVal = VARIANT_TRUE;
            }
            break;
        }
        default:
            break;
    }
    return S_OK;
}
