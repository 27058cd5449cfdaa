// Every modal dialog and property sheet of the program calls this hook once its
// window is up, before its loop runs. The program leaves it empty; tests set it to
// answer dialogs that code under test opens (fill fields, press buttons).
#pragma once
#include <windows.h>
#include <functional>

namespace fw {

using ModalHook = std::function<void(HWND window)>;
ModalHook SetModalHook(ModalHook hook);  // returns the previous hook
void RunModalHook(HWND window);

}  // namespace fw
