// The viewer host program: plays the browser's part for the viewer control.
//   ViewerHost [options] URL                      loads the viewer page from the broadcasting program
//   ViewerHost [options] ADDRESS PORT LAYOUT      as if the page had set these three values
// Options: --seconds N (close after N seconds), --log FILE (also write the lines
// there), --clsid GUID (the class to create in the second form; default the viewer
// control), --unattended (close the message boxes of the host's thread by itself).
#include "BoxCloser.h"
#include "HostLog.h"
#include "PageLoader.h"
#include "ViewerHost.h"
#include "ViewerPage.h"
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

// The whole page request, connect included, never takes longer.
const DWORD PageTimeoutMs = 10000;
// How long an unattended host lets a message box stand before closing it.
const DWORD BoxLookMs = 500;

struct TArguments {
    int Seconds = 0;
    bool Unattended = false;
    std::string LogFile;
    std::string ClassId = ViewerPage::ViewerClassId;
    std::vector<std::string> Values; // the URL, or address, port and layout
};

void Usage()
{
    std::fprintf(stderr,
                 "usage: ViewerHost [--seconds N] [--log FILE] [--clsid GUID] [--unattended] URL\n"
                 "       ViewerHost [--seconds N] [--log FILE] [--clsid GUID] [--unattended] ADDRESS PORT LAYOUT\n"
                 "  URL     the viewer page, e.g. http://127.0.0.1/viewax.html\n"
                 "  ADDRESS PORT LAYOUT  the values the page's script would set, e.g. 127.0.0.1 80 prop1.skn\n");
}

bool IsNumber(const std::string& s, int maxDigits)
{
    return !s.empty() && static_cast<int>(s.size()) <= maxDigits &&
           s.find_first_not_of("0123456789") == std::string::npos;
}

bool ParseArguments(int argc, char** argv, TArguments& args)
{
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--unattended") {
            args.Unattended = true;
        } else if (a == "--seconds" || a == "--log" || a == "--clsid") {
            if (i + 1 >= argc) return false;
            std::string v = argv[++i];
            if (a == "--seconds") {
                if (!IsNumber(v, 6)) return false;
                args.Seconds = std::atoi(v.c_str());
            } else if (a == "--log") {
                args.LogFile = v;
            } else {
                GUID ignored;
                if (!GuidFromText(v, ignored)) return false;
                args.ClassId = v;
            }
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return false;
        } else {
            args.Values.push_back(a);
        }
    }
    if (args.Values.size() == 3 && !IsNumber(args.Values[1], 5)) return false;
    return args.Values.size() == 1 || args.Values.size() == 3;
}

// The page to embed: loaded from the URL, or composed from the three values.
bool GetPage(const TArguments& args, THostLog& log, std::string& html)
{
    if (args.Values.size() == 3) {
        std::string classId = args.ClassId;
        if (!classId.empty() && classId.front() == '{') classId = classId.substr(1, classId.size() - 2);
        html = ViewerPage::Compose(classId, args.Values[0], args.Values[1], args.Values[2]);
        log.Line("page from command line");
        return true;
    }
    const std::string& url = args.Values[0];
    THttpAddress at;
    if (!PageLoader::ParseUrl(url, at)) {
        log.Line("error not an http address: " + url);
        return false;
    }
    std::string error;
    if (!PageLoader::Get(at, PageTimeoutMs, html, error)) {
        log.Line("error page " + url + ": " + error);
        return false;
    }
    log.Line("page " + url + " " + std::to_string(html.size()) + " bytes");
    return true;
}

int RunHost(const TArguments& args, THostLog& log)
{
    std::string html;
    if (!GetPage(args, log, html)) return hePage;
    TViewerPage page;
    if (!ViewerPage::Parse(html, page)) {
        log.Line("error the page embeds no control (no OBJECT with a clsid: class identifier)");
        return hePage;
    }
    log.Line("object " + (page.ObjectId.empty() ? std::string("(no id)") : page.ObjectId) + " clsid " + page.ClassId +
             " size " + std::to_string(page.Width) + "x" + std::to_string(page.Height) + " properties " +
             std::to_string(page.Assignments.size()));
    TViewerHost host(log);
    return host.Run(page, args.Seconds);
}

} // namespace

int main(int argc, char** argv)
{
    TArguments args;
    if (!ParseArguments(argc, argv, args)) {
        Usage();
        return heUsage;
    }
    THostLog log;
    if (!args.LogFile.empty() && !log.OpenFile(args.LogFile)) {
        std::fprintf(stderr, "ViewerHost: cannot create the log file %s\n", args.LogFile.c_str());
        return heUsage;
    }
    // In-place activation needs OLE, not only COM, on this (the window's) thread.
    HRESULT hr = OleInitialize(nullptr);
    if (FAILED(hr)) {
        log.Line("error OleInitialize hr=" + HexResult(hr));
        return heCreate;
    }
    // Before the control exists: its constructor may show a box at once.
    if (args.Unattended) BoxCloser::Start(log, BoxLookMs);
    int rc;
    try {
        rc = RunHost(args, log);
    } catch (const std::exception& e) {
        log.Line(std::string("error ") + e.what());
        rc = heCreate;
    }
    BoxCloser::Stop();
    OleUninitialize();
    return rc;
}
