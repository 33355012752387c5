#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CommandQueue.h"

namespace kiln {

/// Named elements kept in insertion order. While locked (during a dispatch
/// over the elements) every change is queued and applied at unlock, so a walk
/// always sees exactly the elements present when it started.
template <class T>
class ActivityMap {
public:
    ActivityMap() = default;
    ~ActivityMap() {
        locked = false;
        removeAll();
    }
    ActivityMap(const ActivityMap&) = delete;
    ActivityMap& operator=(const ActivityMap&) = delete;

    /// Unlocked: throws std::runtime_error for a name already present.
    /// Locked: queued; throws std::invalid_argument for a name already queued.
    /// With a discard function the caller hands the element over: one that the
    /// map will never hold (its name is taken now, or when the queued addition
    /// is applied) goes to discard instead of being lost.
    void add(const std::string& name, T* element, typename AddCommand<T>::Discard discard = nullptr) {
        if (locked) {
            // The name is reserved before the command is queued, so a rejected
            // addition leaves nothing behind to fail again at unlock.
            try {
                queue.reserveName(name, element);
            } catch (...) {
                if (discard != nullptr) discard(element);
                throw;
            }
            queue.push(new AddCommand<T>(name, element, discard));
            return;
        }
        if (!byName.emplace(name, element).second) {
            if (discard != nullptr) discard(element);
            throw std::runtime_error("[kiln::ActivityMap] element '" + name + "' already exists.");
        }
        inOrder.push_back(element);
    }

    /// Forgets every element without deleting it.
    void removeAll() {
        if (locked) {
            queue.push(new RemoveAllCommand<T>());
            return;
        }
        inOrder.clear();
        byName.clear();
    }

    /// Deletes every element, then forgets them.
    void destroyAll() {
        if (locked) {
            queue.push(new DestroyAllCommand<T>());
            return;
        }
        for (T* element : inOrder) delete element;
        inOrder.clear();
        byName.clear();
    }

    void lock() { locked = true; }

    /// Applies, in order, every change requested while locked.
    void unlock() {
        locked = false;
        queue.execute(*this);
    }

    bool isLocked() const { return locked; }
    const std::vector<T*>& elements() const { return inOrder; }
    std::size_t size() const { return inOrder.size(); }

private:
    std::map<std::string, T*> byName;
    std::vector<T*> inOrder;
    bool locked = false;
    CommandQueue<T> queue;
};

}  // namespace kiln
