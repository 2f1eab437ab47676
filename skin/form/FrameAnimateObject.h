// TspSkinAnimateObject: a strip of frames from the skin played on the frame's
// animation timer; in button style it plays forwards under the pointer, back
// when the pointer leaves, and runs a window command or opens a menu on a click.
#pragma once
#include "ActiveSkinObject.h"

class TspSkinAnimateObject : public TspActiveSkinObject {
public:
    TspSkinAnimateObject(TspFormFrame* AForm, TspDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool Forced) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;

    void Start();
    void Stop();
    void SetFrame(int N);
    // Links the menu a click opens (cmDefault); refused (false) unless button style.
    bool LinkMenu(TMenuItem* Item, bool PopupUp);
    // One tick of the frame's 25 ms animation timer.
    void ChangeFrame();
    void DoCommand();
    void TrackMenu();

    int CurrentFrame = 1;
    int Elapsed = 25;
    int Interval = 50;
    TMenuItem* LinkedMenuItem = nullptr;   // not owned
    bool PopupToUp = false;
    int countframes = 1;
    bool Cycle = true;
    bool ButtonStyle = true;
    bool Forward = true;
    TStdCommand Command = cmDefault;
};
