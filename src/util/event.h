#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace zentrix {

// Ends its subscription when destroyed or reset, so a subscriber that dies is never called.
class TSubscription {
  public:
    TSubscription() = default;
    explicit TSubscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    TSubscription(TSubscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    TSubscription& operator=(TSubscription&& other) noexcept {
        if (this != &other) {
            Reset();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }
    TSubscription(const TSubscription&) = delete;
    TSubscription& operator=(const TSubscription&) = delete;
    ~TSubscription() { Reset(); }

    void Reset() {
        if (auto cancel = std::exchange(cancel_, {})) cancel();
    }

  private:
    std::function<void()> cancel_;
};

// A typed event with any number of subscribers, called in the order they subscribed. Either
// side may go first: a subscription that outlives its event cancels nothing.
template <typename... Args>
class TEvent {
  public:
    using THandler = std::function<void(Args...)>;

    TEvent() = default;
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    [[nodiscard]] TSubscription Subscribe(THandler handler) {
        auto slot = std::make_shared<TSlot>(TSlot{std::move(handler), true});
        slots_->push_back(slot);
        // Not named "slots": a Qt translation unit defines that as a macro.
        std::weak_ptr<TSlots> weakList = slots_;
        std::weak_ptr<TSlot> weakSlot = slot;
        return TSubscription([weakList, weakSlot] {
            auto s = weakSlot.lock();
            if (!s) return;
            s->active = false;  // also skipped by an emission already running
            if (auto list = weakList.lock()) std::erase(*list, s);
        });
    }

    // Handlers may subscribe or cancel while called; one cancelled meanwhile is not called.
    void Emit(Args... args) const {
        const TSlots snapshot = *slots_;
        for (const auto& s : snapshot)
            if (s->active) s->handler(args...);
    }

    int SubscriberCount() const { return static_cast<int>(slots_->size()); }

  private:
    struct TSlot {
        THandler handler;
        bool active;
    };
    using TSlots = std::vector<std::shared_ptr<TSlot>>;
    std::shared_ptr<TSlots> slots_ = std::make_shared<TSlots>();
};

}  // namespace zentrix
