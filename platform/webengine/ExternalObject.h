#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>

// The page's window.external: one method, notify(text), handed to the host. The answer is
// returned to the page as a string.
class ExternalObject : public IDispatch {
public:
    using Notify = std::function<std::wstring(const std::wstring& text)>;

    explicit ExternalObject(Notify notify) : notify_(std::move(notify)) {}
    // The host is going away: later calls from the page do nothing.
    void Detach() { notify_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT* argumentError) override;

private:
    virtual ~ExternalObject() = default;

    LONG references_ = 1;
    Notify notify_;
};
