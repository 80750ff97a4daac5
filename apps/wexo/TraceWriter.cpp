#include "wexo/TraceWriter.h"

#include "wexo-sim/DecisionJson.h"

namespace wexo::app {

void TraceWriter::decision(std::string_view tap, std::string_view stage, platform::Verdict verdict,
                           const platform::Event& event) {
    const std::string line =
        simrunner::decisionRecord(loop_.now() - start_, tap, stage, verdict.swallows(), event)
            .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::lock_guard lock(mutex_);
    std::fprintf(out_, "%s\n", line.c_str());
    std::fflush(out_);
}

}  // namespace wexo::app
