// Real keys for the edit tests: chords through the system's input queue, and a
// form made ready to take them.
#pragma once
#include "Form.h"
#include "WaitUntil.h"
#include <windows.h>
#include <initializer_list>
#include <vector>

namespace EditKeys {

// Real keys through the system's input queue: the modifiers held, the key
// pressed and released, the modifiers released; then the messages served.
inline void Chord(std::initializer_list<WORD> Mods, WORD Vk)
{
    std::vector<INPUT> in;
    auto add = [&](WORD k, DWORD flags) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = flags;
        in.push_back(i);
    };
    for (WORD m : Mods) add(m, 0);
    add(Vk, 0);
    add(Vk, KEYEVENTF_KEYUP);
    for (WORD m : Mods) add(m, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    PumpUntilIdle();
}

// The form shown and active with Control focused, so that real keys reach it.
inline void FocusForKeys(TForm* Form, TWinControl* Control)
{
    Form->Show();
    SetForegroundWindow(Form->GetHandle());
    Control->SetFocus();
    PumpUntil([&] { return GetFocus() == Control->GetHandle(); }, 1000);
}

} // namespace EditKeys
