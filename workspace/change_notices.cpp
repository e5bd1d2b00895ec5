#include "workspace/change_notices.h"

#include <vector>

namespace k7 {

ChangeSubscription::ChangeSubscription(std::weak_ptr<std::map<int, ChangeListener>> listeners,
                                       int key)
    : listeners_(std::move(listeners)), key_(key) {}

ChangeSubscription::ChangeSubscription(ChangeSubscription&& other) noexcept
    : listeners_(std::move(other.listeners_)), key_(other.key_) {
    other.listeners_.reset();
}

ChangeSubscription& ChangeSubscription::operator=(ChangeSubscription&& other) noexcept {
    if (this != &other) {
        Cancel();
        listeners_ = std::move(other.listeners_);
        key_ = other.key_;
        other.listeners_.reset();
    }
    return *this;
}

ChangeSubscription::~ChangeSubscription() {
    Cancel();
}

void ChangeSubscription::Cancel() {
    // The notices may already be gone (a view outliving its workspace).
    if (auto listeners = listeners_.lock())
        listeners->erase(key_);
    listeners_.reset();
}

ChangeNotices::ChangeNotices() : listeners_(std::make_shared<std::map<int, ChangeListener>>()) {}

ChangeSubscription ChangeNotices::Subscribe(ChangeListener listener) {
    const int key = nextKey_++;
    listeners_->emplace(key, std::move(listener));
    return ChangeSubscription(listeners_, key);
}

bool ChangesDatabaseNames(ProjectPart part) {
    switch (part) {
    case ProjectPart::Modules:
    case ProjectPart::TelemetryArrays:
    case ProjectPart::Ladder:
    case ProjectPart::Tables:
    case ProjectPart::Speech:
    case ProjectPart::Basic:
    case ProjectPart::WholeProject:
        return true;
    default:
        return false;
    }
}

void ChangeNotices::Notify(ProjectPart part) const {
    // Walk the keys present now; a listener removed meanwhile is skipped.
    std::vector<int> keys;
    keys.reserve(listeners_->size());
    for (const auto& [key, listener] : *listeners_)
        keys.push_back(key);
    for (int key : keys) {
        auto found = listeners_->find(key);
        if (found == listeners_->end())
            continue;
        // A copy: the listener may cancel its own subscription.
        ChangeListener listener = found->second;
        listener(part);
    }
}

} // namespace k7
