// A borderless form holding one skinned rich edit with its two external bars.
#pragma once
#include "../skin_controls/ControlFixture.h"
#include "Form.h"
#include "SkinRichEdit.h"
#include "SkinScrollBar.h"
#include "WaitUntil.h"
#include <memory>
#include <string>

namespace RichFixture {

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TspSkinRichEdit* Rich;
    TspSkinScrollBar *VBar, *HBar;
    int Changes = 0;

    explicit Scene(bool Show = false)
    {
        SetCursorPos(5, 5);
        Form->SetBorderStyle(bsNone);
        Form->SetColor(0xE0E0E0);
        Form->SetBounds(40, 40, 320, 240);
        Rich = new TspSkinRichEdit(Form.get());
        Rich->SetParent(Form.get());
        Rich->SetBounds(10, 10, 200, 120);
        VBar = new TspSkinScrollBar(Form.get());
        VBar->SetKind(sbVertical);
        VBar->SetSkinDataName("vscrollbar");
        VBar->SetParent(Form.get());
        VBar->SetBounds(210, 10, 19, 120);
        HBar = new TspSkinScrollBar(Form.get());
        HBar->SetSkinDataName("hscrollbar");
        HBar->SetParent(Form.get());
        HBar->SetBounds(10, 130, 200, 19);
        Rich->HandleNeeded();
        Rich->SetVScrollBar(VBar);
        Rich->SetHScrollBar(HBar);
        Rich->OnChange = [this](TObject*) { ++Changes; };
        if (Show) {
            Form->Show();
            PumpUntilIdle();
        }
    }
    HWND H() { return Rich->GetHandle(); }
    void Lines(int N, const std::string& Prefix = "line ")
    {
        std::string t;
        for (int i = 0; i < N; ++i) t += (i ? "\r\n" : "") + Prefix + std::to_string(i);
        Rich->SetText(t);
    }
};

}  // namespace RichFixture
