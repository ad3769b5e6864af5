#include "ui/map_command.h"

#include "generator/map_link.h"
#include "storage/text_file.h"
#include "win32/web_browser.h"

void ShowOnMap(HWND owner, const ExclusionDocument& document, const MessageSink& showMessage) {
    const MapLink link = MakeMapLink(document, BrowserUrlLimit());
    if (link.url.empty()) {
        showMessage(owner, link.tooLong ? kMapTooLongMessage : kNothingOnMapMessage, MB_ICONINFORMATION);
        return;
    }
    if (!link.notDrawn.empty()) showMessage(owner, NotOnMapMessage(link.notDrawn), MB_ICONINFORMATION);
    if (const std::error_code error = OpenInBrowser(link.url)) {
        showMessage(owner, "The web browser could not be started to show the map.\r\n\r\n" + DescribeError(error),
                    kFailureIcon);
    }
}
