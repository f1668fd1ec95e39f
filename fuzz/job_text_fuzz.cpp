// SPDX-License-Identifier: MIT
// Fuzz target: arbitrary bytes as a job text and as a result text for the page's worker.
//
// Properties: reading never crashes, hangs or takes memory beyond the text's size; whatever reads
// as a job or a result writes a text that reads back and writes the same text again.
#include "fuzz_check.h"
#include "investigate/job.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace zorbal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (const auto job = investigate::readJob(bytes)) {
        const std::string text = investigate::jobText(*job);
        const auto again = investigate::readJob(text);
        FUZZ_CHECK(again.has_value(), "a job read does not read back once written");
        FUZZ_CHECK(investigate::jobText(*again) == text, "a job's text changes when written again");
    }
    if (const auto result = investigate::readResult(bytes)) {
        const std::string text = investigate::resultText(*result);
        const auto again = investigate::readResult(text);
        FUZZ_CHECK(again.has_value(), "a result read does not read back once written");
        FUZZ_CHECK(investigate::resultText(*again) == text, "a result's text changes when written again");
    }
    return 0;
}
