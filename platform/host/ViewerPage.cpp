#include "ViewerPage.h"
#include <cctype>
#include <cstring>

namespace ViewerPage {

const char* const ViewerClassId = "FFD85318-7565-4886-945C-D31E428F0947";

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string Lower(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool SameText(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

std::string Trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

// The leading decimal digits of an attribute value ("330", "330px"); 0 without any.
int LeadingNumber(const std::string& s)
{
    int n = 0;
    for (size_t i = 0; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && n < 100000; ++i)
        n = n * 10 + (s[i] - '0');
    return n;
}

// Finds "<tag" as a whole tag name, case-insensitively, from pos; npos when absent.
size_t FindTag(const std::string& lowerHtml, const char* tag, size_t pos)
{
    std::string open = std::string("<") + tag;
    for (;;) {
        size_t p = lowerHtml.find(open, pos);
        if (p == std::string::npos) return p;
        size_t after = p + open.size();
        if (after >= lowerHtml.size() || IsBlank(lowerHtml[after]) || lowerHtml[after] == '>' ||
            lowerHtml[after] == '/')
            return p;
        pos = after;
    }
}

struct TAttribute {
    std::string Name; // lower case
    std::string Value;
};

// Reads the attributes of a start tag from pos (just after its name) up to its
// closing '>'; returns the position after it (or the end of the text).
size_t ReadAttributes(const std::string& html, size_t pos, std::vector<TAttribute>& attrs)
{
    const size_t n = html.size();
    while (pos < n) {
        while (pos < n && IsBlank(html[pos])) ++pos;
        if (pos >= n) break;
        if (html[pos] == '>') return pos + 1;
        if (html[pos] == '/') {
            ++pos;
            continue;
        }
        size_t start = pos;
        while (pos < n && !IsBlank(html[pos]) && html[pos] != '=' && html[pos] != '>') ++pos;
        TAttribute a;
        a.Name = Lower(html.substr(start, pos - start));
        size_t look = pos;
        while (look < n && IsBlank(html[look])) ++look;
        if (look < n && html[look] == '=') {
            pos = look + 1;
            while (pos < n && IsBlank(html[pos])) ++pos;
            if (pos < n && (html[pos] == '"' || html[pos] == '\'')) {
                char q = html[pos++];
                size_t end = html.find(q, pos);
                if (end == std::string::npos) end = n;
                a.Value = html.substr(pos, end - pos);
                pos = end < n ? end + 1 : n;
            } else {
                start = pos;
                while (pos < n && !IsBlank(html[pos]) && html[pos] != '>') ++pos;
                a.Value = html.substr(start, pos - start);
            }
        }
        attrs.push_back(a);
    }
    return n;
}

// Reads one literal at pos: a string in double quotes (a doubled quotation mark
// stands for one, as in VBScript), a string in single quotes, or an integer.
bool ReadLiteral(const std::string& line, size_t& pos, TScriptAssignment& a)
{
    const size_t n = line.size();
    if (pos >= n) return false;
    if (line[pos] == '"') {
        std::string v;
        for (++pos; pos < n; ++pos) {
            if (line[pos] == '"') {
                if (pos + 1 < n && line[pos + 1] == '"') {
                    v += '"';
                    ++pos;
                    continue;
                }
                a.Value = v;
                a.Quoted = true;
                ++pos;
                return true;
            }
            v += line[pos];
        }
        return false;
    }
    if (line[pos] == '\'') {
        size_t end = line.find('\'', pos + 1);
        if (end == std::string::npos) return false;
        a.Value = line.substr(pos + 1, end - pos - 1);
        a.Quoted = true;
        pos = end + 1;
        return true;
    }
    size_t start = pos;
    if (line[pos] == '-' || line[pos] == '+') ++pos;
    size_t digits = pos;
    while (pos < n && std::isdigit(static_cast<unsigned char>(line[pos]))) ++pos;
    if (pos == digits) return false;
    a.Value = line.substr(start, pos - start);
    a.Quoted = false;
    return true;
}

// One script line "<object>.<name> = <literal>" with an optional ";" and comment.
bool ParseAssignment(const std::string& rawLine, const std::string& objectId, TScriptAssignment& a)
{
    std::string line = Trim(rawLine);
    size_t pos = 0;
    const size_t n = line.size();
    while (pos < n && IsIdentChar(line[pos])) ++pos;
    if (pos == 0 || pos >= n || line[pos] != '.') return false;
    if (!SameText(line.substr(0, pos), objectId)) return false;
    size_t nameStart = ++pos;
    while (pos < n && IsIdentChar(line[pos])) ++pos;
    if (pos == nameStart) return false;
    a.Name = line.substr(nameStart, pos - nameStart);
    while (pos < n && IsBlank(line[pos])) ++pos;
    if (pos >= n || line[pos] != '=') return false;
    ++pos;
    while (pos < n && IsBlank(line[pos])) ++pos;
    if (!ReadLiteral(line, pos, a)) return false;
    while (pos < n && IsBlank(line[pos])) ++pos;
    if (pos < n && line[pos] == ';') ++pos;
    while (pos < n && IsBlank(line[pos])) ++pos;
    // Whatever follows must be a comment, or this is no plain assignment.
    return pos >= n || line[pos] == '\'' || line.compare(pos, 2, "//") == 0;
}

void ReadScripts(const std::string& html, const std::string& lowerHtml, TViewerPage& page)
{
    size_t pos = 0;
    for (;;) {
        size_t tag = FindTag(lowerHtml, "script", pos);
        if (tag == std::string::npos) return;
        std::vector<TAttribute> ignored;
        size_t bodyStart = ReadAttributes(html, tag + 7, ignored);
        size_t bodyEnd = lowerHtml.find("</script", bodyStart);
        if (bodyEnd == std::string::npos) bodyEnd = html.size();
        std::string body = html.substr(bodyStart, bodyEnd - bodyStart);
        size_t lineStart = 0;
        while (lineStart <= body.size()) {
            size_t lineEnd = body.find('\n', lineStart);
            if (lineEnd == std::string::npos) lineEnd = body.size();
            TScriptAssignment a;
            if (ParseAssignment(body.substr(lineStart, lineEnd - lineStart), page.ObjectId, a))
                page.Assignments.push_back(a);
            lineStart = lineEnd + 1;
        }
        pos = bodyEnd;
    }
}

} // namespace

bool Parse(const std::string& html, TViewerPage& page)
{
    page = TViewerPage();
    const std::string lowerHtml = Lower(html);
    size_t pos = 0;
    for (;;) {
        size_t tag = FindTag(lowerHtml, "object", pos);
        if (tag == std::string::npos) return false;
        std::vector<TAttribute> attrs;
        pos = ReadAttributes(html, tag + 7, attrs);
        TViewerPage found;
        for (const TAttribute& a : attrs) {
            if (a.Name == "classid") {
                std::string v = Trim(a.Value);
                if (Lower(v.substr(0, 6)) != "clsid:") continue;
                v = Trim(v.substr(6));
                if (!v.empty() && v.front() == '{') v.erase(0, 1);
                if (!v.empty() && v.back() == '}') v.pop_back();
                found.ClassId = v;
            } else if (a.Name == "id") {
                found.ObjectId = Trim(a.Value);
            } else if (a.Name == "width") {
                found.Width = LeadingNumber(Trim(a.Value));
            } else if (a.Name == "height") {
                found.Height = LeadingNumber(Trim(a.Value));
            }
        }
        if (found.ClassId.empty()) continue;
        page = found;
        // A script addresses the control by its ID; without one it cannot set anything.
        if (!page.ObjectId.empty()) ReadScripts(html, lowerHtml, page);
        return true;
    }
}

std::string Compose(const std::string& classId, const std::string& address, const std::string& port,
                    const std::string& skin)
{
    // The element's size for each layout, as the broadcasting program writes it.
    static const struct {
        const char* Layout;
        const char* Size;
    } sizes[] = {{"prop1.skn", "width=510 height=170"},
                 {"prop2.skn", "width=170 height=510"},
                 {"prop3.skn", "width=330 height=500"},
                 {"prop4.skn", "width=808 height=524"}};
    const std::string q = "\"";
    std::string page = "<html>\n<head>\n<title>Solvane client</title>\n</head>\n<OBJECT\nID = Quenda\n";
    page += "classid=" + q + "clsid:" + classId + q + "\n";
    for (const auto& s : sizes)
        if (SameText(skin, s.Layout)) page += std::string(s.Size) + "\n";
    page += "align=center  hspace=0  vspace=0>\n";
    page += "<param name=" + q + "address" + q + ">\n<param name=" + q + "port" + q + ">\n<param name=" + q + "skin" +
            q + ">\n</OBJECT>\n";
    page += "<SCRIPT LANGUAGE=" + q + "VBScript" + q + ">\n<!--\n";
    page += "Quenda.port = " + q + port + q + "\n";
    page += "Quenda.address = " + q + address + q + "\n";
    page += "Quenda.skin = " + q + skin + q + "\n";
    page += "-->\n</SCRIPT>\n</HTML>\n";
    return page;
}

} // namespace ViewerPage
