#pragma once

namespace kiln {

/// Lazily created, explicitly destroyed single instance of T. T befriends
/// Singleton<T> and keeps its constructor private. An instance deleted by
/// another owner (an entity singleton deleted with the registry) is forgotten
/// too, so the next instance() makes a fresh one.
template <class T>
class Singleton {
public:
    /// Creates the object with new on first use; the same object afterwards.
    static T* instance() {
        if (object == nullptr) {
            object = new T();
            self = object;
        }
        return object;
    }

    /// Deletes the object (creating it first if it was never used, so its
    /// destructor always runs) and forgets it; the next instance() makes a new one.
    static void destroy() {
        T* doomed = instance();
        object = nullptr;
        self = nullptr;
        delete doomed;
    }

    static bool exists() { return object != nullptr; }

protected:
    Singleton() = default;
    // By the time this runs T is gone: compare against the base part kept at
    // creation, never convert the dying T.
    ~Singleton() {
        if (self == this) {
            object = nullptr;
            self = nullptr;
        }
    }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline T* object = nullptr;
    static inline const Singleton* self = nullptr;  // object's Singleton part
};

}  // namespace kiln
