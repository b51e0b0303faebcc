#pragma once
// What a screen reader reads of the character grid: the grid is a table of cells, one child per
// shown character, whose name is the character followed by its Unicode name. The focus is the
// selected cell. Everything about the grid window itself comes from the system's standard
// object for its client area.

#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <string>

namespace kq::win {

// The questions the object asks the grid; the grid answers for as long as it lives.
struct GridAccessSource {
  std::function<long()> Count;             // characters shown
  std::function<long()> Focused;           // index of the selected cell's character, -1: none
  std::function<std::wstring(long)> Name;  // the name of the character at an index
  std::function<RECT(long)> ScreenRect;    // where its cell is, in screen coordinates
};

class GridAccessible final : public IAccessible {
 public:
  // Answers WM_GETOBJECT for the grid's client area; null when the system cannot make the
  // standard object.
  static GridAccessible* Create(HWND grid, GridAccessSource source);
  // The grid is going: questions after this fail as for a window that is gone.
  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: not offered; clients use the IAccessible methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  GridAccessible(IAccessible* standard, GridAccessSource source);
  ~GridAccessible();
  // The index of a child id naming a cell, or -1 for the grid itself; E_INVALIDARG otherwise.
  HRESULT CellOf(const VARIANT& child, long& index) const;
  // A text that cells do not have: the grid's own from the standard object, none for a cell.
  HRESULT GridTextOnly(const VARIANT& child, BSTR* text,
                       HRESULT (STDMETHODCALLTYPE IAccessible::*read)(VARIANT, BSTR*));

  ULONG references_ = 1;
  IAccessible* standard_;
  GridAccessSource source_;
  bool connected_ = true;
};

}  // namespace kq::win
