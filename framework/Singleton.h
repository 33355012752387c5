#pragma once

namespace kiln {

/// Lazily created, explicitly destroyed single instance of T. T befriends
/// Singleton<T> and keeps its constructor private.
template <class T>
class Singleton {
public:
    /// Creates the object with new on first use; the same object afterwards.
    static T* instance() {
        if (object == nullptr) object = new T();
        return object;
    }

    /// Deletes the object (creating it first if it was never used, so its
    /// destructor always runs) and forgets it; the next instance() makes a new one.
    static void destroy() {
        T* doomed = instance();
        object = nullptr;
        delete doomed;
    }

    static bool exists() { return object != nullptr; }

protected:
    Singleton() = default;
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline T* object = nullptr;
};

}  // namespace kiln
