// The Linux input path's record reader and translation: a byte stream as
// interception-tools or a device hands it over, read in pieces of any size,
// cut into reports and turned into the events they mean.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "platform/linux/InputRecords.h"
#include "platform/linux/ReportDecoder.h"

using namespace wexo::platform::lnx;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses where the reads end: the same bytes must give
    // the same records whether they came whole or in pieces.
    const std::size_t piece = 1 + data[0] % sizeof(InputRecord);
    const std::span<const std::uint8_t> stream(data + 1, size - 1);

    std::vector<InputRecord> whole, pieces;
    RecordAssembler once, inPieces;
    once.feed(stream, whole);
    for (std::size_t at = 0; at < stream.size(); at += piece)
        inPieces.feed(stream.subspan(at, std::min(piece, stream.size() - at)), pieces);
    if (whole.size() != pieces.size() || once.partialBytes() != inPieces.partialBytes())
        std::abort();
    for (std::size_t i = 0; i < whole.size(); ++i)
        if (std::memcmp(&whole[i], &pieces[i], sizeof(InputRecord)) != 0) std::abort();

    ReportSplitter splitter;
    ReportDecoder decoder;
    std::vector<Report> reports;
    for (const InputRecord& r : whole) splitter.push(r, reports);
    PointerState pointer;
    std::uint64_t now = 0;
    for (const Report& report : reports) {
        const auto result = decoder.decode(report, pointer, 0.5, 4, now += 8'000'000);
        for (const auto& e : result.events)
            for (auto position : e.positions)
                if (position >= report.size()) std::abort();
        for (auto position : result.leftovers)
            if (position >= report.size()) std::abort();
        pointer.location = {std::clamp(pointer.location.x + 1, 0.0, 1920.0), 100};
    }
    return 0;
}
