#include "ui/controls/accessible_role.h"

#include <oleacc.h>

#include "platform/owned_handles.h"
#include "platform/system_library.h"

namespace ui {
namespace {

using CreateStdFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

// oleacc.dll is no KnownDLL: it is loaded when first asked for, from
// System32 only.
HMODULE Oleacc() {
  static const HMODULE module = platform::LoadSystemLibrary(L"oleacc.dll");
  return module;
}

template <typename Function>
Function OleaccFunction(const char* name) {
  return Oleacc() ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(Oleacc(), name)))
                  : nullptr;
}

// The system's description, with the control's role and default action.
class DrawnControl final : public IAccessible {
 public:
  DrawnControl(IAccessible* standard, HWND window, AccessibleKind kind, UINT click)
      : standard_(standard), window_(window), kind_(kind), click_(click) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || id == IID_IDispatch || id == IID_IAccessible) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
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
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override {
    return standard_->GetTypeInfo(i, l, t);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* d) override {
    return standard_->GetIDsOfNames(r, n, c, l, d);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID d, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v,
                                   EXCEPINFO* e, UINT* a) override {
    return standard_->Invoke(d, r, l, f, p, v, e, a);
  }
  // IAccessible: the role and the default action are the control's own.
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = kind_ == AccessibleKind::PushButton ? ROLE_SYSTEM_PUSHBUTTON
                 : kind_ == AccessibleKind::Link     ? ROLE_SYSTEM_LINK
                                                     : ROLE_SYSTEM_STATICTEXT;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!IsSelf(child)) return standard_->get_accDefaultAction(child, action);
    *action = Clickable() ? SysAllocString(kind_ == AccessibleKind::Link ? L"Jump" : L"Press") : nullptr;
    return Clickable() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
    if (!Clickable()) return DISP_E_MEMBERNOTFOUND;
    // Posted: the click may open a modal window, which must not run inside
    // the client's call.
    PostMessageW(window_, click_, 0, 0);
    return S_OK;
  }
  // The rest as the system describes the window.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return standard_->get_accParent(p); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* c) override { return standard_->get_accChildCount(c); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT v, IDispatch** c) override { return standard_->get_accChild(v, c); }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT v, BSTR* n) override { return standard_->get_accName(v, n); }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT v, BSTR* n) override { return standard_->get_accValue(v, n); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT v, BSTR* d) override {
    return standard_->get_accDescription(v, d);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT v, VARIANT* s) override { return standard_->get_accState(v, s); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT v, BSTR* h) override { return standard_->get_accHelp(v, h); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT v, long* t) override {
    return standard_->get_accHelpTopic(f, v, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT v, BSTR* k) override {
    return standard_->get_accKeyboardShortcut(v, k);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return standard_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return standard_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT v) override { return standard_->accSelect(f, v); }
  HRESULT STDMETHODCALLTYPE accLocation(long* l, long* t, long* w, long* h, VARIANT v) override {
    return standard_->accLocation(l, t, w, h, v);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long n, VARIANT s, VARIANT* e) override {
    return standard_->accNavigate(n, s, e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override { return standard_->accHitTest(x, y, c); }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT v, BSTR n) override { return standard_->put_accName(v, n); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT v, BSTR n) override { return standard_->put_accValue(v, n); }

 private:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  bool Clickable() const { return kind_ != AccessibleKind::StaticText; }

  platform::ComPtr<IAccessible> standard_;
  HWND window_;
  AccessibleKind kind_;
  UINT click_;
  LONG references_ = 1;
};

}  // namespace

std::optional<LRESULT> AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, AccessibleKind kind,
                                       UINT click) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return std::nullopt;
  static const auto createStandard = OleaccFunction<CreateStdFunction>("CreateStdAccessibleObject");
  static const auto lresultFrom = OleaccFunction<LresultFunction>("LresultFromObject");
  if (!createStandard || !lresultFrom) return std::nullopt;
  IAccessible* standard = nullptr;
  if (FAILED(createStandard(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&standard)))) {
    return std::nullopt;
  }
  // The result holds its own reference.
  const platform::ComPtr<IAccessible> control(new DrawnControl(standard, window, kind, click));
  return lresultFrom(IID_IAccessible, wParam, control.get());
}

}  // namespace ui
