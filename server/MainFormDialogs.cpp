// The dialogs that the main window opens: the single places that create and show them.
#include "MainForm.h"   // first: it brings in winsock, which must precede the C library
#include "AboutForm.h"
#include "DialogHost.h"

void ShowPreferencesDialog(TForm1* Main) { RunPreferencesDialog(Main); }

void ShowCustomizationDialog(TForm1* Main) { RunCustomizationDialog(Main); }

void CreateAboutWindow() { NewAboutWindow(); }

void ShowAboutWindow() { RunAboutWindow(); }

void FreeAboutWindow() { DeleteAboutWindow(); }
