#include "charmap/win32/GridAccessible.h"

#include <utility>

namespace kq::win {

namespace {

// Child ids of cells are the character's index plus one; CHILDID_SELF (0) is the grid.
long ChildIdOf(long index) {
  return index + 1;
}

void SetChildId(VARIANT* v, long id) {
  VariantInit(v);
  v->vt = VT_I4;
  v->lVal = id;
}

}  // namespace

// The interface's id is taken through __uuidof throughout: naming IID_IAccessible would link its
// definition from both liboleacc and libuuid, which mingw-w64 each carry.
GridAccessible* GridAccessible::Create(HWND grid, GridAccessSource source) {
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(grid, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard))))
    return nullptr;
  return new GridAccessible(standard, std::move(source));
}

GridAccessible::GridAccessible(IAccessible* standard, GridAccessSource source)
    : standard_(standard), source_(std::move(source)) {}

GridAccessible::~GridAccessible() {
  standard_->Release();
}

void GridAccessible::Disconnect() {
  connected_ = false;
  source_ = {};
}

HRESULT GridAccessible::CellOf(const VARIANT& child, long& index) const {
  if (!connected_)
    return RPC_E_DISCONNECTED;
  if (child.vt != VT_I4)
    return E_INVALIDARG;
  index = child.lVal - 1;
  if (index >= source_.Count())
    return E_INVALIDARG;
  return S_OK;
}

HRESULT GridAccessible::GridTextOnly(const VARIANT& child, BSTR* text,
                                     HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT,
                                                                                    BSTR*)) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  *text = nullptr;
  return index < 0 ? (standard_->*read)(child, text) : S_FALSE;
}

HRESULT GridAccessible::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG GridAccessible::AddRef() {
  return ++references_;
}

ULONG GridAccessible::Release() {
  ULONG left = --references_;
  if (left == 0)
    delete this;
  return left;
}

HRESULT GridAccessible::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT GridAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}
HRESULT GridAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}
HRESULT GridAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                               UINT*) {
  return E_NOTIMPL;
}

HRESULT GridAccessible::get_accParent(IDispatch** parent) {
  return connected_ ? standard_->get_accParent(parent) : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::get_accChildCount(long* count) {
  if (!connected_)
    return RPC_E_DISCONNECTED;
  *count = source_.Count();
  return S_OK;
}

HRESULT GridAccessible::get_accChild(VARIANT child, IDispatch** dispatch) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  *dispatch = nullptr;
  return index < 0 ? E_INVALIDARG : S_FALSE;  // cells are simple elements, not objects
}

HRESULT GridAccessible::get_accName(VARIANT child, BSTR* name) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  if (index < 0)
    return standard_->get_accName(child, name);
  const std::wstring text = source_.Name(index);
  *name = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT GridAccessible::get_accValue(VARIANT child, BSTR* value) {
  return GridTextOnly(child, value, &IAccessible::get_accValue);
}

HRESULT GridAccessible::get_accDescription(VARIANT child, BSTR* description) {
  return GridTextOnly(child, description, &IAccessible::get_accDescription);
}

HRESULT GridAccessible::get_accRole(VARIANT child, VARIANT* role) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  SetChildId(role, index < 0 ? ROLE_SYSTEM_TABLE : ROLE_SYSTEM_CELL);
  return S_OK;
}

HRESULT GridAccessible::get_accState(VARIANT child, VARIANT* state) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  if (index < 0)
    return standard_->get_accState(child, state);
  long flags = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
  if (index == source_.Focused())
    flags |= STATE_SYSTEM_SELECTED | (GetFocus() != nullptr ? STATE_SYSTEM_FOCUSED : 0);
  SetChildId(state, flags);
  return S_OK;
}

HRESULT GridAccessible::get_accHelp(VARIANT, BSTR* help) {
  *help = nullptr;
  return connected_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
  *file = nullptr;
  *topic = 0;
  return connected_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return GridTextOnly(child, shortcut, &IAccessible::get_accKeyboardShortcut);
}

HRESULT GridAccessible::get_accFocus(VARIANT* child) {
  if (!connected_)
    return RPC_E_DISCONNECTED;
  const long focused = source_.Focused();
  SetChildId(child, focused >= 0 ? ChildIdOf(focused) : CHILDID_SELF);
  return S_OK;
}

HRESULT GridAccessible::get_accSelection(VARIANT* children) {
  return get_accFocus(children);
}

HRESULT GridAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  *action = nullptr;
  return S_FALSE;
}

HRESULT GridAccessible::accSelect(long, VARIANT) {
  return connected_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::accLocation(long* left, long* top, long* width, long* height,
                                    VARIANT child) {
  long index;
  if (HRESULT result = CellOf(child, index); FAILED(result))
    return result;
  if (index < 0)
    return standard_->accLocation(left, top, width, height, child);
  const RECT r = source_.ScreenRect(index);
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
  return S_OK;
}

HRESULT GridAccessible::accNavigate(long, VARIANT, VARIANT* end) {
  VariantInit(end);
  return connected_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::accHitTest(long left, long top, VARIANT* child) {
  return connected_ ? standard_->accHitTest(left, top, child) : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::accDoDefaultAction(VARIANT) {
  return connected_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT GridAccessible::put_accName(VARIANT, BSTR) {
  return E_NOTIMPL;
}

HRESULT GridAccessible::put_accValue(VARIANT, BSTR) {
  return E_NOTIMPL;
}

}  // namespace kq::win
