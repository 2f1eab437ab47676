// What the skinned dialog windows share while they build themselves: the
// library's texts with an English fallback, and placing a child control.
#pragma once
#include "Controls.h"
#include "Spconst.h"
#include <string>

namespace Spdlgform {

// The library's text, or its English wording when the program carries no table.
inline std::string Text(int Id, const char* Fallback)
{
    std::string s = Spconst::LoadResString(Id);
    return s.empty() ? std::string(Fallback) : s;
}

// A new T owned by Owner, on Parent at the given bounds, aligned unless alNone.
template <class T> T* Place(TComponent* Owner, TWinControl* Parent, TAlign Align, int Left, int Top, int Width,
                           int Height)
{
    T* c = new T(Owner);
    c->SetParent(Parent);
    c->SetBounds(Left, Top, Width, Height);
    if (Align != alNone) c->SetAlign(Align);
    return c;
}

} // namespace Spdlgform
