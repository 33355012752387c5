#pragma once

#include <stdexcept>
#include <utility>

#include "framework/ActivityMap.h"
#include "framework/DebugFile.h"
#include "framework/Entity.h"
#include "framework/ListenerInfo.h"
#include "framework/State.h"

namespace kiln {

/// Calls the listeners of interface I, in the order they were added, skipping
/// those whose entity is disabled. A std::runtime_error thrown by a listener
/// is written to log.txt and thrown on; the listeners after it are not called.
template <class I>
class Notifier {
public:
    Notifier() = default;
    virtual ~Notifier() {
        // A queued addition whose id was taken meanwhile fails here; its
        // record is deleted, and the failure must not leave a destructor.
        try {
            listeners.unlock();
        } catch (const std::runtime_error&) {
        }
        listeners.destroyAll();
    }
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    /// The listener must also be a kiln::Entity; it is keyed by the entity's id.
    void addListener(I* listener) {
        Entity* entity = dynamic_cast<Entity*>(listener);
        if (entity == nullptr) {
            throw std::runtime_error("[kiln::Notifier] listener is not subclass of kiln::Entity.");
        }
        // The record is the notifier's: if the id is taken, now or when an
        // addition queued during a dispatch is applied, the map deletes it.
        listeners.add(entity->getId(), new ListenerInfo<I>{listener, entity}, &deleteRecord);
    }

    std::size_t listenerCount() const { return listeners.size(); }
    const std::vector<ListenerInfo<I>*>& getListeners() const { return listeners.elements(); }

    State state;

protected:
    /// Calls call(listener) for every enabled listener.
    template <class Call>
    void dispatch(Call&& call) {
        try {
            listeners.lock();
            if (state.enabled) {
                // Changes requested during the walk are queued, so the list cannot move under us.
                const auto& records = listeners.elements();
                for (std::size_t i = 0; i < records.size(); ++i) {
                    if (records[i]->entity->state.enabled) call(*records[i]->listener);
                }
            }
            listeners.unlock();
        } catch (std::runtime_error& error) {
            DebugFile::instance()->logException(error);
            std::runtime_error rethrown(error.what());
            unlockAfterError();
            throw rethrown;
        } catch (...) {
            // Not logged, but the map must not stay locked: later additions
            // would otherwise wait for the end of the next dispatch.
            unlockAfterError();
            throw;
        }
    }

private:
    static void deleteRecord(ListenerInfo<I>* record) { delete record; }

    /// Leaves the map usable for the next dispatch; the first error is the one reported.
    void unlockAfterError() {
        if (!listeners.isLocked()) return;
        try {
            listeners.unlock();
        } catch (std::runtime_error&) {
        }
    }

    ActivityMap<ListenerInfo<I>> listeners;
};

}  // namespace kiln
