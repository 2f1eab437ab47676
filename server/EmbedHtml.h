// The HTML that embeds the viewer (control or applet) in the operator's own web page.
#pragma once
#include "Classes.h"
#include <string>
#include <vector>

namespace EmbedHtml {

// The layout names offered by the Customization dialog, by item index.
extern const char* const LayoutNames[4];

// The machine's IPv4 addresses in dotted form, from the host-name lookup, without
// loopback addresses (on some systems the host name resolves to 127.0.1.1).
void GetLocalAddresses(TStrings* list);
// Its filter: appends the addresses of a lookup's list (null-terminated, each four
// bytes in network order) that are not loopback (127.x.x.x).
void AddVisitorAddresses(TStrings* list, const char* const* addresses);

// The lines of the HTML for a client type (0 applet, anything else the viewer
// control), a layout index (-1: none selected, which gives no size line and the
// first layout), the machine's addresses and the server's port.
std::vector<std::string> Build(int clientType, int layoutIndex, const TStrings* addresses, int port);

// The setting ClientType that goes with a client type index.
const char* ClientTypeSetting(int clientType);

} // namespace EmbedHtml
