// The about window: the product's name, version and year, a picture and two
// links to the maker.
#pragma once
#include "Image.h"
#include "Timer.h"
#include "Forms.h"
#include "FormFrame.h"
#include "SkinButton.h"
#include "SkinLabels.h"

class TspSkinData;

class TFormSolvaneTMAbout : public TForm {
public:
    explicit TFormSolvaneTMAbout(TComponent* AOwner);
    // The window wearing SkinData (null: unskinned); the program passes the
    // main window's spSkinData1.
    TFormSolvaneTMAbout(TComponent* AOwner, TspSkinData* SkinData);

    TImage* Image1;
    TspSkinLabel* spSkinLabel1;        // the product's name
    TspSkinStdLabel* Label3;           // the version
    TspSkinStdLabel* spSkinStdLabel2;  // the year
    TspSkinStdLabel* Label1;           // the developer
    TspSkinStdLabel* Label2;           // the maker's web address
    TspSkinStdLabel* Label7;           // the maker's mail address
    TspSkinButton* Button1;
    // The frame, wearing the main window's skin (none without a main window).
    TspFormFrame* spFormFrame1;

    void Button1Click(TObject* Sender);
    void Label2Click(TObject* Sender);
    void Label7Click(TObject* Sender);

    static const char* const WebAddress;
    static const char* const MailAddress;

private:
    void CreateComponents(TspSkinData* SkinData);
    void DrawPicture();
    TspSkinStdLabel* NewLabel(const char* Name, const std::string& Text, int Left, int Top, TspSkinData* SkinData);
};

// The about window of the running program (null until start-up made it).
extern TFormSolvaneTMAbout* FormSolvaneTMAbout;

// Creates the about window (at start-up, after the main window); owned by the application.
void NewAboutWindow();
// Shows the about window modally (creating it first when start-up did not).
void RunAboutWindow();
// Frees the about window (at exit).
void DeleteAboutWindow();
