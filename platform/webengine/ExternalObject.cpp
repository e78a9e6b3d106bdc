#include "platform/webengine/ExternalObject.h"

namespace {

constexpr DISPID kNotify = 1;

}  // namespace

HRESULT STDMETHODCALLTYPE ExternalObject::QueryInterface(REFIID iid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch) {
        return E_NOINTERFACE;
    }
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE ExternalObject::AddRef() { return InterlockedIncrement(&references_); }

ULONG STDMETHODCALLTYPE ExternalObject::Release() {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT STDMETHODCALLTYPE ExternalObject::GetTypeInfoCount(UINT* count) {
    if (count) {
        *count = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ExternalObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE ExternalObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                                        DISPID* ids) {
    if (!names || !ids || count == 0) {
        return E_INVALIDARG;
    }
    HRESULT outcome = S_OK;
    for (UINT i = 0; i < count; ++i) {
        const bool isNotify = i == 0 && names[i] &&
                              CompareStringOrdinal(names[i], -1, L"notify", -1, TRUE) == CSTR_EQUAL;
        ids[i] = isNotify ? kNotify : DISPID_UNKNOWN;
        if (!isNotify) {
            outcome = DISP_E_UNKNOWNNAME;
        }
    }
    return outcome;
}

HRESULT STDMETHODCALLTYPE ExternalObject::Invoke(DISPID id, REFIID, LCID, WORD flags,
                                                 DISPPARAMS* parameters, VARIANT* result,
                                                 EXCEPINFO*, UINT* argumentError) {
    if (id != kNotify) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (!(flags & DISPATCH_METHOD) || !parameters) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (parameters->cArgs != 1) {
        return DISP_E_BADPARAMCOUNT;
    }
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, &parameters->rgvarg[0], 0, VT_BSTR))) {
        if (argumentError) {
            *argumentError = 0;
        }
        return DISP_E_TYPEMISMATCH;
    }
    std::wstring message(text.bstrVal ? text.bstrVal : L"", SysStringLen(text.bstrVal));
    VariantClear(&text);
    // The host may close the window in its handler: keep this object alive through the call.
    AddRef();
    std::wstring answer = notify_ ? notify_(message) : std::wstring();
    Release();
    if (result) {
        VariantInit(result);
        result->vt = VT_BSTR;
        result->bstrVal = SysAllocStringLen(answer.data(), static_cast<UINT>(answer.size()));
    }
    return S_OK;
}
