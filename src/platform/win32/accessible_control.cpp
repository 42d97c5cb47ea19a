// The annotation's identifiers are defined here, as no import library of mingw-w64 holds them.
#include <initguid.h>

#include "platform/win32/accessible_control.h"

#include "platform/windows/ole_on_demand.h"
#include "platform/windows/system_function.h"
#include "platform/windows/wide_text.h"
#include "platform/windows/win32_owners.h"
#include "platform/windows/win32_texts.h"

#include <utility>

namespace hopwick::win32 {

namespace {

const auto kCreateStdAccessibleObject = HOPWICK_SYSTEM_FUNCTION(L"oleacc.dll", CreateStdAccessibleObject);
const auto kLresultFromObject = HOPWICK_SYSTEM_FUNCTION(L"oleacc.dll", LresultFromObject);
const auto kSysAllocString = HOPWICK_SYSTEM_FUNCTION(L"oleaut32.dll", SysAllocString);
const auto kCoCreateInstance = HOPWICK_SYSTEM_FUNCTION(L"ole32.dll", CoCreateInstance);

bool isSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A text handed to the caller, who frees it; S_FALSE for none, as the system's objects answer.
HRESULT giveText(const std::wstring& text, BSTR* out) {
    if (out == nullptr) {
        return E_INVALIDARG;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    const auto allocate = kSysAllocString.get();
    if (allocate == nullptr) {
        return E_OUTOFMEMORY;
    }
    *out = allocate(text.c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// An object of its own for the control that holds the system's object and passes to it whatever the traits do
// not say; the control's children (the list's entries) are always the system's. It offers only its own
// interfaces, so that every interface asked of it leads back to the same object, as COM requires; callers then
// read the children one by one rather than through the system's enumeration.
class AccessibleControl final : public IAccessible {
public:
    AccessibleControl(HWND control, ComPtr<IAccessible> system, AccessibleTraits traits)
        : control_(control), system_(std::move(system)), traits_(std::move(traits)) {}
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        *out = nullptr;
        if (!IsEqualIID(id, IID_IUnknown) && !IsEqualIID(id, IID_IDispatch) && !IsEqualIID(id, __uuidof(IAccessible))) {
            return E_NOINTERFACE;
        }
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return system_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return system_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return system_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
        return system_->Invoke(member, id, locale, flags, parameters, result, exception, argumentError);
    }

    // IAccessible: what the traits say about the control itself.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (isSelf(child) && !traits_.name.empty()) {
            return giveText(traits_.name, name);
        }
        return system_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (isSelf(child) && !traits_.description.empty()) {
            return giveText(traits_.description, description);
        }
        return system_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (isSelf(child) && traits_.role != 0 && role != nullptr) {
            role->vt = VT_I4;
            role->lVal = traits_.role;
            return S_OK;
        }
        return system_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (isSelf(child) && traits_.pressable) {
            return giveText(widen(texts::kPressAction), action);
        }
        return system_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!isSelf(child) || !traits_.pressable) {
            return system_->accDoDefaultAction(child);
        }
        if (!IsWindowVisible(control_) || !IsWindowEnabled(control_)) {
            return E_FAIL;
        }
        // Posted, as the system's buttons do: the click's handler may ask questions in boxes of its own, which
        // must not run inside the caller's request.
        const WPARAM command = MAKEWPARAM(GetDlgCtrlID(control_), STN_CLICKED);
        return PostMessageW(GetParent(control_), WM_COMMAND, command, reinterpret_cast<LPARAM>(control_)) ? S_OK
                                                                                                          : E_FAIL;
    }

    // IAccessible: the rest as the system answers it.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return system_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return system_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return system_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return system_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return system_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return system_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return system_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return system_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return system_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return system_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return system_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return system_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return system_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return system_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return system_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return system_->put_accValue(child, value);
    }

private:
    ~AccessibleControl() = default;

    HWND control_;
    ComPtr<IAccessible> system_;
    AccessibleTraits traits_;
    LONG references_ = 1;
};

// The system's annotation service; null where oleacc or OLE is missing.
ComPtr<IAccPropServices> annotationServices() {
    const auto create = kCoCreateInstance.get();
    ComPtr<IAccPropServices> services;
    if (create != nullptr) {
        create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices, services.putVoid());
    }
    return services;
}

} // namespace

bool annotateControl(IAccPropServices& services, HWND control, const AccessibleTraits& traits) {
    const auto annotate = [&services, control](const MSAAPROPID& property, const std::wstring& text) {
        return text.empty() || SUCCEEDED(services.SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT),
                                                                 CHILDID_SELF, property, text.c_str()));
    };
    bool taken = annotate(PROPID_ACC_NAME, traits.name) && annotate(PROPID_ACC_DESCRIPTION, traits.description);
    taken = taken && annotate(PROPID_ACC_DEFAULTACTION, traits.pressable ? widen(texts::kPressAction) : L"");
    if (taken && traits.role != 0) {
        VARIANT role{};
        role.vt = VT_I4;
        role.lVal = traits.role;
        taken = SUCCEEDED(
            services.SetHwndProp(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_ROLE, role));
    }
    return taken;
}

LRESULT accessibleObjectFor(HWND control, WPARAM flags, LPARAM objectId, const AccessibleTraits& traits) {
    if (static_cast<LONG>(objectId) != OBJID_CLIENT) {
        return 0;
    }
    // Annotation and handing an object over go through COM, which an assistive technology's request is the first
    // need of.
    needOle();
    // Laid anew at each request, so that the texts are always the controls' current ones.
    const ComPtr<IAccPropServices> services = annotationServices();
    if (services && annotateControl(*services.get(), control, traits) && !traits.pressable) {
        return 0;
    }
    // A press is what annotation cannot do: the pressable labels keep an object of their own.
    const auto createStandard = kCreateStdAccessibleObject.get();
    const auto toResult = kLresultFromObject.get();
    if (createStandard == nullptr || toResult == nullptr) {
        return 0;
    }
    ComPtr<IAccessible> system;
    if (FAILED(createStandard(control, OBJID_CLIENT, __uuidof(IAccessible), system.putVoid())) || !system) {
        return 0;
    }
    auto* object = new AccessibleControl(control, std::move(system), traits);
    const LRESULT result = toResult(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object));
    object->Release();
    return result < 0 ? 0 : result; // a failure's code is no object
}

} // namespace hopwick::win32
