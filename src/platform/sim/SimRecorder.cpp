#include "platform/sim/SimRecorder.h"

#include <utility>

namespace wexo::platform::sim {

void SimRecorder::record(SimRecordPayload what) {
    std::lock_guard lock(mutex_);
    records_.push_back(SimRecord{clock_.nanos(), std::move(what)});
}

std::vector<SimRecord> SimRecorder::records() const {
    std::lock_guard lock(mutex_);
    return records_;
}

std::vector<SimRecord> SimRecorder::take() {
    std::lock_guard lock(mutex_);
    return std::exchange(records_, {});
}

void SimRecorder::clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
}

std::size_t SimRecorder::size() const {
    std::lock_guard lock(mutex_);
    return records_.size();
}

}  // namespace wexo::platform::sim
