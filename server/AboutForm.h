// The about window: the product's name, version and year, a picture and two
// links to the maker.
#pragma once
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TFormSolvaneTMAbout : public TForm {
public:
    explicit TFormSolvaneTMAbout(TComponent* AOwner);

    TImage* Image1;
    TLabel* spSkinLabel1;       // the product's name
    TLabel* Label3;             // the version
    TLabel* spSkinStdLabel2;    // the year
    TLabel* Label1;             // the developer
    TLabel* Label2;             // the maker's web address
    TLabel* Label7;             // the maker's mail address
    TButton* Button1;

    void Button1Click(TObject* Sender);
    void Label2Click(TObject* Sender);
    void Label7Click(TObject* Sender);

    static const char* const WebAddress;
    static const char* const MailAddress;

private:
    void CreateComponents();
    void DrawPicture();
    TLabel* NewLabel(const char* Name, const std::string& Text, int Left, int Top);
};

// The about window of the running program (null until start-up made it).
extern TFormSolvaneTMAbout* FormSolvaneTMAbout;

// Creates the about window (at start-up, after the main window); owned by the application.
void NewAboutWindow();
// Shows the about window modally (creating it first when start-up did not).
void RunAboutWindow();
// Frees the about window (at exit).
void DeleteAboutWindow();
