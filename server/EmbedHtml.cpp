#include "WinsockPrelude.h"
#include "EmbedHtml.h"
#include <cstring>

namespace EmbedHtml {

const char* const LayoutNames[4] = {"prop1.skn", "prop2.skn", "prop3.skn", "prop4.skn"};

void GetLocalAddresses(TStrings* list)
{
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return;
    // The socket library's gethostname is hidden from winelib builds (it clashes
    // with the C library's); the computer's DNS host name is the same name.
    char name[65] = {0};
    DWORD size = 64;
    if (GetComputerNameExA(ComputerNameDnsHostname, name, &size)) {
        if (hostent* h = gethostbyname(name)) AddVisitorAddresses(list, h->h_addr_list);
    }
    WSACleanup();
}

void AddVisitorAddresses(TStrings* list, const char* const* addresses)
{
    for (int i = 0; addresses[i]; ++i) {
        in_addr a;
        memcpy(&a, addresses[i], sizeof(a));
        // Loopback is no address a visitor can reach.
        if ((ntohl(a.s_addr) >> 24) == 127) continue;
        list->Add(inet_ntoa(a));
    }
}

const char* ClientTypeSetting(int clientType) { return clientType == 0 ? "Java" : "ActiveX"; }

std::vector<std::string> Build(int clientType, int layoutIndex, const TStrings* addresses, int port)
{
    static const char* const objectSize[4] = {"width=510 height=170", "width=170 height=510", "width=330 height=500",
                                              "width=808 height=524"};
    static const char* const appletSize[4] = {"width=510 height=170", "width=170 height=510", "width=300 height=500",
                                              "width=808 height=524"};
    const std::string q = "\"";
    bool hasLayout = layoutIndex >= 0 && layoutIndex < 4;
    std::string layout = LayoutNames[hasLayout ? layoutIndex : 0];
    bool hasAddress = addresses && addresses->GetCount() > 0;
    std::string address = hasAddress ? addresses->Get(0) : "127.0.0.1";
    std::string portText = IntToStr(port);
    std::vector<std::string> l = {"<html>", "<head>", "<title>Solvane client</title>", "</head>"};
    if (clientType != 0) {
        l.push_back("<OBJECT");
        l.push_back("ID = Quenda");
        l.push_back("classid=" + q + "clsid:FFD85318-7565-4886-945C-D31E428F0947" + q);
        l.push_back("codebase=" + q + "http://" + address + ":" + portText + "/Quenda.cab#version=1,0,0,0" + q);
        if (hasLayout) l.push_back(objectSize[layoutIndex]);
        l.push_back("align=center  hspace=0  vspace=0>");
        l.push_back("<param name=" + q + "address" + q + ">");
        l.push_back("<param name=" + q + "port" + q + ">");
        l.push_back("<param name=" + q + "skin" + q + ">");
        l.push_back("</OBJECT>");
        l.push_back("<SCRIPT LANGUAGE=" + q + "VBScript" + q + ">");
        l.push_back("<!--");
        l.push_back("Quenda.port = " + q + portText + q);
        l.push_back("Quenda.address = " + q + address + q);
        l.push_back("Quenda.skin = " + q + layout + q);
        l.push_back("-->");
        l.push_back("</SCRIPT>");
        l.push_back("</HTML>");
    } else {
        l.push_back("<body>");
        if (hasAddress)
            l.push_back("<applet codebase= " + q + "http://" + address + ":" + portText + q + " code=Solvane ");
        else
            l.push_back("<applet codebase= " + q + "." + q + " code=Solvane ");
        l.push_back("name=VezEredi");
        if (hasLayout) l.push_back(appletSize[layoutIndex]);
        l.push_back("archive=client.jar>");
        l.push_back("<param name=port value=" + portText + ">");
        l.push_back("<param name=PropertyFile value=" + layout + ">");
        l.push_back("<param name=address value=" + address + ">");
        l.push_back("</applet>");
        l.push_back("</body>");
        l.push_back("</html>");
    }
    return l;
}

} // namespace EmbedHtml
