// Change notices: every edit names the part of the project it changed, so
// a view rebuilds only what it shows. A subscription is a token; the
// listener is gone when the token is destroyed, so an editor made and
// destroyed many times leaves nothing behind.
#pragma once

#include <functional>
#include <map>
#include <memory>

namespace k7 {

enum class ProjectPart {
    Modules,         // module instances and their values
    Cards,           // card cages, unit type and LCD choice
    Displays,        // LCD display definitions
    TelemetryArrays, // TX and RX arrays
    Ladder,
    Tables,
    Speech,  // speech reports
    Phrases, // the phrase vocabulary
    Basic,   // BASIC module instances
    Notes,   // the project's notes
    Settings,
    WholeProject,    // replaced by New, Open, Undo or Redo
    CompileFinished, // a compile ended; new RAM addresses are written back
};

// The parts whose edits rebuild the project's databases (the names the
// database lists show), the whole project replaced included.
bool ChangesDatabaseNames(ProjectPart part);

using ChangeListener = std::function<void(ProjectPart)>;

class ChangeNotices;

// Unsubscribes when destroyed. Moving it moves the subscription.
class ChangeSubscription {
  public:
    ChangeSubscription() = default;
    ChangeSubscription(ChangeSubscription&& other) noexcept;
    ChangeSubscription& operator=(ChangeSubscription&& other) noexcept;
    ChangeSubscription(const ChangeSubscription&) = delete;
    ChangeSubscription& operator=(const ChangeSubscription&) = delete;
    ~ChangeSubscription();

    void Cancel();

  private:
    friend class ChangeNotices;
    ChangeSubscription(std::weak_ptr<std::map<int, ChangeListener>> listeners, int key);

    std::weak_ptr<std::map<int, ChangeListener>> listeners_;
    int key_ = 0;
};

class ChangeNotices {
  public:
    ChangeNotices();

    [[nodiscard]] ChangeSubscription Subscribe(ChangeListener listener);
    // Tells every listener, in the order they subscribed. A listener may
    // subscribe or unsubscribe others while it runs.
    void Notify(ProjectPart part) const;
    std::size_t ListenerCount() const { return listeners_->size(); }

  private:
    std::shared_ptr<std::map<int, ChangeListener>> listeners_;
    int nextKey_ = 1;
};

} // namespace k7
