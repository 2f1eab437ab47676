// A form with one combo box of known items that logs its events in order.
#pragma once
#include "Form.h"
#include "SkinComboBox.h"
#include "WaitUntil.h"
#include <memory>
#include <string>
#include <vector>

namespace ComboTest {

class TLoggingCombo : public TspSkinComboBox {
public:
    using TspSkinComboBox::TspSkinComboBox;
    std::vector<std::string>* Log = nullptr;

protected:
    void Change() override
    {
        if (Log) Log->push_back("Change");
    }
};

struct Scene {
    std::unique_ptr<TForm> Form{new TForm(nullptr)};
    TLoggingCombo* C;
    std::vector<std::string> Log;

    explicit Scene(int Items = 5, int X = 0, int Y = 0)
    {
        SetCursorPos(700, 700);
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(X, Y, 300, 200);
        C = new TLoggingCombo(Form.get());
        C->SetParent(Form.get());
        C->SetBounds(10, 10, 150, 20);
        C->Log = &Log;
        const char* names[] = {"Apple", "Banana", "Blueberry", "Cherry", "Grape"};
        for (int i = 0; i < Items; ++i)
            C->GetItems()->Add(i < 5 ? std::string(names[i]) : "Item " + std::to_string(i));
        C->OnChange = [this](TObject*) { Log.push_back("change"); };
        C->OnClick = [this](TObject*) { Log.push_back("click"); };
        C->OnCloseUp = [this](TObject*) { Log.push_back("closeup"); };
        C->OnDropDown = [this](TObject*) { Log.push_back("dropdown"); };
        Form->Show();
        C->HandleNeeded();
        PumpUntilIdle();
    }
    ~Scene() { C->CloseUp(false); }
    // Moves the focus away from the combo, to a second one below it.
    void Unfocus()
    {
        if (!Other) {
            Other = new TspSkinComboBox(Form.get());
            Other->SetParent(Form.get());
            Other->SetBounds(10, 150, 100, 20);
        }
        Other->SetFocus();
    }
    TspSkinComboBox* Other = nullptr;
    void Key(WORD Vk, bool Alt = false)
    {
        C->Perform(Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Vk, Alt ? (1 << 29) : 0);
    }
    void Type(const std::string& S)
    {
        for (char c : S) C->Perform(WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    std::string Events()
    {
        std::string s;
        for (auto& e : Log) s += (s.empty() ? "" : " ") + e;
        Log.clear();
        return s;
    }
    TRect ScreenRect()
    {
        const TPoint p = C->ClientToScreen(TPoint(0, 0));
        return TRect(p.x, p.y, p.x + C->GetWidth(), p.y + C->GetHeight());
    }
};

}  // namespace ComboTest
