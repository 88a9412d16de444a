#include "hostlist/arp_capture.h"

#include "base/message_box.h"
#include "base/string_table.h"
#include "platform/arp_table.h"
#include "platform/atomic_file.h"

namespace wb {

bool CaptureArpCache(const std::string& listingPath) {
    std::string listing;
    platform::ReadArpListing(listing, platform::ArpAnswerGrace());
    const platform::SaveResult saved = platform::WriteFileAtomically(listingPath, listing);
    if (!saved) {
        ShowMessageBox(
            SaveFailureText(saved.refusedLink,
                            FormatString1(IDS_CANNOT_OPEN_WRITE, EscapeControlChars(listingPath))),
            MsgButtons::Ok);
        return false;
    }
    return true;
}

}  // namespace wb
