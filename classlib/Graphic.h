// The abstract picture: anything that knows its size, draws itself into a
// rectangle of a canvas and reads and writes its file format.
#pragma once
#include "Canvas.h"
#include "Streams.h"


// Raised for picture data that cannot be read (bad header, unknown format).
class EInvalidGraphic : public Exception { public: using Exception::Exception; };

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int GetWidth() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int GetHeight() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool GetModified() const { return FModified; }
    void SetModified(bool Value);

    // Draws the picture scaled into R of the canvas (the canvas calls it).
    virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;
    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();
    bool FTransparent = false;
    bool FModified = false;
};
