// Dialog templates and DLGINIT resources from any bytes. A template that
// splits gives a template of its own without class-id items that splits again
// to the same thing; every DLGINIT record decodes or is refused without a read
// beyond the input.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "DialogTemplate.h"
#include "DlgInit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so that a read past the end is seen.
    const std::vector<BYTE> bytes(data, data + size);
    if (const auto split = SplitOleControls(bytes.data(), bytes.size())) {
        if (split->controls.size() > split->itemCount) std::abort();
        const std::vector<BYTE> rewritten = split->dialogTemplate;
        const auto again = SplitOleControls(rewritten.data(), rewritten.size());
        if (!again || !again->controls.empty() || again->itemCount != split->itemCount - split->controls.size() ||
            again->dialogTemplate != rewritten)
            std::abort();
    }
    if (const auto records = ParseDlgInit(bytes.data(), bytes.size()))
        for (const DlgInitRecord& record : *records) {
            const auto init = DecodeControlInit(record);
            if (init && init->persisted.size() > record.data.size()) std::abort();
        }
    return 0;
}
