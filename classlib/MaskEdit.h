// The masked edit base: an edit that carries an edit mask ("!90:00;1;_").
// The mask is kept for the forms that set it; input is not filtered by it.
#pragma once
#include "Edit.h"
#include <string>

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    const std::string& GetEditMask() const { return FEditMask; }
    void SetEditMask(const std::string& Value) { FEditMask = Value; }

private:
    std::string FEditMask;
};
