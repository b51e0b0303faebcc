#pragma once
// Where an exception that reaches the user-interface layer goes: window procedures and the
// message loop catch at the boundary with USER32 and hand the exception on here.

#include <exception>
#include <functional>

namespace kq::ui {

using UiExceptionHandler = std::function<void(const std::exception&)>;

// The handler shows the exception; until one is set, a plain message box does.
void SetUiExceptionHandler(UiExceptionHandler handler);

// Hands the exception in flight (inside a catch block) to the handler. The silent abort is
// dropped here: it has done its work by unwinding.
void HandleCurrentException() noexcept;

}  // namespace kq::ui
