// Scope guards for state that a block changes for its own duration: the state
// is put back when the block ends, by return or by an exception, without a
// try/catch/rethrow around the block. The paint-message scope of a control's
// canvas is TPaintDCScope (ControlCanvas.h); GDI selections and borrowed DCs
// are in GdiHandles.h.
//
// What runs at the end must not throw (it runs in a destructor): restoring a
// field or a counter is fine; code that calls event handlers is not.
#pragma once
#include <utility>

// Runs a function once when the scope ends.
template <class F> class TScopeExit {
public:
    explicit TScopeExit(F Exit) : FExit(std::move(Exit)) {}
    ~TScopeExit()
    {
        if (FArmed) FExit();
    }
    TScopeExit(const TScopeExit&) = delete;
    TScopeExit& operator=(const TScopeExit&) = delete;
    // The scope ends without running it.
    void Dismiss() { FArmed = false; }
private:
    F FExit;
    bool FArmed = true;
};

// Gives Variable the value Value for the scope and puts back the one it had.
template <class T> class TRestore {
public:
    TRestore(T& Variable, T Value) : FVariable(Variable), FOld(Variable) { FVariable = std::move(Value); }
    ~TRestore() { FVariable = std::move(FOld); }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;
private:
    T& FVariable;
    T FOld;
};

// Sets Bits in a set of flags for the scope; at the end those bits are as they
// were before (other bits keep what the scope did to them).
template <class T> class TFlagScope {
public:
    TFlagScope(T& Flags, T Bits) : FFlags(Flags), FBits(Bits), FOld(Flags & Bits) { FFlags |= Bits; }
    ~TFlagScope() { FFlags = (FFlags & ~FBits) | FOld; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;
private:
    T& FFlags;
    T FBits;
    T FOld;
};
