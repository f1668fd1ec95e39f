// SPDX-License-Identifier: MIT
// Fuzz target: arbitrary bytes as a link's fragment and as the zlib stream inside it.
//
// Properties: reading never crashes, hangs or decodes beyond the link's limit; what a link reads
// as a design is made into a link that reads back the same; a stream of the bytes themselves
// comes back unchanged.
#include "files/design_link.h"
#include "files/zlib_stream.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace zorbal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // The bytes as the fragment of a link, and as the stream a well-formed link carries.
    for (const std::string& link : {"#" + std::string(bytes), "#zorbal=1." + files::base64UrlEncode(bytes)}) {
        const files::DesignLinkReading read = files::readDesignLink(link);
        FUZZ_CHECK(read.designText.size() <= files::kMaxLinkDesignBytes, "decoded %zu bytes",
                   read.designText.size());
        if (read.content != files::LinkContent::Design)
            continue;
        const auto again = files::designLink("https://x/", read.designText);
        FUZZ_CHECK(again.has_value(), "a design read from a link makes no link");
        FUZZ_CHECK(files::readDesignLink(*again).designText == read.designText,
                   "the link does not read back");
    }

    const auto back = files::zlibDecompress(files::zlibCompress(bytes), bytes.size());
    FUZZ_CHECK(back && *back == bytes, "%zu bytes did not come back through a stream", bytes.size());
    return 0;
}
