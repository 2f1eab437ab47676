// What the viewer host takes from a viewer page: the embedded control's class
// identifier and size, and the property assignments of the page's scripts.
#pragma once
#include <string>
#include <vector>

// One script line "<object>.<property> = <literal>", as written on the page.
struct TScriptAssignment {
    std::string Name;   // the property name as written; the control matches it without regard to case
    std::string Value;  // the literal without its quotation marks
    bool Quoted = true; // a string literal; otherwise an integer literal
};

struct TViewerPage {
    std::string ObjectId;  // the OBJECT element's ID, by which the script names it
    std::string ClassId;   // the GUID text after "clsid:", without braces
    int Width = 0;         // the element's size in pixels; 0 when the page gives none
    int Height = 0;
    std::vector<TScriptAssignment> Assignments; // in the order the scripts run them
};

namespace ViewerPage {

// The class identifier of the viewer control.
extern const char* const ViewerClassId;

// Finds the first OBJECT element that names a class identifier ("clsid:...") and
// every assignment of the page's scripts to a property of that element, in
// document order. False when the page embeds no such element.
bool Parse(const std::string& html, TViewerPage& page);

// The viewer page the broadcasting program writes for an address, port and layout
// name (the host's command-line mode builds it and reads it like a loaded page).
std::string Compose(const std::string& classId, const std::string& address, const std::string& port,
                    const std::string& skin);

} // namespace ViewerPage
