#include "win32/CBrowser.h"

#include "win32/WideText.h"

#include <exdisp.h>

namespace rivetbay::win32 {

namespace {

// The dispatch ids of IWebBrowser2.
constexpr DISPID goBackId = 100;
constexpr DISPID goForwardId = 101;
constexpr DISPID navigateId = 104;
constexpr DISPID refreshId = -550;
constexpr DISPID stopId = 106;
constexpr DISPID pathId = 401;

} // namespace

// What the control asks of its container: a window to live in and a place in it.
class CBrowser::Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    Site(HWND window, const RECT& at) : window_(window), at_(at) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *out = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *out = static_cast<IOleInPlaceFrame*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    STDMETHODIMP GetWindow(HWND* out) override
    {
        *out = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                  LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        *frame = this;
        AddRef();
        *document = nullptr;
        *position = at_;
        *clip = at_;
        info->fMDIApp = FALSE;
        info->hwndFrame = window_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, toolbars or status line.
    STDMETHODIMP GetBorder(LPRECT) override { return E_NOTIMPL; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~Site() = default;

    LONG refs_ = 1;
    HWND window_;
    RECT at_;
};

CBrowser::~CBrowser()
{
    if (browser_) browser_->Release();
    if (object_) {
        object_->Close(OLECLOSE_NOSAVE);
        object_->SetClientSite(nullptr);
        object_->Release();
    }
    if (site_) site_->Release();
}

bool CBrowser::create(HWND parent, const RECT& at)
{
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_))))
        return false;
    site_ = new Site(parent, at);
    RECT place = at;
    if (FAILED(object_->SetClientSite(site_)) ||
        FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_, 0, parent, &place)) ||
        FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)))) {
        browser_ = nullptr;
        return false;
    }
    OleSetContainedObject(object_, TRUE);
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject,
                                          reinterpret_cast<void**>(&inPlace)))) {
        inPlace->SetObjectRects(&place, &place);
        inPlace->Release();
    }
    return true;
}

std::string CBrowser::invoke(DISPID id, WORD kind, VARIANT* arguments, UINT count, VARIANT* result)
{
    if (!browser_) return "Internal application error.";
    DISPPARAMS parameters{arguments, nullptr, count, 0};
    EXCEPINFO failure{};
    const HRESULT done = browser_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                                          result, &failure, nullptr);
    if (SUCCEEDED(done)) return {};
    std::string text;
    if (done == DISP_E_EXCEPTION && failure.bstrDescription)
        text = utf8(failure.bstrDescription);
    SysFreeString(failure.bstrDescription);
    SysFreeString(failure.bstrSource);
    SysFreeString(failure.bstrHelpFile);
    return text.empty() ? "Internal application error." : text;
}

std::string CBrowser::GoBack() { return invoke(goBackId, DISPATCH_METHOD, nullptr, 0, nullptr); }

std::string CBrowser::GoForward()
{
    return invoke(goForwardId, DISPATCH_METHOD, nullptr, 0, nullptr);
}

std::string CBrowser::Navigate(const std::wstring& address)
{
    // The address alone: no flags, frame, post data or headers.
    VARIANT where;
    VariantInit(&where);
    where.vt = VT_BSTR;
    where.bstrVal = SysAllocString(address.c_str());
    const std::string refusal = invoke(navigateId, DISPATCH_METHOD, &where, 1, nullptr);
    VariantClear(&where);
    return refusal;
}

std::string CBrowser::Refresh() { return invoke(refreshId, DISPATCH_METHOD, nullptr, 0, nullptr); }

std::string CBrowser::Stop() { return invoke(stopId, DISPATCH_METHOD, nullptr, 0, nullptr); }

std::optional<std::wstring> CBrowser::GetPath()
{
    VARIANT path;
    VariantInit(&path);
    if (!invoke(pathId, DISPATCH_PROPERTYGET, nullptr, 0, &path).empty() || path.vt != VT_BSTR)
        return std::nullopt;
    std::wstring folder(path.bstrVal ? path.bstrVal : L"");
    VariantClear(&path);
    if (folder.empty()) return std::nullopt;
    return folder;
}

} // namespace rivetbay::win32
